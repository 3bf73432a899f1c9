// The build installed into a fresh prefix and used from there: the tools run
// and have their man pages, the program started from another folder finds
// every toolbar picture and keeps its settings file there, the pictures keep
// their transparency, the desktop entry and the metainfo pass their
// validators; and the search order of the data folders.
#include "ui/data_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "settings/settings_file.h"

namespace {

struct Lauf {
    int code = -1;  // -1: did not start, crashed or was killed after the (generous) wait
    QString ausgabe;
};

Lauf Ausfuehren(const QString& programm, const QStringList& argumente, const QString& ordner = {},
                const QProcessEnvironment& umgebung = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.setWorkingDirectory(ordner);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programm, argumente);
    if (!p.waitForFinished(120'000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAll()};
}

class Installation : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix = std::make_unique<QTemporaryDir>();
        installiert = Ausfuehren(MUX6_CMAKE, {"--install", MUX6_BUILD, "--prefix", prefix->path()});
    }
    static void TearDownTestSuite() { prefix.reset(); }
    void SetUp() override { ASSERT_EQ(installiert.code, 0) << installiert.ausgabe.toStdString(); }
    static QString Pfad(const QString& relativ) { return prefix->filePath(relativ); }
    static QString Lesen(const QString& relativ) {
        QFile f(Pfad(relativ));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QString();
    }

    static inline std::unique_ptr<QTemporaryDir> prefix;
    static inline Lauf installiert;
};

TEST_F(Installation, WerkzeugeLaufenUndHabenIhreManpage) {
    for (const QString werkzeug : {"mux6ctl", "mux6sim"}) {
        const Lauf hilfe = Ausfuehren(Pfad("bin/" + werkzeug), {"--help"});
        EXPECT_EQ(hilfe.code, 0) << werkzeug.toStdString();
        EXPECT_TRUE(hilfe.ausgabe.startsWith("Usage: " + werkzeug)) << hilfe.ausgabe.toStdString();
        const QString seite = Lesen("share/man/man1/" + werkzeug + ".1");
        EXPECT_TRUE(seite.contains(".TH " + werkzeug.toUpper()) && seite.contains("\\-\\-help"));
    }
}

TEST_F(Installation, ProgrammFindetJedesBildUndSchreibtSeineEinstellungenImArbeitsordner) {
    QTemporaryDir arbeit;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("QT_QPA_PLATFORM", "offscreen");
    umgebung.insert("QT_PLUGIN_PATH", MUX6_SONDE);
    umgebung.insert("QT_QPA_GENERIC_PLUGINS", "mux6sonde");
    const Lauf lauf = Ausfuehren(Pfad("bin/mux6"), {}, arbeit.path(), umgebung);
    EXPECT_EQ(lauf.code, 0);
    const auto bericht = QRegularExpression("\nsonde (\\d+) \\[(.*)\\]\n").match(lauf.ausgabe);
    ASSERT_TRUE(bericht.hasMatch()) << lauf.ausgabe.toStdString();
    EXPECT_GT(bericht.captured(1).toInt(), 0);
    EXPECT_EQ(bericht.captured(2).toStdString(), "") << "buttons without a picture";
    EXPECT_TRUE(QFile::exists(arbeit.filePath(settings::kIniDatei)));
}

TEST_F(Installation, BilderAlsBmpMitIhrerTransparenz) {
    const QDir ordner(ui::Datenordner(Pfad("bin"), "buttons"));
    EXPECT_EQ(ordner.path(), QDir::cleanPath(Pfad("share/mux6/buttons")));
    const QStringList quellen = QDir(MUX6_BILDQUELLEN).entryList({"*.svg"});
    ASSERT_FALSE(quellen.isEmpty());
    EXPECT_EQ(ordner.entryList(QDir::Files).size(), quellen.size());
    bool durchsichtig = false;
    for (const QString& svg : quellen) {
        const QString name = QFileInfo(svg).completeBaseName();
        EXPECT_EQ(QImageReader::imageFormat(ordner.filePath(name + ".bmp")).toStdString(), "bmp")
            << name.toStdString();
        // Alpha exactly as drawn before the conversion.
        const QImage bmp(ordner.filePath(name + ".bmp"));
        const QImage gezeichnet(QDir(MUX6_BILDER_PNG).filePath(name + ".png"));
        EXPECT_TRUE(bmp.hasAlphaChannel()) << name.toStdString();
        EXPECT_TRUE(bmp.convertToFormat(QImage::Format_Alpha8) ==
                    gezeichnet.convertToFormat(QImage::Format_Alpha8))
            << name.toStdString();
        durchsichtig = durchsichtig || qAlpha(bmp.pixel(0, 0)) == 0;
    }
    EXPECT_TRUE(durchsichtig);
}

TEST_F(Installation, DesktopEintragMetainfoUndSymbol) {
    const QString desktop = "share/applications/de.vek7m.mux6.desktop";
    const QString metainfo = "share/metainfo/de.vek7m.mux6.metainfo.xml";
    for (const Lauf& pruefung :
         {Ausfuehren(MUX6_DESKTOP_FILE_VALIDATE, {Pfad(desktop)}),
          Ausfuehren(MUX6_APPSTREAMCLI, {"validate", "--no-net", Pfad(metainfo)})})
        EXPECT_EQ(pruefung.code, 0) << pruefung.ausgabe.toStdString();
    // The entry starts the installed program and names an icon of the theme,
    // scalable and drawn at sizes that match their folders.
    const QString eintrag = Lesen(desktop);
    const auto wert = [&](const char* schluessel) {
        return eintrag.section(QString("\n%1=").arg(schluessel), 1).section('\n', 0, 0);
    };
    EXPECT_TRUE(QFile::exists(Pfad("bin/" + wert("Exec"))));
    const QDir hicolor(Pfad("share/icons/hicolor"));
    EXPECT_TRUE(QFile::exists(hicolor.filePath("scalable/apps/" + wert("Icon") + ".svg")));
    for (const QString& groesse : hicolor.entryList({"*x*"}, QDir::Dirs)) {
        const QImage bild(hicolor.filePath(groesse + "/apps/" + wert("Icon") + ".png"));
        EXPECT_EQ(bild.width(), groesse.section('x', 0, 0).toInt()) << groesse.toStdString();
    }
}

// The first folder in the search order that holds what is looked for: the
// data folder beside the executable before the installed one (without either,
// the one beside it, which then has no pictures); Qt's translations folder
// before the program's, and a folder without qtbase_de.qm does not count.
TEST(Ordnersuche, ErsterTrefferDerReihenfolge) {
    struct Fall {
        QStringList anlegen;  // folders, or files where the name ends in .qm
        bool uebersetzung;
        QString erwartet;
    };
    const Fall faelle[] = {
        {{"bin/buttons", "share/mux6/buttons"}, false, "bin/buttons"},
        {{"share/mux6/buttons"}, false, "share/mux6/buttons"},
        {{}, false, "bin/buttons"},
        {{"qt/qtbase_de.qm", "share/mux6/translations/qtbase_de.qm"}, true, "qt"},
        {{"qt", "share/mux6/translations/qtbase_de.qm"}, true, "share/mux6/translations"},
        {{"qt", "bin/translations"}, true, ""}};
    for (const Fall& f : faelle) {
        QTemporaryDir wurzel;
        const QDir w(wurzel.path());
        w.mkpath("bin");
        for (const QString& pfad : f.anlegen) {
            const bool datei = pfad.endsWith(".qm");
            w.mkpath(datei ? QFileInfo(pfad).path() : pfad);
            if (datei)
                QFile(w.filePath(pfad)).open(QIODevice::WriteOnly);
        }
        const QString gefunden =
            f.uebersetzung ? ui::UebersetzungsordnerIn(w.filePath("qt"), w.filePath("bin"))
                           : ui::Datenordner(w.filePath("bin"), "buttons");
        EXPECT_EQ(gefunden, f.erwartet.isEmpty() ? QString() : w.filePath(f.erwartet))
            << f.anlegen.join(' ').toStdString();
    }
}

}  // namespace
