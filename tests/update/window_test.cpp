// The update check on the headless main window: the request a little after
// start-up against a web server on the loopback, the update window, and what
// each answer leaves behind.
#include "update/PatchForm.h"
#include "update/update.h"

#include "httpserver.h"
#include "updatewindow.h"

#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

using namespace updatetest;

const char* const TRYING = "Trying updates...";

const QByteArray DESCRIPTION = "<patches><product class=\"Zeperon_12\" key=\"308\">"
                               "<recommendation update_number=\"12\"><english>Version 12 {is} out</english>"
                               "<web>http://example.com/news</web>"
                               "<download>http://example.com/zeperon_setup.exe</download>"
                               "</recommendation></product></patches>";

} // namespace

TEST_F(UpdateWindow, AServedOfferIsShownOnceAfterTwoSeconds)
{
    LocalHttpServer server(LocalHttpServer::Answer::Serve, DESCRIPTION);
    UseServer(server.BaseUrl());
    Start();
    Tick(40);
    EXPECT_NE(Panel0(), TRYING) << "not before the clock has passed 2000";
    Tick();
    EXPECT_EQ(Panel0(), TRYING);
    ASSERT_TRUE(WaitFetched());

    AnswerWith([](TFormPatch* window) { window->ButtonPatchCancel->Click(); });
    Tick();
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(shown.text, "Version 12 {is} out");
    EXPECT_TRUE(shown.download);
    EXPECT_TRUE(shown.web);
    EXPECT_EQ(shown.geometry.size(), QSize(667, 475));
    EXPECT_EQ(shown.geometry.left(), form->Left() + (form->Width() - 667) / 2);
    EXPECT_EQ(shown.geometry.top(), form->Top() + (form->Height() - 475) / 2);
    EXPECT_EQ(FormPatch, nullptr) << "the window goes after the offer";
    EXPECT_EQ(Panel0(), "");
    Tick(10);
    EXPECT_EQ(shown.count, 1) << "one offer per run";

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /old/patch.xml HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(
        requests[0].find("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"), std::string::npos);
}

TEST_F(UpdateWindow, AFailedCheckShowsNothingAndTheStatusStays)
{
    LocalHttpServer server(LocalHttpServer::Answer::NotFound, DESCRIPTION);
    UseServer(server.BaseUrl());
    Start();
    dialogs.boxes.clear();
    TickToTheRequest();
    ASSERT_TRUE(WaitFetched());
    AnswerWith([](TFormPatch* window) { window->ButtonPatchCancel->Click(); });
    Tick(10);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.count, 0);
    EXPECT_EQ(Panel0(), TRYING);
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(UpdateWindow, NoPatchCheckAsksNothing)
{
    LocalHttpServer server(LocalHttpServer::Answer::Serve, DESCRIPTION);
    UseServer(server.BaseUrl());
    Construct();
    form->CommandLine = { "nopatchcheck" };
    form->FormCreate(form.get());
    Tick(100);
    EXPECT_NE(Panel0(), TRYING);
    EXPECT_EQ(form->UpdateWorker.State(), UPDATE_IDLE) << "the worker is never asked";
    TCloseAction action = caHide;
    form->FormClose(form.get(), action);
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateWindow, AClosingWindowJoinsTheWorkerDuringASilentRequest)
{
    LocalHttpServer server(LocalHttpServer::Answer::Stall);
    UseServer(server.BaseUrl());
    Start();
    TickToTheRequest();
    ASSERT_TRUE(server.WaitForRequest());
    const auto start = std::chrono::steady_clock::now();
    TCloseAction action = caHide;
    form->FormClose(form.get(), action);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    UpdateShared& shared = form->UpdateWorker.Shared();
    std::lock_guard lock(shared.mutex);
    EXPECT_TRUE(shared.finished) << "the worker has ended";
}

TEST_F(UpdateWindow, EachAnswerDoesItsPart)
{
    struct Case {
        const char* name;
        PatchOffer offer;
        std::function<void(TFormPatch*)> answer;
        bool shellWorks = true;
        // Expected effects.
        int updateNumber = -1;
        bool saved = false;
        std::vector<QString> shellOpens = {};
        QString box = {};
        bool closed = false;
    };
    auto click = [](TButton* TFormPatch::*button) { return [button](TFormPatch* w) { (w->*button)->Click(); }; };
    const Case cases[] = {
        { "never remind", Offer(), click(&TFormPatch::ButtonPatchCancel1), true, 12, true },
        { "remind later", Offer(), click(&TFormPatch::ButtonPatchCancel) },
        { "closed by its frame", Offer(), [](TFormPatch* w) { w->close(); } },
        { "Esc postpones", Offer(), [](TFormPatch* w) { QTest::keyClick(w, Qt::Key_Escape); } },
        { "Esc without the download button", Offer(""), [](TFormPatch* w) { QTest::keyClick(w, Qt::Key_Escape); } },
        { "download an installer", Offer(), click(&TFormPatch::ButtonPatchDownload), true, -1, true,
            { "http://example.com/zeperon_setup.exe" }, "After downloading run new installer.", true },
        { "download an archive", Offer("https://example.com/zeperon.zip"), click(&TFormPatch::ButtonPatchDownload),
            true, -1, true, { "https://example.com/zeperon.zip" },
            "After downloading store new version to suitable location instead of current version.", true },
        { "download that cannot be opened", Offer(), click(&TFormPatch::ButtonPatchDownload), false, -1, false,
            { "http://example.com/zeperon_setup.exe" },
            "The download address could not be opened:\nhttp://example.com/zeperon_setup.exe" },
        { "web page, then later", Offer(),
            [](TFormPatch* w) {
                w->ButtonPatchWWW->Click();
                EXPECT_TRUE(w->isVisible()) << "the window stays";
                w->ButtonPatchCancel->Click();
            },
            true, -1, false, { "http://example.com/news" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        std::filesystem::remove(form->AppIniPath);
        form->UpdateNumber = -1;
        dialogs.boxes.clear();
        dialogs.shellResult = c.shellWorks;
        form->StatusBar1->Panels(0)->SetText(TRYING);
        AnswerWith(c.answer);
        PresentPatchOffer(form.get(), c.offer);
        EXPECT_EQ(shown.count, 1);
        EXPECT_EQ(FormPatch, nullptr);
        EXPECT_EQ(form->UpdateNumber, c.updateNumber);
        EXPECT_EQ(AppIni().find("UpdateNumber=12\r\n") != std::string::npos, c.updateNumber == 12);
        EXPECT_EQ(settingsSaves > 0, c.saved);
        EXPECT_EQ(dialogs.shellOpens, c.shellOpens);
        if (c.box.isEmpty()) {
            EXPECT_TRUE(dialogs.boxes.empty());
        } else {
            ASSERT_EQ(dialogs.boxes.size(), 1u);
            EXPECT_EQ(dialogs.boxes[0].text, c.box);
            EXPECT_EQ(dialogs.boxes[0].caption, "Downloading");
        }
        EXPECT_EQ(Closed(), c.closed);
        EXPECT_EQ(Panel0(), "");
        form.reset();
        dialogs.boxes.clear();
        dialogs.shellOpens.clear();
        shown = {};
    }
}

TEST_F(UpdateWindow, ADeclinedNumberIsNotOfferedAgain)
{
    Start();
    AnswerWith([](TFormPatch* w) { w->ButtonPatchCancel1->Click(); });
    ShowPatchOffer(form.get(), DESCRIPTION.constData(), size_t(DESCRIPTION.size()));
    ASSERT_EQ(shown.count, 1);
    EXPECT_NE(AppIni().find("UpdateNumber=12\r\n"), std::string::npos);

    // The next run reads the number back and shows nothing.
    form.reset();
    Start();
    EXPECT_EQ(form->UpdateNumber, 12);
    AnswerWith([](TFormPatch* w) { w->ButtonPatchCancel->Click(); });
    ShowPatchOffer(form.get(), DESCRIPTION.constData(), size_t(DESCRIPTION.size()));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.count, 1);
}

TEST_F(UpdateWindow, ButtonsAndCaptionsFollowTheOfferAndTheLanguage)
{
    struct Case {
        const char* name;
        int lang;
        PatchOffer offer;
        bool download;
        bool web;
        std::string captions;
    };
    const std::string english
        = "Update|Download update|go to WWW|Cancel (don't remind this update)|Cancel (remaind later)";
    const Case cases[] = {
        { "both", 0, Offer(), true, true, english },
        { "no download", 0, Offer(""), false, true, english },
        { "no web page", 0, Offer("http://e.com/a.zip", ""), true, false, english },
        { "neither", 0, Offer("", ""), false, false, english },
        { "German reads English", 1, Offer(), true, true, english },
        { "Czech", 2, Offer(), true, true,
            "Aktualizace|Stáhni aktualizaci|jdi na WWW|Zpět (nepřipomínej tuto aktualizaci)|Zpět (připomeň příště)" },
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LangIndex = c.lang;
        AnswerWith([](TFormPatch* w) { w->ButtonPatchCancel->Click(); });
        PresentPatchOffer(form.get(), c.offer);
        EXPECT_EQ(shown.download, c.download);
        EXPECT_EQ(shown.web, c.web);
        EXPECT_EQ(shown.captions, c.captions);
    }
}

TEST_F(UpdateWindow, RichTextIsShownFormattedAndPlainTextLiterally)
{
    Start();
    PatchOffer rich = Offer();
    rich.rich = true;
    rich.text = "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}Plain {\\b bold} \\cf1 red\\par second}";
    std::vector<std::pair<std::string, QTextCharFormat>> fragments;
    std::string plainText;
    AnswerWith([&](TFormPatch* w) {
        QTextDocument* document = w->RichEditPatch->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                fragments.emplace_back(it.fragment().text().toStdString(), it.fragment().charFormat());
        EXPECT_TRUE(w->RichEditPatch->ReadOnly());
        w->ButtonPatchCancel->Click();
    });
    PresentPatchOffer(form.get(), rich);
    ASSERT_EQ(fragments.size(), 5u);
    EXPECT_EQ(fragments[1].first, "bold");
    EXPECT_EQ(fragments[1].second.fontWeight(), QFont::Bold);
    EXPECT_EQ(fragments[0].second.fontWeight(), QFont::Normal);
    EXPECT_EQ(fragments[3].first, "red");
    EXPECT_EQ(fragments[3].second.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(fragments[4].first, "second") << "a paragraph of its own";

    PatchOffer plain = Offer();
    plain.text = "{\\rtf} {\\b not bold}";
    AnswerWith([&](TFormPatch* w) {
        plainText = w->RichEditPatch->Text();
        w->ButtonPatchCancel->Click();
    });
    PresentPatchOffer(form.get(), plain);
    EXPECT_EQ(plainText, "{\\rtf} {\\b not bold}");
}
