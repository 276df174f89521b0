#!/usr/bin/env bash
# Runs one Windows program under Wine inside a private X server, in a private Wine prefix
# under the build folder whose Tahoma and MS Serif map to Hebrew-capable DejaVu fonts.
#   wine-session.sh BUILD_DIR PROGRAM.exe [ARGS...]
# With PCN_USE_DISPLAY=1 and $DISPLAY set, the program shows on that display instead.
# PCN_DPI (96 unless set) is the screen resolution the prefix is given (LogPixels); the program
# runs in a virtual desktop of PCN_SCREEN pixels (1024x768 scaled by DPI / 96 unless set), so no
# window manager is needed.
set -euo pipefail

build=$(realpath "$1"); shift
export WINEPREFIX="$build/wine-prefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
wine_bin=$(command -v wine64 || command -v wine)
[[ -x /usr/lib/wine/wine64 ]] && wine_bin=/usr/lib/wine/wine64

prepare_prefix() {
  [[ -f "$WINEPREFIX/.pcn-ready" ]] && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  echo "wine-session: creating the Wine prefix $WINEPREFIX" >&2
  "$wine_bin" wineboot -i >/dev/null 2>&1 || true
  cat >"$build/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Tahoma"="DejaVu Sans Condensed"
"Tahoma Bold"="DejaVu Sans Condensed Bold"
"MS Serif"="DejaVu Serif"
"MS Sans Serif"="DejaVu Sans"
"MS Shell Dlg"="DejaVu Sans"
"MS Shell Dlg 2"="DejaVu Sans"

; A crash prints its backtrace instead of waiting for someone to close a dialog.
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  "$wine_bin" regedit /S "$build/fonts.reg" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.pcn-ready"
}

# The resolution Wine hands to programs; written only when it changes.
set_dpi() {
  local dpi=${PCN_DPI:-96}
  [[ "$(cat "$WINEPREFIX/.pcn-dpi" 2>/dev/null)" == "$dpi" ]] && return 0
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' \
    "$dpi" >"$build/dpi.reg"
  "$wine_bin" regedit /S "$build/dpi.reg" >/dev/null 2>&1
  wineserver -w
  echo "$dpi" >"$WINEPREFIX/.pcn-dpi"
}

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# The title bar draws its buttons' glyphs with Marlett, which this Wine build does not load
# from its own font folder (fonts-wine); a copy in the prefix's Fonts folder is found. Only
# Marlett: Tahoma stays mapped to DejaVu.
add_marlett() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" marlett=/usr/share/wine/fonts/marlett.ttf
  [[ -f "$marlett" && -d "$fonts" && ! -f "$fonts/marlett.ttf" ]] && cp "$marlett" "$fonts/"
  return 0
}

prepare_prefix
add_marlett
set_dpi
screen=${PCN_SCREEN:-"$((1024 * ${PCN_DPI:-96} / 96))x$((768 * ${PCN_DPI:-96} / 96))"}
if [[ "${PCN_USE_DISPLAY:-0}" != 1 || -z "${DISPLAY:-}" ]]; then
  # -displayfd reports the number of the first free display once the server is ready.
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 -u "$fd" number || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
fi
# Wine notes that the Z: drive has no volume label; nothing to do with the program.
"$wine_bin" explorer /desktop=pcn874,"$screen" "$@" 2> >(grep -v 'FS volume label' >&2)
