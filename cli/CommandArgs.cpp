#include "cli/CommandArgs.h"

#include <string_view>
#include <utility>

namespace mctf {

namespace {

bool IsHelp(std::string_view word) { return word == "--help" || word == "-h"; }

}  // namespace

bool IsOptionValue(std::string_view word, bool takesStandardOutput) {
    return !word.starts_with('-') || (takesStandardOutput && word == "-");
}

std::optional<std::string> ParseCommandArgs(const Args& args, unsigned options,
                                            CommandArgs& parsed) {
    for (const std::string& word : args) {
        if (word == "--") break;
        if (IsHelp(word)) {
            parsed.help = true;
            return std::nullopt;
        }
    }
    struct ValueOption {
        unsigned flag;
        std::string_view name;
        void (*take)(CommandArgs& parsed, std::string value);
        bool takesStandardOutput = false;  // "-"
    } const valueOptions[] = {
        {kConfigOption, "--config", [](CommandArgs& p, std::string v) { p.config = std::move(v); }},
        {kLogsOption, "--logs",
         [](CommandArgs& p, std::string v) { p.logs.push_back(std::move(v)); }},
        {kOutOption, "--out", [](CommandArgs& p, std::string v) { p.out = std::move(v); }},
        {kSystemdOptions, "--every", [](CommandArgs& p, std::string v) { p.every = std::move(v); }},
        {kSystemdOptions, "--write", [](CommandArgs& p, std::string v) { p.write = std::move(v); }},
        {kTimeoutOption, "--timeout",
         [](CommandArgs& p, std::string v) { p.timeout = std::move(v); }},
        {kSystemdOptions, "--server",
         [](CommandArgs& p, std::string v) { p.server = std::move(v); }},
        {kJsonFileOption, "--json", [](CommandArgs& p, std::string v) { p.json = std::move(v); },
         true},
        {kSeedOption, "--seed", [](CommandArgs& p, std::string v) { p.seed = std::move(v); }},
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            parsed.wordsBeforeDashes = parsed.words.size();
            continue;
        }
        if (word == "--yes" && (options & kYesOption)) {
            parsed.yes = true;
            continue;
        }
        if ((word == "--quiet" || word == "-q") && (options & kQuietOption)) {
            parsed.quiet = true;
            continue;
        }
        if (word == "--user" && (options & kSystemdOptions)) {
            parsed.userUnits = true;
            continue;
        }
        if (word == "--json" && (options & kJsonOption)) {
            parsed.json = "-";
            continue;
        }
        if (word == "--no-pages" && (options & kJsonFileOption)) {
            parsed.noPages = true;
            continue;
        }
        bool known = false;
        for (const ValueOption& option : valueOptions) {
            if (!(options & option.flag)) continue;
            const std::string_view name = option.name;
            std::string value;
            if (word == name) {
                if (i + 1 >= args.size() || !IsOptionValue(args[i + 1], option.takesStandardOutput))
                    return "option " + std::string(name) + " needs a value";
                value = args[++i];
            } else if (word.starts_with(std::string(name) + "=")) {
                value = word.substr(name.size() + 1);
            } else {
                continue;
            }
            if (value.empty()) return "option " + std::string(name) + " needs a value";
            option.take(parsed, std::move(value));
            known = true;
            break;
        }
        if (!known) return "unknown option '" + word + "'";
    }
    return std::nullopt;
}

}  // namespace mctf
