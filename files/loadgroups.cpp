#include "files/loadgroups.h"

namespace {

// Groups of keys that a page loads; groups 3..10 follow the injection
// page's map sheets and 15/16 the servo page's.
bool GroupOfPage(int group, int pageIndex, int sheet, int couplingMode)
{
    const bool injection = pageIndex == PAGE_INJECTION;
    const bool servo = pageIndex == PAGE_SERVO;
    switch (group) {
    case 0:
        return pageIndex == PAGE_BIKE;
    case 1:
        return pageIndex == PAGE_SYNCHRO;
    case 2:
        return pageIndex == PAGE_ADVANCE;
    case 3:
        return injection && sheet == 0;
    // Maps 2A..4A follow map 1A while the injectors are coupled.
    case 4:
        return injection && sheet == 1 && couplingMode == 0;
    case 5:
        return injection && sheet == 2 && couplingMode == 0;
    case 6:
        return injection && sheet == 3 && couplingMode == 0;
    case 7:
        return injection && sheet == 5;
    case 8:
        return injection && sheet == 6;
    case 9:
        return injection && sheet == 4;
    case 10:
        return injection && sheet == 7;
    case 11:
        return pageIndex == PAGE_INJECTION_POSITION;
    case 12:
        return pageIndex == PAGE_CORRECTIONS;
    case 14:
        return pageIndex == PAGE_SENSORS;
    case 15:
        return servo && sheet == 0;
    case 16:
        return servo && sheet == 1;
    case 17:
        return pageIndex == PAGE_POWER_OUT;
    case 18:
        return pageIndex == PAGE_RACE;
    case 19:
        return pageIndex == PAGE_GEAR;
    case 20:
        return pageIndex == PAGE_IDLE;
    case 21:
        return pageIndex == PAGE_N2O;
    case 22:
        return pageIndex == PAGE_TUNING;
    case 23:
        return pageIndex == PAGE_TRACKING;
    case 24:
        return pageIndex == PAGE_OBD;
    case 25:
        return pageIndex == PAGE_TEST;
    default:
        return false; // group 13 holds no key
    }
}

} // namespace

void SelectLoadGroups(ParameterFileHost& host, int pageIndex)
{
    int sheet = -1;
    if (pageIndex == PAGE_INJECTION || pageIndex == PAGE_SERVO)
        sheet = host.SelectedSheet(pageIndex);
    const int couplingMode = host.ParameterImage().b[INJECTOR_COUPLING_MODE];
    for (int g = 0; g < LOAD_GROUPS; ++g)
        host.LoadGroupFlags[size_t(g)] = pageIndex == -1 ? g != 13 : GroupOfPage(g, pageIndex, sheet, couplingMode);
}

void SetLambdaDefaultCurve(RsImage& image, int sensorType)
{
    static const uint8_t NARROW_RATIO[6] = { 100, 130, 140, 150, 160, 180 };
    static const uint16_t NARROW_MV[6] = { 900, 840, 760, 100, 10, 0 };
    static const uint8_t WIDE_RATIO[6] = { 100, 120, 130, 150, 160, 180 };
    static const uint16_t WIDE_MV[6] = { 0, 1250, 1875, 3125, 3750, 5000 };
    const bool wide = sensorType != 0;
    for (int i = 0; i < 6; ++i) {
        image.b[size_t(2940 + i)] = wide ? WIDE_RATIO[i] : NARROW_RATIO[i];
        image.SetWord(1066 + i, wide ? WIDE_MV[i] : NARROW_MV[i]);
    }
}
