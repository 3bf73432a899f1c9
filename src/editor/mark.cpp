#include "editor/mark.h"

#include <cmath>

namespace editor {

void Markierung::Beginnen(double x) {
    start_ = ende_ = std::floor(x + 0.5);
    aktiv_ = true;
}

void Markierung::Ziehen(double x) {
    if (!aktiv_) {
        Beginnen(x);
        return;
    }
    ende_ = std::floor(x + 0.5);
}

void Markierung::Beenden(double x) {
    if (!aktiv_)
        Beginnen(x);
    const double r = std::floor(x + 0.5);
    if (x < start_) {
        ende_ = start_;
        start_ = r;
    } else {
        ende_ = r;
    }
}

void Markierung::Entfernen() {
    aktiv_ = false;
    start_ = ende_ = 0;
}

void Markierung::Setzen(double start, double ende) {
    start_ = start;
    ende_ = ende;
    aktiv_ = true;
}

}  // namespace editor
