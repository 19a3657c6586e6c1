// Program entry.
#include <QApplication>
#include <QMainWindow>

#include "platform/qt_dialogs.h"

#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Numbers in files and on the link are always read and written with a point.
    std::setlocale(LC_NUMERIC, "C");
    InstallQtDialogProvider();
    QMainWindow window;
    window.setWindowTitle("Zeperon 12");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
