#include "tools/presetgen/standin.h"

#include "files/preset_host.h"
#include "image/consistency.h"
#include "platform/cp1250.h"
#include "platform/filewrite.h"
#include "support/tempdir.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string PresetFile(const fs::path& folder, int code)
{
    std::string text;
    const std::string name = QStringFromCp1250(BikePresetName(*BikeListText(code, 0))).toStdString();
    ReadWholeFile((folder / (name + ".ign")).string(), text);
    return text;
}

TEST(StandInPresets, CommittedFolderMatchesItsGenerator)
{
    int files = 0;
    for (const auto& entry : fs::directory_iterator(PRESET_DIR))
        files += entry.path().extension() == ".ign";
    EXPECT_EQ(files, BIKE_CODES);
    for (int code = 0; code < BIKE_CODES; ++code)
        EXPECT_EQ(PresetFile(PRESET_DIR, code), StandInPresetText(code)) << "bike " << code << ": run presetgen";
}

TEST(StandInPresets, GeneratorWritesEveryBike)
{
    TempDir dir;
    ASSERT_TRUE(WriteStandInPresets(dir.path() / "NEW_308"));
    for (int code : { 0, 32, 33, 66 })
        EXPECT_EQ(PresetFile(dir.path() / "NEW_308", code), StandInPresetText(code));
}

// Every bike's defaults come from its preset in an archive imported from
// the committed folder, as the build appends it to the program.
TEST(StandInPresets, BikeDefaultsOfEveryBikeLoadFromTheImportedFolder)
{
    CImpet archive;
    ASSERT_EQ(archive.ImportFolder("", PRESET_DIR, 1), 0);
    ASSERT_EQ(archive.FindDir(nullptr, "NEW_308")->Count(), BIKE_CODES);
    for (int code = 0; code < BIKE_CODES; ++code) {
        FakePresetHost host(archive);
        host.memo = { STAND_IN_MEMO };
        host.image.b[cell::BikeCode] = uint8_t(code);
        ASSERT_TRUE(LoadBikeDefaults(host, -1, archive)) << "bike " << code;
        EXPECT_TRUE(host.errors.empty());
        // Made consistent and written again, the loaded image gives the preset back.
        NormalizeParameterImage(host.image);
        EXPECT_EQ(ParameterFileText(host, BuildStamp { "Jan  1 2026", "00:00:00" }), StandInPresetText(code))
            << "bike " << code;
    }
}

} // namespace
