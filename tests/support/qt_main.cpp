// main() of the window tests: one QApplication for all, offscreen, with the
// direct-help filter installed as in the program.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/help.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ui::DirekthilfeFilterInstallieren();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
