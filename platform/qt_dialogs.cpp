#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>

namespace {

// Runs `show` on the user-interface thread and waits for its result.
template <class T, class F> T OnUiThread(F show)
{
    if (!qApp || QThread::currentThread() == qApp->thread())
        return show();
    T result {};
    QMetaObject::invokeMethod(
        qApp, [&] { result = show(); }, Qt::BlockingQueuedConnection);
    return result;
}

QMessageBox::StandardButton StandardButtonOf(int id)
{
    switch (id) {
    case IDOK:
        return QMessageBox::Ok;
    case IDCANCEL:
        return QMessageBox::Cancel;
    case IDABORT:
        return QMessageBox::Abort;
    case IDRETRY:
        return QMessageBox::Retry;
    case IDIGNORE:
        return QMessageBox::Ignore;
    case IDYES:
        return QMessageBox::Yes;
    default:
        return QMessageBox::No;
    }
}

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowMessageBox(const QString& text, const QString& caption, unsigned type)
{
    QMessageBox box(IconOf(type), caption, text);
    box.setWindowModality(Qt::ApplicationModal);
    int ids[3] = {};
    const int count = MessageBoxButtons(type, ids);
    QAbstractButton* buttons[3] = {};
    for (int i = 0; i < count; ++i)
        buttons[i] = box.addButton(StandardButtonOf(ids[i]));
    const int defaultId = MessageBoxDefaultAnswer(type);
    int escapeId = 0;
    for (int i = 0; i < count; ++i) {
        if (ids[i] == defaultId)
            box.setDefaultButton(static_cast<QPushButton*>(buttons[i]));
        if (ids[i] == IDCANCEL || (count == 1 && ids[i] == IDOK))
            escapeId = ids[i], box.setEscapeButton(buttons[i]);
    }
    box.exec();
    for (int i = 0; i < count; ++i)
        if (box.clickedButton() == buttons[i])
            return ids[i];
    // Closed without a button: what Escape would have given.
    return escapeId ? escapeId : IDCANCEL;
}

QString ShowFileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(nullptr, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFiltersFromPipeFilter(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex : 1;
        dialog.selectNameFilter(filters[index - 1]);
    }
    dialog.setDefaultSuffix(DefaultSuffix(request.defaultExt));
    if (!request.fileName.isEmpty()) {
        const QFileInfo info(request.fileName);
        if (info.isDir()) {
            dialog.setDirectory(info.absoluteFilePath());
        } else {
            if (info.absoluteDir().exists())
                dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

int QtDialogProvider::MessageBox(const QString& text, const QString& caption, unsigned type)
{
    return OnUiThread<int>([&] { return ShowMessageBox(text, caption, type); });
}

QString QtDialogProvider::OpenFileName(const FileDialogRequest& request)
{
    return OnUiThread<QString>([&] { return ShowFileDialog(request, false); });
}

QString QtDialogProvider::SaveFileName(const FileDialogRequest& request)
{
    return OnUiThread<QString>([&] { return ShowFileDialog(request, true); });
}

bool QtDialogProvider::OpenShell(const QString& target)
{
    const bool isAddress = target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"));
    const QUrl url = isAddress ? QUrl(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return OnUiThread<bool>([&] { return QDesktopServices::openUrl(url); });
}

void InstallQtDialogProvider()
{
    static QtDialogProvider provider;
    SetDialogProvider(&provider);
}
