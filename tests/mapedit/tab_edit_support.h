#pragma once
// A map table with one or more small sheets whose keys, counts and values
// the tests set, the language chosen by the test and message boxes recorded.

#include "mapedit/clipboard.h"
#include "mapedit/tab.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

struct EditFixture : ::testing::Test {
    int lang = 0;
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider { dialogs };
    TTab tab { nullptr, 0, 0, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D };

    EditFixture()
    {
        SetTabInputProbe([] { return TabInputState {}; });
        SetTabLanguageSource([this] { return lang; });
        SetTabTextSelector([this](const char* t, int l) { return std::string(SelectLangText(t, l < 0 ? lang : l)); });
        tab.SheetClipFormat = RegisterClipboardFormat("CF_MORVANTA_SHEET");
    }
    ~EditFixture() override
    {
        SetTabInputProbe(nullptr);
        SetTabLanguageSource(nullptr);
        SetTabTextSelector(nullptr);
    }

    // A sheet of the given size (room for maxCols x maxRows) with X = 1000,
    // 2000, ..., Y = 10, 20, ... and cells 1, 2, 3, ... row by row.
    CSheet& Add(int cols, int rows, int maxCols = TAB_MAX_COLS, int maxRows = TAB_MAX_ROWS, const char* xKey = "RPM")
    {
        return AddTo(tab, cols, rows, maxCols, maxRows, xKey);
    }
    static CSheet& AddTo(
        TTab& tab, int cols, int rows, int maxCols = TAB_MAX_COLS, int maxRows = TAB_MAX_ROWS, const char* xKey = "RPM")
    {
        const int i = tab.AddSheet("Sheet", "X", "Y", "V", maxCols, maxRows, 0);
        tab.DefineAxes(i, 1, xKey, "", 0, 1000000, 1.0, 1, nullptr, 1, 1, 1, cols, 1, 0, 1, -1, 0, 0, nullptr);
        tab.DefineAxes(i, 2, "TP", "", 0, 100000, 1.0, 1, nullptr, 1, 1, 1, rows, 1, 0, 1, -1, 0, 0, nullptr);
        tab.DefineAxes(i, 4, "ADV", "", -100000, 100000, 1.0, 1, nullptr, 1, 0, 1, 0, 0, 0, 0, -1, 0, 0, nullptr);
        CSheet& s = tab.Sheets[i];
        for (int c = 0; c < TAB_MAX_COLS; c++)
            s.X.Values[c] = 1000 * (c + 1);
        for (int r = 0; r < TAB_MAX_ROWS; r++)
            s.Y.Values[r] = 10 * (r + 1);
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++)
                s.V.Values[r * TAB_MAX_COLS + c] = r * cols + c + 1;
        if (tab.CurrentIndex < 0)
            tab.SelectSheet(i);
        return s;
    }

    static int32_t& Cell(CSheet& s, int c, int r) { return s.V.Values[r * TAB_MAX_COLS + c]; }

    std::vector<int32_t> Row(CSheet& s, int r) const
    {
        return std::vector<int32_t>(s.V.Values + r * TAB_MAX_COLS, s.V.Values + r * TAB_MAX_COLS + s.X.Count);
    }
    static std::vector<int32_t> Points(const CAxe& a) { return std::vector<int32_t>(a.Values, a.Values + a.Count); }

    // Selects items of one kind (cells, X or Y breakpoints) as the table does.
    void Select(int mode, std::initializer_list<std::pair<int, int>> items)
    {
        TSel& sel = tab.Sheet->Sel;
        sel.Clear();
        sel.Mode = mode;
        for (auto [c, r] : items) {
            if (mode == HIT_XHEADER)
                sel.XFlags[c] |= SEL_IN_BAND;
            else if (mode == HIT_YHEADER)
                sel.YFlags[r] |= SEL_IN_BAND;
            else
                sel.CellFlags[r * TAB_MAX_COLS + c] |= SEL_IN_BAND;
        }
        sel.UpdateBandBounds();
        sel.Finish(tab.TableHitMap);
    }
};
