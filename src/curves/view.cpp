#include "curves/view.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "storage/cp1252.h"
#include "storage/paths.h"

namespace curves {
namespace {
const Kurve& K() {
    return gKurven[static_cast<std::size_t>(gAktuelleKurve)];
}
}  // namespace

double AnsichtBreite() {
    return Kurvenansicht().Breite();
}

void ZoomPlus() {
    Kurvenansicht().ZoomPlus();
}

void ZoomMinus() {
    // A curve has no fixed end: zooming out may show time after it.
    Kurvenansicht().ZoomMinus();
}

void ZoomPlusAn(double t) {
    Kurvenansicht().ZoomPlusAn(t);
}

void ZoomMinusAn(double t) {
    Kurvenansicht().ZoomMinusAn(t);
}

bool ZoomMarkierung() {
    return editor::ZoomMarkierung(Kurvenansicht(), Kurvenmarkierung());
}

void ZoomGesamtkurve() {
    Kurvenansicht().Ganz(Kurve_Dauer(K()));
}

Rollbalken RollbalkenBerechnen() {
    return Kurvenansicht().RollbalkenBerechnen(Kurve_Dauer(K()));
}

void RollbalkenGesetzt(int position) {
    Kurvenansicht().RollbalkenGesetzt(position, Kurve_Dauer(K()));
}

YAchse YAchseBerechnen(int k) {
    YAchse a;
    const editor::Achsenskala skala =
        editor::SkalaAus(RohZuAnzeige(k, 0), RohZuAnzeige(k, kMaxRoh));
    a.faktor = skala.faktor;
    a.versatz = skala.versatz;
    a.einheit = Einheit(k);
    a.min = gYZoomMin[static_cast<std::size_t>(k)];
    a.max = gYZoomMax[static_cast<std::size_t>(k)];
    return a;
}

bool YZoomSetzen(double minAnzeige, double maxAnzeige) {
    const int k = gAktuelleKurve;
    const auto i = static_cast<std::size_t>(k);
    return editor::YZoomSetzen(AnzeigeZuRoh(k, minAnzeige), AnzeigeZuRoh(k, maxAnzeige),
                               gYZoomMin[i], gYZoomMax[i]);
}

double ZyklenUndRuhezustandSetzen(std::int32_t zyklen, double ruhezustandAnzeige) {
    const auto k = static_cast<std::size_t>(gAktuelleKurve);
    gKurvenGeaendert = true;
    gZyklen[k] = zyklen;
    double roh = std::trunc(AnzeigeZuRoh(gAktuelleKurve, ruhezustandAnzeige));
    if (!(roh >= 0))
        roh = 0;
    roh = std::min(roh, double{kMaxRoh});
    gRuhezustand[k] = static_cast<std::int32_t>(roh);
    return RohZuAnzeige(gAktuelleKurve, gRuhezustand[k]);
}

bool KommentarSetzen(const std::string& text) {
    std::string bild = storage::Utf8ZuCp1252Ersetzt(text);
    if (bild.size() > kKommentarMax)
        bild.resize(kKommentarMax);
    const std::string neu = storage::Cp1252ZuUtf8(bild);
    Kurve& k = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
    if (neu == k.kommentar)
        return false;
    k.kommentar = neu;
    gKurvenGeaendert = true;
    return true;
}

std::string Kommentarvorschau() {
    return storage::Utf8Kuerzen(K().kommentar, 30);
}

std::string KommentarTitel() {
    return "Kommentar - Kurve " + std::to_string(gAktuelleKurve + 1);
}

void KurveWaehlen(int k, double rasterBisher) {
    if (k < 0 || k >= kKurven)
        return;
    gYRaster[static_cast<std::size_t>(gAktuelleKurve)] = rasterBisher;
    gAktuelleKurve = k;
}

std::string Kurvenpanel_Titel(const std::string& pfad) {
    gKurvendatei = pfad;
    if (pfad.empty())
        return "Kurvengenerator";
    return "Kurvengenerator - " + DateinameOderStandard();
}

std::string DateinameOderStandard() {
    if (gKurvendatei.empty())
        return "Kurvengenerator";
    return storage::PfadAlsText(storage::PfadAusText(gKurvendatei).filename());
}

}  // namespace curves
