#pragma once
// A test fixture for an editor window (curve generator, characteristic
// controller): the window inside a bare main window, offscreen, with
// scripted dialogs; the mouse driven in graph coordinates; the plots found by
// kind and colour.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <vector>

#include "config/model.h"
#include "support/scripted_dialogs.h"
#include "ui/editor_panel.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/registry.h"
#include "ui/toolbar.h"

namespace testsupport {

template <class Panel>
class EditorFensterTest : public ::testing::Test {
  protected:
    // The window's initialiser: 0 when it is set up.
    virtual int Einrichten() = 0;

    void SetUp() override {
        config::StandardwerteSetzen();
        haupt = std::make_unique<QWidget>();
        haupt->resize(1000, 720);
        ui::registry().Eintrag(ui::Fenster::Haupt).panel = haupt.get();
        panel = new Panel(haupt.get());
        ASSERT_EQ(Einrichten(), 0);
        panel->setGeometry(1, 17, 998, 702);
        panel->show();
        haupt->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
        // The plot area has its size only once the layouts have run.
        panel->Neuzeichnen();
    }
    void TearDown() override {
        if (ui::gHilfeAktiv)
            ui::DirekthilfeSetzen(false);
        haupt.reset();
        ui::registry().Leeren();
    }

    template <class T>
    T* Control(const QString& name) {
        T* c = panel->template findChild<T*>(name);
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
    QWidget* Flaeche() { return panel->graph(); }
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
    // The curves (polylines, steps, markers) of a graph drawn in a colour,
    // previews left out.
    std::vector<ui::Graph::Plotinfo> PlotsIn(QColor farbe, ui::Graph* g = nullptr) {
        g = g ? g : panel->graph();
        std::vector<ui::Graph::Plotinfo> r = g->Plots(ui::Graph::Plotart::Kurvenzug);
        std::erase_if(r, [&](const ui::Graph::Plotinfo& p) { return p.farbe != farbe; });
        return r;
    }
    // The visible plots on the preview layer.
    int VorschauAnzahl(ui::Graph* g = nullptr) {
        g = g ? g : panel->graph();
        int n = 0;
        for (const ui::Graph::Plotinfo& p : g->Plots())
            n += p.ebene == ui::Graph::Ebene::Vorschau && p.sichtbar;
        return n;
    }
    // The texts on a graph, on either layer.
    int Textplots() {
        int n = 0;
        for (const ui::Graph::Plotinfo& p : panel->graph()->Plots())
            n += p.art == ui::Graph::Plotart::Text;
        return n;
    }

    DialogScope dialoge;
    std::unique_ptr<QWidget> haupt;
    Panel* panel = nullptr;
};

}  // namespace testsupport
