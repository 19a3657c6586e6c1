#pragma once
// Which keys of a parameter file a load may store: one flag per group of
// keys, chosen from the settings page (and its selected map sheet).

#include "files/paramfile.h"

// Page indexes of the settings pages whose keys form load groups.
enum SettingsPageIndex {
    PAGE_BIKE = 0,
    PAGE_SYNCHRO = 1,
    PAGE_ADVANCE = 2,
    PAGE_INJECTION = 3,
    PAGE_INJECTION_POSITION = 4,
    PAGE_CORRECTIONS = 5,
    PAGE_SENSORS = 7,
    PAGE_SERVO = 8,
    PAGE_IDLE = 9,
    PAGE_POWER_OUT = 10,
    PAGE_RACE = 11,
    PAGE_GEAR = 12,
    PAGE_N2O = 13,
    PAGE_TUNING = 14,
    PAGE_TRACKING = 16,
    PAGE_OBD = 18,
    PAGE_TEST = 19,
};

constexpr int INJECTOR_COUPLING_MODE = 2659; // image byte of the coupling mode

// pageIndex -1: every group but 13; otherwise only the groups of that page.
void SelectLoadGroups(ParameterFileHost& host, int pageIndex);

// The default curve of the lambda sensor: ratios B2940..2945 and voltages
// W1066..1071; sensor type 0 is the narrow-band sensor.
void SetLambdaDefaultCurve(RsImage& image, int sensorType);
