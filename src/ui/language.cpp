#include "ui/language.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

#include "ui/data_paths.h"

namespace ui {

namespace {
// The catalogue of Qt's widgets and core texts; the serial port library shows
// the operator none of its texts.
constexpr const char* kKatalog = "qtbase_de";
}  // namespace

bool QtDeutschLaden() {
    static QPointer<QTranslator> geladen;
    if (geladen)
        return true;
    const QString ordner = Uebersetzungsordner();
    if (ordner.isEmpty() || QCoreApplication::instance() == nullptr)
        return false;
    auto* uebersetzer = new QTranslator(QCoreApplication::instance());
    if (!uebersetzer->load(kKatalog, ordner) || !QCoreApplication::installTranslator(uebersetzer)) {
        delete uebersetzer;
        return false;
    }
    geladen = uebersetzer;
    return true;
}

}  // namespace ui
