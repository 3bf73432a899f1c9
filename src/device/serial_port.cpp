#include "device/serial_port.h"

#include <array>
#include <system_error>

namespace device {

namespace {

PortFabrik& Fabrik() {
    static PortFabrik fabrik;
    return fabrik;
}

std::array<std::unique_ptr<SerialPort>, kLetzterPort + 1>& Tabelle() {
    static std::array<std::unique_ptr<SerialPort>, kLetzterPort + 1> tabelle;
    return tabelle;
}

std::optional<std::filesystem::path> AufDemDateisystem(const std::filesystem::path& eintrag) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // symlink_status: a link counts even when its target is gone.
    if (!fs::exists(fs::symlink_status(eintrag, ec))) {
        return std::nullopt;
    }
    fs::path echt = fs::canonical(eintrag, ec);
    if (ec) {
        echt = fs::absolute(eintrag, ec);
    }
    return echt;
}

}  // namespace

void PortFabrikSetzen(PortFabrik fabrik) {
    Fabrik() = std::move(fabrik);
}

const PortFabrik& PortFabrikHolen() {
    return Fabrik();
}

SerialPort* OffenerPort(int port) {
    return PortnummerGueltig(port) ? Tabelle()[static_cast<std::size_t>(port)].get() : nullptr;
}

void PortEintragen(int port, std::unique_ptr<SerialPort> offen) {
    if (!PortnummerGueltig(port)) {
        return;
    }
    auto& platz = Tabelle()[static_cast<std::size_t>(port)];
    if (platz) {
        platz->close();
    }
    platz = std::move(offen);
}

std::unique_ptr<SerialPort> PortAustragen(int port) {
    if (!PortnummerGueltig(port)) {
        return nullptr;
    }
    return std::move(Tabelle()[static_cast<std::size_t>(port)]);
}

void PortTabelleLeeren() {
    for (auto& platz : Tabelle()) {
        if (platz) {
            platz->close();
            platz.reset();
        }
    }
}

std::string PortGeraetename(int port, bool windows, const std::filesystem::path& arbeitsverzeichnis,
                            const Aufloeser& aufloesen) {
    const std::string n = std::to_string(port);
    if (windows) {
        return "COM" + n;
    }
    // The full path of what the entry stands for: QSerialPort would take a
    // bare "com1" as /dev/com1, and its lock file is named after the device,
    // so two programs in two folders do not collide on "./com1".
    if (aufloesen) {
        if (auto echt = aufloesen(arbeitsverzeichnis / ("com" + n))) {
            return echt->string();
        }
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string PortGeraetename(int port) {
#ifdef _WIN32
    constexpr bool kWindows = true;
#else
    constexpr bool kWindows = false;
#endif
    std::error_code ec;
    const std::filesystem::path hier = std::filesystem::current_path(ec);
    return PortGeraetename(port, kWindows, hier, AufDemDateisystem);
}

}  // namespace device
