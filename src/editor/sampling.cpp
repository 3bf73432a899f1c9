#include "editor/sampling.h"

#include "editor/mark.h"

namespace editor {

int Abtastwert(double y0, double y1, std::int64_t k, std::int64_t laenge) {
    double v = y0 + (y1 - y0) * static_cast<double>(k) / static_cast<double>(laenge);
    if (!(v >= 0.0))
        v = 0.0;
    if (v > kVollerWert)
        v = kVollerWert;
    return static_cast<int>(v + 0.5);
}

}  // namespace editor
