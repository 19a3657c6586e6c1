// Not a test: the printed pages of the main window, for a person to look at.
// scripts/screenshots runs it with ZP_SHOTS naming the folder: Print writes
// print-page.pdf, Print All print-all.pdf, and pdftoppm turns their pages
// into PNG pictures beside them.

#include "pages/pagewindow.h"

#include "print/printing.h"
#include "print/printsink.h"

#include <QProcess>

#include <cstdlib>

namespace {

class PrintPictures : public PageWindow {
protected:
    void SetUp() override
    {
        PrintListsInit();
        PageWindow::SetUp();
    }
    void TearDown() override
    {
        PageWindow::TearDown();
        PrintListsFinal();
    }
};

TEST_F(PrintPictures, PrintAndPrintAll)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    const QString dir = QString::fromUtf8(folder);
    form->resize(1240, 760);
    ScopedPrintSinkFactory asking([] { return AskForPdfSink(); });
    dialogs.fileAnswers = { dir + "/print-page.pdf", dir + "/print-all.pdf" };
    form->SpeedButtonPrintClick(nullptr);
    form->MenuPrintAllClick(nullptr);
    ASSERT_TRUE(dialogs.boxes.empty());
    for (const char* name : { "print-page", "print-all" })
        EXPECT_EQ(QProcess::execute(
                      QStringLiteral("pdftoppm"), { "-png", "-r", "60", dir + "/" + name + ".pdf", dir + "/" + name }),
            0);
}

} // namespace
