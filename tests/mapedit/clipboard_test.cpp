#include "mapedit/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

TEST(Clipboard, FormatsAreMimeTypesOfTheirOwn)
{
    const uint32_t id = RegisterClipboardFormat("CF_MORVANTA_SHEET");
    EXPECT_NE(id, 0u);
    EXPECT_EQ(RegisterClipboardFormat("CF_MORVANTA_SHEET"), id);
    EXPECT_NE(RegisterClipboardFormat("CF_OTHER"), id);
    EXPECT_EQ(ClipboardFormatMime(id), "application/x-cf-morvanta-sheet");
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
    EXPECT_EQ(ClipboardFormatMime(999), "");
}

TEST(Clipboard, RoundTripOfTextAndSheetFormat)
{
    const uint32_t id = RegisterClipboardFormat("CF_MORVANTA_SHEET");
    char text[8], second[8];
    ClipboardPutTextAndFormat("1\t2\n\x9A"
                              "a",
        id, "Label:\tX");
    EXPECT_EQ(ClipboardHasFormat(id), 3);
    EXPECT_EQ(ClipboardGetTextAndFormat(text, id, second, sizeof text), 3);
    EXPECT_STREQ(text,
        "1\t2\n\x9A"
        "a"); // Windows-1250 bytes come back as they went
    EXPECT_STREQ(second, "Label:\t"); // cut to the buffer, terminated

    ClipboardPutText("plain");
    EXPECT_EQ(ClipboardHasFormat(id), 1);
    EXPECT_EQ(ClipboardGetTextAndFormat(text, id, second, sizeof text), 1);
    EXPECT_STREQ(text, "plain");

    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    ClipboardPutBitmapRect(img, 2, 3, 5, 4);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(4, 2));
    EXPECT_EQ(ClipboardHasFormat(id) & 2, 0);
}
