# Sourced by the screenshot scripts: a private virtual X server and the
# helpers to find and capture windows on it. The caller sets `work` (a
# scratch folder, removed on exit) and may set `app_pid`.
#
# There is no window manager under Xvfb: windows get the focus with
# `xdotool windowfocus` or a click, never `windowactivate`.

xvfb_pid=""
app_pid=""
xvfb_cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap xvfb_cleanup EXIT

# Starts Xvfb on a display number nobody uses, with the screen size $1.
start_xvfb() {
  local display=99
  while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 "$1" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X$display ]] && xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

# Waits for a window whose title is exactly $1 and prints its id.
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
