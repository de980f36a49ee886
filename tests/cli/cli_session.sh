#!/usr/bin/env bash
# mctfcli end to end, in a temporary folder: a server set up from nothing,
# refused values that leave every file as it was, a wrong --config that is
# never overwritten, read-only commands that create nothing, and the usage
# conventions (streams and exit codes).
#
#   tests/cli/cli_session.sh MCTFCLI
set -uo pipefail
cli="$1"
completion="$(realpath "$(dirname "$0")/../../packaging/mctfcli.bash-completion")"
work="$(mktemp -d "${TMPDIR:-/tmp}/mctfcli-session.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The session's own folder; the captured output stays beside it.
mkdir "$work/s"
cd "$work/s"
out="$work/out" err="$work/err"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# expect STATUS COMMAND...: runs it, keeping stdout in out and stderr in err.
expect() {
  local want="$1"; shift
  "$@" >"$out" 2>"$err" </dev/null
  local got=$?
  [[ $got == "$want" ]] || fail "exit $got, not $want: $* ($(cat "$err"))"
}
same() { cmp -s "$1" "$2" || fail "$3"; }
# Every file of the session's folder, with its checksum.
files() { find . -type f -print0 | sort -z | xargs -0 sha1sum; }

# Read-only commands work from the defaults and create nothing.
expect 0 "$cli" settings show
[[ $(head -1 "$out") == "version=2" && $(wc -l <"$out") == 33 ]] || fail "settings show: $(cat "$out")"
expect 0 "$cli" settings get hostname fragLimit
[[ $(cat "$out") == $'Morvane Quake\n20' ]] || fail "settings get: $(cat "$out")"
expect 0 "$cli" maplist show
expect 1 "$cli" stats --logs "$work/logs"
grep -qx "mctfcli: $work/logs: no such folder" "$err" || fail "stats error: $(cat "$err")"
expect 1 "$cli" stats  # the default statistics folder, not there
grep -qxF 'mctfcli: C:\Program Files\Quake III Arena\baseq3: no such folder' "$err" || fail "stats: $(cat "$err")"
[[ ! -e config.dmc ]] || fail "a read-only command created config.dmc"

# A pak as small as the map scan allows: the local-header signature, then
# central headers (signature, 42 bytes with the name's length at byte 24).
zeros() { head -c "$1" /dev/zero; }
entry() { printf 'PK\x01\x02'; zeros 24; printf "\\x$(printf %02x ${#1})"; zeros 17; printf %s "$1"; }
pak="$work/maps.pk3"
{ printf 'PK\x03\x04'; zeros 26; entry maps/q3ctf2.bsp; entry maps/q3ctf1.bsp;
  entry levelshots/q3ctf1.jpg; } >"$pak"

# A server set up from nothing.
mkdir -p q3/baseq3 q3/morvane
expect 0 "$cli" settings set "quakePath=$work/s/q3" "hostname=Frag Hall" netPort=27961 \
  "gameType=quake 3 ctf"
expect 0 "$cli" maplist add $("$cli" maps "$pak") q3dm17
expect 0 "$cli" maplist show
[[ $(cat "$out") == $'q3ctf1\nq3ctf2\nq3dm17' ]] || fail "maplist show: $(cat "$out")"
expect 0 "$cli" maplist remove q3dm17
[[ $(cat q3/morvane/q3ctf.map) == $'q3ctf1\nq3ctf2' ]] || fail "list file: $(cat q3/morvane/q3ctf.map)"
grep -q '^set sv_hostname "Frag Hall"$' q3/baseq3/morvane.cfg || fail "script: hostname"
grep -q '^set d2 "map q3ctf2 ; set nextmap vstr d1"$' q3/baseq3/morvane.cfg || fail "script: maps"
[[ $(cat q3/morvane.bat) == "\"$work/s/q3\\quake3.exe\" +set dedicated 2 +set net_port 27961 +exec morvane.cfg" ]] ||
  fail "launch line: $(cat q3/morvane.bat)"
expect 0 "$cli" settings get mapCount gameType netPort
[[ $(cat "$out") == $'2\n3\n27961' ]] || fail "stored values: $(cat "$out")"
# The files with the passwords are their owner's alone when new; a file
# written again keeps its mode, and the launcher runs wherever it is read.
modes() { stat -c %a config.dmc q3/baseq3/morvane.cfg q3/morvane.sh | paste -sd ' '; }
[[ $(modes) == "600 600 755" ]] || fail "modes of new files: $(modes)"
chmod 640 config.dmc q3/baseq3/morvane.cfg q3/morvane.sh
expect 0 "$cli" settings set "hostname=Frag Hall"
[[ $(modes) == "640 640 750" ]] || fail "modes kept: $(modes)"
expect 1 "$cli" stats  # the game's log folder stands in for the Windows default
grep -qxF "mctfcli: $work/s/q3/baseq3: ERROR Cannot find any log files!" "$err" ||
  fail "stats in the log folder: $(cat "$err")"

# Refused assignments: every file stays byte for byte, with the right status.
files >"$work/before"
for refused in "1 fragLimit=10001" "1 netPort=x" "1 serverPassword=0123456789abcdef" \
               "1 dmFlags=4" "2 noSuchField=1" "2 mapCount=3" "2 version=2" "2 fragLimit"; do
  expect "${refused%% *}" "$cli" settings set "${refused#* }"
  [[ -s "$err" && ! -s $out ]] || fail "settings set ${refused#* }: nothing said"
  files | cmp -s - "$work/before" || fail "settings set ${refused#* } changed a file"
done
expect 1 "$cli" maplist add "two words"
expect 1 "$cli" maplist remove q3dm17
files | cmp -s - "$work/before" || fail "a refused maplist call changed a file"

# A save that fails keeps the old file and says so (no file may grow: a full disk).
full() { (trap "" XFSZ; ulimit -f 0; exec "$@") 2>&1 | cat >&2; return "${PIPESTATUS[0]}"; }
cp config.dmc config.copy
expect 1 full "$cli" settings set fragLimit=31
grep -A1 -x "mctfcli: config.dmc: cannot be written; .*" "$err" | grep -qx "mctfcli: config.dmc: File too large" || fail "failed save: $(cat "$err")"
same config.dmc config.copy "a failed save changed config.dmc"
mv q3/morvane/q3ctf.map list.copy && mkfifo q3/morvane/q3ctf.map  # never replaced
expect 1 "$cli" maplist add q3dm7
grep -qx "mctfcli: $work/s/q3/morvane/q3ctf.map: cannot be written; .*" "$err" ||
  fail "failed list save: $(cat "$err")"
rm q3/morvane/q3ctf.map && mv list.copy q3/morvane/q3ctf.map && cp config.copy config.dmc

# A wrong --config is never overwritten; a missing one is an error.
cp q3/baseq3/morvane.cfg script.copy
for command in "stats" "server-files" "settings show" "settings set fragLimit=1" \
               "maplist clear" "settings reset --yes"; do
  expect 1 "$cli" $command --config q3/baseq3/morvane.cfg
  grep -q "^mctfcli: q3/baseq3/morvane.cfg: " "$err" || fail "$command: $(cat "$err")"
done
same q3/baseq3/morvane.cfg script.copy "a wrong --config was overwritten"
printf 'ab' >short.dmc
expect 1 "$cli" settings show --config short.dmc
expect 1 "$cli" settings show --config missing.dmc
expect 0 "$cli" settings reset --yes --config other.dmc
[[ $(stat -c %s other.dmc) == 808 ]] || fail "reset did not create other.dmc"
expect 0 "$cli" --config=other.dmc settings get quakePath
[[ $(cat "$out") == 'C:\Program Files\Quake III Arena' ]] || fail "leading --config: $(cat "$out")"

# Reset without a terminal needs --yes.
expect 2 "$cli" settings reset
same q3/baseq3/morvane.cfg script.copy "reset without --yes changed something"
expect 0 "$cli" settings reset --yes
[[ $(cat "$out") == "Settings Reset" ]] || fail "reset: $(cat "$out")"
expect 0 "$cli" settings get quakePath gameType
[[ $(cat "$out") == $'C:\\Program Files\\Quake III Arena\n4' ]] || fail "after reset: $(cat "$out")"

# --user-settings, wherever it stands: config.dmc in $XDG_CONFIG_HOME/mctfutil,
# the folder created on first use; the current folder's file is left alone.
# A new game path's own list is read, not written over.
user=(env XDG_CONFIG_HOME="$work/xdg" "$cli")
printf 'm1\nm2\nm3\n' >q3/morvane/mctf.map
expect 0 "${user[@]}" settings set --user-settings fragLimit=31 "quakePath=$work/s/q3"
[[ $(cat "$err") == "mctfcli: $work/s/q3/morvane/mctf.map: map list read (3 maps)" ]] ||
  fail "new game path: $(cat "$err")"
grep -q '"map m3 ; set nextmap vstr d1"' q3/morvane/morvane.cfg || fail "new game path: script"
[[ $(stat -c %s "$work/xdg/mctfutil/config.dmc") == 808 ]] || fail "no user config.dmc"
expect 0 "${user[@]}" --user-settings settings get fragLimit
[[ $(cat "$out") == 31 ]] || fail "user settings: $(cat "$out")"
expect 0 "$cli" settings get fragLimit
[[ $(cat "$out") == 20 ]] || fail "--user-settings changed config.dmc: $(cat "$out")"
touch "$work/file"
expect 1 env XDG_CONFIG_HOME="$work/file" "$cli" settings show --user-settings
grep -q "^mctfcli: Cannot create the settings folder $work/file: " "$err" ||
  fail "user folder error: $(cat "$err")"

# Usage conventions.
expect 2 "$cli"
grep -q "^Usage: mctfcli" "$err" && [[ ! -s $out ]] || fail "bare mctfcli"
expect 0 "$cli" --help
grep -q "^Usage: mctfcli" "$out" || fail "--help"
expect 0 "$cli" help maplist
grep -q "^Usage: mctfcli maplist" "$out" || fail "help maplist"
expect 0 "$cli" settings --help
grep -q "^  fragLimit       0 to 10000$" "$out" || fail "settings --help: $(cat "$out")"
expect 0 "$cli" stats --config --help
grep -q "^Usage: mctfcli stats" "$out" || fail "stats --config --help"
expect 0 "$cli" --version
grep -Eq "^mctfutil [0-9]+(\.[0-9]+)*$" "$out" || fail "--version: $(cat "$out")"
expect 2 "$cli" frobnicate
expect 2 "$cli" stats --frobnicate
expect 2 "$cli" stats --logs
grep -q "logs" "$err" || fail "missing value: $(cat "$err")"
"$cli" settings show >/dev/full 2>"$err"
[[ $? == 1 && $(cat "$err") == "mctfcli: standard output: No space left on device" ]] || fail "full"
"$cli" --help >&- 2>"$err"  # no standard output at all
[[ $? == 1 && $(cat "$err") == "mctfcli: standard output: Bad file descriptor" ]] || fail "closed"

# The manual's entry of every command and action starts with its synopsis in
# the list of commands (in lower case, as the manual writes the operands).
entries=$'\n'$(sed -n '/^\.SH COMMANDS/,/^\.SH OPTIONS/{/^\.T[PQ]$/{n;p}}' \
  "$(dirname "$completion")/mctfcli.1" | sed 's/\\f[RBI]//g; s/\\-/-/g' | while read -r macro words; do
  [[ $macro == .BI ]] && words=$(xargs printf %s <<<"$words"); echo "$words"; done)$'\n'
while read -r name synopsis; do
  IFS='|' read -ra synopses <<<"$synopsis"
  for synopsis in "${synopses[@]:-}"; do
    want="${name,,}${synopsis:+ ${synopsis,,}}"
    [[ $name == help || $entries == *$'\n'"$want"[$'\n ']* ]] || fail "manual: no entry $want"
  done
done < <("$cli" --help | sed -n '/^Commands:/,/^  help/s/^  \([^ ].*\)/\1/p')

# The completion offers what the program lists (where bash-completion is):
# for each command and action its actions, options, operands, and the values
# of its options by their kind, from a folder of chosen files.
if [[ -r /usr/share/bash-completion/bash_completion ]]; then
  # offered WORD... CUR: what the completion offers for CUR after the words,
  # sorted (compopt, which fails outside a real completion, is silenced).
  offered() {
    # shellcheck source=/dev/null
    (source /usr/share/bash-completion/bash_completion && source "$completion" &&
     COMP_WORDS=("$cli" "$@") COMP_CWORD=$# COMP_LINE="$cli $*" COMP_POINT=${#COMP_LINE} &&
     _mctfcli 2>/dev/null; printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' ')
  }
  mkdir -p "$work/c/sub" && cd "$work/c" && touch a.dmc b.json c.pk3 d.BSP e.txt
  while IFS='|' read -r line cur want; do
    # shellcheck disable=SC2086  # the words of the line
    got=$(XDG_CONFIG_HOME="$work/xdg" offered $line "$cur")
    [[ $got == "$want" ]] || fail "completion of '$line $cur': '$got', not '$want'"
  done <<'EOF'
||help maplist maps server-files settings stats status systemd
|-|--config --help --user-settings --version
--config||a.dmc sub
help|s|server-files settings stats status systemd
settings||get reset set show
settings|-|--help
settings show|-|--config --help --json --user-settings
settings get|q|quadFactor quakePath
settings set|frag|fragLimit=
settings set|fragLimit=|
settings reset|-|--config --help --user-settings --yes
maplist||add check clear remove show
maplist show|-|--config --help --user-settings
maplist add|-|--config --help --user-settings
maplist --user-settings remove||m1 m2 m3
maplist clear|-|--config --help --user-settings
maplist check|-|--config --help --user-settings
server-files|-|--config --help --user-settings
maps|-|--help
maps||c.pk3 d.BSP sub
stats|-|--config --help --json --logs --no-pages --out --quiet --seed --user-settings
stats --json||b.json sub
stats --logs x --out||sub
systemd|-|--config --every --help --out --server --user --user-settings --write
systemd --server||a.dmc b.json c.pk3 d.BSP e.txt sub
systemd --|-|--config --every --help --out --server --user --user-settings --write
status|-|--config --help --json --quiet --timeout --user-settings
status --timeout||
EOF
fi

((failures == 0)) || { echo "$failures failure(s)" >&2; exit 1; }
echo "mctfcli session: all checks passed"
