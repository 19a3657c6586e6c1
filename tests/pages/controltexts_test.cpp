// The control texts on a started main window: every row finds its target,
// and the texts that depend on the image, on message slots or on the
// external monitor window read as they should in each language.
#include "app/language.h"
#include "pagewindow.h"

#include "monitor/ExtMon.h"
#include "pages/powerout.h"
#include "platform/stdctrls.h"

#include <memory>
#include <string>

namespace {

class ControlTexts : public PageWindow {
protected:
    void TearDown() override
    {
        FormEM = nullptr;
        monitor.reset();
        PageWindow::TearDown();
    }
    void OpenExternalMonitor()
    {
        monitor = std::make_unique<TFormEM>(nullptr);
        FormEM = monitor.get();
    }
    void Apply(int language)
    {
        LangIndex = language;
        ApplyLanguage(form.get());
    }
    std::string Caption(const char* name)
    {
        auto* control = dynamic_cast<TControl*>(form->FindComponent(name));
        return control ? control->Caption() : "(no control " + std::string(name) + ")";
    }
    TRadioGroup* Group(const char* name) { return dynamic_cast<TRadioGroup*>(form->FindComponent(name)); }
    std::unique_ptr<TFormEM> monitor;
};

int NamesLike(const TComponent* owner, const std::string& name)
{
    int count = 0;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        const std::string& other = owner->Components(i)->Name();
        count += other.size() == name.size()
            && std::equal(other.begin(), other.end(), name.begin(),
                [](char a, char b) { return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b)); });
    }
    return count;
}

TEST_F(ControlTexts, EveryRowFindsItsControlAndItsItem)
{
    OpenExternalMonitor();
    for (ControlTextTable table : AllControlTextTables())
        for (const ControlTextRow& row : table) {
            const TextTarget& target = row.target;
            const std::string where = target.name ? target.name : "target " + std::to_string(int(target.kind));
            if (target.kind == TargetKind::MESSAGE_SLOT) {
                EXPECT_TRUE(target.index >= 0 && target.index < MESSAGE_SLOTS) << where;
                continue;
            }
            const int entries = target.kind == TargetKind::HYSTERESIS_LABEL ? POWER_OUT_COUNT : 1;
            for (int entry = 0; entry < entries; ++entry) {
                TControl* control = FindControlTextTarget(form.get(), target, entry);
                ASSERT_NE(control, nullptr) << where << " " << entry;
                if (target.kind == TargetKind::CONTROL)
                    EXPECT_EQ(NamesLike(form.get(), target.name), 1) << where << " is not the only one of its name";
                if (row.property == TextProperty::ITEMS)
                    EXPECT_NE(dynamic_cast<TRadioGroup*>(control), nullptr) << where;
                if (row.property == TextProperty::ITEM) {
                    auto* group = dynamic_cast<TRadioGroup*>(control);
                    auto* combo = dynamic_cast<TComboBox*>(control);
                    ASSERT_TRUE(group || combo) << where;
                    EXPECT_LT(row.item, group ? group->ItemCount() : combo->ItemCount())
                        << where << " item " << row.item;
                }
            }
        }
}

TEST_F(ControlTexts, TheExternalMonitorKeepsItsCaptionUntilTheNextPassAndGetsItsStateBack)
{
    // Made after the main window's start-up, as the program entry makes it.
    OpenExternalMonitor();
    monitor->DoCreate();
    monitor->ConnectionLabel = form->LabelConnection;
    EXPECT_EQ(monitor->Caption(), "External Monitor");

    const struct {
        int language;
        const char* caption;
        const char* connected;
    } cases[] = {
        { 2, "Externí monitor", "Externí monitor   (Spojeno)" },
        { 1, "External monitor", "External monitor   (Verbindung)" },
        { 0, "External monitor", "External monitor   (Connected)" },
    };
    form->LabelConnection->SetVisible(false);
    for (const auto& c : cases) {
        Apply(c.language);
        EXPECT_EQ(monitor->Caption(), c.caption);
        monitor->OnTimer(nullptr);
        EXPECT_EQ(monitor->Caption(), c.connected);
        // A pass in the same language and state (a port notice, the Bike
        // page) drops the state only until the monitor's next tick.
        Apply(c.language);
        EXPECT_EQ(monitor->Caption(), c.caption);
        monitor->OnTimer(nullptr);
        EXPECT_EQ(monitor->Caption(), c.connected);
    }
    form->LabelConnection->SetVisible(true);
    Apply(0);
    monitor->OnTimer(nullptr);
    EXPECT_EQ(monitor->Caption(), "External monitor   (!!! No connection with PC !!!)");
}

TEST_F(ControlTexts, TheHuntingBoxSpeaksOfTheIntakePressureForTheIapTypes)
{
    const struct {
        int type;
        int language;
        const char* group;
        const char* condition;
        const char* first;
        const char* second;
        const char* traced;
    } cases[] = {
        { 5, 0, "IAP", "Central value", "Minimal", "Maximal", "Traced lobes" },
        { 6, 1, "IAP", "Mittleren Werte", "Minimal", "Maximal", "Überwachten Leitstück" },
        { 6, 2, "IAP", "Střední hodnota", "Nejmenší", "Největší", "Sledované palce" },
        { 0, 0, "Hunting", "Central section", "Shortest", "Longest", "Traced sections" },
        { 4, 1, "Schwingung", "Mittelabschnitt", "Kürzeste", "Längste", "Beobach. Abschnitte" },
        { 7, 2, "Kývání", "Stredni úsek", "Nejkratší", "Nejdelší", "Sledované úseky" },
    };
    for (const auto& c : cases) {
        Byte(2570) = uint8_t(c.type);
        Apply(c.language);
        const std::string which = std::to_string(c.type) + "/" + std::to_string(c.language);
        EXPECT_EQ(Caption("GroupBoxKyvani"), c.group) << which;
        EXPECT_EQ(Caption("RadioGroupKyvaniPodminka"), c.condition) << which;
        EXPECT_EQ(Group("RadioGroupKyvaniPodminka")->ItemText(0), c.first) << which;
        EXPECT_EQ(Group("RadioGroupKyvaniPodminka")->ItemText(1), c.second) << which;
        EXPECT_EQ(Caption("LabelKyvaniFaze1"), c.traced) << which;
    }
}

TEST_F(ControlTexts, TheCylinderCorrectionLabelsCountTheCylinders)
{
    const struct {
        int cylinders;
        int language;
        const char* text;
    } cases[] = {
        { 0, 0, "Correction for cylinder" },
        { 1, 0, "Correction for cylinder 1" },
        { 3, 1, "Korrektion für Zylinder 1,2,3" },
        { 4, 2, "Korekce pro válec 1,2,3,4" },
        { 7, 0, "Correction for cylinder 1,2,3,4" },
    };
    for (const auto& c : cases) {
        Byte(2574) = uint8_t(c.cylinders);
        Apply(c.language);
        EXPECT_EQ(Caption("LabelCylinderCorrection"), c.text) << c.cylinders;
        EXPECT_EQ(Caption("LabelInjCylCorrection"), c.text) << c.cylinders;
    }
}

TEST_F(ControlTexts, CaptionsFromMessageSlotsAndTheSlotsTheTextsFill)
{
    const struct {
        int language;
        const char* fallSensor; // slot 53
        const char* cooling; // slot 54
        const char* idle; // slot 76
        const char* advance; // slot 11
        const char* position; // slot 48
        const char* shiftLight; // slot 57
    } cases[] = {
        { 1, "Not Aus Sensor", "Kühlung", "Freilauf", "Vorzündung", "Lage", "Schaltblitz" },
        { 2, "Pádový senzor", "Chlazení", "Volnoběh", "Předstih", "Poloha", "Kontrolka řazení" },
        { 0, "Fall sensor", "Cooling", "Idle", "Advance", "Position", "Gear shift light" },
    };
    for (const auto& c : cases) {
        form->MessageTable[48].clear();
        form->MessageTable[57].clear();
        Apply(c.language);
        EXPECT_EQ(Caption("CheckBoxAktFall"), c.fallSensor);
        EXPECT_EQ(Caption("GroupBoxChlazeni"), c.cooling);
        EXPECT_EQ(Caption("TabSheet_Idle"), c.idle);
        EXPECT_EQ(Caption("GroupBoxMonAdvance"), c.advance);
        EXPECT_EQ(form->MessageTable[48], c.position);
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_INJECTION_POSITION]->Caption(), c.position);
        EXPECT_EQ(form->MessageTable[57], c.shiftLight);
    }
}

// Texts that are not plain translations: English kept in German, the
// Czech signs, literals resolved for the language, entries with pieces.
TEST_F(ControlTexts, TextsPerLanguage)
{
    struct Case {
        const char* control;
        int item; // -1: the caption
        const char* english;
        const char* german;
        const char* czech;
    };
    const Case cases[] = {
        { "TabSheet_Cidla", -1, "Sensors", "Senzoren", "Čidla" },
        { "CheckBoxTPS3pt", -1, "3 pt.", "3 pt.", "3 bd." },
        { "RadioGroupCharView", 1, "Resistance", "Resistance", "Odpor" },
        { "ComboBoxPotencMode", 3, "Start Limiter", "Start Limiter", "Startovací omezovač" },
        { "LabelQuickshiftDown", -1, "dn.", "dn.", "-" },
        { "LabelQuickshiftUp", -1, "up", "up", "+" },
        { "TabSheet_Tracking", -1, "Tracking", "Tracking", "Tracking" },
        { "CheckBoxLaunchEnable", -1, "Launch enable", "Launch enable", "Ovládání startu povoleno" },
        { "RadioGroupSpeedSource", 1, "Rear wheel speed - km/h", "Rear wheel speed - km/h",
            "Rychlost dle zadního kola - km/h" },
        { "LabelStartLimiterDelay", -1, "Star limiter delay [ms]", "Startbegrenzer Verzögerung [ms]",
            "Zpoždění startovacího limiteru [ms]" },
        { "LabelDCRPMmin", -1, "RPM min", "RPM min", "RPM min" },
        { "LabelPickupCorrection", -1, "Advance PickUp correction", "Advance PickUp correction",
            "PickUp korekce předstihu" },
        { "ButtonTestStart", -1, "Start", "Start", "Start" },
        { "ButtonTestServo3Minus", -1, "Idle servo  minus", "Freilauf servo minus", "Volnoběžné servo mínus" },
        { "LabelStartLimiter2", -1, "Start limiter 2 [rpm]", "Startbegrenzer 2 [rpm]", "Startovací omezovač 2 [rpm]" },
        { "LabelGearShiftLight", -1, "Gear shift light [rpm]", "Schaltblitz [rpm]", "Kontrolka řazení [rpm]" },
        { "ButtonGear6", -1, "<- Gear 6", "<- Gang 6", "<- Převod 6" },
        { "RadioGroupFrontMode", 0, "Pulse over 1s for 100 km/h", "Pulse in 1s bei 100 km/St",
            "Pulsů za 1s pro 100km/hod" },
        { "RadioGroupRearMode", 0, "Pulse over 1s for 100 km/h", "Pulse in 1s bei 100 km/St",
            "Pulsů za 1s pro 100km/hod" },
        { "RadioGroupFrontMode", 1, "Distance for pulse [mm]", "Strecke für Pulse", "Vzdálenost pro pulz" },
        { "RadioGroupRearMode", 1, "Distance for pulse [mm]", "Strecke für Pulse", "Vzdálenost pro pulz" },
        { "LabelCompensationLimit", -1, "Compensation limit [+/- %]", "Compensation limit [+/- %]",
            "Limit kompenzace [+/- %]" },
        { "CheckBoxExtMonitor", -1, "Detailed representation", "Detailliert Abbildung", "Detailní zobrazení" },
        { "TabMaintenance", -1, "Maintenance", "Wartung", "Údržba" },
        { "CheckBoxServoPercent", -1, "Percent", "Perzent", "Procent" },
    };
    for (int language : { 1, 2, 0 }) {
        Apply(language);
        for (const Case& c : cases) {
            const char* expected = language == 0 ? c.english : language == 1 ? c.german : c.czech;
            TComponent* component = form->FindComponent(c.control);
            std::string text;
            if (c.item < 0)
                text = Caption(c.control);
            else if (auto* group = dynamic_cast<TRadioGroup*>(component))
                text = group->ItemText(c.item);
            else if (auto* combo = dynamic_cast<TComboBox*>(component))
                text = combo->ItemText(c.item);
            EXPECT_EQ(text, expected) << c.control << " " << c.item << " language " << language;
        }
        for (int entry = 0; entry < POWER_OUT_COUNT; ++entry)
            EXPECT_EQ(form->PowerOut.LabelPowerOutHysteresis[size_t(entry)]->Caption(),
                language == 0       ? "Hysteresis"
                    : language == 1 ? "Hysterese"
                                    : "Hystereze")
                << entry;
    }
}

TEST_F(ControlTexts, ListsKeepTheirSelectionAndCodesAndRaiseNothing)
{
    TRadioGroup* view = Group("RadioGroupCharView");
    view->SetItemIndex(1);
    TRadioGroup* clutch = Group("RadioGroupClutchMode");
    clutch->SetItemIndex(1);
    const int clutchCode = clutch->ItemCode(1);
    auto* potentiometer = dynamic_cast<TComboBox*>(form->FindComponent("ComboBoxPotencMode"));
    potentiometer->SetItemIndex(3);
    const int potentiometerCode = potentiometer->ItemCode(3);
    int clicks = 0, changes = 0;
    view->OnClick = clutch->OnClick = [&](TObject*) { ++clicks; };
    potentiometer->OnChange = [&](TObject*) { ++changes; };

    Apply(2);
    EXPECT_EQ(view->ItemIndex(), 1);
    EXPECT_EQ(view->ItemText(0), "Napětí");
    EXPECT_EQ(view->ItemText(1), "Odpor");
    EXPECT_EQ(clutch->ItemIndex(), 1);
    EXPECT_EQ(clutch->ItemText(1), "Zpoždění zážehu");
    EXPECT_EQ(clutch->ItemCode(1), clutchCode);
    EXPECT_EQ(potentiometer->ItemIndex(), 3);
    EXPECT_EQ(potentiometer->ItemCode(3), potentiometerCode);
    EXPECT_EQ(potentiometer->Text(), "Startovací omezovač");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(ControlTexts, ARowWithoutItsTargetIsPassedByAndAHiddenTabGetsItsCaption)
{
    TRadioGroup* group = Group("RadioGroupKyvOtVyst");
    const int items = group->ItemCount();
    const ControlTextRow rows[] = {
        { "NoSuchControl", TextProperty::CAPTION, 0, { "x", "y", "z" } },
        { "RadioGroupKyvOtVyst", TextProperty::ITEM, items, { "3rd", "3.", "3." } },
        { "ComboBoxPotencMode", TextProperty::ITEM, 99, { "x", "y", "z" } },
        { "LabelMemo", TextProperty::ITEM, 0, { "x", "y", "z" } },
        { { TargetKind::PAGE_SHEET, 99 }, TextProperty::CAPTION, 0, { "x", "y", "z" } },
        { TargetKind::EXTERNAL_MONITOR, TextProperty::CAPTION, 0, { "x", "y", "z" } },
    };
    for (const ControlTextRow& row : rows)
        ApplyControlTextRow(form.get(), row);
    EXPECT_EQ(group->ItemCount(), items);

    TTabSheet* gear = form->PageSheets[PAGE_SLOT_GEAR];
    gear->SetTabVisible(false);
    Apply(1);
    EXPECT_EQ(gear->Caption(), "Gang");
    gear->SetTabVisible(true);
    EXPECT_EQ(form->PageControl1->TabBar()->tabText(gear->PageIndex()), "Gang");
}

} // namespace
