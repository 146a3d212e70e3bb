#include "run_klu.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

extern char** environ;

namespace klu::cli_test {
namespace {

using File = std::unique_ptr<FILE, decltype(&std::fclose)>;

File AnonymousFile() {
    File file(std::tmpfile(), &std::fclose);
    if (!file) throw std::runtime_error("cannot make a temporary file");
    return file;
}

std::string ReadAll(FILE* file) {
    std::fseek(file, 0, SEEK_END);
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    return text;
}

}  // namespace

KluRun RunKlu(const std::vector<std::string>& args, const std::string& working_folder,
              const RunLimits& limits) {
    // Output goes to files rather than pipes, so a large dump cannot block the child.
    File out = AnonymousFile();
    File err = AnonymousFile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (limits.stdoutTo.empty()) {
        posix_spawn_file_actions_adddup2(&actions, fileno(out.get()), STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, limits.stdoutTo.c_str(), O_WRONLY,
                                         0);
    }
    posix_spawn_file_actions_adddup2(&actions, fileno(err.get()), STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", 0, 0);
    if (!working_folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, working_folder.c_str());

    std::string program = KLU_BINARY;
    std::vector<char*> argv{program.data()};
    std::vector<std::string> words = args;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // The child takes the file-size limit it starts with; this process lowers its own only for
    // the moment of the start.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    if (limits.fileSizeLimit >= 0) {
        rlimit lowered = before;
        lowered.rlim_cur = static_cast<rlim_t>(limits.fileSizeLimit);
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    setrlimit(RLIMIT_FSIZE, &before);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + program);

    int wait_status = 0;
    if (waitpid(pid, &wait_status, 0) != pid) throw std::runtime_error("lost " + program);
    return {WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1, ReadAll(out.get()),
            ReadAll(err.get())};
}

}  // namespace klu::cli_test
