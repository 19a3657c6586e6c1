#pragma once
// The main window with the update window answered by the test: each time it
// shows, what it showed is kept and the test's answer clicks a button.

#include "update/PatchForm.h"
#include "update/update.h"

#include "support/mainwindow.h"

#include <QRect>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <utility>

namespace updatetest {

// What the update window showed when the test answered it.
struct Shown {
    int count = 0;
    std::string text;
    bool download = false;
    bool web = false;
    std::string captions;
    QRect geometry;
};

class UpdateWindow : public HeadlessMainWindow {
protected:
    void TearDown() override
    {
        HeadlessMainWindow::TearDown();
        setenv("ZEPERON_UPDATE_URL", savedUrl.c_str(), 1);
    }

    // The main window asks this server for the description.
    void UseServer(const QString& base) { setenv("ZEPERON_UPDATE_URL", base.toUtf8().constData(), 1); }

    // Ticks until the program clock has passed two seconds.
    void TickToTheRequest() { Tick(41); }

    bool WaitFetched()
    {
        UpdateShared& shared = form->UpdateWorker.Shared();
        std::unique_lock lock(shared.mutex);
        return shared.wake.wait_for(lock, std::chrono::seconds(60),
            [&] { return shared.UpdateState.load(std::memory_order_acquire) == UPDATE_FETCHED; });
    }

    // The next time events run, the update window is looked at and answered
    // when it shows.
    void AnswerWith(std::function<void(TFormPatch*)> answer)
    {
        QTimer::singleShot(0, [this, answer] {
            if (!FormPatch || !FormPatch->isVisible())
                return;
            ++shown.count;
            shown.text = FormPatch->RichEditPatch->Text();
            shown.download = FormPatch->ButtonPatchDownload->Visible();
            shown.web = FormPatch->ButtonPatchWWW->Visible();
            shown.captions = FormPatch->Caption() + "|" + FormPatch->ButtonPatchDownload->Caption() + "|"
                + FormPatch->ButtonPatchWWW->Caption() + "|" + FormPatch->ButtonPatchCancel1->Caption() + "|"
                + FormPatch->ButtonPatchCancel->Caption();
            shown.geometry = QRect(FormPatch->Left(), FormPatch->Top(), FormPatch->Width(), FormPatch->Height());
            answer(FormPatch);
        });
    }

    std::string AppIni() const
    {
        std::ifstream in(form->AppIniPath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string Panel0() const { return form->StatusBar1->Panels(0)->Text(); }
    bool Closed() const { return form->UpdateWorker.Shared().UpdateStopFlag.load() != 0; }

    std::string savedUrl = std::getenv("ZEPERON_UPDATE_URL") ? std::getenv("ZEPERON_UPDATE_URL") : "";
    Shown shown;
};

inline PatchOffer Offer(std::string download = "http://example.com/zeperon_setup.exe",
    std::string web = "http://example.com/news", int number = 12)
{
    PatchOffer offer;
    offer.text = "Version 12";
    offer.number = number;
    offer.download = std::move(download);
    offer.web = std::move(web);
    return offer;
}

} // namespace updatetest
