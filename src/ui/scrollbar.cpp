#include "ui/scrollbar.h"

#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace ui {

Rollbalken::Rollbalken(QWidget* eltern) : QScrollBar(Qt::Horizontal, eltern) {
    setTracking(false);
    Setzen(100, 0);
    // Without tracking, dragging the thumb changes the value once, at its
    // release; arrows, track and keys end their gesture with the step itself.
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (!isSliderDown())
            emit bewegt();
    });
}

void Rollbalken::Setzen(int groesse, int position) {
    const QSignalBlocker sperre(this);
    groesse_ = std::clamp(groesse, 1, 100);
    position = std::clamp(position, 0, 100);
    if (groesse_ >= 100) {
        // Everything is visible: a full-length thumb that cannot move.
        setRange(0, 0);
        setPageStep(kAufloesung);
    } else {
        // The thumb takes pageStep / (range + pageStep) of the track.
        setRange(0, kAufloesung);
        setPageStep(static_cast<int>(std::lround(kAufloesung * groesse_ / (100.0 - groesse_))));
        setSingleStep(std::max(1, kAufloesung / 100));
    }
    setValue(maximum() == 0 ? 0 : static_cast<int>(std::lround(position * kAufloesung / 100.0)));
}

int Rollbalken::Position() const {
    if (maximum() <= 0)
        return 0;
    return std::clamp(static_cast<int>(std::lround(100.0 * value() / maximum())), 0, 100);
}

}  // namespace ui
