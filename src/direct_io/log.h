#pragma once
// The measurement log: one tab-separated text file, one block per sampling run
// appended to it, one line per sampling cycle. Lines end in CR LF on every
// platform, texts are Windows-1252, numbers are written in the C locale. Every
// line is on disk when the call that wrote it returns, so a crash or a pulled
// plug loses at most the cycle in progress. At most one log is open.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace direct_io {

inline constexpr const char* kTextGestartet = "\n\nDatenerfassung gestartet\n";
inline constexpr const char* kTextBeendet = "Datenerfassung beendet\n";
inline constexpr const char* kTextAbgebrochen = "Fehler - Datenübertragung abgebrochen\n";
// Column of an input that is not sampled, or of an output whose value is not
// known (nothing was sent to it since the start state).
inline constexpr const char* kNichtAbgefragt = "-----";
// The file dialog the window shows for the log.
inline constexpr const char* kDateidialogTitel = "Datei zum Speichern/Erweitern";
inline constexpr const char* kDateidialogMuster = "*.txt";

inline constexpr int kFehlerDateidialog = -317305;
inline constexpr int kFehlerProtokollOeffnen = -308306;
inline constexpr int kFehlerKopfStart = -301307;
inline constexpr int kFehlerKopfEingang = -301308;
inline constexpr int kFehlerKopfAusgang = -301309;
inline constexpr int kFehlerKopfSpalten = -301310;
inline constexpr int kFehlerZeileZeit = -301311;
inline constexpr int kFehlerZeileEingang = -301312;
inline constexpr int kFehlerZeileAusgang = -301313;
inline constexpr int kFehlerText = -301314;

// What the file dialog gave.
struct Dateiwahl {
    enum class Ergebnis { Gewaehlt, Abgebrochen, Fehler };
    Ergebnis ergebnis = Ergebnis::Abgebrochen;
    std::filesystem::path pfad;
};
using DateiWaehlen = std::function<Dateiwahl()>;

// Starting a run. `speichern` off: an open log is closed, 0. Otherwise the
// file is asked for (a failing dialog gives -317305 and leaves an open log as
// it is), an open log is closed, a cancel gives 0 without a log; the file is
// opened for appending (-308306) and the block head written (-301307 ..
// -301310, the file then closed).
int ProtokollOeffnen(bool speichern, const DateiWaehlen& waehlen);

// Closes an open log (its last bytes on disk); nothing when none is open. The
// program end calls it too, so a log still open then is complete on disk.
void ProtokollSchliessen();

// A log is open (the window's LED).
bool ProtokollOffen();

// One data line: date, time, the four inputs (kNichtAbgefragt for input 4 when
// it is not sampled) and the four outputs in their physical units with each
// channel's decimals (kNichtAbgefragt for an output nothing was sent to). 0
// when no log is open. A line is written whole or not at all: a failed write,
// or a log file that was removed or replaced, takes the line back, writes the
// error lines of ProtokollAbbrechen where the file still takes them, closes
// the log and gives -301311 (date and time), -301312 (inputs) or -301313
// (outputs, or the line not reaching the disk). The head fails the same way.
// `zeile`, when given, gets the line without its line end once it is written.
int ProtokollZeileSchreiben(std::string* zeile = nullptr);

// A UTF-8 text, "\n" for each line end, when a log is open; 0 otherwise.
// -301314 when it cannot be written (nothing of it stays); the log stays open.
int ProtokollText(std::string_view text);

// The end of a block when a reading fails: the line kTextAbgebrochen, then the
// code's message and a line end; then the log is closed.
void ProtokollAbbrechen(int code);

// ---- The clock -------------------------------------------------------------------

struct Datum {
    int tag = 1;
    int monat = 1;
    int jahr = 2000;
};
struct Uhrzeit {
    int stunde = 0;
    int minute = 0;
    int sekunde = 0;
};
// The local date and time of day, asked separately as the line needs them.
struct Uhr {
    std::function<Datum()> datum;
    std::function<Uhrzeit()> uhrzeit;
};
// Empty functions give the system's local time (the start state).
void UhrSetzen(Uhr uhr);
Datum SystemDatum();
Uhrzeit SystemUhrzeit();

// ---- Where the bytes go -------------------------------------------------------------

class Protokollziel {
  public:
    virtual ~Protokollziel() = default;
    // All the bytes, or false; false as well once the file is no longer the
    // one opened (removed, or another in its place).
    virtual bool Schreiben(std::string_view bytes) = 0;
    // What was written is on disk.
    virtual bool Sichern() = 0;
    // Takes back what was written since the last Sichern, as far as the target
    // allows (a file is cut back; a pipe keeps what it got).
    virtual void Verwerfen() {}
};
// Opens a file for appending; nullptr when it cannot be opened.
using Protokollfabrik =
    std::function<std::unique_ptr<Protokollziel>(const std::filesystem::path& datei)>;
// Empty: the file itself (the start state). Tests put failing targets here.
void ProtokollfabrikSetzen(Protokollfabrik fabrik);

// The file opened for appending, created when missing; binary, so the bytes
// written are the bytes on disk.
std::unique_ptr<Protokollziel> DateiAnhaengen(const std::filesystem::path& datei);

}  // namespace direct_io
