#!/usr/bin/env bash
# Builds Skyvane and runs it under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows
echo "Built $root/build/windows/Skyvane.exe."
echo "Skyvane has no window to show yet: the main window comes with the next piece of work."
