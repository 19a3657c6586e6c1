// Damaged archives are refused without reading past the file or allocating
// what their sizes claim, and never handed out as presets.
#include "files/impet.h"
#include "files/impet_command.h"

#include "impet_fixture.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <functional>

namespace fs = std::filesystem;

namespace {

// A carrier of 256 bytes followed by an archive of the directory "d" holding
// the packed file "f".
constexpr size_t ROOT = 256 + 32;
constexpr size_t D_RECORD = ROOT + 79;
constexpr size_t F_RECORD = ROOT + 158;
constexpr size_t PAYLOAD = ROOT + 237;
const std::string CONTENT = PresetText(1, 3000);

std::string BaseArchive(const TempDir& dir)
{
    std::string carrier = dir.file("base");
    WriteBytes(carrier, RandomBytes(256));
    WriteBytes(dir.file("f"), CONTENT);
    std::unique_ptr<CImpet> impet;
    std::string out;
    ImpetExecuteCommand(impet, "OPEN " + carrier, out);
    EXPECT_EQ(impet->MakeDir("", "d", 1), 0);
    EXPECT_EQ(impet->AddFile("d", dir.path().string(), "f", 1, 0, 0), 0);
    EXPECT_EQ(impet->Save(), 0);
    std::string bytes = Slurp(carrier);
    EXPECT_EQ(bytes.substr(F_RECORD, 2), std::string("f\0", 2));
    EXPECT_EQ(U32At(bytes, F_RECORD + F_OFFSET), PAYLOAD - ROOT);
    return bytes;
}

// A tree of `depth` directories, each inside the one before.
std::string NestedArchive(int depth)
{
    std::string bytes = Magic();
    for (int level = 0; level <= depth; ++level) {
        std::string record(79, '\0');
        record[0] = level ? 'n' : '\0';
        record[F_FLAGS] = level < depth ? 1 : 0;
        record[F_FLAGS + 1] = char(0x80);
        bytes += record;
    }
    return bytes;
}

// One way of damaging an archive's bytes.
struct Damage {
    const char* what;
    std::function<void(std::string&)> damage;
};

} // namespace

TEST(ImpetDamage, ABrokenTreeIsRefusedAndLeavesAnEmptyArchive)
{
    TempDir dir;
    const std::string base = BaseArchive(dir);
    Damage cases[] = {
        { "payload cut short", [](std::string& b) { b.pop_back(); } },
        { "child count beyond the file", [](std::string& b) { b[D_RECORD + F_FLAGS] = char(0xFF); } },
        { "packed size beyond the file", [](std::string& b) { PutU32At(b, F_RECORD + F_PACKED, 0xFFFFFFF0); } },
        { "raw size of 4 GB",
            [](std::string& b) {
                PutU32At(b, F_RECORD + F_PACKED, 0);
                PutU32At(b, F_RECORD + F_SIZE, 0xFFFFFFFF);
            } },
        { "unpacked size above the limit", [](std::string& b) { PutU32At(b, F_RECORD + F_SIZE, 0x500001); } },
        { "root that is no directory", [](std::string& b) { b[ROOT + F_FLAGS + 1] = 0; } },
        { "false magic with nothing after it", [](std::string& b) { b.resize(ROOT + 40); } },
        { "false magic before the archive",
            [](std::string& b) { b = b.substr(0, 256) + Magic() + std::string(300, '\x01') + b.substr(256); } },
    };
    for (const Damage& c : cases) {
        for (bool skip : { false, true }) {
            SCOPED_TRACE(std::string(c.what) + (skip ? ", payloads skipped" : ""));
            std::string bytes = base;
            c.damage(bytes);
            WriteBytes(dir.file("damaged"), bytes);
            CImpet impet;
            EXPECT_EQ(impet.Load(dir.file("damaged"), skip), CImpet::LoadDamaged);
            EXPECT_TRUE(impet.Root().IsDirectory());
            EXPECT_EQ(impet.Root().Count(), 0);
            EXPECT_EQ(impet.ReadFile("d", "f"), std::nullopt);
        }
    }
}

TEST(ImpetDamage, DirectoriesNestAtMost64Deep)
{
    TempDir dir;
    for (int depth : { IMPET_MAX_DEPTH, IMPET_MAX_DEPTH + 1 }) {
        WriteBytes(dir.file("nested"), NestedArchive(depth));
        CImpet impet;
        EXPECT_EQ(impet.Load(dir.file("nested"), false), depth <= IMPET_MAX_DEPTH ? 0 : 3) << depth;
    }
    CImpet impet;
    std::string path;
    for (int level = 1; level <= IMPET_MAX_DEPTH; ++level) {
        ASSERT_EQ(impet.MakeDir(path, "n", 1), 0);
        path += "\\n";
    }
    EXPECT_EQ(impet.MakeDir(path, "n", 1), 1);
}

TEST(ImpetDamage, ANameWithoutTerminatorEndsInsideItsField)
{
    TempDir dir;
    std::string bytes = BaseArchive(dir);
    bytes.replace(F_RECORD, 53, std::string(53, 'n'));
    WriteBytes(dir.file("damaged"), bytes);
    CImpet impet;
    ASSERT_EQ(impet.Load(dir.file("damaged"), false), CImpet::LoadOk);
    IMPET_FILE* d = impet.FindDir(nullptr, "d");
    ASSERT_EQ(d->Count(), 1);
    EXPECT_EQ(d->children[0].name, std::string(52, 'n'));
    EXPECT_EQ(impet.ReadFile("d", std::string(52, 'n')), CONTENT);
}

TEST(ImpetDamage, ContentThatDoesNotInflateToItsSizeIsNeverHandedOut)
{
    TempDir dir;
    const std::string base = BaseArchive(dir);
    Damage cases[] = {
        { "size one more", [](std::string& b) { PutU32At(b, F_RECORD + F_SIZE, uint32_t(CONTENT.size() + 1)); } },
        { "size one less", [](std::string& b) { PutU32At(b, F_RECORD + F_SIZE, uint32_t(CONTENT.size() - 1)); } },
        { "stream garbled", [](std::string& b) { b.replace(PAYLOAD + 10, 8, "garbage!"); } },
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = base;
        c.damage(bytes);
        WriteBytes(dir.file("damaged"), bytes);
        std::unique_ptr<CImpet> impet;
        std::string out;
        ImpetExecuteCommand(impet, "OPEN " + dir.file("damaged"), out);
        ASSERT_TRUE(impet);
        EXPECT_EQ(impet->ReadFile("d", "f"), std::nullopt);
        EXPECT_NE(impet->FindFile("d", "f"), nullptr); // the entry stays

        fs::remove_all(dir.path() / "out");
        out.clear();
        ImpetExecuteCommand(impet, "EXPORT d\\f " + dir.file("out"), out);
        EXPECT_EQ(out, "EXPORT d\\f " + dir.file("out") + "\n (error)\n");
        EXPECT_FALSE(fs::exists(dir.path() / "out" / "f"));
    }
}

TEST(ImpetDamage, APayloadLeftInTheFileIsCheckedWhenRead)
{
    TempDir dir;
    WriteBytes(dir.file("a"), BaseArchive(dir));
    CImpet impet;
    ASSERT_EQ(impet.Load(dir.file("a"), true), CImpet::LoadOk);
    std::string bytes = Slurp(dir.file("a"));
    bytes.resize(bytes.size() - 5);
    WriteBytes(dir.file("a"), bytes);
    EXPECT_EQ(impet.ReadFile("d", "f"), std::nullopt);
}

TEST(ImpetDamage, ExportRefusesNamesThatLeaveTheTargetFolder)
{
    TempDir dir;
    const std::string base = BaseArchive(dir);
    for (std::string name : { "..", ".", "a/b", "a\\b", "../escape" }) {
        SCOPED_TRACE(name);
        std::string bytes = base;
        bytes.replace(F_RECORD, name.size() + 1, name + '\0');
        WriteBytes(dir.file("named"), bytes);
        fs::remove_all(dir.path() / "out");
        std::unique_ptr<CImpet> impet;
        std::string out;
        ImpetExecuteCommand(impet, "OPEN " + dir.file("named"), out);
        out.clear();
        ImpetExecuteCommand(impet, "EXPORT d " + dir.file("out"), out);
        EXPECT_EQ(out, "EXPORT d " + dir.file("out") + "\n (error)\n");
        // Only the folder "d" was made, empty; nothing landed beside it.
        EXPECT_TRUE(fs::is_empty(dir.path() / "out" / "d"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "out"), fs::directory_iterator()), 1);
        EXPECT_FALSE(fs::exists(dir.path() / "escape"));
    }
}
