#pragma once
// Message boxes, file dialogs and the shell's "open" go through one provider,
// so tests can script the answers and never block on a modal window. The
// widget side installs the real provider at start-up (InstallQtDialogProvider
// in platform/qt_dialogs.h); until then a quiet fallback answers every box with
// its default button, cancels every file dialog and opens nothing.

#include <QString>

// Message box type flags and results, with the values the program's callers
// and stored habits know.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,

    MB_ICONHAND = 0x10,
    MB_ICONERROR = MB_ICONHAND,
    MB_ICONSTOP = MB_ICONHAND,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = MB_ICONEXCLAMATION,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = MB_ICONASTERISK,
    MB_ICONMASK = 0xF0,

    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,

    MB_APPLMODAL = 0x0000,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
};

enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

// The buttons a box of this type shows, in order, as ID* results.
int MessageBoxButtons(unsigned type, int (&ids)[3]);
// The result of the default button (MB_DEFBUTTON1..3; the first when the
// type has fewer buttons).
int MessageBoxDefaultAnswer(unsigned type);

// A file dialog as the callers describe it. `filter` is in the
// "Description|*.ext;*.ext2|Other|*.x" form; `filterIndex` counts from 1.
// `defaultExt` may be given as "ign" or "*.ign"; it is added to a typed name
// without extension. A save dialog asks before overwriting a file.
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExt;
    QString fileName; // initial file name or path
};

// The name filters of a "Description|*.a;*.b|..." filter, one
// "Description (*.a *.b)" entry per pair. A trailing description without a
// pattern is dropped.
QStringList NameFiltersFromPipeFilter(const QString& filter);
// "ign" from "*.ign", ".ign" or "ign"; empty when nothing is left.
QString DefaultSuffix(const QString& defaultExt);

class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // Shows a message box without owner window and returns the ID* of the
    // button pressed (IDCANCEL when a box with a Cancel button is closed).
    virtual int MessageBox(const QString& text, const QString& caption, unsigned type) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString OpenFileName(const FileDialogRequest& request) = 0;
    virtual QString SaveFileName(const FileDialogRequest& request) = 0;
    // The shell's "open" of a local path or a web address; false when no
    // program took it.
    virtual bool OpenShell(const QString& target) = 0;
};

// The provider in use; never null.
DialogProvider& Dialogs();
// Installs a provider (null puts the fallback back) and returns the previous
// one, which the caller keeps owning.
DialogProvider* SetDialogProvider(DialogProvider* provider);

// Installs a provider for the lifetime of a scope, e.g. a test.
class ScopedDialogProvider {
public:
    explicit ScopedDialogProvider(DialogProvider& provider)
        : previous_(SetDialogProvider(&provider))
    {
    }
    ~ScopedDialogProvider() { SetDialogProvider(previous_); }
    ScopedDialogProvider(const ScopedDialogProvider&) = delete;
    ScopedDialogProvider& operator=(const ScopedDialogProvider&) = delete;

private:
    DialogProvider* previous_;
};

// A message box without owner window (8-bit texts); returns the button
// pressed (IDOK, IDYES, ...). Types and results are above.
int MessageBoxFlagged(const char* text, const char* caption, unsigned type);
// MessageBoxFlagged with the caption "Error" and the error icon.
int ErrorBox(const char* text, unsigned type);
