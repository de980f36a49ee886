#include "cli/CommandArgs.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

namespace mctf {

namespace {

using enum OptionValue;

constexpr Option kOptions[] = {
    {.flag = kHelpOption, .name = "--help", .alias = "-h"},
    {.flag = kVersionOption, .name = "--version"},
    {.flag = kUserSettingsOption, .name = "--user-settings"},
    {kConfigOption, "--config", File,
     [](CommandArgs& p, std::string v) { p.config = std::move(v); }, "dmc"},
    {kYesOption, "--yes", None, [](CommandArgs& p, std::string) { p.yes = true; }},
    {kUserOption, "--user", None, [](CommandArgs& p, std::string) { p.userUnits = true; }},
    {kEveryOption, "--every", Word, [](CommandArgs& p, std::string v) { p.every = std::move(v); }},
    {kWriteOption, "--write", Folder,
     [](CommandArgs& p, std::string v) { p.write = std::move(v); }},
    {kLogsOption, "--logs", Folder,
     [](CommandArgs& p, std::string v) { p.logs.push_back(std::move(v)); }},
    {kOutOption, "--out", Folder, [](CommandArgs& p, std::string v) { p.out = std::move(v); }},
    {.flag = kJsonFileOption,
     .name = "--json",
     .value = File,
     .take = [](CommandArgs& p, std::string v) { p.json = std::move(v); },
     .extensions = "json",
     .takesStandardOutput = true},
    {kNoPagesOption, "--no-pages", None, [](CommandArgs& p, std::string) { p.noPages = true; }},
    {kSeedOption, "--seed", Word, [](CommandArgs& p, std::string v) { p.seed = std::move(v); }},
    {kServerOption, "--server", File,
     [](CommandArgs& p, std::string v) { p.server = std::move(v); }},
    {kJsonOption, "--json", None, [](CommandArgs& p, std::string) { p.json = "-"; }},
    {kTimeoutOption, "--timeout", Word,
     [](CommandArgs& p, std::string v) { p.timeout = std::move(v); }},
    {.flag = kQuietOption,
     .name = "--quiet",
     .take = [](CommandArgs& p, std::string) { p.quiet = true; },
     .alias = "-q"},
};

constexpr bool FlagsDistinct() {
    unsigned seen = 0;
    for (const Option& option : kOptions) {
        if (std::popcount(option.flag) != 1 || (seen & option.flag)) return false;
        seen |= option.flag;
    }
    return true;
}
static_assert(FlagsDistinct(), "every option needs a CommandOption flag of its own");

// Whether word is the option written as a flag: its name or its alias.
bool Names(const Option& option, std::string_view word) {
    return word == option.name || (!option.alias.empty() && word == option.alias);
}

// Whether the word after an option that takes a value can be that value: a
// word starting with '-' is an option ("--out -q" lacks its value; a folder
// "-q" is "--out=-q"), except "-" alone where standard output is meant.
bool IsOptionValue(std::string_view word, bool takesStandardOutput) {
    return !word.starts_with('-') || (takesStandardOutput && word == "-");
}

// Changes (insert, delete, replace, swap of neighbours) that turn a into b.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The candidate a mistyped word was most likely meant to be; empty when none
// is close.
std::string_view Nearest(std::string_view word, const std::vector<std::string_view>& candidates) {
    const auto bare = [](std::string_view text) {
        return text.substr(std::min(text.find_first_not_of('-'), text.size()));
    };
    const std::size_t limit = bare(word).size() <= 4 ? 1 : 2;
    std::string_view nearest;
    std::size_t best = SIZE_MAX;
    for (std::string_view candidate : candidates) {
        const std::size_t distance = EditDistance(bare(word), bare(candidate));
        // Of two as close, the one with dashes if the word has them.
        const std::size_t score =
            2 * distance + (word.starts_with('-') != candidate.starts_with('-') ? 1 : 0);
        if (distance <= limit && score < best) {
            nearest = candidate;
            best = score;
        }
    }
    return nearest;
}

}  // namespace

std::span<const Option> Options() { return kOptions; }

const Option& OptionOf(CommandOption flag) {
    return *std::ranges::find(kOptions, static_cast<unsigned>(flag), &Option::flag);
}

bool IsOption(std::string_view word, CommandOption flag) { return Names(OptionOf(flag), word); }

OptionWord ReadOption(const Option& option, const Args& args, std::size_t& i, std::string& value) {
    const std::string_view word = args[i];
    if (option.value == None) return Names(option, word) ? OptionWord::Taken : OptionWord::Other;
    if (word == option.name) {
        if (i + 1 >= args.size() || !IsOptionValue(args[i + 1], option.takesStandardOutput))
            return OptionWord::NoValue;
        value = args[++i];
        return OptionWord::Taken;
    }
    if (!word.starts_with(option.name) || word.substr(option.name.size(), 1) != "=")
        return OptionWord::Other;
    value = word.substr(option.name.size() + 1);
    return OptionWord::Taken;
}

std::string MissingValue(const Option& option) {
    return "option " + std::string(option.name) + " needs a value";
}

std::optional<std::string> ParseCommandArgs(const Args& args, unsigned options,
                                            CommandArgs& parsed) {
    for (const std::string& word : args) {
        if (word == "--") break;
        if (IsOption(word, kHelpOption)) {
            parsed.help = true;
            return std::nullopt;
        }
    }
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
        const Option* taken = nullptr;
        std::string value;
        std::vector<std::string_view> names = {OptionOf(kHelpOption).name};
        for (const Option& option : kOptions) {
            if (!(options & option.flag)) continue;
            names.push_back(option.name);
            const OptionWord read = ReadOption(option, args, i, value);
            if (read == OptionWord::NoValue) return MissingValue(option);
            if (read == OptionWord::Taken) {
                taken = &option;
                break;
            }
        }
        if (!taken) return UnknownWord("option", word, names);
        if (taken->value != None && value.empty()) return MissingValue(*taken);
        taken->take(parsed, std::move(value));
        parsed.given |= taken->flag;
    }
    return std::nullopt;
}

std::string UnknownWord(std::string_view what, std::string_view word,
                        const std::vector<std::string_view>& candidates) {
    std::string problem = "unknown " + std::string(what) + " '" + std::string(word) + "'";
    if (std::string_view nearest = Nearest(word, candidates); !nearest.empty())
        problem += "; did you mean " + std::string(nearest) + "?";
    return problem;
}

}  // namespace mctf
