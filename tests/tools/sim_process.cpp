#include "sim_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

extern char** environ;

namespace testsupport {

namespace {

constexpr std::chrono::milliseconds kSchritt{10};

pid_t Starten(const std::vector<std::string>& argumente, posix_spawn_file_actions_t* aktionen) {
    std::vector<std::string> alle = {MUX6SIM_PFAD};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (auto& a : alle) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, MUX6SIM_PFAD, aktionen, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

// The exit status, or -1 when it did not end within `warten`.
int Warten(pid_t pid, std::chrono::milliseconds warten) {
    const auto ende = std::chrono::steady_clock::now() + warten;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (r < 0 || std::chrono::steady_clock::now() > ende) {
            return -1;
        }
        std::this_thread::sleep_for(kSchritt);
    }
}

}  // namespace

SimProzess::SimProzess(const std::filesystem::path& link, const std::vector<std::string>& argumente,
                       std::chrono::milliseconds warten) {
    std::vector<std::string> a = {"--link", link.string()};
    a.insert(a.end(), argumente.begin(), argumente.end());
    pid_ = Starten(a, nullptr);
    if (pid_ < 0) {
        return;
    }
    const auto ende = std::chrono::steady_clock::now() + warten;
    std::error_code ec;
    while (std::chrono::steady_clock::now() < ende) {
        // A link whose terminal exists: a stale link of a killed simulator
        // dangles until this one replaces it.
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)) &&
            std::filesystem::exists(link, ec)) {
            ok_ = true;
            return;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;  // ended before linking
            return;
        }
        std::this_thread::sleep_for(kSchritt);
    }
}

SimProzess::~SimProzess() {
    if (pid_ > 0 && Beenden(SIGTERM) < 0 && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int SimProzess::Beenden(int signal, std::chrono::milliseconds warten) {
    if (pid_ <= 0) {
        return -1;
    }
    kill(pid_, signal);
    const int r = Warten(pid_, warten);
    if (r >= 0) {
        pid_ = -1;
    }
    return r;
}

int SimAusfuehren(const std::vector<std::string>& argumente, std::string& ausgabe) {
    int rohr[2];
    if (pipe(rohr) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_adddup2(&aktionen, rohr[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&aktionen, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
    const pid_t pid = Starten(argumente, &aktionen);
    posix_spawn_file_actions_destroy(&aktionen);
    close(rohr[1]);
    ausgabe.clear();
    char buf[4096];
    ssize_t n = 0;
    // The options are parsed and answered at once; the pipe closes at exit.
    while ((n = read(rohr[0], buf, sizeof buf)) > 0) {
        ausgabe.append(buf, static_cast<std::size_t>(n));
    }
    close(rohr[0]);
    if (pid < 0) {
        return -1;
    }
    const int r = Warten(pid, std::chrono::seconds(10));
    if (r < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return r;
}

}  // namespace testsupport
