// The program's command line: the usage and the version answer, anything else is refused, and
// none of them opens a window: they run where no X server listens.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/xvfb.h"

namespace {

const std::string kGame = TRIVANTA_GAME;

TEST(CommandLine, HelpAndVersionAnswerAndOtherArgumentsAreRefused) {
    const RunWithoutDisplay help = runWithoutDisplay(kGame + " --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.starts_with("Usage: trivanta [--help | --version]\n")) << help.output;
    EXPECT_NE(help.output.find("s drops it"), std::string::npos) << help.output;
    EXPECT_NE(help.output.find("--patterns"), std::string::npos) << help.output;

    const RunWithoutDisplay version = runWithoutDisplay(kGame + " --version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "trivanta " TRIVANTA_VERSION "\n");

    // --patterns is taken for play, which needs the display this run has not got.
    EXPECT_EQ(runWithoutDisplay(kGame + " --patterns").exitCode, 1);

    // Standard output is thrown away, so what is read came on standard error.
    for (const char* arguments :
         {"--play", "--help --version", "-h", "--patterns --patterns", "--patterns --version"}) {
        const RunWithoutDisplay refused = runWithoutDisplay(
            "sh -c '\"$0\" " + std::string(arguments) + " 2>&1 >/dev/null' " + kGame);
        EXPECT_EQ(refused.exitCode, 2) << arguments;
        EXPECT_NE(refused.output.find("Usage: trivanta"), std::string::npos) << arguments;
    }
}

}  // namespace
