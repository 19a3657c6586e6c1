#include "files/paramfile.h"
#include "paramfile_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const BuildStamp STAMP { "Dec  1 2019", "10:16:09" };
const std::string INDENT = "\r\n               "; // a continuation line

// The lines of one key: from its key line up to the next key line.
std::string KeyBlock(const std::string& text, const std::string& key)
{
    const size_t start = text.find("\r\n" + key + " ");
    if (start == std::string::npos)
        return {};
    size_t end = start + 2;
    while ((end = text.find("\r\n", end)) != std::string::npos && end + 2 < text.size() && text[end + 2] == ' ')
        end += 2;
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A key line: the key, blanks up to `column`.
std::string K(const std::string& key, size_t column)
{
    return "\r\n" + key + std::string(column - key.size(), ' ');
}

std::string Repeat(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

class WriterTest : public ::testing::Test {
protected:
    std::string Write() { return ParameterFileText(host, STAMP); }
    FakeParameterHost host;
    RsImage& img = host.image;
};

TEST_F(WriterTest, HeadIsPinnedByteForByte)
{
    img.b[2550] = 11;
    img.b[4034] = 1;
    img.b[4038] = 255;
    img.SetWord(1001, 100);
    img.SetWord(1002, 65535);
    img.SetWord(1005, 7);
    img.SetWord(1022, 12);
    const std::string expected = "\r\nMORVANTA_KEY     308 " + INDENT + //
        "\r\nBIKE              11 " + INDENT + //
        "\r\nSENSORS_DISABLE          0     1     0     0     0   255 " + //
        "\r\nAPS_IAPS         100 65535     0     0 " + INDENT + //
        "    7     0     0     0 " + //
        "\r\nIGN_EVERY_TURN           0 " + //
        "\r\nWATER_TEMP_SENSOR    " + INDENT + //
        "   12     0     0     0     0     0     0     0     0 " + //
        "\r\nAIR_TEMP_SENSOR";
    const std::string text = Write();
    EXPECT_EQ(text.substr(0, expected.size()), expected);
}

TEST_F(WriterTest, TailIsPinnedByteForByte)
{
    img.b[2999] = 3;
    img.b[3000] = 4;
    img.b[2950] = 1;
    img.SetWord(1113, uint16_t(-5));
    img.SetWord(1117, 32767);
    host.memo = { u"Tuned by Jan", u"\u0161\u010D\u00E1\\" };
    const std::string expected = "\r\nTEST_OUT         300    40 "
                                 "\r\nLAMBDA_BAR         1     0     0     0 "
        + INDENT
        + "\r\nVERSIONS       "
          "\r\nHEX  Date = --  --:--   Unit = --"
          "\r\nEXE  Dec  1 2019   10:16:09"
        + INDENT
        + "\r\nPROPRIETARY       -5     0     0     0 32767 "
          "\r\nMEMO           "
          "\r\nTuned by Jan"
          "\r\n\\x0161\\x010D\xE1\\\\";
    const std::string text = Write();
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
}

TEST_F(WriterTest, EmptyMemoEndsWithTheFilledMemoKey)
{
    const std::string text = Write();
    EXPECT_EQ(text.substr(text.size() - 17), "\r\nMEMO           ");
}

TEST_F(WriterTest, KeyColumnsAndValueFields)
{
    img.b[2893] = 65;
    const std::string text = Write();
    // 14 characters fill to column 21, 25 characters to column 27.
    EXPECT_EQ(KeyBlock(text, "CORR_DEAD_TIME"), "\r\nCORR_DEAD_TIME          65 ");
    EXPECT_EQ(KeyBlock(text, "iADR_GEAR_KOR_TRACKRETARD"),
        "\r\niADR_GEAR_KOR_TRACKRETARD      0     0     0     0     0     0 ");
    // A negative value keeps its five-character field.
    EXPECT_EQ(KeyBlock(text, "CORR_U_INJ"), "\r\nCORR_U_INJ     " + Repeat(" -100 ", 9));
    // DEC_SERVO_PERC is written twice.
    const size_t first = text.find("\r\nDEC_SERVO_PERC ");
    EXPECT_NE(text.find("\r\nDEC_SERVO_PERC ", first + 1), std::string::npos);
}

TEST_F(WriterTest, PointCountsLimitRowsAndMaps)
{
    // A count of 0 writes empty rows; 25 still writes 20 values a row.
    img.b[2664] = 0;
    img.b[2665] = 25;
    const std::string text = Write();
    EXPECT_EQ(KeyBlock(text, "RPM_JET_1A"), "\r\nRPM_JET_1A     " + INDENT);
    EXPECT_EQ(KeyBlock(text, "JET_1A"), "\r\nJET_1A         " + Repeat(INDENT, 11));
    EXPECT_EQ(KeyBlock(text, "RPM_JET_2A"), "\r\nRPM_JET_2A     " + Repeat("    0 ", 20) + INDENT);
    EXPECT_EQ(KeyBlock(text, "JET_2A"), "\r\nJET_2A         " + Repeat(Repeat("    0 ", 20) + INDENT, 10) + INDENT);
}

TEST_F(WriterTest, WrappedTablesBreakEveryPerLineValues)
{
    const std::string text = Write();
    EXPECT_EQ(KeyBlock(text, "ACCEL_INJ"), "\r\nACCEL_INJ      " + Repeat(INDENT + Repeat("    0 ", 4), 5));
    EXPECT_EQ(KeyBlock(text, "TUNING_LAMBDA"),
        "\r\nTUNING_LAMBDA  " + Repeat("    0 ", 5) + Repeat(INDENT + Repeat("    0 ", 5), 5));
}

TEST_F(WriterTest, ServoTablesFollowTheirOwnModeByte)
{
    img.b[3728] = 2; // SERVO_IN_VALUE, x20 while B2786 is 0
    img.b[3578] = 2; // SERVO_EX_VALUE
    img.b[2785] = 1; // SERVO_EX_VALUE x1
    const std::string text = Write();
    const std::string in = K("SERVO_IN_VALUE", 21) + INDENT + "   40 ";
    const std::string ex = K("SERVO_EX_VALUE", 21) + INDENT + "    2 ";
    EXPECT_EQ(KeyBlock(text, "SERVO_IN_VALUE").substr(0, in.size()), in);
    EXPECT_EQ(KeyBlock(text, "SERVO_EX_VALUE").substr(0, ex.size()), ex);
}

TEST_F(WriterTest, CouplingModeTwoCopiesMap1AIntoTheImage)
{
    img.b[2659] = 2;
    img.b[2664] = 3;
    img.b[3228] = 10;
    img.SetWord(0, 500);
    img.SetWord(199, 7);
    img.SetWord(250, 9); // map 2A differs
    const std::string text = Write();
    for (int m = 1; m < 4; ++m) {
        EXPECT_EQ(img.b[size_t(2664 + m)], 3);
        EXPECT_EQ(img.b[size_t(3228 + 20 * m)], 10);
        EXPECT_EQ(img.Word(200 * m), 500);
        EXPECT_EQ(img.Word(200 * m + 199), 7);
    }
    EXPECT_EQ(img.Word(250), 0);
    EXPECT_EQ(KeyBlock(text, "JET_2A").substr(8), KeyBlock(text, "JET_1A").substr(8));
}

TEST_F(WriterTest, BitsFlagsAndIdleValve)
{
    img.b[2840] = 0xF5; // upper bits are not written
    img.b[2801] = 7;
    img.b[2911] = 4;
    img.b[4237] = 33;
    img.b[2916] = 44;
    const std::string text = Write();
    EXPECT_NE(KeyBlock(text, "POWER_OUT1").find(INDENT + "    1     0     1     0 " + INDENT), std::string::npos);
    EXPECT_EQ(KeyBlock(text, "N2O").substr(0, 23), K("N2O", 15) + "    1 ");
    EXPECT_NE(KeyBlock(text, "IDLE").find("   33     0 "), std::string::npos);
    EXPECT_EQ(KeyBlock(text, "IDLE").find("   44 "), std::string::npos);
}

TEST_F(WriterTest, UnitTextsCannotStartLines)
{
    host.unit.name = "Unit\nMEMO";
    EXPECT_NE(Write().find("\r\nHEX  Date = --  --:--   Unit MEMO\r\n"), std::string::npos);
}

TEST_F(WriterTest, StreamFailureIsReported)
{
    std::ostringstream good;
    EXPECT_TRUE(WriteParameterFile(host, good, STAMP));
    EXPECT_EQ(good.str(), Write());
    std::ostringstream bad;
    bad.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteParameterFile(host, bad, STAMP));
}

TEST(BuildStamp, HasTheFormsOfTheExeLine)
{
    const BuildStamp s = ProgramBuildStamp();
    EXPECT_EQ(s.date.size(), 11u);
    EXPECT_EQ(s.time.size(), 8u);
}

} // namespace
