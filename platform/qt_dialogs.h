#pragma once
// The real dialog provider: Qt message boxes and file dialogs, and the
// desktop's handler for paths and web addresses.

#include "platform/dialogs.h"

class QtDialogProvider final : public DialogProvider {
public:
    // Safe from any thread: calls off the user-interface thread wait for the
    // user-interface thread to show the window.
    int MessageBox(const QString& text, const QString& caption, unsigned type) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    bool OpenShell(const QString& target) override;
};

// Makes a process-wide QtDialogProvider the provider in use. Called by the
// program's entry once the application object exists.
void InstallQtDialogProvider();
