#include "files/bikename.h"

#include <gtest/gtest.h>

TEST(BikeNameToFileName, ColumnsOfBlanksBecomeBrackets)
{
    struct Case {
        const char* text;
        const char* name;
    };
    const Case cases[] = {
        { "Aprilia RSV MILLE                04-", "Aprilia RSV MILLE (04-)" },
        { "Honda CBR 600 RR            05-06", "Honda CBR 600 RR (05-06)" },
        { "Ducati 996", "Ducati 996" },
        { "   Ducati 996", "Ducati 996" },
        { "Ducati 996    ", "Ducati 996" },
        { "Honda   CBR", "Honda CBR" }, // a run before a letter only shrinks
        { "Yamaha   R1  04-06", "Yamaha R1 (04-06)" },
        { "Suzuki  GSX  01  02", "Suzuki GSX (01 (02)" }, // two runs, one closing bracket
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(BikeNameToFileName(c.text), c.name) << '"' << c.text << '"';
}
