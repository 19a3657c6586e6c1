#include "app/bitmaps.h"

#include <gtest/gtest.h>

#include <QImage>

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
    EXPECT_EQ(GetResourceBitmap("BGINJB"), nullptr); // a JPG is no BITMAP until cached
    EXPECT_EQ(GetResourceBitmap(nullptr), nullptr);
    const QImage* jpg = GetJpgBitmap("BGINJB");
    EXPECT_EQ(GetResourceBitmap("BGINJB"), jpg);
}
