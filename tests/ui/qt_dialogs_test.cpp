// The Qt implementation of the modal seam, driven for real: the file dialog's
// type list, its empty name and the extension it gives, and the help box that
// closes with the next left click wherever it lands.
#include "ui/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/temp_dir.h"

namespace {

// Runs `schritt` with the modal dialog as soon as it is open.
void WennOffen(std::function<void(QWidget*)> schritt) {
    auto* t = new QTimer(qApp);
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, t, [t, schritt = std::move(schritt)] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
            t->deleteLater();
            t->stop();
            schritt(w);
        }
    });
    t->start();
}

// Ends a dialog left open by a failing test, so the run cannot hang.
void Notbremse(QWidget* fenster, bool* gezogen) {
    QTimer::singleShot(5000, fenster, [gezogen] {
        *gezogen = true;
        QCoreApplication::exit(1);
    });
}

class QtDateidialog : public ::testing::Test {
  protected:
    testsupport::TempDir dir{true};
    ui::QtDialogs dialoge;
};

TEST_F(QtDateidialog, OeffnetOhneNamenMitBeschriebenerTypliste) {
    QStringList typen;
    QString name = "?";
    QString ordner;
    bool leerAngenommen = false;
    WennOffen([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        typen = d->nameFilters();
        name = d->findChild<QLineEdit*>("fileNameEdit")->text();
        ordner = d->directory().absolutePath();
        // Accepting the dialog as it opens names no file: it stays open.
        static_cast<QDialog*>(d)->accept();  // the OK button's slot
        leerAngenommen = d->isVisible();
        d->reject();
    });
    const auto r = dialoge.DateiWaehlen(nullptr, {.art = ui::Dateiauswahl::Art::Speichern,
                                                  .titel = "Kurve speichern",
                                                  .vorgabe = "*.skr",
                                                  .filter = "*.skr",
                                                  .endungErzwingen = true});
    EXPECT_FALSE(r.has_value());
    EXPECT_EQ(typen, QStringList{"Kurvendateien (*.skr)"});
    EXPECT_EQ(name, "");
    EXPECT_EQ(QDir(ordner).canonicalPath(),
              QDir(QString::fromStdString(dir.path().string())).canonicalPath());
    EXPECT_TRUE(leerAngenommen);
}

TEST_F(QtDateidialog, EinNameOhneEndungBekommtSie) {
    WennOffen([](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(d, nullptr);
        d->findChild<QLineEdit*>("fileNameEdit")->setText("abc");
        static_cast<QDialog*>(d)->accept();  // the OK button's slot
    });
    const auto r = dialoge.DateiWaehlen(nullptr, {.art = ui::Dateiauswahl::Art::Speichern,
                                                  .titel = "Kurve speichern",
                                                  .vorgabe = "*.skr",
                                                  .filter = "*.skr",
                                                  .endungErzwingen = true});
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(QFileInfo(*r).fileName(), "abc.skr");
}

TEST(QtHilfebox, SchliesstBeimNaechstenLinksklickIrgendwoUndLoestNichtsAus) {
    QWidget haupt;
    haupt.resize(600, 400);
    auto* knopf = new QPushButton("Knopf", &haupt);
    knopf->setGeometry(400, 300, 120, 40);
    haupt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&haupt));
    QSignalSpy geklickt(knopf, &QPushButton::clicked);

    bool offen = false, nachRechtsklickOffen = false, notbremse = false;
    Notbremse(&haupt, &notbremse);
    QTimer::singleShot(0, &haupt, [&] {
        QWidget* box = haupt.findChild<QWidget*>("HILFEBOX");
        offen = box != nullptr && box->isVisible();
        // Through the window system, as an operator's click comes, on the
        // main window beside the box.
        const QPoint aufKnopf = knopf->geometry().center();
        QTest::mouseClick(haupt.windowHandle(), Qt::RightButton, {}, aufKnopf);
        nachRechtsklickOffen = box != nullptr && box->isVisible();
        QTest::mouseClick(haupt.windowHandle(), Qt::LeftButton, {}, aufKnopf);
    });
    ui::QtDialogs().Hilfebox(&haupt, "Ein Hilfetext", {10, 10});

    EXPECT_FALSE(notbremse);
    EXPECT_TRUE(offen);
    EXPECT_TRUE(nachRechtsklickOffen);
    EXPECT_EQ(haupt.findChild<QWidget*>("HILFEBOX"), nullptr);
    EXPECT_EQ(geklickt.count(), 0);  // the closing click is swallowed
    // Afterwards the button works again.
    QTest::mouseClick(knopf, Qt::LeftButton);
    EXPECT_EQ(geklickt.count(), 1);
}

}  // namespace
