#!/usr/bin/env bash
# Starts the desktop program. Where no window can be shown it runs the
# statistics of mctfcli on the bundled sample logs instead, so `make run`
# still shows what the program makes.
#
#   scripts/run.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"

if [[ -x "$build/ui/mctfutil" && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  # The program keeps config.dmc in the folder it starts in: give it one of
  # its own rather than the source tree.
  mkdir -p "$build/run"
  cd "$build/run"
  echo "Starting mctfutil in $build/run (its config.dmc lives there)."
  exec "$build/ui/mctfutil"
fi

if [[ ! -x "$build/ui/mctfutil" ]]; then
  echo "The desktop program was not built (Qt 6 missing?)." >&2
else
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the window cannot be shown." >&2
fi
echo "Running 'mctfcli stats' on the sample logs in examples/logs instead." >&2

cli="$build/cli/mctfcli"
work="$(mktemp -d "${TMPDIR:-/tmp}/mctfutil-sample.XXXXXX")"
game="$work/game"
mkdir -p "$game/morvane" "$work/logs"
cp "$root"/examples/logs/*.log "$work/logs/"
cp "$root/examples/clanlist.txt" "$game/morvane/"

# config.dmc in the temporary folder, with the game path pointed at the
# sample game folder so the clan list is found.
(cd "$work" && "$cli" settings set "quakePath=$game")
(cd "$work" && "$cli" stats --logs "$work/logs")
echo "Statistics pages written: $work/logs/pstats.htm"
