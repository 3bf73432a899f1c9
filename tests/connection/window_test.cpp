// The connection window against a line of scripted boards.
#include "connection/window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "connection/connection.h"
#include "device/serial_port.h"
#include "support/scripted_dialogs.h"
#include "ui/connection_indicator.h"
#include "ui/error_display.h"
#include "ui/help.h"
#include "ui/registry.h"

namespace {

using connection::Companel;

constexpr std::uint8_t kAck = 0x06;

// A line of boards that answer the identity, start/stop, mode and status
// requests; absent addresses stay silent.
struct Leitung {
    std::map<char, std::string> kennungen;
    std::vector<std::string> frames;
    std::vector<QString> textBeimSenden;  // COMPNL_TEXT at the moment each frame went out
    QLabel* fortschritt = nullptr;
    int fehlerbits = 0;
};

class GeskriptetePort : public device::SerialPort {
  public:
    explicit GeskriptetePort(Leitung& l) : l_(l) {}
    int open(const std::string&, const device::Leitungseinstellung&) override { return 0; }
    int close() override { return 0; }
    int setTimeout(std::chrono::milliseconds) override { return 0; }
    int write(std::span<const std::uint8_t> bytes) override {
        const std::string frame(bytes.begin(), bytes.end());
        l_.frames.push_back(frame);
        if (l_.fortschritt)
            l_.textBeimSenden.push_back(l_.fortschritt->text());
        Antworten(frame);
        return static_cast<int>(bytes.size());
    }
    int readByte() override {
        if (antwort_.empty())
            return kZeitlimit;
        const int b = antwort_.front();
        antwort_.pop_front();
        return b;
    }
    int bytesToWrite() override { return 0; }
    int drain() override { return 0; }
    int flushInput() override {
        antwort_.clear();
        return 0;
    }
    int flushOutput() override { return 0; }

  private:
    void Antworten(const std::string& f) {
        if (f.size() < 4 || f[0] != '#' || f.back() != '\r')
            return;
        const char a = f[1];
        if (!l_.kennungen.count(a))
            return;
        const std::string befehl = f.substr(2, f.size() - 3);
        antwort_.push_back(kAck);
        std::string zeile;
        if (befehl == "IDR")
            zeile = std::string("#") + a + l_.kennungen[a] + "\r";
        if (befehl == "S2R") {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", l_.fehlerbits);
            zeile = std::string("#") + a + "S2R$" + hex + "\r";
        }
        for (char c : zeile)
            antwort_.push_back(static_cast<std::uint8_t>(c));
    }

    Leitung& l_;
    std::deque<int> antwort_;
};

class Verbindungsfenster : public ::testing::Test {
  protected:
    void SetUp() override {
        device::PortFabrikSetzen([this](int port) -> std::unique_ptr<device::SerialPort> {
            if (port == kDefekterPort)
                return nullptr;
            return std::make_unique<GeskriptetePort>(leitung);
        });
        fenster = std::make_unique<Companel>(nullptr);
        fenster->CompanelInit();
        fenster->show();
        leitung.fortschritt = fenster->findChild<QLabel*>("COMPNL_TEXT");
    }
    void TearDown() override {
        fenster->CompanelClear();
        fenster.reset();
        connection::ZustandZuruecksetzen();
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
        if (ui::gHilfeAktiv)
            ui::DirekthilfeSetzen(false);
        ui::registry().Leeren();
    }

    template <typename T>
    T* Control(const char* name) {
        return fenster->findChild<T*>(name);
    }
    void PortWaehlen(int port) {
        fenster->PortFeldSetzen(port);
        fenster->PortSelect_Callback();
    }
    QString Fehlertext() { return Control<QLineEdit>("COMPNL_FEHLERSTRING")->text(); }
    QString Fehlernummer() { return Control<QLineEdit>("COMPNL_FEHLERNR")->text(); }
    int Anzeige() { return Control<ui::Verbindungsanzeige>("COMPNL_PICTURERING")->Wert(); }

    static constexpr int kDefekterPort = 7;
    Leitung leitung;
    testsupport::DialogScope dialoge;
    std::unique_ptr<Companel> fenster;
};

TEST_F(Verbindungsfenster, PortOeffnenSetztAnzeigenUndLetztenPort) {
    int gemeldet = 0;
    ui::registry().Eintrag(ui::Fenster::Kurven).verbindungSetzen = [&](int p) { gemeldet = p; };
    PortWaehlen(3);
    EXPECT_EQ(connection::OffenerComPort(), 3);
    EXPECT_EQ(connection::LetzterComPort(), 3);
    EXPECT_EQ(Anzeige(), 3);
    EXPECT_EQ(gemeldet, 3);
    EXPECT_EQ(Fehlernummer(), "0");
}

TEST_F(Verbindungsfenster, GleicherPortTutNichts) {
    PortWaehlen(2);
    ui::ComFehlerSetzen(-404013);
    PortWaehlen(2);
    EXPECT_EQ(connection::OffenerComPort(), 2);
    EXPECT_EQ(Fehlernummer(), "404013");  // left as it was
}

TEST_F(Verbindungsfenster, NichtOffenSchliesstUndLoeschtDieAnzeige) {
    PortWaehlen(2);
    ui::ComFehlerSetzen(-404013);
    PortWaehlen(-1);
    EXPECT_EQ(connection::OffenerComPort(), -1);
    EXPECT_EQ(connection::LetzterComPort(), 2);
    EXPECT_EQ(Anzeige(), -1);
    EXPECT_EQ(Fehlernummer(), "0");
    EXPECT_EQ(Control<QComboBox>("COMPNL_PORT")->currentText(), "not open");
}

TEST_F(Verbindungsfenster, FehlgeschlagenesOeffnenZeigt100003) {
    PortWaehlen(2);
    PortWaehlen(kDefekterPort);
    EXPECT_EQ(connection::OffenerComPort(), -1);  // the old port was closed first
    EXPECT_EQ(connection::LetzterComPort(), 2);
    EXPECT_EQ(Fehlernummer(), "100003");
    EXPECT_EQ(Fehlertext(), "Fehler beim öffnen der seriellen Schnittstelle");
    EXPECT_EQ(fenster->PortFeld(), -1);
    EXPECT_EQ(Anzeige(), -1);
}

TEST_F(Verbindungsfenster, AnzeigeOhneLetztenPortBleibtZu) {
    ui::ComFehlerSetzen(-404013);
    QTest::mouseClick(Control<ui::Verbindungsanzeige>("COMPNL_PICTURERING"), Qt::LeftButton);
    EXPECT_EQ(connection::OffenerComPort(), -1);
    EXPECT_EQ(Anzeige(), -1);
    EXPECT_EQ(Fehlernummer(), "0");
}

TEST_F(Verbindungsfenster, AnzeigeVerbindetNeuUndTrennt) {
    PortWaehlen(4);
    auto* anzeige = Control<ui::Verbindungsanzeige>("COMPNL_PICTURERING");
    QTest::mouseClick(anzeige, Qt::LeftButton);
    EXPECT_EQ(connection::OffenerComPort(), -1);
    EXPECT_EQ(fenster->PortFeld(), -1);
    ui::ComFehlerSetzen(-404013);
    QTest::mouseClick(anzeige, Qt::LeftButton);
    EXPECT_EQ(connection::OffenerComPort(), 4);
    EXPECT_EQ(fenster->PortFeld(), 4);
    EXPECT_EQ(Anzeige(), 4);
    EXPECT_EQ(Fehlernummer(), "0");
}

TEST_F(Verbindungsfenster, SucheFindetDieHoechsteEigeneAdresse) {
    leitung.kennungen = {{'2', "ORV-VEK7M_V1.0"}, {'3', "FREMD_2.0"}, {'5', "ORV-VEK7M_V1.2"}};
    PortWaehlen(1);
    QTest::mouseClick(Control<QPushButton>("COMPNL_SCANN"), Qt::LeftButton);
    EXPECT_EQ(fenster->AdressFeld(), '5');
    EXPECT_EQ(connection::Geraeteadresse(), '5');
    EXPECT_EQ(Control<QLineEdit>("COMPNL_IDSTRING")->text(), "ORV-VEK7M_V1.2");
    for (int i = 1; i <= 8; ++i) {
        auto* led = Control<ui::Led>(QString("COMPNL_LED%1").arg(i).toUtf8());
        EXPECT_EQ(led->isOn(), i == 2 || i == 3 || i == 5) << i;
        if (i == 2 || i == 5) {
            EXPECT_EQ(led->farbe(), QColor(0x00, 0xCC, 0x00)) << i;
        }
        if (i == 3) {
            EXPECT_EQ(led->farbe(), QColor(0xFF, 0x00, 0x00));
        }
    }
    // Each address was asked once, in order, with its progress text already shown.
    ASSERT_EQ(leitung.frames.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(leitung.frames[static_cast<std::size_t>(i)],
                  std::string("#") + static_cast<char>('1' + i) + "IDR\r");
        EXPECT_EQ(leitung.textBeimSenden[static_cast<std::size_t>(i)],
                  QString("Suche nach Gerät %1").arg(i + 1));
    }
    EXPECT_EQ(leitung.fortschritt->text(), "");
    EXPECT_EQ(Fehlernummer(), "0");
}

TEST_F(Verbindungsfenster, FremdesGeraetAendertDieAdresseNicht) {
    leitung.kennungen = {{'3', "FREMD_2.0"}};
    PortWaehlen(1);
    fenster->AdressFeldSetzen('2');
    fenster->Scann_Callback();
    EXPECT_EQ(fenster->AdressFeld(), '2');
    EXPECT_TRUE(Control<ui::Led>("COMPNL_LED3")->isOn());
    EXPECT_EQ(Control<ui::Led>("COMPNL_LED3")->farbe(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(Control<QLineEdit>("COMPNL_IDSTRING")->text(), "");
}

TEST_F(Verbindungsfenster, OhneOffenenPortMeldetJederBefehlSeinenCode) {
    fenster->IDLesen_Callback();
    EXPECT_EQ(Fehlernummer(), "122232");
    EXPECT_EQ(Fehlertext(), "Serielle Schnittstelle ist nicht geöffnet");
    fenster->Scann_Callback();
    EXPECT_EQ(Fehlernummer(), "122233");
    fenster->Start_Callback();
    EXPECT_EQ(Fehlernummer(), "122234");
    fenster->Stopp_Callback();
    EXPECT_EQ(Fehlernummer(), "122235");
    fenster->StartStoppEingang_Callback(true);
    EXPECT_EQ(Fehlernummer(), "122236");
    fenster->Fehlerabfrage_Callback();
    EXPECT_EQ(Fehlernummer(), "122237");
    EXPECT_TRUE(leitung.frames.empty());
}

TEST_F(Verbindungsfenster, IdLesenZeigtKennungUndFehler) {
    leitung.kennungen = {{'1', "ORV-VEK7M_V1.0"}};
    PortWaehlen(1);
    QTest::mouseClick(Control<QPushButton>("COMPNL_IDLESEN"), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>("COMPNL_IDSTRING")->text(), "ORV-VEK7M_V1.0");
    ASSERT_EQ(leitung.textBeimSenden.size(), 1u);
    EXPECT_EQ(leitung.textBeimSenden[0], "lese ID...");
    EXPECT_EQ(leitung.fortschritt->text(), "");
    fenster->AdressFeldSetzen('4');  // nobody there
    fenster->IDLesen_Callback();
    EXPECT_EQ(Control<QLineEdit>("COMPNL_IDSTRING")->text(), "");
    EXPECT_EQ(Fehlertext(), "Keine Antwort vom Gerät");
}

TEST_F(Verbindungsfenster, StartAnAlleWartetAufNichts) {
    PortWaehlen(1);
    fenster->AdressFeldSetzen('&');
    ui::registry().Shell().start();
    ASSERT_EQ(leitung.frames.size(), 1u);
    EXPECT_EQ(leitung.frames[0], "#&DF1\r");
    EXPECT_EQ(Fehlernummer(), "0");
    leitung.kennungen = {{'1', "x"}};
    fenster->AdressFeldSetzen('1');
    ui::registry().Shell().stopp();
    EXPECT_EQ(leitung.frames.back(), "#1DF2\r");
    EXPECT_EQ(Fehlernummer(), "0");
}

TEST_F(Verbindungsfenster, FehlerbitsUndIhreErklaerung) {
    leitung.kennungen = {{'1', "x"}};
    leitung.fehlerbits = 0x12;
    PortWaehlen(1);
    fenster->Fehlerabfrage_Callback();
    EXPECT_EQ(leitung.frames.back(), "#1S2R\r");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Control<ui::Led>(QString("COMPNL_LED_FEHLER%1").arg(i).toUtf8())->isOn(),
                  i == 1 || i == 4);
    fenster->Fehlerhilfe_Callback();
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Fehlerbits");
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text, "Checksummenfehler\nKurvenauswahlfehler\n");
    fenster->StartStoppEingang_Callback(true);
    EXPECT_EQ(leitung.frames.back(), "#1M1S01\r");
    fenster->StartStoppEingang_Callback(false);
    EXPECT_EQ(leitung.frames.back(), "#1M1C01\r");
}

TEST_F(Verbindungsfenster, VerborgeneControlsUndMenue) {
    EXPECT_FALSE(Control<QWidget>("COMPNL_DIREKTHILFE")->isVisible());
    EXPECT_FALSE(Control<QWidget>("COMPNL_START")->isVisible());
    EXPECT_FALSE(Control<QWidget>("COMPNL_FEHLERABFRAGE")->isVisible());
    EXPECT_TRUE(Control<QWidget>("COMPNL_SCANN")->isVisible());
    EXPECT_EQ(fenster->findChild<QAction*>("COM_FENSTER_KONFIG"), nullptr);
    EXPECT_NE(fenster->findChild<QAction*>("COM_FENSTER_KURVEN"), nullptr);
}

TEST_F(Verbindungsfenster, DirekthilfeZeigtTexteStattZuSuchen) {
    PortWaehlen(1);
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    QTest::mouseClick(Control<QPushButton>("COMPNL_SCANN"), Qt::LeftButton);
    QTest::mouseClick(Control<ui::Led>("COMPNL_LED4"), Qt::LeftButton);
    QTest::mouseClick(Control<ui::Verbindungsanzeige>("COMPNL_PICTURERING"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(leitung.frames.empty());
    EXPECT_EQ(connection::OffenerComPort(), 1);
    const auto hilfe = dialoge->Alle("Hilfe");
    ASSERT_EQ(hilfe.size(), 3u);
    EXPECT_TRUE(hilfe[0].text.startsWith("Durchsucht die geöffnete serielle Schnittstelle"));
    EXPECT_TRUE(hilfe[1].text.contains("grün: MUX-6 gefunden."));
    EXPECT_TRUE(hilfe[2].text.startsWith("Öffnet bzw. trennt die serielle Verbindung zum VEK-7M."));
}

class Comeinstellungen : public Verbindungsfenster {
  protected:
    void Lesen(const std::string& text) {
        auto ini = settings::Ini_New(true);
        settings::Ini_ReadFromText(*ini, text);
        ui::registry().Eintrag(ui::Fenster::Com).iniLesen(*ini);
    }
    std::string Geschrieben() {
        auto ini = settings::Ini_New(true);
        ui::registry().Eintrag(ui::Fenster::Com).iniSchreiben(*ini);
        return settings::Ini_ToText(*ini);
    }
};

TEST_F(Comeinstellungen, AdresseAlleUndUngueltige) {
    Lesen("[com]\nadresse = 38\n");
    EXPECT_EQ(fenster->AdressFeld(), '&');
    EXPECT_EQ(Control<QComboBox>("COMPNL_ADRESSE")->currentText(), "alle");
    Lesen("[com]\nadresse = 48\n");
    EXPECT_EQ(fenster->AdressFeld(), '1');
    Lesen("[com]\nadresse = 56\n");
    EXPECT_EQ(connection::Geraeteadresse(), '8');
}

TEST_F(Comeinstellungen, PortNeunWirdNichtGeoeffnet) {
    Lesen("[com]\nport = 9\nlport = 12\n");
    EXPECT_EQ(connection::OffenerComPort(), -1);
    EXPECT_EQ(connection::LetzterComPort(), -1);
    EXPECT_EQ(device::OffenerPort(9), nullptr);
}

TEST_F(Comeinstellungen, GespeicherterPortWirdGeoeffnet) {
    Lesen("[COM]\nPORT = 2\nlport = 5\nadresse = 51\n");
    EXPECT_EQ(connection::OffenerComPort(), 2);
    EXPECT_EQ(connection::LetzterComPort(), 2);
    EXPECT_EQ(Anzeige(), 2);
    EXPECT_EQ(Geschrieben(), "[com]\r\nadresse = 51\r\nlport = 2\r\nport = 2\r\n\r\n");
}

TEST_F(Comeinstellungen, OhneDateiwerte) {
    EXPECT_EQ(Geschrieben(), "[com]\r\nadresse = 49\r\nlport = -1\r\nport = -1\r\n\r\n");
}

}  // namespace
