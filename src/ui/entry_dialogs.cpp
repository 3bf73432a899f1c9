#include "ui/entry_dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/number_field.h"

namespace ui {
namespace {

constexpr double kObergrenze = 1e9;
constexpr int kFeldbreite = 70;

QPushButton* OkKnopf(QDialog* d, const QString& name) {
    auto* ok = new QPushButton("OK", d);
    ok->setObjectName(name + "_OK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    return ok;
}

}  // namespace

Eingabedialog::Eingabedialog(QWidget* eltern, const Eingabe& eingabe)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(eingabe.name);
    setWindowTitle(eingabe.titel);
    setModal(true);
    auto* lay = new QGridLayout(this);
    int spalte = 0;
    for (const Eingabefeld& f : eingabe.felder) {
        auto* feld = new Zahlfeld(eingabe.name + "_" + f.name, f.unten, kObergrenze, this);
        feld->setButtonSymbols(QAbstractSpinBox::NoButtons);
        feld->setDecimals(f.stellen);
        feld->setMinimumWidth(kFeldbreite);
        feld->Setzen(f.wert);
        connect(feld, &QDoubleSpinBox::valueChanged, feld, &Zahlfeld::Uebernehmen);
        lay->addWidget(new QLabel(f.text, this), 0, spalte);
        lay->addWidget(feld, 1, spalte++);
        felder_.push_back(feld);
    }
    lay->addWidget(OkKnopf(this, eingabe.name), 2, std::max(spalte - 1, 0));
    if (eingabe.ort)
        move(*eingabe.ort);
}

std::vector<double> Eingabedialog::Werte() const {
    std::vector<double> r;
    for (const Zahlfeld* f : felder_)
        r.push_back(f->Wert());
    return r;
}

Kommentardialog::Kommentardialog(QWidget* eltern, const QString& titel, const QString& text)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("KOMM1PNL");
    setWindowTitle(titel);
    setModal(true);
    resize(420, 260);
    auto* lay = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("KOMM1PNL_TEXTBOX");
    text_->setPlainText(text.left(kKommentarZeichen));
    lay->addWidget(text_);
    lay->addWidget(OkKnopf(this, "KOMM1PNL"), 0, Qt::AlignRight);
    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = text_->toPlainText();
        if (t.size() > kKommentarZeichen) {
            const QSignalBlocker sperre(text_);
            text_->setPlainText(t.left(kKommentarZeichen));
            text_->moveCursor(QTextCursor::End);
        }
    });
}

QString Kommentardialog::Text() const {
    // QPlainTextEdit joins its lines with "\n", none after the last.
    return text_->toPlainText();
}

}  // namespace ui
