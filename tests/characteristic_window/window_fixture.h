#pragma once
// The characteristic window in the editor windows' fixture, with its tools
// and fields by name.
#include <QDoubleSpinBox>

#include "characteristic/model.h"
#include "characteristic/window.h"
#include "support/editor_window.h"
#include "ui/error_display.h"

namespace kennlinientest {

inline const QColor kRot(255, 0, 0), kHellrot(255, 150, 150), kBlau(0, 0, 255),
    kHellblau(150, 150, 255);

class KennlinienFenster : public testsupport::EditorFensterTest<characteristic::Kennlinienpanel> {
  protected:
    int Einrichten() override { return panel->KennlinienpanelInit(); }

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
    const characteristic::Kennlinie& K() { return characteristic::gKennlinie; }
};

}  // namespace kennlinientest
