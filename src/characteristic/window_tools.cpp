// The graph tools of the characteristic window: what a drag and a release do
// with each tool, the coordinate displays, and the "Punkt" dialog.
#include <QCursor>
#include <QLineEdit>
#include <QSize>

#include "characteristic/editing.h"
#include "characteristic/model.h"
#include "characteristic/window.h"
#include "config/model.h"
#include "ui/dialogs.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace characteristic {
namespace {

const QColor kRot(0xFF, 0x00, 0x00);

constexpr int kDialogUnterDerMaus = 20;  // pixels
constexpr double kWertgrenze = 1e9;
constexpr int kAnzeigestellen = 3;

}  // namespace

void Kennlinienpanel::Koordinaten(double x, double y) {
    x_->setText(QString::number(config::EingangRohZuAnzeige(1, x), 'f', kAnzeigestellen));
    y_->setText(QString::number(config::RohZuAnzeige(0, y), 'f', kAnzeigestellen));
}

void Kennlinienpanel::Gezogen(ui::Werkzeug w, double x, double y, bool) {
    const QSize f = graph()->Plotflaeche();
    switch (w) {
        case ui::Werkzeug::Anzeigen:
            Koordinaten(x, y);
            break;
        case ui::Werkzeug::Zeichnen: {
            const Zeichenvorschau v = PunktZeichnenVorschau(x, y, XRaster(), YRaster());
            if (!v.zeigen) {
                VorschauVerbergen();
                graph()->VorschauNeuzeichnen();
                break;
            }
            VorschauZeigen({v.von.x, v.nach.x}, {v.von.y, v.nach.y}, {v.nach.x, v.nach.y});
            Koordinaten(v.nach.x, v.nach.y);
            break;
        }
        case ui::Werkzeug::Verschieben: {
            const Verschiebeziel z =
                VerschiebenZiehen(x, y, XRaster(), YRaster(), f.width(), f.height());
            QVector<double> px, py;
            if (z.mitVorher) {
                px << z.vorherPunkt.x;
                py << z.vorherPunkt.y;
            }
            px << z.ziel.x;
            py << z.ziel.y;
            if (z.mitNachher) {
                px << z.nachherPunkt.x;
                py << z.nachherPunkt.y;
            }
            VorschauZeigen(px, py, {z.ziel.x, z.ziel.y});
            Koordinaten(z.ziel.x, z.ziel.y);
            break;
        }
        default:
            break;
    }
}

void Kennlinienpanel::Losgelassen(ui::Werkzeug w, double x, double y) {
    const QSize f = graph()->Plotflaeche();
    switch (w) {
        case ui::Werkzeug::GeradeTeilen:
            Nachher(GeradeTeilen(x));
            break;
        case ui::Werkzeug::PunktLoeschen:
            Nachher(PunktLoeschen(Kennlinie_NaechsterPunkt(x, y, f.width(), f.height())));
            break;
        case ui::Werkzeug::Zeichnen:
            VorschauVerbergen();
            Nachher(PunktZeichnen(x, y, XRaster(), YRaster()));
            break;
        case ui::Werkzeug::Verschieben:
            VorschauVerbergen();
            Nachher(VerschiebenLoslassen(x, y, XRaster(), YRaster(), f.width(), f.height()));
            break;
        case ui::Werkzeug::Punktkoordinaten:
            PunktkoordinatenDialog(x, y);
            break;
        default:
            break;
    }
}

void Kennlinienpanel::PunktkoordinatenDialog(double x, double y) {
    const QSize f = graph()->Plotflaeche();
    const int i = Kennlinie_NaechsterPunkt(x, y, f.width(), f.height());
    const Punktkoordinaten p = PunktkoordinatenHolen(i);
    PunktHervorheben({Kennlinie_PunktX(i), double(gKennlinie.geraden[std::size_t(i)].y)}, kRot);
    const std::vector<double> werte = ui::dialogs().Eingeben(
        this,
        {.name = "KEPUNKTPNL",
         .titel = ui::Q(p.titel),
         .felder = {{.name = "X", .text = "X", .wert = p.x, .stellen = 4, .unten = -kWertgrenze},
                    {.name = "Y", .text = "Y", .wert = p.y, .stellen = 4, .unten = -kWertgrenze}},
         .ort = QCursor::pos() + QPoint(0, kDialogUnterDerMaus)});
    Nachher(PunktkoordinatenAendern(i, werte.at(0), werte.at(1)));
}

}  // namespace characteristic
