#include "support/scripted_dialogs.h"

int ScriptedDialogs::MessageBox(const QString& text, const QString& caption, unsigned type)
{
    boxes.push_back({ text, caption, type });
    if (whileBoxOpen)
        whileBoxOpen();
    if (boxAnswers.empty())
        return MessageBoxDefaultAnswer(type);
    const int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::NextFile()
{
    if (fileAnswers.empty())
        return {};
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::OpenFileName(const FileDialogRequest& request)
{
    fileDialogs.push_back({ false, request });
    return NextFile();
}

QString ScriptedDialogs::SaveFileName(const FileDialogRequest& request)
{
    fileDialogs.push_back({ true, request });
    return NextFile();
}

bool ScriptedDialogs::OpenShell(const QString& target)
{
    shellOpens.push_back(target);
    return shellResult;
}
