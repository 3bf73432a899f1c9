#include "ctl_process.h"

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

CtlErgebnis CtlAusfuehren(const std::vector<std::string>& argumente,
                          std::chrono::milliseconds warten, std::chrono::milliseconds sigtermNach) {
    CtlErgebnis e;
    int aus[2];
    int fehler[2];
    if (pipe(aus) != 0) {
        return e;
    }
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
    std::vector<std::string> alle = {MUX6CTL_PFAD};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (auto& a : alle) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int r = posix_spawn(&pid, MUX6CTL_PFAD, &aktionen, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&aktionen);
    close(aus[1]);
    close(fehler[1]);
    if (r != 0) {
        close(aus[0]);
        close(fehler[0]);
        return e;
    }
    const auto ende = std::chrono::steady_clock::now() + warten;
    const auto sigterm = std::chrono::steady_clock::now() + sigtermNach;
    bool beenden = sigtermNach.count() > 0;
    pollfd fds[2] = {{aus[0], POLLIN, 0}, {fehler[0], POLLIN, 0}};
    std::string* ziele[2] = {&e.aus, &e.fehler};
    int offen = 2;
    bool abgebrochen = false;
    while (offen > 0) {
        const auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
            ende - std::chrono::steady_clock::now());
        if (rest.count() <= 0) {
            abgebrochen = true;
            break;
        }
        auto bis = rest;
        if (beenden) {
            const auto n = std::chrono::steady_clock::now();
            if (n >= sigterm) {
                kill(pid, SIGTERM);
                beenden = false;
            } else {
                bis = std::min(bis, std::chrono::duration_cast<std::chrono::milliseconds>(
                                        sigterm - n + std::chrono::milliseconds(1)));
            }
        }
        if (poll(fds, 2, static_cast<int>(bis.count())) < 0) {
            abgebrochen = true;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
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
    }
    for (auto& f : fds) {
        if (f.fd >= 0) {
            close(f.fd);
        }
    }
    if (abgebrochen) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return e;
    }
    // Both pipes closed: the program is ending; wait a bounded while.
    for (;;) {
        int status = 0;
        const pid_t w = waitpid(pid, &status, WNOHANG);
        if (w == pid) {
            e.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return e;
        }
        if (w < 0 || std::chrono::steady_clock::now() > ende) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return e;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace testsupport
