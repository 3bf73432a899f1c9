#pragma once
// Characteristic files ("*.ske") and the text exchange ("*.txt"). The window
// asks its questions (unsaved changes, file dialogs, taking over the file's
// configuration) and then calls the step that follows the answer
// (`...Nach(pfad)`). Every function returns 0 or the program's error code; a
// text import also gives the text of its "Importfehler" box.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "characteristic/model.h"
#include "config/model.h"
#include "storage/text_lines.h"

namespace characteristic {

inline constexpr const char* kKennliniendateiTyp = "mux6 Kennlinien Datei";
inline constexpr std::int32_t kKennliniendateiVersion = 2;
inline constexpr std::size_t kDateikopfGroesse = 1424;
inline constexpr std::size_t kGeradeBytes = 12;

// The codes mux6ctl raises as well: it reads and writes these files itself.
inline constexpr int kFehlerKennliniendateiAnlegen = -308515;    // cannot be created or replaced
inline constexpr int kFehlerKennliniendateiSchreiben = -301516;  // writing failed
inline constexpr int kFehlerKennliniendateiOeffnen = -308518;    // cannot be opened for reading
inline constexpr int kFehlerExportAnlegen = -308529;
inline constexpr int kFehlerExportSchreiben = -301530;
inline constexpr int kFehlerImportOeffnen = -308533;

// ---- the window's questions ----------------------------------------------------------
// Before "Neu", "Kennlinie laden" and program end, while gKennlinieGeaendert
// is set, the window asks this titled "Warnung" ("Ja" / "Nein" / "Abbrechen");
// "Ja" saves to gKennliniendatei or, without one, through "Kennlinie speichern".
std::string UngespeichertFrage();  // "Möchten Sie die Änderungen in <name> speichern?"

// After a load with Ladeergebnis::konfigAbweichend: "laden" / "nicht laden";
// "laden" takes the file's record with config::KonfigurationSetzen.
inline constexpr const char* kKonfigFrageTitel = "Konfiguration laden?";
inline constexpr const char* kKonfigFrage =
    "Die Konfiguration (siehe Fenster 'Konfiguration') der geladenen\nKennlinie unterscheidet "
    "sich von der aktuellen Konfiguration.\nSoll die Konfiguration zusammen mit der Kennlinie "
    "geladen werden\noder soll die aktuelle Konfiguration behalten werden?";

// ---- "Neu" ------------------------------------------------------------------------------
// The start characteristic with an empty comment, no file, the whole X range
// visible; `felder` gets the start fields. gKennlinieGeaendert and the undo
// ring stay. 0, or -600503 (nothing changed).
int KennlinieNeu(Felder& felder);

// ---- the characteristic file ----------------------------------------------------------
// The whole file as it is saved: the 1424-byte header (with gKonfig and the
// output-2 value converted with input 2's scaling, as the file has always
// held it) and the points.
std::vector<std::uint8_t> KennliniendateiBild(const Felder& felder);

// "Kennlinie speichern (unter)" once the window knows the path. Written to a
// temporary file and renamed over the target, so a failed save leaves the old
// file as it was. 0: gKennliniendatei = pfad, gKennlinieGeaendert off.
// -308515 the file cannot be created or replaced; -301516 writing failed.
int KennlinieSpeichernNach(const std::filesystem::path& pfad, const Felder& felder);

// The slot block of gKennlinie with the fields, 8224 bytes as they go to the
// board, saved as a file: 0, -1023505 (nothing written), or the codes of
// KennlinieSpeichernNach.
int KennlinienblockSpeichernNach(const std::filesystem::path& pfad, const Felder& felder);

// What a damaged file cost. Damage is the file's structure only: points cut
// short, or a count below 1 or beyond what the file holds. The points then
// become the start characteristic while the comment, the fields and the
// configuration are the file's. A stored output-2 value that is not a finite
// number, or a rise time that is not a positive finite number, gives that
// field its start value; a configuration field that is no sound number gets
// its default.
struct Dateischaden {
    bool punkte = false;  // the points are the start characteristic, not the file's
    bool felder = false;  // a field has its start value, not the file's
    bool konfig = false;  // a configuration field has its default
    bool beschaedigt() const { return punkte || felder || konfig; }
};
// What was wrong and what was kept, for the window's warning and mux6ctl.
std::string Schadensbeschreibung(const Dateischaden& schaden);

// Points of a sound file are taken as they stand, also where the board
// cannot take them so: values outside 0..4095 are limited when sampled, and
// a characteristic that needs more than 4096 values is refused when it is
// sent (-1023505). The window says so once and keeps the file name.
struct Punktgrenzen {
    bool werteBegrenzt = false;  // a value lies outside 0..4095
    bool zuLang = false;         // more than the 4096 values of a slot
    bool betroffen() const { return werteBegrenzt || zuLang; }
};
Punktgrenzen PunktgrenzenPruefen(const Kennlinie& k);
// The note on them, empty when there is nothing to say.
std::string Punktehinweis(const Punktgrenzen& grenzen);

struct Ladeergebnis {
    int code = 0;
    // The file loaded, but damaged: the window warns, and the file's name is
    // not taken (gKennliniendatei stays empty).
    Dateischaden schaden;
    Punktgrenzen grenzen;           // of the points taken
    bool konfigAbweichend = false;  // ask kKonfigFrage
    config::Konfig konfig;          // the file's configuration
    // For KENNLPNL_BEGRENZUNG (input 2's scaling, as stored) and
    // KENNLPNL_ANSTIEGSZEIT (as stored, not snapped to a code); set when code is 0.
    Felder felder;
};

// "Kennlinie laden" after the question and the dialog: -308518 cannot open,
// -304519 header short or a read error, -1025520 not a characteristic file,
// -303521 other version, -600522/-600523 no memory. The file is read whole
// into a new characteristic first: a failure changes nothing but the title,
// which has no file name from the start on. On success the file name is
// pfad (unless damaged), the comment is the file's, gKennlinieGeaendert is
// off and the whole X range is visible. No undo step is taken.
Ladeergebnis KennlinieLadenNach(const std::filesystem::path& pfad);
// The same on the file's bytes.
Ladeergebnis KennliniendateiEinlesen(std::span<const std::uint8_t> datei, const std::string& pfad);

// ---- text export and import ------------------------------------------------------------
// The points as percentages, lines ending in CR LF.
std::string KennlinieExportText();
// "Kennlinie exportieren" after the dialog: -308529 cannot open or replace,
// -301530 writing failed. The old file stays on failure; nothing else changes.
int KennlinieExportierenNach(const std::filesystem::path& pfad);

using Importergebnis = storage::Importergebnis;  // code, "Importfehler" and "Fehler" boxes
inline constexpr const char* kImportfehlerTitel = "Importfehler";
inline constexpr std::size_t kImportZeileMax = 95;  // characters read of a line

// "Kennlinie importieren" after the dialog: -308533 cannot open, -304534 read
// error, -312535 .. -312542 the checks (with `meldung`), -600536 no memory
// for the list (the points are exchanged, so taking them over cannot fail).
// On success the points are replaced with one undo step
// (gKennlinieGeaendert set); the comment, the fields and the file stay.
Importergebnis KennlinieImportierenNach(const std::filesystem::path& pfad);
// The same on the file's bytes.
Importergebnis KennlinieImportText(std::string_view inhalt);

}  // namespace characteristic
