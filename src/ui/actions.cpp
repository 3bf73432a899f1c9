#include "ui/actions.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include "ui/childpanel.h"
#include "ui/help.h"
#include "ui/toolbar.h"

namespace ui {

QKeySequence Taste::Folge() const {
    if (standard != QKeySequence::UnknownKey)
        return QKeySequence(standard);
    return kombination != 0 ? QKeySequence(kombination) : QKeySequence();
}

Aktionen::Aktionen(Childpanel& panel, Toolbar& toolbar, std::span<const Menue> menues,
                   std::span<const Aktion> tabelle, Gewaehlt gewaehlt)
    : Aktionen(panel, &toolbar, menues, tabelle, std::move(gewaehlt)) {}

Aktionen::Aktionen(Childpanel& panel, std::span<const Menue> menues,
                   std::span<const Aktion> tabelle, Gewaehlt gewaehlt)
    : Aktionen(panel, static_cast<Toolbar*>(nullptr), menues, tabelle, std::move(gewaehlt)) {}

Aktionen::Aktionen(Childpanel& panel, Toolbar* toolbar, std::span<const Menue> menues,
                   std::span<const Aktion> tabelle, Gewaehlt gewaehlt)
    : panel_(panel), toolbar_(toolbar), menues_(menues), gewaehlt_(std::move(gewaehlt)) {
    for (const Aktion& a : tabelle) {
        switch (a.art) {
            case Art::Trenner:
                Trennen(a);
                break;
            case Art::Liste: {
                if (!toolbar_)
                    break;
                QComboBox* liste = toolbar_->Ring(panel_.praefix() + "_" + a.name, a.tooltip, {});
                HilfetextSetzen(liste, a.hilfe);
                listen_[a.name] = liste;
                break;
            }
            default:
                Knopf(a, Anlegen(a));
                break;
        }
    }
}

QMenu* Aktionen::MenueFuer(const QString& pfad) {
    if (pfad == "DATEI")
        return panel_.dateiMenue();
    if (pfad == "HILFE")
        return panel_.hilfeMenue();
    if (const auto it = untermenues_.find(pfad); it != untermenues_.end())
        return it->second;
    for (const Menue& m : menues_) {
        if (pfad != m.pfad)
            continue;
        auto* menue = new QMenu(m.text, panel_.menuleiste());
        menue->setObjectName(panel_.Menuname(m.pfad, {}));
        if (m.eltern)
            MenueFuer(m.eltern)->addMenu(menue);
        else
            panel_.menuleiste()->insertMenu(panel_.fensterMenue()->menuAction(), menue);
        untermenues_[pfad] = menue;
        return menue;
    }
    return nullptr;
}

void Aktionen::Trennen(const Aktion& a) {
    if (a.trenner != Ort::Toolbar) {
        QMenu* m = MenueFuer(a.menue);
        // "Datei" keeps "Beenden" last.
        if (m == panel_.dateiMenue())
            m->insertSeparator(panel_.findChild<QAction*>(panel_.Menuname("DATEI", "BEENDEN")));
        else if (m)
            m->addSeparator();
    }
    if (a.trenner != Ort::Menue && toolbar_)
        toolbar_->Trenner(a.gedimmt);
}

QAction* Aktionen::Anlegen(const Aktion& a) {
    QAction* q = nullptr;
    if (a.art == Art::Direkthilfe) {
        q = panel_.HilfeMenueAnlegen(a.name);
    } else {
        q = new QAction(a.text, &panel_);
        q->setObjectName(panel_.Menuname(a.menue, a.name));
        q->setShortcut(a.taste.Folge());
        q->setCheckable(a.art == Art::Schalter || a.art == Art::Radio);
        q->setChecked(a.an);
        if (a.art == Art::Radio) {
            QActionGroup*& g = gruppen_[a.gruppe];
            if (!g) {
                g = new QActionGroup(&panel_);
                g->setExclusive(true);
            }
            g->addAction(q);
        }
        QMenu* m = MenueFuer(a.menue);
        if (m == panel_.dateiMenue())
            m->insertAction(panel_.findChild<QAction*>(panel_.Menuname("DATEI", "BEENDEN")), q);
        else if (m)
            m->addAction(q);
        QObject::connect(q, &QAction::triggered, &panel_, [this, &a, q] { gewaehlt_(a, q); });
    }
    HilfetextSetzen(q, a.hilfe);
    eintraege_[q->objectName()] = q;
    aktionen_.emplace_back(&a, q);
    return q;
}

void Aktionen::Knopf(const Aktion& a, QAction* eintrag) {
    if (!a.tooltip || !toolbar_)
        return;
    const QString bild = a.bild ? QString(a.bild) + ".png" : QString();
    if (a.spiegel) {
        QAction* k = toolbar_->Spiegel(eintrag, a.tooltip, bild);
        k->setEnabled(!a.gedimmt);
        return;
    }
    toolbar_->Knopf(eintrag, a.tooltip, bild);
    if (a.gedimmt)
        eintrag->setEnabled(false);
}

QAction* Aktionen::Eintrag(const QString& name) const {
    const auto it = eintraege_.find(name);
    return it == eintraege_.end() ? nullptr : it->second;
}

QAction* Aktionen::ZuBefehl(Befehl b, int wert) const {
    for (const auto& [a, q] : aktionen_) {
        if (a->befehl == b && a->wert == wert)
            return q;
    }
    return nullptr;
}

QAction* Aktionen::ZuWerkzeug(Werkzeug w) const {
    for (const auto& [a, q] : aktionen_) {
        if (a->werkzeug == w)
            return q;
    }
    return nullptr;
}

Werkzeug Aktionen::AktivesWerkzeug() const {
    for (const auto& [a, q] : aktionen_) {
        if (a->werkzeug != Werkzeug::Keins && q->isChecked())
            return a->werkzeug;
    }
    return Werkzeug::Keins;
}

QMenu* Aktionen::Untermenue(const QString& pfad) const {
    const auto it = untermenues_.find(pfad);
    return it == untermenues_.end() ? nullptr : it->second;
}

QComboBox* Aktionen::Liste(const QString& name) const {
    const auto it = listen_.find(name);
    return it == listen_.end() ? nullptr : it->second;
}

const Aktion* Aktionen::Zu(const QAction* q) const {
    for (const auto& [a, e] : aktionen_) {
        if (e == q)
            return a;
    }
    return nullptr;
}

}  // namespace ui
