#pragma once
// The board's frames as pure functions on bytes: the command table, the
// request builders and the reply decoders. Nothing here touches a port; the
// exchange (device/link.h) writes what these build and hands them what it read.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace device {

inline constexpr std::uint8_t kStart = '#';
inline constexpr std::uint8_t kCr = 0x0D;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kCan = 0x18;
inline constexpr char kAlleGeraete = '&';  // reaches every board; none answers

using Bytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;

// The site codes of one command, as full negative result codes. 0 where the
// command has no such check.
struct Befehlsorte {
    int adresse;
    int flush;  // 0: the code of FlushInOut is passed on unchanged
    int schreibfehler;
    int kurzGeschrieben;
    int nak;
    int can;
    int keineAntwort;
    int anderesByte;
    int zeileLesefehler;  // a failed read inside the reply line
};

struct Befehl {
    std::string_view funktion;
    bool alleErlaubt;      // '&' accepted
    std::size_t maxZeile;  // longest reply line, CR included; 0: the ACK is all
    Befehlsorte orte;
};

namespace befehle {
extern const Befehl kIdLesen;
extern const Befehl kDeviceFunction;
extern const Befehl kEingangLesen;
extern const Befehl kAusgangSchreiben;
extern const Befehl kSpeicherLesen;  // maxZeile 0: the line length follows from the request
extern const Befehl kSpeicherSchreiben;
extern const Befehl kStatusLesen;
extern const Befehl kModusLesen;
extern const Befehl kModusSchreiben;
extern const Befehl kBaudrateSchreiben;
extern const Befehl kAdresseSchreiben;
}  // namespace befehle

// Reply lines, CR included.
inline constexpr std::size_t kIdZeileMax = 29;
inline constexpr std::size_t kKurzeZeileMax = 14;  // status, mode and input replies
// The memory read's reply for n bytes is exactly 2n + 19 bytes.
constexpr std::size_t SpeicherZeilenlaenge(std::size_t n) {
    return 2 * n + 19;
}

inline constexpr int kSpeichertyp = 4;
inline constexpr int kHoechsteAdresse = 0xFFFF;
inline constexpr int kSpeicherLesenMax = 0xFFFF;  // the length travels in four hex digits
inline constexpr int kSpeicherSchreibenMax = 64;

// '0'..'9' -> 0..9, 'a'..'f' and 'A'..'F' -> 10..15, anything else -1.
int Hexchar2Int(char c);

// One board ('1'..'9', 'a'..'f'); or that or '&'.
bool AdresseEinzeln(char adresse);
bool AdresseEinzelnOderAlle(char adresse);

// '#', address, text, CR.
Bytes Rahmen(char adresse, std::string_view text);

// "#<a>BDR<type><start hex4><length hex4>" CR, upper case from the seventh
// character on.
Bytes SpeicherLesenRahmen(char adresse, int typ, int start, int laenge);
// "#<a>BDW<type><start hex4><length hex4><data hex2...><checksum hex4>" CR.
Bytes SpeicherSchreibenRahmen(char adresse, int typ, int start, ByteSpan daten);

// Decoders: 0, or the command's code for a malformed line. `zeile` is the
// line as read, CR included when it arrived. Outputs are written only on 0.
int IdAntwortDecodieren(ByteSpan zeile, char adresse, std::string& identitaet);
int EingangAntwortDecodieren(ByteSpan zeile, char adresse, int kanal, double& wert);
int StatusAntwortDecodieren(ByteSpan zeile, char adresse, int art, int& wert);
int ModusAntwortDecodieren(ByteSpan zeile, char adresse, int& modus);
int SpeicherAntwortDecodieren(ByteSpan zeile, char adresse, int typ, int start, int laenge,
                              std::vector<std::uint8_t>& daten);

}  // namespace device
