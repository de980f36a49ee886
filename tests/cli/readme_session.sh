#!/usr/bin/env bash
# The README's Linux session, run as written: every "$ " line of the block
# between <!-- linux-session --> and <!-- /linux-session --> runs in one
# shell, and what it prints must be the lines the README shows below it.
# /srv and /var/www stand for folders of a temporary root, ~ for a home in
# it; the game folder holds a stand-in dedicated server that records its
# arguments and writes one match into the log where the engine would.
# Then the cron line in cron's environment, mctfcli installed from BUILD into a prefix;
# morvane.sh itself: shellcheck, MCTF_SERVER, no server at all, and a
# game folder whose name holds a blank and a single quote.
#
#   tests/cli/readme_session.sh MCTFCLI README BUILD
set -uo pipefail
cli="$(realpath "$1")"
readme="$(realpath "$2")"
root="$(mktemp -d "${TMPDIR:-/tmp}/mctfcli-readme.XXXXXX")"
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A pak as small as the map scan allows (see cli_session.sh).
zeros() { head -c "$1" /dev/zero; }
entry() { printf 'PK\x01\x02'; zeros 24; printf "\\x$(printf %02x ${#1})"; zeros 17; printf %s "$1"; }
pak() {
  { printf 'PK\x03\x04'; zeros 26; for map in "${@:2}"; do entry "maps/$map.bsp"; done; } >"$1"
}

# The stand-in engine: its arguments into $STANDIN_ARGS, one per line; then
# the log below its home path and game folder, named by g_log of the script.
standin() {
  cat >"$1" <<'EOF'
#!/bin/sh
printf '%s\n' "$@" >"$STANDIN_ARGS"
home=. game=baseq3 script=
while [ $# -gt 0 ]; do
  case $1 in
    +set) case $2 in fs_homepath) home=$3 ;; fs_game) game=$3 ;; esac; shift 3 ;;
    +exec) script=$2; shift 2 ;;
    *) shift ;;
  esac
done
log=$(sed -n 's/^set g_log "\(.*\)"\r*$/\1/p' "$home/$game/$script")
printf '%s\n' '  0:00 InitGame: \sv_hostname\Frag Hall' '  0:01 ClientUserinfoChanged: 0 n\Ann\t\0' \
  '  0:01 ClientBegin: 0' '  0:30 Kill: 0 1 10: Ann killed Bob by MOD_RAILGUN' \
  '  5:01 Exit: Fraglimit hit.' >>"$home/$game/$log"
EOF
  chmod 755 "$1"
}

game="$root/srv/quake3"
mkdir -p "$game/baseq3" "$game/morvane" "$root/var/www/html" "$root/home"
pak "$game/baseq3/pak0.pk3" q3dm1 q3dm17 q3ctf1 q3ctf2 q3ctf3 q3ctf4 q3tourney2
standin "$game/ioq3ded.x86_64"
export HOME="$root/home" PATH="$(dirname "$cli"):$PATH" STANDIN_ARGS="$root/args"
unset MCTF_SERVER

# The session: commands (continued lines joined) and the lines expected.
script="$root/session.sh" expected="$root/expected" got="$root/got"
awk '/<!-- linux-session -->/ { on = 1; next } /<!-- \/linux-session -->/ { on = 0 }
     on && /^    / { print substr($0, 5) }' "$readme" >"$root/block"
[[ -s $root/block ]] || fail "no session in $readme"
: >"$script"; : >"$expected"
n=0 command=
while IFS= read -r line; do
  if [[ -n $command ]]; then
    command+=$'\n'"$line"
  elif [[ $line == '$ '* ]]; then
    n=$((n + 1))
    printf '@@ %d\n' "$n" >>"$expected"
    command=${line#'$ '}
  else
    printf '%s\n' "$line" >>"$expected"
    continue
  fi
  # A line ending in a backslash goes on below.
  [[ $command == *'\' ]] && continue
  printf 'echo "@@ %d"\n%s 2>&1\n' "$n" "$command" >>"$script"
  command=
done <"$root/block"
# The README's folders are the temporary root's.
sed -i -e "s#/srv/#$root/srv/#g" -e "s#/var/www/#$root/var/www/#g" "$script"
(cd "$HOME" && bash "$script") 2>&1 | sed "s#$root##g" >"$got"
diff -u "$expected" "$got" >&2 || fail "the README's session printed something else (above: - README, + run)"

# What the server got, and where its log went.
printf '%s\n' +set fs_basepath "$game" +set fs_homepath "$game" +set fs_game morvane \
  +set dedicated 2 +set net_port 27961 +exec morvane.cfg +set sv_maxclients 12 >"$root/want-args"
cmp -s "$root/want-args" "$STANDIN_ARGS" || fail "server arguments: $(cat "$STANDIN_ARGS")"
grep -q 'Ann' "$root/var/www/html/q3/players.htm" || fail "the pages do not show the log's player"
cron=$(sed -n 's#^    \*/30 \* \* \* \*  ##p' "$readme" | sed "s#/usr/local/\|/var/www/#$root&#g")
cmake --install "$3" --prefix "$root/usr/local" --component mctfcli >/dev/null || fail "install"
rm "$root/var/www/html/q3/pstats.htm" && env -i PATH=/usr/bin:/bin HOME="$HOME" sh -c "$cron" &&
  [[ -s $root/var/www/html/q3/pstats.htm ]] || fail "the cron line: $cron"

# The script itself, as written for this game folder.
if command -v shellcheck >/dev/null; then
  shellcheck "$game/morvane.sh" >&2 || fail "shellcheck morvane.sh"
else
  echo "shellcheck not installed: morvane.sh not checked by it" >&2
fi
printf '#!/bin/sh\nprintf "%%s\\n" other "$@" >"$STANDIN_ARGS"\n' >"$root/other"
chmod 755 "$root/other"
MCTF_SERVER="$root/other" "$game/morvane.sh" x >/dev/null 2>&1 || fail "MCTF_SERVER: exit $?"
[[ $(head -1 "$STANDIN_ARGS") == other && $(tail -1 "$STANDIN_ARGS") == x ]] ||
  fail "MCTF_SERVER: $(cat "$STANDIN_ARGS")"
rm "$game/ioq3ded.x86_64"
mkdir "$root/bin" && standin "$root/bin/ioq3ded"
PATH="$root/bin:$PATH" "$game/morvane.sh" 2>"$root/err" || fail "ioq3ded of the PATH: exit $?"
[[ $(cat "$root/err") == "morvane.sh: starting $root/bin/ioq3ded" ]] || fail "PATH: $(cat "$root/err")"
# Debian's engine would be started: the case of no server at all is for other machines.
if [[ ! -e /usr/lib/ioquake3/ioq3ded ]]; then
  PATH="$root/home" "$game/morvane.sh" 2>"$root/err"; (($? == 78)) || fail "no server: not 78"
  grep -q "^morvane.sh: no dedicated server in $game" "$root/err" || fail "no server: $(cat "$root/err")"
fi

# A game folder whose name the shell must not split or unquote.
odd="$root/q3 it's \$HOME"
mkdir -p "$odd/baseq3" "$odd/morvane"
standin "$odd/q3ded"
(cd "$HOME/q3admin" && mctfcli settings set "quakePath=$odd" "gameType=Quake 3 DM" 2>&1) ||
  fail "odd game folder: settings set"
(cd / && "$odd/morvane.sh") || fail "odd game folder: exit $?"
printf '%s\n' +set fs_basepath "$odd" +set fs_homepath "$odd" +set dedicated 2 \
  +set net_port 27961 +exec morvane.cfg >"$root/want-args"
cmp -s "$root/want-args" "$STANDIN_ARGS" || fail "odd game folder: $(cat "$STANDIN_ARGS")"
[[ -s $odd/baseq3/logfile.log ]] || fail "odd game folder: no log in baseq3"

[[ $failures -eq 0 ]] || { echo "$failures failure(s)" >&2; exit 1; }
echo "the README's session and morvane.sh work as written"
