#include "monitor/livelink.h"

#include "app/main.h"
#include "monitor/panel.h"

namespace {
constexpr int LIVE_JOB_FLAGS = JOBFLAG_MARK | JOBFLAG_SINGLE_TRY;
}

void SendLiveRequest(TMainForm* form)
{
    const LivePageControls& tuning = form->Live.Pages;
    LiveRequestInputs inputs;
    inputs.tuningOn = tuning.CheckBoxLadeniPovoleno && tuning.CheckBoxLadeniPovoleno->Checked();
    inputs.tuningSwitchItem = tuning.RadioGroupLadeniOnByTLS ? tuning.RadioGroupLadeniOnByTLS->ItemIndex() : 0;
    SendLiveRequest(inputs, form->PcImage, form->Live.OneShot,
        std::span<uint8_t, LIVE_REQUEST_LEN>(form->Link->TxImage, LIVE_REQUEST_LEN));
    if (!form->Link->PostJob(JOB_LIVE, 0, LIVE_REQUEST_LEN, LIVE_JOB_FLAGS))
        form->Live.OneShot.PostRefused();
}

bool TakeLiveAnswer(TMainForm* form, int32_t result)
{
    if (result != JOB_DONE) {
        form->Live.OneShot.Failed();
        return false;
    }
    std::span<uint8_t, LIVE_BLOCK_LEN> received(form->Link->RxImage, LIVE_BLOCK_LEN);
    SwapLiveWords(received);
    StoreLiveAnswer(form->Live.Block, received);
    form->Live.OneShot.Answered();
    return true;
}
