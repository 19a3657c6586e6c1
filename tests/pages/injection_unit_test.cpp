// The coupled injector maps with an emulated unit behind the link: a block
// of map 1 the unit changed is read back and becomes what the next edit of
// map 1 is compared with, and an edit reaches the unit.
#include "pageunit.h"

#include "pages/injection.h"

namespace {

using namespace injection_cells;

class CoupledMapsWithUnit : public PageWithUnit {
protected:
    void SetUp() override
    {
        PageWithUnit::SetUp();
        Byte(IMAGE_LIMITER_INJ) = 110;
        Byte(CYLINDERS) = 4;
        Byte(COUPLING) = COUPLING_COUPLED;
        for (int k = 0; k < 4; ++k) {
            Byte(RPM_COUNTS + k) = 20;
            for (int c = 0; c < 20; ++c) {
                Byte(INJECTOR_RPM + 20 * k + c) = uint8_t(10 + 5 * c);
                for (int r = 0; r < 10; ++r)
                    form->PcImage.SetWord(200 * k + 20 * r + c, 100);
            }
        }
        form->ShowPage(PAGE_SLOT_INJECTION);
        StoreAndReloadPage(form.get());
        unit.SetImage(form->PcImage);
    }
    TTab* Table() { return form->Maps.InjectionTable; }
    void TypeIntoCell(int column, int row, const std::string& text)
    {
        Table()->SelectSheet(0);
        Table()->Sheet->Sel.SelectItem(Table()->TableHitMap, column, row);
        for (char c : text)
            Table()->HandleKey(0, c);
        Table()->HandleKey(KEY_ENTER, 0);
    }
    uint16_t MapWord(const RsImage& image, int map, int column, int row) const
    {
        return image.Word(200 * map + 20 * row + column);
    }
};

TEST_F(CoupledMapsWithUnit, AReadBackOfMapOneIsWhatTheNextEditIsComparedWith)
{
    ASSERT_TRUE(Connected());
    // The unit changed map 1 at (3, 2) from 1000 to 1100 (0.11 ms) on its own.
    RsImage changed = form->PcImage;
    changed.SetWord(20 * 2 + 3, 110);
    unit.SetImage(changed);
    unit.SetChangedBlocks(1 << 0);
    ASSERT_TRUE(Run([&] { return MapWord(form->PcImage, 0, 3, 2) == 110 && form->ChangedBlocks == 0 && Idle(); }));
    EXPECT_EQ(Table()->Sheets[0].V.Values[2 * TAB_MAX_COLS + 3], 1100);
    EXPECT_EQ(form->Injection.InjectionSnapshot[size_t(2 * TAB_MAX_COLS + 3)], 1100);

    // The next edit, of another cell of map 1, carries over that cell only.
    TypeIntoCell(5, 5, "0.12");
    for (int k = 1; k < 4; ++k) {
        EXPECT_EQ(MapWord(form->PcImage, k, 5, 5), 120) << k;
        EXPECT_EQ(MapWord(form->PcImage, k, 3, 2), 100) << "the read-back cell's counterparts stay, map " << k + 1;
    }
}

TEST_F(CoupledMapsWithUnit, WithProgrammingAfterChangeAnEditReachesTheUnit)
{
    ASSERT_TRUE(Connected());
    form->CheckBoxProgHned->SetChecked(true);
    TypeIntoCell(7, 4, "0.13");
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    ASSERT_TRUE(Run([&] { return form->LinkRequest == REQ_NONE && Idle() && MapWord(unit.Image(), 0, 7, 4) == 130; }));
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(MapWord(unit.Image(), k, 7, 4), 130) << "map " << k + 1 << " followed";
    EXPECT_TRUE(unit.Image() == form->PcImage);
}

} // namespace
