#!/usr/bin/env bash
# Starts the desktop program, or mctfcli where the window cannot be shown.
set -euo pipefail
build="${1:-build}"
if [[ -x "$build/ui/mctfutil" && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  exec "$build/ui/mctfutil"
fi
echo "No display: showing the command-line tool instead." >&2
exec "$build/cli/mctfcli" --help
