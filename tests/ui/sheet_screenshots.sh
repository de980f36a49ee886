#!/usr/bin/env bash
# Opens the "Server Settings" sheet (tests/ui/preview/sheet_preview) under a
# virtual X server and captures every page as a PNG, at the normal size and
# again with the interface scaled by 1.5.
#
#   tests/ui/sheet_screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# Needs Xvfb, xdotool and ImageMagick (scripts/install-deps.sh --screens).
set -euo pipefail
[[ -n "${TRACE:-}" ]] && set -x

root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$build/screens}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
preview="$build/tests/ui/preview/sheet_preview"
[[ -x "$preview" ]] || { echo "build sheet_preview first: $preview" >&2; exit 1; }

work="$(mktemp -d)"
source "$root/tests/ui/xvfb_session.sh"
start_xvfb 1280x1024x24

# Captures every tab of one run of the sheet; $1 is the file name prefix.
shoot_pages() {
  local prefix="$1"
  (cd "$work" && QT_QPA_PLATFORM=xcb exec "$preview") >"$work/app.log" 2>&1 &
  app_pid=$!
  local sheet
  sheet="$(wait_window "Server Settings")"
  # No window manager: the window takes the focus by request, not by raising.
  xdotool windowfocus --sync "$sheet"
  sleep 0.5
  local page previous=""
  for page in general maps deathmatch morvane bots; do
    import -window "$sheet" "$out/$prefix-$page.png"
    echo "$out/$prefix-$page.png"
    if [[ -n "$previous" ]] && cmp -s "$previous" "$out/$prefix-$page.png"; then
      echo "Ctrl+Tab did not move to the $page page" >&2
      exit 1
    fi
    previous="$out/$prefix-$page.png"
    xdotool key ctrl+Tab
    sleep 0.4
  done
  # Back on General: a refused value (Alt+T, Server Type, takes 0 to 2).
  xdotool key alt+t ctrl+a 9 Return
  sleep 0.7
  import -window root -trim +repage "$out/$prefix-refusal.png" && echo "$out/$prefix-refusal.png"
  xdotool key Return
  xdotool key Escape
  wait "$app_pid"
  app_pid=""
  grep -q cancelled "$work/app.log" || { cat "$work/app.log" >&2; exit 1; }
}

shoot_pages sheet
QT_SCALE_FACTOR=1.5 shoot_pages sheet-scaled
