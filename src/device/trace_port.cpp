#include "device/trace_port.h"

#include <array>
#include <cstdio>

#include "device/frames.h"

namespace device {

namespace {

constexpr std::string_view kGesendet = "->";
constexpr std::string_view kEmpfangen = "<-";
constexpr std::string_view kEreignis = "--";

struct Steuername {
    std::uint8_t byte;
    const char* text;
};
constexpr Steuername kSteuernamen[] = {
    {kAck, "<ACK>"}, {kNak, "<NAK>"}, {kCan, "<CAN>"}, {kCr, "\\r"}, {'\\', "\\\\"},
};

void Anhaengen(std::string& text, std::uint8_t b) {
    for (const Steuername& s : kSteuernamen) {
        if (b == s.byte) {
            text += s.text;
            return;
        }
    }
    if (b >= 0x20 && b < 0x7F && b != '<') {
        text += static_cast<char>(b);
        return;
    }
    constexpr char kHex[] = "0123456789ABCDEF";
    text += "\\x";
    text += kHex[b >> 4];
    text += kHex[b & 0xF];
}

const char* ParitaetText(Paritaet p) {
    switch (p) {
        case Paritaet::Keine:
            return "keine";
        case Paritaet::Ungerade:
            return "ungerade";
        case Paritaet::Gerade:
            return "gerade";
    }
    return "?";
}

}  // namespace

std::string SpurText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() + 8);
    for (const std::uint8_t b : bytes) {
        Anhaengen(text, b);
    }
    return text;
}

std::string EinstellungText(const Leitungseinstellung& e) {
    return std::to_string(e.baud) + " Baud, " + std::to_string(e.datenbits) +
           " Datenbits, Parität " + ParitaetText(e.paritaet) + ", " + std::to_string(e.stoppbits) +
           (e.stoppbits == 1 ? " Stoppbit" : " Stoppbits");
}

Spur::Spur(std::ostream& ziel, Uhr uhr) : ziel_(ziel), uhr_(std::move(uhr)) {
    if (!uhr_) {
        uhr_ = [] { return std::chrono::steady_clock::now(); };
    }
    beginn_ = uhr_();
}

long Spur::Millisekunden() const {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(uhr_() - beginn_).count());
}

void Spur::Zeile(long ms, std::string_view richtung, std::string_view text) {
    // One write per line, so nothing of a line is left in a buffer.
    std::array<char, 24> zeit{};
    const int n = std::snprintf(zeit.data(), zeit.size(), "%8ld ", ms);
    zeile_.assign(zeit.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
    zeile_ += richtung;
    zeile_ += ' ';
    zeile_ += text;
    zeile_ += '\n';
    ziel_.write(zeile_.data(), static_cast<std::streamsize>(zeile_.size()));
    ziel_.flush();
}

void Spur::Kopf(std::string_view programm, std::string_view geraet, const Leitungseinstellung& e) {
    std::string kopf(programm);
    kopf += "; ";
    kopf += geraet;
    kopf += "; ";
    kopf += EinstellungText(e);
    kopf += '\n';
    ziel_.write(kopf.data(), static_cast<std::streamsize>(kopf.size()));
    ziel_.flush();
}

void Spur::Gesendet(std::span<const std::uint8_t> bytes) {
    AntwortBeenden();
    Zeile(Millisekunden(), kGesendet, SpurText(bytes));
}

void Spur::Empfangen(std::uint8_t byte) {
    if (antwort_.empty()) {
        antwortBeginn_ = Millisekunden();
    }
    Anhaengen(antwort_, byte);
    if (byte == kCr) {
        AntwortBeenden();
    }
}

void Spur::Zeitlimit() {
    AntwortBeenden();
    Zeile(Millisekunden(), kEreignis, "Zeitlimit");
}

void Spur::Portfehler() {
    AntwortBeenden();
    Zeile(Millisekunden(), kEreignis, "Portfehler");
}

void Spur::AntwortBeenden() {
    if (antwort_.empty()) {
        return;
    }
    Zeile(antwortBeginn_, kEmpfangen, antwort_);
    antwort_.clear();
}

TracePort::TracePort(std::unique_ptr<SerialPort> innen, std::shared_ptr<Spur> spur,
                     std::string programm)
    : WeiterleitenderPort(std::move(innen)),
      spur_(std::move(spur)),
      programm_(std::move(programm)) {}

int TracePort::open(const std::string& geraet, const Leitungseinstellung& einstellung) {
    spur_->Kopf(programm_, geraet, einstellung);
    const int r = innen().open(geraet, einstellung);
    if (r != 0) {
        spur_->Portfehler();
    }
    return r;
}

int TracePort::close() {
    spur_->AntwortBeenden();
    return innen().close();
}

int TracePort::write(std::span<const std::uint8_t> bytes) {
    const int r = innen().write(bytes);
    if (r < 0) {
        spur_->Portfehler();
    } else {
        spur_->Gesendet(bytes.first(std::min(bytes.size(), static_cast<std::size_t>(r))));
    }
    return r;
}

int TracePort::readByte() {
    const int b = innen().readByte();
    if (b >= 0) {
        spur_->Empfangen(static_cast<std::uint8_t>(b));
    } else if (b == kZeitlimit) {
        spur_->Zeitlimit();
    } else {
        spur_->Portfehler();
    }
    return b;
}

int TracePort::flushInput() {
    spur_->AntwortBeenden();
    return innen().flushInput();
}

int TracePort::flushOutput() {
    spur_->AntwortBeenden();
    return innen().flushOutput();
}

PortFabrik SpurFabrik(PortFabrik innen, std::shared_ptr<Spur> spur, std::string programm) {
    return [innen = std::move(innen), spur = std::move(spur),
            programm = std::move(programm)](int port) -> std::unique_ptr<SerialPort> {
        std::unique_ptr<SerialPort> p = innen ? innen(port) : nullptr;
        if (!p) {
            return nullptr;
        }
        return std::make_unique<TracePort>(std::move(p), spur, programm);
    };
}

}  // namespace device
