#include "platform/process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace qfw {
namespace {

namespace fs = std::filesystem;

bool IsExecutableFile(const fs::path& file) {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(file.c_str(), X_OK) == 0;
}

// Where a bare program name is found: this program's folder, the current
// folder, then PATH (Linux has no system or Windows folder to search).
std::string ResolveProgram(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return name;
    std::vector<fs::path> folders;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        folders.push_back(self.parent_path());
    folders.push_back(fs::current_path(ec));
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest = path;
        while (true) {
            const size_t colon = rest.find(':');
            const std::string_view folder = rest.substr(0, colon);
            folders.emplace_back(folder.empty() ? std::string_view(".") : folder);
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    }
    for (const auto& folder : folders) {
        if (!folder.empty() && IsExecutableFile(folder / name))
            return (folder / name).string();
    }
    return {};
}

uint32_t WinExecError(int error) {
    switch (error) {
        case ENOENT:
            return kWinExecFileNotFound;
        case ENOTDIR:
            return kWinExecPathNotFound;
        case ENOEXEC:
            return kWinExecBadFormat;
        case EACCES:
        case EPERM:
            return kWinExecAccessDenied;
        default:
            return kWinExecOutOfResources;
    }
}

// In the grandchild, after fork: only async-signal-safe calls from here on.
[[noreturn]] void ExecInGrandchild(const char* program, char* const* args, int errorPipe) {
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        if (null > STDERR_FILENO)
            ::close(null);
    }
    // Handles are not inherited: close everything but the error pipe, which
    // closes itself on a successful exec.
    if (errorPipe > STDERR_FILENO + 1)
        ::close_range(STDERR_FILENO + 1, static_cast<unsigned>(errorPipe) - 1, 0);
    ::close_range(static_cast<unsigned>(errorPipe) + 1, ~0U, 0);
    ::execv(program, args);
    const int error = errno;
    [[maybe_unused]] const ssize_t n = ::write(errorPipe, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
    std::vector<std::string> args;
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
    };
    skipBlanks();
    if (i >= line.size())
        return args;
    std::string program;
    if (line[i] == '"') {
        const size_t close = line.find('"', i + 1);
        program =
            line.substr(i + 1, (close == std::string_view::npos ? line.size() : close) - i - 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            program += line[i++];
    }
    args.push_back(program);
    while (true) {
        skipBlanks();
        if (i >= line.size())
            break;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\')
                ++backslashes, ++i;
            if (i < line.size() && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(backslashes, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')))
                    arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

uint32_t StartDetached(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty())
        return kWinExecFileNotFound;
    const std::string program = ResolveProgram(argv.front());
    if (program.empty())
        return kWinExecFileNotFound;
    // Everything the children need is prepared before fork.
    std::vector<std::string> copies(argv);
    std::vector<char*> args;
    for (auto& arg : copies)
        args.push_back(arg.data());
    args.push_back(nullptr);

    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0)
        return kWinExecOutOfResources;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(errorPipe[0]);
        ::close(errorPipe[1]);
        return kWinExecOutOfResources;
    }
    if (child == 0) {
        // The intermediate child starts a new session and leaves at once, so
        // the program is adopted by init and never becomes our zombie.
        ::close(errorPipe[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            ExecInGrandchild(program.c_str(), args.data(), errorPipe[1]);
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(errorPipe[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // End of file on the pipe means exec succeeded (the pipe closed on exec).
    int error = 0;
    ssize_t n;
    while ((n = ::read(errorPipe[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(errorPipe[0]);
    if (n == static_cast<ssize_t>(sizeof error))
        return WinExecError(error);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return kWinExecOutOfResources;
    return kWinExecStarted;
}

}  // namespace qfw
