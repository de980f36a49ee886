// The texts that start a Linux server, from any paths: the three systemd
// units of SystemdUnits, read back as systemd reads them, and morvane.sh,
// run as sh runs it (fuzz/ShellLauncher.h).
//
// A unit must hold exactly the directives meant, each meaning exactly its
// input once systemd has joined continued lines, dropped comments, stripped
// blanks, unquoted and unescaped ExecStart= into its words and expanded '%'
// specifiers and (in a command's arguments) '$' variables: the program and
// the argument list of each ExecStart= are the intended ones, no input makes
// a line, a directive or a second command of its own, and a '%' of an input
// (in an argument a '$' too) reaches systemd doubled. Paths
// SystemdPathProblem refuses are not put into units (the command stops
// there); it must refuse exactly those the rules below say systemd cannot
// take or the generator declines. The owner's name goes into User= when
// SystemdTakesUserName takes it, which must be exactly when systemd takes
// it as a name and a unit line carries it; else the owner's number does.
//
// morvane.sh, written for a game folder of any name, must start the engine
// in that folder with exactly the intended arguments, whatever MCTF_SERVER,
// the script's own arguments and the server programs in the folder are.
//
// Input (FuzzReader): a byte of flags (--user, --out given, morvane.sh too:
// writing files is slow, so the units alone go faster; then one bit per
// path: taken as it is, not rooted), the minutes, the game folder, program,
// settings file, --out folder and (for system units) owner as texts; then
// the name of morvane.sh's game folder, gameType, serverType, what each
// server program of the list is (2 bits each: nothing, a file, an
// executable), a byte for the programs elsewhere (ioq3ded on the PATH,
// Debian's as a file, as an executable), MCTF_SERVER, a byte saying whether
// it is set, and a count (0..3) of arguments with the arguments. The flags'
// top bit: a server named with --server, its path after the owner, then a
// count (0..3) of the server's arguments with the arguments.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ServerFiles.h"
#include "core/SettingsStore.h"
#include "core/SystemdUnits.h"
#include "core/Utf8.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ShellLauncher.h"

namespace {

using namespace mctf;
using Words = std::vector<std::string>;
constexpr std::string_view kBlanks = " \t\n\r";  // systemd's whitespace

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz_server_units: %s\n", what.c_str());
    __builtin_trap();
}

std::string Shown(const Words& words) {
    std::string text;
    for (const std::string& word : words) text += "[" + word + "]";
    return text;
}

std::string_view Stripped(std::string_view text) {
    const size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

// Why systemd cannot take `path` as the units would carry it, or why the
// generator declines it; empty when neither. WorkingDirectory= and the
// program of ExecStart= need an absolute, UTF-8 path without control
// characters (a line break would end the directive); WorkingDirectory=
// loses a blank at the end of the folder's name (values are stripped,
// after the units drop the slashes after it) and refuses "..". The
// generator writes no escapes, so it takes no quote or backslash, and it
// holds every path to the rules of the strictest place.
std::string Unrepresentable(std::string_view path) {
    if (!path.starts_with('/')) return "relative";
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "a control character";
    if (!IsUtf8(path)) return "not UTF-8";
    if (path.find_first_of("\"'\\") != std::string_view::npos) return "a quote or backslash";
    const size_t last = path.find_last_not_of('/');  // the folder's own name
    if (last != std::string_view::npos && path[last] == ' ') return "a blank at the end";
    if (path.ends_with("/..") || path.find("/../") != std::string_view::npos) return "a .. part";
    return "";
}

// A unit file as systemd's parser reads it: physical lines end at LF, CR,
// CR LF or NUL; a line starting (after blanks) with '#' or ';' is a comment,
// also inside a continuation; a line ending in an unescaped backslash goes
// on in the next, the backslash read as a blank; a logical line is stripped
// and is a [section] or a Key=Value with both sides stripped.
struct Directive {
    std::string section, key, value;
};
struct UnitFile {
    std::vector<Directive> directives;
    int comments = 0, continuations = 0;
    std::string error;
};

UnitFile ReadUnit(std::string_view text) {
    UnitFile unit;
    if (!IsUtf8(text)) unit.error = "not UTF-8";
    std::string section, pending;
    bool continued = false;
    auto logical = [&](std::string_view line) {
        line = Stripped(line);
        if (line.empty() || !unit.error.empty()) return;
        if (line.starts_with('[')) {
            if (!line.ends_with(']')) unit.error = "a section header without ']'";
            section = std::string(line.substr(1, line.size() - 2));
            return;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            unit.error = "a line without '=': " + std::string(line);
        } else if (section.empty()) {
            unit.error = "a directive outside a section";
        } else {
            unit.directives.push_back({section, std::string(Stripped(line.substr(0, equals))),
                                       std::string(Stripped(line.substr(equals + 1)))});
        }
    };
    for (size_t at = 0; at < text.size();) {
        const size_t end =
            std::min(text.find_first_of(std::string_view("\n\r\0", 3), at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        const size_t first = line.find_first_not_of(kBlanks);
        if (first != std::string_view::npos && (line[first] == '#' || line[first] == ';')) {
            ++unit.comments;
            continue;
        }
        std::string joined = continued ? pending + std::string(line) : std::string(line);
        bool escaped = false;
        for (char c : joined) escaped = !escaped && c == '\\';
        if (escaped) {
            joined.back() = ' ';
            pending = std::move(joined);
            continued = true;
            ++unit.continuations;
            continue;
        }
        continued = false;
        logical(joined);
    }
    if (continued) logical(pending);
    return unit;
}

// systemd's '%' specifiers: "%%" is '%', any other '%' names a value of
// the machine or the unit. The inputs are to come through as they are, so
// such a '%' is a finding.
std::optional<std::string> Specifiers(std::string_view text, std::string& why) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            why =
                "the specifier %" + std::string(text.substr(i + 1, 1)) + " in " + std::string(text);
            return std::nullopt;
        }
    }
    return out;
}

// One C escape of a command line, after its backslash (systemd.syntax).
bool Unescape(std::string_view& p, std::string& word) {
    constexpr std::string_view simple = "abfnrtv\\\"'s", meaning = "\a\b\f\n\r\t\v\\\"' ";
    const char c = p[0];
    if (const size_t k = simple.find(c); k != std::string_view::npos) {
        word += meaning[k];
        p.remove_prefix(1);
        return true;
    }
    const int base = c == 'x' || c == 'u' || c == 'U' ? 16 : c >= '0' && c <= '7' ? 8 : 0;
    const size_t digits = c == 'x' ? 2 : c == 'u' ? 4 : c == 'U' ? 8 : 3;
    const size_t skip = base == 16 ? 1 : 0;
    if (base == 0 || p.size() < skip + digits) return false;
    uint32_t code = 0;
    for (size_t i = skip; i < skip + digits; ++i) {
        const char d = p[i];
        const int v = d >= '0' && d <= '9'   ? d - '0'
                      : d >= 'a' && d <= 'f' ? d - 'a' + 10
                      : d >= 'A' && d <= 'F' ? d - 'A' + 10
                                             : 99;
        if (v >= base) return false;
        code = code * static_cast<uint32_t>(base) + static_cast<uint32_t>(v);
    }
    if (code == 0 || code > 0x10ffff) return false;  // no NUL in a word
    p.remove_prefix(skip + digits);
    if (c == 'x' || base == 8) {  // a byte as it is
        word += static_cast<char>(code);
    } else if (code < 0x80) {
        word += static_cast<char>(code);
    } else if (code < 0x800) {
        word += {static_cast<char>(0xc0 | code >> 6), static_cast<char>(0x80 | (code & 0x3f))};
    } else if (code < 0x10000) {
        word += {static_cast<char>(0xe0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3f)),
                 static_cast<char>(0x80 | (code & 0x3f))};
    } else {
        word +=
            {static_cast<char>(0xf0 | code >> 18), static_cast<char>(0x80 | (code >> 12 & 0x3f)),
             static_cast<char>(0x80 | (code >> 6 & 0x3f)), static_cast<char>(0x80 | (code & 0x3f))};
    }
    return true;
}

// The next word of a command line (extract_first_word with unquoting and
// C unescaping): blanks separate words; double and single quotes, anywhere
// in a word, group text and are removed; a backslash escapes in and outside
// quotes. 0: no word left, 1: a word, -1: a syntax error.
int NextWord(std::string_view& p, std::string& word, std::string& why) {
    word.clear();
    const size_t start = p.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return p = {}, 0;
    p.remove_prefix(start);
    char quote = 0;
    while (!p.empty()) {
        const char c = p[0];
        if (!quote && kBlanks.find(c) != std::string_view::npos) break;
        p.remove_prefix(1);
        if (c == '\\') {
            if (p.empty() || !Unescape(p, word)) return why = "a bad escape", -1;
        } else if (quote) {
            if (c == quote) {
                quote = 0;
            } else {
                word += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else {
            word += c;
        }
    }
    if (quote) return why = "a quote left open", -1;
    p.remove_prefix(std::min(p.size(), p.find_first_not_of(kBlanks)));
    return 1;
}

// What an argument becomes from the service's environment when the command
// runs: "$$" is '$'; "${NAME}" anywhere, or a word starting with "$NAME", is
// a variable's value, which is a finding.
std::optional<std::string> Environment(std::string_view word, std::string& why) {
    if (word.starts_with('$') && (word.size() == 1 || (word[1] != '{' && word[1] != '$'))) {
        why = "the argument " + std::string(word) + " is an environment variable";
        return std::nullopt;
    }
    std::string out;
    for (size_t i = 0; i < word.size(); ++i) {
        const std::string_view rest = word.substr(i);
        if (rest.starts_with("${")) {
            why = "a ${ in the argument " + std::string(word);
            return std::nullopt;
        }
        out += word[i];
        if (rest.starts_with("$$")) ++i;
    }
    return out;
}

struct Command {
    std::string program;
    Words arguments;  // after argv[0]
};

// ExecStart= as the service's one command: its first word the program
// (no prefix such as '-' or '@', specifiers expanded, no control character,
// quote or backslash left, not a folder), the other words its arguments
// (specifiers, then the environment, expanded); a lone ';' would start a
// second command.
std::optional<Command> ReadCommand(std::string_view value, std::string& why) {
    std::string word;
    if (NextWord(value, word, why) != 1) {
        if (why.empty()) why = "no program";
        return std::nullopt;
    }
    if (std::string_view("-@:+!|").find(word[0]) != std::string_view::npos)
        return why = "the prefix " + word.substr(0, 1), std::nullopt;
    std::optional<std::string> program = Specifiers(word, why);
    if (!program) return std::nullopt;
    for (char c : *program)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '"' || c == '\'' || c == '\\')
            return why = "a program path systemd calls unsafe", std::nullopt;
    if (program->ends_with('/')) return why = "a program path naming a folder", std::nullopt;
    Command command{*program, {}};
    while (!value.empty()) {
        if (value[0] == ';' &&
            (value.size() == 1 || kBlanks.find(value[1]) != std::string_view::npos))
            return why = "a second command", std::nullopt;
        const bool semicolon =
            value.starts_with("\\;") &&
            (value.size() == 2 || kBlanks.find(value[2]) != std::string_view::npos);
        if (semicolon) value.remove_prefix(1);  // "\;" is the argument ";"
        const int got = NextWord(value, word, why);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        std::optional<std::string> argument = Specifiers(word, why);
        if (argument) argument = Environment(*argument, why);
        if (!argument) return std::nullopt;
        command.arguments.push_back(std::move(*argument));
    }
    return command;
}

// A directive as meant: its value once systemd has read it, its command, or
// the words of a list (ReadWritePaths=, Environment=), unquoted.
struct Meant {
    std::string section, key, value;
    std::optional<Command> command;
    std::optional<Words> words = std::nullopt;
};

void CheckUnit(const SystemdUnit& unit, std::string_view name, const std::vector<Meant>& meant) {
    if (unit.name != name) Fail("a unit named " + unit.name + " instead of " + std::string(name));
    const UnitFile read = ReadUnit(unit.text);
    const std::string where = std::string(name) + ": ";
    if (!read.error.empty()) Fail(where + read.error);
    if (read.comments + read.continuations > 0) Fail(where + "a comment or continued line");
    if (read.directives.size() != meant.size())
        Fail(where + std::to_string(read.directives.size()) + " directives instead of " +
             std::to_string(meant.size()));
    for (size_t k = 0; k < meant.size(); ++k) {
        const Directive& got = read.directives[k];
        const Meant& want = meant[k];
        const std::string at = where + "[" + got.section + "] " + got.key + "=" + got.value + ": ";
        if (got.section != want.section || got.key != want.key)
            Fail(at + "instead of [" + want.section + "] " + want.key);
        std::string why;
        if (want.command) {
            const std::optional<Command> command = ReadCommand(got.value, why);
            if (!command) Fail(at + why);
            if (command->program != want.command->program)
                Fail(at + "runs [" + command->program + "] instead of [" + want.command->program +
                     "]");
            if (command->arguments != want.command->arguments)
                Fail(at + "passes " + Shown(command->arguments) + " instead of " +
                     Shown(want.command->arguments));
        } else if (want.words) {
            Words words;
            std::string word;
            for (std::string_view rest = got.value; NextWord(rest, word, why) == 1;) {
                const std::optional<std::string> value = Specifiers(word, why);
                if (!value) Fail(at + why);
                words.push_back(*value);
            }
            if (!why.empty()) Fail(at + why);
            if (words != *want.words)
                Fail(at + "means " + Shown(words) + " instead of " + Shown(*want.words));
        } else {
            const std::optional<std::string> value = Specifiers(got.value, why);
            if (!value) Fail(at + why);
            if (*value != want.value)
                Fail(at + "means [" + *value + "] instead of [" + want.value + "]");
        }
    }
}

// The directives each unit is to hold, from the setup.
void CheckUnits(const std::vector<SystemdUnit>& units, const SystemdSetup& setup) {
    if (units.size() != 3) Fail("not three units");
    const bool system = !setup.userUnits;
    std::string folder = setup.quakePath;
    while (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
    const std::string script = (folder == "/" ? "" : folder) + "/morvane.sh";
    const std::string every = std::to_string(setup.statsMinutes) + "min";
    auto text = [](const char* section, const char* key, std::string value) {
        return Meant{section, key, std::move(value), std::nullopt};
    };

    const Meant manual = text("Unit", "Documentation", "man:mctfcli(1)");
    // What keeps both services from what they do not need; the system's
    // manager also gives each a /proc of its own.
    std::vector<Meant> sandbox;
    for (const char* line : {"NoNewPrivileges=yes",
                             "CapabilityBoundingSet=",
                             "PrivateUsers=yes",
                             "PrivateTmp=yes",
                             "PrivateDevices=yes",
                             "PrivateMounts=yes",
                             "ProtectSystem=strict",
                             "ProtectHome=read-only",
                             "ProtectKernelTunables=yes",
                             "ProtectKernelModules=yes",
                             "ProtectKernelLogs=yes",
                             "ProtectControlGroups=yes",
                             "ProtectClock=yes",
                             "ProtectHostname=yes",
                             "RestrictNamespaces=yes",
                             "RestrictRealtime=yes",
                             "RestrictSUIDSGID=yes",
                             "LockPersonality=yes",
                             "RemoveIPC=yes",
                             "KeyringMode=private",
                             "SystemCallArchitectures=native",
                             "SystemCallFilter=@system-service",
                             "SystemCallErrorNumber=EPERM",
                             "ProtectProc=invisible",
                             "ProcSubset=pid"}) {
        const std::string_view directive = line;
        const size_t equals = directive.find('=');
        if (!system &&
            (directive.starts_with("ProtectProc") || directive.starts_with("ProcSubset")))
            continue;
        sandbox.push_back(text("Service", std::string(directive.substr(0, equals)).c_str(),
                               std::string(directive.substr(equals + 1))));
    }

    std::vector<Meant> server = {
        text("Unit", "Description", "Quake III Arena dedicated server (Morvane)"), manual};
    if (system) server.push_back(text("Unit", "After", "network.target"));
    server.push_back(text("Unit", "StartLimitIntervalSec", "10min"));
    server.push_back(text("Unit", "StartLimitBurst", "5"));
    if (system) server.push_back(text("Service", "User", setup.user));
    server.push_back(text("Service", "WorkingDirectory", folder));
    if (!setup.server.empty())
        server.push_back(
            {"Service", "Environment", "", std::nullopt, Words{"MCTF_SERVER=" + setup.server}});
    server.push_back({"Service", "ExecStart", "", Command{script, setup.serverArguments}});
    server.push_back(text("Service", "Restart", "on-failure"));
    server.push_back(text("Service", "RestartSec", "5"));
    server.push_back(text("Service", "RestartPreventExitStatus", std::to_string(kNoServerStatus)));
    server.push_back(text("Service", "UMask", "0077"));
    server.push_back({"Service", "ReadWritePaths", "", std::nullopt, Words{folder}});
    server.push_back(text("Service", "RestrictAddressFamilies", "AF_INET AF_INET6 AF_UNIX"));
    server.insert(server.end(), sandbox.begin(), sandbox.end());
    server.push_back(text("Install", "WantedBy", system ? "multi-user.target" : "default.target"));
    CheckUnit(units[0], "morvane-server.service", server);

    Words arguments = {"stats", "--quiet", "--config", setup.config};
    if (!setup.pages.empty()) arguments.insert(arguments.end(), {"--out", setup.pages});
    std::vector<Meant> stats = {text("Unit", "Description", "Morvane player statistics pages"),
                                manual, text("Service", "Type", "oneshot")};
    if (system) stats.push_back(text("Service", "User", setup.user));
    stats.push_back({"Service", "ExecStart", "", Command{setup.program, arguments}});
    stats.push_back(text("Service", "UMask", "0022"));
    stats.push_back({"Service", "ReadWritePaths", "", std::nullopt,
                     Words{setup.pages.empty() ? setup.statsFolder : setup.pages}});
    stats.push_back(text("Service", "PrivateNetwork", "yes"));
    stats.push_back(text("Service", "RestrictAddressFamilies", "none"));
    stats.push_back(text("Service", "MemoryDenyWriteExecute", "yes"));
    stats.insert(stats.end(), sandbox.begin(), sandbox.end());
    CheckUnit(units[1], "morvane-stats.service", stats);

    CheckUnit(units[2], "morvane-stats.timer",
              {text("Unit", "Description", "Morvane player statistics pages (every " + every + ")"),
               manual, text("Timer", "OnBootSec", every), text("Timer", "OnUnitActiveSec", every),
               text("Install", "WantedBy", "timers.target")});
}

// Whether systemd takes `name` as a user name (its relaxed rules, for names
// from the account database): not empty, no blank at either end, UTF-8, no
// control character, ':' or '/', not "." or "..", and not a number (which
// it would read as a user id).
bool SystemdAcceptsName(std::string_view name) {
    auto digits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == ':' || c == '/') return false;
    return !name.empty() && !name.starts_with(' ') && !name.ends_with(' ') && IsUtf8(name) &&
           name != "." && name != ".." && !digits(name) &&
           !(name.starts_with('-') && digits(name.substr(1)));
}

// Whether a unit line carries `name` as User=: the statistics service
// written with it, read back.
bool LineKeepsName(SystemdSetup setup, const std::string& name) {
    setup.user = name;
    const UnitFile read = ReadUnit(SystemdUnits(setup)[1].text);
    std::string why;
    for (const Directive& directive : read.directives)
        if (directive.key == "User")
            return read.error.empty() && Specifiers(directive.value, why) == name;
    return false;
}

// The user of system units: the owner's name as the account database gives
// it (any bytes but NUL, ':' and a line break, which its lines cannot hold)
// when SystemdTakesUserName takes it, else the owner's number (mctfcli
// systemd). SystemdTakesUserName must take exactly the names systemd takes
// and a unit line carries.
std::string UnitUser(const SystemdSetup& setup, std::string name) {
    std::erase_if(name, [](char c) { return c == '\0' || c == ':' || c == '\n'; });
    const bool taken = SystemdTakesUserName(name);
    if (taken != (SystemdAcceptsName(name) && LineKeepsName(setup, name)))
        Fail("SystemdTakesUserName(" + name + ") is " + (taken ? "true" : "false"));
    return taken ? name : "1000";
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) Fail("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// morvane.sh for a game folder named from the input, run in the world the
// input describes.
void CheckLauncher(fuzz::FuzzReader& in) {
    SettingsStore store;
    store.settings = DefaultSettings;
    const std::string game = fuzz::GameFolder(in.Text());
    SetFixedText(store.settings.quakePath, game);
    store.settings.gameType = in.Raw<int32_t>();
    store.settings.serverType = in.Raw<int32_t>();
    fuzz::ShellWorld world;
    const uint32_t programs = in.Raw<uint32_t>();
    for (size_t k = 0; k < std::size(kDedicatedServerNames); ++k)
        if (const uint32_t kind = programs >> 2 * k & 3; kind == 1 || kind == 2)
            world.gameFiles[kDedicatedServerNames[k]] = kind == 2;
    // Server programs outside the game folder: one on the PATH, Debian's.
    const uint8_t elsewhere = in.Byte();
    if (elsewhere & 1) world.pathPrograms["ioq3ded"] = "/usr/games/ioq3ded";
    if (elsewhere & 6) world.otherFiles["/usr/lib/ioquake3/ioq3ded"] = elsewhere & 4;
    // Environment and arguments hold no NUL.
    auto noNul = [](std::string text) { return std::erase(text, '\0'), text; };
    const std::string server = noNul(in.Text());
    if (in.Byte() & 1) world.serverVariable = server;
    for (int n = in.Byte() % 4; n > 0; --n) world.arguments.push_back(noNul(in.Text()));

    // A game folder morvane.bat cannot name is refused (fuzz_server_script
    // checks that); the others all get a morvane.sh.
    if (WriteServerFiles(store).status != ServerFilesStatus::Written) return;
    fuzz::CheckShellLauncher(ReadAll(JoinPath(game, "morvane.sh")), store.settings, world);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzReader in(data, size);
    const uint8_t flags = in.Byte();
    SystemdSetup setup;
    setup.userUnits = flags & 1;
    setup.statsMinutes = kMinStatsMinutes + in.Raw<uint16_t>() % kMaxStatsMinutes;
    // A path is rooted ('/' put before it) unless its flag says it is taken
    // as it is: most inputs then get as far as the units.
    int raw = flags >> 3;
    for (std::string* path : {&setup.quakePath, &setup.program, &setup.config, &setup.pages}) {
        *path = in.Text();
        if (!(raw & 1)) path->insert(0, "/");
        raw >>= 1;
    }
    if (!(flags & 2)) setup.pages.clear();
    // The program is mctfcli's own file (/proc/self/exe), never a folder.
    if (setup.program.ends_with('/')) setup.program += "mctfcli";
    const std::string owner = setup.userUnits ? "" : in.Text();
    // The server named with --server (rooted), and the arguments it is given.
    if (flags & 0x80) setup.server = "/" + in.Text();
    for (int n = in.Byte() % 4; n > 0; --n) setup.serverArguments.push_back(in.Text());
    std::string folder = setup.quakePath;
    while (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
    setup.statsFolder = (folder == "/" ? "" : folder) + "/morvane";

    bool refused = false;
    for (const std::string* path :
         {&setup.quakePath, &setup.program, &setup.config, &setup.pages, &setup.server}) {
        if ((path == &setup.pages || path == &setup.server) && path->empty()) continue;
        const std::string problem = SystemdPathProblem(*path), reason = Unrepresentable(*path);
        if (problem.empty() != reason.empty())
            Fail("[" + *path +
                 "]: " + (problem.empty() ? "taken though " + reason : "refused: " + problem));
        refused |= !problem.empty();
    }
    // An argument goes into the unit when it holds no control character and
    // is UTF-8 (each byte of it then comes through).
    for (const std::string& argument : setup.serverArguments) {
        bool control = !IsUtf8(argument);
        for (char c : argument) control |= static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
        if (SystemdArgumentProblem(argument).empty() == control)
            Fail("[" + argument + "]: " + (control ? "taken" : "refused"));
        refused |= control;
    }
    if (!refused) {
        if (!setup.userUnits) setup.user = UnitUser(setup, owner);
        CheckUnits(SystemdUnits(setup), setup);
    }

    if (kWritesShellLauncher && (flags & 4)) CheckLauncher(in);
    return 0;
}
