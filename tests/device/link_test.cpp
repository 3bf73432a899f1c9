// Opening, closing, time-out and flush of a port, the port table and the
// rule that maps port numbers to devices.

#include "device/link.h"
#include "device/serial_port.h"
#include "scripted_port.h"
#include "support/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

using testsupport::ScriptedPortScope;

TEST(Oeffnen, AlleVierBaudraten) {
    for (int baud : {4800, 9600, 19200, 38400}) {
        ScriptedPortScope scope;
        EXPECT_EQ(device::ORVKAP1_Open(3, baud), 0) << baud;
        ASSERT_NE(device::OffenerPort(3), nullptr);
        const auto& e = scope.skript->einstellung;
        EXPECT_EQ(e.baud, baud);
        EXPECT_EQ(e.datenbits, 7);
        EXPECT_EQ(e.paritaet, device::Paritaet::Ungerade);
        EXPECT_EQ(e.stoppbits, 1);
        EXPECT_EQ(e.eingangspuffer, 512u);
        EXPECT_EQ(e.ausgangspuffer, 512u);
    }
}

TEST(Oeffnen, BaudrateZuerstGeprueft) {
    ScriptedPortScope scope;
    EXPECT_EQ(device::ORVKAP1_Open(9, 57600), -125001);
    EXPECT_EQ(device::ORVKAP1_Open(0, 57600), -125001);
    EXPECT_EQ(device::ORVKAP1_Open(1, 57600), -125001);
    EXPECT_EQ(device::ORVKAP1_Open(1, 0), -125001);
    EXPECT_EQ(scope.skript->erzeugt, 0);
}

TEST(Oeffnen, PortnummerEinsBisAcht) {
    ScriptedPortScope scope;
    EXPECT_EQ(device::ORVKAP1_Open(0, 9600), -100002);
    EXPECT_EQ(device::ORVKAP1_Open(9, 9600), -100002);
    EXPECT_EQ(device::ORVKAP1_Open(-1, 9600), -100002);
    EXPECT_EQ(scope.skript->erzeugt, 0);
    EXPECT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    EXPECT_EQ(device::ORVKAP1_Open(8, 9600), 0);
    EXPECT_NE(device::OffenerPort(1), nullptr);
    EXPECT_NE(device::OffenerPort(8), nullptr);
}

TEST(Oeffnen, VerweigertGibtOeffnungsfehlerUndKeinenEintrag) {
    ScriptedPortScope scope;
    scope.skript->oeffnenScheitert = true;
    EXPECT_EQ(device::ORVKAP1_Open(2, 9600), -100003);
    EXPECT_EQ(device::OffenerPort(2), nullptr);
}

TEST(Oeffnen, OhneFabrikScheitert) {
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
    EXPECT_EQ(device::ORVKAP1_Open(1, 9600), -100003);
    device::PortFabrikSetzen([](int) { return std::unique_ptr<device::SerialPort>(); });
    EXPECT_EQ(device::ORVKAP1_Open(1, 9600), -100003);
    device::PortFabrikSetzen(nullptr);
}

TEST(Oeffnen, SetztDasStandardzeitlimit) {
    ScriptedPortScope scope;
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    EXPECT_EQ(scope.skript->zeitlimit, std::chrono::milliseconds(500));
}

TEST(Oeffnen, NochmalOeffnenSchliesstDenAltenPort) {
    ScriptedPortScope scope;
    ASSERT_EQ(device::ORVKAP1_Open(4, 9600), 0);
    ASSERT_EQ(device::ORVKAP1_Open(4, 19200), 0);
    EXPECT_EQ(scope.skript->erzeugt, 2);
    const auto& a = scope.skript->aufrufe;
    EXPECT_EQ(std::count(a.begin(), a.end(), "close"), 1);
    EXPECT_EQ(scope.skript->einstellung.baud, 19200);
}

TEST(Oeffnen, GeraetenameNachDerRegel) {
    ScriptedPortScope scope;
    testsupport::TempDir dir(true);
    ASSERT_EQ(device::ORVKAP1_Open(6, 9600), 0);
    EXPECT_EQ(scope.skript->geraet, device::PortGeraetename(6));
}

TEST(Schliessen, OffenUndNichtOffen) {
    ScriptedPortScope scope;
    EXPECT_EQ(device::ORVKAP1_Close(1), -103004);
    EXPECT_EQ(device::ORVKAP1_Close(0), -103004);
    EXPECT_EQ(device::ORVKAP1_Close(9), -103004);
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    EXPECT_EQ(device::ORVKAP1_Close(1), 0);
    EXPECT_EQ(device::OffenerPort(1), nullptr);
    EXPECT_FALSE(scope.skript->offen);
    EXPECT_EQ(device::ORVKAP1_Close(1), -103004);
}

TEST(Schliessen, FehlerDesPortsGemeldetUndTrotzdemAusgetragen) {
    ScriptedPortScope scope;
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    scope.skript->schliessenScheitert = true;
    EXPECT_EQ(device::ORVKAP1_Close(1), -103004);
    EXPECT_EQ(device::OffenerPort(1), nullptr);
    // The number can be opened again afterwards.
    scope.skript->schliessenScheitert = false;
    EXPECT_EQ(device::ORVKAP1_Open(1, 9600), 0);
}

TEST(Zeitlimit, SekundenInMillisekunden) {
    ScriptedPortScope scope;
    EXPECT_EQ(device::ORVKAP1_Timeout(1, 0.5), -111005);  // not open
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    EXPECT_EQ(device::ORVKAP1_Timeout(1, 0.25), 0);
    EXPECT_EQ(scope.skript->zeitlimit, std::chrono::milliseconds(250));
    EXPECT_EQ(device::ORVKAP1_Timeout(1, 2.0), 0);
    EXPECT_EQ(scope.skript->zeitlimit, std::chrono::milliseconds(2000));
    EXPECT_EQ(device::ORVKAP1_Timeout(1, -0.1), -111005);
    EXPECT_EQ(device::ORVKAP1_Timeout(1, std::nan("")), -111005);
    EXPECT_EQ(scope.skript->zeitlimit, std::chrono::milliseconds(2000));
    scope.skript->zeitlimitScheitert = true;
    EXPECT_EQ(device::ORVKAP1_Timeout(1, 0.5), -111005);
}

TEST(Leeren, EingangDannAusgang) {
    ScriptedPortScope scope;
    EXPECT_EQ(device::FlushInOut(1), -124148);  // not open
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    scope.skript->aufrufe.clear();
    EXPECT_EQ(device::FlushInOut(1), 0);
    EXPECT_EQ(scope.skript->aufrufe, (std::vector<std::string>{"flushInput", "flushOutput"}));
}

TEST(Leeren, EingangScheitertAusgangUnberuehrt) {
    ScriptedPortScope scope;
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    scope.skript->aufrufe.clear();
    scope.skript->eingangLeerenScheitert = true;
    scope.skript->ausgangLeerenScheitert = true;
    EXPECT_EQ(device::FlushInOut(1), -124148);
    EXPECT_EQ(scope.skript->aufrufe, (std::vector<std::string>{"flushInput"}));
}

TEST(Leeren, AusgangScheitert) {
    ScriptedPortScope scope;
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    scope.skript->ausgangLeerenScheitert = true;
    EXPECT_EQ(device::FlushInOut(1), -123149);
}

TEST(PortTabelle, LeerenSchliesstAlles) {
    ScriptedPortScope scope;
    ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
    ASSERT_EQ(device::ORVKAP1_Open(2, 9600), 0);
    device::PortTabelleLeeren();
    EXPECT_EQ(device::OffenerPort(1), nullptr);
    EXPECT_EQ(device::OffenerPort(2), nullptr);
    EXPECT_FALSE(scope.skript->offen);
    EXPECT_EQ(device::OffenerPort(0), nullptr);
    EXPECT_EQ(device::OffenerPort(9), nullptr);
}

// The naming rule.

std::optional<std::filesystem::path> Nichts(const std::filesystem::path&) {
    return std::nullopt;
}

TEST(Portname, WindowsComN) {
    EXPECT_EQ(device::PortGeraetename(1, true, "/egal", Nichts), "COM1");
    EXPECT_EQ(device::PortGeraetename(8, true, "/egal", Nichts), "COM8");
}

TEST(Portname, OhneEintragTtyS) {
    EXPECT_EQ(device::PortGeraetename(1, false, "/arbeit", Nichts), "/dev/ttyS0");
    EXPECT_EQ(device::PortGeraetename(8, false, "/arbeit", Nichts), "/dev/ttyS7");
}

TEST(Portname, EintragImArbeitsverzeichnisGewinnt) {
    std::filesystem::path gefragt;
    auto aufloesen = [&](const std::filesystem::path& p) -> std::optional<std::filesystem::path> {
        gefragt = p;
        if (p.filename() == "com3") {
            return std::filesystem::path("/dev/ttyUSB0");
        }
        return std::nullopt;
    };
    EXPECT_EQ(device::PortGeraetename(3, false, "/arbeit", aufloesen), "/dev/ttyUSB0");
    EXPECT_EQ(gefragt, std::filesystem::path("/arbeit/com3"));
    EXPECT_EQ(device::PortGeraetename(4, false, "/arbeit", aufloesen), "/dev/ttyS3");
}

#ifdef _WIN32
class SystemPortname : public ::testing::TestWithParam<int> {};

// The system's own port names, whatever the working folder holds ("com5" is
// a device name there, never a file).
TEST_P(SystemPortname, IstComN) {
    testsupport::TempDir dir(true);
    EXPECT_EQ(device::PortGeraetename(GetParam()), "COM" + std::to_string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(EinsBisAcht, SystemPortname, ::testing::Range(1, 9));
#endif

MUX6_NUR_POSIX(PortnameImDateisystem, "symbolic links and /dev/ttyS*")
#ifndef _WIN32
TEST(Portname, AufDemDateisystem) {
    namespace fs = std::filesystem;
    testsupport::TempDir dir(true);
    const fs::path ziel = dir / "geraet";
    testsupport::Schreiben(ziel, "");
    // A link is followed to its target, a plain file stands for itself.
    fs::create_symlink(ziel, dir / "com2");
    testsupport::Schreiben(dir / "com5", "");
    EXPECT_EQ(device::PortGeraetename(2), fs::canonical(ziel).string());
    EXPECT_EQ(device::PortGeraetename(5), fs::canonical(dir / "com5").string());
    EXPECT_EQ(device::PortGeraetename(1), "/dev/ttyS0");
    // A dangling link still names the port: the open fails, it does not reach
    // another device.
    fs::create_symlink(dir / "weg", dir / "com7");
    const std::string sieben = device::PortGeraetename(7);
    EXPECT_NE(sieben, "/dev/ttyS6");
    EXPECT_TRUE(fs::path(sieben).is_absolute());
    EXPECT_NE(sieben.find("com7"), std::string::npos);
}

#endif

}  // namespace
