#pragma once
// A model of the boards on one line, as the program sees them from its port:
// request frames go in, control bytes and reply lines come out. Standard C++
// only, so the same model answers in-process tests (mux6sim::SimulatedPort) and
// the pseudo-terminal of mux6sim.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mux6sim {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::size_t kSpeichergroesse = 0x10000;  // 64 KiB of type-4 memory
inline constexpr const char* kStandardIdentitaet = "ORV-VEK7M_MUX6_V1.0";

struct Platine {
    char adresse = '1';
    std::string identitaet = kStandardIdentitaet;
    Bytes speicher = Bytes(kSpeichergroesse, 0);
    // Bit 0x04: curves stored (the image area is the board's curve store).
    std::uint8_t modus = 0x04;
    std::uint8_t status = 0;  // 0x01 while started
    std::uint8_t fehler = 0;
    std::array<double, 4> ausgaenge{};  // volts; inputs 1..4 are wired back to them
    int baud = 9600;                    // the rate it talks at; 9600 after power-up
    bool gestartet = false;
    // Faults of the board itself: it acknowledges a new baud rate and stays at
    // its own; the byte it stores at this address comes out altered.
    bool baudIgnorieren = false;
    std::optional<std::size_t> verfaelschteAdresse;
    // Where playing the curves stands, per output.
    std::array<std::uint32_t, 4> abspielAdresse{};
    std::array<std::chrono::microseconds, 4> abspielRest{};
    bool abspielNeu = false;  // started, the image not looked at yet
};

enum class Stoerung {
    Keine,
    Nak,                // NAK instead of the answer
    Can,                // CAN instead of the answer
    Stille,             // no answer at all
    FalschesByte,       // 'X' where the ACK belongs
    KurzeZeile,         // the reply line stops halfway, without CR
    LangeZeile,         // the reply line runs on past its maximum before the CR
    FalschePruefsumme,  // a memory reply's checksum off by one
};

// Parses "nak", "can", "silence", "wrong-byte", "short-line", "long-line",
// "bad-checksum".
std::optional<Stoerung> StoerungAusName(std::string_view name);
const char* StoerungName(Stoerung s);

// Which frames misbehave: the frames numbered in `beiRahmen` (counting every
// complete frame from 1), each frame with probability `anteil` (seeded), or,
// when neither is given, every frame. A disturbed frame changes no board.
struct Stoerplan {
    Stoerung art = Stoerung::Keine;
    std::vector<long> beiRahmen;
    double anteil = 0.0;
    std::uint32_t seed = 1;
};

class Leitung {
  public:
    // One board at '1' with the standard identity.
    Leitung();
    explicit Leitung(std::vector<Platine> platinen);

    void StoerungSetzen(const Stoerplan& plan);

    // The rate the program's port runs at. A board at another rate takes
    // what it receives for noise and answers nothing. Until it is set every
    // board hears every frame (in-process tests have no line rate).
    void LeitungsrateSetzen(int baud) { leitungsrate_ = baud; }
    std::optional<int> Leitungsrate() const { return leitungsrate_; }
    // Whether a board at this rate understands the line.
    bool Versteht(const Platine& p) const { return !leitungsrate_ || p.baud == *leitungsrate_; }

    // Bytes from the program (masked to 7 bits as the line does); whatever
    // the boards send in answer to the frames these complete.
    Bytes Empfangen(std::span<const std::uint8_t> bytes);

    // Lets time pass: started boards play their curves on the outputs.
    void Fortschreiten(std::chrono::microseconds dauer);
    // How long until a started board's output changes next (zero when a curve
    // has just started); nullopt when no board is playing.
    std::optional<std::chrono::microseconds> BisZurNaechstenAenderung() const;

    Platine* Finden(char adresse);
    std::vector<Platine>& Platinen() { return platinen_; }
    long Rahmenzahl() const { return rahmenzahl_; }
    long Gestoert() const { return gestoert_; }

  private:
    Bytes Rahmen(std::string_view rahmen);
    bool JemandVersteht() const;
    bool JetztStoeren();
    Bytes Antworten(Platine& p, std::string_view befehl, bool antwortet);

    std::vector<Platine> platinen_;
    std::string puffer_;
    bool imRahmen_ = false;
    long rahmenzahl_ = 0;
    long gestoert_ = 0;
    Stoerplan plan_;
    std::mt19937 zufall_{1};
    std::optional<int> leitungsrate_;
};

// The sample word's timebase (bits 14..12, code - 1) as the tick length.
std::chrono::microseconds Zeitbasis(std::uint16_t wort);

}  // namespace mux6sim
