#include "platform/dialogs.h"

#include "platform/cp1250.h"

#include <QStringList>

#include <atomic>
#include <cstdio>

int MessageBoxButtons(unsigned type, int (&ids)[3])
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        ids[0] = IDOK, ids[1] = IDCANCEL;
        return 2;
    case MB_ABORTRETRYIGNORE:
        ids[0] = IDABORT, ids[1] = IDRETRY, ids[2] = IDIGNORE;
        return 3;
    case MB_YESNOCANCEL:
        ids[0] = IDYES, ids[1] = IDNO, ids[2] = IDCANCEL;
        return 3;
    case MB_YESNO:
        ids[0] = IDYES, ids[1] = IDNO;
        return 2;
    case MB_RETRYCANCEL:
        ids[0] = IDRETRY, ids[1] = IDCANCEL;
        return 2;
    default:
        ids[0] = IDOK;
        return 1;
    }
}

int MessageBoxDefaultAnswer(unsigned type)
{
    int ids[3] = {};
    const int count = MessageBoxButtons(type, ids);
    const int wanted = int((type & MB_DEFMASK) >> 8);
    return ids[wanted < count ? wanted : 0];
}

QStringList NameFiltersFromPipeFilter(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        result << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return result;
}

QString DefaultSuffix(const QString& defaultExt)
{
    QString s = defaultExt.trimmed();
    while (s.startsWith(QLatin1Char('*')) || s.startsWith(QLatin1Char('.')))
        s.remove(0, 1);
    return s;
}

namespace {

// Answers without a window: the default button, no file, nothing opened. What
// would have been shown goes to stderr, so a headless run still tells it.
class FallbackProvider final : public DialogProvider {
public:
    int MessageBox(const QString& text, const QString& caption, unsigned type) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.toLocal8Bit().constData(), text.toLocal8Bit().constData());
        return MessageBoxDefaultAnswer(type);
    }
    QString OpenFileName(const FileDialogRequest&) override { return {}; }
    QString SaveFileName(const FileDialogRequest&) override { return {}; }
    bool OpenShell(const QString&) override { return false; }
};

FallbackProvider fallbackProvider;
std::atomic<DialogProvider*> currentProvider { nullptr };

} // namespace

DialogProvider& Dialogs()
{
    DialogProvider* p = currentProvider.load(std::memory_order_acquire);
    return p ? *p : fallbackProvider;
}

DialogProvider* SetDialogProvider(DialogProvider* provider)
{
    return currentProvider.exchange(provider, std::memory_order_acq_rel);
}

int MessageBoxFlagged(const char* text, const char* caption, unsigned type)
{
    return Dialogs().MessageBox(QStringFromCp1250(text ? text : ""), QStringFromCp1250(caption ? caption : ""), type);
}

int ErrorBox(const char* text, unsigned type)
{
    return MessageBoxFlagged(text, "Error", (type & ~unsigned(MB_ICONMASK)) | MB_ICONERROR);
}
