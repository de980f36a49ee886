"""stats_matches.py MCTFCLI SOURCE_DIR: the matches of mctfcli's JSON document (the real engine's
logs of tests/data/engine, and a log of odd matches) against a count taken from the logs here by
the statistics' rules; every player's totals against the player's matches; --seed repeats."""
import json, pathlib, re, subprocess, sys, tempfile
import jsonschema

cli, source = sys.argv[1], pathlib.Path(sys.argv[2])
schema = json.loads((source / "report/stats.schema.json").read_text())
WEAPONS = ["gauntlet", "machinegun", "shotgun", "grenadeLauncher", "rocketLauncher", "lightningGun",
           "railgun", "plasmaGun", "bfg", "telefrag", "unknown"]
MOD = dict(enumerate(["unknown", "shotgun", "gauntlet", "machinegun"] + ["grenadeLauncher"] * 2 +
                     ["rocketLauncher"] * 2 + ["plasmaGun"] * 2 + ["railgun", "lightningGun"] +
                     ["bfg"] * 2 + ["unknown"] * 4 + ["telefrag"]))
FLAGS, AWARDS = ["taken", "captured", "returned", "carrierFragged"], [
    "gauntlet", "excellent", "impressive", "defence", "capture", "assist"]
TEAMS = {"0": "free", "1": "red", "2": "blue", "3": "spectator"}

def count(paths):
    """Every counted match: a slot counts at the first Exit or ShutdownGame after InitGame when
    it began and played 60 seconds; a new name or a ClientBegin starts it afresh."""
    matches, slots, closed, start, scores, flags, awards = [], {}, False, None, False, False, False
    def fresh(s, **more):  # the counts of a slot that starts again
        s.update(more, left=None, frags=0, deaths=0, suicides=0, teamKills=0,
                 kills=dict.fromkeys(WEAPONS, 0), flags=[0] * 4, awards=[0] * 6)
        return s
    slot = lambda n: slots.setdefault(n, None) or slots.update(
        {n: fresh({"name": None, "begun": None, "team": None})}) or slots[n]
    for path in paths:
        for number, line in enumerate(path.read_bytes().decode("latin-1").split("\n")[:-1], 1):
            m = re.match(r"\s*(\d+):(\d+)\s+(\S+)(.*)", line[:511])
            if not m: continue
            now, word, args = int(m[1]) * 60 + int(m[2]), m[3], m[4].split()
            if word == "InitGame:":
                info = line.split("\\")[1:]
                info = dict(zip(info[::2], [v.rstrip() for v in info[1::2]]))
                start = dict(info, now=now, logFile=str(path), line=number)
                slots, closed, scores, flags, awards = {}, False, False, False, False
            elif word == "ClientUserinfoChanged:":
                raw = line.split("\\")[1]
                name = re.sub(r"[^ -;=?-~]", "", re.sub(r"\^.", "", raw))[:31]
                s = slot(int(args[0]))
                if s["name"] != name: fresh(s, name=name, begun=None)
                s.update(raw=raw, team=TEAMS[line.split("\\t\\")[1][0]])
            elif word == "ClientBegin:":
                fresh(slot(int(args[0])), begun=now)
            elif word == "ClientDisconnect:": slot(int(args[0]))["left"] = now
            elif word == "Kill:":
                killer, victim, mod = (int(a.rstrip(":")) for a in args[:3])
                killer = victim if killer > 63 else killer
                k, v = slot(killer), slot(victim)
                v["deaths"] += 1
                if killer == victim or mod in (16, 19, 22): k["frags"] -= 1; k["suicides"] += 1
                else:
                    k["kills"][MOD.get(mod, "unknown")] += 1
                    k["frags"] += mod != 18
                    k["teamKills"] += k["team"] in ("red", "blue") and k["team"] == v["team"]
            elif word == "CTF:": flags = True; slots[int(args[0])]["flags"][int(args[2][0])] += 1
            elif word == "Award:": awards = True; slots[int(args[0])]["awards"][int(args[1][0])] += 1
            elif word in ("Exit:", "ShutdownGame:") and not closed:
                closed, scores = True, word == "Exit:"
                players = []
                for n, s in sorted(slots.items()):
                    left = now if s.get("left") is None else s["left"]
                    if not s["name"] or s["begun"] is None or left - s["begun"] < 60: continue
                    players.append({"slot": n, "name": s["name"], "rawName": s["raw"],
                        "team": s["team"], "frags": s["frags"], "deaths": s["deaths"],
                        "suicides": s["suicides"], "teamKills": s["teamKills"],
                        "kills": s["kills"], "secondsPlayed": left - s["begun"],
                        "score": None, "flagEvents": dict(zip(FLAGS, s["flags"])) if flags else None,
                        "awards": dict(zip(AWARDS, s["awards"])) if awards else None})
                i = start or {}
                number = lambda key: int(i[key]) if key in i else None
                kind = number("g_gametype")
                matches.append({"start": {"logFile": i["logFile"], "line": i["line"]} if i else None,
                    "timestamp": i.get("g_timestamp"), "hostname": i.get("sv_hostname"),
                    "map": i.get("mapname"), "gameType": None if kind is None else {"number": kind,
                        "name": ["Free For All", "Tournament", "Single Player", "Team Deathmatch",
                                 "Capture The Flag", None][min(kind, 5)]},
                    "limits": {k: number(k) for k in ("fraglimit", "timelimit", "capturelimit")},
                    "durationSeconds": now - i.get("now", 0), "endedBy": word[:-1],
                    "exitReason": " ".join(args) if word == "Exit:" else None,
                    "teamScores": None, "players": players})
                start = None
            elif word == "ShutdownGame:": scores = False
            elif scores and word == "score:":
                for p in matches[-1]["players"]:
                    if p["slot"] == int(args[4]): p["score"] = int(args[0])
            elif scores and word.startswith("red:"):
                matches[-1]["teamScores"] = {"red": int(word[4:]), "blue": int(args[0][5:])}
    return matches

def document(logs, *extra):
    done = subprocess.run([cli, "stats", "--config", str(work / "config.dmc"), "--json", "-",
                           "--no-pages", "--quiet", *map(str, logs), *extra], capture_output=True)
    assert done.returncode == 0, done.stderr
    doc = json.loads(done.stdout)
    jsonschema.validate(doc, schema)
    return doc

def check(name, logs, doc):
    assert doc["matches"] == count(logs), name
    assert sum(f["matches"] for f in doc["run"]["logFiles"]) == len(doc["matches"]), name
    for p in doc["players"]:
        mine = [e for m in doc["matches"] for e in m["players"] if e["name"] == p["name"]]
        total = lambda key: sum(e[key] for e in mine)
        assert p["matchesPlayed"] == len({id(m) for m in doc["matches"] for e in m["players"]
                                          if e["name"] == p["name"]}), (name, p["name"])
        for key in ("frags", "deaths", "suicides", "teamKills", "secondsPlayed"):
            assert p[key] == total(key), (name, p["name"], key)
        assert p["kills"] == {w: sum(e["kills"][w] for e in mine) for w in WEAPONS}, p["name"]
        flags = [e["flagEvents"] for e in mine if e["flagEvents"]]
        assert p["flagEvents"] == ({k: sum(f[k] for f in flags) for k in FLAGS}
                                   if flags else None), (name, p["name"])

work = pathlib.Path(tempfile.mkdtemp(prefix="mctf-matches."))
subprocess.run([cli, "settings", "reset", "--yes", "--config", str(work / "config.dmc")], check=True,
               stdout=subprocess.DEVNULL)
engine = sorted((source / "tests/data/engine").glob("*.log"))
doc = document(engine)
check("engine", engine, doc)
ctf = [m for m in doc["matches"] if m["map"] == "oa_ctf2"][0]
assert ctf["teamScores"] == {"red": 0, "blue": 1} and ctf["timestamp"] == "2026-12-08 01:05:19"
assert {p["rawName"] for p in doc["players"]} >= {"^1Red^3Fox"}
# Odd matches: one going on as the log begins, one that never ends, a rename, score lines after
# ShutdownGame, CR LF line ends, and a server info past 511 characters.
odd = work / "odd.log"
odd.write_bytes(("  1:00 ClientUserinfoChanged: 3 n\\Mid\\t\\0\n  1:00 ClientBegin: 3\n"
    "  3:00 ShutdownGame:\n  3:00 score: 9  ping: 0  client: 3 Mid\n"
    "  0:00 InitGame: \\mapname\\q3dm1\\g_gametype\\0\n  0:01 ClientBegin: 1\n"
    "  0:00 InitGame: \\mapname\\q3dm2" + "\\x\\y" * 200 + "\\g_timestamp\\2027-01-01 10:00:00\r\n"
    "  0:00 ClientUserinfoChanged: 1 n\\Old\\t\\1\r\n  0:00 ClientBegin: 1\r\n"
    "  0:00 ClientUserinfoChanged: 2 n\\^2Two\\t\\2\r\n  0:00 ClientBegin: 2\r\n"
    "  0:30 Kill: 1 2 10: x\r\n  0:40 ClientUserinfoChanged: 1 n\\New\\t\\1\r\n"
    "  1:40 ClientBegin: 1\r\n  2:41 Exit: Fraglimit hit.\r\n  2:41 red:3  blue:4\r\n"
    "  2:41 score: 5  ping: 0  client: 1 New\r\n").encode())
doc = document([odd])
check("odd", [odd], doc)
assert [m["map"] for m in doc["matches"]] == [None, "q3dm2"], doc["matches"]
# The same seed, the same featured player; the document says which seed drew it.
runs = [document(engine, "--seed", "4242")["server"]["featuredPlayer"] for _ in range(2)]
assert runs[0] == runs[1] and runs[0] is not None, runs
assert document(engine, "--seed=4242")["run"]["seed"] == 4242
for bad in ("-1", "4294967296", "7x"):
    assert subprocess.run([cli, "stats", "--seed", bad], capture_output=True).returncode == 2, bad
print("stats matches: all checks passed")
