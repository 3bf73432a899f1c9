// A probe the install test loads into the installed program through Qt's
// generic plugin hook (QT_QPA_GENERIC_PLUGINS=mux6sonde), so the program
// carries no test mode of its own. It answers a box shown at start-up (the
// missing settings file); once the main window is up it prints the number of
// buttons of the curve window's toolbar and the tooltips of those without a
// picture on standard error, and the text Qt's own Cancel button carries (the
// German catalogue found or not), then closes the main window as an operator
// would.
// With MUX6_SONDE_BILD set to a file name it first opens the curve window
// with the main window's button and saves the window as a picture there.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGenericPlugin>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>
#include <cstdio>

namespace {

void Schritt() {
    if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        return box->reject();
    static bool berichtet = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const auto* leiste =
            w->isVisible() ? w->findChild<QToolBar*>("KURVENPNL_TOOLBAR") : nullptr;
        if (leiste == nullptr)
            continue;
        const QString bild = qEnvironmentVariable("MUX6_SONDE_BILD");
        if (!bild.isEmpty() && !berichtet) {
            if (!leiste->isVisible()) {
                if (auto* k = w->findChild<QPushButton*>("MAINPANEL_KURVEN"))
                    k->click();
                return;
            }
            if (!w->grab().save(bild))
                std::fprintf(stderr, "\nsonde: %s not saved\n", qPrintable(bild));
        }
        QStringList knoepfe, ohneBild;
        for (QAction* a : leiste->actions()) {
            if (!a->isSeparator() && qobject_cast<QWidgetAction*>(a) == nullptr)
                (a->icon().isNull() ? ohneBild : knoepfe) << a->toolTip();
        }
        if (!berichtet) {
            std::fprintf(stderr, "\nsonde %lld [%s]\n", static_cast<long long>(knoepfe.size()),
                         qPrintable(ohneBild.join(',')));
            const QDialogButtonBox qt(QDialogButtonBox::Cancel);
            std::fprintf(stderr, "sonde-qt %s\n",
                         qPrintable(qt.button(QDialogButtonBox::Cancel)->text().remove('&')));
        }
        berichtet = true;
        w->close();
    }
}

}  // namespace

class Sonde : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "probe.json")

  public:
    QObject* create(const QString&, const QString&) override {
        auto* takt = new QTimer;
        QObject::connect(takt, &QTimer::timeout, takt, &Schritt);
        takt->start(100);
        return takt;
    }
};

#include "probe.moc"
