#!/usr/bin/env bash
# Runs the Win32 driver against the real Pcn874Merge.exe under Wine and Xvfb, then compares
# the merged files the program wrote with the command-line tool's for the same inputs.
#   run-windows-tests.sh WIN_BUILD_DIR NATIVE_CLI [test|screenshots]
# `test` runs every scenario at 96 DPI in the machine's locale, at 144 DPI under a Hebrew
# system locale (code page 1255), and at 120 DPI on a laptop's screen of 1366x768; each session
# takes well under a minute. `screenshots` shoots the window on a screen of 1366x768 at 96 and
# 120 DPI, and at 144 DPI.
set -euo pipefail

win_build=$(realpath "$1")
cli=$(realpath "$2")
mode=${3:-test}
here=$(cd "$(dirname "$0")" && pwd)
exe="$win_build/src/window/Pcn874Merge.exe"
driver="$win_build/tests/win32/pcn874_win32_driver.exe"
to_windows() { local p="${1//\//\\}"; echo "Z:$p"; }

# The Hebrew locale, generated into the build folder so the machine is not changed.
hebrew_locale() {
  local dir="$win_build/locale"
  if [[ ! -d "$dir/he_IL.UTF-8" ]]; then
    mkdir -p "$dir"
    localedef -i he_IL -f UTF-8 "$dir/he_IL.UTF-8" 2>/dev/null ||
      [[ -d "$dir/he_IL.UTF-8" ]] || { echo "localedef failed for he_IL.UTF-8" >&2; exit 1; }
  fi
  echo "$dir"
}

# One Wine session of the driver: DPI, screen (WIDTHxHEIGHT, or "default": 1024x768 scaled),
# locale (default or he), mode, scenarios (none: all). Sets $work to the session's folder.
run_pass() {
  local dpi=$1 screen=$2 locale=$3 pass_mode=$4
  shift 4
  work="$win_build/wine-work-$pass_mode-$dpi-$locale"
  rm -rf "$work"
  mkdir -p "$work"
  local env=(PCN_DPI="$dpi")
  [[ "$screen" != default ]] && env+=(PCN_SCREEN="$screen")
  if [[ "$locale" == he ]]; then
    # Wine's own buttons speak Hebrew there too.
    env+=(LOCPATH="$(hebrew_locale)" LANG=he_IL.UTF-8 LC_ALL= LANGUAGE= PCN_CODE_PAGE=1255
      PCN_OK_TEXT=אישור)
  fi
  local start status=0
  start=$(date +%s)
  env "${env[@]}" timeout 600 "$here/wine-session.sh" "$win_build" "$driver" "$pass_mode" \
    "$(to_windows "$exe")" "$(to_windows "$work")" "$@" || status=$?
  [[ -f "$work/driver.log" ]] && cat "$work/driver.log"
  echo "windows-$pass_mode at $dpi DPI, screen $screen, locale ${locale}: Wine session took" \
    "$(($(date +%s) - start)) s (status $status)"
}

if [[ "$mode" == screenshots ]]; then
  shots="$(dirname "$win_build")/screenshots"
  mkdir -p "$shots"
  # The guide's pictures are of the shipped examples.
  export PCN_EXAMPLES
  PCN_EXAMPLES=$(to_windows "$(realpath "$here/../../examples")")
  for pass in "96 1366x768" "120 1366x768" "144 default"; do
    read -r dpi screen <<<"$pass"
    run_pass "$dpi" "$screen" default screenshots
    suffix=""
    [[ $dpi != 96 ]] && suffix="-$dpi"
    for bmp in "$work"/*.bmp; do
      [[ -e "$bmp" ]] || { echo "no screenshots were taken" >&2; exit 1; }
      png="$shots/$(basename "${bmp%.bmp}")$suffix.png"
      convert "$bmp" "$png"
      echo "screenshot: $png"
    done
  done
  exit 0
fi

# The same merge with the command-line tool: the date columns (18-25) of the first line are
# the day of the run, so they are left out of the comparison.
same_except_date() {
  cmp <(head -c 17 "$1") <(head -c 17 "$2") && cmp <(tail -c +26 "$1") <(tail -c +26 "$2")
}
compare_with_cli() {
  local inputs=("$work/inputs/north.txt" "$work/inputs/דרום.txt") kind out extra
  for kind in union representative; do
    out="$work/cli-$kind"
    mkdir -p "$out"
    # The window's spin step moves the union record's total; a representative's file has none.
    extra=(--adjust taxableSales=1)
    [[ $kind == representative ]] && extra=(--representative)
    "$cli" merge --number 123456782 --out "$out" --date "$(date +%Y%m%d)" \
      "${extra[@]}" "${inputs[@]}" >/dev/null
    if same_except_date "$work/gui-$kind.txt" "$out/Pcn874-03-2024.txt"; then
      echo "windows-test: the $kind file matches the command-line tool's byte for byte"
    else
      echo "windows-test: the $kind file differs from the command-line tool's:" >&2
      diff <(cat -A "$work/gui-$kind.txt") <(cat -A "$out/Pcn874-03-2024.txt") >&2 || true
      failed=1
    fi
  done
}

failed=0
check_result() {
  local result
  result=$(cat "$work/result.txt" 2>/dev/null || echo "FAIL: the driver wrote no result")
  echo "windows-test driver ($1): $result"
  if [[ "$result" != PASS* ]]; then
    for bmp in "$work"/failure-*.bmp; do
      [[ -e "$bmp" ]] && convert "$bmp" "${bmp%.bmp}.png" &&
        echo "screen at a failure: ${bmp%.bmp}.png" >&2
    done
    echo "driver log: $work/driver.log" >&2
    failed=1
    return 1
  fi
}

total_start=$(date +%s)
run_pass 96 default default test
check_result "96 DPI" && compare_with_cli
run_pass 144 default he test
check_result "144 DPI, Hebrew locale" && compare_with_cli
run_pass 120 1366x768 default test
check_result "120 DPI, 1366x768" && compare_with_cli
echo "windows-test: all Wine sessions took $(($(date +%s) - total_start)) s"
exit $failed
