#pragma once
// A dialog provider for tests: records every box, dialog and shell call and
// answers from queues the test fills. An empty queue gives the default
// button of a box, a cancelled file dialog and a successful shell call.

#include "platform/dialogs.h"

#include <deque>
#include <functional>
#include <vector>

class ScriptedDialogs : public DialogProvider {
public:
    struct ShownBox {
        QString text;
        QString caption;
        unsigned type;
    };
    struct ShownFileDialog {
        bool save;
        FileDialogRequest request;
    };

    std::vector<ShownBox> boxes;
    std::vector<ShownFileDialog> fileDialogs;
    std::vector<QString> shellOpens;

    std::deque<int> boxAnswers;
    std::deque<QString> fileAnswers; // an empty text cancels
    bool shellResult = true;
    // Runs while a box is open, before it is answered, as the window's timer would.
    std::function<void()> whileBoxOpen;

    int MessageBox(const QString& text, const QString& caption, unsigned type) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    bool OpenShell(const QString& target) override;

private:
    QString NextFile();
};
