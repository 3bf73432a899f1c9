#pragma once
// The frame of an editor window (curve generator, characteristic controller):
// the menu bar and the toolbar built from the window's action table, the large
// graph with its scroll bar and the overview, the Y-zoom fields, the comment
// preview with its button, "Start" and "Stopp", the mouse gesture on the graph
// with its preview layer, the mark frames, the "Datei" flow with its questions
// and the transfer sequence with its progress dialog.
//
// The window derives from it and supplies what differs: its tables, its model
// calls (view range, zoom, mark, undo state, files, comment), its drawing and
// the tools' steps. It places its own controls in rechteSpalte() and
// untereZeile().

#include <QPointF>
#include <QString>
#include <QVector>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "editor/view.h"
#include "ui/actions.h"
#include "ui/childpanel.h"

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace ui {

class Graph;
class Rollbalken;
class Toolbar;
class Zahlfeld;

// The Y axis of the edited curve: labels faktor * counts + versatz in
// `einheit`, the raw range min..max, and that range in display units for the
// Y-zoom fields.
struct YAchsenanzeige {
    double faktor = 1;
    double versatz = 0;
    QString einheit = {};
    double min = 0;
    double max = 0;
    double minAnzeige = 0;
    double maxAnzeige = 0;
};

// A range of the X axis, both ends inside: the visible range, or the mark.
struct XBereich {
    bool aktiv = true;
    double start = 0;
    double ende = 0;
};

enum class Markierschritt { Beginnen, Ziehen, Beenden, Entfernen };

// What a "Datei" step of the model reports.
struct Dateiergebnis {
    int code = 0;
    std::string meldung = {};     // a "Importfehler" box, shown before the code
    std::string fehlerText = {};  // a "Fehler" box
    // After loading a damaged file: what was wrong and what was kept. The
    // window warns and takes no file name, so "Speichern" asks for one.
    std::string schaden = {};
    // After loading: the file's configuration differs from the current one.
    // The question "Konfiguration laden?" is asked with this text; "laden"
    // runs konfigUebernehmen and rescales the windows.
    std::string konfigFrage = {};
    std::function<void()> konfigUebernehmen = {};
};

// The file dialog of a "Datei" command: title and filter ("*.skr").
struct Dateidialog {
    Befehl befehl;
    const char* titel;
    const char* filter;
};

// The model's view and undo calls that need nothing of the window: plain
// functions of the window's model, the same for every editor.
struct Editormodell {
    // The Y-zoom commit in display units; false puts the fields back.
    bool (*yZoomSetzen)(double minAnzeige, double maxAnzeige) = nullptr;
    editor::Rollbalken (*rollbalken)() = nullptr;
    void (*gerollt)(int position) = nullptr;  // the end of a scroll at 0..100 %
    void (*zoomPlus)() = nullptr;
    void (*zoomMinus)() = nullptr;
    bool (*zoomMarkierung)() = nullptr;  // false: no mark, nothing changed
    // The wheel's zoom keeping X value x in place; optional (the commands' zoom).
    void (*zoomPlusAn)(double x) = nullptr;
    void (*zoomMinusAn)(double x) = nullptr;
    void (*zoomGesamt)() = nullptr;
    bool (*rueckgaengigMoeglich)() = nullptr;
    bool (*wiederherstellenMoeglich)() = nullptr;
    // The file: changed since the last save or load, its path (empty: none),
    // its name part for the unsaved-changes question, and the window title
    // for a path, which becomes the model's file.
    const bool* geaendert = nullptr;
    const std::string* datei = nullptr;
    std::string (*dateiname)() = nullptr;
    std::string (*titel)(const std::string& pfad) = nullptr;
};

struct Editoraufbau {
    Childpanelaufbau fenster;
    std::span<const Menue> menues;
    std::span<const Aktion> aktionen;  // the window keeps the table for its lifetime
    std::span<const Dateidialog> dateidialoge;
    Editormodell modell;
    const char* xName = "";   // name of the large graph's X axis
    int spaltenbreite = 170;  // pixels of the column right of the graph
};

class Editorpanel : public Childpanel {
  public:
    Editorpanel(const Editoraufbau& aufbau, QWidget* eltern);
    ~Editorpanel() override;

    Graph* graph() const { return graph_; }
    Graph* graphKlein() const { return graphKlein_; }
    Rollbalken* rollbalken() const { return rollbalken_; }
    Toolbar* toolbar() const { return toolbar_; }
    const Aktionen& aktionen() const { return *aktionen_; }
    // A menu item by objectName (also "Beenden" and the "Fenster" items).
    QAction* Eintrag(const QString& name) const;
    Werkzeug AktivesWerkzeug() const;

    // ---- the view ---------------------------------------------------------
    // Everything drawn anew: both graphs, the window's drawing, preview plots,
    // mark frames, the overview's frame round the visible range.
    void Neuzeichnen();
    // The Y axis and the Y-zoom fields from YAchse().
    void YAchseAnzeigen();
    void RollbalkenAktualisieren();
    // "Rückgängig" and "Wiederherstellen" (item and button) from the model.
    void UndoZustand();
    // After a change: undo state, scroll bar, redraw.
    void Aktualisieren();
    // After an editing operation (anything with `meldung` and `code`): its
    // box and its error pop-up, then Aktualisieren().
    template <class Ergebnis>
    void Nachher(const Ergebnis& e) {
        Zeigen(e.meldung, e.code);
        Aktualisieren();
    }
    void Zeigen(const std::string& meldung, int code);
    // The window title (and the model's file) for a path; empty: no file.
    void TitelSetzen(const QString& pfad);
    void KommentarvorschauAktualisieren();

    // ---- "Datei" ------------------------------------------------------------
    void Menu_Datei(Befehl b);
    // The unsaved-changes question; 0 go on, 1 stop.
    int AbbruchWeilNichtGespeichert();
    // "Speichern" (als = false) and "Speichern unter": 0 also when the file
    // dialog was cancelled, else the error code (not shown here).
    int Speichern(bool als);
    // The unsaved work saved to `pfad` as "Speichern" saves it (a recovery
    // copy at an end without questions): 0 or the error code; nullopt when
    // nothing is unsaved.
    std::optional<int> Wiederherstellungskopie(const std::filesystem::path& pfad);

    // ---- callbacks ----------------------------------------------------------
    void Graph_Gezogen(double x, double y);      // press and drag (value changed)
    void Graph_Losgelassen(double x, double y);  // release (commit)
    void Scrollbar_Callback();
    void YZoom_Callback(Zahlfeld* feld);
    void Kommentar_Callback();
    void Start_Callback();
    void Stopp_Callback();
    // A tool item or its button.
    void Menu_Werkzeug(QAction* werkzeug);

  protected:
    QVBoxLayout* rechteSpalte() const { return rechteSpalte_; }
    QHBoxLayout* untereZeile() const { return untereZeile_; }
    QLabel* kommentarVorschau() const { return kommentarVorschau_; }
    QPushButton* kommentarKnopf() const { return kommentarKnopf_; }

    // ---- for the tools ------------------------------------------------------
    // The preview of a gesture: a line through the points and a marker at
    // `punkt`, on the preview layer, redrawn alone.
    void VorschauZeigen(const QVector<double>& x, const QVector<double>& y, QPointF punkt);
    void VorschauVerbergen();
    // While a point's dialog is open: a marker and a small frame round it.
    void PunktHervorheben(QPointF punkt, QColor farbe);
    // The gesture ends without a release (a pop-up took the mouse).
    void GesteBeenden() { gesteBegonnen_ = false; }
    // A dialog opened at the mouse: its top-left corner.
    static QPoint DialogortAnDerMaus();

    // A transfer: `schritt` runs it with a progress callback. The progress
    // dialog (titled `text`) goes up with the first report, which also clears
    // the error display; a code at the end goes to the error display and the
    // error box. Returns the code.
    int Uebertragen(const QString& text,
                    const std::function<int(const std::function<void(int)>&)>& schritt);

    // ---- what the window supplies ---------------------------------------------
    virtual XBereich Ansicht() const = 0;
    virtual XBereich Markierung() const = 0;
    virtual void MarkierungSetzen(Markierschritt s, double x) = 0;
    // The window's plots in both graphs (called by Neuzeichnen after the
    // plots were deleted and the X axis set to the visible range).
    virtual void Zeichnen() = 0;
    virtual YAchsenanzeige YAchse() const = 0;
    // The graph tools other than "Markieren", which the frame runs.
    virtual void Gezogen(Werkzeug w, double x, double y, bool erstes) = 0;
    virtual void Losgelassen(Werkzeug w, double x, double y) = 0;
    // Every item that is neither a "Datei" command, a zoom nor a tool.
    virtual void Befehlen(const Aktion& a) = 0;
    // The comment: the dialog's title, the text, the text after OK (the model
    // sets its changed flag), the preview's text.
    virtual QString KommentarTitel() const = 0;
    virtual QString Kommentar() const = 0;
    virtual void KommentarSetzen(const QString& text) = 0;
    virtual QString Kommentarvorschau() const = 0;
    // The model's step of a "Datei" command after its question and dialog
    // (Neu: empty path; Speichern also for "Speichern unter").
    virtual Dateiergebnis Dateischritt(Befehl b, const std::filesystem::path& pfad) = 0;

    // The four zoom commands; false when nothing changed (no redraw).
    bool Zoomen(Befehl b);
    bool ZoomenAn(Befehl b, double x);

  private:
    void Anordnen(const Editoraufbau& aufbau);
    void Verbinden();
    void Gewaehlt(const Aktion& a, QAction* q);
    void VorschauAnlegen();
    void MarkierungZeichnen();
    void Rad(int schritte, double x);
    std::optional<QString> DateiWaehlen(Befehl b);
    void NachDemLaden(const Dateiergebnis& r, const QString& pfad);

    std::span<const Dateidialog> dateidialoge_;
    Editormodell modell_;
    Toolbar* toolbar_ = nullptr;
    std::unique_ptr<Aktionen> aktionen_;
    Graph* graph_ = nullptr;
    Graph* graphKlein_ = nullptr;
    Rollbalken* rollbalken_ = nullptr;
    Zahlfeld* yZoomMax_ = nullptr;
    Zahlfeld* yZoomMin_ = nullptr;
    QVBoxLayout* rechteSpalte_ = nullptr;
    QHBoxLayout* untereZeile_ = nullptr;
    QLabel* kommentarVorschau_ = nullptr;
    QPushButton* kommentarKnopf_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stopp_ = nullptr;

    // Plots on the preview layers, made with every full redraw and then only
    // changed, so a drag redraws the preview layer alone.
    int vorschauLinie_ = 0;
    int vorschauPunkt_ = 0;
    int markierung_ = 0;
    int markierungKlein_ = 0;
    bool gesteBegonnen_ = false;  // a press was seen since the last release
};

}  // namespace ui
