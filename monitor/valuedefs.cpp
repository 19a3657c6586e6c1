#include "monitor/valuedefs.h"

#include "texts/langtext.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Src {
    int source;
    int position;
};
constexpr Src None { defsource::Byte, 0 };
constexpr Src B(int k)
{
    return { defsource::Byte, k };
}
constexpr Src W(int k)
{
    return { defsource::Word, k };
}
constexpr Src C(int k)
{
    return { defsource::Channel, k };
}

constexpr ValueDef Def(int id, const char* name, int parent, const char* units, Src src, int decimals, int width,
    double scale, double min, double max, int cylinders, int kind)
{
    return { id, name, parent, units, src.position, src.source, decimals, width, scale, min, max, cylinders,
        defflag::Live, 0.0, kind };
}

constexpr int All = 15;
constexpr const char* No = nullptr;

// clang-format off
const ValueDefTable INITIAL = {{
    Def(0, "?ID not found?", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(1000, "###Basic####Základní", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(1010, "RPM", 1000, No, W(2), 0, 5, 1, 0, 20000, All, 0),
    Def(1020, "TPS", 1000, "[%]", W(47), 1, 5, 0.1, 0, 100, All, 0),
    Def(1030, "LAMBDA1", 1000, "[AFR]", B(203), 1, 4, 0.1, 10, 18, All, 0),
    Def(1031, "LAMBDA2", 1000, "[AFR]", B(204), 1, 4, 0.1, 10, 18, All, 0),
    Def(1032, "LAMBDA3", 1000, "[AFR]", B(205), 1, 4, 0.1, 10, 18, All, 0),
    Def(1033, "LAMBDA4", 1000, "[AFR]", B(206), 1, 4, 0.1, 10, 18, All, 0),
    Def(1090, "###System connection####Připojení systému", 0, No, None, 0, 0, 0, 0, 1, All, 3),
    Def(1100, "###Extended####Rozšířené", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(1110, "TW", 1100, "[°C]", B(195), 0, 3, 1, 0, 100, All, 0),
    Def(1120, "TA", 1100, "[°C]", B(196), 0, 3, 1, -100, 100, All, 0),
    Def(1130, "AP", 1100, "[kPa]", W(4), 1, 4, 0.1, 80, 120, All, 0),
    Def(1140, "IAP", 1100, "[kPa]", W(69), 1, 4, 0.1, 0, 100, All, 0),
    Def(1150, "U", 1100, "[V]", W(10), 1, 4, 0.001, 0, 20, All, 0),
    Def(1160, "###Speed##Geschwindigkeit##Rychlost", 1100, "[km/h]", W(36), 0, 3, 1, 0, 200, All, 0),
    Def(1162, "###Speed front##Vorderradgeschwindigkeit##Rychlost přední", 1100, "[km/h]", W(65), 0, 3, 1, 0, 200, All, 0),
    Def(1170, "###Gear##Gang##Rychl. stupeň", 1100, No, B(197), 0, 1, 1, 0, 9, All, 0),
    Def(1200, "###Sumary Adv.+Inj.##Resümee Vorzünd.+Einspritz.##Souhrn předstih+vstřik", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(1210, "###Advance##Vorzündung##Předstih", 1200, "[°]", C(20), 0, 2, 1, 0, 60, All, 0),
    Def(1220, "###Max.Inj. A##Max.Einspritz A##Max.vstřik A", 1200, "[%]", C(8), 0, 3, 1, 0, 100, All, 0),
    Def(1221, "###Max.Inj. B##Max.Einspritz B##Max.vstřik B", 1200, "[%]", C(25), 0, 3, 1, 0, 100, All, 0),
    Def(1230, "###Inj. Time A##Einspritzzeit A##Čas vstřiku A", 1200, "[ms]", C(10), 1, 4, 0.001, 0, 20, All, 0),
    Def(1240, "###Inj. Time B##Einspritzzeit B##Čas vstřiku B", 1200, "[ms]", C(11), 1, 4, 0.001, 0, 20, All, 0),
    Def(5000, "Servo", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(5010, "###Intake servo##Ansaugservo##Sací servo", 5000, "[mV]", W(13), 0, 4, 1, 0, 5000, All, 0),
    Def(5030, "###Exhaust servo##Abblaseservo##Výfukové servo", 5000, "[mV]", W(11), 0, 4, 1, 0, 5000, All, 0),
    Def(5040, "###Step servo position##Schrittmotorlage##Poloha krokového motoru", 5000, No, W(49), 0, 4, 1, 0, 5000, All, 0),
    Def(6000, "###Corrections####Korekce", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(6100, "###Injection cor.####korekce vstřiku", 6000, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(6110, "###Starting cor.####startovací korekce", 6100, "[%]", W(31), 0, 3, 0.1, 0, 200, All, 0),
    Def(6120, "###TW cor.####TW korekce", 6100, "[%]", W(28), 0, 3, 0.1, 0, 200, All, 0),
    Def(6130, "###AP cor.####AP korekce", 6100, "[%]", W(30), 0, 3, 0.1, 0, 200, All, 0),
    Def(6140, "###U cor.####korekce U", 6100, "[us]", W(32), 0, 5, 1, -10000, 10000, All, 0),
    Def(6150, "###AT cor.####korekce AT", 6100, "[%]", W(29), 0, 3, 0.1, 0, 200, All, 0),
    Def(6160, "###Potentiometer cor.####korekce potenciometrem", 6100, "[%]", W(35), 0, 3, 0.1, 0, 200, All, 0),
    Def(6170, "###Start Jet####", 6100, "[ms]", W(55), 1, 4, 0.1, 0, 10, All, 0),
    Def(6180, "###Size####", 6100, "[ms]", W(53), 1, 4, 0.1, 0, 10, All, 0),
    Def(6200, "###Advance cor.####korekce předstihu", 6000, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(6210, "###TW cor.####TW korekce", 6200, "[°]", W(33), 1, 3, 0.1, -20, 20, All, 0),
    Def(6220, "###AT cor.####AT korekce", 6200, "[°]", W(51), 1, 3, 0.1, -20, 20, All, 0),
    Def(6230, "###Potentiometer cor.####korekce potenciometrem", 6200, "[°]", W(34), 1, 3, 0.1, -20, 20, All, 0),
    Def(6240, "###Idle cor.####korekce volnoběhu", 6200, "[°]", W(45), 1, 3, 0.1, -20, 20, All, 0),
    Def(6300, "###Acceleration cor.####korekce zrychlení", 6000, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(6310, "###Acc cor.####", 6300, "[%]", W(48), 0, 4, 0.1, 0, 200, All, 0),
    Def(6320, "###Acc TW cor.####", 6300, "[%]", W(54), 0, 3, 0.1, 0, 200, All, 0),
    Def(6330, "###Acc Inj cor.####", 6300, "[%]", W(52), 0, 3, 0.1, 0, 200, All, 0),
    Def(6340, "###Threshold####", 6300, "[%/s]", B(207), 0, 4, 10, 0, 200, All, 0),
    Def(7000, "Launch control", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(7010, "###Launch accel.####Launch zrychlení", 7000, No, W(63), 0, 5, 1, 0, 50000, All, 0),
    Def(7020, "###Launch retard####Launch retard", 7000, No, W(64), 1, 4, 0.1, 0, 60, All, 0),
    Def(7000, "Track control", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(7010, "###Launch accel.##Launch zrychlení", 7000, No, W(63), 0, 5, 1, 0, 20000, All, 0),
    Def(7020, "###Launch retard####Launch retard", 7000, No, W(64), 1, 4, 0.1, 0, 60, All, 0),
    Def(7030, "###Slip####Prokluz", 7000, No, W(66), 1, 4, 0.01, 0, 40, All, 0),
    Def(7040, "###Track retard####Track retard", 7000, No, W(67), 1, 4, 0.1, 0, 60, All, 0),
    Def(3000, "###More Sensors####Další senzory", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(3010, "###Pick-up (CKPS)##Geber (CKPS)##Snímač CKPS", 3000, No, C(2), 0, 1, 1, 0, 1, All, 3),
    Def(3020, "###Pick-up (CMPS)##Geber (CMPS)##Snímač CMPS", 3000, No, C(3), 0, 1, 1, 0, 1, All, 3),
    Def(3030, "###Fall Sensor##Not Aus Sensor##Pádový senzor", 3000, No, C(4), 0, 1, 1, 0, 1, All, 0),
    Def(3040, "###Blocking##Blockierung##Blokování", 3000, No, C(5), 0, 1, 1, 0, 1, All, 0),
    Def(3050, "###Cooling##Kühlung##Chlazení", 3000, No, C(6), 0, 1, 1, 0, 1, All, 0),
    Def(3060, "###Potentiometer####Potenciometr", 3000, "[mV]", W(15), 0, 4, 1, 0, 5000, All, 0),
    Def(3070, "###Retard Limiter##Spätzündungbegrenzer##Omezovač zpožděním zážehu", 3000, No, C(7), 0, 1, 1, 0, 1, All, 0),
    Def(9000, "###Injection##Einspritzung##Vstřikování", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(9010, "###Inj. time A##Einspritzzeit A##Vstřik. čas A", 9000, "[ms]", None, 0, 0, 0, 0, 100, All, 0),
    Def(9011, "1A", 9010, No, B(187), 1, 4, 0.1, 0, 20, 1, 0),
    Def(9012, "2A", 9010, No, B(188), 1, 4, 0.1, 0, 20, 2, 0),
    Def(9013, "3A", 9010, No, B(189), 1, 4, 0.1, 0, 20, 4, 0),
    Def(9014, "4A", 9010, No, B(190), 1, 4, 0.1, 0, 20, 8, 0),
    Def(9020, "###Inj. time B##Einspritzzeit B##Vstřik. čas B", 9000, "[ms]", None, 0, 0, 0, 0, 0, All, 0),
    Def(9021, "1B", 9020, No, B(191), 1, 4, 0.1, 0, 20, 1, 0),
    Def(9022, "2B", 9020, No, B(192), 1, 4, 0.1, 0, 20, 2, 0),
    Def(9023, "3B", 9020, No, B(193), 1, 4, 0.1, 0, 20, 4, 0),
    Def(9024, "4B", 9020, No, B(194), 1, 4, 0.1, 0, 20, 8, 0),
    Def(9030, "###Position A##Lage A##Poloha A", 9000, "[°]", W(26), 0, 3, 1, 0, 720, All, 0),
    Def(9040, "###Position B##Lage B##Poloha B", 9000, "[°]", W(27), 0, 3, 1, 0, 720, All, 0),
    Def(9050, "###Inj. acording TP##Einspritz. aus TP##Vstřik odpovídá TP", 9000, "[%]", B(198), 0, 3, 1, 0, 100, All, 0),
    Def(9200, "###Advance##Vorzündung##Přestih", 0, "[°]", None, 0, 0, 0, 0, 100, All, 0),
    Def(9211, "1", 9200, No, C(21), 0, 2, 1, 0, 60, All, 0),
    Def(9212, "2", 9200, No, C(22), 0, 2, 1, 0, 60, All, 0),
    Def(9213, "3", 9200, No, C(23), 0, 2, 1, 0, 60, All, 0),
    Def(9214, "4", 9200, No, C(24), 0, 2, 1, 0, 60, All, 0),
    Def(59000, "###Proprietary values####", 0, No, None, 0, 0, 0, 0, 100, All, 0),
    Def(59010, "VAL1", 59000, "", W(70), 0, 5, 1, 0, 65535, All, 0),
    Def(59020, "VAL2", 59000, "", W(71), 0, 5, 1, 0, 65535, All, 0),
    Def(59030, "VAL3", 59000, "", W(72), 0, 5, 1, 0, 65535, All, 0),
    Def(59040, "VAL4", 59000, "", W(73), 0, 5, 1, 0, 65535, All, 0),
    Def(59050, "VAL5", 59000, "", W(74), 0, 5, 1, 0, 65535, All, 0),
}};
// clang-format on

// Rows whose value is offset after scaling.
bool IsTemperatureLike(int id)
{
    return id == 1110 || id == 1120 || id == 6210 || id == 6220 || id == 6230 || id == 6240;
}

double RawValue(const ValueDef& d, const DefValueSources& in)
{
    const size_t k = size_t(d.position);
    switch (d.source) {
    case defsource::Byte:
        return k <= LIVE_BLOCK_LEN ? in.block.B(d.position) : 0.0;
    case defsource::Word:
        if (k > LIVE_WORDS)
            return 0.0;
        return (d.id == 7010 || d.id == 7030) ? double(in.block.SignedW(d.position)) : double(in.block.W(d.position));
    default:
        return k < in.channels.size() ? in.channels[k] : 0.0;
    }
}

// The rows whose units, range or scale follow the unit's settings.
void ApplyUnitSettings(const DefValueSources& in)
{
    const RsImage& img = in.pcImage;
    ValueDef* iap = GetDefByName("IAP");
    iap->min = img.Word(defcell::IapMin / 2);
    iap->max = img.Word(defcell::IapMax / 2);

    const int limit
        = std::max({ img.b[defcell::RpmLimit1], img.b[defcell::RpmLimit1 + 1], img.b[defcell::RpmLimit1 + 2] });
    GetDefByName("RPM")->max = 100.0 * (limit != 0 ? limit : 100);

    ValueDef* accel = GetDefByName("Launch accel.");
    if (in.block.B(live::BLaunchUnit) == 0) {
        accel->units = "[rpm/s]";
        accel->max = 20000;
        accel->scale = 10;
    } else {
        accel->units = "[km/h/s]";
        accel->max = 100;
        accel->scale = 0.1;
    }

    const auto servo = [&](const char* name, int cell) {
        ValueDef* d = GetDefByName(name);
        const bool percent = img.b[size_t(cell)] != 0;
        d->units = percent ? "[%]" : "[mV]";
        d->max = percent ? 100 : 5000;
        d->scale = percent ? 0.02 : 1;
        d->decimals = percent ? 1 : 0;
    };
    servo("Intake servo", defcell::IntakeServoPercent);
    servo("Exhaust servo", defcell::ExhaustServoPercent);
}

int StateFlags(const ValueDef& d, double value, const LiveValues& v)
{
    using namespace defflag;
    switch (d.id) {
    case 1010: {
        int f = Live;
        if (v.LimiterIgn || v.LimiterInj || v.LimiterRetard)
            f |= Limiting;
        if (v.LimiterIgn && v.LimiterInj && v.LimiterRetard)
            f |= Alarm;
        return f;
    }
    case 1220:
        return Live | (value >= 100 ? High : 0);
    case 1110:
        return Live | (value >= 100 ? High : 0) | (value == -100 ? Alarm : 0);
    case 1120:
        return Live | (value == -100 ? Alarm : 0);
    default:
        return d.flags;
    }
}

} // namespace

ValueDefTable ValueDefs = INITIAL;

const ValueDefTable& InitialValueDefs()
{
    return INITIAL;
}

ValueDef* GetDef(int id)
{
    for (size_t i = 1; i < ValueDefs.size(); ++i)
        if (ValueDefs[i].id == id)
            return &ValueDefs[i];
    return &ValueDefs[0];
}

ValueDef* GetDefByName(std::string_view english)
{
    for (size_t i = 1; i < ValueDefs.size(); ++i)
        if (english == SelectLangText(ValueDefs[i].name, 0))
            return &ValueDefs[i];
    return &ValueDefs[0];
}

void GetDefPath(std::string& buffer, int id, bool withUnits)
{
    // From the row up to its top group; the table is three levels deep, and
    // a parent id that names a row already on the way ends the walk.
    std::vector<const ValueDef*> levels;
    for (const ValueDef* d = GetDef(id); d != &ValueDefs[0]; d = GetDef(d->parent)) {
        if (std::find(levels.begin(), levels.end(), d) != levels.end())
            break;
        levels.push_back(d);
        if (d->parent == 0)
            break;
    }
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        buffer += '/';
        buffer += SelectLangText((*it)->name);
        if (withUnits && (*it)->units) {
            buffer += ' ';
            buffer += (*it)->units;
        }
    }
}

bool UpdateDefValues(const DefValueSources& in)
{
    ApplyUnitSettings(in);
    bool changed = false;
    for (size_t i = 1; i < ValueDefs.size(); ++i) {
        ValueDef& d = ValueDefs[i];
        if (d.position == 0)
            continue;
        double value = RawValue(d, in) * d.scale;
        if (IsTemperatureLike(d.id))
            value -= 100;
        else if (d.id == 6140)
            value -= 1000;
        if (d.flags != 0)
            d.flags = StateFlags(d, value, in.values);
        if (value != d.value)
            changed = true;
        d.value = value;
    }
    return changed;
}
