"""stats_json.py MCTFCLI SOURCE_DIR: the JSON of mctfcli stats (sample logs, the game engine's
logs, the real logs when there, hostile input) against report/stats.schema.json, closed so that
every key must be described, and against the pages; texts by the Latin-1 rule; --no-pages and
--json - write nothing else; settings show --json equals settings show."""
import codecs, copy, glob, json, os, pathlib, re, shutil, struct, subprocess, sys, tempfile
import jsonschema

cli, source = sys.argv[1], pathlib.Path(sys.argv[2])
work = pathlib.Path(tempfile.mkdtemp(prefix="mctf-json."))
schema = json.loads((source / "report/stats.schema.json").read_text())
jsonschema.Draft202012Validator.check_schema(schema)
closed = copy.deepcopy(schema)
def close(node):
    if isinstance(node, dict):
        if "properties" in node: node.setdefault("additionalProperties", False)
        for value in node.values(): close(value)
    elif isinstance(node, list):
        for value in node: close(value)
close(closed)
validator = jsonschema.Draft202012Validator(closed)
codecs.register_error("latin1", lambda e: (chr(e.object[e.start]), e.start + 1))
def text(raw): return raw.decode("utf-8", "latin1")
def f32(x): return struct.unpack("f", struct.pack("f", x))[0]
def rate(count, seconds): return f32(count * 3600 / seconds)

def mctfcli(*args):
    done = subprocess.run([cli, *args], capture_output=True)
    assert done.returncode == 0, (args, done.stderr)
    return done

def stats(name, logs, clanlist=b"", motd=b"Welcome", *extra):
    run = work / name
    (run / "q3/morvane").mkdir(parents=True)
    (run / "q3/morvane/clanlist.txt").write_bytes(clanlist)
    (run / "pages").mkdir()
    config = ["--config", str(run / "config.dmc")]
    mctfcli("settings", "reset", "--yes", *config)
    mctfcli("settings", "set", *config, b"quakePath=" + bytes(run / "q3"), b"motd=" + motd)
    out = mctfcli("stats", *config, *logs, "--out", str(run / "pages"), *extra).stdout
    raw = out if "-" in extra else (run / "doc.json").read_bytes()
    assert all(b >= 0x20 for b in raw[:-1]) and raw.endswith(b"\n"), "control byte unescaped"
    doc = json.loads(raw.decode("utf-8"))
    errors = [e.message for e in validator.iter_errors(doc)]
    assert not errors, (name, errors[:3])
    return doc, run / "pages", config

def check_pages(name, doc, pages):
    # The server box's heading: the same message and moment as the document.
    heading = f'{doc["server"]["messageOfTheDay"]} - {doc["run"]["madeLocal"]}'
    assert heading in (pages / "pstats.htm").read_text("latin-1"), (name, heading)
    rows = []
    for page in glob.glob(str(pages / "players*.htm")):
        html = pathlib.Path(page).read_text("latin-1")
        for row in re.findall(r"<tr>((?:<td[^>]*>[^<]*</td>){14})</tr>", html):
            cells = re.findall(r"<td[^>]*>([^<]*)</td>", row)
            if cells[0].isdigit(): rows.append(cells)
    rows.sort(key=lambda cells: int(cells[0]))
    assert len(rows) == len(doc["players"]) > 0, (name, len(rows))
    columns = ["railgun", "rocketLauncher", "plasmaGun", "lightningGun", "grenadeLauncher",
               "shotgun", "machinegun", "gauntlet", "telefrag"]
    for cells, p in zip(rows, doc["players"]):
        s, per = p["secondsPlayed"], p["killsPerHour"]
        rates = [p["fragsPerHour"]] + [per[c] for c in columns] + [p["suicidesPerHour"]]
        want = [str(p["rank"]), p["name"], f"{s // 3600}:{s // 60 % 60:02d}:{s % 60:02d}"]
        assert cells == want + ["%.2f" % f32(r) for r in rates], (name, cells, p)
        assert f32(p["fragsPerHour"]) == rate(p["frags"], s), (name, p)
        assert f32(p["suicidesPerHour"]) == rate(p["suicides"], s), (name, p)

examples = source / "examples"
doc, pages, _ = stats("sample", ["--logs", str(examples / "logs")],
                      (examples / "clanlist.txt").read_bytes(), b"Welcome",
                      "--json", str(work / "sample/doc.json"))
check_pages("sample", doc, pages)
logs = sorted(glob.glob(str(examples / "logs/*.log")))
assert [f["path"] for f in doc["run"]["logFiles"]] == logs
assert all(f["bytes"] == os.path.getsize(f["path"]) for f in doc["run"]["logFiles"])
# Bot matches of the real engine (tests/data/engine): ^1Red^3Fox as counted from the logs.
doc, pages, _ = stats("engine", ["--logs", str(source / "tests/data/engine")], b"", b"Welcome",
                      "--json", str(work / "engine/doc.json"))
check_pages("engine", doc, pages)
fox = [(p["frags"], p["suicides"], p["secondsPlayed"]) for p in doc["players"] if p["name"] == "RedFox"]
assert fox == [(-4, 9, 968)], fox
real = sorted(glob.glob("/work/shared/data/logs/*.log"))
if real:
    doc, pages, _ = stats("real", real, b"", b"Welcome", "--json", str(work / "real/doc.json"))
    check_pages("real", doc, pages)

# Hostile: names of colour codes and control bytes, of 200 characters, with
# quotes (a backslash ends a name in the log); a clan list and a message of
# the day that are not UTF-8: lone Latin-1, overlong, surrogate, cut sequences.
names = [b"^1\x01Ev^7il\x7f", b"L" * 200, b'Qu"ote[BAD]', b"[UTF]\xc3\xa9t\xe9", b"[BAD]two"]
log = b"  0:00 InitGame: \\sv_hostname\\x\n"
for slot, n in enumerate(names):
    log += b"  0:00 ClientUserinfoChanged: %d n\\%s\\t\\0\n" % (slot, n)
    log += b"  0:00 ClientBegin: %d\n" % slot
log += b"  0:30 Kill: 0 1 10: x\n  0:40 Kill: 3 3 20: x\n  5:00 Exit: Timelimit hit.\n"
(work / "games.log").write_bytes(log)
clan_name = b"Caf\xe9__\xc0\xaf\xed\xa0\x80_" + b"\xf0\x9f\x98\x80" * 5  # cut at 31 bytes
home = b"http://x.example/\\\xc3\x28\xff"
motd = b"Caf\xe9 \xc3\xa9 \xe2\x82 back\\slash \xf4\x90\x80\x80"
doc, pages, config = stats("hostile", [str(work / "games.log")],
                           b"BAD " + clan_name + b" " + home + b" none\n", motd,
                           "--json", "-", "--quiet", "--no-pages")
assert not any(pages.iterdir()), "--no-pages wrote pages"
assert doc["server"]["messageOfTheDay"] == text(motd)
bad = next(c for c in doc["clans"] if c["tag"] == "BAD")
assert (bad["name"], bad["homePage"]) == (text(clan_name[:31]), text(home)), bad
assert {p["name"]: p["clanTag"] for p in doc["players"]} == {
    "Evil\x7f": None, "L" * 31: None, 'Qu"ote[BAD]': "BAD", "[UTF]t": "UTF", "[BAD]two": "BAD"}

shown = mctfcli("settings", "show", *config).stdout.splitlines()
record = json.loads(mctfcli("settings", "show", "--json", *config).stdout.decode("utf-8"))
assert list(record) == [line.split(b"=")[0].decode() for line in shown]
for line in shown:
    key, value = line.split(b"=", 1)
    got = record[key.decode()]
    assert got == text(value) if isinstance(got, str) else got == float(value), (key, got)
shutil.rmtree(work)
print("stats --json: all checks passed")
