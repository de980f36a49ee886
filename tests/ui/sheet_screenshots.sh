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
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done

wait_window() {
  local id=""
  for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)"
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window '$1' did not appear" >&2
  cat "$work/app.log" >&2
  return 1
}

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
  local page
  for page in general maps deathmatch morvane bots; do
    import -window "$sheet" "$out/$prefix-$page.png"
    echo "$out/$prefix-$page.png"
    xdotool key ctrl+Tab
    sleep 0.4
  done
  xdotool key Escape
  wait "$app_pid"
  app_pid=""
  grep -q cancelled "$work/app.log" || { cat "$work/app.log" >&2; exit 1; }
}

shoot_pages sheet
QT_SCALE_FACTOR=1.5 shoot_pages sheet-scaled
