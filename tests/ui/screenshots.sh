#!/usr/bin/env bash
# Starts mctfutil under a virtual X server and captures its windows as PNGs,
# so anyone can look at what the program really draws.
#
#   tests/ui/screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# Needs Xvfb, xdotool and ImageMagick (scripts/install-deps.sh --screens).
# There is no window manager under Xvfb: windows get the focus with
# `xdotool windowfocus` or a click, never `windowactivate`.
set -euo pipefail
[[ -n "${TRACE:-}" ]] && set -x

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screens}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

work="$(mktemp -d)"
source "$root/tests/ui/xvfb_session.sh"
start_xvfb 1024x768x24

# Gives window $1 the keyboard focus and types the keys $2...
keys() {
  local id="$1"; shift
  xdotool windowfocus --sync "$id"
  sleep 0.2
  xdotool key "$@"
  sleep 0.3
}

# Captures window $1 into $out/$2.png.
capture() {
  import -window "$1" "$out/$2.png"
  echo "$out/$2.png"
}

# The program keeps config.dmc in its start folder: a scratch one.
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$build/ui/mctfutil") >"$work/app.log" 2>&1 &
app_pid=$!

main="$(wait_window "Morvane Quake")"
sleep 1
capture "$main" main-1
sleep 0.7
capture "$main" main-2
if cmp -s "$out/main-1.png" "$out/main-2.png"; then
  echo "the animations did not move between the two captures" >&2
  exit 1
fi

# About box, from the Help menu: Alt+H opens the menu, A picks About.
keys "$main" alt+h a
about="$(wait_window "About mctfutil")"
sleep 0.3
capture "$about" about
keys "$about" Return

# Setup/Game Path.
keys "$main" alt+s g
path="$(wait_window "Morvane Setup")"
sleep 0.3
capture "$path" game-path
keys "$path" Escape

# Players Stats on the sample logs: the prompt, then the closing message.
mkdir -p "$work/logs"
cp "$root"/examples/logs/*.log "$work/logs/"
read -r x y w h < <(xdotool getwindowgeometry --shell "$main" |
                    awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ {printf "%s ", $2} END {print ""}')
# The button sits in the middle of the bottom row.
xdotool mousemove --window "$main" $((w / 2)) $((h - 22)) click 1
prompt="$(wait_window "Player Stats")"
sleep 0.3
capture "$prompt" player-stats
keys "$prompt" ctrl+a
xdotool type --delay 5 "$work/logs"
xdotool key Return
# The analysis ends with its message box over the main window. xdotool does
# not find that box by its title under Xvfb, so the whole screen is captured.
sleep 1.5
import -window root -trim +repage "$out/stats-written.png"
echo "$out/stats-written.png"
xdotool key Return
sleep 0.5
[[ -f "$work/logs/pstats.htm" ]] || { echo "no pstats.htm written" >&2; exit 1; }

# The same windows on a 2x screen, where the clips and the About pictures
# are their @2x drawings.
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
(cd "$work" && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 exec "$build/ui/mctfutil") >"$work/app.log" 2>&1 &
app_pid=$!
main="$(wait_window "Morvane Quake")"
sleep 1
capture "$main" main-2x
keys "$main" alt+h a
about="$(wait_window "About mctfutil")"
sleep 0.3
capture "$about" about-2x
keys "$about" Return
