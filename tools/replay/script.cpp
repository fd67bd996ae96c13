#include "tools/replay/script.h"

#include <charconv>
#include <sstream>

#include "platform/headless/key_names.h"

namespace replay {

namespace {

// A day of virtual time is far beyond any replay; the bound keeps the times exact as doubles.
constexpr int64_t kLatestMs = 86'400'000;

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::optional<int64_t> timeOf(const std::string& word) {
    int64_t ms = 0;
    const char* end = word.data() + word.size();
    const auto [stop, fault] = std::from_chars(word.data(), end, ms);
    if (fault != std::errc() || stop != end || ms < 0 || ms > kLatestMs)
        return std::nullopt;
    return ms;
}

std::optional<Command::Kind> kindOf(const std::string& word) {
    if (word == "key")
        return Command::Kind::Key;
    if (word == "shot")
        return Command::Kind::Shot;
    if (word == "end")
        return Command::Kind::End;
    return std::nullopt;
}

// One line's command, or the reason it is not one.
struct Parsed {
    std::optional<Command> command;
    std::string fault;
};

Parsed fault(std::string why) {
    return Parsed{std::nullopt, std::move(why)};
}

Parsed parseCommand(const std::vector<std::string>& words) {
    if (words.size() == 1 && words[0] == "patterns")
        return Parsed{Command{Command::Kind::Patterns, 0, "", 0}, ""};
    if (words.size() < 3 || words[0] != "at")
        return fault("expected \"at TIME COMMAND\"");
    const std::optional<int64_t> atMs = timeOf(words[1]);
    if (!atMs)
        return fault("\"" + words[1] + "\" is not a time in whole milliseconds");
    const std::optional<Command::Kind> kind = kindOf(words[2]);
    if (!kind)
        return fault("unknown command \"" + words[2] + "\" (key, shot or end)");
    const size_t arguments = *kind == Command::Kind::End ? 0 : 1;
    if (words.size() != 3 + arguments)
        return fault("\"" + words[2] + "\" takes " + (arguments == 0 ? "nothing" : "one word") +
                     " after it");
    Command command{*kind, *atMs, arguments == 0 ? "" : words[3], 0};
    if (*kind == Command::Kind::Key && !platform::headless::keyNamed(command.argument))
        return fault("\"" + command.argument + "\" is not a key name");
    return Parsed{command, ""};
}

// Why a command may not come after the ones before it, or nothing.
std::string orderFault(const Script& before, const Command& next) {
    if (before.empty())
        return "";
    if (next.kind == Command::Kind::Patterns)
        return "\"patterns\" comes before every other command";
    const Command& last = before.back();
    if (last.kind == Command::Kind::End)
        return "nothing may follow \"end\" (line " + std::to_string(last.line) + ")";
    if (next.atMs < last.atMs)
        return "time " + std::to_string(next.atMs) + " comes before " + std::to_string(last.atMs) +
               " of line " + std::to_string(last.line);
    return "";
}

}  // namespace

std::optional<Script> parseScript(std::istream& text, std::string& error) {
    Script script;
    int number = 0;
    for (std::string line; std::getline(text, line);) {
        ++number;
        const std::vector<std::string> words = wordsOf(line);
        if (words.empty())
            continue;
        Parsed parsed = parseCommand(words);
        if (parsed.command) {
            parsed.command->line = number;
            parsed.fault = orderFault(script, *parsed.command);
        }
        if (!parsed.fault.empty()) {
            error = "line " + std::to_string(number) + ": " + parsed.fault;
            return std::nullopt;
        }
        script.push_back(*parsed.command);
    }
    return script;
}

}  // namespace replay
