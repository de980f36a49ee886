#!/usr/bin/env bash
# The real game engine running the files mctfcli writes: Debian's ioquake3
# dedicated server with OpenArena's game and maps, on loopback only, bots at
# ten times speed. Checks what the engine made of the settings (server info,
# cvars, the port), that the rotation plays the list in order and wraps, and
# that mctfcli stats finds the engine's log and counts it as the log reads.
# Skipped (77) when the packages cannot be fetched.
#
#   tests/engine/engine_session.sh MCTFCLI
# MCTF_ENGINE_GAMETYPE and MCTF_ENGINE_MAPS play another game type and list;
# MCTF_ENGINE_KEEP=FILE keeps the log (tests/data/engine/README.md).
set -uo pipefail
cli="$(realpath "$1")"
gametype=${MCTF_ENGINE_GAMETYPE:-Quake 3 DM}
read -ra maps <<<"${MCTF_ENGINE_MAPS:-oa_dm1 oa_dm2 oa_dm3}"
keep="${MCTF_ENGINE_KEEP:+$(realpath -m "$MCTF_ENGINE_KEEP")}"
declare -A gametypeCvar=([Quake 3 DM]=0 [Quake 3 Team DM]=3 [Quake 3 CTF]=4)
packages=(ioquake3-server openarena-server openarena-data openarena-081-maps openarena-081-misc)
cache="${MCTF_ENGINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mctfutil/engine}"
root="$cache/root"
work="$(mktemp -d "${TMPDIR:-/tmp}/mctf-engine.XXXXXX")"
pid=""
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
failures=0

# check WHAT GOT WANT
check() {
  [[ $2 == "$3" ]] && return
  echo "FAIL: $1: got '$2', want '$3'" >&2
  failures=$((failures + 1))
}
mctf() {
  "$cli" "$@" >"$work/cli.out" 2>&1
  local status=$?
  check "mctfcli $*: exit status ($(cat "$work/cli.out"))" "$status" 0
}
console() { printf '%s\n' "$@" >&3; }
# wait_for PATTERN COUNT SECONDS: until the console shows COUNT lines matching.
wait_for() {
  local end=$((SECONDS + $3))
  while (($(grep -c "$1" "$work/engine.out") < $2)); do
    ((SECONDS < end)) && kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.5
  done
}

# The packages, unpacked once into the cache (no install, no root needed).
fetch() {
  mkdir -p "$work/debs" "$cache" 2>/dev/null && cd "$work/debs" || return 1
  apt-get download "${packages[@]}" >/dev/null 2>&1 ||
    { ((EUID == 0)) && apt-get update -qq >/dev/null 2>&1 && apt-get download "${packages[@]}" >/dev/null 2>&1; } ||
    return 1
  rm -rf "$root.new.$$" && for deb in *.deb; do dpkg-deb -x "$deb" "$root.new.$$" || return 1; done
  mv -T "$root.new.$$" "$root" && cd /
}
[[ -x $root/usr/lib/ioquake3/ioq3ded ]] || fetch ||
  { echo "SKIP: cannot fetch the Debian packages ${packages[*]}"; exit 77; }

# A game folder of links to OpenArena: baseoa, and baseq3 for the files of
# the Quake 3 game types.
q3="$work/q3"
mkdir -p "$q3/baseoa" "$q3/morvane" "$work/home" "$work/s" && cd "$work/s" || exit 1
ln -s "$root"/usr/share/games/openarena/baseoa/pak{0,1-maps,5-TA,6-misc}.pk3 \
  "$root/usr/lib/openarena-server/baseoa/qagamex86_64.so" "$q3/baseoa/"
ln -s baseoa "$q3/baseq3"
for port in $(shuf -i 27961-28960 -n 20); do
  [[ -z $(ss -Hunl "sport = :$port") ]] && break
done
mctf settings set "quakePath=$q3" "hostname=Engine Hall" "gameType=$gametype" "netPort=$port" \
  fragLimit=8 timeLimit=2 maxClients=12 botMinPlayers=4 botSkill=2 cheats=1 "motd=Fight on"
mctf maplist add "${maps[@]}"
mctf server-files

# The engine, its console on a FIFO, its home a temporary folder.
mkfifo "$work/console"
masters=()
for n in 1 2 3 4 5; do masters+=(+set "sv_master$n" ""); done
HOME="$work/home" MCTF_SERVER="$root/usr/lib/ioquake3/ioq3ded" "$q3/morvane.sh" \
  +set com_basegame baseoa +set timescale 10 +set dedicated 1 +set ttycon 0 \
  +set net_ip 127.0.0.1 +set net_enabled 1 "${masters[@]}" \
  >"$work/engine.out" 2>&1 <"$work/console" &
pid=$!
exec 3>"$work/console"
wait_for '^ClientBegin:' 1 30 || check "the first bot in the game" "$(tail -3 "$work/engine.out")" ""
# A name with colour codes, as players have them.
console "addbot sarge 3 blue 0 ^1Red^3Fox" serverinfo
declare -A want=([sv_hostname]="Engine Hall" [g_gametype]="${gametypeCvar[$gametype]}"
  [fraglimit]=8 [timelimit]=2 [sv_maxclients]=12 [bot_minplayers]=4 [g_spSkill]=3
  [g_motd]="Fight on" [g_log]=logfile.log [net_port]="$port" [sv_cheats]=1)
console "${!want[@]}"
sockets="$(ss -Hantup | grep "pid=$pid,")"
check "the UDP port the engine listens on" "$(awk '/^udp/ { print $5 }' <<<"$sockets")" "127.0.0.1:$port"
check "an engine socket off loopback" "$(awk '$5 !~ /^127\.0\.0\.1:/' <<<"$sockets")" ""

# mctfcli status against the engine's last map and who is in (asked again while bots come and go).
in_game() {
  sed -n 's/^Server: //p' "$work/engine.out" | tail -1
  awk '$1 == "ClientUserinfoChanged:" { n = $0; sub(/^[^\\]*\\/, "", n); sub(/\\.*/, "", n)
    gsub(/\^./, "", n); name[$2] = n } $1 == "ClientDisconnect:" { delete name[$2] }
    END { for (s in name) print name[s] }' "$work/engine.out" | LC_ALL=C sort
}
wait_for 'n\\^1Red^3Fox' 1 20 || check "^1Red^3Fox in the game" "$(tail -3 "$work/engine.out")" ""
for _ in 1 2 3; do
  before="$(in_game)"
  "$cli" status "127.0.0.1:$port" >"$work/status.txt" 2>&1
  statuses="$? $("$cli" status --json "127.0.0.1:$port" 2>&1 >"$work/status.json"; echo $?)"
  [[ $(in_game) == "$before" ]] && break
done
check "status and status --json ($(cat "$work/status.txt"))" "$statuses" "0 0"
check "status: its first lines" "$(head -2 "$work/status.txt")" \
  "host name: Engine Hall"$'\n'"map:       ${before%%$'\n'*}"
check "status --json: host name, map, players" "$(python3 -c 'import json, sys
d = json.load(open(sys.argv[1]))
print(d["hostName"], d["map"], *sorted(p["name"] for p in d["players"]), sep="\n")' "$work/status.json")" \
  "Engine Hall"$'\n'"$before"

# Each map in turn, then the first again.
wait_for '^Server: ' $((${#maps[@]} + 1)) 90 || check "the rotation" "$(tail -3 "$work/engine.out")" ""
console quit
exec 3>&-
for _ in {1..20}; do kill -0 "$pid" 2>/dev/null && sleep 0.5; done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=""
"$cli" status "127.0.0.1:$port" >"$work/status.txt" 2>&1
check "status once the engine quit" "$? $(cat "$work/status.txt")" \
  "1 mctfcli: 127.0.0.1:$port: no answer: nothing listens on that port"
out="$work/engine.out"
check "the maps played" "$(sed -n 's/^Server: //p' "$out" | paste -sd ' ')" "${maps[*]} ${maps[0]}"
info="$(sed -n '/^Server info settings:/,/^"/p' "$out")"
for name in sv_hostname g_gametype fraglimit timelimit sv_maxclients; do
  check "serverinfo $name" "$(sed -n "s/^$name  *//p" <<<"$info")" "${want[$name]}"
done
for name in "${!want[@]}"; do
  check "cvar $name" "$(sed -n "s/^\"$name\" is:\"\([^\"]*\)^7\".*/\1/p" "$out")" "${want[$name]}"
done
check "messages that start with Resolving (a name looked up)" "$(grep -c '^Resolving' "$out")" 0
check "files the engine left in HOME" "$(ls -A "$work/home")" ""
log="$q3/baseq3/logfile.log"
[[ -n $keep ]] && cp "$log" "$keep"

# mctfcli stats on its own finds the engine's log.
"$cli" stats -q >/dev/null 2>&1
pages=("$q3"/baseq3/*.htm)
check "stats without --logs: pages beside the log" "${#pages[@]} ${pages[0]##*/}" "5 clans.htm"
mctf settings set "statsDir=$q3/baseq3"
mctf stats --json "$work/stats.json"
# The log's count by the statistics' rules: a match's players are counted at
# its end (Exit or ShutdownGame, once) when they played 60 seconds or more;
# a kill by the world or by the victim is a suicide, a frag less; falls,
# lava and hurting triggers are suicides too; telefrags are no frags.
awk '{ split($1, t, ":"); now = t[1] * 60 + t[2] }
  $2 == "InitGame:" { split("", name); split("", begun); split("", left); closed = 0 }
  $2 == "ClientUserinfoChanged:" { n = $0; sub(/^[^\\]*\\/, "", n); sub(/\\.*/, "", n)
    gsub(/\^./, "", n); if (n != name[$3]) { name[$3] = n; delete begun[$3] } }
  $2 == "ClientBegin:" { begun[$3] = now; delete left[$3]; frags[$3] = suicides[$3] = 0 }
  $2 == "ClientDisconnect:" { left[$3] = now }
  $2 == "Kill:" { k = $3 < 64 ? $3 : $4; m = $5 + 0
    if (k == $4 || m == 16 || m == 19 || m == 22) { frags[k]--; suicides[k]++ } else if (m != 18) frags[k]++ }
  ($2 == "Exit:" || $2 == "ShutdownGame:") && !closed { closed = 1
    for (s in begun) if (((s in left) ? left[s] : now) - begun[s] >= 60) {
      p = name[s]; f[p] += frags[s]; d[p] += suicides[s]; sec[p] += ((s in left) ? left[s] : now) - begun[s] } }
  END { for (p in f) printf "%s\t%d\t%d\t%d\n", p, f[p], d[p], sec[p] }' "$log" | sort >"$work/log.count"
python3 -c 'import json, sys
for p in json.load(open(sys.argv[1]))["players"]:
    print(p["name"], p["frags"], p["suicides"], p["secondsPlayed"], sep="\t")' "$work/stats.json" |
  sort >"$work/json.count"
check "^1Red^3Fox among the players of the log" "$(grep -c RedFox "$work/log.count")" 1
check "the JSON's players against the log" "$(diff "$work/json.count" "$work/log.count")" ""
while IFS=$'\t' read -r name _ _ s; do
  row="<td width=\"9%\" align=\"center\">$name</td><td width=\"7%\" align=\"center\">$((s / 3600)):$(printf %02d:%02d $((s / 60 % 60)) $((s % 60)))</td>"
  check "$name's row in players.htm" "$(grep -cF "$row" "$q3/baseq3/players.htm")" 1
done <"$work/log.count"
((failures == 0)) || exit 1
echo "engine session: all checks passed"
