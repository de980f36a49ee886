#!/usr/bin/env bash
# The units of mctfcli systemd at work. Their account is nobody, which cannot
# read the settings file nor enter the temporary folder at first: mctfcli
# names both, and the commands it gives mend them. systemd-analyze security
# rates each service at most 4.0 (system and --user units). Each ExecStart
# then runs as nobody with the unit's umask: morvane.sh starts the server
# named with --server (a stand-in writing a match into the log folder) with
# the arguments after --, the statistics make pages of it in --out, and
# morvane.sh without a server exits 78. Skipped (77) unless root with systemd-analyze.
#
#   tests/cli/systemd_service.sh MCTFCLI
set -uo pipefail
((EUID == 0)) || { echo "SKIP: not root"; exit 77; }
command -v systemd-analyze >/dev/null || { echo "SKIP: systemd-analyze is not installed"; exit 77; }
work="$(mktemp -d "${TMPDIR:-/tmp}/mctfcli-service.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cli="$(realpath "$1")" && cd "$work" && mkdir -p q3/morvane bin system user && mkdir -m 700 runtime || exit 1
cp "$cli" bin/mctfcli && cli="$work/bin/mctfcli"  # the units run this copy
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
as_nobody() { setpriv --reuid=nobody --regid=nogroup --init-groups "$@"; }
# Runs the ExecStart= of system unit $1 as nobody, after the words given next.
exec_start() { eval "set -- \"\${@:2}\" $(sed -n 's/^ExecStart=//p' "system/$1")"; as_nobody "$@"; }

cat >bin/engine <<'EOF'
#!/bin/sh
printf '%s\n' "$@" >args
printf '%s\n' '  0:00 InitGame: \sv_hostname\Hall' '  0:01 ClientUserinfoChanged: 0 n\Ann\t\0' \
  '  0:01 ClientBegin: 0' '  5:01 Exit: Fraglimit hit.' >>morvane/logfile.log
EOF
chmod 755 bin/engine
"$cli" settings set "quakePath=$work/q3" >/dev/null 2>&1 || fail "settings set"
chown -R nobody q3
units=("$cli" systemd --write system --out "$work/www/q3" --server "$work/bin/engine" -- +set "a b")
"${units[@]}" >/dev/null 2>err && fail "nobody's problems not found"
grep -c 'fix: ' err | grep -qx 2 || fail "not the two problems: $(cat err)"
while IFS= read -r fix; do
  [[ $fix == *" $work"* ]] && eval "$fix" || fail "fix: $fix"
done < <(sed -n 's/.*; fix: //p' err)
"${units[@]}" >/dev/null 2>err || fail "after the fixes: $(cat err)"
[[ $(stat -c %U:%a www/q3) == nobody:755 ]] || fail "pages folder: $(stat -c %U:%a www/q3)"
"$cli" systemd --user --write user --out "$work/www/q3" --server "$work/bin/engine" >/dev/null 2>&1 || fail "--user units"
for unit in {system,user}/morvane-{server,stats}.service; do
  XDG_RUNTIME_DIR=$work/runtime systemd-analyze "--${unit%%/*}" security --offline=true \
    --threshold=40 "$unit" >/dev/null 2>&1 || fail "$unit exposure above 4.0"
done

server=$(sed -n 's/^Environment="\(.*\)"$/\1/p' system/morvane-server.service)
(umask 077 && exec_start morvane-server.service env "$server" 2>/dev/null) || fail "server ExecStart"
[[ $(tail -2 q3/args) == $'+set\na b' && $(stat -c %U q3/morvane/logfile.log) == nobody ]] ||
  fail "server: $(cat q3/args)"
(umask 022 && exec_start morvane-stats.service) || fail "statistics ExecStart"
[[ $(stat -c %U:%a www/q3/pstats.htm) == nobody:644 ]] || fail "pages: $(ls -l www/q3)"
if [[ ! -e /usr/lib/ioquake3/ioq3ded ]]; then
  rm bin/engine && exec_start morvane-server.service env -u MCTF_SERVER PATH=/nowhere 2>/dev/null
  status=$?; ((status == 78)) || fail "no server: exit $status"
fi

((failures == 0)) || { echo "$failures failure(s)" >&2; exit 1; }
echo "mctfcli systemd: the units rate at most 4.0 and do their work as their account"
