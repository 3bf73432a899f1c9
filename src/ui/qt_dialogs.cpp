#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/entry_dialogs.h"

namespace ui {
namespace {

// Closes the help box on the first press after the button that opened it has
// been released; that press is swallowed, so it triggers nothing.
class KlickSchliesst : public QObject {
  public:
    explicit KlickSchliesst(QDialog* box) : box_(box) {
        losgelassen_ = QGuiApplication::mouseButtons() == Qt::NoButton;
    }

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonRelease) {
            losgelassen_ = true;
            return false;
        }
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            if (losgelassen_ && box_->isVisible())
                box_->accept();
            return true;
        }
        return false;
    }

  private:
    QDialog* box_;
    bool losgelassen_ = false;
};

}  // namespace

void QtDialogs::Meldung(QWidget* eltern, const QString& titel, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, titel, text, QMessageBox::Ok, eltern);
    box.exec();
}

int QtDialogs::Frage(QWidget* eltern, const QString& titel, const QString& text,
                     const QStringList& knoepfe) {
    QMessageBox box(QMessageBox::Question, titel, text, QMessageBox::NoButton, eltern);
    QList<QAbstractButton*> liste;
    for (const QString& k : knoepfe) {
        liste.push_back(k.isEmpty() ? nullptr : box.addButton(k, QMessageBox::AcceptRole));
    }
    box.exec();
    for (int i = 0; i < liste.size(); ++i) {
        if (liste[i] != nullptr && box.clickedButton() == liste[i])
            return i + 1;
    }
    return 0;
}

std::optional<QString> QtDialogs::DateiWaehlen(QWidget* eltern, const Dateiauswahl& a) {
    const QString pfad = a.art == Dateiauswahl::Art::Laden
                             ? QFileDialog::getOpenFileName(eltern, a.titel, a.vorgabe, a.filter)
                             : QFileDialog::getSaveFileName(
                                   eltern, a.titel, a.vorgabe, a.filter, nullptr,
                                   a.ueberschreibenFragen ? QFileDialog::Options()
                                                          : QFileDialog::DontConfirmOverwrite);
    if (pfad.isEmpty())
        return std::nullopt;
    return pfad;
}

std::vector<double> QtDialogs::Eingeben(QWidget* eltern, const Eingabe& eingabe) {
    Eingabedialog d(eltern, eingabe);
    d.exec();
    return d.Werte();
}

QString QtDialogs::Kommentieren(QWidget* eltern, const QString& titel, const QString& text) {
    Kommentardialog d(eltern, titel, text);
    d.exec();
    return d.Text();
}

QWidget* HilfeboxErstellen(QWidget* hauptfenster, const QString& text) {
    auto* box = new QDialog(hauptfenster, Qt::FramelessWindowHint | Qt::Dialog);
    box->setObjectName("HILFEBOX");
    box->setStyleSheet("QDialog#HILFEBOX { background: #ffffe1; border: 1px solid #505050; }");
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(5, 5, 5, 5);
    auto* label = new QLabel(text, box);
    label->setObjectName("HILFEBOX_TEXT");
    lay->addWidget(label);
    box->adjustSize();
    return box;
}

void QtDialogs::Hilfebox(QWidget* hauptfenster, const QString& text, QPoint oben_links) {
    auto* box = static_cast<QDialog*>(HilfeboxErstellen(hauptfenster, text));
    box->setModal(true);
    box->move(hauptfenster ? hauptfenster->mapToGlobal(oben_links) : oben_links);
    KlickSchliesst filter(box);
    qApp->installEventFilter(&filter);
    box->exec();
    qApp->removeEventFilter(&filter);
    delete box;
}

}  // namespace ui
