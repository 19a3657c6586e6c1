// Not a test: the "Add watch" picker for a person to look at. scripts/
// screenshots runs it under Xvfb with ZP_SHOTS naming the folder.

#include "monitor/CIDList.h"
#include "monitor/valuedefs.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <QString>

#include <cstdlib>

namespace {

// The picker as "Add watch" opens it, after the user ticked "Basic", turned
// TPS off and clicked LAMBDA2's Value twice (all off, then Value alone on):
// the group shows partly. LAMBDA1 is faded as a value the unit does not send.
TEST(PickerScreenshots, PartlyCheckedGroup)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    ValueDefs = InitialValueDefs();
    LangIndex = 0;
    GetDef(1030)->flags = 0;
    TFormCIDList form(nullptr);
    TCIDList* list = form.List;
    form.SetBounds(0, 0, 600, 400);
    list->root.ClearMarks();
    list->root.ResolveNames();
    list->root.FindId(1100)->expanded = 0;
    list->root.FindId(1090)->check[1] = 1;
    form.Show();
    const auto press = [&](int x, int y) {
        list->pointerX = x;
        list->pointerY = y;
        list->Click();
    };
    press(260, 32); // "Basic": Value
    press(270, 68); // TPS: all its widgets off
    press(270, 104); // LAMBDA2
    press(270, 104);
    list->SetFocus();
    form.OnTimer();
    EXPECT_TRUE(form.grab().save(QString::fromUtf8(folder) + "/picker-partly.png"));
    ValueDefs = InitialValueDefs();
}

} // namespace
