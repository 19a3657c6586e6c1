// The monitor player's group box under the monitor panel: the four speed
// buttons, the file name, the position, the scroll bar and the recording
// program's identity.
#include "app/main.h"

namespace {

template <class T> T* Make(TMainForm* form, TControl* parent, const char* name)
{
    T* control = new T(form);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

struct PlayerButton {
    TSpeedButton* LogPlayer::*field;
    const char* name;
    const char* caption;
    const char* hint;
};
constexpr PlayerButton BUTTONS[] = {
    { &LogPlayer::SpeedButtonPlay1, "SpeedButtonPlay1", "Rec", "Record|Record a monitor log" },
    { &LogPlayer::SpeedButtonPlay2, "SpeedButtonPlay2", "Play", "Play|Play a monitor log" },
    { &LogPlayer::SpeedButtonPlay3, "SpeedButtonPlay3", "||", "Pause|Pause the recording or the playback" },
    { &LogPlayer::SpeedButtonPlay4, "SpeedButtonPlay4", "Stop", "Stop|End the recording or the playback" },
};

struct PlayerLabel {
    TLabel* LogPlayer::*field;
    const char* name;
    int left, top, width;
};
constexpr PlayerLabel LABELS[] = {
    { &LogPlayer::LabelPlayFile, "LabelPlayFile", 150, 20, 66 },
    { &LogPlayer::LabelPlayPos, "LabelPlayPos", 6, 42, 210 },
    { &LogPlayer::LabelPlayDevice, "LabelPlayDevice", 6, 76, 210 },
};

} // namespace

void BuildLogPlayer(TMainForm* form)
{
    LogPlayer& p = form->Player;
    TGroupBox* box = Make<TGroupBox>(form, form, "GroupBoxPlayer");
    box->SetBounds(1010, 626, 222, 94);
    box->SetCaption("Monitor player");
    box->SetVisible(false);
    form->GroupBoxPlayer = box;

    int left = 6;
    for (const PlayerButton& b : BUTTONS) {
        TSpeedButton* button = Make<TSpeedButton>(form, box, b.name);
        button->SetBounds(left, 16, 34, 22);
        button->SetCaption(b.caption);
        button->SetHint(b.hint);
        button->OnClick = [form](TObject* sender) { form->SpeedButtonPlay(sender); };
        p.*b.field = button;
        left += 36;
    }
    for (const PlayerLabel& l : LABELS) {
        TLabel* label = Make<TLabel>(form, box, l.name);
        label->SetAutoSize(false);
        label->SetBounds(l.left, l.top, l.width, 14);
        p.*l.field = label;
    }
    p.ScrollBarPlay = Make<TScrollBar>(form, box, "ScrollBarPlay");
    p.ScrollBarPlay->SetKind(sbHorizontal);
    p.ScrollBarPlay->SetBounds(6, 58, 210, 16);
    p.ScrollBarPlay->OnChange = [form](TObject* sender) { form->PlayPosChange(sender); };
}
