#pragma once
// The mux6ctl executable run to its end as a child process, its standard
// output and standard error kept apart; a run that hangs is killed.

#include <chrono>
#include <string>
#include <vector>

namespace testsupport {

struct CtlErgebnis {
    int status = -1;  // exit status; -1 when it had to be killed or did not start
    std::string aus;
    std::string fehler;
};

// With `sigtermNach` above zero, SIGTERM is sent once that time has passed.
CtlErgebnis CtlAusfuehren(const std::vector<std::string>& argumente,
                          std::chrono::milliseconds warten = std::chrono::seconds(30),
                          std::chrono::milliseconds sigtermNach = std::chrono::milliseconds(0));

}  // namespace testsupport
