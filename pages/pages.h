#pragma once
// The settings pages: the tab sheets of PageControl1, each binding its
// controls and map tables to cells of PcImage. A page is one row of
// PageSlotTable (its operations) and one file of its own with its layout
// table and its Create, Store, Load and TableChanged operations. The
// framework builds, stores and loads the pages in fixed orders, commits an
// edit, refreshes the per-tick colours and moves blocks read back from the
// unit into the map tables.

#include "image/selfcheck.h"

#include <array>
#include <cstdint>
#include <vector>

class TMainForm;
class TTab;
class TTabSheet;

// Page slots (the index of a page in PageControl1).
enum PageSlotIndex {
    PAGE_SLOT_BIKE = 0,
    PAGE_SLOT_SYNCHRO = 1,
    PAGE_SLOT_ADVANCE = 2,
    PAGE_SLOT_INJECTION = 3,
    PAGE_SLOT_INJECTION_POSITION = 4,
    PAGE_SLOT_CORRECTIONS = 5,
    PAGE_SLOT_INPUT = 6,
    PAGE_SLOT_SENSORS = 7,
    PAGE_SLOT_SERVO = 8,
    PAGE_SLOT_IDLE = 9,
    PAGE_SLOT_POWER_OUT = 10,
    PAGE_SLOT_RACE = 11,
    PAGE_SLOT_GEAR = 12,
    PAGE_SLOT_N2O = 13,
    PAGE_SLOT_TUNING = 14,
    PAGE_SLOT_KNOCK = 15,
    PAGE_SLOT_TRACKING = 16,
    PAGE_SLOT_MONITOR = 17,
    PAGE_SLOT_OBD = 18,
    PAGE_SLOT_TEST = 19,
};
constexpr int PAGE_SLOT_COUNT = 20;

using PageOperation = void (*)(TMainForm* form);
using PageTableOperation = void (*)(TMainForm* form, TTab* table);

// One page slot. A null operation does nothing; a page not built yet keeps
// an empty sheet in its slot.
struct PageSlot {
    const char* page;
    // The name and first caption of a sheet the page makes at run time; null
    // for the form's own sheets.
    const char* runTimeSheet;
    const char* runTimeCaption;
    PageOperation Create;
    PageOperation Store;
    PageOperation Load;
    // Run when one of the page's map tables (bit n of tableIds: table id n)
    // closed a change group or had a sheet tab clicked.
    PageTableOperation TableChanged;
    uint64_t tableIds;
    // The per-tick refresh while the page is shown.
    PageOperation Colour;
};

extern const std::array<PageSlot, PAGE_SLOT_COUNT> PageSlotTable;

// Builds every page once at start, in the order that fixes the map-table ids.
void CreateSettingsPages(TMainForm* form);
// Makes the run-time tab sheet of a slot, inserted into PageControl1 at the
// slot and kept in PageSheets.
TTabSheet* CreateRunTimeSheet(TMainForm* form, int slot);
// Stores the shown page into PcImage, then refreshes the monitor panel.
void StoreActivePage(TMainForm* form);
// Loads the shown page (all = 0) or every page, then lays out the lambda bar.
int LoadPages(TMainForm* form, int all);
// The commit of an edit: store, the consistency pass, reload, undo snapshot
// (and programming of the changed bytes when "Programming after change" is ticked).
void StoreAndReloadPage(TMainForm* form);
// Per tick: the shown page's live colours and the external-monitor check box.
void RefreshPageColours(TMainForm* form);
// Sets MapLimitsChanged when the limiters the map tables hold no longer match
// the image, so the next SyncMapTables reloads them before an edit of a map
// writes them back.
void MarkStaleMapLimits(TMainForm* form);
// Runs the TableChanged operation of the page that owns the table.
void PageTableChanged(TMainForm* form, TTab* table);

// The changed image block (1..16) to read back next, or 0: on the Advance
// page block 9 goes first when it is flagged, otherwise the lowest flagged one.
int ChooseChangedBlock(int activePage, uint32_t changedBlocks);
// Posts the read of the next changed block and sets the link's transfer
// range; with no block flagged it falls back to a live request.
void ReadNextChangedBlock(TMainForm* form);
// Copies the image cells of the byte range [from, to) into every map table
// that shows them; a table whose cells changed is marked for redraw.
void ImageRangeToMaps(TMainForm* form, int from, int to);

// The image cells the copy above writes (word indexes and byte offsets) and
// the bytes it tests.
void ImageMapCells(std::vector<CellSpan>& words, std::vector<CellSpan>& bytes);

// Lays out the three lambda labels over the gauge, in integer arithmetic.
struct LambdaBarLayout {
    int blueLeft, blueWidth, greenLeft, greenWidth, redLeft, redWidth;
};
// Nothing when the lambda range is empty (t3 = t0).
bool LayOutLambdaBar(int t0, int t1, int t2, int t3, int gaugeLeft, int gaugeWidth, LambdaBarLayout& out);
// Colours "Programming after change" and lays out the lambda bar from PcImage.
void ShowLambdaBar(TMainForm* form);
// TestLabels[i] := LabelTest1 .. LabelTest12 (those the window has).
void GatherTestLabels(TMainForm* form);
