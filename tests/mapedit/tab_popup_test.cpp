#include "platform/menus.h"
#include "tab_edit_support.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

struct PopupMenu : EditFixture {
    // Captions, a check mark written as a leading "*".
    std::vector<std::string> Items()
    {
        tab.BuildPopupMenu();
        std::vector<std::string> out;
        TMenuItem* root = tab.PopupMenu->Items();
        for (int i = 0; i < root->Count(); i++)
            out.push_back((root->Items(i)->Checked() ? "*" : "") + root->Items(i)->Caption());
        return out;
    }
    void Click(const std::string& caption)
    {
        TMenuItem* root = tab.PopupMenu->Items();
        for (int i = 0; i < root->Count(); i++)
            if (root->Items(i)->Caption() == caption) {
                root->Items(i)->Click();
                return;
            }
        ADD_FAILURE() << "no item " << caption;
    }
    void PointAtCell(int c, int r, double down = 0.5)
    {
        tab.MouseX = int(tab.CellsLeft + (c - tab.Sheet->X.FirstVisible + 0.5) * tab.CellWidth);
        tab.MouseY = int(tab.CellsTop + (r - tab.Sheet->Y.FirstVisible + down) * tab.CellHeight);
    }
    void SelectColumns(std::initializer_list<int> cols)
    {
        TSel& sel = tab.Sheet->Sel;
        sel.Clear();
        sel.Mode = HIT_CELL;
        for (int c : cols)
            for (int r = 0; r < tab.Sheet->Y.Count; r++)
                sel.CellFlags[r * TAB_MAX_COLS + c] |= SEL_IN_BAND;
        sel.UpdateBandBounds();
        sel.Finish(tab.TableHitMap);
    }
};

using Captions = std::vector<std::string>;

const Captions VIEWS_AND_USE = { "-", "*View as table", "View as graph 2D", "View as graph 3D", "-", "Use only X",
    "Use only Y", "*Use X and Y" };

Captions Join(Captions a, const Captions& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(PopupMenu, ItemsForPreparedStates)
{
    Add(5, 3);
    QGuiApplication::clipboard()->clear();
    PointAtCell(1, 1);
    EXPECT_EQ(Items(), VIEWS_AND_USE);

    SelectColumns({ 1, 2 });
    EXPECT_EQ(Items(),
        Join({ "Copy", "Copy the entire table", "-", "Interpolate", "-", "Insert column here", "Delete columns (2)" },
            VIEWS_AND_USE));
    lang = 1;
    EXPECT_EQ(Items()[6], "Löschen von Spalten (2)");
    EXPECT_EQ(Items()[5], "Einfügen hier Spalte");
    lang = 2;
    EXPECT_EQ(Items()[8], "*Zbrazit jako tabulku");
    EXPECT_EQ(Items().back(), "*Použij X a Y");
    lang = 0;

    SelectColumns({ 0, 1, 2, 3, 4 }); // a table is never emptied
    EXPECT_EQ(Items(),
        Join({ "Copy", "Copy the entire table", "-", "Interpolate", "-", "Insert row here", "Insert column here" },
            VIEWS_AND_USE));

    ClipboardPutText("5");
    tab.Sheet->Sel.SelectItem(tab.TableHitMap, 1, 1);
    EXPECT_EQ(Items(), Join({ "Copy", "Copy the entire table", "Paste", "-" }, VIEWS_AND_USE));

    tab.HotSheetTab = 1; // on a sheet tab only the whole sheet is copied
    EXPECT_EQ(Items(), Join({ "Copy the entire table", "-" }, VIEWS_AND_USE));
    tab.HotSheetTab = 0;

    tab.Sheet->Y.Collapsed = 1;
    tab.Sheet->Sel.Clear();
    EXPECT_EQ(Items(),
        (Captions { "-", "*View as table", "View as graph 2D", "View as graph 3D", "-", "*Use only X", "Use only Y",
            "Use X and Y" }));
}

TEST_F(PopupMenu, DisabledSheetWithEnableBoxAndThe3DItems)
{
    CSheet& s = Add(3, 2);
    s.Flags |= SHEET_ENABLE_BOX;
    QGuiApplication::clipboard()->clear();
    s.Enabled = 0;
    EXPECT_EQ(Items(), (Captions { "Enable Sheet", "-" }));
    s.Enabled = 1;
    EXPECT_EQ(Items().front(), "Disable Sheet");
    Click("Disable Sheet");
    EXPECT_EQ(s.Enabled, 0);
    s.Enabled = 1;

    tab.ViewBits = VIEW_3D;
    tab.Graph.AreaLeft = tab.Graph.AreaTop = 10;
    tab.Graph.AreaRight = tab.Graph.AreaBottom = 10;
    tab.MouseX = tab.MouseY = 50;
    tab.Graph.AngleX = -5; // the ISO1 view
    tab.Graph.AngleXY = 4;
    tab.Graph.AngleXYZ = 0;
    tab.DetectViewPreset();
    tab.Graph.DrawMode = 5;
    tab.Graph.LabelMode = 2;
    const Captions want
        = Join({ "Disable Sheet", "-", "Copy the entire table", "Copy graph", "-", "-", "Top view", "*ISO1 view",
                   "ISO2 view", "-", "Wire model", "One color graph", "Height colors (grain 0)",
                   "Height colors (grain 1)", "Height colors (grain 2)", "*Height colors (grain 3)", "-", "No values",
                   "Only active value", "*Only interresting values", "All values" },
            VIEWS_AND_USE);
    EXPECT_EQ(Items(), want);
    Click("Wire model");
    EXPECT_EQ(tab.Graph.DrawMode, 0);
    Click("Top view");
    EXPECT_EQ(tab.Graph.AngleX, -18);
}

TEST_F(PopupMenu, InsertRowHereTakesTheNearestBoundary)
{
    CSheet& s = Add(3, 6);
    TSel& sel = s.Sel;
    sel.Clear();
    sel.Mode = HIT_CELL;
    for (int c = 0; c < 3; c++)
        sel.CellFlags[4 * TAB_MAX_COLS + c] |= SEL_IN_BAND;
    sel.UpdateBandBounds();
    sel.Finish(tab.TableHitMap);
    PointAtCell(1, 4, 0.75);
    Items();
    Click("Insert row here");
    EXPECT_EQ(s.Y.Count, 7);
    EXPECT_EQ(s.Sel.BandY1, 5);
    EXPECT_EQ(s.Y.Values[5], 55);
}
