#pragma once
// The main window's map tables: creating them for the pages, feeding them the
// live values and the image-bound values on every tick, and taking their
// finished edits back into the image and to the owning page. The main window
// reaches in through MapTableHost, which it fills with its own fields and
// routines.

#include "platform/colors.h"

#include <cstdint>
#include <functional>

class QImage;
class QWidget;
class TTab;

constexpr int MAX_MAP_TABLES = 40;

// Image bytes bound to fields of every table.
constexpr int IMAGE_BASE_ADVANCE = 2657; // degrees
constexpr int IMAGE_START_LIMITER = 3003; // rpm / 100
constexpr int IMAGE_LIMITER = 2560; // rpm / 100; tables of injection maps use the next byte
constexpr int IMAGE_LIMITER_INJ = 2561;

// Live values as the live monitor leaves them in the main window.
struct MapLiveValues {
    int32_t Rpm = 0;
    int32_t Throttle = 0; // tenths of a percent
    int32_t ServoThrottle = 0; // tenths of a percent
    int32_t Pressure = 0;
    int32_t InjTpShare = 0; // percent
    int32_t CoolantByte = 0; // degrees + 100, 0 none
    int32_t AirByte = 0; // degrees + 100, 0 none
    int32_t TimeSinceStart = 0;
    int32_t Afr = 0;
    bool ThrottleMissing = false;
    bool PressureMissing = false;
    bool FirstMapIap = false; // the first advance map takes its load from the pressure
    bool SecondMapIap = false;
};

struct MapTableHost {
    uint8_t* PcImage = nullptr; // the 4800-byte image the pages edit
    std::function<MapLiveValues()> LiveValues;
    std::function<int()> ConnectedPort;
    std::function<bool()> FormCreated;
    std::function<int()> ActivePage;
    // The owning page's table-changed routine, chosen by the table.
    std::function<void(TTab*)> TableChanged;
    // The commit of the pages into the image and back.
    std::function<void()> StoreAndReloadPage;
    std::function<void()> LogUiState;
};

struct MapTableSet {
    MapTableHost Host;
    TTab* MapTables[MAX_MAP_TABLES] = {};
    int32_t MapTableCount = 0;
    int32_t MapLimitsChanged = 0;
    int32_t MapSyncPrev = 0;
    // Tables with their own rules: the servo page's (throttle of the intake
    // servo while its first sheet is current) and the two that take the
    // focus for the Tools menu on their pages.
    TTab* ServoTable = nullptr;
    TTab* AdvanceTable = nullptr;
    TTab* InjectionTable = nullptr;
    // The further tables whose sheet the settings keep.
    TTab* CorrectionsTable = nullptr;
    // Further tables that take blocks read back from the unit.
    TTab* InjectionPositionTableA = nullptr;
    TTab* InjectionPositionTableB = nullptr;
    TTab* TuningTable = nullptr;
    TTab* TrackTable = nullptr;
};

constexpr int ADVANCE_PAGE = 2;
constexpr int INJECTION_PAGE = 3;

// The switch "follow the live position" every table refers to.
extern int32_t FollowLivePosition;

// A new table, or null when MAX_MAP_TABLES exist.
TTab* CreateMapTable(MapTableSet& form, int id, int width, int height, int32_t style, QWidget* parent);
void SyncMapTables(MapTableSet& form);
void OnMapTableChanged(TTab* table);
void WriteBackMapLimits(TTab* table);
void RefreshPagesOfTable(MapTableSet& form, TTab* table);
void InterpolateFocusedTable(MapTableSet& form);
void StepFocusedTable(MapTableSet& form, int n);
void RecolorBitmap(QImage* bitmap, TColor from, TColor to);
