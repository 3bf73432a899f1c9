#include "characteristic/view.h"

#include <filesystem>

#include "config/model.h"
#include "storage/cp1252.h"
#include "storage/paths.h"

namespace characteristic {

namespace {
constexpr const char* kFenstertitel = "Kennlinienregler";
constexpr std::size_t kVorschauZeichen = 30;
}  // namespace

void ZoomPlus() {
    Kennlinienansicht().ZoomPlus();
}

void ZoomMinus() {
    Kennlinienansicht().ZoomMinus(kAnsichtLaenge);
}

void ZoomPlusAn(double x) {
    Kennlinienansicht().ZoomPlusAn(x);
}

void ZoomMinusAn(double x) {
    Kennlinienansicht().ZoomMinusAn(x, kAnsichtLaenge);
}

bool ZoomMarkierung() {
    return editor::ZoomMarkierung(Kennlinienansicht(), Kennlinienmarkierung());
}

void ZoomGesamtkurve() {
    Kennlinienansicht().Ganz(kAnsichtLaenge);
}

Rollbalken RollbalkenBerechnen() {
    return Kennlinienansicht().RollbalkenBerechnen(kAnsichtLaenge);
}

void RollbalkenGesetzt(int position) {
    Kennlinienansicht().RollbalkenGesetzt(position, kAnsichtLaenge);
}

bool YZoomSetzen(double minAnzeige, double maxAnzeige) {
    return editor::YZoomSetzen(config::AnzeigeZuRoh(0, minAnzeige),
                               config::AnzeigeZuRoh(0, maxAnzeige), gKennlYZoomMin, gKennlYZoomMax);
}

editor::Achsenskala XAchse() {
    return editor::SkalaAus(config::EingangRohZuAnzeige(1, 0.0),
                            config::EingangRohZuAnzeige(1, kMaxRoh));
}

editor::Achsenskala YAchse() {
    return editor::SkalaAus(config::RohZuAnzeige(0, 0.0), config::RohZuAnzeige(0, kMaxRoh));
}

bool KommentarSetzen(const std::string& text) {
    const std::string neu = storage::Utf8Kuerzen(
        storage::Cp1252ZuUtf8(storage::Utf8ZuCp1252Ersetzt(text)), kKommentarMax);
    if (neu == gKennlinie.kommentar)
        return false;
    gKennlinie.kommentar = neu;
    gKennlinieGeaendert = true;
    return true;
}

std::string Kommentarvorschau() {
    return storage::Utf8Kuerzen(gKennlinie.kommentar, kVorschauZeichen);
}

std::string Kennlinienpanel_Titel(const std::string& pfad) {
    gKennliniendatei = pfad;
    if (pfad.empty())
        return kFenstertitel;
    return std::string(kFenstertitel) + " - " + DateinameOderStandard();
}

std::string DateinameOderStandard() {
    if (gKennliniendatei.empty())
        return kFenstertitel;
    return storage::PfadAlsText(storage::PfadAusText(gKennliniendatei).filename());
}

}  // namespace characteristic
