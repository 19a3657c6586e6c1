#include "files/impet.h"
#include "files/impet_command.h"

#include "impet_fixture.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs command lines against `impet`; the output of the last one.
std::string RunLines(std::unique_ptr<CImpet>& impet, std::initializer_list<std::string> lines)
{
    std::string out;
    for (const std::string& line : lines) {
        out.clear();
        ImpetExecuteCommand(impet, line, out);
    }
    return out;
}

} // namespace

TEST(ImpetSearch, FindsTheMagicOnlyOnFullBlockBoundaries)
{
    TempDir dir;
    std::string magic = Magic();
    struct Case {
        const char* what;
        std::string bytes;
        int result;
        uint64_t offset;
    };
    std::string head = RandomBytes(512);
    std::string offBoundary = RandomBytes(600);
    offBoundary.replace(300, 32, magic);
    Case cases[] = {
        { "length a multiple of 256, no archive", RandomBytes(1024), CImpet::LoadNoArchive, 1024 },
        { "length not a multiple of 256", RandomBytes(1000), CImpet::LoadNoArchive, 1000 },
        { "magic in an end block shorter than 32 bytes", head + magic.substr(0, 31), CImpet::LoadNoArchive, 543 },
        { "magic off a boundary", offBoundary, CImpet::LoadNoArchive, 600 },
        { "longer than one read", RandomBytes(300000), CImpet::LoadNoArchive, 300000 },
        { "empty file", "", CImpet::LoadNoArchive, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(dir.file("carrier"), c.bytes);
        CImpet impet;
        EXPECT_EQ(impet.Load(dir.file("carrier"), false), c.result);
        EXPECT_EQ(impet.ArchiveOffset(), c.offset);
    }
    CImpet missing;
    EXPECT_EQ(missing.Load(dir.file("nothing"), false), CImpet::LoadCannotOpen);
}

TEST(ImpetSearch, TheProgramFileItselfHoldsNoFalseMagic)
{
    ImpetBuildMagic();
    CImpet impet;
    EXPECT_EQ(impet.Load(ImpetProgramPath(), true), CImpet::LoadNoArchive);
}

TEST(ImpetSave, AppendsAtTheNextBoundaryAndKeepsTheCarrier)
{
    TempDir dir;
    for (size_t length : { size_t(1024), size_t(1000), size_t(300000) }) {
        SCOPED_TRACE(length);
        std::string carrier = dir.file("carrier");
        std::string original = RandomBytes(length, unsigned(length));
        WriteBytes(carrier, original);
        ::chmod(carrier.c_str(), 0755);
        std::unique_ptr<CImpet> impet;
        EXPECT_EQ(
            RunLines(impet, { "OPEN " + carrier, "SET a.txt hello", "SAVE" }), "SAVE\n (stored 84 bytes - 1 items)\n");

        uint64_t at = (length + 255) / 256 * 256;
        std::string bytes = Slurp(carrier);
        EXPECT_EQ(bytes.substr(0, length), original);
        EXPECT_EQ(bytes.substr(length, at - length), std::string(at - length, '\0'));
        EXPECT_EQ(bytes.substr(at, 32), Magic());
        EXPECT_EQ(bytes.size(), at + 32 + 79 + 79 + 5); // the archive ends the file
        struct stat st { };
        ASSERT_EQ(::stat(carrier.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0755u);

        CImpet back;
        ASSERT_EQ(back.Load(carrier, false), CImpet::LoadOk);
        EXPECT_EQ(back.ArchiveOffset(), at);
        EXPECT_EQ(back.ReadFile("", "A.TXT"), "hello");

        // Saving a smaller archive leaves nothing of the older one behind.
        EXPECT_EQ(RunLines(impet, { "SET a.txt hi", "SAVE" }), "SAVE\n (stored 81 bytes - 1 items)\n");
        EXPECT_EQ(Slurp(carrier).size(), at + 32 + 79 + 79 + 2);
        // An archive left without entries is cut off, the carrier stays whole.
        EXPECT_EQ(RunLines(impet, { "DELETE a.txt", "SAVE" }), "SAVE\n (stored 0 bytes - 0 items)\n");
        EXPECT_EQ(Slurp(carrier), original + std::string(at - length, '\0'));
    }
}

TEST(ImpetSave, AnArchiveAtOffsetZeroIsNeverCut)
{
    TempDir dir;
    std::string carrier = dir.file("only-archive");
    WriteBytes(carrier, "");
    std::unique_ptr<CImpet> impet;
    RunLines(impet, { "OPEN " + carrier, "SET a x", "SAVE" });
    std::string saved = Slurp(carrier);
    EXPECT_EQ(saved.substr(0, 32), Magic());
    EXPECT_EQ(RunLines(impet, { "CLEAR", "SAVE" }), "SAVE\n (stored 0 bytes - 0 items)\n");
    EXPECT_EQ(Slurp(carrier), saved);
}

TEST(ImpetSave, ACarrierThatCannotBeRewrittenIsUntouched)
{
    // What the folder holds after the failed save, each entry with its bytes.
    auto Listing = [](const fs::path& folder) {
        std::string list;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
            list += e.path().lexically_relative(folder).string()
                + (e.is_directory() ? std::string("/") : " " + Slurp(e.path().string())) + "\n";
        return list;
    };
    enum Obstacle { FolderInItsPlace, NoRoomForTheTemporaryName, ReadOnly };
    struct Case {
        const char* what;
        Obstacle obstacle;
        std::string name;
    };
    const Case cases[] = {
        { "a folder took the carrier's place after it was opened", FolderInItsPlace, "carrier" },
        // The new content is written beside the carrier under a longer name first.
        { "no name is left for the temporary file", NoRoomForTheTemporaryName, std::string(250, 'c') },
        { "the carrier is read-only", ReadOnly, "locked" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Root writes read-only files: that case means something to other users only.
        if (c.obstacle == ReadOnly && ::geteuid() == 0)
            continue;
        TempDir dir;
        std::string carrier = dir.file(c.name);
        WriteBytes(carrier, "program");
        std::unique_ptr<CImpet> impet;
        RunLines(impet, { "OPEN " + carrier, "SET a x" });
        if (c.obstacle == FolderInItsPlace) {
            fs::remove(carrier);
            fs::create_directory(carrier);
            WriteBytes(dir.file(c.name + "/inside"), "program");
        }
        if (c.obstacle == ReadOnly)
            ::chmod(carrier.c_str(), 0555);
        const std::string before = Listing(dir.path());
        EXPECT_EQ(RunLines(impet, { "SAVE" }), "SAVE\n (error)\n");
        EXPECT_EQ(Listing(dir.path()), before);
    }
}

TEST(ImpetLayout, AFolderOf67PresetsHasTheShippedLayout)
{
    TempDir dir;
    fs::create_directories(dir.path() / "NEW_308");
    for (int bike = 0; bike < 67; ++bike)
        WriteBytes(dir.file("NEW_308/Bike " + std::to_string(bike) + ".ign"), PresetText(bike, 19500));
    std::string carrier = dir.file("zeperon");
    WriteBytes(carrier, RandomBytes(5000));
    std::unique_ptr<CImpet> impet;
    EXPECT_EQ(RunLines(impet, { "OPEN " + carrier, "IMPORT " + dir.file("NEW_308") + " \"\"" }),
        "IMPORT " + dir.file("NEW_308") + " \"\"\n (68 files added)\n");
    RunLines(impet, { "SAVE" });

    std::string bytes = Slurp(carrier);
    const size_t root = 5120 + 32;
    EXPECT_EQ(U32At(bytes, root + F_OFFSET), 79u);
    EXPECT_EQ(U32At(bytes, root + F_SIZE), 1580u);
    EXPECT_EQ(U16At(bytes, root + F_FLAGS), 0x8001);
    const size_t folder = root + 79;
    EXPECT_EQ(bytes.substr(folder, 8), std::string("NEW_308\0", 8));
    EXPECT_EQ(U32At(bytes, folder + F_OFFSET), 158u);
    EXPECT_EQ(U32At(bytes, folder + F_SIZE), 6320u);
    EXPECT_EQ(U16At(bytes, folder + F_FLAGS), 0x8043);
    const size_t first = root + 158;
    EXPECT_EQ(bytes.substr(first, 11), std::string("Bike 0.ign\0", 11)); // sorted by name
    EXPECT_EQ(U32At(bytes, first + F_OFFSET), 5451u);
    EXPECT_EQ(U32At(bytes, first + F_SIZE), 19500u);
    uint32_t last = root + 158 + 66 * 79;
    EXPECT_EQ(root + U32At(bytes, last + F_OFFSET) + U32At(bytes, last + F_PACKED), bytes.size());

    for (bool skip : { false, true }) {
        SCOPED_TRACE(skip ? "payloads left in the file" : "payloads in memory");
        CImpet back;
        ASSERT_EQ(back.Load(carrier, skip), CImpet::LoadOk);
        EXPECT_EQ(back.Root().Count(), 1);
        for (int bike : { 0, 17, 66 })
            EXPECT_EQ(back.ReadFile("\\NEW_308", "Bike " + std::to_string(bike) + ".ign"), PresetText(bike, 19500));
    }
}

TEST(ImpetAddFile, StoresSmallAndIncompressibleFilesRaw)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::string content;
        bool packed;
    };
    Case cases[] = {
        { "hundred", std::string(100, 'a'), false },
        { "hundred-one", std::string(101, 'a'), true },
        { "noise", RandomBytes(5000), false },
        { "empty", "", false },
    };
    std::string carrier = dir.file("carrier");
    WriteBytes(carrier, "");
    std::unique_ptr<CImpet> saved;
    RunLines(saved, { "OPEN " + carrier });
    for (const Case& c : cases) {
        WriteBytes(dir.file(c.name), c.content);
        ASSERT_EQ(saved->AddFile("", dir.path().string(), c.name, std::nullopt, 0, 0), 0);
    }
    WriteBytes(dir.file("big"), std::string(IMPET_MAX_FILE_SIZE + 1, 'b'));
    EXPECT_EQ(saved->AddFile("", dir.path().string(), "big", std::nullopt, 0, 0), 1);
    EXPECT_EQ(saved->AddFile("", dir.path().string(), "missing", std::nullopt, 0, 0), 1);
    EXPECT_EQ(saved->AddFile("", dir.path().string(), "hundred", std::nullopt, 1, 0), 1); // 4 GB or more
    EXPECT_EQ(saved->lastReason, "ERROR - file >5M:big\nERROR - can't open file:missing\nERROR - file >5M:hundred\n");
    ASSERT_EQ(saved->Save(), 0);
    CImpet back;
    ASSERT_EQ(back.Load(carrier, false), CImpet::LoadOk);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IMPET_FILE* f = back.FindFile("", c.name);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->packedSize != 0, c.packed);
        EXPECT_EQ(back.ReadFile("", c.name), c.content);
    }
}

TEST(ImpetTree, NamesAreCutTo52AndComparedWithoutCase)
{
    CImpet impet;
    std::string longName(60, 'n');
    ASSERT_EQ(impet.MakeDir("", "NEW_308", 1), 0);
    ASSERT_EQ(impet.CreateFileEntry("NEW_308", longName), 0);
    EXPECT_EQ(impet.FindFile("new_308", longName)->name, std::string(52, 'n'));
    EXPECT_NE(impet.FindFile("\\NEW_308", std::string(52, 'N') + "different tail"), nullptr);
    // Windows-1250 letters fold too: "Čížek" in either case.
    ASSERT_EQ(impet.CreateFileEntry("NEW_308",
                  "\xC8\xED\x9E"
                  "ek"),
        0);
    EXPECT_NE(impet.FindFile("NEW_308",
                  "\xE8\xCD\x8E"
                  "EK"),
        nullptr);
    EXPECT_EQ(impet.CreateFileEntry("NEW_308",
                  "\xE8\xCD\x8E"
                  "EK"),
        0); // already there
    EXPECT_EQ(impet.FindDir(nullptr, "NEW_308")->Count(), 2);

    // A path whose last part names a file ends at the directory holding it.
    EXPECT_EQ(impet.FindDir(nullptr, "NEW_308\\" + longName), impet.FindDir(nullptr, "NEW_308"));
    EXPECT_EQ(impet.FindDir(nullptr, "\\"), &impet.Root());
    EXPECT_EQ(impet.FindDir(nullptr, "NEW_308\\nothing"), nullptr);
    EXPECT_EQ(impet.FindFile("", "NEW_308"), nullptr); // a directory is no file

    // Files and directories never replace each other.
    EXPECT_EQ(impet.MakeDir("NEW_308", longName, 1), 1);
    EXPECT_EQ(impet.CreateFileEntry("", "new_308"), 1);
    EXPECT_EQ(impet.MakeDir("", "new_308", 1), 0);
    EXPECT_EQ(impet.Root().Count(), 1);
}

TEST(ImpetTree, ArraysGrowInStepsOf20Records)
{
    CImpet impet;
    ASSERT_EQ(impet.MakeDir("", "d", 1), 0);
    IMPET_FILE* d = impet.FindDir(nullptr, "d");
    EXPECT_EQ(d->size, 1580u);
    for (int i = 0; i < 41; ++i) {
        ASSERT_EQ(impet.CreateFileEntry("d", "f" + std::to_string(i)), 0);
        EXPECT_EQ(impet.FindDir(nullptr, "d")->size, 1580u * (1 + uint32_t(i) / 20)) << i;
    }
}

TEST(ImpetTree, RenameReplacesInPlaceAndMovesBetweenDirectories)
{
    CImpet impet;
    for (const char* d : { "a", "b", "c" })
        ASSERT_EQ(impet.MakeDir("", d, 1), 0);
    ASSERT_EQ(impet.CreateFileEntry("a", "x"), 0);
    ASSERT_EQ(impet.CreateFileEntry("a", "y"), 0);
    ASSERT_EQ(impet.SetContent("a", "x", "old x"), 0);
    ASSERT_EQ(impet.SetContent("a", "y", "old y"), 0);
    ASSERT_EQ(impet.CreateFileEntry("c", "x"), 0);

    // Same directory: the entry takes the name of the one it replaces.
    EXPECT_EQ(impet.Rename("a\\y", "a\\X"), 0);
    EXPECT_EQ(impet.FindDir(nullptr, "a")->Count(), 1);
    EXPECT_EQ(impet.ReadFile("a", "x"), "old y");
    // Another directory: a taken name is refused, a free one moves.
    EXPECT_EQ(impet.Rename("a\\x", "c\\x"), 3);
    EXPECT_EQ(impet.Rename("a\\x", "nothing\\x"), 1);
    EXPECT_EQ(impet.Rename("a\\gone", "c\\z"), 2);
    // Moving "a" into "c", which stands after it in the root's array.
    EXPECT_EQ(impet.Rename("a", "c\\a2"), 0);
    EXPECT_EQ(impet.ReadFile("c\\a2", "X"), "old y");
    EXPECT_EQ(impet.Root().Count(), 2);
    // A directory cannot move into itself.
    EXPECT_NE(impet.Rename("c", "c\\a2\\c"), 0);
    EXPECT_NE(impet.FindFile("c\\a2", "x"), nullptr);
    EXPECT_EQ(impet.Delete("c", "a2"), 0);
    EXPECT_EQ(impet.Delete("c", "a2"), 1);
}

TEST(ImpetImport, TakesFoldersSortedByNameWithoutCaseAndSkipsDotNames)
{
    TempDir dir;
    fs::create_directories(dir.path() / "set" / "Sub");
    for (const char* name : { "b.ign", "A.ign", "c.ign", ".hidden", "Sub/inner.ign" })
        WriteBytes(dir.file(std::string("set/") + name), name);
    CImpet impet;
    EXPECT_EQ(impet.ImportFolder("", dir.file("set/"), 7), 0);
    EXPECT_EQ(impet.itemCounter, 6);
    IMPET_FILE* set = impet.FindDir(nullptr, "set");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->time, 7u);
    std::vector<std::string> names;
    for (const IMPET_FILE& c : set->children)
        names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string> { "A.ign", "b.ign", "c.ign", "Sub" }));
    EXPECT_EQ(impet.ReadFile("set\\sub", "INNER.IGN"), "Sub/inner.ign");
    EXPECT_EQ(impet.ImportFolder("", "", 0), 1);
}

TEST(ImpetExport, WritesTheTreeWithItsTimes)
{
    TempDir dir;
    CImpet impet;
    ASSERT_EQ(impet.MakeDir("", "d", ImpetFileTimeFromUnix(1000000000, 0)), 0);
    WriteBytes(dir.file("p.ign"), PresetText(3, 2000));
    ASSERT_EQ(impet.AddFile("d", dir.path().string(), "p.ign", ImpetFileTimeFromUnix(1200000000, 0), 0, 0), 0);
    impet.itemCounter = 0;
    EXPECT_EQ(impet.ExportFolder("d", dir.file("out")), 0);
    EXPECT_EQ(impet.itemCounter, 2);
    EXPECT_EQ(Slurp(dir.file("out/d/p.ign")), PresetText(3, 2000));
    struct stat st { };
    ASSERT_EQ(::stat(dir.file("out/d/p.ign").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1200000000);
    ASSERT_EQ(::stat(dir.file("out/d").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtime, 1000000000);
    EXPECT_EQ(impet.ExportFile("d\\missing", dir.file("out")), 2);
}
