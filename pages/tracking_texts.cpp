// The Tracking page's control texts in the three languages.
#include "pages/tracking.h"

#include "app/main.h"
#include "texts/langtext.h"
#include "texts/messagetable.h"

namespace {

// A caption (item -1) or a radio group's item; a null German text shows the
// English one.
struct TrackingText {
    const char* control;
    int item;
    LangEntry text;
};
// clang-format off
constexpr TrackingText TRACKING_TEXTS[] = {
    { "TabSheet_Tracking", -1, { "Tracking", nullptr, nullptr } },
    { "CheckBoxLaunchEnable", -1, { "Launch enable", nullptr, "Ovládání startu povoleno" } },
    { "CheckBoxTrackEnable", -1, { "Track enabled", nullptr, "Track povoleno" } },
    { "LabelLaunchMaxSpeed", -1, { "Max Speed [km/h]", nullptr, "Max rychlost [km/h]" } },
    { "LabelLaunchMinAdv", -1, { "Min advance", nullptr, "Minimální předstih" } },
    { "GroupBoxStartLimiters", -1, { "Start limiters", nullptr, "Startovací limitery" } },
    { "LabelStartLimiterDelay", -1, { "Star limiter delay [ms]", "Startbegrenzer Verzögerung [ms]", "Zpoždění startovacího limiteru [ms]" } },
    { "LabelStartIgnLimiter", -1, { "Start ignition limiter", nullptr, "S. omezovač vynecháním zápalu" } },
    { "LabelStartRetardLimiter", -1, { "Start retard limiter", nullptr, "S. omezovač předstihem" } },
    { "GroupBoxAccLimiters", -1, { "Acceleration limiters", nullptr, "Akcelerační limitery" } },
    { "RadioGroupSpeedSource", -1, { "Speed source method", nullptr, "Metoda detekce rychlosti" } },
    { "RadioGroupSpeedSource", 0, { "Engine speed - RPM", nullptr, "Otáčky motoru - RPM" } },
    { "RadioGroupSpeedSource", 1, { "Rear wheel speed - km/h", nullptr, "Rychlost dle zadního kola - km/h" } },
    { "LabelAccRetardLimiter", -1, { "Acceleration retard limiter:", nullptr, "Akcelerační omezovač předstihem:" } },
    { "LabelAccLimits", -1, { "Limit conditions:", nullptr, "Omezující podmínky:" } },
    { "LabelAccReturnSpeed", -1, { "Speed of return [°/s]", nullptr, "Rychlost návratu [°/s]" } },
    { "LabelAccTpsMax", -1, { "TP max [%]", nullptr, "TP max [%]" } },
    { "LabelAccTpsMin", -1, { "TP min [%]", nullptr, "TP min [%]" } },
    { "GroupBoxStartServoIn", -1, { "Start limiter servo In", nullptr, "Nastavení serva In při start limiteru" } },
    { "CheckBoxStartServoIn", -1, { "Servo on", nullptr, "Servo zapnuto" } },
    { "LabelStartServoInFuel", -1, { "Fuel correction", nullptr, "Korekce paliva" } },
    { "GroupBoxStartServoEx", -1, { "Start limiter servo Ex", nullptr, "Nastavení serva Ex při start limiteru" } },
    { "CheckBoxStartServoEx", -1, { "Servo on", nullptr, "Servo zapnuto" } },
    { "LabelStartServoExFuel", -1, { "Fuel correction", nullptr, "Korekce paliva" } },
    { "GroupBoxTrackFilter", -1, { "Filtration", nullptr, "Filtrace" } },
    { "LabelTrackSections", -1, { "Sections", nullptr, "Počet úseků" } },
    { "LabelTrackOverlap", -1, { "Overlap", nullptr, "Přesah" } },
    { "RadioButtonTrackBegin", -1, { "Begin", nullptr, "Začátek zubu" } },
    { "RadioButtonTrackEnd", -1, { "End", nullptr, "Konec zubu" } },
    { "LabelTrackMinRpm", -1, { "Min Rpm", nullptr, "Min Rpm" } },
    { "LabelTrackMinAdv", -1, { "Min Adv", nullptr, "Min Adv" } },
    { "LabelTrackMinTps", -1, { "Min TP [%]", nullptr, "Min TP [%]" } },
    { "LabelTrackMinSpeed", -1, { "Min Speed [km/h]", nullptr, "Min Speed [km/h]" } },
    { "GroupBoxTrackLimits", -1, { "Limits", nullptr, "Omezující podmínky" } },
};
// clang-format on

} // namespace

void ApplyTrackingTexts(TMainForm* form)
{
    for (const TrackingText& row : TRACKING_TEXTS) {
        TComponent* component = form->FindComponent(row.control);
        const std::string_view text = LangEntryText(row.text, LangIndex);
        if (row.item < 0) {
            if (auto* control = dynamic_cast<TControl*>(component))
                control->SetCaption(text);
        } else if (auto* group = dynamic_cast<TRadioGroup*>(component)) {
            if (row.item < group->ItemCount())
                group->SetItemText(row.item, text);
        }
    }
}
