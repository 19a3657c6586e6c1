#include "print/printsink.h"

#include "platform/controls.h"
#include "platform/dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <stdexcept>

namespace {

PrintSinkFactory& InstalledFactory()
{
    static PrintSinkFactory factory;
    return factory;
}

void DrawOnPrinter(QPrinter& printer, QPainter& painter, TForm& form)
{
    // The painter's origin is the top left of the printable area.
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    DrawFittedImage(painter, page, form.GetFormImage());
}

class PrinterSink final : public PrintSink {
public:
    void PrintForm(TForm& form) override
    {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Zeperon_12"));
        QPainter painter;
        if (!painter.begin(&printer))
            throw std::runtime_error("The printer cannot be used.");
        DrawOnPrinter(printer, painter, form);
        if (!painter.end())
            throw std::runtime_error("The printer did not take the page.");
    }
};

// Written under a temporary name beside the target and renamed over it once
// complete, so a failed print never leaves half a file.
class PdfSink final : public PrintSink {
public:
    explicit PdfSink(const QString& path)
        : path_(path)
        , partial_(path + QStringLiteral(".part"))
        , printer_(QPrinter::HighResolution)
    {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(partial_);
        printer_.setDocName(QFileInfo(path).completeBaseName());
    }
    ~PdfSink() override
    {
        if (painter_.isActive())
            painter_.end();
        if (!finished_)
            QFile::remove(partial_);
    }

    void PrintForm(TForm& form) override
    {
        if (!painter_.isActive()) {
            if (!painter_.begin(&printer_))
                throw std::runtime_error("The PDF file cannot be written: " + path_.toStdString());
        } else if (!printer_.newPage())
            throw std::runtime_error("The PDF file cannot take another page: " + path_.toStdString());
        DrawOnPrinter(printer_, painter_, form);
    }

    void Finish() override
    {
        if (!painter_.isActive())
            return; // nothing printed: no file
        if (!painter_.end())
            throw std::runtime_error("The PDF file cannot be written: " + path_.toStdString());
        QFile::remove(path_);
        if (!QFile::rename(partial_, path_))
            throw std::runtime_error("The PDF file cannot be written: " + path_.toStdString());
        finished_ = true;
    }

private:
    QString path_;
    QString partial_;
    QPrinter printer_;
    QPainter painter_;
    bool finished_ = false;
};

} // namespace

void DrawFittedImage(QPainter& painter, const QRect& page, const QImage& image)
{
    if (image.isNull() || page.isEmpty())
        return;
    const double scale = std::min(double(page.width()) / image.width(), double(page.height()) / image.height());
    const QRectF target(page.left(), page.top(), image.width() * scale, image.height() * scale);
    painter.drawImage(target, image);
}

std::unique_ptr<PrintSink> MakePrinterSink()
{
    return std::make_unique<PrinterSink>();
}

std::unique_ptr<PrintSink> MakePdfSink(const QString& path)
{
    return std::make_unique<PdfSink>(path);
}

std::unique_ptr<PrintSink> AskForPdfSink()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Print to PDF file");
    request.filter = QStringLiteral("PDF file|*.pdf");
    request.defaultExt = QStringLiteral("pdf");
    const QString path = Dialogs().SaveFileName(request);
    if (path.isEmpty())
        return nullptr;
    return MakePdfSink(path);
}

std::unique_ptr<PrintSink> OpenPrintSink()
{
    if (InstalledFactory())
        return InstalledFactory()();
    if (!QPrinterInfo::defaultPrinter().isNull())
        return MakePrinterSink();
    return AskForPdfSink();
}

PrintSinkFactory SetPrintSinkFactory(PrintSinkFactory factory)
{
    PrintSinkFactory previous = std::move(InstalledFactory());
    InstalledFactory() = std::move(factory);
    return previous;
}
