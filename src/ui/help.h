#pragma once
// Direct help, shared by every window: while it is on, a left click on a
// control or the choice of a menu item shows that control's help text in a
// small box and does nothing else. The "?" toggles and the "Direkthilfe"
// items keep working, so the operator can turn it off again.

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class QAction;
class QWidget;

namespace ui {

// Non-zero while direct help is on; read by every callback of every window.
extern char gHilfeAktiv;

inline constexpr const char* kHilfeEingeschaltet =
    "Direkthilfe-Modus eingeschaltet!\nZum Beenden auf '?'-Icon klicken";

// Turns direct help on or off: the help pointer, the notice when it comes on,
// and every registered toggle follows.
void DirekthilfeSetzen(bool an);

// Called with the new state whenever direct help changes, so the toggles and
// check marks of every window show it.
void DirekthilfeBeobachten(QObject* besitzer, std::function<void(bool)> beobachter);

// The help box: placed at the mouse inside the main window by the quadrant
// rule; returns after the operator's next click.
void Hilfetext(const QString& text);

// Top-left corner of the help box: at the mouse, but left of it when the mouse
// is in the right half of the main window and above it in the lower half.
QPoint HilfeboxPosition(QPoint maus, QSize hauptfenster, QSize box);

// The box's size: the text's extent plus 5 pixels of margin on every side.
QSize HilfeboxGroesse(const QString& text);

// The help text of a control or a menu item (kept as its whatsThis).
void HilfetextSetzen(QWidget* control, const QString& text);
void HilfetextSetzen(QAction* item, const QString& text);

// Marks a "?" toggle or a "Direkthilfe" item: it keeps working while help is on.
void AlsHilfeschalterMarkieren(QObject* schalter);
bool IstHilfeschalter(const QObject* o);

namespace detail {
// Calls `f` with the signal's arguments where it takes them, else with none.
template <typename F, typename... A>
void Aufrufen(F& f, A&... argumente) {
    if constexpr (std::is_invocable_v<F&, A&...>)
        f(argumente...);
    else
        f();
}
}  // namespace detail

// Connects a control's signal to its callback the way every window does:
// while direct help is on the signal is a commit, and commits are ignored
// (the click that would have made it showed the control's help text in the
// filter). `stattdessen` runs instead then, for a control that has already
// moved (a wheel turns a dial past the filter, a click toggled a check box)
// and is put back. Both may take the signal's arguments or none.
template <typename Sender, typename Signal, typename Callback, typename Stattdessen>
QMetaObject::Connection CallbackVerbinden(Sender* control, Signal signal, QObject* ziel,
                                          Callback callback, Stattdessen stattdessen) {
    return QObject::connect(control, signal, ziel,
                            [callback = std::move(callback),
                             stattdessen = std::move(stattdessen)](auto... argumente) mutable {
                                if (gHilfeAktiv)
                                    detail::Aufrufen(stattdessen, argumente...);
                                else
                                    detail::Aufrufen(callback, argumente...);
                            });
}

template <typename Sender, typename Signal, typename Callback>
QMetaObject::Connection CallbackVerbinden(Sender* control, Signal signal, QObject* ziel,
                                          Callback callback) {
    return CallbackVerbinden(control, signal, ziel, std::move(callback), [] {});
}

// The one application-wide filter that turns clicks into help texts.
class DirekthilfeFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* ziel, QEvent* e) override;
};

void DirekthilfeFilterInstallieren();

}  // namespace ui
