#include "standin.h"

#include "files/bikedefaults.h"
#include "files/loadgroups.h"
#include "image/consistency.h"
#include "platform/cp1250.h"
#include "platform/filewrite.h"

#include <QString>

const char16_t* const STAND_IN_MEMO = u"Stand-in preset: safe to look at, not tuned for an engine.";

namespace {

class WriterHost : public ParameterFileHost {
public:
    explicit WriterHost(const RsImage& image)
        : image_(image)
    {
    }
    RsImage& ParameterImage() override { return image_; }
    std::vector<std::u16string> MemoLines() const override { return { STAND_IN_MEMO }; }
    UnitVersionTexts UnitTexts() const override { return {}; }
    int SelectedSheet(int) const override { return 0; }
    void ShowMessageTableBox(int) override { }
    void ShowErrorBox(const std::string&) override { }
    void LoadBikeDefaults(int) override { }

private:
    RsImage image_;
};

} // namespace

RsImage StandInPresetImage(int bikeCode)
{
    RsImage image;
    image.b[cell::BikeCode] = uint8_t(bikeCode);
    SetBikeConstants(image, bikeCode);
    SetPresetResets(image);
    SetUncarriedPresetCells(image);
    SetSynchroDefaults(image);
    SetLambdaDefaultCurve(image, 0);
    SetBikeSpecials(image);
    NormalizeParameterImage(image);
    // Read back and made consistent until the file reproduces the image:
    // cells the file does not carry start from zero, and a point count of 0
    // does not survive the reader.
    for (int round = 0; round < 4; ++round) {
        WriterHost written(image);
        const std::string text = ParameterFileText(written);
        WriterHost reread(RsImage {});
        reread.ParameterImage().b[cell::BikeCode] = uint8_t(bikeCode);
        ParseParameterText(reread, -1, false, text);
        NormalizeParameterImage(reread.ParameterImage());
        if (reread.ParameterImage() == image)
            break;
        image = reread.ParameterImage();
    }
    return image;
}

std::string StandInPresetText(int bikeCode)
{
    WriterHost host(StandInPresetImage(bikeCode));
    return ParameterFileText(host, BuildStamp { "Jan  1 2026", "00:00:00" });
}

bool WriteStandInPresets(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = true;
    for (int code = 0; code < BIKE_CODES; ++code) {
        const std::string name = QStringFromCp1250(BikePresetName(*BikeListText(code, 0))).toStdString();
        ok = WriteFileAtomic((folder / (name + ".ign")).string(), StandInPresetText(code)).ok && ok;
    }
    return ok;
}
