// Program entry.
#include "app/application.h"
#include "app/main.h"
#include "app/otherwindows.h"
#include "files/errorlog.h"
#include "platform/cp1250.h"
#include "platform/qt_dialogs.h"
#include "print/printing.h"

#include <QMessageBox>

#include <clocale>
#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    std::optional<ZpApplication> app;
    std::optional<TApplication> application;
    auto body = [&] {
        app.emplace(argc, argv);
        // Numbers in files and on the link are always read and written with a point.
        std::setlocale(LC_NUMERIC, "C");
        InstallQtDialogProvider();
        application.emplace();
        PrintListsInit();
        CreateProgramWindows(*application);
        MainForm->ListenForPortNotices();
        MainForm->Show();
        int status = application->Run();
        application.reset();
        PrintListsFinal();
        return status;
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
