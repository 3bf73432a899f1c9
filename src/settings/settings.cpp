#include "settings/settings.h"

#include <cctype>
#include <cstdio>
#include <set>
#include <system_error>

#include "storage/c_numbers.h"
#include "storage/read_file.h"
#include "storage/safe_save.h"

namespace settings {
namespace {

constexpr std::size_t kZeilenLaenge = 255;  // characters of a line that are kept
constexpr std::size_t kWertProZeile = 80;   // longer values are split into " Line" items
constexpr std::string_view kZeilenZusatz = " Line";
constexpr const char* kZeilenende = "\r\n";

bool IstLeer(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Gestutzt(std::string_view s) {
    while (!s.empty() && IstLeer(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IstLeer(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string Schluessel(std::string_view name) {
    std::string k(Gestutzt(name));
    for (char& c : k)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return k;
}

IniSection& SectionHolen(IniText& ini, std::string_view name) {
    const std::string k = Schluessel(name);
    if (auto it = ini.index.find(k); it != ini.index.end())
        return ini.sections[it->second];
    ini.index.emplace(k, ini.sections.size());
    ini.sections.push_back(IniSection{std::string(Gestutzt(name)), {}, {}});
    return ini.sections.back();
}

const IniSection* SectionFinden(const IniText& ini, std::string_view name) {
    const auto it = ini.index.find(Schluessel(name));
    return it == ini.index.end() ? nullptr : &ini.sections[it->second];
}

const IniItem* ItemFinden(const IniText& ini, std::string_view section, std::string_view item) {
    const IniSection* s = SectionFinden(ini, section);
    if (!s)
        return nullptr;
    const auto it = s->index.find(Schluessel(item));
    return it == s->index.end() ? nullptr : &s->items[it->second];
}

// Duplicate checking is on: an item of an existing name replaces the old one.
void ItemSetzen(IniSection& s, std::string_view name, std::string wert, bool anfuehrung) {
    const std::string k = Schluessel(name);
    IniItem neu{std::string(Gestutzt(name)), std::move(wert), anfuehrung};
    if (auto it = s.index.find(k); it != s.index.end()) {
        s.items[it->second] = std::move(neu);
        return;
    }
    s.index.emplace(k, s.items.size());
    s.items.push_back(std::move(neu));
}

void ZeileLesen(IniText& ini, std::string_view zeile, IniSection*& aktuell) {
    while (!zeile.empty() && IstLeer(zeile.front()))
        zeile.remove_prefix(1);
    if (zeile.empty() || zeile.front() == ';')
        return;
    if (zeile.front() == '[') {
        const auto zu = zeile.rfind(']');
        if (zu == std::string_view::npos)
            return;
        if (!Gestutzt(zeile.substr(zu + 1)).empty())
            return;
        const std::string_view name = Gestutzt(zeile.substr(1, zu - 1));
        if (name.empty())
            return;
        aktuell = &SectionHolen(ini, name);
        return;
    }
    const auto gleich = zeile.find('=');
    if (gleich == std::string_view::npos || aktuell == nullptr)
        return;
    const std::string_view name = Gestutzt(zeile.substr(0, gleich));
    std::string_view wert = Gestutzt(zeile.substr(gleich + 1));
    if (name.empty() || wert.empty())
        return;
    bool anfuehrung = false;
    if (wert.size() >= 2 && wert.front() == '"' && wert.back() == '"') {
        wert = wert.substr(1, wert.size() - 2);
        anfuehrung = true;
    }
    ItemSetzen(*aktuell, name, std::string(wert), anfuehrung);
}

std::string Klein(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Fortsetzungsname(const std::string& basis, int n) {
    char nummer[16];
    std::snprintf(nummer, sizeof nummer, "%04d", n);
    return basis + std::string(kZeilenZusatz) + nummer;
}

// Drops the items whose keys are in `weg`; the index follows the new positions.
void ItemsEntfernen(IniSection& s, const std::set<std::string>& weg) {
    std::vector<IniItem> bleiben;
    s.index.clear();
    for (IniItem& item : s.items) {
        const std::string k = Schluessel(item.name);
        if (weg.contains(k))
            continue;
        s.index.emplace(k, bleiben.size());
        bleiben.push_back(std::move(item));
    }
    s.items = std::move(bleiben);
}

// "<name> Line0001", "<name> Line0002", ... become one item "<name>" in
// their place: the pieces would otherwise be written back beside it, and
// every round through the file would add a set.
void FortsetzungenVerbinden(IniSection& s) {
    const std::string endung = Klein(Fortsetzungsname("", 1));
    std::vector<IniItem> verbunden;
    std::set<std::string> teile;
    for (const IniItem& item : s.items) {
        const std::string k = Klein(item.name);
        if (k.size() <= endung.size() || !k.ends_with(endung))
            continue;
        const std::string basis = item.name.substr(0, item.name.size() - endung.size());
        std::string wert;
        for (int n = 1; n <= 9999; ++n) {
            const std::string teil = Schluessel(Fortsetzungsname(basis, n));
            const auto it = s.index.find(teil);
            if (it == s.index.end())
                break;
            wert += s.items[it->second].wert;
            teile.insert(teil);
        }
        verbunden.push_back(IniItem{basis, std::move(wert), item.inAnfuehrungszeichen});
    }
    if (!teile.empty())
        ItemsEntfernen(s, teile);
    for (IniItem& t : verbunden)
        ItemSetzen(s, t.name, std::move(t.wert), t.inAnfuehrungszeichen);
}

template <typename Liste>
std::vector<std::size_t> Reihenfolge(const Liste& liste,
                                     const std::map<std::string, std::size_t>& index,
                                     bool sortiert) {
    std::vector<std::size_t> folge;
    folge.reserve(liste.size());
    if (sortiert) {
        for (const auto& [k, i] : index)
            folge.push_back(i);
    } else {
        for (std::size_t i = 0; i < liste.size(); ++i)
            folge.push_back(i);
    }
    return folge;
}

void ItemSchreiben(std::string& out, const IniItem& item) {
    const std::string q = item.inAnfuehrungszeichen ? "\"" : "";
    if (item.wert.size() <= kWertProZeile) {
        out += item.name + " = " + q + item.wert + q + kZeilenende;
        return;
    }
    int n = 1;
    for (std::size_t a = 0; a < item.wert.size(); a += kWertProZeile, ++n) {
        out += Fortsetzungsname(item.name, n) + " = " + q + item.wert.substr(a, kWertProZeile) + q +
               kZeilenende;
    }
}

}  // namespace

std::unique_ptr<IniText> Ini_New(bool automatischSortieren) {
    auto ini = std::make_unique<IniText>();
    ini->automatischSortieren = automatischSortieren;
    return ini;
}

void Ini_Dispose(std::unique_ptr<IniText>& ini) {
    ini.reset();
}

void Ini_ReadFromText(IniText& ini, std::string_view text) {
    IniSection* aktuell = nullptr;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t ende = i;
        while (ende < text.size() && text[ende] != '\r' && text[ende] != '\n' && text[ende] != '\0')
            ++ende;
        ZeileLesen(ini, text.substr(i, std::min(ende - i, kZeilenLaenge)), aktuell);
        // CR LF and LF CR are one line end.
        if (ende + 1 < text.size() && ((text[ende] == '\r' && text[ende + 1] == '\n') ||
                                       (text[ende] == '\n' && text[ende + 1] == '\r')))
            ++ende;
        i = ende + 1;
    }
    for (IniSection& s : ini.sections)
        FortsetzungenVerbinden(s);
}

int Ini_ReadFromFile(IniText& ini, const std::filesystem::path& pfad) {
    std::error_code ec;
    if (!std::filesystem::exists(pfad, ec))
        return kIniNichtGefunden;
    if (!std::filesystem::is_regular_file(pfad, ec))
        return kIniLesefehler;
    std::string inhalt;
    if (storage::DateiLesen(pfad, inhalt) != storage::Leseergebnis::Ok)
        return kIniLesefehler;
    Ini_ReadFromText(ini, inhalt);
    return kIniOk;
}

std::string Ini_ToText(const IniText& ini) {
    std::string out;
    for (std::size_t si : Reihenfolge(ini.sections, ini.index, ini.automatischSortieren)) {
        const IniSection& s = ini.sections[si];
        out += "[" + s.name + "]" + kZeilenende;
        for (std::size_t ii : Reihenfolge(s.items, s.index, ini.automatischSortieren))
            ItemSchreiben(out, s.items[ii]);
        out += kZeilenende;
    }
    return out;
}

int Ini_WriteToFile(const IniText& ini, const std::filesystem::path& pfad) {
    const auto r = storage::SicherSchreiben(pfad, Ini_ToText(ini), {"ini$$", ".TMP"});
    return r == storage::Speicherergebnis::Ok ? kIniOk : kIniSchreibfehler;
}

void Ini_PutInt(IniText& ini, std::string_view section, std::string_view item, int wert) {
    ItemSetzen(SectionHolen(ini, section), item, std::to_string(wert), false);
}

void Ini_PutDouble(IniText& ini, std::string_view section, std::string_view item, double wert) {
    ItemSetzen(SectionHolen(ini, section), item, storage::ZahlG16(wert), false);
}

void Ini_PutRawString(IniText& ini, std::string_view section, std::string_view item,
                      std::string_view text) {
    ItemSetzen(SectionHolen(ini, section), item, std::string(text), true);
}

int Ini_GetInt(const IniText& ini, std::string_view section, std::string_view item, int& wert) {
    const IniItem* it = ItemFinden(ini, section, item);
    if (!it)
        return 0;
    return storage::GanzzahlLesen(it->wert, wert) ? 1 : -1;
}

int Ini_GetDouble(const IniText& ini, std::string_view section, std::string_view item,
                  double& wert) {
    const IniItem* it = ItemFinden(ini, section, item);
    if (!it)
        return 0;
    return storage::KommazahlLesen(it->wert, wert) == storage::ZahlErgebnis::Ganz ? 1 : -1;
}

int Ini_GetRawStringIntoBuffer(const IniText& ini, std::string_view section, std::string_view item,
                               std::string& puffer, std::size_t groesse) {
    puffer.clear();
    const IniItem* it = ItemFinden(ini, section, item);
    if (!it)
        return 0;
    if (groesse > 0)
        puffer = it->wert.substr(0, groesse - 1);
    return 1;
}

}  // namespace settings
