#include "ui/toolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolButton>

#include "ui/data_paths.h"

namespace ui {

namespace {
constexpr const char* kHatBild = "mux6_hat_bild";
}

Toolbar::Toolbar(QWidget* eltern, const QString& ordner)
    : QToolBar(eltern), ordner_(ordner.isEmpty() ? Bilderordner() : ordner) {
    setMovable(false);
    setFloatable(false);
    setContentsMargins(0, 0, 0, 0);
    // Small enough that a long toolbar fits the child window's width.
    setIconSize(QSize(20, 20));
    setStyleSheet(
        "QToolBar { spacing: 0px; padding: 0px; } QToolButton { padding: 0px; margin: 0px; }");
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void Toolbar::BildSetzen(QAction* knopf, const QString& tooltip, const QString& bild) {
    knopf->setToolTip(tooltip);
    QPixmap p;
    if (!bild.isEmpty()) {
        // The pictures keep their fixed names <name>.bmp, so an operator may put
        // pictures of their own in their place; a build without the converters
        // ships the SVG sources, which will do.
        const QString stamm = QFileInfo(bild).completeBaseName();
        p.load(QDir(ordner_).filePath(stamm + ".bmp"));
        if (p.isNull())
            p.load(QDir(ordner_).filePath(stamm + ".svg"));
    }
    const bool hat = !p.isNull();
    knopf->setProperty(kHatBild, hat);
    if (hat)
        knopf->setIcon(QIcon(p));
    else if (knopf->iconText().isEmpty())
        knopf->setIconText(tooltip);
    // A button without its picture shows its text instead of an empty square.
    if (auto* b = qobject_cast<QToolButton*>(widgetForAction(knopf))) {
        b->setToolButtonStyle(hat ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
        b->setObjectName(knopf->objectName().isEmpty() ? QString()
                                                       : knopf->objectName() + "_KNOPF");
    }
}

QAction* Toolbar::Knopf(QAction* eintrag, const QString& tooltip, const QString& bild) {
    addAction(eintrag);
    BildSetzen(eintrag, tooltip, bild);
    return eintrag;
}

QActionGroup* Toolbar::Radiogruppe(const std::vector<QAction*>& eintraege,
                                   const std::vector<QString>& tooltips,
                                   const std::vector<QString>& bilder) {
    auto* gruppe = new QActionGroup(this);
    gruppe->setExclusive(true);
    for (std::size_t i = 0; i < eintraege.size(); ++i) {
        eintraege[i]->setCheckable(true);
        gruppe->addAction(eintraege[i]);
        Knopf(eintraege[i], i < tooltips.size() ? tooltips[i] : QString(),
              i < bilder.size() ? bilder[i] : QString());
    }
    return gruppe;
}

QAction* Toolbar::Spiegel(QAction* eintrag, const QString& tooltip, const QString& bild) {
    auto* knopf = new QAction(eintrag->text(), this);
    knopf->setObjectName(eintrag->objectName().isEmpty() ? QString()
                                                         : eintrag->objectName() + "_SPIEGEL");
    knopf->setCheckable(eintrag->isCheckable());
    knopf->setChecked(eintrag->isChecked());
    knopf->setWhatsThis(eintrag->whatsThis());
    addAction(knopf);
    BildSetzen(knopf, tooltip, bild);
    connect(eintrag, &QAction::toggled, knopf, [knopf](bool an) {
        const QSignalBlocker sperre(knopf);
        knopf->setChecked(an);
    });
    connect(knopf, &QAction::triggered, eintrag, [eintrag, knopf] {
        // The item decides (an exclusive group may refuse to uncheck); the
        // button shows what the item then holds.
        eintrag->trigger();
        const QSignalBlocker sperre(knopf);
        knopf->setChecked(eintrag->isChecked());
    });
    spiegel_.emplace_back(eintrag, knopf);
    return knopf;
}

QComboBox* Toolbar::Ring(const QString& name, const QString& tooltip,
                         const std::vector<std::pair<QString, int>>& eintraege) {
    auto* ring = new QComboBox(this);
    ring->setObjectName(name);
    ring->setToolTip(tooltip);
    for (const auto& [text, wert] : eintraege)
        ring->addItem(text, wert);
    addWidget(ring);
    return ring;
}

QAction* Toolbar::Trenner(bool gedimmt) {
    QAction* t = addSeparator();
    t->setEnabled(!gedimmt);
    return t;
}

QAction* Toolbar::ZuEintrag(const QAction* eintrag) const {
    for (const auto& [e, k] : spiegel_) {
        if (e == eintrag)
            return k;
    }
    for (QAction* a : actions()) {
        if (a == eintrag)
            return a;
    }
    return nullptr;
}

bool Toolbar::HatBild(const QAction* knopf) const {
    return knopf != nullptr && knopf->property(kHatBild).toBool();
}

}  // namespace ui
