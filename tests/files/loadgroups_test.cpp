#include "files/loadgroups.h"
#include "paramfile_host.h"

#include <gtest/gtest.h>

namespace {

TEST(SelectLoadGroups, PagesAndSheetsSelectTheirGroups)
{
    struct Case {
        int page, sheet, coupling;
        std::vector<int> groups;
    } cases[] = {
        { 0, 0, 0, { 0 } },
        { 1, 0, 0, { 1 } },
        { 2, 0, 0, { 2 } },
        { 3, 0, 1, { 3 } },
        { 3, 1, 0, { 4 } },
        { 3, 1, 1, {} },
        { 3, 2, 0, { 5 } },
        { 3, 3, 0, { 6 } },
        { 3, 3, 2, {} },
        { 3, 4, 1, { 9 } },
        { 3, 5, 1, { 7 } },
        { 3, 6, 0, { 8 } },
        { 3, 7, 0, { 10 } },
        { 4, 0, 0, { 11 } },
        { 5, 0, 0, { 12 } },
        { 6, 0, 0, {} },
        { 7, 0, 0, { 14 } },
        { 8, 0, 0, { 15 } },
        { 8, 1, 0, { 16 } },
        { 9, 0, 0, { 20 } },
        { 10, 0, 0, { 17 } },
        { 11, 0, 0, { 18 } },
        { 12, 0, 0, { 19 } },
        { 13, 0, 0, { 21 } },
        { 14, 0, 0, { 22 } },
        { 15, 0, 0, {} },
        { 16, 0, 0, { 23 } },
        { 17, 0, 0, {} },
        { 18, 0, 0, { 24 } },
        { 19, 0, 0, { 25 } },
    };
    for (const Case& c : cases) {
        FakeParameterHost host;
        host.injectionSheet = host.servoSheet = c.sheet;
        host.image.b[2659] = uint8_t(c.coupling);
        SelectLoadGroups(host, c.page);
        std::vector<int> set;
        for (int g = 0; g < LOAD_GROUPS; ++g)
            if (host.LoadGroupFlags[size_t(g)])
                set.push_back(g);
        EXPECT_EQ(set, c.groups) << "page " << c.page << " sheet " << c.sheet;
    }
}

TEST(SelectLoadGroups, WholeFileSetsAllButGroup13)
{
    FakeParameterHost host;
    SelectLoadGroups(host, -1);
    for (int g = 0; g < LOAD_GROUPS; ++g)
        EXPECT_EQ(host.LoadGroupFlags[size_t(g)], g == 13 ? 0 : 1) << g;
}

TEST(SetLambdaDefaultCurve, NarrowAndWideSensors)
{
    RsImage img;
    SetLambdaDefaultCurve(img, 0);
    EXPECT_EQ(img.b[2941], 130);
    EXPECT_EQ(img.Word(1066), 900);
    EXPECT_EQ(img.Word(1071), 0);
    SetLambdaDefaultCurve(img, 3);
    EXPECT_EQ(img.b[2941], 120);
    EXPECT_EQ(img.b[2945], 180);
    EXPECT_EQ(img.Word(1066), 0);
    EXPECT_EQ(img.Word(1071), 5000);
}

} // namespace
