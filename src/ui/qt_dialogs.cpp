#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/entry_dialogs.h"
#include "ui/file_types.h"

namespace ui {
namespace {

// While the help box is up, the program takes no input: the first left press
// after the button that opened the box has been released closes it, wherever
// it lands, and is swallowed with every other press, key and close request,
// so nothing is triggered. Escape closes the box as well. The box is not a
// Qt modal window: Qt would drop presses on the windows it blocks before an
// event filter sees them, and the box would then only close on itself.
class KlickSchliesst : public QObject {
  public:
    KlickSchliesst(QWidget* box, QEventLoop* schleife) : box_(box), schleife_(schleife) {
        losgelassen_ = QGuiApplication::mouseButtons() == Qt::NoButton;
    }

  protected:
    bool eventFilter(QObject* ziel, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonRelease:
                losgelassen_ = true;
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                if (losgelassen_ && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
                    schleife_->quit();
                return true;
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
                    schleife_->quit();
                return true;
            case QEvent::KeyRelease:
            case QEvent::Wheel:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
                return true;
            case QEvent::Close:
                return ziel != box_;
            case QEvent::Expose:
                // A window system grabs for a window only once it is on the
                // screen; before that, the grab asked for at show() fails.
                if (box_->windowHandle() != nullptr && ziel == box_->windowHandle() &&
                    box_->windowHandle()->isExposed())
                    box_->grabMouse();
                return false;
            default:
                return false;
        }
    }

  private:
    QWidget* box_;
    QEventLoop* schleife_;
    bool losgelassen_ = false;
};

}  // namespace

void QtDialogs::Meldung(QWidget* eltern, const QString& titel, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, titel, text, QMessageBox::Ok, eltern);
    box.exec();
}

int QtDialogs::Frage(QWidget* eltern, const QString& titel, const QString& text,
                     const QStringList& knoepfe, Tasten tasten) {
    QMessageBox box(QMessageBox::Question, titel, text, QMessageBox::NoButton, eltern);
    QList<QAbstractButton*> liste;
    for (const QString& k : knoepfe) {
        liste.push_back(k.isEmpty() ? nullptr : box.addButton(k, QMessageBox::AcceptRole));
    }
    const auto knopf = [&liste](int nummer) {
        return nummer >= 1 && nummer <= liste.size() ? liste[nummer - 1] : nullptr;
    };
    if (auto* enter = qobject_cast<QPushButton*>(knopf(tasten.enter)))
        box.setDefaultButton(enter);
    if (QAbstractButton* escape = knopf(tasten.escape))
        box.setEscapeButton(escape);
    box.exec();
    for (int i = 0; i < liste.size(); ++i) {
        if (liste[i] != nullptr && box.clickedButton() == liste[i])
            return i + 1;
    }
    return 0;
}

std::optional<QString> QtDialogs::DateiWaehlen(QWidget* eltern, const Dateiauswahl& a) {
    const bool laden = a.art == Dateiauswahl::Art::Laden;
    QFileDialog d(eltern, a.titel);
    d.setAcceptMode(laden ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    d.setFileMode(laden ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!a.ueberschreibenFragen)
        d.setOption(QFileDialog::DontConfirmOverwrite);
    d.setNameFilter(Dateitypliste(a.filter));
    // The dialog adds the extension before it asks about overwriting, so the
    // question names the file that will really be written.
    if (a.endungErzwingen)
        d.setDefaultSuffix(Endung(a.filter));
    // A pattern as the default file would be taken literally as the name
    // when the dialog is accepted as it opens.
    if (a.vorgabe.isEmpty() || a.vorgabe.contains('*') || a.vorgabe.contains('?'))
        d.setDirectory(QDir::currentPath());
    else
        d.selectFile(a.vorgabe);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    const QString pfad = d.selectedFiles().constFirst();
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
    const QPointer<QWidget> box(HilfeboxErstellen(hauptfenster, text));
    box->move(hauptfenster ? hauptfenster->mapToGlobal(oben_links) : oben_links);
    QEventLoop schleife;
    KlickSchliesst filter(box, &schleife);
    qApp->installEventFilter(&filter);
    box->show();
    box->raise();
    // Under a window manager, a click outside the program's windows reaches
    // the box only through a grab (asked again when the box is exposed);
    // where the platform has none, clicks on the program's windows still
    // close it.
    box->grabMouse();
    schleife.exec();
    qApp->removeEventFilter(&filter);
    if (box) {
        box->releaseMouse();
        delete box.data();
    }
}

}  // namespace ui
