#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/cli/ChildProcess.h"

extern char** environ;

namespace VarnCli {

struct ChildProcess::Impl {
    pid_t pid = -1;
    int input = -1;   // the child's standard input, our end
    int output = -1;  // the child's standard output, our end
    int status = -1;
};

ChildProcess::ChildProcess() : impl(std::make_unique<Impl>()) {}

ChildProcess::~ChildProcess() {
    CloseInput();
    if (impl->pid > 0 && impl->status < 0) {
        kill(impl->pid, SIGKILL);
        Wait();
    }
    if (impl->output >= 0) close(impl->output);
}

bool ChildProcess::Start(const std::vector<std::string>& args, std::string& error) {
    // A child that ends early must not end us when we write to it.
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    // Close-on-exec, so that a child started by another thread never holds our ends.
    if (pipe2(in, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (pipe2(out, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        close(in[0]);
        close(in[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawn(&impl->pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    impl->input = in[1];
    impl->output = out[0];
    if (failed != 0) {
        impl->pid = -1;
        error = std::strerror(failed);
        return false;
    }
    return true;
}

bool ChildProcess::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    size_t done = 0;
    while (impl->input >= 0 && done < text.size()) {
        const ssize_t wrote = write(impl->input, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += size_t(wrote);
    }
    return done == text.size();
}

bool ChildProcess::ReadMore() {
    char chunk[4096];
    for (;;) {
        const ssize_t got = impl->output < 0 ? 0 : read(impl->output, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        pending.append(chunk, size_t(got));
        return true;
    }
}

void ChildProcess::CloseInput() {
    if (impl->input >= 0) close(impl->input);
    impl->input = -1;
}

void ChildProcess::Interrupt() {
    if (impl->pid > 0 && impl->status < 0) kill(impl->pid, SIGINT);
}

int ChildProcess::Wait() {
    if (impl->pid <= 0) return -1;
    if (impl->status >= 0) return impl->status;
    int status = 0;
    while (waitpid(impl->pid, &status, 0) < 0 && errno == EINTR) {
    }
    impl->status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return impl->status;
}

}  // namespace VarnCli
