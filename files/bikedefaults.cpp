#include "files/bikedefaults.h"

#include "files/bikename.h"
#include "texts/langtext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

const std::array<BikeListRow, 68> BIKE_LIST { {
    { 0, "Aprilia RSV MILLE                98-" },
    { 43, "Aprilia RSV MILLE                04-" },
    { 39, "Aprilia SXV 450" },
    { 58, "Buel XB12 X" },
    { 1, "Ducati 996" },
    { 30, "Ducati 999" },
    { 24, "HD V-rod" },
    { 63, "Honda CB 1000 RR" },
    { 2, "Honda CBR 600 F               01-02" },
    { 3, "Honda CBR 600 RR            03-04" },
    { 28, "Honda CBR 600 RR            05-06" },
    { 46, "Honda CBR 600 RR            07" },
    { 4, "Honda CBR 900 RR            00-03" },
    { 21, "Honda CBR 1000 RR          04-07" },
    { 56, "Honda CBR 1000 RR          08-" },
    { 22, "Honda CBR 1100 XX" },
    { 44, "Honda CRF 250 PCE" },
    { 31, "Honda VFR 800" },
    { 5, "Honda VTR 1000 SP-1       01-02" },
    { 6, "Kawasaki  ZX 6R PCE         02" },
    { 7, "Kawasaki  ZX6RR               03" },
    { 19, "Kawasaki  ZX6RR               04-06" },
    { 48, "Kawasaki  ZX6RR               07" },
    { 8, "Kawasaki  ZX10 R               04-05" },
    { 36, "Kawasaki  ZX10 R               06-" },
    { 57, "Kawasaki  ZX10 R               08-" },
    { 9, "Kawasaki  ZX12 R               00-01" },
    { 10, "Kawasaki  ZX12 R               02-" },
    { 54, "Kawasaki  ZX12 R               04-" },
    { 66, "Kawasaki  ZZR1400            06-" },
    { 33, "###One lobe short dwell####Jednopalec krátké buzení" },
    { 32, "###One lobe long dwell####Jednopalec dlouhé buzení" },
    { 38, "Peugeot" },
    { 62, "Suzuki B-King" },
    { 52, "Suzuki DL-1000" },
    { 11, "Suzuki GSX-R600               01-03" },
    { 20, "Suzuki GSX-R600               04-05" },
    { 41, "Suzuki GSX-R600               06-07" },
    { 64, "Suzuki GSX-R600               09-" },
    { 12, "Suzuki GSX-R750               00-03" },
    { 23, "Suzuki GSX-R750               04-05" },
    { 49, "Suzuki GSX-R750               06-07" },
    { 13, "Suzuki GSX-R1000             01-02" },
    { 14, "Suzuki GSX-R1000             03-04" },
    { 26, "Suzuki GSX-R1000             05-06" },
    { 15, "Suzuki GSX-1300               99-01" },
    { 29, "Suzuki GSX-1300               02-" },
    { 50, "Suzuki GSX-1400" },
    { 40, "Suzuki SV 650 S" },
    { 37, "Suzuki SV 1000 S" },
    { 16, "Suzuki TL 1000 R               98-" },
    { 25, "Suzuki TL 1000 S" },
    { 45, "Triumph Daytona 675       06-07" },
    { 53, "Triumph Speed Triple 1050    06" },
    { 35, "Yamaha FZS-600 Fazer" },
    { 51, "Yamaha FZS-1000 Fazer" },
    { 61, "Yamaha R 125" },
    { 60, "Yamaha TDM 900" },
    { 42, "Yamaha XT 660" },
    { 17, "Yamaha YZF-R1                 02-03" },
    { 27, "Yamaha YZF-R1                 04-06" },
    { 47, "Yamaha YZF-R1                 07-08" },
    { 65, "Yamaha YZF-R1                 09- (Crossplane)" },
    { 18, "Yamaha YZF-R6                 03-07" },
    { 34, "Yamaha YZF-R6R               06-07" },
    { 55, "Yamaha YZF-R6R               08-" },
    { 59, "Yamaha YP 400" },
    { BIKE_SEPARATOR_CODE, "-------------" },
} };

// B2908 of bikes 0..66; every code above takes 150.
constexpr std::array<uint8_t, BIKE_CODES> BYTE_2908_OF_BIKE { 110, 108, 140, 150, 120, 110, 140, 140, 127, 110, 110,
    140, 136, 120, 120, 109, 105, 138, 150, 155, 140, 124, 120, 136, 100, 105, 130, 143, 150, 109, 108, 120, 140, 150,
    158, 140, 127, 105, 120, 115, 110, 154, 150, 113, 140, 135, 155, 158, 152, 148, 109, 120, 95, 100, 115, 158, 133,
    150, 100, 150, 80, 150, 105, 140, 150, 150, 115 };

constexpr size_t MAX_BIKE_TEXT = 8190;

void SetBytes(RsImage& image, int from, int to, uint8_t value)
{
    std::fill(image.b.begin() + from, image.b.begin() + to + 1, value);
}

} // namespace

void SetUncarriedPresetCells(RsImage& image)
{
    for (int k = 0; k <= 8; ++k)
        image.SetWord(1097 + k, image.Word(1076 + k));
    SetBytes(image, 4243, 4642, 100);
    image.b[4241] = image.b[4242] = image.b[4644] = 0;
    constexpr uint16_t advIap[] = { 30, 50, 60, 70, 75, 80, 85, 90, 95, 100 };
    for (int k = 0; k < 10; ++k)
        image.SetWord(2323 + k, advIap[k]);
    image.b[4687] = 0;
    for (int k = 1106; k <= 1109; ++k)
        image.SetWord(k, 802);
    image.b[4680] = 0;
    image.b[4685] = 0;
    image.b[4686] = 80;
    image.b[4682] = 25;
    image.b[4681] = 50;
    image.b[4683] = 50;
    image.b[4684] = 50;
    image.SetWord(1110, 0);
    image.SetWord(1111, 0);
    image.b[4666] = image.b[4667] = 0;
    image.b[2893] = 65;
    SetBytes(image, 4668, 4676, 0);
    constexpr uint16_t corrUInj[] = { 226, 186, 156, 140, 123, 113, 100, 92, 87 };
    for (int k = 0; k < 9; ++k)
        image.SetWord(1040 + k, corrUInj[k]);
    for (int k = 1113; k <= 1117; ++k)
        image.SetWord(k, 0);
    image.b[4688] = image.b[4689] = image.b[4690] = 0;
}

std::span<const BikeListRow> BikeListRows()
{
    return BIKE_LIST;
}

std::optional<std::string> BikeListText(int code, int language)
{
    for (const BikeListRow& row : BIKE_LIST)
        if (row.code == code)
            return std::string(SelectLangText(row.text, language));
    return std::nullopt;
}

std::string BikePresetName(std::string_view bikeText)
{
    bikeText = bikeText.substr(0, MAX_BIKE_TEXT);
    if (bikeText == "Jednopalec krátké buzení")
        bikeText = "One lobe short dwell";
    else if (bikeText == "Jednopalec dlouhé buzení")
        bikeText = "One lobe long dwell";
    return BikeNameToFileName(bikeText);
}

std::string PresetArchiveFolder()
{
    char folder[16];
    std::snprintf(folder, sizeof folder, "\\NEW_%i", RSKEY);
    return folder;
}

bool LoadBikeDefaults(BikeDefaultsHost& host, int pageIndex, CImpet& archive)
{
    RsImage& image = host.ParameterImage();
    const int code = image.b[cell::BikeCode];
    const std::optional<std::string> row = host.BikeRowText(code);
    if (!row) {
        char text[64];
        std::snprintf(text, sizeof text, "NEW for Motocycle #%i is missing", code);
        host.ShowErrorBox(text);
        return false;
    }
    const std::string name = BikePresetName(*row);
    // The whole preset is parsed, its last character included.
    const std::optional<std::string> preset = archive.ReadFile(PresetArchiveFolder(), name + ".ign");
    if (!preset) {
        host.ShowErrorBox("NEW for Motocycle " + name + " is missing");
        return false;
    }

    SetBikeConstants(image, code);
    SetPresetResets(image);
    ParseParameterText(host, pageIndex, false, *preset);
    SetUncarriedPresetCells(image);
    ParseParameterText(host, pageIndex, false, *preset);
    SetBikeSpecials(image);
    return true;
}

void SetPresetResets(RsImage& image)
{
    image.b[4643] = 0;
    image.b[4030] = 0;
    image.b[4041] = 0;
    image.b[4040] = 0;
    image.b[4240] = 100;
    image.SetWord(1112, 100);
}

void SetBikeConstants(RsImage& image, int code)
{
    const int bike = image.b[cell::BikeCode];
    image.b[4029] = code == 43 ? 1 : 0;
    image.b[4031] = bike == 47 || bike == 55 ? 1 : 0;
    image.b[2910] = 35;
    image.b[2894] = 55;
    image.b[2895] = 105;
    image.b[2908] = code >= 0 && code < BIKE_CODES ? BYTE_2908_OF_BIKE[size_t(code)] : 150;
}

void SetBikeSpecials(RsImage& image)
{
    if (image.b[cell::BikeCode] == 22 || image.b[cell::BikeCode] == 50) {
        image.b[2583] = 0;
        image.b[4643] = 1;
    }
}

void SetSynchroDefaults(RsImage& image)
{
    struct Layout {
        int special[4]; // B2624..2627; -1 keeps the cell
        std::vector<std::pair<uint8_t, uint8_t>> pairs; // (B2628 + i, B2638 + i)
    };
    const int type = image.b[cell::FirstSynchro];
    const int edge = std::min<int>(image.b[2598], 1);
    Layout layout { { 0, 0, 2, 0 }, {} };
    switch (type) {
    case 0:
        layout = { { 1, 0, 1, 0 }, { { 2, 1 }, { 1, 0 } } };
        break;
    case 1:
        layout = { { 1, 0, 1, 0 }, { { 3, 1 }, { 2, 0 } } };
        break;
    case 2:
        layout = { { 0, 1, 4, 1 }, { { 2, 5 }, { 1, 3 }, { 2, 1 }, { 1, 3 }, { 1, 4 }, { 1, 3 }, { 1, 2 }, { 1, 3 } } };
        break;
    case 5:
        layout = { { -1, -1, 0, -1 }, {} };
        image.b[2571] = 1;
        break;
    case 7:
        layout = { { edge, 0, 2, 1 }, { { 3, 1 }, { 2, 0 }, { 3, 1 }, { 1, 2 } } };
        break;
    case 8:
        layout = { { edge, 0, 2, 0 }, { { 3, 0 }, { 2, 2 }, { 3, 1 }, { 2, 2 } } };
        break;
    case 10:
        layout = { { -1, -1, -1, -1 }, {} };
        break;
    default:
        for (int i = 0; i < 10; ++i) {
            image.b[size_t(2628 + i)] = i % 2 == 0 ? 2 : 1;
            image.b[size_t(2638 + i)] = uint8_t(i);
        }
        break;
    }
    for (int k = 0; k < 4; ++k)
        if (layout.special[k] >= 0)
            image.b[size_t(2624 + k)] = uint8_t(layout.special[k]);
    int i = 0;
    for (const auto& [coefficient, phase] : layout.pairs) {
        image.b[size_t(2628 + i)] = coefficient;
        image.b[size_t(2638 + i)] = phase;
        ++i;
    }
    if (image.b[cell::BikeCode] == 48 || image.b[cell::BikeCode] == 49) {
        image.b[cell::FirstSynchro] = 10;
        image.b[2624] = 0;
    }
}
