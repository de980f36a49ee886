#include "cli/CommandArgs.h"

#include <string_view>

namespace mctf {

namespace {

bool IsHelp(std::string_view word) { return word == "--help" || word == "-h"; }

}  // namespace

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
        std::optional<std::string>* value;
    } const valueOptions[] = {
        {kConfigOption, "--config", &parsed.config},
        {kLogsOption, "--logs", &parsed.logs},
        {kSystemdOptions, "--every", &parsed.every},
        {kSystemdOptions, "--write", &parsed.write},
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
            continue;
        }
        if (word == "--yes" && (options & kYesOption)) {
            parsed.yes = true;
            continue;
        }
        if (word == "--user" && (options & kSystemdOptions)) {
            parsed.userUnits = true;
            continue;
        }
        bool known = false;
        for (const ValueOption& option : valueOptions) {
            if (!(options & option.flag)) continue;
            const std::string_view name = option.name;
            if (word == name) {
                // A following option is no value: "--config --yes" lacks one.
                if (i + 1 >= args.size() || args[i + 1].starts_with("--"))
                    return "option " + std::string(name) + " needs a value";
                *option.value = args[++i];
            } else if (word.starts_with(std::string(name) + "=")) {
                *option.value = word.substr(name.size() + 1);
            } else {
                continue;
            }
            if (option.value->value().empty())
                return "option " + std::string(name) + " needs a value";
            known = true;
            break;
        }
        if (!known) return "unknown option '" + word + "'";
    }
    return std::nullopt;
}

}  // namespace mctf
