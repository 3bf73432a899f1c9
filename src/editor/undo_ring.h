#pragma once
// The ten-step undo/redo ring of an editor, over any vector of points. The
// ring and its counters are the window's state (one ring per curve, one for
// the characteristic); UndoRing is a view on them for one operation.

#include <algorithm>
#include <cstdint>
#include <new>
#include <span>
#include <vector>

#include "editor/points.h"

namespace editor {

inline constexpr int kUndoSchritte = 10;

template <class T>
class UndoRing {
  public:
    using Schritt = Geradenliste<T>;

    // undo: steps that can be undone (0..10); redo: steps that can be redone
    // (0..10); position: the next slot to write (0..9).
    UndoRing(std::span<Schritt, kUndoSchritte> ring, int& undo, int& redo, int& position)
        : ring_(ring), undo_(undo), redo_(redo), position_(position) {}

    // Keeps `stand` as one step and drops the redo steps. False when the
    // copy could not get memory: the step is then not counted (undoing into
    // it would bring back a state that never was) and every slot keeps what
    // it held.
    bool Sichern(const std::vector<T>& stand) {
        redo_ = 0;
        Schritt& slot = ring_[static_cast<std::size_t>(position_)];
        try {
            std::vector<T> kopie(stand);
            slot.geraden.swap(kopie);
        } catch (const std::bad_alloc&) {
            return false;
        }
        slot.anzahl = static_cast<std::int32_t>(slot.geraden.size());
        undo_ = std::min(undo_ + 1, kUndoSchritte);
        position_ = (position_ + 1) % kUndoSchritte;
        return true;
    }

    // Exchanges `stand` with the last saved step. False when there is none.
    bool Rueckgaengig(std::vector<T>& stand) {
        if (!RueckgaengigMoeglich())
            return false;
        const int a = position_ == 0 ? kUndoSchritte - 1 : position_ - 1;
        Tauschen(a, stand);
        position_ = a;
        undo_ -= 1;
        redo_ = std::min(redo_ + 1, kUndoSchritte);
        return true;
    }

    // Exchanges `stand` with the step undone last. False when there is none.
    bool Wiederherstellen(std::vector<T>& stand) {
        if (!WiederherstellenMoeglich())
            return false;
        const int a = position_;
        Tauschen(a, stand);
        position_ = (a + 1) % kUndoSchritte;
        redo_ -= 1;
        undo_ = std::min(undo_ + 1, kUndoSchritte);
        return true;
    }

    // The enabled states of "Rückgängig" and "Wiederherstellen".
    bool RueckgaengigMoeglich() const { return undo_ >= 1; }
    bool WiederherstellenMoeglich() const { return redo_ >= 1; }

  private:
    // An exchange needs no memory, so undo and redo cannot fail halfway.
    void Tauschen(int a, std::vector<T>& stand) {
        Schritt& slot = ring_[static_cast<std::size_t>(a)];
        slot.geraden.swap(stand);
        slot.anzahl = static_cast<std::int32_t>(slot.geraden.size());
    }

    std::span<Schritt, kUndoSchritte> ring_;
    int& undo_;
    int& redo_;
    int& position_;
};

}  // namespace editor
