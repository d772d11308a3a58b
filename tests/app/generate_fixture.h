// The sandbox of the `qfwizard generate` tests: copies of the example
// project, a home and temporary folder of their own, and the program run
// with its output captured.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/module_checker.h"
#include "support/temp_folder.h"

extern char** environ;

namespace qfw::testing {

namespace fs = std::filesystem;

inline const fs::path kExample = fs::path(QFW_EXAMPLES) / "LabeledEdit";
inline const fs::path kGolden = fs::path(QFW_FIXTURES) / "app" / "LabeledEdit.golden.ctl";

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A sandbox: the project folder, and a home, data and temporary folder of
// its own so that nothing outside it is read or written.
class GenerateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(Project());
        fs::create_directories(Tmp());
        for (const char* name :
             {"LabeledEdit.vbp", "LabeledEdit.ctl", "QUILLDIAL.OCX", "QUILLEDIT.OCX"}) {
            fs::copy_file(kExample / name, Project() / name);
        }
    }

    fs::path Project() const { return temp_.Path() / "project"; }
    fs::path Tmp() const { return temp_.Path() / "tmp"; }
    std::string File(const std::string& name) const { return (Project() / name).string(); }

    Outcome Run(std::vector<std::string> args, const std::vector<std::string>& extraEnv = {},
                const std::string& cwd = "") const {
        args.insert(args.begin(), "generate");
        return RunProgram(args, extraEnv, cwd);
    }

    // qfwizard with `args` (the command first).
    Outcome RunProgram(std::vector<std::string> args, const std::vector<std::string>& extraEnv = {},
                       const std::string& cwd = "") const {
        args.insert(args.begin(), QFWIZARD);
        std::vector<std::string> env = extraEnv;
        env.insert(env.end(), {
                                  "LC_ALL=C",
                                  "HOME=" + temp_.Path().string(),
                                  "XDG_DATA_HOME=" + (temp_.Path() / "data").string(),
                                  "TMPDIR=" + Tmp().string(),
                                  "QFW_DATA_DIR=" QFW_DATA_DIR,
                              });
        if (const char* path = std::getenv("PATH"))
            env.push_back(std::string("PATH=") + path);
        std::vector<char*> argv, envp;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);

        const std::string outFile = (temp_.Path() / "stdout").string();
        const std::string errFile = (temp_.Path() / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        if (!cwd.empty())
            posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
        pid_t pid = 0;
        Outcome outcome;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        outcome.out = ReadBytes(outFile);
        outcome.err = ReadBytes(errFile);
        fs::remove(outFile);
        fs::remove(errFile);
        return outcome;
    }

    // Every file under the sandbox with its bytes.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(temp_.Path())) {
            if (entry.is_regular_file())
                files[entry.path().string()] = ReadBytes(entry.path());
        }
        return files;
    }

    TempFolder temp_;
};

// The demo's selection: items for each of the three constituents, a mapping
// order and one property shared by two of them.
inline std::vector<std::string> DemoArgs(const std::string& project) {
    return {project,
            "--spec",
            "QUILLEDIT.OCX",
            "--select",
            "property:Caption",
            "--select",
            "property:Text",
            "--select",
            "property:Value As Long",
            "--select",
            "property:Font",
            "--select",
            "property:BackColor",
            "--select",
            "method:Refresh",
            "--select",
            "event:Change",
            "--select",
            "event:KeyPress",
            "--order",
            "TextBox,Label,Dial",
            "--map",
            "property:TextBox,Label:BackColor",
            "--date",
            "2024-01-05"};
}

inline std::vector<std::string> WithSpec(std::vector<std::string> args, const std::string& spec) {
    args[2] = spec;
    return args;
}

// The constituents' events as the browser reports them, for the module
// checker.
inline ModuleExpectations ExampleEvents() {
    ModuleExpectations expectations;
    expectations.constituents["txtValue"].events = {
        "Click () ", "Change () ", "KeyDown (KeyCode As Integer, Shift As Integer) ",
        "KeyPress (KeyAscii As Integer) "};
    expectations.constituents["dlLevel"].events = {"Change () ", "Click () ", "Scroll () "};
    return expectations;
}

// Expects the saved UserControl to compile as far as the checker can tell.
inline void ExpectCompiles(const std::string& file, const ModuleExpectations& expectations) {
    const auto problems = CheckModule(ReadBytes(file), expectations);
    EXPECT_TRUE(problems.empty()) << file << "\n" << DescribeProblems(problems);
}

}  // namespace qfw::testing
