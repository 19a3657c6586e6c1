// The build appends the presets to the program with the impet tool; a program
// file with an archive must still run and find its archive.
#include "impet_fixture.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

int Shell(const std::string& command)
{
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(ImpetTool, AProgramWithItsArchiveAppendedRunsAndReadsIt)
{
    TempDir dir;
    fs::create_directories(dir.path() / "NEW_308");
    WriteBytes(dir.file("NEW_308/Ducati 996.ign"), PresetText(9, 19500));
    std::string program = dir.file("program");
    fs::copy_file(IMPET_TOOL, program);
    std::string tool = std::string("'") + IMPET_TOOL + "'";
    std::string log = " >" + dir.file("log") + " 2>&1";

    ASSERT_EQ(Shell(tool + " 'OPEN " + program + "' 'IMPORT " + dir.file("NEW_308") + " \"\"' SAVE" + log), 0)
        << Slurp(dir.file("log"));
    struct stat st { };
    ASSERT_EQ(::stat(program.c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);

    // The running program reads the archive in its own file.
    fs::create_directories(dir.path() / "out");
    EXPECT_EQ(Shell(program + " 'OPEN /proc/self/exe' 'EXPORT NEW_308 " + dir.file("out") + "'" + log), 0);
    EXPECT_EQ(Slurp(dir.file("log")),
        "OPEN /proc/self/exe\n (opened)\nEXPORT NEW_308 " + dir.file("out") + "\n (2 files extracted)\n");
    EXPECT_EQ(Slurp(dir.file("out/NEW_308/Ducati 996.ign")), PresetText(9, 19500));

    // A failing command makes the tool fail, so a broken build step stops the build.
    EXPECT_EQ(Shell(tool + " 'OPEN " + dir.file("missing") + "'" + log), 1);
}
