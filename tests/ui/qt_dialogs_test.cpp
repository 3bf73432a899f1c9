// The Qt implementation of the modal seam, driven for real: the file dialog
// and the help box that closes with the next left click wherever it lands.
#include "ui/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/temp_dir.h"

namespace {

TEST(QtDateidialog, OhneNamenMitTyplisteUndDieEndungWirdGegeben) {
    testsupport::TempDir dir(true);
    QStringList typen;
    bool leerBleibtOffen = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        typen = d->nameFilters();
        static_cast<QDialog*>(d)->accept();  // as it opens: no name, no file "*.skr"
        leerBleibtOffen = d->isVisible();
        d->findChild<QLineEdit*>("fileNameEdit")->setText("abc");
        static_cast<QDialog*>(d)->accept();
    });
    const auto r = ui::QtDialogs().DateiWaehlen(nullptr, {.art = ui::Dateiauswahl::Art::Speichern,
                                                          .titel = "Kurve speichern",
                                                          .vorgabe = "*.skr",
                                                          .filter = "*.skr",
                                                          .endungErzwingen = true});
    EXPECT_EQ(typen, QStringList{"Kurvendateien (*.skr)"});
    EXPECT_TRUE(leerBleibtOffen);
    EXPECT_EQ(QFileInfo(r.value_or("")).fileName(), "abc.skr");
}

TEST(QtHilfebox, SchliesstBeimNaechstenLinksklickIrgendwoUndLoestNichtsAus) {
    QWidget haupt;
    haupt.resize(600, 400);
    auto* knopf = new QPushButton("Knopf", &haupt);
    knopf->setGeometry(400, 300, 120, 40);
    haupt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&haupt));
    QSignalSpy geklickt(knopf, &QPushButton::clicked);
    bool offen = false;
    QTimer::singleShot(0, &haupt, [&] {
        auto* box = haupt.findChild<QWidget*>("HILFEBOX");
        offen = box != nullptr && box->isVisible();
        // Through the window system, as an operator's click comes, beside the box.
        const QPoint aufKnopf = knopf->geometry().center();
        QTest::mouseClick(haupt.windowHandle(), Qt::LeftButton, {}, aufKnopf);
    });
    ui::QtDialogs().Hilfebox(&haupt, "Ein Hilfetext", {10, 10});
    EXPECT_TRUE(offen);
    EXPECT_EQ(haupt.findChild<QWidget*>("HILFEBOX"), nullptr);
    EXPECT_EQ(geklickt.count(), 0);  // the closing click is swallowed
}

}  // namespace
