#pragma once
// mux6ctl --spur DATEI (also --trace): a record of every frame and answer on the line while
// a command talks to a board ("-": standard error). The file is made when the
// port is opened, so a command that never reaches a board leaves none.

#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "device/serial_port.h"
#include "device/trace_port.h"

namespace ctl {

// "mux6ctl 1.0.1": the program and its version, the trace's first words.
extern const char* const kProgrammVersion;

// The trace file cannot be made, or a line of it could not be written.
inline constexpr int kFehlerSpurOeffnen = -308470;
inline constexpr int kFehlerSpurSchreiben = -301471;

class Spurdatei {
  public:
    // Opens `pfad` ("-": `fehler`) once; later calls keep what is open.
    // 0 or kFehlerSpurOeffnen.
    int Oeffnen(const std::string& pfad, std::ostream& fehler);
    bool Offen() const { return static_cast<bool>(spur_); }
    // `innen` with every port it makes traced; `innen` itself before Oeffnen.
    device::PortFabrik Fabrik(device::PortFabrik innen) const;
    // 0, or kFehlerSpurSchreiben once a line was lost.
    int Ergebnis() const;

  private:
    std::ofstream datei_;
    std::shared_ptr<device::Spur> spur_;
};

}  // namespace ctl
