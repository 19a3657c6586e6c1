// Program entry.
#include "app/application.h"
#include "app/errorlog.h"
#include "platform/cp1250.h"

#include <QMainWindow>
#include <QMessageBox>

#include "platform/qt_dialogs.h"

#include <clocale>
#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    std::optional<ZpApplication> app;
    auto body = [&] {
        app.emplace(argc, argv);
        // Numbers in files and on the link are always read and written with a point.
        std::setlocale(LC_NUMERIC, "C");
        InstallQtDialogProvider();
        QMainWindow window;
        window.setWindowTitle("Zeperon 12");
        window.resize(800, 600);
        window.show();
        return app->exec();
    };
    // An exception that escaped even the event handlers' net: show it and end
    // with a failure status.
    auto show = [&](const std::string& message) {
        std::fprintf(stderr, "%s\n", message.c_str());
        if (app)
            QMessageBox::critical(nullptr, QStringLiteral("Zeperon_12"), QStringFromCp1250(message));
    };
    return RunGuarded(body, show);
}
