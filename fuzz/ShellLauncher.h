// morvane.sh as a POSIX shell (dash, bash as sh) runs it, for the fuzz
// targets that write it: the script is read into words the way sh reads it
// (quotes, backslashes, $name and ${name-word}, "$@", $(command -v NAME),
// comments, line continuations, ; && || and the if/for it uses) and run
// against a small world (its environment, arguments, the PATH and which
// server programs the game folder and other places hold) up to the exec that
// starts the engine. Whatever the script does beyond that subset (a glob, an
// unquoted expansion, a command or redirection not listed here) is a
// finding, since the model cannot say what it does. The one game folder the
// targets write into is here too.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FixedText.h"
#include "core/Paths.h"
#include "core/ServerFiles.h"
#include "fuzz/FuzzSupport.h"

namespace mctf::fuzz {

// Where the script is started and with what.
struct ShellWorld {
    std::string startFolder = "/";
    std::optional<std::string> serverVariable;  // MCTF_SERVER, when set
    std::vector<std::string> arguments;         // "$@"
    // Regular files of the game folder by name: true for an executable one.
    std::map<std::string, bool> gameFiles;
    // Regular files elsewhere by absolute path, the same way.
    std::map<std::string, bool> otherFiles;
    // What `command -v NAME` prints for the programs on the PATH.
    std::map<std::string, std::string> pathPrograms;
};

struct ShellOutcome {
    bool execs = false;             // it ended in exec
    std::string folder;             // the working folder then
    std::vector<std::string> argv;  // what exec started, program first
    int exitStatus = 0;             // when it exited instead
    std::string unmodelled;         // what the model cannot follow, if anything
};

namespace shell {

// A piece of a word: text, quoted or not, or a parameter expansion.
struct Part {
    enum Kind { Text, Parameter, AllArguments, CommandV } kind = Text;
    std::string text;  // Text: the characters; Parameter, CommandV: the name
    bool quoted = false;
    std::optional<std::string> unsetWord;  // ${name-word}
};

struct Token {
    std::vector<Part> parts;  // empty for an operator
    std::string op;           // "\n", ";", "&&", "||", ">&2"

    // The unquoted literal text of a word, for keywords and assignments.
    std::optional<std::string> Plain() const {
        if (parts.size() != 1 || parts[0].kind != Part::Text || parts[0].quoted)
            return std::nullopt;
        return parts[0].text;
    }
};

inline bool IsNameStart(char c) {
    return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

class Lexer {
public:
    explicit Lexer(std::string_view text) : s_(text) {}

    std::vector<Token> Tokens(std::string& unmodelled) {
        std::vector<Token> tokens;
        while (i_ < s_.size() && error_.empty()) {
            const char c = s_[i_];
            const std::string_view rest = s_.substr(i_);
            if (c == ' ' || c == '\t') {
                ++i_;
            } else if (rest.starts_with("\\\n")) {
                i_ += 2;
            } else if (c == '#') {
                i_ = std::min(s_.find('\n', i_), s_.size());
            } else if (c == '\n' || (c == ';' && !rest.starts_with(";;"))) {
                tokens.push_back({{}, std::string(1, c)});
                ++i_;
            } else if (rest.starts_with("&&") || rest.starts_with("||")) {
                tokens.push_back({{}, std::string(rest.substr(0, 2))});
                i_ += 2;
            } else if (rest.starts_with(">&2")) {
                tokens.push_back({{}, ">&2"});
                i_ += 3;
            } else if (std::string_view("&|<>();").find(c) != std::string_view::npos) {
                error_ = "the operator " + std::string(rest.substr(0, 2));
            } else {
                tokens.push_back(Word());
            }
        }
        unmodelled = error_;
        return tokens;
    }

private:
    void Add(Token& word, char c, bool quoted) {
        if (word.parts.empty() || word.parts.back().kind != Part::Text ||
            word.parts.back().quoted != quoted)
            word.parts.push_back({Part::Text, "", quoted, std::nullopt});
        word.parts.back().text += c;
    }

    Token Word() {
        Token word;
        while (i_ < s_.size() && error_.empty()) {
            const char c = s_[i_];
            if (std::string_view(" \t\n;&|<>()").find(c) != std::string_view::npos) break;
            if (c == '\\') {
                if (i_ + 1 == s_.size()) {
                    error_ = "a backslash at the end";
                } else if (s_[i_ + 1] != '\n') {
                    Add(word, s_[i_ + 1], true);
                }
                i_ += 2;
            } else if (c == '\'') {
                const size_t end = s_.find('\'', i_ + 1);
                if (end == std::string_view::npos) {
                    error_ = "a single quote left open";
                    break;
                }
                word.parts.push_back(
                    {Part::Text, std::string(s_.substr(i_ + 1, end - i_ - 1)), true, {}});
                i_ = end + 1;
            } else if (c == '"') {
                DoubleQuoted(word);
            } else if (c == '$') {
                Dollar(word, false);
            } else if (c == '`') {
                error_ = "a command substitution";
            } else {
                Add(word, c, false);
                ++i_;
            }
        }
        return word;
    }

    void DoubleQuoted(Token& word) {
        word.parts.push_back({Part::Text, "", true, {}});  // "" is a word too
        for (++i_;;) {
            if (i_ == s_.size()) {
                error_ = "a double quote left open";
                return;
            }
            const char c = s_[i_];
            if (c == '"') {
                ++i_;
                return;
            }
            if (c == '\\' && i_ + 1 < s_.size() &&
                std::string_view("$`\"\\\n").find(s_[i_ + 1]) != std::string_view::npos) {
                if (s_[i_ + 1] != '\n') Add(word, s_[i_ + 1], true);
                i_ += 2;
            } else if (c == '$') {
                Dollar(word, true);
                if (!error_.empty()) return;
            } else if (c == '`') {
                error_ = "a command substitution";
                return;
            } else {
                Add(word, c, true);
                ++i_;
            }
        }
    }

    // $name, ${name}, ${name-word}, $@ and $(command -v NAME); a '$' before
    // anything else is itself.
    void Dollar(Token& word, bool quoted) {
        const char next = i_ + 1 < s_.size() ? s_[i_ + 1] : '\0';
        constexpr std::string_view lookup = "$(command -v ";
        if (s_.substr(i_).starts_with(lookup)) {
            const size_t close = s_.find(')', i_);
            const std::string_view name = s_.substr(i_ + lookup.size(), close - i_ - lookup.size());
            if (close == std::string_view::npos || name.empty() ||
                name.find_first_of(" \t\n\"'$`\\;&|<>()") != std::string_view::npos) {
                error_ = "a command substitution the model does not know";
                return;
            }
            word.parts.push_back({Part::CommandV, std::string(name), quoted, {}});
            i_ = close + 1;
        } else if (next == '@') {
            word.parts.push_back({Part::AllArguments, "", quoted, {}});
            i_ += 2;
        } else if (IsNameStart(next)) {
            size_t end = i_ + 1;
            while (end < s_.size() && IsNameChar(s_[end])) ++end;
            word.parts.push_back(
                {Part::Parameter, std::string(s_.substr(i_ + 1, end - i_ - 1)), quoted, {}});
            i_ = end;
        } else if (next == '{') {
            const size_t close = s_.find('}', i_);
            std::string_view inside = s_.substr(i_ + 2, close - i_ - 2);
            size_t name = 0;
            while (name < inside.size() && IsNameChar(inside[name])) ++name;
            Part part{Part::Parameter, std::string(inside.substr(0, name)), quoted, {}};
            const std::string_view rest = inside.substr(name);
            if (close == std::string_view::npos || name == 0 || !IsNameStart(inside[0])) {
                error_ = "a ${ the model does not read";
                return;
            }
            if (rest.starts_with('-') &&
                rest.find_first_of("$`\"'\\{}") == std::string_view::npos) {
                part.unsetWord = std::string(rest.substr(1));
            } else if (!rest.empty()) {
                error_ = "the expansion ${" + std::string(inside) + "}";
                return;
            }
            word.parts.push_back(std::move(part));
            i_ = close + 1;
        } else if (next == '(' || (next >= '0' && next <= '9') ||
                   std::string_view("#?*!$-").find(next) != std::string_view::npos) {
            error_ = "the expansion $" + std::string(1, next);
        } else {
            Add(word, '$', quoted);
            ++i_;
        }
    }

    std::string_view s_;
    size_t i_ = 0;
    std::string error_;
};

// The commands of the script: simple ones, if and for, joined by && and ||.
struct AndOr;
using List = std::vector<AndOr>;
struct Command {
    enum Kind { Simple, If, For } kind = Simple;
    std::vector<Token> words;  // Simple: its words; For: the items
    std::string variable;      // For
    List condition, body, otherwise;
};
struct AndOr {
    std::vector<Command> commands;
    std::vector<std::string> ops;  // between them
};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, std::string& error) : t_(tokens), error_(error) {}

    List Script() {
        List list = Commands({});
        if (error_.empty() && k_ < t_.size()) error_ = "a keyword out of place";
        return list;
    }

private:
    bool AtOp(std::string_view op) const { return k_ < t_.size() && t_[k_].op == op; }
    bool AtWord(std::string_view word) const { return k_ < t_.size() && t_[k_].Plain() == word; }
    void SkipSeparators() {
        while (AtOp("\n") || AtOp(";")) ++k_;
    }
    void Expect(std::string_view word) {
        if (AtWord(word)) {
            ++k_;
        } else if (error_.empty()) {
            error_ = "no " + std::string(word) + " where the script needs one";
        }
    }

    List Commands(std::initializer_list<std::string_view> stops) {
        List list;
        for (;;) {
            SkipSeparators();
            if (k_ == t_.size() || !error_.empty()) return list;
            for (std::string_view stop : stops)
                if (AtWord(stop)) return list;
            AndOr chain;
            chain.commands.push_back(OneCommand());
            while (error_.empty() && (AtOp("&&") || AtOp("||"))) {
                chain.ops.push_back(t_[k_++].op);
                while (AtOp("\n")) ++k_;
                chain.commands.push_back(OneCommand());
            }
            list.push_back(std::move(chain));
        }
    }

    Command OneCommand() {
        Command command;
        if (AtWord("if")) {
            ++k_;
            command.kind = Command::If;
            command.condition = Commands({"then"});
            Expect("then");
            command.body = Commands({"else", "fi"});
            if (AtWord("else")) {
                ++k_;
                command.otherwise = Commands({"fi"});
            }
            Expect("fi");
        } else if (AtWord("for")) {
            ++k_;
            command.kind = Command::For;
            const std::optional<std::string> name = k_ < t_.size() ? t_[k_].Plain() : std::nullopt;
            if (!name || name->empty() || !IsNameStart((*name)[0])) error_ = "a for without a name";
            command.variable = name.value_or("");
            ++k_;
            Expect("in");
            while (k_ < t_.size() && t_[k_].op.empty()) command.words.push_back(t_[k_++]);
            SkipSeparators();
            Expect("do");
            command.body = Commands({"done"});
            Expect("done");
        } else {
            while (k_ < t_.size() && (t_[k_].op.empty() || t_[k_].op == ">&2")) {
                if (t_[k_].op.empty()) command.words.push_back(t_[k_]);
                ++k_;
            }
            if (command.words.empty() && error_.empty()) error_ = "an empty command";
        }
        return command;
    }

    const std::vector<Token>& t_;
    std::string& error_;
    size_t k_ = 0;
};

// The folder a path names, ".", ".." and repeated slashes taken away as cd
// does by default (-L): the path as text, never looked up.
inline std::string Lexical(std::string_view path) {
    std::vector<std::string_view> parts;
    for (size_t at = 0; at <= path.size();) {
        const size_t end = std::min(path.find('/', at), path.size());
        const std::string_view part = path.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string folder;
    for (std::string_view part : parts) folder += "/" + std::string(part);
    return folder.empty() ? "/" : folder;
}

// cd [-L|-P] [--] [folder] as POSIX has it: where it goes from `cwd`, or
// nothing when it fails. No CDPATH, no HOME and no OLDPWD in the model's
// world: a cd that would use one fails here. The script's cd line is read
// only through this.
inline std::optional<std::string> ChangeFolder(const std::vector<std::string>& words,
                                               const std::string& cwd) {
    size_t k = 1;
    for (; k < words.size(); ++k) {
        const std::string& word = words[k];
        if (word == "--") {
            ++k;
            break;
        }
        if (word.size() < 2 || word[0] != '-') break;
        if (word.find_first_not_of("LP", 1) != std::string::npos) return std::nullopt;
    }
    if (words.size() != k + 1) return std::nullopt;  // no folder (HOME), or more than one
    const std::string& folder = words[k];
    if (folder.empty() || folder == "-") return std::nullopt;  // nowhere, OLDPWD
    // With CDPATH unset a relative folder is found from cwd.
    return Lexical(folder[0] == '/' ? folder : cwd + "/" + folder);
}

class Machine {
public:
    Machine(const ShellWorld& world, std::string gameFolder)
        : world_(world), game_(Lexical(gameFolder)), cwd_(Lexical(world.startFolder)) {
        if (world.serverVariable) variables_["MCTF_SERVER"] = *world.serverVariable;
    }

    ShellOutcome Run(const List& script) {
        Flow flow = Commands(script);
        if (out_.unmodelled.empty() && flow == Flow::Next) out_.exitStatus = status_;
        return out_;
    }

private:
    enum class Flow { Next, Break, Stop };

    Flow Stop(const std::string& what) {
        if (out_.unmodelled.empty()) out_.unmodelled = what;
        return Flow::Stop;
    }

    Flow Commands(const List& list) {
        for (const AndOr& chain : list) {
            Flow flow = OneCommand(chain.commands[0]);
            for (size_t k = 0; flow == Flow::Next && k < chain.ops.size(); ++k)
                if ((chain.ops[k] == "&&") == (status_ == 0))
                    flow = OneCommand(chain.commands[k + 1]);
            if (flow != Flow::Next) return flow;
        }
        return Flow::Next;
    }

    // A word's fields: no field splitting or pathname expansion is modelled,
    // so an unquoted expansion or glob character is refused; "$@" alone gives
    // the arguments. In an assignment the value is one text, never split.
    bool Expand(const Token& word, bool assignment, std::vector<std::string>& fields) {
        std::string text;
        bool all = false;
        for (const Part& part : word.parts) {
            if (part.kind == Part::AllArguments) {
                if (!part.quoted || assignment || word.parts.size() > 2) {
                    Stop("a $@ the model does not expand");
                    return false;
                }
                all = true;
            } else if (part.kind == Part::CommandV) {
                if (!part.quoted && !assignment) {
                    Stop("the unquoted expansion $(command -v " + part.text + ")");
                    return false;
                }
                const auto found = world_.pathPrograms.find(part.text);
                substitution_ = found != world_.pathPrograms.end() ? 0 : 1;
                if (found != world_.pathPrograms.end()) text += found->second;
            } else if (part.kind == Part::Parameter) {
                if (!part.quoted && !assignment) {
                    Stop("the unquoted expansion $" + part.text);
                    return false;
                }
                const auto value = variables_.find(part.text);
                text += value != variables_.end() ? value->second : part.unsetWord.value_or("");
            } else {
                if (!part.quoted && !assignment &&
                    (part.text.find_first_of("*?") != std::string::npos ||
                     (part.text.find('[') != std::string::npos && part.text != "["))) {
                    Stop("a glob in " + part.text);
                    return false;
                }
                text += part.text;
            }
        }
        if (all) {
            if (!text.empty()) return Stop("text beside \"$@\""), false;
            fields.insert(fields.end(), world_.arguments.begin(), world_.arguments.end());
        } else {
            fields.push_back(std::move(text));
        }
        return true;
    }

    Flow OneCommand(const Command& command) {
        if (command.kind == Command::If) {
            if (Flow flow = Commands(command.condition); flow != Flow::Next) return flow;
            return Commands(status_ == 0 ? command.body : command.otherwise);
        }
        if (command.kind == Command::For) {
            std::vector<std::string> items;
            for (const Token& word : command.words)
                if (!Expand(word, false, items)) return Flow::Stop;
            for (const std::string& item : items) {
                variables_[command.variable] = item;
                const Flow flow = Commands(command.body);
                if (flow == Flow::Break) break;
                if (flow == Flow::Stop) return flow;
            }
            status_ = 0;
            return Flow::Next;
        }
        size_t first = 0;
        substitution_.reset();
        std::vector<std::pair<std::string, std::string>> assignments;
        for (; first < command.words.size(); ++first) {
            const Token& word = command.words[first];
            if (word.parts.empty() || word.parts[0].kind != Part::Text || word.parts[0].quoted)
                break;
            const std::string& head = word.parts[0].text;
            const size_t equals = head.find('=');
            if (equals == std::string::npos || equals == 0 || !IsNameStart(head[0]) ||
                !std::all_of(head.begin(), head.begin() + static_cast<long>(equals), IsNameChar))
                break;
            Token value = word;
            value.parts[0].text.erase(0, equals + 1);
            std::vector<std::string> fields;
            if (!Expand(value, true, fields)) return Flow::Stop;
            assignments.emplace_back(head.substr(0, equals), fields[0]);
        }
        if (first == command.words.size()) {
            for (auto& [name, value] : assignments) variables_[name] = value;
            // That of its last command substitution, if any.
            status_ = substitution_.value_or(0);
            return Flow::Next;
        }
        if (!assignments.empty()) return Stop("an assignment before a command");
        std::vector<std::string> fields;
        for (size_t k = first; k < command.words.size(); ++k)
            if (!Expand(command.words[k], false, fields)) return Flow::Stop;
        if (fields.empty()) return Stop("a command of no words");
        return Builtin(fields);
    }

    // What the file `name` is: nothing, a file, an executable one.
    int FileKind(const std::string& name) const {
        const std::string path = Lexical(name[0] == '/' ? name : cwd_ + "/" + name);
        const size_t slash = path.rfind('/');
        const bool inGame = path.substr(0, std::max<size_t>(slash, 1)) == game_;
        const auto& files = inGame ? world_.gameFiles : world_.otherFiles;
        const auto file = files.find(inGame ? path.substr(slash + 1) : path);
        return file == files.end() ? 0 : file->second ? 2 : 1;
    }

    Flow Builtin(const std::vector<std::string>& argv) {
        const std::string& name = argv[0];
        if (name == "cd") {
            const std::optional<std::string> folder = ChangeFolder(argv, cwd_);
            // Only the game folder (and where the script starts) are known to exist.
            status_ = folder && (*folder == game_ || *folder == cwd_) ? 0 : 1;
            if (status_ == 0) cwd_ = *folder;
        } else if (name == "[") {
            if (argv.size() != 4 || argv[3] != "]") return Stop("a test the model does not know");
            if (argv[1] == "-z") {
                status_ = argv[2].empty() ? 0 : 1;
            } else if (argv[1] == "-f" || argv[1] == "-x") {
                status_ = argv[2].empty() || FileKind(argv[2]) < (argv[1] == "-f" ? 1 : 2);
            } else {
                return Stop("the test " + argv[1]);
            }
        } else if (name == "echo" || name == "printf") {
            status_ = 0;
        } else if (name == "break") {
            status_ = 0;
            return Flow::Break;
        } else if (name == "exit") {
            if (argv.size() > 2 ||
                (argv.size() == 2 && argv[1].find_first_not_of("0123456789") != std::string::npos))
                return Stop("an exit the model does not know");
            out_.exitStatus = argv.size() == 2 ? std::stoi(argv[1].substr(0, 3)) : status_;
            return Flow::Stop;
        } else if (name == "exec") {
            if (argv.size() < 2) return Stop("an exec without a program");
            out_.execs = true;
            out_.folder = cwd_;
            out_.argv.assign(argv.begin() + 1, argv.end());
            return Flow::Stop;
        } else {
            return Stop("the command " + name);
        }
        return Flow::Next;
    }

    const ShellWorld& world_;
    const std::string game_;
    std::string cwd_;
    std::map<std::string, std::string> variables_;
    int status_ = 0;
    std::optional<int> substitution_;  // status of the command's last $(...)
    ShellOutcome out_;
};

}  // namespace shell

// What morvane.sh does when started in `world`, its game folder being `game`.
inline ShellOutcome RunShellLauncher(std::string_view script, const ShellWorld& world,
                                     const std::string& game) {
    ShellOutcome outcome;
    const std::vector<shell::Token> tokens = shell::Lexer(script).Tokens(outcome.unmodelled);
    if (!outcome.unmodelled.empty()) return outcome;
    const shell::List program = shell::Parser(tokens, outcome.unmodelled).Script();
    if (!outcome.unmodelled.empty()) return outcome;
    return shell::Machine(world, game).Run(program);
}

[[noreturn]] inline void LauncherFailure(const std::string& what) {
    std::fprintf(stderr, "morvane.sh: %s\n", what.c_str());
    __builtin_trap();
}

// The server program morvane.sh is to start: MCTF_SERVER when set and not
// empty, else the first of kDedicatedServerNames that is an executable file
// of the game folder, else ioq3ded of the PATH, else Debian's when it is an
// executable file; none when there is none of these.
inline std::optional<std::string> IntendedServer(const ShellWorld& world) {
    if (world.serverVariable && !world.serverVariable->empty()) return world.serverVariable;
    for (const char* name : kDedicatedServerNames) {
        const auto file = world.gameFiles.find(name);
        if (file != world.gameFiles.end() && file->second) return "./" + std::string(name);
    }
    if (const auto onPath = world.pathPrograms.find("ioq3ded");
        onPath != world.pathPrograms.end() && !onPath->second.empty())
        return onPath->second;
    if (const auto debian = world.otherFiles.find(kDebianServerPath);
        debian != world.otherFiles.end() && debian->second)
        return std::string(kDebianServerPath);
    return std::nullopt;
}

// morvane.sh, read back and run in `world`: the engine must start in the
// game folder with exactly the intended arguments (its base and home paths
// the game folder as it is, "./" before one starting with '-', the port,
// the script, the script's own arguments last), or, with no server program
// to start, the script must exit with its own status (kNoServerStatus).
inline void CheckShellLauncher(std::string_view script, const ServerSettings& s,
                               const ShellWorld& world) {
    const std::string path(FixedText(s.quakePath));
    const std::string game = (path.starts_with('-') ? "./" : "") + path;
    const ShellOutcome run = RunShellLauncher(script, world, game);
    if (!run.unmodelled.empty()) LauncherFailure("the model cannot follow " + run.unmodelled);
    const std::optional<std::string> server = IntendedServer(world);
    if (!server) {
        if (run.execs || run.exitStatus != kNoServerStatus)
            LauncherFailure("no server, yet not exit " + std::to_string(kNoServerStatus));
        return;
    }
    if (!run.execs) LauncherFailure("the engine is not started");
    if (run.folder != shell::Lexical(game)) LauncherFailure("the engine starts in " + run.folder);
    std::vector<std::string> argv = {*server, "+set",        "fs_basepath", game,
                                     "+set",  "fs_homepath", game};
    if (IsModGameType(s.gameType)) argv.insert(argv.end(), {"+set", "fs_game", "morvane"});
    argv.insert(argv.end(), {"+set", "dedicated", std::to_string(s.serverType), "+set", "net_port",
                             std::to_string(s.netPort), "+exec", "morvane.cfg"});
    argv.insert(argv.end(), world.arguments.begin(), world.arguments.end());
    if (run.argv != argv) {
        std::string shown;
        for (const std::string& word : run.argv) shown += "[" + word + "]";
        LauncherFailure("the engine gets " + shown);
    }
}

// The one game folder (with baseq3/ and morvane/), renamed to the input's
// name and emptied of server files; its path. The name stops at a NUL and
// is cut to what quakePath holds, '/' read as '\'.
inline std::string GameFolder(std::string_view wanted) {
    namespace fs = std::filesystem;
    static const std::string scratch = ScratchFolder();
    static std::string current = "game";
    static const bool made =
        fs::create_directories(JoinPath(JoinPath(scratch, current), "baseq3")) &&
        fs::create_directory(JoinPath(JoinPath(scratch, current), "morvane"));
    if (!made) LauncherFailure("cannot make the game folder");
    // scratch/name must fit quakePath with its terminator.
    const size_t room = sizeof(ServerSettings::quakePath) - 2 - scratch.size();
    if (room > sizeof(ServerSettings::quakePath))
        LauncherFailure("the scratch folder's path is too long");
    std::string name(wanted.substr(0, std::min(room, wanted.find('\0'))));
    std::replace(name.begin(), name.end(), '/', '\\');
    if (name.empty() || name == "." || name == "..") name = "game";
    if (name != current) fs::rename(JoinPath(scratch, current), JoinPath(scratch, name));
    current = name;
    const std::string folder = JoinPath(scratch, name);
    for (const char* file :
         {"morvane.bat", "morvane.sh", "baseq3/morvane.cfg", "morvane/morvane.cfg"})
        fs::remove(JoinPath(folder, file));
    return folder;
}

}  // namespace mctf::fuzz
