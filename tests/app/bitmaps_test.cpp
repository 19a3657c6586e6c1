#include "app/bitmaps.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

TEST(Bitmaps, EveryPictureTheProgramNamesLoads)
{
    const char* jpgs[] = { "BGINJB", "BGINJG", "BGWA", "BGRAINBOW5X22", "BGRAINBOW6X22", "BGRAINBOW7X22",
        "BGRAINBOW8X22", "BGRAINBOW9x22", "BGRAINBOW10x22" };
    const char* bitmaps[] = { "BT2D", "BT3D", "BTTAB", "BTCHK", "BTCHK0", "BTCHK1", "BTCHKSOME", "BT_G", "BT_nP",
        "BT_P", "BT_T", "CLBRD_COPY", "CLBRD_COPY0", "CLBRD_COPYSHEET", "CLBRD_PAST", "CLBRD_PAST0", "CLBRD_PASTSHEET",
        "LOGO_MORVANTA160x80" };
    for (const char* name : jpgs) {
        const QImage* image = GetJpgBitmap(name);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_FALSE(image->isNull()) << name;
    }
    for (const char* name : bitmaps) {
        const QImage* image = GetResourceBitmap(name);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_FALSE(image->isNull()) << name;
    }
    // The check marks are drawn inside boxes of fixed size.
    EXPECT_EQ(GetResourceBitmap("BTCHK")->size(), QSize(10, 10));
    EXPECT_EQ(GetResourceBitmap("BTCHKSOME")->size(), QSize(10, 10));
}

TEST(Bitmaps, OneEntryPerNameWhicheverKindCameFirst)
{
    const QImage* bt3d = GetResourceBitmap("BT3D");
    ASSERT_NE(bt3d, nullptr);
    EXPECT_EQ(GetResourceBitmap("BT3D"), bt3d);
    EXPECT_EQ(GetResourceBitmap("bt3d"), bt3d);
    // No JPG of that name exists, yet the cached BITMAP answers.
    EXPECT_EQ(GetJpgBitmap("BT3D"), bt3d);

    const QImage* wa = GetJpgBitmap("BGWA");
    ASSERT_NE(wa, nullptr);
    EXPECT_EQ(GetResourceBitmap("BGWA"), wa);
}

TEST(Bitmaps, MissingPicturesGiveNone)
{
    EXPECT_EQ(GetJpgBitmap("NO_SUCH_PICTURE"), nullptr);
    EXPECT_EQ(GetResourceBitmap("NO_SUCH_PICTURE"), nullptr);
    EXPECT_EQ(GetResourceBitmap(nullptr), nullptr);
    // A JPG is no BITMAP until cached. The cache lives for the whole run, so
    // this is seen in a fresh copy of the test program, where no other case
    // has asked for the picture yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool noneBefore = GetResourceBitmap("BGINJB") == nullptr;
            const QImage* jpg = GetJpgBitmap("BGINJB");
            std::exit(noneBefore && jpg && GetResourceBitmap("BGINJB") == jpg ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
