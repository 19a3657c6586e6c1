// The main window's side of the link sequencer: the services it calls of the
// window, and the link steps the tick, the port notices and the COM menu run.
#include "app/main_link.h"

#include "app/main.h"

#include "app/settings.h"
#include "image/consistency.h"
#include "monitor/panel.h"
#include "pages/pages.h"
#include "platform/dialogs.h"

namespace {

class MainLinkHost : public LinkHost {
public:
    explicit MainLinkHost(TMainForm& form)
        : form_(form)
    {
    }

    void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority) override
    {
        form_.ShowMessageSlot(slot, text, durationMs, textColour, background, priority);
    }
    void CompareUnitWithPc() override { form_.CompareUnitWithPc(); }
    void UpdateMainCaption() override { form_.UpdateMainCaption(); }
    void SetProgressGauge(int position, int32_t foreColour, bool show) override
    {
        TCGauge* gauge = form_.CGaugeProgram;
        gauge->SetMaxValue(100);
        gauge->SetProgress(position);
        if (foreColour != KEEP_COLOR)
            gauge->SetForeColor(foreColour);
        if (show)
            gauge->SetVisible(true);
    }
    void SetComLabel(const std::string& text) override
    {
        if (form_.LabelCom->Caption() != text)
            form_.LabelCom->SetCaption(text);
    }
    void NormalizeImage() override { NormalizeParameterImage(form_.PcImage); }
    void LoadActivePage() override { LoadPages(&form_, 0); }
    void TakeUndoSnapshot() override { form_.Undo->TakeUndoSnapshot(); }
    void SaveSettings() override { ::SaveSettings(&form_); }
    bool TakeNewInstall() override
    {
        if (!form_.NewInstall)
            return false;
        form_.NewInstall = 0;
        return true;
    }
    void ForgetFileName() override
    {
        form_.CurrentFileName.clear();
        form_.UpdateMainCaption();
    }
    void UnitIdentified(const uint8_t* identity) override { form_.UnitTexts = BuildUnitVersionTexts(identity); }
    void ShowConnectionStatus(bool reset) override
    {
        if (reset)
            form_.BuildDateTexts();
        const UnitVersionTexts& t = form_.UnitTexts;
        form_.StatusText
            = FormatStatusText(form_.UnitTypeStatus, { t.name, t.date, t.time, t.hardware, t.serial, t.lastUpdate });
        form_.StatusBar1->Panels(4)->SetText(form_.StatusText);
    }
    void ShowVersionMismatch(const std::string& text) override
    {
        MessageBoxFlagged(text.c_str(), "", MB_OK | MB_ICONWARNING);
    }
    std::string MismatchText(bool typeDiffers) override { return form_.MessageTable[typeDiffers ? 7 : 8]; }
    void SendLiveRequest() override { ::SendLiveRequest(&form_); }
    void LiveRequestEnded(bool answered) override
    {
        if (answered)
            form_.OneShot.Answered();
        else
            form_.OneShot.Failed();
    }
    void LogMonitorFrame() override { ::LogMonitorFrame(&form_); }
    void UpdateLiveMonitor() override { ::UpdateLiveMonitor(&form_); }
    void ReadNextChangedBlock() override { ::ReadNextChangedBlock(&form_); }
    void ImageRangeToMaps(int from, int to) override { ::ImageRangeToMaps(&form_, from, to); }

private:
    TMainForm& form_;
};

} // namespace

std::unique_ptr<LinkHost> MakeLinkHost(TMainForm& form)
{
    return std::make_unique<MainLinkHost>(form);
}

void LinkTimerStep(TMainForm* form)
{
    form->Sequencer.Step(form->TickCount);
}

void ClosePortAndReport(TMainForm* form)
{
    form->Sequencer.ClosePortAndReport();
}

void DropConnection(TMainForm* form)
{
    form->Sequencer.DropConnection();
}

void EnableLink(TMainForm* form)
{
    form->Sequencer.EnableLink();
}
