// The 55 ms tick: the only periodic driver of the user-interface thread. The
// link step runs before the commit of a pending edit, and nothing in here
// waits on the serial port.
#include "app/main.h"

#include "app/comportmenu.h"
#include "app/editpath.h"
#include "app/main_link.h"
#include "monitor/ExtMon.h"
#include "pages/pages.h"
#include "platform/clock.h"
#include "update/update.h"

#include <cstdio>

namespace {

constexpr int TUNING_CHANNEL_BYTE = 2991;
constexpr int PULSE_SOURCE_BYTE = 2649;

struct EditFixUp {
    const char* typed;
    int position;
    const char* shown;
    uint8_t stored;
};
// The pulse source shows its two sensor codes by name; -2 is looked at after
// -1, as a fix-up of -1 leaves a text that is no longer "-1".
constexpr EditFixUp PULSE_SOURCE_FIXUPS[] = {
    { "-1", -1, "CKPS", 255 },
    { "-2", -2, "CMPS", 254 },
};

} // namespace

void TMainForm::Timer1Timer(TObject*)
{
    char text[32];
    std::snprintf(text, sizeof text, "MON BIKE=%i", int(Images.UnitBike));
    LabelTmp->SetCaption(text);

    // The count wraps after about 3.7 years of running instead of overflowing.
    TickCount = int32_t(uint32_t(TickCount) + 1u);
    SetProgramClock(TickCount);
    if (!FormCreated)
        return;

    if (ExtMonitorAtStart)
        ShowExternalMonitor(this, 0);
    if (!InjectionBackgroundsSet) {
        InjectionBackgroundsSet = 1;
        SetInjectionBackgrounds(this);
    }
    LinkTimerStep(this);
    RefreshLiveMonitorWhenDataGone(this);
    if (Link->PortListChanged)
        UpdateComPortMenu(this);
    CommitPendingEdit(this);
    SyncMapTables(Maps);
    ExpireMessageSlots(MessageSlot, TickCount);
    RefreshPageColours(this);
    UpdateCheckTimerStep(this);

    // Values typed into these two edits that stand for a named choice are
    // written straight into the image; the page's next commit stores the same.
    if (EditLadeniKanal && UpDownLadeniKanal && EditLadeniKanal->Text() == "0") {
        UpDownLadeniKanal->SetPosition(0);
        EditLadeniKanal->SetText("ALL");
        PcImage.b[TUNING_CHANNEL_BYTE] = 0;
    }
    if (EditRpmPulsu && UpDownRpmPulsu) {
        for (const EditFixUp& fix : PULSE_SOURCE_FIXUPS) {
            if (EditRpmPulsu->Text() != fix.typed)
                continue;
            UpDownRpmPulsu->SetPosition(fix.position);
            EditRpmPulsu->SetText(fix.shown);
            PcImage.b[PULSE_SOURCE_BYTE] = fix.stored;
        }
    }
    LogPlayerTick(this);
}
