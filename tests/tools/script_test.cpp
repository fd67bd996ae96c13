// Replay scripts: what a well-formed script says, and one clear message naming the line for
// each fault, before anything runs.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/replay/script.h"

namespace {

using replay::Command;

std::optional<replay::Script> parse(const std::string& text, std::string& error) {
    std::istringstream in(text);
    return replay::parseScript(in, error);
}

// The message for a script that must be refused; empty if it was accepted.
std::string faultOf(const std::string& text) {
    std::string error;
    return parse(text, error) ? "" : error;
}

TEST(ReplayScript, ReadsCommandsBetweenCommentsAndBlankLines) {
    std::string error;
    const auto script = parse(
        "# the menu, then a game\n"
        "\n"
        "at 4000 key space   # start\n"
        "   at 4000 key Left\n"
        "at 9000 shot docs/screenshots/game.png\n"
        "at 12000 end\n",
        error);
    ASSERT_TRUE(script) << error;
    ASSERT_EQ(script->size(), 4u);
    EXPECT_EQ((*script)[0].kind, Command::Kind::Key);
    EXPECT_EQ((*script)[0].atMs, 4000);
    EXPECT_EQ((*script)[0].argument, "space");
    EXPECT_EQ((*script)[0].line, 3);
    EXPECT_EQ((*script)[1].argument, "Left");
    EXPECT_EQ((*script)[2].kind, Command::Kind::Shot);
    EXPECT_EQ((*script)[2].argument, "docs/screenshots/game.png");
    EXPECT_EQ((*script)[3].kind, Command::Kind::End);
    EXPECT_EQ((*script)[3].atMs, 12000);
    EXPECT_EQ((*script)[3].line, 6);
}

TEST(ReplayScript, AnEmptyScriptAndOneWithoutEndAreAccepted) {
    EXPECT_EQ(faultOf(""), "");
    EXPECT_EQ(faultOf("# nothing\n\n"), "");
    EXPECT_EQ(faultOf("at 0 key a\nat 0 key b\n"), "");
}

// Each faulty script and the one message it gets.
struct Fault {
    const char* script;
    const char* message;
};

const Fault kFaults[] = {
    // Lines that are no command.
    {"at 1 key a\nkey a\n", "line 2: expected \"at TIME COMMAND\""},
    {"after 10 key a\n", "line 1: expected \"at TIME COMMAND\""},
    {"at 10\n", "line 1: expected \"at TIME COMMAND\""},
    {"at 10 shoot a.png\n", "line 1: unknown command \"shoot\" (key, shot or end)"},
    // Times that are not whole milliseconds.
    {"at 12x key a\n", "line 1: \"12x\" is not a time in whole milliseconds"},
    {"at -5 key a\n", "line 1: \"-5\" is not a time in whole milliseconds"},
    {"at 1.5 end\n", "line 1: \"1.5\" is not a time in whole milliseconds"},
    {"at 99999999999999999999 end\n",
     "line 1: \"99999999999999999999\" is not a time in whole milliseconds"},
    // Wrong arguments and unknown keys.
    {"at 1 key\n", "line 1: \"key\" takes one word after it"},
    {"at 1 key a b\n", "line 1: \"key\" takes one word after it"},
    {"at 1 shot\n", "line 1: \"shot\" takes one word after it"},
    {"at 1 end now\n", "line 1: \"end\" takes nothing after it"},
    {"at 1 key Spcae\n", "line 1: \"Spcae\" is not a key name"},
    // Times never go back, and nothing follows the end.
    {"at 5000 key a\n# later\nat 4000 key b\n", "line 3: time 4000 comes before 5000 of line 1"},
    {"at 5000 end\nat 6000 key a\n", "line 2: nothing may follow \"end\" (line 1)"},
    {"at 5000 end\nat 5000 end\n", "line 2: nothing may follow \"end\" (line 1)"},
};

TEST(ReplayScript, RefusesEachFaultWithOneMessageNamingItsLine) {
    for (const Fault& fault : kFaults)
        EXPECT_EQ(faultOf(fault.script), fault.message) << fault.script;
}

}  // namespace
