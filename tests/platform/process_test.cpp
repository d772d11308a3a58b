#include "platform/process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace qfw {
namespace {

namespace fs = std::filesystem;

TEST(SplitWindowsCommandLine, FollowsTheWindowsQuotingRules) {
    using Args = std::vector<std::string>;
    const std::pair<const char*, Args> cases[] = {
        {"C:\\Prog\\qfwizard.exe /REGSERVER", {"C:\\Prog\\qfwizard.exe", "/REGSERVER"}},
        {"\"C:\\Program Files\\q.exe\" a  b", {"C:\\Program Files\\q.exe", "a", "b"}},
        {"p \"a b\" c\\d \"e\\\"f\" g\\\\\"h\"", {"p", "a b", "c\\d", "e\"f", "g\\h"}},
        {"p \"\"", {"p", ""}},
        {"   ", {}},
    };
    for (const auto& [line, args] : cases)
        EXPECT_EQ(SplitWindowsCommandLine(line), args) << line;
}

TEST(StartDetached, RunsTheProgramWithoutWaitingForIt) {
    const fs::path marker =
        fs::temp_directory_path() / ("qfw_started_" + std::to_string(::getpid()));
    fs::remove(marker);
    // The child waits on purpose: StartDetached must return before it ends.
    const std::string script = "sleep 1; echo started > '" + marker.string() + "'";
    EXPECT_EQ(StartDetached({"sh", "-c", script}), kWinExecStarted);
    EXPECT_FALSE(fs::exists(marker));
    for (int i = 0; i < 200 && !fs::exists(marker); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(fs::exists(marker));
    fs::remove(marker);
}

TEST(StartDetached, ReportsProgramsThatCannotStart) {
    EXPECT_EQ(StartDetached({"/no/such/program"}), kWinExecFileNotFound);
    EXPECT_EQ(StartDetached({"qfw-no-such-program"}), kWinExecFileNotFound);
    EXPECT_EQ(StartDetached({}), kWinExecFileNotFound);
    const fs::path notExecutable =
        fs::temp_directory_path() / ("qfw_plain_" + std::to_string(::getpid()));
    std::ofstream(notExecutable) << "plain text";
    fs::permissions(notExecutable, fs::perms::owner_all);
    EXPECT_EQ(StartDetached({notExecutable.string()}), kWinExecBadFormat);
    fs::remove(notExecutable);
}

}  // namespace
}  // namespace qfw
