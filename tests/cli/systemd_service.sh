#!/usr/bin/env bash
# The units of mctfcli systemd for nobody, after the fixes mctfcli names: each service rated at
# most 4.0 (system and --user), each ExecStart run as nobody, morvane.sh starting --server with
# the words after --, the statistics writing pages; without a server morvane.sh exits 78 and
# mctfcli asks for --server. Skipped (77) unless root with systemd-analyze.
#
#   tests/cli/systemd_service.sh MCTFCLI
set -uo pipefail
((EUID == 0)) || { echo "SKIP: not root"; exit 77; }
command -v systemd-analyze >/dev/null || { echo "SKIP: systemd-analyze is not installed"; exit 77; }
work="$(mktemp -d "${TMPDIR:-/tmp}/mctfcli-service.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cli="$(realpath "$1")" logs="$(dirname "$(realpath "$0")")/../../examples/logs"
cd "$work" && mkdir -p q3/morvane bin system user runtime && cp "$logs"/*.log q3/morvane/ || exit 1
cp "$cli" bin/mctfcli && cli="$work/bin/mctfcli"  # the units run this copy
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >morvane/args\n' >bin/engine && chmod 755 bin/engine
failures=0 && fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Runs the ExecStart= of system unit $1 as nobody, after the words given next.
exec_start() { eval "set -- \"\${@:2}\" $(sed -n 's/^ExecStart=//p' "system/$1")"
  setpriv --reuid=nobody --regid=nogroup --init-groups "$@"; }
"$cli" settings set "quakePath=$work/q3" >/dev/null 2>&1 && chown -R nobody q3 || fail "settings"
units=(systemd --write system --out "$work/www/q3" --server "$work/bin/engine" -- +set "a b")
"$cli" "${units[@]}" >/dev/null 2>err && fail "nobody's problems not found"
[[ $(grep -c 'fix: ' err) == 2 ]] || fail "not the two problems: $(cat err)"
while IFS= read -r fix; do
  [[ $fix == *" $work"* ]] && eval "$fix" || fail "fix: $fix"
done < <(sed -n 's/.*; fix: //p' err)
"$cli" "${units[@]}" >/dev/null 2>err || fail "after the fixes: $(cat err)"
[[ $(stat -c %U:%a www/q3) == nobody:755 ]] || fail "pages folder: $(stat -c %U:%a www/q3)"
# An admin of the service's group saves config.dmc: its group stays, or the statistics lose it.
mkdir adm && cp config.dmc adm/ && chown -R nobody adm && chgrp daemon adm/config.dmc
setpriv --reuid=nobody --regid=nogroup --groups=daemon "$cli" settings set --config adm/config.dmc \
  hostname=Kept >/dev/null 2>&1 && [[ $(stat -c %G adm/config.dmc) == daemon ]] || fail "config.dmc's group"
"$cli" systemd --user --write user --server "$work/bin/engine" >/dev/null 2>&1 || fail "--user"
for unit in {system,user}/morvane-{server,stats}.service; do
  XDG_RUNTIME_DIR=$work/runtime systemd-analyze "--${unit%%/*}" security --offline=true \
    --threshold=40 "$unit" >/dev/null 2>&1 || fail "$unit exposure above 4.0"
done
server=$(sed -n 's/^Environment="\(.*\)"$/\1/p' system/morvane-server.service)
(umask 077 && exec_start morvane-server.service env "$server" 2>/dev/null) || fail "server run"
[[ $(tail -2 q3/morvane/args) == $'+set\na b' ]] || fail "server: $(cat q3/morvane/args)"
(umask 022 && exec_start morvane-stats.service) || fail "statistics ExecStart"
[[ $(stat -c %U:%a www/q3/pstats.htm) == nobody:644 ]] || fail "pages: $(ls -l www/q3)"
if ! PATH=/usr/local/bin:/usr/bin:/bin:/usr/lib/ioquake3 command -v ioq3ded >/dev/null; then
  rm bin/engine && exec_start morvane-server.service env -u MCTF_SERVER PATH=/no 2>/dev/null
  status=$?; ((status == 78)) || fail "no server: exit $status"
  [[ $("$cli" systemd 2>&1) == *"; name one with --server PATH" ]] || fail "--server not asked"
fi

((failures == 0)) || { echo "$failures failure(s)" >&2; exit 1; }
echo "mctfcli systemd: the units rate at most 4.0 and do their work as their account"
