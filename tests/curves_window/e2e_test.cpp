// The whole way a curve takes, with the board simulator on a pseudo-terminal
// reached through the real Qt serial backend: drawn with the mouse, saved,
// "Neu", loaded, sent, and read back.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "config/model.h"
#include "connection/connection.h"
#include "curves/model.h"
#include "curves/window.h"
#include "device/commands.h"
#include "device/qt_serial_port.h"
#include "device/serial_port.h"
#include "support/process.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/graph.h"
#include "ui/registry.h"

namespace {

TEST(KurveZurPlatine, ZeichnenSpeichernLadenSendenZuruecklesen) {
    testsupport::TempDir dir(true);
    testsupport::DialogScope dialoge;
    config::StandardwerteSetzen();
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(device::QtSerialPortFabrik());
    testsupport::SimProzess sim(dir / "com1", {});
    ASSERT_TRUE(sim.ok());
    ASSERT_EQ(connection::ComPortOeffnen(1), 0);
    connection::GeraeteadresseSetzen('1');

    auto haupt = std::make_unique<QWidget>();
    haupt->resize(1000, 720);
    ui::registry().Eintrag(ui::Fenster::Haupt).panel = haupt.get();
    auto* panel = new curves::Kurvenpanel(haupt.get());
    ASSERT_EQ(panel->KurvenpanelInit(), 0);
    panel->setGeometry(1, 17, 998, 702);
    panel->show();
    haupt->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
    panel->Kurvenpanel_Neuzeichnen();

    // Three points with the mouse: 10 ms ticks, then 1 ms ticks.
    curves::gAnsichtEnde = 120000;
    panel->Kurvenpanel_Neuzeichnen();
    auto* ring = panel->findChild<QComboBox*>("KURVENPNL_ZEITBASISAUSWAHL");
    panel->Eintrag("KURVEN_BEARBEITEN_ZEICHNEN")->trigger();
    QWidget* flaeche = panel->graph();
    auto klick = [&](double t, double y) {
        const QPoint p = panel->graph()->GraphZuPixel({t, y}).toPoint();
        QTest::mousePress(flaeche, Qt::LeftButton, {}, p);
        QTest::mouseRelease(flaeche, Qt::LeftButton, {}, p);
    };
    ring->setCurrentIndex(3);
    klick(40000, 3000);
    ring->setCurrentIndex(0);
    klick(70000, 1000);
    klick(100000, 4000);
    ASSERT_EQ(curves::gKurven[0].anzahl, 4);
    const std::vector<curves::Gerade> gezeichnet = curves::gKurven[0].geraden;

    const QString pfad = QString::fromStdString((dir / "weg.skr").string());
    dialoge->dateien = {pfad};
    panel->Eintrag("KURVEN_DATEI_SPEICHERN")->trigger();
    panel->Eintrag("KURVEN_DATEI_NEU")->trigger();
    ASSERT_EQ(curves::gKurven[0].anzahl, 1);
    dialoge->dateien = {pfad};
    panel->Eintrag("KURVEN_DATEI_LADEN")->trigger();
    ASSERT_EQ(curves::gKurven[0].geraden, gezeichnet);

    curves::Speicherabbild abbild;
    ASSERT_TRUE(curves::SpeicherabbildBauen(abbild));
    QTest::mouseClick(panel->findChild<QPushButton*>("KURVENPNL_SCHREIBEN"), Qt::LeftButton);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());

    // What the board holds, read with the memory command itself.
    const int laenge = static_cast<int>(abbild.ende - curves::kSpeicherStart);
    std::vector<std::uint8_t> platine;
    ASSERT_EQ(device::ORVKAP1_SpeicherLesen(1, '1', 4, 0x1000, laenge, platine), 0);
    ASSERT_EQ(platine.size(), static_cast<std::size_t>(laenge));
    EXPECT_TRUE(std::equal(platine.begin(), platine.end(), abbild.Sendebereich().begin()));

    std::vector<int> proben;
    for (int i = 0; i < static_cast<int>(gezeichnet.size()); ++i)
        curves::Kurve_GeradeAbtasten(curves::gKurven[0], i, proben);
    QTest::mouseClick(panel->findChild<QPushButton*>("KURVENPNL_LESEN"), Qt::LeftButton);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    ASSERT_EQ(curves::gKurven[0].geraden.size(), proben.size());
    for (std::size_t i = 0; i < proben.size(); ++i)
        EXPECT_EQ(curves::gKurven[0].geraden[i].y, proben[i]) << i;
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");

    connection::ComPortSchliessen();
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
    haupt.reset();
    ui::registry().Leeren();
}

}  // namespace
