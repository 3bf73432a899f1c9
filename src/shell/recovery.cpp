#include "shell/recovery.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "errors/errors.h"
#include "storage/safe_save.h"

namespace shell {
namespace {

std::vector<std::string> ListeLesen(const std::filesystem::path& datei) {
    std::vector<std::string> zeilen;
    std::ifstream in(datei, std::ios::binary);
    for (std::string z; std::getline(in, z);) {
        if (!z.empty() && z.back() == '\r')
            z.pop_back();
        if (!z.empty())
            zeilen.push_back(z);
    }
    return zeilen;
}

bool ListeSchreiben(const std::filesystem::path& datei, const std::vector<std::string>& zeilen) {
    std::string text;
    for (const std::string& z : zeilen)
        text += z + "\r\n";
    return storage::SicherSchreiben(datei, text) == storage::Speicherergebnis::Ok;
}

const Wiederherstellungsziel* ZielZu(const std::string& datei) {
    for (const Wiederherstellungsziel& z : kWiederherstellungsziele) {
        if (datei.starts_with(z.name) && datei.ends_with(z.endung))
            return &z;
    }
    return nullptr;
}

}  // namespace

std::string Fehlerzeile(const std::string& was, int code) {
    std::string z = was;
    z.append(": Fehler #").append(std::to_string(-code)).append(" ");
    return z.append(errors::ORV_Fehlermeldung(code));
}

std::filesystem::path FreierKopiename(const std::filesystem::path& ordner,
                                      const Wiederherstellungsziel& ziel) {
    for (int n = 1; n <= kMaxKopiennummer; ++n) {
        std::string name = ziel.name;
        if (n > 1) {
            name += '-';
            name += std::to_string(n);
        }
        std::filesystem::path p = ordner / (name + ziel.endung);
        // A dangling link counts as taken: saving through it would write elsewhere.
        std::error_code fehler;
        if (std::filesystem::symlink_status(p, fehler).type() ==
            std::filesystem::file_type::not_found)
            return p;
    }
    return {};
}

std::vector<std::string> WiederherstellungskopienSpeichern(const std::filesystem::path& ordner) {
    std::vector<std::string> fehler;
    std::vector<std::string> liste = ListeLesen(ordner / kWiederherstellungsliste);
    const std::size_t vorher = liste.size();
    for (const Wiederherstellungsziel& ziel : kWiederherstellungsziele) {
        const auto& speichern = ui::registry().Eintrag(ziel.fenster).wiederherstellungSpeichern;
        if (!speichern)
            continue;
        const std::filesystem::path pfad = FreierKopiename(ordner, ziel);
        if (pfad.empty()) {
            fehler.push_back(std::string(ziel.fenstername) + ": kein freier Name für die Kopie");
            continue;
        }
        const std::optional<int> r = speichern(pfad);
        if (r && *r != 0)
            fehler.push_back(Fehlerzeile(pfad.filename().string(), *r));
        else if (r)
            liste.push_back(pfad.filename().string());
    }
    if (liste.size() != vorher && !ListeSchreiben(ordner / kWiederherstellungsliste, liste))
        fehler.push_back(std::string(kWiederherstellungsliste) + ": nicht geschrieben");
    return fehler;
}

std::vector<std::string> WiederherstellungskopienLesen(const std::filesystem::path& ordner) {
    std::vector<std::string> kopien;
    for (const std::string& name : ListeLesen(ordner / kWiederherstellungsliste)) {
        const Wiederherstellungsziel* ziel = ZielZu(name);
        std::error_code fehler;
        if (ziel && std::filesystem::is_regular_file(ordner / name, fehler))
            kopien.push_back(std::string(ziel->fenstername) + ": " + name);
    }
    return kopien;
}

void WiederherstellungslisteLoeschen(const std::filesystem::path& ordner) {
    std::error_code fehler;
    std::filesystem::remove(ordner / kWiederherstellungsliste, fehler);
}

QString WiederherstellungsHinweis(const std::vector<std::string>& kopien,
                                  const std::filesystem::path& ordner) {
    QString liste;
    for (const std::string& k : kopien)
        liste += QString::fromStdString(k) + "\n";
    std::error_code fehler;
    std::filesystem::path absolut = std::filesystem::absolute(ordner, fehler).lexically_normal();
    if (fehler)
        absolut = ordner;
    if (!absolut.has_filename())
        absolut = absolut.parent_path();
    return QString(
               "Die letzte Sitzung wurde beendet, ohne die Änderungen zu speichern.\n"
               "Sie sind als Wiederherstellungskopie gesichert:\n\n%1\nim Ordner %2\n\n"
               "Laden Sie die Kopie in ihrem Fenster und speichern Sie sie unter "
               "dem gewünschten Namen.")
        .arg(liste, QString::fromStdWString(absolut.wstring()));
}

}  // namespace shell
