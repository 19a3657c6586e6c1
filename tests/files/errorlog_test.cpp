#include "files/errorlog.h"

#include "support/tempdir.h"
#include "support/workdir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::tm Time(int day, int month, int year, int hour, int minute, int second)
{
    std::tm t {};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// The shape of a line written at an unknown time.
void ExpectLogLine(const std::string& line, const std::string& text)
{
    EXPECT_EQ(line.rfind("<LOG TIME=", 0), 0u) << line;
    const std::string tail = " ZEP2008_v308: " + text + ">";
    ASSERT_GE(line.size(), tail.size());
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
}

} // namespace

TEST(ErrorLogLine, FieldsWithoutLeadingZerosAndTheMessageCutTo8190)
{
    EXPECT_EQ(FormatErrorLogLine(Time(5, 3, 2024, 7, 8, 9), "Access violation"),
        "<LOG TIME=5.3.2024 7:8:9 ZEP2008_v308: Access violation>\n");
    EXPECT_EQ(FormatErrorLogLine(Time(31, 12, 1999, 23, 59, 0), "MATHERR sqrt"),
        "<LOG TIME=31.12.1999 23:59:0 ZEP2008_v308: MATHERR sqrt>\n");

    std::string message(10000, 'x');
    message[8189] = 'L'; // the last character kept
    const std::string line = FormatErrorLogLine(Time(1, 1, 2020, 0, 0, 0), message);
    const std::string head = "<LOG TIME=1.1.2020 0:0:0 ZEP2008_v308: ";
    ASSERT_EQ(line.size(), head.size() + 8190 + 2);
    EXPECT_EQ(line.substr(line.size() - 4), "xL>\n");
}

TEST(ErrorLog, CreatesTheFileAppendsOneLinePerEventAndSurvivesAFolderItCannotWrite)
{
    TempDir dir;
    const std::string file = dir.file("IGN.err");
    EXPECT_TRUE(AppendErrorLog("first", file.c_str()));
    EXPECT_TRUE(AppendErrorLog("second", file.c_str()));
    auto lines = Lines(ReadText(file));
    ASSERT_EQ(lines.size(), 2u);
    ExpectLogLine(lines[0], "first");
    ExpectLogLine(lines[1], "second");

    EXPECT_FALSE(AppendErrorLog("lost", dir.file("missing/IGN.err").c_str()));
}

TEST(ErrorLog, ExceptionsAndMathErrorsGoToIgnErrInTheCurrentFolder)
{
    TempDir dir;
    WorkingDirectory cwd(dir.path());

    LogException(std::string(9000, 'e'));
    EXPECT_EQ(SafeSqrt(-1.0), 1.0);
    EXPECT_EQ(SafeSqrt(6.25), 2.5);

    // Any other function keeps the result the run time computed.
    MathErrorRecord logError { MathErrorKind::Domain, "log", -1.0, 0.0, std::log(-1.0) };
    EXPECT_NE(MathErrorHook(logError), 0);
    EXPECT_TRUE(std::isnan(logError.retval));
    MathErrorRecord range { MathErrorKind::Overflow, "sqrt", 1e308, 0.0, HUGE_VAL };
    MathErrorHook(range);
    EXPECT_EQ(range.retval, HUGE_VAL);

    auto lines = Lines(ReadText("IGN.err"));
    ASSERT_EQ(lines.size(), 4u);
    ExpectLogLine(lines[0], std::string(8190, 'e'));
    ExpectLogLine(lines[1], "MATHERR sqrt");
    ExpectLogLine(lines[2], "MATHERR log");
    ExpectLogLine(lines[3], "MATHERR sqrt");
}

TEST(ForceDirectoryA, CreatesEveryMissingLevelOfAnEightBitPath)
{
    TempDir dir;
    // "složka" in Windows-1250, with both kinds of separator.
    const std::string path = dir.path().string() + "/a\\slo\x9Eka/c";
    EXPECT_TRUE(ForceDirectoryA(path.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "a" / std::filesystem::path(u8"složka") / "c"));
    EXPECT_TRUE(ForceDirectoryA(path.c_str())); // already there
    EXPECT_FALSE(ForceDirectoryA(""));
    EXPECT_FALSE(ForceDirectoryA(nullptr));
}

TEST(RunGuarded, AnEscapingExceptionIsShownAndEndsWithAFailureStatus)
{
    std::vector<std::string> shown;
    auto show = [&](const std::string& m) { shown.push_back(m); };
    EXPECT_EQ(RunGuarded([] { return 0; }, show), 0);
    EXPECT_EQ(RunGuarded([] { return 3; }, show), 3);
    EXPECT_EQ(RunGuarded([]() -> int { throw std::runtime_error("no display"); }, show), 1);
    EXPECT_EQ(RunGuarded([]() -> int { throw 42; }, show), 1);
    EXPECT_EQ(shown, (std::vector<std::string> { "no display", "Unknown exception" }));
}
