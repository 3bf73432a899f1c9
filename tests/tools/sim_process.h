#pragma once
// mux6sim as a child process for a test: started with --link into a folder,
// waited for until its link appears, always ended when the object goes.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

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

// Runs mux6sim to its end with `argumente`; its exit status and standard output.
int SimAusfuehren(const std::vector<std::string>& argumente, std::string& ausgabe);

}  // namespace testsupport
