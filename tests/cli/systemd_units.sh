#!/usr/bin/env bash
# mctfcli systemd end to end: the units written for a game folder whose path
# holds a blank, "$HOME" and "%n" (morvane.sh a stand-in when server-files wrote
# none; q3ded its copy), as system units and as --user units, each set passing
# `systemd-analyze verify` without a word. Skipped (77) without systemd-analyze.
#
#   tests/cli/systemd_units.sh MCTFCLI
set -uo pipefail
cli="$1"
command -v systemd-analyze >/dev/null || { echo "SKIP: systemd-analyze is not installed"; exit 77; }
work="$(mktemp -d "${TMPDIR:-/tmp}/mctfcli-systemd.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
game="$work/q3 \$HOME %n"
units=(morvane-server.service morvane-stats.service morvane-stats.timer)
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Runs COMMAND...; its output, if any, is a failure.
silent() { local said; if ! said=$("$@" 2>&1) || [[ -n $said ]]; then fail "$*: $said"; fi; }

mkdir -p "$game/baseq3" "$game/morvane" system user
mkdir -m 700 runtime
"$cli" settings set "quakePath=$game" || fail "settings set"
[[ -x $game/morvane.sh ]] || { printf '#!/bin/sh\nexit 0\n' >"$game/morvane.sh" && chmod +x "$game/morvane.sh"; }
cp "$game/morvane.sh" "$game/q3ded"
if ((EUID == 0)); then
  # An account that is neither root nor nobody, which systemd calls unsafe.
  getent passwd daemon >/dev/null && chown -R daemon "$game" && chmod 755 . && chmod 644 config.dmc
fi

"$cli" systemd --write system >out 2>err || fail "systemd --write: $(cat err)"
[[ $(cat out) == "$(printf 'system/%s\n' "${units[@]}")" && $(<err) == *"unit starts"* ]] ||
  fail "systemd --write said: $(cat out err)"
# The files hold what the command prints.
for unit in "${units[@]}"; do
  [[ $unit == "${units[0]}" ]] || echo
  echo "# $unit" && cat "system/$unit"
done | cmp -s - <("$cli" systemd 2>/dev/null) || fail "printed units differ from the files"
silent systemd-analyze verify --man=no "${units[@]/#/system/}"

"$cli" systemd --user --write user >/dev/null || fail "systemd --user --write"
XDG_RUNTIME_DIR="$work/runtime" silent systemd-analyze --user verify --man=no "${units[@]/#/user/}"
"$cli" systemd --write missing >out 2>&1 && fail "wrote into a missing folder: $(cat out)"

((failures == 0)) || { echo "$failures failure(s)" >&2; exit 1; }
echo "mctfcli systemd: the units pass systemd-analyze verify"
