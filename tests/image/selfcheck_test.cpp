#include "image/selfcheck.h"

#include <gtest/gtest.h>

TEST(SelfCheck, ThisBuildPassesSilently)
{
    EXPECT_TRUE(SelfCheckMessages(ThisBuildLayout()).empty());
}

TEST(SelfCheck, EachMisfitGivesItsMessageInCheckOrder)
{
    LayoutConstants layout = ThisBuildLayout();
    layout.imageLength = 8001;
    layout.bitFieldWidths[6] = 9;
    layout.enumerations[3].excess = 2;
    layout.enumerations[0].excess = 1;
    layout.enumerations[1].excess = -5; // room to spare is fine
    EXPECT_EQ(SelfCheckMessages(layout),
        (std::vector<std::string> {
            "Software error: Enum Adrw to long - 1",
            "Software error: Enum Monb to long - 2",
            "Software error: More then 8 bits in bitfield - 9",
            "Software error: RS_LEN_EXE>COMMAXBUF - 8001>8000",
        }));
}
