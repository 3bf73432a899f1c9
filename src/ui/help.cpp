#include "ui/help.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <vector>

#include "ui/dialogs.h"
#include "ui/registry.h"

namespace ui {

char gHilfeAktiv = 0;

namespace {

constexpr const char* kSchalterMerkmal = "mux6_hilfeschalter";
constexpr int kRand = 5;

struct Beobachter {
    QPointer<QObject> besitzer;
    std::function<void(bool)> melden;
};

std::vector<Beobachter>& AlleBeobachter() {
    static std::vector<Beobachter> b;
    return b;
}

QString HilfetextVon(QWidget* w) {
    for (QWidget* p = w; p != nullptr; p = p->parentWidget()) {
        if (auto* tb = qobject_cast<QToolButton*>(p); tb && tb->defaultAction()) {
            if (!tb->defaultAction()->whatsThis().isEmpty())
                return tb->defaultAction()->whatsThis();
        }
        if (!p->whatsThis().isEmpty())
            return p->whatsThis();
        if (p->isWindow())
            break;
    }
    return {};
}

bool GehoertZuHilfeschalter(QWidget* w) {
    for (QWidget* p = w; p != nullptr; p = p->parentWidget()) {
        if (IstHilfeschalter(p))
            return true;
        if (auto* tb = qobject_cast<QToolButton*>(p); tb && IstHilfeschalter(tb->defaultAction()))
            return true;
        if (p->isWindow())
            break;
    }
    return false;
}

void MenuesSchliessen(QMenu* m) {
    for (QWidget* p = m; p != nullptr; p = p->parentWidget()) {
        if (auto* menu = qobject_cast<QMenu*>(p))
            menu->hide();
    }
}

void SpaeterZeigen(const QString& text) {
    if (text.isEmpty())
        return;
    QTimer::singleShot(0, qApp, [text] { Hilfetext(text); });
}

}  // namespace

void DirekthilfeSetzen(bool an) {
    const bool war = gHilfeAktiv != 0;
    gHilfeAktiv = an ? 1 : 0;
    if (war != an) {
        if (an)
            QApplication::setOverrideCursor(Qt::WhatsThisCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    auto& alle = AlleBeobachter();
    std::erase_if(alle, [](const Beobachter& b) { return b.besitzer.isNull(); });
    for (const Beobachter& b : std::vector<Beobachter>(alle)) {
        if (b.besitzer)
            b.melden(an);
    }
    if (an && !war)
        Hilfetext(kHilfeEingeschaltet);
}

void DirekthilfeBeobachten(QObject* besitzer, std::function<void(bool)> beobachter) {
    AlleBeobachter().push_back({besitzer, std::move(beobachter)});
}

QSize HilfeboxGroesse(const QString& text) {
    const QFontMetrics fm(QApplication::font());
    const QSize t =
        fm.boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft | Qt::AlignTop, text).size();
    return {t.width() + 2 * kRand, t.height() + 2 * kRand};
}

QPoint HilfeboxPosition(QPoint maus, QSize hauptfenster, QSize box) {
    int links = maus.x();
    int oben = maus.y();
    if (maus.x() > hauptfenster.width() / 2.0)
        links = maus.x() - box.width();
    if (maus.y() > hauptfenster.height() / 2.0)
        oben = maus.y() - box.height();
    return {links, oben};
}

void Hilfetext(const QString& text) {
    QWidget* haupt = registry().Eintrag(Fenster::Haupt).panel;
    const QPoint maus = haupt ? haupt->mapFromGlobal(QCursor::pos()) : QCursor::pos();
    const QSize groesse = haupt ? haupt->size() : QSize(0, 0);
    dialogs().Hilfebox(haupt, text, HilfeboxPosition(maus, groesse, HilfeboxGroesse(text)));
}

void HilfetextSetzen(QWidget* control, const QString& text) {
    control->setWhatsThis(text);
}

void HilfetextSetzen(QAction* item, const QString& text) {
    item->setWhatsThis(text);
}

void AlsHilfeschalterMarkieren(QObject* schalter) {
    schalter->setProperty(kSchalterMerkmal, true);
}

bool IstHilfeschalter(const QObject* o) {
    return o != nullptr && o->property(kSchalterMerkmal).toBool();
}

bool DirekthilfeFilter::eventFilter(QObject* ziel, QEvent* e) {
    if (!gHilfeAktiv)
        return false;
    auto* w = qobject_cast<QWidget*>(ziel);
    if (w == nullptr)
        return false;
    // Message boxes and the help box itself work as usual.
    if (qobject_cast<QDialog*>(w->window()) != nullptr)
        return false;

    switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            if (qobject_cast<QMenuBar*>(w) || qobject_cast<QMenu*>(w))
                return false;
            if (GehoertZuHilfeschalter(w))
                return false;
            const auto* me = static_cast<QMouseEvent*>(e);
            if (e->type() == QEvent::MouseButtonPress && me->button() == Qt::LeftButton)
                SpaeterZeigen(HilfetextVon(w));
            return true;
        }
        case QEvent::MouseButtonRelease: {
            if (auto* menu = qobject_cast<QMenu*>(w)) {
                QAction* a = menu->actionAt(static_cast<QMouseEvent*>(e)->position().toPoint());
                if (a == nullptr || a->menu() != nullptr || a->isSeparator() || IstHilfeschalter(a))
                    return false;
                MenuesSchliessen(menu);
                SpaeterZeigen(a->whatsThis());
                return true;
            }
            if (qobject_cast<QMenuBar*>(w))
                return false;
            return !GehoertZuHilfeschalter(w);
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Keys would commit the focused control; only the menus' own keys pass.
            if (qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w))
                return false;
            return !GehoertZuHilfeschalter(w);
        }
        default:
            return false;
    }
}

void DirekthilfeFilterInstallieren() {
    static QPointer<DirekthilfeFilter> filter;
    if (filter.isNull()) {
        filter = new DirekthilfeFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

}  // namespace ui
