// The MUX-6 control program.
#include <QApplication>

#include "shell/program.h"
#include "ui/help.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("VEK-7M Kurvengenerator");
    ui::DirekthilfeFilterInstallieren();
    return shell::Programmablauf([] { return QApplication::exec(); });
}
