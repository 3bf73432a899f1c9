#include "curves/view.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "storage/cp1252.h"

namespace curves {
namespace {
const Kurve& K() {
    return gKurven[static_cast<std::size_t>(gAktuelleKurve)];
}
}  // namespace

double AnsichtBreite() {
    return gAnsichtEnde - gAnsichtStart + 1.0;
}

void ZoomPlus() {
    const double w = AnsichtBreite();
    const double w2 = std::max(w / 1.5, 1.0);
    const double s = gAnsichtStart + (w - w2) / 2.0;
    gAnsichtStart = std::floor(s);
    gAnsichtEnde = std::floor(s + w2) - 1.0;
}

void ZoomMinus() {
    const double w = AnsichtBreite();
    const double w2 = 1.5 * w;
    const double s = std::max(gAnsichtStart - w2 / 6.0, 0.0);
    double e = s + w2;
    if (std::floor(s + 1.0) >= std::floor(e))
        e += 1.0;
    gAnsichtStart = std::floor(s);
    gAnsichtEnde = std::floor(e) - 1.0;
}

bool ZoomMarkierung() {
    if (!gMarkierungAktiv)
        return false;
    if (gMarkierungEnde > gMarkierungStart) {
        gAnsichtStart = gMarkierungStart;
        gAnsichtEnde = gMarkierungEnde - 1.0;
    }
    gMarkierungAktiv = false;
    gMarkierungStart = gMarkierungEnde = 0;
    return true;
}

void ZoomGesamtkurve() {
    gAnsichtStart = 0.0;
    gAnsichtEnde = Kurve_Dauer(K()) - 1.0;
}

Rollbalken RollbalkenBerechnen() {
    Rollbalken r;
    const double dauer = Kurve_Dauer(K());
    const double w = AnsichtBreite();
    r.groesse = static_cast<int>(std::clamp(std::trunc(w / dauer * 100.0 + 0.5), 1.0, 100.0));
    const double rest = std::trunc(dauer - w);
    if (rest > 0) {
        r.position =
            static_cast<int>(std::clamp(std::trunc(100.0 * gAnsichtStart / rest), 0.0, 100.0));
    }
    return r;
}

void RollbalkenGesetzt(int position) {
    const double w = AnsichtBreite();
    const double p = std::clamp(position, 0, 100);
    gAnsichtStart = std::max(0.0, std::floor(p * (Kurve_Dauer(K()) - w) / 100.0 + 0.5));
    gAnsichtEnde = gAnsichtStart + w - 1.0;
}

YAchse YAchseBerechnen(int k) {
    YAchse a;
    a.versatz = RohZuAnzeige(k, 0);
    a.faktor = (RohZuAnzeige(k, kMaxRoh) - a.versatz) / kMaxRoh;
    a.einheit = Einheit(k);
    a.min = gYZoomMin[static_cast<std::size_t>(k)];
    a.max = gYZoomMax[static_cast<std::size_t>(k)];
    return a;
}

bool YZoomSetzen(double minAnzeige, double maxAnzeige) {
    const int k = gAktuelleKurve;
    double mn = std::trunc(AnzeigeZuRoh(k, minAnzeige));
    double mx = std::trunc(AnzeigeZuRoh(k, maxAnzeige));
    mn = std::max(mn, 0.0);
    mx = std::min(mx, double{kMaxRoh});
    if (!(mn < mx))
        return false;
    gYZoomMin[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(mn);
    gYZoomMax[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(mx);
    return true;
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
    return std::filesystem::path(gKurvendatei).filename().string();
}

}  // namespace curves
