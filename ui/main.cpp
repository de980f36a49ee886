// mctfutil: the desktop program. It keeps config.dmc in the folder it was
// started in.
#include <QApplication>

#include "ui/UtilityApp.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName("mctfutil");
    mctf::CUtilityApp app;
    return app.Run();
}
