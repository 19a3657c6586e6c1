#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(Dialogs, DefaultAnswerFollowsTheTypesDefaultButton)
{
    struct Case {
        unsigned type;
        int answer;
    } cases[] = {
        { MB_OK, IDOK },
        { MB_OK | MB_DEFBUTTON3, IDOK }, // fewer buttons than the default asks for
        { MB_OKCANCEL, IDOK },
        { MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2, IDCANCEL },
        { MB_YESNO | MB_DEFBUTTON2, IDNO },
        { MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY },
        { MB_RETRYCANCEL | MB_SYSTEMMODAL, IDRETRY },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageBoxDefaultAnswer(c.type), c.answer) << std::hex << c.type;
}

TEST(Dialogs, PipeFiltersBecomeNameFilters)
{
    struct Case {
        const char* filter;
        QStringList expected;
    } cases[] = {
        { "IGN file|*.ign", { "IGN file (*.ign)" } },
        { "Image files|*.JPG;*JPEG;*.BMP", { "Image files (*.JPG *JPEG *.BMP)" } },
        { "IGN log file|*.ignlog|All|*.*", { "IGN log file (*.ignlog)", "All (*.*)" } },
        { "Dangling|*.a|description only", { "Dangling (*.a)" } },
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameFiltersFromPipeFilter(QString::fromLatin1(c.filter)), c.expected) << c.filter;

    EXPECT_EQ(DefaultSuffix("*.ign"), "ign");
    EXPECT_EQ(DefaultSuffix(".zmo"), "zmo");
    EXPECT_EQ(DefaultSuffix("ignlog"), "ignlog");
    EXPECT_EQ(DefaultSuffix("*."), "");
}

TEST(Dialogs, ScriptedProviderRecordsAndAnswersInOrder)
{
    ScriptedDialogs scripted;
    ScopedDialogProvider use(scripted);
    scripted.boxAnswers = { IDNO };
    scripted.fileAnswers = { "/tmp/a.ign" };
    scripted.shellResult = false;

    EXPECT_EQ(Dialogs().MessageBox("Sure?", "Warning", MB_YESNO | MB_ICONWARNING), IDNO);
    // The queue is empty now: the default button answers.
    EXPECT_EQ(Dialogs().MessageBox("Again?", "Warning", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(Dialogs().OpenFileName({ "Open", "IGN file|*.ign", 1, "*.ign", "" }), "/tmp/a.ign");
    EXPECT_EQ(Dialogs().SaveFileName({ "Save", "IGN file|*.ign", 1, "*.ign", "/tmp/a.ign" }), "");
    EXPECT_FALSE(Dialogs().OpenShell("https://example.org/manual.pdf"));

    ASSERT_EQ(scripted.boxes.size(), 2u);
    EXPECT_EQ(scripted.boxes[0].text, "Sure?");
    EXPECT_EQ(scripted.boxes[0].caption, "Warning");
    EXPECT_EQ(scripted.boxes[0].type, unsigned(MB_YESNO | MB_ICONWARNING));
    ASSERT_EQ(scripted.fileDialogs.size(), 2u);
    EXPECT_FALSE(scripted.fileDialogs[0].save);
    EXPECT_TRUE(scripted.fileDialogs[1].save);
    EXPECT_EQ(scripted.fileDialogs[1].request.fileName, "/tmp/a.ign");
    EXPECT_EQ(scripted.shellOpens, std::vector<QString> { "https://example.org/manual.pdf" });
}

TEST(Dialogs, ScopeRestoresThePreviousProviderAndTheFallbackNeverWaits)
{
    ScriptedDialogs outer, inner;
    {
        ScopedDialogProvider useOuter(outer);
        {
            ScopedDialogProvider useInner(inner);
            Dialogs().MessageBox("inner", "c", MB_OK);
        }
        Dialogs().MessageBox("outer", "c", MB_OK);
    }
    EXPECT_EQ(inner.boxes.size(), 1u);
    EXPECT_EQ(outer.boxes.size(), 1u);

    // No provider installed: answers at once without a window.
    EXPECT_EQ(SetDialogProvider(nullptr), nullptr);
    EXPECT_EQ(Dialogs().MessageBox("headless", "Error", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Dialogs().OpenFileName({}), "");
    EXPECT_FALSE(Dialogs().OpenShell("/tmp"));
}

TEST(MessageBoxes, GoThroughTheProviderWithTheirCaptionAndIcon)
{
    ScriptedDialogs dialogs;
    ScopedDialogProvider use(dialogs);
    dialogs.boxAnswers = { IDCANCEL, IDOK };

    EXPECT_EQ(MessageBoxFlagged("Chyba při otevírání souboru!", "Varování", MB_OKCANCEL | MB_ICONWARNING), IDCANCEL);
    EXPECT_EQ(ErrorBox("Column count is on maximum !", MB_OK), IDOK);
    EXPECT_EQ(ErrorBox("Motocycle #70 is not supported", MB_OKCANCEL | MB_ICONQUESTION), IDOK);

    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral(u"Chyba při otevírání souboru!"));
    EXPECT_EQ(dialogs.boxes[0].caption, QStringLiteral(u"Varování"));
    EXPECT_EQ(dialogs.boxes[0].type, unsigned(MB_OKCANCEL | MB_ICONWARNING));
    EXPECT_EQ(dialogs.boxes[1].caption, "Error");
    EXPECT_EQ(dialogs.boxes[1].type, unsigned(MB_OK | MB_ICONERROR));
    // The error icon takes the place of any other icon.
    EXPECT_EQ(dialogs.boxes[2].type, unsigned(MB_OKCANCEL | MB_ICONERROR));
}
