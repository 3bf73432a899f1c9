#pragma once
// The fields of the program's binary files: little-endian integers and
// doubles, and NUL-terminated Windows-1252 texts in fields of fixed width.
// Every format (curve, characteristic and configuration files) is read and
// written through these two, so a field is laid out one way everywhere and
// no reader can look past the end of what a file holds.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

// Reads fields at their offsets in a file's bytes. A field that does not lie
// wholly inside the bytes is refused (nullopt), never read.
class Feldleser {
  public:
    explicit Feldleser(std::span<const std::uint8_t> daten) : daten_(daten) {}

    std::size_t Groesse() const { return daten_.size(); }
    // Whether `laenge` bytes from `at` on lie inside the bytes.
    bool Enthaelt(std::size_t at, std::size_t laenge) const;

    std::optional<std::int32_t> Int32(std::size_t at) const;
    std::optional<std::int8_t> Int8(std::size_t at) const;
    std::optional<double> Double(std::size_t at) const;
    // The bytes of a text field of `breite` bytes up to its first NUL (all of
    // them without one), as they stand: for comparing a type text.
    std::optional<std::string_view> Rohtext(std::size_t at, std::size_t breite) const;
    // The same text from Windows-1252 in UTF-8.
    std::optional<std::string> Text(std::size_t at, std::size_t breite) const;
    // `laenge` bytes from `at` on: a record embedded in the file.
    std::optional<std::span<const std::uint8_t>> Teil(std::size_t at, std::size_t laenge) const;

  private:
    std::span<const std::uint8_t> daten_;
};

// The program's binary files begin alike: a type text in a 32-byte field at
// offset 0, then an int32 version. Each format gives its header's size, its
// texts and the codes of its three checks.
struct Dateikopf {
    std::size_t groesse;
    std::string_view typ;
    std::int32_t version;
    int zuKurz;          // fewer bytes than the header
    int falscherTyp;     // the type text (up to its NUL) is another
    int falscheVersion;  // another version
};
inline constexpr std::size_t kDateitypFeld = 32;
inline constexpr std::size_t kDateiversionOffset = 32;

// 0 when the header is whole and of its type and version, else the code of
// the first check that fails.
int KopfPruefen(const Feldleser& r, const Dateikopf& kopf);

// Appends fields to a file's bytes in their order.
class Feldschreiber {
  public:
    explicit Feldschreiber(std::vector<std::uint8_t>& ziel) : ziel_(ziel) {}

    void Int32(std::int32_t wert);
    void Int8(std::int8_t wert);
    void Double(double wert);
    // Filler and padding, written as zeros.
    void Nullen(std::size_t anzahl);
    // The UTF-8 text in Windows-1252 (what it cannot hold becomes '?'), cut
    // to leave room for the NUL, zeros after it up to `breite` bytes.
    void Text(std::string_view utf8, std::size_t breite);

  private:
    std::vector<std::uint8_t>& ziel_;
};

}  // namespace storage
