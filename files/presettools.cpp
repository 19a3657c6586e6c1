#include "files/presettools.h"

#include "image/consistency.h"
#include "platform/cp1250.h"
#include "platform/filewrite.h"

#include <QString>

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

namespace {

// A preset file's disk name: the 8-bit name in the file system's encoding.
std::filesystem::path PresetPath(const std::filesystem::path& folder, const std::string& bikeText)
{
    return folder / (QStringFromCp1250(BikePresetName(bikeText)).toStdString() + ".ign");
}

// The comparison reads a file as lines of at most 299 characters (a longer
// line counts as several), each keeping its line feed; CR LF reads as LF.
constexpr size_t COMPARE_LINE_LEN = 299;

std::optional<std::vector<std::string>> ReadCompareLines(const std::filesystem::path& path)
{
    std::string data;
    if (!ReadWholeFile(path.string(), data))
        return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n')
            continue;
        line += data[i];
        if (data[i] == '\n' || line.size() == COMPARE_LINE_LEN) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

void CompareLines(std::ostream& report, std::vector<std::string>& oldLines, const std::vector<std::string>& newLines)
{
    const size_t common = std::min(oldLines.size(), newLines.size());
    for (size_t i = 0; i < common; ++i) {
        std::string& oldLine = oldLines[i];
        const std::string& newLine = newLines[i];
        // The EXE line carries the build date and time of the writing program.
        if (oldLine == newLine || oldLine.starts_with("EXE"))
            continue;
        // Only the differing characters stay visible in the old line.
        for (size_t c = 0; c < std::min(oldLine.size(), newLine.size()); ++c)
            if (oldLine[c] == newLine[c])
                oldLine[c] = ' ';
        report << "....line:" << i + 1 << "\n" << oldLine << "\n" << newLine << "\n";
    }
}

} // namespace

void SaveAllNewPresets(PresetToolsHost& host, const std::filesystem::path& folder)
{
    RsImage& image = host.ParameterImage();
    const RsImage keptImage = image;
    const int keptPage = host.ActivePageIndex();
    host.ShowPage(0);
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    for (int code = 0; code < BIKE_CODES; ++code) {
        image.Fill(0);
        image.b[cell::BikeCode] = uint8_t(code);
        host.LoadBikeDefaults(-1);
        host.LoadPage(0);
        // Named after the bike's code, as the bike defaults find it.
        const std::optional<std::string> row = host.BikeRowText(code);
        if (!row)
            continue;
        host.StoreActivePage();
        NormalizeParameterImage(image);
        host.LoadPage(0);
        const std::string text = ParameterFileText(host);
        if (!WriteFileAtomic(PresetPath(folder, *row).string(), text).ok)
            host.ShowMessageTableBox(MSG_OPEN_FILE_ERROR);
    }

    host.ShowPage(keptPage);
    image = keptImage;
    // The bike page's memo would otherwise keep the last preset's notes.
    if (keptPage != 0)
        host.LoadPage(0);
    host.LoadPage(keptPage);
}

void CompareAllNewPresets(PresetToolsHost& host, const std::filesystem::path& base)
{
    const std::filesystem::path newFolder = base / "new_ign";
    const std::filesystem::path oldFolder = base / "new_ign_old";
    std::ofstream report(newFolder / "compare_all_new.txt", std::ios::binary | std::ios::trunc);
    if (!report)
        return;
    for (int code = 0; code < BIKE_CODES; ++code) {
        const std::optional<std::string> row = host.BikeRowText(code);
        if (!row)
            continue;
        report << "------------------------------------------------------   " << *row << "\n";
        std::optional<std::vector<std::string>> oldLines = ReadCompareLines(PresetPath(oldFolder, *row));
        if (!oldLines) {
            report << "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \n";
            continue;
        }
        const std::optional<std::vector<std::string>> newLines = ReadCompareLines(PresetPath(newFolder, *row));
        if (!newLines) {
            report << "!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!\n";
            continue;
        }
        CompareLines(report, *oldLines, *newLines);
    }
    report.close();
    host.ShowMessage("Results in file \".\\new_ign\\compare_all_new.txt\"");
}
