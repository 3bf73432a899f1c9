#pragma once
// Toolbars whose buttons mirror menu items. A button normally IS its menu
// item's QAction placed in the toolbar, so its checked and dimmed state cannot
// drift from the item's and a click runs the item. Where a button must stay
// dimmed while its item works, a mirror keeps only the checked state in step.
//
// Pictures are the files <name>.bmp in the picture folder (Bilderordner()); a
// missing or broken file leaves a text button, never a failure.

#include <QString>
#include <QToolBar>
#include <initializer_list>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;

namespace ui {

class Toolbar : public QToolBar {
  public:
    // `ordner`: where the picture files are; empty = Bilderordner().
    explicit Toolbar(QWidget* eltern, const QString& ordner = {});

    // The menu item itself as a button.
    QAction* Knopf(QAction* eintrag, const QString& tooltip, const QString& bild);
    // Checkable menu items as one exclusive group (the group is returned; the
    // items are made checkable and put into it).
    QActionGroup* Radiogruppe(const std::vector<QAction*>& eintraege,
                              const std::vector<QString>& tooltips,
                              const std::vector<QString>& bilder);
    // A button of its own whose checked state follows the menu item both ways
    // and whose click runs the item; its dimmed state is its own.
    QAction* Spiegel(QAction* eintrag, const QString& tooltip, const QString& bild);
    // A list box with texts and their values.
    QComboBox* Ring(const QString& name, const QString& tooltip,
                    const std::vector<std::pair<QString, int>>& eintraege);
    QAction* Trenner(bool gedimmt = false);

    // The toolbar's button of a menu item (also of its mirror), or nullptr.
    QAction* ZuEintrag(const QAction* eintrag) const;
    // Whether the picture of an item could be loaded.
    bool HatBild(const QAction* knopf) const;

  private:
    void BildSetzen(QAction* knopf, const QString& tooltip, const QString& bild);

    QString ordner_;
    std::vector<std::pair<const QAction*, QAction*>> spiegel_;
};

}  // namespace ui
