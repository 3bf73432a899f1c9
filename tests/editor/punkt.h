#pragma once
// A point as both editors keep it (value y, X length to the next point), whose
// copy can be made to fail as a full memory would.

#include <new>

namespace editor::test {

struct Punkt {
    int y = 0;
    int laenge = 1;

    static inline bool kopieScheitert = false;

    Punkt() = default;
    Punkt(int wert, int l) : y(wert), laenge(l) {}
    Punkt(const Punkt& p) : y(p.y), laenge(p.laenge) {
        if (kopieScheitert)
            throw std::bad_alloc();
    }
    Punkt& operator=(const Punkt&) = default;
    friend bool operator==(const Punkt&, const Punkt&) = default;
};

inline double Laenge(const Punkt& p) {
    return p.laenge;
}

}  // namespace editor::test
