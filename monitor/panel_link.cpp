// The live request of the main window: the Tuning page's switches, the
// image's tuning bytes and test values and the pending one-shot commands go
// into the link's transmit image, and the live job is posted for one try.
#include "monitor/panel.h"

#include "app/main.h"

namespace {
constexpr int LIVE_JOB_FLAGS = JOBFLAG_MARK | JOBFLAG_SINGLE_TRY;
}

void SendLiveRequest(TMainForm* form)
{
    const LivePageControls& tuning = form->Monitor.Pages;
    LiveRequestInputs inputs;
    inputs.tuningOn = tuning.CheckBoxLadeniPovoleno && tuning.CheckBoxLadeniPovoleno->Checked();
    inputs.tuningSwitchItem = tuning.RadioGroupLadeniOnByTLS ? tuning.RadioGroupLadeniOnByTLS->ItemIndex() : 0;
    SendLiveRequest(inputs, form->PcImage, form->OneShot,
        std::span<uint8_t, LIVE_REQUEST_LEN>(form->Link->TxImage, LIVE_REQUEST_LEN));
    if (!form->Link->PostJob(JOB_LIVE, 0, LIVE_REQUEST_LEN, LIVE_JOB_FLAGS))
        form->OneShot.PostRefused();
}
