#include "ui/file_types.h"

namespace ui {
namespace {

struct Dateityp {
    const char* muster;
    const char* beschreibung;
    bool eigeneDatei;
};

constexpr Dateityp kDateitypen[] = {
    {"*.skr", "Kurvendateien", true},
    {"*.ske", "Kennliniendateien", true},
    {"*.sko", "Konfigurationsdateien", true},
    {"*.txt", "Textdateien", false},
};

const Dateityp* Finden(const QString& muster) {
    for (const Dateityp& t : kDateitypen) {
        if (muster.compare(QLatin1String(t.muster), Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

}  // namespace

QString Dateitypliste(const QString& muster) {
    const Dateityp* t = Finden(muster);
    return t ? QString("%1 (%2)").arg(QString::fromUtf8(t->beschreibung), muster) : muster;
}

QString Endung(const QString& muster) {
    if (!muster.startsWith("*."))
        return {};
    const QString e = muster.mid(2);
    if (e.isEmpty() || e.contains('*') || e.contains('?') || e.contains(' '))
        return {};
    return e;
}

bool EndungErzwungen(const QString& muster) {
    const Dateityp* t = Finden(muster);
    return t != nullptr && t->eigeneDatei;
}

QString MitEndung(const QString& pfad, const QString& muster) {
    const QString e = Endung(muster);
    if (e.isEmpty() || pfad.isEmpty() || pfad.endsWith('.' + e, Qt::CaseInsensitive))
        return pfad;
    return pfad.endsWith('.') ? pfad + e : pfad + '.' + e;
}

}  // namespace ui
