#include "shell/info_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/picture.h"

namespace shell {

Infopanel::Infopanel(QWidget* eltern) : QDialog(eltern) {
    setObjectName("INFOPNL");
    setWindowTitle("Info");
    setModal(true);

    auto* lay = new QVBoxLayout(this);
    auto* bild = new Geraetebild(this);
    bild->setObjectName("INFOPNL_PICTURE");
    bild->setMinimumSize(260, 190);
    lay->addWidget(bild, 1);

    auto* produkt = new QLabel("VEK-7M Kurvengenerator\nSteuerprogramm für das MUX-6", this);
    produkt->setAlignment(Qt::AlignCenter);
    QFont f = produkt->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    produkt->setFont(f);
    lay->addWidget(produkt);

    auto* raster = new QGridLayout;
    raster->addWidget(new QLabel("Version", this), 0, 0);
    version_ = new QLabel(this);
    version_->setObjectName("INFOPNL_VERSION");
    raster->addWidget(version_, 0, 1);
    raster->addWidget(new QLabel("Datum", this), 1, 0);
    datum_ = new QLabel(this);
    datum_->setObjectName("INFOPNL_DATUM");
    raster->addWidget(datum_, 1, 1);
    raster->setColumnStretch(1, 1);
    lay->addLayout(raster);

    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("INFOPNL_OK");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    lay->addWidget(ok_, 0, Qt::AlignHCenter);
}

}  // namespace shell
