#!/usr/bin/env bash
# Starts mctfutil.exe under Wine on a virtual X server, in a Wine prefix of
# its own, and captures the main window, the Server Settings sheet and the
# About box as PNGs, drawn by Qt's windows platform in the native style.
#
#   tests/windows/screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR is a cross-build with the window (make windows-ui). Needs Wine,
# Xvfb, xdotool and ImageMagick (scripts/install-deps.sh --windows --screens).
set -euo pipefail
[[ -n "${TRACE:-}" ]] && set -x

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build-windows-ui}" && pwd)"
out="${2:-$build/screens}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
bin="$build/bin"
[[ -f "$bin/mctfutil.exe" ]] || { echo "build mctfutil.exe first: $bin/mctfutil.exe" >&2; exit 1; }

work="$(mktemp -d)"
# shellcheck source=tests/ui/xvfb_session.sh
source "$root/tests/ui/xvfb_session.sh"
start_xvfb 1024x768x24
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Under Wine 8 Qt's default font engine (DirectWrite) draws no text in line
# edits: the sheet's text fields stay blank. FreeType, built into Qt, draws
# them. (Wine passes no QT_* variable on, so this goes on the command line.)
platform=(-platform windows:fontengine=freetype)
wine_cleanup() {
  wineserver -k 2>/dev/null || true
  xvfb_cleanup
}
trap wine_cleanup EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

# A stand-in game folder, set as the game path, so Setup Server opens the
# sheet; Wine shows the build machine's root as drive Z:.
mkdir -p "$work/run" "$work/q3/morvane"
game="Z:${work//\//\\}\\q3"
(cd "$work/run" && wine "$bin/mctfcli.exe" settings reset --yes --config config.dmc >/dev/null &&
 wine "$bin/mctfcli.exe" settings set "quakePath=$game" --config config.dmc >/dev/null)

# Wine and Qt take a while to open the first window.
wait_long() {
  local id
  for _ in 1 2 3 4 5 6; do
    id="$(wait_window "$1" 2>/dev/null)" && { echo "$id"; return 0; }
  done
  wait_window "$1"
}
keys() {
  local id="$1"; shift
  xdotool windowfocus --sync "$id"
  sleep 0.3
  xdotool key "$@"
  sleep 0.5
}
capture() {
  import -window "$1" "$out/windows-$2.png"
  echo "$out/windows-$2.png"
}

(cd "$work/run" && exec wine "$bin/mctfutil.exe" "${platform[@]}") >"$work/app.log" 2>&1 &
# shellcheck disable=SC2034  # xvfb_cleanup ends it
app_pid=$!
main="$(wait_long "Morvane Quake")"
sleep 2
capture "$main" main-1
sleep 0.7
capture "$main" main-2
if cmp -s "$out/windows-main-1.png" "$out/windows-main-2.png"; then
  echo "the animations did not move between the two captures" >&2
  exit 1
fi

# Setup Server (Alt+E) opens the sheet.
keys "$main" alt+e
sheet="$(wait_long "Server Settings")"
sleep 1
capture "$sheet" sheet
keys "$sheet" Escape

# About, from the Help menu.
keys "$main" alt+h a
about="$(wait_long "About mctfutil")"
sleep 1
capture "$about" about
keys "$about" Return
