// The Advance page with an emulated unit behind the link: with "Programming
// after change" an edit reaches the unit as changed bytes, and a block the
// unit reports as changed is read back into the map.
#include "pageunit.h"

#include "pages/advance.h"

namespace {

using namespace advance_cells;

using AdvanceWithUnit = PageWithUnit;

TEST_F(AdvanceWithUnit, AnEditIsProgrammedAsChangedBytes)
{
    ASSERT_TRUE(Connected());
    form->CheckBoxProgHned->SetChecked(true);
    const int cell = MAP + 15 * 4 + 6;
    const uint8_t value = Byte(cell) == 31 ? 32 : 31;
    TTab* table = form->Maps.AdvanceTable;
    table->Sheet->Sel.SelectItem(table->TableHitMap, 6, 4);
    for (char digit : std::to_string(value))
        table->HandleKey(0, digit);
    table->HandleKey(KEY_ENTER, 0);
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    EXPECT_EQ(form->Images.ChangeMarks[size_t(cell)], 1);

    const uint64_t heardBefore = unit.BytesHeard();
    ASSERT_TRUE(Run([&] { return form->LinkRequest == REQ_NONE && Idle() && unit.Image().b[size_t(cell)] == value; }));
    EXPECT_TRUE(unit.Image() == form->PcImage);
    EXPECT_EQ(form->Images.ChangeMarks[size_t(cell)], 0) << "the marks go once the unit has the bytes";
    // Only the changed bytes travel: far less than the whole image.
    EXPECT_LT(unit.BytesHeard() - heardBefore, uint64_t(RS_LEN_EXE / 2));
}

TEST_F(AdvanceWithUnit, ABlockTheUnitChangedIsReadBackIntoTheMap)
{
    ASSERT_TRUE(Connected());
    const int cell = MAP + 15 * 7 + 2;
    RsImage changed = form->PcImage;
    changed.b[size_t(cell)] = uint8_t(Byte(cell) == 44 ? 45 : 44);
    unit.SetImage(changed);
    unit.SetChangedBlocks(1 << 8);
    TTab* table = form->Maps.AdvanceTable;
    ASSERT_TRUE(Run([&] { return Byte(cell) == changed.b[size_t(cell)] && form->ChangedBlocks == 0 && Idle(); }));
    EXPECT_EQ(table->Sheets[0].V.Values[7 * TAB_MAX_COLS + 2], changed.b[size_t(cell)]);
    EXPECT_TRUE(form->PcImage == changed);
    EXPECT_EQ(form->LinkRequest, REQ_NONE) << "a read from the unit is not an edit";
}

} // namespace
