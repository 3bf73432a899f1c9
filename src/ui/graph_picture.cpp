// Pictures of a graph: the right-button menu, the file dialog and the export
// to PNG, PDF and SVG through QCustomPlot's own painting, so a picture shows
// exactly what the graph draws.
#include <qcustomplot.h>

#include <QBuffer>
#include <QFileInfo>
#include <QMenu>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "storage/safe_save.h"
#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/texts.h"

namespace ui {

namespace {

// Pictures larger than this are refused rather than risking the memory of a
// raster of gigabytes; a report never needs more.
constexpr int kGroessteKante = 20000;

struct Formatname {
    const char* endung;
    Bildformat format;
};
constexpr Formatname kFormate[] = {
    {"png", Bildformat::Png},
    {"pdf", Bildformat::Pdf},
    {"svg", Bildformat::Svg},
};

// A vector picture painted by QCustomPlot, one device unit to a pixel of the
// graph, as its own PDF export does it.
bool VektorMalen(QCustomPlot* plot, QPaintDevice* geraet, int breite, int hoehe) {
    QCPPainter maler;
    if (!maler.begin(geraet))
        return false;
    maler.setMode(QCPPainter::pmVectorized);
    maler.setWindow(0, 0, breite, hoehe);
    plot->toPainter(&maler, breite, hoehe);
    return maler.end();
}

bool Malen(QCustomPlot* plot, Bildformat format, int breite, int hoehe, QBuffer& ziel) {
    switch (format) {
        case Bildformat::Png:
            return plot->toPixmap(breite, hoehe, 1.0).save(&ziel, "PNG");
        case Bildformat::Pdf: {
            QPdfWriter pdf(&ziel);
            pdf.setResolution(72);  // a point for a pixel: the page is the graph's size
            pdf.setPageSize(QPageSize(QSizeF(breite, hoehe), QPageSize::Point, QString(),
                                      QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator(QStringLiteral("MUX-6"));
            return VektorMalen(plot, &pdf, breite, hoehe);
        }
        case Bildformat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&ziel);
            svg.setSize(QSize(breite, hoehe));
            svg.setViewBox(QRect(0, 0, breite, hoehe));
            return VektorMalen(plot, &svg, breite, hoehe);
        }
    }
    return false;
}

}  // namespace

std::optional<Bildformat> BildformatAusPfad(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    for (const Formatname& f : kFormate)
        if (endung == QLatin1String(f.endung))
            return f.format;
    return std::nullopt;
}

QImage Graph::Bild(int breite, int hoehe) const {
    if (breite <= 0 || hoehe <= 0) {
        breite = plot_->width();
        hoehe = plot_->height();
    }
    return plot_->toPixmap(breite, hoehe, 1.0).toImage();
}

int Graph::BildSchreiben(const QString& pfad, int breite, int hoehe) {
    const std::optional<Bildformat> format = BildformatAusPfad(pfad);
    if (breite <= 0 || hoehe <= 0) {
        breite = plot_->width();
        hoehe = plot_->height();
    }
    if (!format || breite <= 0 || hoehe <= 0 || breite > kGroessteKante || hoehe > kGroessteKante)
        return kFehlerBildSchreiben;
    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    if (!Malen(plot_, *format, breite, hoehe, puffer) || bytes.isEmpty())
        return kFehlerBildSchreiben;
    switch (storage::SicherSchreiben(
        Pfad(pfad), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        case storage::Speicherergebnis::Ok:
            return 0;
        case storage::Speicherergebnis::NichtSchreibbar:
            return kFehlerBildAnlegen;
        default:
            return kFehlerBildSchreiben;
    }
}

void Graph::Grafik_Speichern() {
    if (gHilfeAktiv)
        return;
    const Dateiauswahl auswahl{
        .art = Dateiauswahl::Art::Speichern,
        .titel = QStringLiteral("Grafik speichern"),
        .vorgabe = QString(),
        .filter = QStringLiteral("PNG-Bild (*.png);;PDF-Dokument (*.pdf);;SVG-Grafik (*.svg)"),
    };
    const std::optional<QString> gewaehlt = dialogs().DateiWaehlen(this, auswahl);
    if (!gewaehlt || gewaehlt->isEmpty())
        return;
    // A name without one of the three endings becomes a PNG, so the file's
    // name always says what it holds.
    QString pfad = *gewaehlt;
    if (!BildformatAusPfad(pfad))
        pfad += QStringLiteral(".png");
    if (const int code = BildSchreiben(pfad); code != 0)
        ORV_Fehlerpopup(code);
}

void Graph::MenueZeigen(QPoint ort) {
    if (gHilfeAktiv)
        return;
    menue_->popup(mapToGlobal(ort));
}

}  // namespace ui
