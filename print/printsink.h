#pragma once
// Where a printed window goes. A print command opens one sink, hands it the
// window once per printed sheet and finishes it. With a default printer every
// window is one printer job; without one the command writes one PDF file,
// asked for once through the dialog provider, one page per window. Tests
// install their own sink, so no test waits on a printer or a dialog.

#include <QString>

#include <functional>
#include <memory>

class QImage;
class QPainter;
class QRect;
class TForm;

class PrintSink {
public:
    virtual ~PrintSink() = default;
    // Prints the window as it looks now. Throws std::runtime_error on failure.
    virtual void PrintForm(TForm& form) = 0;
    // Ends the command; throws when its output cannot be completed. A sink
    // destroyed without Finish leaves no output behind.
    virtual void Finish() { }
};

// Draws the picture scaled to fit the page, keeping its proportions, top left.
void DrawFittedImage(QPainter& painter, const QRect& page, const QImage& image);

// One printer job per window, on the system's default printer.
std::unique_ptr<PrintSink> MakePrinterSink();
// One PDF file with a page per window; the file appears whole at Finish.
std::unique_ptr<PrintSink> MakePdfSink(const QString& path);
// Asks for the PDF file's name through the dialog provider; null when the
// user cancelled.
std::unique_ptr<PrintSink> AskForPdfSink();

// The sink of one print command: the installed factory's when there is one,
// else the default printer's when one exists, else AskForPdfSink(). Null when
// the command is to print nothing.
std::unique_ptr<PrintSink> OpenPrintSink();

using PrintSinkFactory = std::function<std::unique_ptr<PrintSink>()>;
// Installs a factory (empty puts the default back); returns the previous one.
PrintSinkFactory SetPrintSinkFactory(PrintSinkFactory factory);

class ScopedPrintSinkFactory {
public:
    explicit ScopedPrintSinkFactory(PrintSinkFactory factory)
        : previous_(SetPrintSinkFactory(std::move(factory)))
    {
    }
    ~ScopedPrintSinkFactory() { SetPrintSinkFactory(std::move(previous_)); }
    ScopedPrintSinkFactory(const ScopedPrintSinkFactory&) = delete;
    ScopedPrintSinkFactory& operator=(const ScopedPrintSinkFactory&) = delete;

private:
    PrintSinkFactory previous_;
};
