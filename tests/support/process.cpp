#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

extern char** environ;

namespace testsupport {

namespace {

constexpr std::chrono::milliseconds kSchritt{5};

// The child's pid, or -1 when it could not be started.
pid_t Starten(const std::string& programm, const std::vector<std::string>& argumente,
              const posix_spawn_file_actions_t* aktionen) {
    std::vector<std::string> alle = {programm};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (auto& a : alle)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, programm.c_str(), aktionen, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

int Status(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The exit status, or -1 when it did not end by `ende`.
int WartenBis(pid_t pid, std::chrono::steady_clock::time_point ende) {
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return Status(status);
        if (r < 0 || std::chrono::steady_clock::now() > ende)
            return -1;
        std::this_thread::sleep_for(kSchritt);
    }
}

void Toeten(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Reads both pipes until they close; false when `ende` came first. With a
// `pid`, SIGTERM goes to it once at `sigterm`.
bool Sammeln(int aus, int fehler, Prozessergebnis& e, std::chrono::steady_clock::time_point ende,
             pid_t pid = -1, std::chrono::steady_clock::time_point sigterm = {}) {
    pollfd fds[2] = {{aus, POLLIN, 0}, {fehler, POLLIN, 0}};
    std::string* ziele[2] = {&e.aus, &e.fehler};
    int offen = 2;
    bool fertig = true;
    while (offen > 0) {
        const auto jetzt = std::chrono::steady_clock::now();
        if (pid > 0 && jetzt >= sigterm) {
            kill(pid, SIGTERM);
            pid = -1;
        }
        const auto bis = pid > 0 ? std::min(ende, sigterm) : ende;
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(bis - jetzt) +
                          std::chrono::milliseconds(pid > 0 ? 1 : 0);
        if ((jetzt >= ende) || poll(fds, 2, static_cast<int>(rest.count())) < 0) {
            fertig = false;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                ziele[i]->append(buf, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --offen;
            }
        }
    }
    for (auto& f : fds)
        if (f.fd >= 0)
            close(f.fd);
    return fertig;
}

}  // namespace

Prozessergebnis Ausfuehren(const std::string& programm, const std::vector<std::string>& argumente,
                           std::chrono::milliseconds warten,
                           std::chrono::milliseconds sigtermNach) {
    Prozessergebnis e;
    int aus[2];
    int fehler[2];
    if (pipe(aus) != 0)
        return e;
    if (pipe(fehler) != 0) {
        close(aus[0]);
        close(aus[1]);
        return e;
    }
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&aktionen, aus[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&aktionen, fehler[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&aktionen, aus[0]);
    posix_spawn_file_actions_addclose(&aktionen, fehler[0]);
    const pid_t pid = Starten(programm, argumente, &aktionen);
    posix_spawn_file_actions_destroy(&aktionen);
    close(aus[1]);
    close(fehler[1]);
    if (pid < 0) {
        close(aus[0]);
        close(fehler[0]);
        return e;
    }
    const auto ende = std::chrono::steady_clock::now() + warten;
    const bool beenden = sigtermNach.count() > 0;
    if (!Sammeln(aus[0], fehler[0], e, ende, beenden ? pid : -1,
                 std::chrono::steady_clock::now() + sigtermNach)) {
        Toeten(pid);
        return e;
    }
    // Both pipes closed: the program is ending; wait a bounded while.
    e.status = WartenBis(pid, ende);
    if (e.status < 0)
        Toeten(pid);
    return e;
}

Prozessergebnis CtlAusfuehren(const std::vector<std::string>& argumente,
                              std::chrono::milliseconds warten,
                              std::chrono::milliseconds sigtermNach) {
    return Ausfuehren(MUX6CTL_PFAD, argumente, warten, sigtermNach);
}

int SimAusfuehren(const std::vector<std::string>& argumente, std::string& ausgabe) {
    // The options are parsed and answered at once.
    const Prozessergebnis e = Ausfuehren(MUX6SIM_PFAD, argumente, std::chrono::seconds(10));
    ausgabe = e.aus;
    return e.status;
}

SimProzess::SimProzess(const std::filesystem::path& link, const std::vector<std::string>& argumente,
                       std::chrono::milliseconds warten) {
    std::vector<std::string> a = {"--link", link.string()};
    a.insert(a.end(), argumente.begin(), argumente.end());
    pid_ = Starten(MUX6SIM_PFAD, a, nullptr);
    if (pid_ < 0)
        return;
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
    if (pid_ > 0 && Beenden(SIGTERM) < 0 && pid_ > 0)
        Toeten(pid_);
}

int SimProzess::Beenden(int signal, std::chrono::milliseconds warten) {
    if (pid_ <= 0)
        return -1;
    kill(pid_, signal);
    const int r = WartenBis(pid_, std::chrono::steady_clock::now() + warten);
    if (r >= 0)
        pid_ = -1;
    return r;
}

}  // namespace testsupport
