#!/usr/bin/env bash
# Builds and runs Skyvane's benchmarks under Wine and prints one table:
# Skyvane's figure, the figure it stands next to (the floor program or the
# bare system calls, measured in the same run, alternating), and the ratio.
# Figures to read, never a pass or a fail.
#
#   bench/run.sh               the whole table (about 9 minutes)
#   RUNS=21 IDLE=60 bench/run.sh
#
# Uses a Wine prefix of its own (build/bench-prefix): the start-up runs
# write Skyvane's settings, and must not change how the tests start.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
RUNS=${RUNS:-15}
IDLE=${IDLE:-60}

"$root/tools/setup.sh" || exit 1
export SKYVANE_PREFIX="$root/build/bench-prefix"
source "$root/tools/wine-env.sh"

cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null &&
  cmake --build --preset windows --target package >/dev/null ||
  { echo "bench: the build failed" >&2; exit 1; }

# The exe as released: unpacked from the package.
zip=$(ls "$root"/build/windows/package/Skyvane-*-win64.zip 2>/dev/null | head -n1)
[ -n "$zip" ] || { echo "bench: no release package was built" >&2; exit 1; }
released="$root/build/bench/released"
rm -rf "$released" && mkdir -p "$released"
(cd "$released" && cmake -E tar xf "$zip") || { echo "bench: cannot unpack $zip" >&2; exit 1; }
tests="$root/build/windows/tests"

skyvane_begin_session || exit 1

rows="$root/build/bench/rows.tsv"
log="$root/build/bench/bench.log"
: >"$rows"
: >"$log"
bench() {
  echo "bench: $*" >&2
  "$SKYVANE_WINE" "$tests/skyvane_bench.exe" "$@" </dev/null 2>&1 | tr -d '\r' | tee -a "$log" |
    grep $'^row\t' | cut -f2- >>"$rows"
  local status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || echo "bench: '$1' ended with status $status; its rows may be missing (see $log)" >&2
}
winpath() { "$SKYVANE_WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# Size: the released exe with its pictures, and what it imports.
exe="$released/Skyvane.exe"
size=$(stat -c %s "$exe")
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')
awk -v s="$size" 'BEGIN { printf "size of Skyvane.exe as released\t%.0f KB\t400 KB (target)\t%.2f\n", s / 1024, s / 1024 / 400 }' >>"$rows"

sky=$(winpath "$exe")
floor=$(winpath "$tests/skyvane_floor.exe")
bench startup "$sky" "$floor" "$(winpath "$tests/skyvane_floor_cc6.exe")" "$RUNS"
bench objects 5
bench resident "$sky" "$floor" 3 "$IDLE"
bench idle "$IDLE"
# One process per window count: each starts from the same state.
for n in 10 100 500; do bench hover "$RUNS" "$n"; done
bench slider "$RUNS"
bench churn 1000 1000

machine="$(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1)"
echo
echo "Skyvane benchmarks, $(date -u +%Y-%m-%d), $("$SKYVANE_WINE" --version 2>/dev/null | head -n1), $machine"
echo "timed rows: medians of $RUNS paired runs, alternating; ratio = Skyvane / reference"
echo
# Columns padded to their widest cell.
{
  printf 'what\tSkyvane\treference\tratio\n'
  cat "$rows"
} | awk -F'\t' '
  { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR }
  END { for (r = 1; r <= n; r++) { line = ""
          for (i = 1; i <= 4; i++) line = line sprintf("%-" w[i] + 2 "s", cell[r, i])
          sub(/ +$/, "", line); print line } }'
echo
echo "Skyvane.exe imports: $imports"
echo "(rows also in $rows; everything the programs printed in $log)"
