#pragma once
// Curve files ("*.skr") and the tab-separated text exchange ("*.txt"). The
// window asks its questions (unsaved changes, file dialogs, taking over the
// file's configuration) and then calls the step that follows the answer
// (`...Nach(pfad)`). Every function returns 0 or the program's error code; a
// text import also gives the text of its "Importfehler" box.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/model.h"
#include "curves/model.h"
#include "storage/text_lines.h"

namespace curves {

inline constexpr const char* kKurvendateiTyp = "vek7mKurven Kurvendatei";
inline constexpr std::size_t kDateikopfGroesse = 4472;
inline constexpr std::size_t kGeradeBytes = 12;

// The codes mux6ctl raises as well: it reads and writes these files itself.
inline constexpr int kFehlerKurvendateiAnlegen = -308432;    // cannot be created or replaced
inline constexpr int kFehlerKurvendateiSchreiben = -301433;  // writing failed
inline constexpr int kFehlerKurvendateiOeffnen = -308435;    // cannot be opened for reading
inline constexpr int kFehlerExportAnlegen = -308441;
inline constexpr int kFehlerExportSchreiben = -301442;
inline constexpr int kFehlerImportOeffnen = -308445;

// ---- the window's questions ---------------------------------------------------
// "Warnung" with "Ja" / "Nein" / "Abbrechen", asked when gKurvenGeaendert is
// set: before "Neu", "Kurven laden" and program end.
std::string UngespeichertFrage();  // "Möchten Sie die Änderungen in <name> speichern?"

// "Konfiguration laden?" with "laden" / "nicht laden", asked after a load or
// append whose Ladeergebnis::konfigAbweichend is set; "laden" is
// config::KonfigurationSetzen(ergebnis.konfig). The curves are loaded either way.
inline constexpr const char* kKonfigFrageTitel = "Konfiguration laden?";
inline constexpr const char* kKonfigFrage =
    "Die Konfiguration (siehe Fenster 'Konfiguration') der geladenen\nKurven unterscheidet sich "
    "von der aktuellen Konfiguration.\nSoll die Konfiguration zusammen mit den Kurven geladen "
    "werden\noder soll die aktuelle Konfiguration behalten werden?";

// ---- "Neu" -------------------------------------------------------------------------
// Every curve the start curve, comments empty, cycles and rest values 0, no
// file, visible range 0..10000 µs; gKurvenGeaendert stays. The Y grid, Y zoom,
// undo rings and clipboard stay. 0, or -600403 when memory ran out (the curves
// not yet reset stay as they were).
int KurvenNeu();

// ---- curve file ---------------------------------------------------------------------
// The whole file as it is saved: 4472-byte header and the records of curves 1..4.
std::vector<std::uint8_t> KurvendateiBild();

// "Kurven speichern"/"... unter" once the window knows the path (gKurvendatei,
// or the file dialog "Kurve speichern"; a cancelled dialog is result 0 without
// calling this). Written to a temporary file and renamed over the target.
// 0: gKurvendatei = pfad, gKurvenGeaendert off. -308432 the file cannot be
// created or replaced; -301433 writing failed. The old file stays on failure.
int KurvenSpeichernNach(const std::filesystem::path& pfad);

inline constexpr std::int32_t kMaxZyklen = 65535;  // the board keeps 16 bits

// What a damaged file cost. The rule, as for every file of the program: a
// curve whose records are cut short, whose count is below 1 or whose segments
// leave their ranges is not taken (loading gives the start curve, appending
// leaves the curve as it was); a cycle count outside 0..65535 or a rest value
// outside 0..4095 gets its start value 0; a configuration field that is no
// sound number gets its default. Everything else of the file is taken.
struct Dateischaden {
    std::array<bool, kKurven> kurven{};  // that curve is not the file's
    bool felder = false;                 // a cycle count or rest value is 0, not the file's
    bool konfig = false;                 // a configuration field has its default
    bool beschaedigt() const;
};
// What was wrong and what was kept, for the window's warning and mux6ctl.
std::string Schadensbeschreibung(const Dateischaden& schaden);

struct Ladeergebnis {
    int code = 0;
    // The file loaded, but damaged: the window warns and takes no file name
    // (gKurvendatei stays empty), mux6ctl refuses it without --force.
    Dateischaden schaden;
    bool konfigAbweichend = false;  // ask kKonfigFrage
    config::Konfig konfig;          // the file's configuration
};

// "Kurven laden" after the question and the dialog "Kurve laden".
// -308435 cannot open, -304436 header short or a read error, -1020437 not a
// curve file, -303438 other version, -600439/-600440 no memory. The file is
// read whole into new curves first: a failure leaves every curve as it was.
// On success: gKurvendatei = pfad (unless damaged), gKurvenGeaendert off,
// visible range the whole edited curve.
Ladeergebnis KurvenLadenNach(const std::filesystem::path& pfad);
// "Kurven anhängen" after the dialog "Kurven anhängen": each curve grows by the
// file's segments; comments, cycles and rest values stay. gKurvendatei = pfad,
// and gKurvenGeaendert is set (the joined curves are in no file).
Ladeergebnis KurvenAnhaengenNach(const std::filesystem::path& pfad);
// The same on the bytes of a file (what the two above do after reading it).
Ladeergebnis KurvendateiEinlesen(std::span<const std::uint8_t> datei, bool anhaengen,
                                 const std::string& pfad);

// ---- text export and import ----------------------------------------------------------
// Curve 1 as text, lines ending in CR LF.
std::string KurvenExportText();
// "Kurven exportieren" after the dialog: -308441 cannot open, -301442 writing
// failed. The old file stays on failure.
int KurvenExportierenNach(const std::filesystem::path& pfad);

using Importergebnis = storage::Importergebnis;  // code, "Importfehler" and "Fehler" boxes
inline constexpr const char* kImportfehlerTitel = "Importfehler";
inline constexpr std::size_t kImportZeileMax = 95;  // characters read of a line

// "Kurven importieren" after the dialog "Kurven importieren": -308445 cannot
// open, -304446 read error, -312447 .. -312458 the checks (with `meldung`),
// -600450/-600459 no memory. On success curve 1 is replaced with one undo step
// (gKurvenGeaendert set); comments, cycles, rest values and the view stay.
Importergebnis KurvenImportierenNach(const std::filesystem::path& pfad);
// The same on the file's bytes.
Importergebnis KurvenImportText(std::string_view inhalt);

}  // namespace curves
