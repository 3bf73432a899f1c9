#include "shell/main_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/picture.h"
#include "ui/childpanel.h"
#include "ui/connection_indicator.h"
#include "ui/help.h"

namespace shell {
namespace {

struct Knopf {
    const char* name;
    const char* text;
};
constexpr Knopf kKnoepfe[] = {
    {"COM", "COM"},
    {"KONFIG", "Konfiguration"},
    {"DIREKT", "Direkte Ein-/Ausgabe"},
    {"KURVEN", "Kurvengenerator"},
    {"KENNLINIE", "Kennlinienregler"},
    {"INFO", "Info"},
    {"ENDE", "Ende"},
};

}  // namespace

Mainpanel::Mainpanel(QWidget* eltern) : QWidget(eltern) {
    setObjectName("MAINPANEL");
    setWindowTitle("VEK-7M Kurvengenerator");

    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(24, 30, 24, 20);
    lay->setSpacing(24);

    auto* spalte = new QVBoxLayout;
    spalte->setSpacing(10);
    for (std::size_t i = 0; i < knoepfe_.size(); ++i) {
        auto* k = new QPushButton(kKnoepfe[i].text, this);
        k->setObjectName(QString("MAINPANEL_") + kKnoepfe[i].name);
        k->setMinimumSize(220, 44);
        QFont f = k->font();
        f.setPointSizeF(f.pointSizeF() * 1.15);
        k->setFont(f);
        knoepfe_[i] = k;
        spalte->addWidget(k);
        if (i == 4)
            spalte->addSpacing(16);
    }
    spalte->addStretch(1);
    auto* fuss = new QHBoxLayout;
    verbindungsanzeige_ = new ui::Verbindungsanzeige("MAINPANEL", this);
    ui::HilfetextSetzen(verbindungsanzeige_, ui::kHilfeVerbindungsanzeige);
    fuss->addWidget(verbindungsanzeige_);
    hilfeschalter_ = new QToolButton(this);
    hilfeschalter_->setObjectName("MAINPANEL_DIREKTHILFE");
    hilfeschalter_->setText("?");
    hilfeschalter_->setCheckable(true);
    ui::AlsHilfeschalterMarkieren(hilfeschalter_);
    fuss->addWidget(hilfeschalter_);
    fuss->addStretch(1);
    spalte->addLayout(fuss);
    lay->addLayout(spalte);

    auto* bild = new Geraetebild(this);
    bild->setObjectName("MAINPANEL_PICTURE");
    lay->addWidget(bild, 1);
}

QPushButton* Mainpanel::knopf(const char* name) const {
    return findChild<QPushButton*>(QString("MAINPANEL_") + name);
}

QRect Mainpanel::ChildBereich() const {
    return {1, 17, width() - 2, height() - 18};
}

void Mainpanel::closeEvent(QCloseEvent* e) {
    // The program ends through the veto pattern, never by the close box alone.
    e->ignore();
    if (beiSchliessen)
        beiSchliessen();
}

void Mainpanel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (beiGroessenaenderung)
        beiGroessenaenderung();
}

}  // namespace shell
