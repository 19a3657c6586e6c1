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

} // namespace
