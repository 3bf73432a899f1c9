#include "ui/data_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace ui {

namespace {

// The install rules put the executables in bin/ and the data in share/mux6/.
constexpr const char* kInstallierteDaten = "../share/mux6";
constexpr const char* kDeutscheQtUebersetzung = "qtbase_de.qm";

}  // namespace

QString Datenordner(const QString& programmordner, const QString& name) {
    const QDir programm(programmordner);
    const QString daneben = QDir::cleanPath(programm.filePath(name));
    if (QFileInfo(daneben).isDir())
        return daneben;
    const QString installiert =
        QDir::cleanPath(programm.filePath(QString(kInstallierteDaten) + '/' + name));
    if (QFileInfo(installiert).isDir())
        return installiert;
    return daneben;
}

QString Bilderordner() {
    return Datenordner(QCoreApplication::applicationDirPath(), "buttons");
}

QString UebersetzungsordnerIn(const QString& qtOrdner, const QString& programmordner) {
    for (const QString& ordner : {qtOrdner, Datenordner(programmordner, "translations")}) {
        if (!ordner.isEmpty() && QFileInfo(QDir(ordner).filePath(kDeutscheQtUebersetzung)).isFile())
            return QDir::cleanPath(ordner);
    }
    return {};
}

QString Uebersetzungsordner() {
    return UebersetzungsordnerIn(QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                 QCoreApplication::applicationDirPath());
}

}  // namespace ui
