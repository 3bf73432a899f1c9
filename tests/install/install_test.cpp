// The build installed into a fresh prefix, as a package or an operator does,
// and used from there: the tools run and have their man pages, the program
// started from another folder finds every toolbar picture and keeps its
// settings file where it was started, the pictures keep their transparency,
// the desktop entry and the metainfo pass their validators; and the search
// for the data folders on its own.
#include "ui/data_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "settings/settings_file.h"

namespace {

// Generous: the sanitizer build starts the program slowly.
constexpr int kWartenMs = 120'000;

struct Lauf {
    int code = -1;  // -1: did not start, crashed or had to be killed
    QString ausgabe;
};

Lauf Ausfuehren(const QString& programm, const QStringList& argumente, const QString& ordner = {},
                const QProcessEnvironment& umgebung = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.setWorkingDirectory(ordner);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programm, argumente);
    if (!p.waitForFinished(kWartenMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    const int code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return {code, QString::fromUtf8(p.readAll())};
}

QString Lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
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

    static inline std::unique_ptr<QTemporaryDir> prefix;
    static inline Lauf installiert;
};

TEST_F(Installation, WerkzeugeLaufenUndHabenIhreManpage) {
    for (const QString werkzeug : {"mux6ctl", "mux6sim"}) {
        const Lauf hilfe = Ausfuehren(Pfad("bin/" + werkzeug), {"--help"});
        EXPECT_EQ(hilfe.code, 0) << werkzeug.toStdString();
        EXPECT_TRUE(hilfe.ausgabe.startsWith("Usage: " + werkzeug)) << hilfe.ausgabe.toStdString();
        const QString seite = Lesen(Pfad("share/man/man1/" + werkzeug + ".1"));
        EXPECT_TRUE(seite.contains(".TH " + werkzeug.toUpper())) << werkzeug.toStdString();
        EXPECT_TRUE(seite.contains("\\-\\-help")) << werkzeug.toStdString();
    }
}

TEST_F(Installation, ProgrammFindetJedesBildUndSchreibtSeineEinstellungenImArbeitsordner) {
    QTemporaryDir arbeit;
    const QString bericht = arbeit.filePath("sonde.txt");
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("QT_QPA_PLATFORM", "offscreen");
    umgebung.insert("QT_PLUGIN_PATH", MUX6_SONDE);
    umgebung.insert("QT_QPA_GENERIC_PLUGINS", "mux6sonde");
    umgebung.insert("MUX6_SONDE_BERICHT", bericht);
    const Lauf lauf = Ausfuehren(Pfad("bin/mux6"), {}, arbeit.path(), umgebung);
    EXPECT_EQ(lauf.code, 0) << lauf.ausgabe.toStdString();
    const QStringList zeilen = Lesen(bericht).split('\n');
    ASSERT_EQ(zeilen.size(), 2) << "the probe wrote no report";
    EXPECT_GT(zeilen[0].toInt(), 0);
    EXPECT_EQ(zeilen[1], "") << "buttons without a picture";
    EXPECT_TRUE(QFile::exists(arbeit.filePath(settings::kIniDatei)));
}

TEST_F(Installation, BilderAlsBmpMitIhrerTransparenz) {
    const QString ordner = ui::Datenordner(Pfad("bin"), "buttons");
    EXPECT_EQ(ordner, QDir::cleanPath(Pfad("share/mux6/buttons")));
    const QStringList quellen = QDir(MUX6_BILDQUELLEN).entryList({"*.svg"});
    ASSERT_FALSE(quellen.isEmpty());
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files).size(), quellen.size());
    int durchsichtig = 0;
    for (const QString& svg : quellen) {
        const QString name = QFileInfo(svg).completeBaseName();
        const QString datei = QDir(ordner).filePath(name + ".bmp");
        EXPECT_EQ(QImageReader::imageFormat(datei), "bmp") << name.toStdString();
        const QImage bmp(datei);
        const QImage gezeichnet(QDir(MUX6_BILDER_PNG).filePath(name + ".png"));
        ASSERT_EQ(bmp.size(), gezeichnet.size()) << name.toStdString();
        EXPECT_TRUE(bmp.hasAlphaChannel()) << name.toStdString();
        for (int y = 0; y < bmp.height(); ++y) {
            for (int x = 0; x < bmp.width(); ++x) {
                ASSERT_EQ(qAlpha(bmp.pixel(x, y)), qAlpha(gezeichnet.pixel(x, y)))
                    << name.toStdString() << " " << x << "," << y;
                durchsichtig += qAlpha(bmp.pixel(x, y)) == 0;
            }
        }
    }
    EXPECT_GT(durchsichtig, 0);
}

TEST_F(Installation, DesktopEintragMetainfoUndSymbol) {
    const QString desktop = Pfad("share/applications/de.vek7m.mux6.desktop");
    for (const Lauf& pruefung :
         {Ausfuehren(MUX6_DESKTOP_FILE_VALIDATE, {desktop}),
          Ausfuehren(MUX6_APPSTREAMCLI,
                     {"validate", "--no-net", Pfad("share/metainfo/de.vek7m.mux6.metainfo.xml")})})
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
    const QStringList groessen = hicolor.entryList({"*x*"}, QDir::Dirs);
    EXPECT_FALSE(groessen.isEmpty());
    for (const QString& groesse : groessen) {
        const QImage bild(hicolor.filePath(groesse + "/apps/" + wert("Icon") + ".png"));
        EXPECT_EQ(QString("%1x%2").arg(bild.width()).arg(bild.height()), groesse);
    }
}

// The first folder of the search order that holds what is looked for: the
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
