#!/usr/bin/env bash
# mctfutil.exe under Wine on a virtual X server, in a Wine prefix of its own:
# PNGs of the main window (twice: the clips must move), the Server Settings
# sheet and the About box, in the Windows style.
#
#   tests/windows/screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR is a cross-build with the window (make windows-build). Needs
# Wine, Xvfb, xdotool and ImageMagick (scripts/install-deps.sh --screens).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build-windows}" && pwd)"
out="${2:-$build/screens}"
mkdir -p "$out" && out="$(cd "$out" && pwd)"
bin="$build/bin"

work="$(mktemp -d)"
# shellcheck source=tests/ui/xvfb_session.sh
source "$root/tests/ui/xvfb_session.sh"
start_xvfb 1024x768x24
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; xvfb_cleanup' EXIT
wineboot -i >/dev/null 2>&1 && wineserver -w

# A stand-in game folder as the game path, so Setup Server opens the sheet.
mkdir -p "$work/run" "$work/q3/morvane"
cd "$work/run"
wine "$bin/mctfcli.exe" settings reset --yes --config config.dmc >/dev/null
wine "$bin/mctfcli.exe" settings set "quakePath=Z:${work//\//\\}\\q3" --config config.dmc >/dev/null

# Wine and Qt take a while to open the first window.
wait_long() { for _ in 1 2 3 4 5; do wait_window "$1" 2>/dev/null && return; done; wait_window "$1"; }
keys() { xdotool windowfocus --sync "$1" && sleep 0.3 && xdotool key "${@:2}" && sleep 0.5; }
capture() { import -window "$1" "$out/windows-$2.png" && echo "$out/windows-$2.png"; }

# Under Wine 8 Qt's default font engine (DirectWrite) draws no text in line
# edits; FreeType, built into Qt, does. Wine passes no QT_* variable on.
wine "$bin/mctfutil.exe" -platform windows:fontengine=freetype >"$work/app.log" 2>&1 &
# shellcheck disable=SC2034  # xvfb_cleanup ends it
app_pid=$!
main="$(wait_long "Morvane Quake")"
sleep 2 && capture "$main" main-1 && sleep 0.7 && capture "$main" main-2
cmp -s "$out/windows-main-1.png" "$out/windows-main-2.png" &&
  { echo "the clips did not move between the two captures" >&2; exit 1; }
keys "$main" alt+e
sheet="$(wait_long "Server Settings")"
sleep 1 && capture "$sheet" sheet && keys "$sheet" Escape
keys "$main" alt+h a
about="$(wait_long "About mctfutil")"
sleep 1 && capture "$about" about && keys "$about" Return
