#!/usr/bin/env bash
# Runs every test: the native unit tests, the platform tests under Wine, then
# the end-to-end tests of the real program.
# Installs what is missing, builds both presets, prints one summary at the end
# and exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh" || exit 1
source "$root/tools/wine-env.sh"

build() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}
build native || { echo "build failed: native"; exit 1; }
build windows || { echo "build failed: windows"; exit 1; }
# The release package, which the end-to-end tests start as a user would.
cmake --build --preset windows --target package >/dev/null ||
  { echo "build failed: package"; exit 1; }

skyvane_begin_session || exit 1

logs="$root/build/test-logs"
mkdir -p "$logs"
passed=0
failed=0
layer() {
  local name=$1 preset=$2
  echo "== $name tests"
  ctest --preset "$preset" 2>&1 | tee "$logs/$name.log"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$name.log" | tail -n1)
  if [ -z "$line" ]; then
    echo "$name: no test summary (see $logs/$name.log)"
    failed=$((failed + 1))
    return
  fi
  local f total
  f=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - f))
  failed=$((failed + f))
}
layer unit native
layer platform windows

# A figure to read, never a pass or a fail.
"$root/tools/wine-run.sh" "$root/build/windows/tests/skyvane_guard_benchmark.exe" || true

# End to end: the real program driven by real input, read from outside.
echo "== end-to-end tests"
bash "$root/tests/e2e/run.sh" 2>&1 | tee "$logs/e2e.log"
e2e=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' "$logs/e2e.log" | tail -n1)
if [ -z "$e2e" ]; then
  echo "e2e: no summary (see $logs/e2e.log)"
  failed=$((failed + 1))
else
  passed=$((passed + $(sed -E 's/^e2e: ([0-9]+) passed.*/\1/' <<<"$e2e")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$e2e")))
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
