#pragma once
// The characteristic window inside a bare main window, offscreen, with
// scripted dialogs; the mouse driven in graph coordinates.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "characteristic/model.h"
#include "characteristic/window.h"
#include "config/konfig.h"
#include "support/scripted_dialogs.h"
#include "ui/error_display.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/registry.h"
#include "ui/toolbar.h"

namespace kennlinientest {

inline const QColor kRot(255, 0, 0), kHellrot(255, 150, 150), kBlau(0, 0, 255),
    kHellblau(150, 150, 255);

class KennlinienFenster : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        haupt = std::make_unique<QWidget>();
        haupt->resize(1000, 720);
        ui::registry().Eintrag(ui::Fenster::Haupt).panel = haupt.get();
        panel = new characteristic::Kennlinienpanel(haupt.get());
        ASSERT_EQ(panel->KennlinienpanelInit(0), 0);
        panel->setGeometry(1, 17, 998, 702);
        panel->show();
        haupt->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
        // The plot area has its size only once the layouts have run.
        panel->Kennlinienpanel_Neuzeichnen();
    }
    void TearDown() override {
        if (ui::gHilfeAktiv)
            ui::DirekthilfeSetzen(false);
        haupt.reset();
        ui::registry().Leeren();
    }

    template <class T>
    T* Control(const QString& name) {
        T* c = panel->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QAction* A(const QString& name) {
        QAction* a = panel->Eintrag(name);
        EXPECT_NE(a, nullptr) << name.toStdString();
        return a;
    }
    QToolButton* Knopf(const QString& eintrag) {
        QAction* k = panel->toolbar()->ZuEintrag(A(eintrag));
        return qobject_cast<QToolButton*>(panel->toolbar()->widgetForAction(k));
    }
    QWidget* Flaeche() { return panel->graph()->plot(); }
    QPoint Pixel(double x, double y) { return panel->graph()->GraphZuPixel({x, y}).toPoint(); }
    void Druecken(double x, double y) {
        QTest::mousePress(Flaeche(), Qt::LeftButton, {}, Pixel(x, y));
    }
    void Ziehen(double x, double y) {
        const QPoint p = Pixel(x, y);
        QMouseEvent e(QEvent::MouseMove, p, Flaeche()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                      {});
        QApplication::sendEvent(Flaeche(), &e);
    }
    void Loslassen(double x, double y) {
        QTest::mouseRelease(Flaeche(), Qt::LeftButton, {}, Pixel(x, y));
    }
    void Klick(double x, double y) {
        Druecken(x, y);
        Loslassen(x, y);
    }
    void Werkzeug(const QString& name) { A("KENNLINIE_BEARBEITEN_" + name)->trigger(); }
    void Feld(const QString& name, double wert) {
        Control<QDoubleSpinBox>("KENNLPNL_" + name)->setValue(wert);
    }
    // Points as {y, laenge}.
    void Punkte(std::vector<characteristic::Gerade> g) {
        characteristic::gKennlinie.geraden = std::move(g);
        characteristic::gKennlinie.anzahl =
            static_cast<std::int32_t>(characteristic::gKennlinie.geraden.size());
        panel->Kennlinienpanel_Neuzeichnen();
    }
    // The plots of a graph drawn in a colour, previews left out.
    std::vector<QCPGraph*> PlotsIn(QColor farbe, ui::Graph* g = nullptr) {
        g = g ? g : panel->graph();
        std::vector<QCPGraph*> r;
        for (int i = 0; i < g->plot()->graphCount(); ++i) {
            QCPGraph* p = g->plot()->graph(i);
            if (p->pen().color() == farbe && p->layer()->name() != "vorschau")
                r.push_back(p);
        }
        return r;
    }
    int VorschauAnzahl(ui::Graph* g = nullptr) {
        g = g ? g : panel->graph();
        int n = 0;
        for (QCPLayerable* l : g->plot()->layer("vorschau")->children())
            n += l->visible();
        return n;
    }
    const characteristic::Kennlinie& K() { return characteristic::gKennlinie; }

    testsupport::DialogScope dialoge;
    std::unique_ptr<QWidget> haupt;
    characteristic::Kennlinienpanel* panel = nullptr;
};

}  // namespace kennlinientest
