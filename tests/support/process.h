#pragma once
// The project's programs as child processes of a test (POSIX): mux6ctl or
// mux6sim run to their end with their output kept, and mux6sim kept running
// on a pseudo-terminal for as long as a test needs it. A child that hangs is
// killed; none outlives its test.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct Prozessergebnis {
    int status = -1;  // exit status; -1 when it had to be killed or did not start
    std::string aus;
    std::string fehler;
};

// Runs `programm` with `argumente` to its end, standard input from /dev/null,
// standard output and standard error kept apart. With `sigtermNach` above
// zero, SIGTERM is sent once that time has passed (as Ctrl-C would end it).
Prozessergebnis Ausfuehren(const std::string& programm, const std::vector<std::string>& argumente,
                           std::chrono::milliseconds warten,
                           std::chrono::milliseconds sigtermNach = std::chrono::milliseconds(0));

// mux6ctl run to its end.
Prozessergebnis CtlAusfuehren(const std::vector<std::string>& argumente,
                              std::chrono::milliseconds warten = std::chrono::seconds(30),
                              std::chrono::milliseconds sigtermNach = std::chrono::milliseconds(0));

// mux6sim run to its end with `argumente`; its exit status and standard output.
int SimAusfuehren(const std::vector<std::string>& argumente, std::string& ausgabe);

// mux6sim started with --link into a folder, waited for until its link
// appears, always ended when the object goes.
class SimProzess {
  public:
    // Starts mux6sim linked as `link`; ok() tells whether the link appeared
    // within `warten`.
    SimProzess(const std::filesystem::path& link, const std::vector<std::string>& argumente,
               std::chrono::milliseconds warten = std::chrono::seconds(10));
    ~SimProzess();
    SimProzess(const SimProzess&) = delete;
    SimProzess& operator=(const SimProzess&) = delete;

    bool ok() const { return ok_; }
    // Sends `signal` and waits (bounded) for the exit; the exit status or -1.
    int Beenden(int signal, std::chrono::milliseconds warten = std::chrono::seconds(5));

  private:
    pid_t pid_ = -1;
    bool ok_ = false;
};

}  // namespace testsupport
