// The argument reading every subcommand with options shares.

#include "cli/CliCommands.h"

#include <algorithm>

namespace kazutama::cli {

namespace {

// Characters, not bytes: a view's name in Japanese is quoted whole.
constexpr std::size_t kQuotedCharacters = 40;

bool listed(std::initializer_list<std::string_view> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::string startOf(std::string_view text) {
    // A character starts at every byte that is not a UTF-8 continuation byte (10xxxxxx).
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == kQuotedCharacters)
            return std::string(text.substr(0, i)) + "…";
    return std::string(text);
}

std::string ParsedArgs::value(std::string_view option, std::string fallback) const {
    const auto found = values.find(option);
    return found == values.end() ? fallback : found->second;
}

ParsedArgs parseArgs(const Args& args, std::initializer_list<std::string_view> valueOptions,
                     std::initializer_list<std::string_view> flagOptions,
                     std::initializer_list<std::string_view> positionalNames, std::string_view usage,
                     bool morePositional) {
    const auto fail = [&](const std::string& what) {
        throw CliError{what + "。使い方: kazutama-cli " + std::string(usage)};
    };
    ParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, equals);
        if (arg.starts_with("--") && listed(valueOptions, name)) {
            if (equals != std::string::npos)
                parsed.values[std::string(name)] = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                parsed.values[arg] = args[++i];
            else
                fail(arg + " の後に値がありません");
        } else if (listed(flagOptions, arg)) {
            parsed.flags.insert(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            fail("不明なオプションです: " + startOf(arg));
        } else if (parsed.positional.size() == positionalNames.size() && !morePositional) {
            fail("引数が多すぎます: " + startOf(arg));
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.positional.size() < positionalNames.size())
        fail(std::string(positionalNames.begin()[parsed.positional.size()]) + "が指定されていません");
    return parsed;
}

} // namespace kazutama::cli
