#!/usr/bin/env bash
# Runs the Win32 driver against the real Pcn874Merge.exe under Wine and Xvfb, then compares
# the merged files the program wrote with the command-line tool's for the same inputs.
#   run-windows-tests.sh WIN_BUILD_DIR NATIVE_CLI [test|screenshots]
set -euo pipefail

win_build=$(realpath "$1")
cli=$(realpath "$2")
mode=${3:-test}
here=$(cd "$(dirname "$0")" && pwd)
exe="$win_build/src/window/Pcn874Merge.exe"
driver="$win_build/tests/win32/pcn874_win32_driver.exe"
work="$win_build/wine-work-$mode"
to_windows() { local p="${1//\//\\}"; echo "Z:$p"; }

rm -rf "$work"
mkdir -p "$work"
start=$(date +%s)
status=0
timeout 600 "$here/wine-session.sh" "$win_build" "$driver" "$mode" "$(to_windows "$exe")" \
  "$(to_windows "$work")" || status=$?
[[ -f "$work/driver.log" ]] && cat "$work/driver.log"
echo "windows-$mode: Wine session took $(( $(date +%s) - start )) s (status $status)"

if [[ "$mode" == screenshots ]]; then
  shots="$(dirname "$win_build")/screenshots"
  mkdir -p "$shots"
  for bmp in "$work"/*.bmp; do
    [[ -e "$bmp" ]] || { echo "no screenshots were taken" >&2; exit 1; }
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png"
    echo "screenshot: $shots/$(basename "${bmp%.bmp}").png"
  done
  exit 0
fi

result=$(cat "$work/result.txt" 2>/dev/null || echo "FAIL: the driver wrote no result")
echo "windows-test driver: $result"
if [[ "$result" != PASS* ]]; then
  for bmp in "$work"/failure-*.bmp; do
    [[ -e "$bmp" ]] && convert "$bmp" "${bmp%.bmp}.png" && echo "screen at a failure: ${bmp%.bmp}.png" >&2
  done
  echo "driver log: $work/driver.log" >&2
  exit 1
fi

# The same merge with the command-line tool: the date columns (18-25) of the first line are
# the day of the run, so they are left out of the comparison.
same_except_date() {
  cmp <(head -c 17 "$1") <(head -c 17 "$2") && cmp <(tail -c +26 "$1") <(tail -c +26 "$2")
}
inputs=("$work/inputs/north.txt" "$work/inputs/דרום.txt")
failed=0
for kind in union representative; do
  out="$work/cli-$kind"
  mkdir -p "$out"
  extra=()
  [[ $kind == representative ]] && extra=(--representative)
  "$cli" merge --number 123456782 --out "$out" --date "$(date +%Y%m%d)" \
    --adjust taxableSales=1 "${extra[@]}" "${inputs[@]}" >/dev/null
  if same_except_date "$work/gui-$kind.txt" "$out/Pcn874-03-2024.txt"; then
    echo "windows-test: the $kind file matches the command-line tool's byte for byte"
  else
    echo "windows-test: the $kind file differs from the command-line tool's:" >&2
    diff <(cat -A "$work/gui-$kind.txt") <(cat -A "$out/Pcn874-03-2024.txt") >&2 || true
    failed=1
  fi
done
exit $failed
