// The 3D surface keeps its look: every draw mode of a few fixed tables is
// drawn and compared pixel by pixel with the pictures in tests/mapedit/surface,
// within a small tolerance for the rounding of the pieces' edges.
// ZP_WRITE_SURFACE_PICTURES=1 writes the pictures anew instead.
#include "mapedit/tab.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

struct Table {
    const char* name;
    int columns, rows;
    int (*value)(int c, int r); // 0..60
    int angleX, angleXY; // view angles
};

const Table TABLES[] = {
    { "ramp16x10", 16, 10, [](int c, int r) { return std::min(40, 8 + 2 * c) - r; }, -5, 24 },
    { "wave50x30", 50, 30, [](int c, int r) { return int(30 + 20 * std::sin(c * 0.25) * std::cos(r * 0.2) + r * 0.3); },
        -5, 24 },
    { "steps24x12", 24, 12, [](int c, int r) { return (c / 4) * 8 + (r / 3) * 3; }, -25, 60 },
};

QImage Draw(const Table& t, int mode)
{
    TTab tab(nullptr, 520, 340, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D);
    const int s
        = tab.AddSheet("###Advance##Vorzündung##Předstih", "RPM", "TP", "ADV", t.columns, t.rows, SHEET_LIVE_MARKER);
    tab.DefineAxes(s, 1, "RPM", "", 3, 250, 100, 1, nullptr, 1, 1, 1, t.columns, 0, 0, 1, -1, 1, 0xFCE2F4, nullptr);
    tab.DefineAxes(s, 2, "TP", "%", 0, 100, 1, 1, nullptr, 1, 1, 1, t.rows, 0, 0, 1, -2, 1, 0xFCE2F4, nullptr);
    tab.DefineAxes(s, 4, "ADV", "", 0, 60, 1, 1, nullptr, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0xFCE2F4, nullptr);
    CSheet& sh = tab.Sheets[s];
    for (int c = 0; c < t.columns; c++)
        sh.X.Values[c] = 10 + 4 * c;
    for (int r = 0; r < t.rows; r++)
        sh.Y.Values[r] = r * 100 / t.rows;
    for (int r = 0; r < t.rows; r++)
        for (int c = 0; c < t.columns; c++)
            sh.V.Values[r * TAB_MAX_COLS + c] = t.value(c, r);
    tab.ApplyLimits(&sh, 0x107);
    tab.SelectSheet(0);
    tab.SetView(VIEW_3D);
    tab.Graph.DrawMode = mode;
    tab.Graph.LabelMode = 0;
    tab.Graph.AngleX = t.angleX;
    tab.Graph.AngleXY = t.angleXY;
    tab.RedrawBits |= REDRAW_VALUES;
    tab.Render();
    return tab.BackBitmap.convertToFormat(QImage::Format_RGB32);
}

std::string PicturePath(const Table& t, int mode)
{
    return std::string(SURFACE_PICTURES) + "/" + t.name + "-mode" + std::to_string(mode) + ".png";
}

TEST(SurfacePicture, EveryDrawModeKeepsItsLook)
{
    const bool write = std::getenv("ZP_WRITE_SURFACE_PICTURES") != nullptr;
    for (const Table& t : TABLES) {
        for (int mode = 0; mode <= 5; mode++) {
            SCOPED_TRACE(PicturePath(t, mode));
            const QImage drawn = Draw(t, mode);
            if (write) {
                EXPECT_TRUE(drawn.save(QString::fromStdString(PicturePath(t, mode))));
                continue;
            }
            QImage expected;
            ASSERT_TRUE(expected.load(QString::fromStdString(PicturePath(t, mode))));
            expected = expected.convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(drawn.size(), expected.size());
            // Pixels off by more than a few colour steps, and the mean offset.
            long far = 0;
            double total = 0;
            for (int y = 0; y < drawn.height(); y++) {
                const QRgb* a = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
                const QRgb* b = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
                for (int x = 0; x < drawn.width(); x++) {
                    const int d = std::max({ std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                        std::abs(qBlue(a[x]) - qBlue(b[x])) });
                    far += d > 64;
                    total += d;
                }
            }
            const double pixels = double(drawn.width()) * drawn.height();
            RecordProperty(std::string(t.name) + "-mode" + std::to_string(mode),
                std::to_string(far) + " far, mean " + std::to_string(total / pixels));
            EXPECT_LE(double(far) / pixels, 0.01) << far << " pixels far off";
            EXPECT_LE(total / pixels, 2.5) << "mean offset";
        }
    }
}

} // namespace
