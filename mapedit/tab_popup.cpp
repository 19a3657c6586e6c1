// The popup menu of a map table: built again at every right click from the
// selection, the clipboard, the view and the pointer, in the current
// language. Each item runs a command of the control.
#include "mapedit/clipboard.h"
#include "mapedit/tab.h"
#include "platform/menus.h"

#include <cmath>
#include <cstdio>

namespace {

const char* const DISABLE = "###Disable ##Deaktivieren ##Zakázat ";
const char* const ENABLE = "###Enable ##Aktivieren ##Povolit ";
const char* const COPY = "###Copy##Kopieren##Kopírovat";
const char* const COPY_TABLE = "###Copy the entire table##Tabelle kopieren##Kopírovat celou tabulku";
const char* const COPY_GRAPH = "###Copy graph##Chart kopieren##Kopírovat graf";
const char* const PASTE_TABLE = "###Paste table##Tabelle einfügen##Vložit tabulku";
const char* const PASTE = "###Paste##Einfügen##Vložit";
const char* const INTERPOLATE = "###Interpolate##Interpolieren##Interpolovat";
const char* const INSERT_ROW = "###Insert row here##Einfügen einer Zeile##Vložit řádek (zde)";
const char* const INSERT_COLUMN = "###Insert column here##Einfügen hier Spalte##Vložit sloupec (zde)";
const char* const DELETE_ROW = "###Delete row##Klare Zeile##Vymazat řádek";
const char* const DELETE_ROWS = "###Delete rows##Klare Linien##Vymazat řádky";
const char* const DELETE_COLUMN = "###Delete column##Spalte löschen##Vymazat sloupec";
const char* const DELETE_COLUMNS = "###Delete columns##Löschen von Spalten##Vymazat sloupce";
const char* const AUTOSCROLL
    = "###Autoscroll actual position##Autoscroll aktuelle Position##Automaticky posunovat na aktuální polohu";
const char* const NO_AUTOSCROLL = "###Disable autoscroll##Deaktivieren Autoscroll##Zakázat automatické posunování";
const char* const VIEWS3_D[3] = { "###Top view##Aufsicht##Pohled seshora", "###ISO1 view##ISO1 Ansicht##Pohled ISO1",
    "###ISO2 view##ISO2 Ansicht##Pohled ISO2" };
const char* const DRAW_MODES[6]
    = { "###Wire model##Draht-Modell##Drátěný model", "###One color graph##Ein Farb-Kurve##Jednobarevný graf",
          "###Height colors (grain 0)##Höhe Farben (Korn 0)##Výškové barvy (zrno 0)",
          "###Height colors (grain 1)##Höhe Farben (Korn 1)##Výškové barvy (zrno 1)",
          "###Height colors (grain 2)##Höhe Farben (Korn 2)##Výškové barvy (zrno 2)",
          "###Height colors (grain 3)##Höhe Farben (Korn 3)##Výškové barvy (zrno 3)" };
const char* const LABEL_MODES[4]
    = { "###No values##Keinen Wert##Žádné hodnoty", "###Only active value##Nur aktiven Wert##Jen aktivní honota",
          "###Only interresting values##Nur interresanten Werte##Jen zajímavé honoty",
          "###All values##Alle Werte##Všechny honoty" };
const char* const VIEWS[3] = { "###View as table##Als Tabelle anzeigen##Zbrazit jako tabulku",
    "###View as graph 2D##Als 2D-Graph anzeigen##Zobrazit jako 2D graf",
    "###View as graph 3D##Als 3D-Graph anzeigen##Zobrazit jako 3D graf" };
const char* const USE_ONLY = "###Use only##Nur##Použij jen";
const char* const USE = "###Use##Verwenden##Použij";
const char* const AND = "###and##und##a";

std::string Text(const char* text)
{
    return SelectTabText(text);
}

} // namespace

void TTab::BuildPopupMenu()
{
    if (!PopupMenu)
        PopupMenu = std::make_unique<TPopupMenu>(nullptr);
    TMenuItem* root = PopupMenu->Items();
    root->Clear();
    if (!Sheet)
        return;
    CSheet& s = *Sheet;
    const TSel& sel = s.Sel;
    const auto add = [root](const std::string& caption, bool checked, std::function<void()> action) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        if (checked)
            item->SetChecked(true);
        if (action)
            item->OnClick = [action](TObject*) { action(); };
        root->Add(item);
    };
    const auto separator = [&add] { add("-", false, nullptr); };
    const auto command = [this](int code) { return [this, code] { DoCommand(code); }; };

    // The decision values.
    PopupX = MouseX;
    PopupY = MouseY;
    int count = 0, editable = 0;
    SelectionCounts(count, editable);
    int copy = (EditorActive ? MarkStart != MarkEnd : count > 0) ? 1 : 0;
    const int has = ClipboardHasFormat(SheetClipFormat);
    const bool anyEditable = s.X.Editable || s.Y.Editable || s.V.Editable;
    int paste = ((has & 1) && editable > 0 ? 1 : 0) | ((has & 2) && anyEditable ? 2 : 0);
    bool interpolate = editable > 0 && sel.IsBlock;
    int insertRow = 0, insertCol = 0, deleteRows = 0, deleteCols = 0;
    const int h = TableHitMap.HitAll(PopupX, PopupY);
    const int hc = TableHitMap.HitCol, hr = TableHitMap.HitRow;
    const bool overTable = (ViewBits & VIEW_TABLE) && YHeaderLeft < PopupX
        && PopupX < VisibleCols * CellWidth + CellsLeft + 16 && XHeaderTop < PopupY
        && PopupY < VisibleRows * CellHeight + CellsTop + 16;
    const auto selected = [&sel](int c, int r) { return (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED) != 0; };
    const auto fullColumn = [&](int c) {
        if (c < 0 || c >= s.X.Count)
            return false;
        if (s.Y.Collapsed)
            return selected(c, s.Y.UsedIndex);
        for (int r = 0; r < s.Y.Count; r++)
            if (!selected(c, r))
                return false;
        return true;
    };
    const auto fullRow = [&](int r) {
        if (r < 0 || r >= s.Y.Count)
            return false;
        if (s.X.Collapsed)
            return selected(s.X.UsedIndex, r);
        for (int c = 0; c < s.X.Count; c++)
            if (!selected(c, r))
                return false;
        return true;
    };
    if (h && (ViewRequest & VIEW_TABLE)) {
        if (h == HIT_CELL) {
            insertCol = !s.X.Collapsed && fullColumn(hc);
            insertRow = !s.Y.Collapsed && fullRow(hr);
        }
        if (h == HIT_XBAND || sel.Kind == HIT_XHEADER)
            insertCol = 1;
        if (h == HIT_YBAND || sel.Kind == HIT_YHEADER)
            insertRow = 1;
        if (sel.Kind == HIT_CELL) {
            for (int c = 0; c < s.X.Count && !s.X.Collapsed; c++)
                deleteCols += fullColumn(c);
            for (int r = 0; r < s.Y.Count && !s.Y.Collapsed; r++)
                deleteRows += fullRow(r);
        }
        if (h == HIT_XBAND)
            deleteRows = 0;
        if (h == HIT_YBAND)
            deleteCols = 0;
        if (sel.Kind == HIT_XHEADER)
            deleteCols = sel.Count;
        if (sel.Kind == HIT_YHEADER)
            deleteRows = sel.Count;
        if (deleteCols == s.X.Count)
            deleteCols = 0;
        if (deleteRows == s.Y.Count)
            deleteRows = 0;
    }
    if (!s.X.Resizable)
        insertCol = deleteCols = 0;
    if (!s.Y.Resizable)
        insertRow = deleteRows = 0;
    if (HotSheetTab) {
        copy = 2;
        if (!((paste & 2) && anyEditable))
            paste = 0;
        interpolate = false;
        insertRow = insertCol = deleteRows = deleteCols = 0;
    }
    if (copy == 1)
        copy = 3;
    int views = 0;
    for (int32_t bit : { TABSTYLE_TABLE, TABSTYLE_2D, TABSTYLE_3D })
        views += (Style & bit) ? 1 : 0;
    int useOnly = (s.X.CollapsePolicy == 1) + (s.Y.CollapsePolicy == 1);
    if (s.X.CollapsePolicy == 2 || s.Y.CollapsePolicy == 2)
        useOnly = 0;
    const bool inGraph = Graph.AreaLeft <= PopupX && PopupX < width() - Graph.AreaRight && Graph.AreaTop <= PopupY
        && PopupY < height() - Graph.AreaBottom;
    if ((ViewBits & (VIEW_2D | VIEW_3D | VIEW_ONOFF)) && inGraph)
        copy |= 6;
    if (!s.Enabled) {
        copy = paste = insertRow = insertCol = deleteRows = deleteCols = views = useOnly = 0;
        interpolate = false;
    }

    // The items.
    char buf[512];
    if (s.Flags & SHEET_ENABLE_BOX) {
        std::snprintf(buf, sizeof buf, "%s %s", Text(s.Enabled ? DISABLE : ENABLE).c_str(), Text(s.Caption).c_str());
        add(buf, false, command(19));
        separator();
    }
    if (copy & 1)
        add(Text(COPY), false, command(0));
    if (copy & 2)
        add(Text(COPY_TABLE), false, command(1));
    if (copy & 4)
        add(Text(COPY_GRAPH), false, command(40));
    if (paste)
        add(Text((paste & 2) ? PASTE_TABLE : PASTE), false, command(2));
    if (copy || paste)
        separator();
    if (interpolate) {
        add(Text(INTERPOLATE), false, command(101));
        separator();
    }
    // A new row or column at the boundary nearest to the click.
    const auto insertHere = [this](int what) {
        return [this, what] {
            if (!Sheet)
                return;
            CAxe& a = what == 1 ? Sheet->X : Sheet->Y;
            const float size = what == 1 ? CellWidth : CellHeight;
            if (a.Collapsed || size <= 0 || !TableHitMap.HitAll(PopupX, PopupY))
                return;
            const int from = what == 1 ? PopupX - CellsLeft : PopupY - CellsTop;
            InsertAt(what, int(std::trunc((from + size * 0.5) / size)) + a.FirstVisible);
        };
    };
    if (insertRow)
        add(Text(INSERT_ROW), false, insertHere(0));
    if (insertCol)
        add(Text(INSERT_COLUMN), false, insertHere(1));
    const auto counted = [&buf](const char* text, int n) {
        std::snprintf(buf, sizeof buf, "%s (%i)", Text(text).c_str(), n);
        return std::string(buf);
    };
    if (deleteRows > 0)
        add(deleteRows > 1 ? counted(DELETE_ROWS, deleteRows) : Text(DELETE_ROW), false, [this] { DeleteSelected(0); });
    if (deleteCols > 0)
        add(deleteCols > 1 ? counted(DELETE_COLUMNS, deleteCols) : Text(DELETE_COLUMN), false,
            [this] { DeleteSelected(1); });

    const bool canScroll = (!s.X.Collapsed && VisibleCols < s.X.Count) || (!s.Y.Collapsed && VisibleRows < s.Y.Count);
    if (FollowLive && overTable && (Style & TABSTYLE_TOOLBAR) && canScroll) {
        separator();
        int32_t* follow = FollowLive;
        add(Text(AUTOSCROLL), *follow != 0, [follow] { *follow = 1; });
        add(Text(NO_AUTOSCROLL), *follow == 0, [follow] { *follow = 0; });
    }
    if ((ViewBits & VIEW_3D) && inGraph) {
        separator();
        for (int i = 0; i < 3; i++)
            add(Text(VIEWS3_D[i]), Buttons[16 + i].Pressed != 0, command(16 + i));
        separator();
        for (int i = 0; i < 6; i++)
            add(Text(DRAW_MODES[i]), Graph.DrawMode == i, [this, i] {
                Graph.DrawMode = i;
                RedrawBits |= REDRAW_RENDER;
            });
        separator();
        for (int i = 0; i < 4; i++)
            add(Text(LABEL_MODES[i]), Graph.LabelMode == i, [this, i] {
                Graph.LabelMode = i;
                RedrawBits |= REDRAW_RENDER;
            });
    }
    if (views > 1) {
        separator();
        const int32_t styles[3] = { TABSTYLE_TABLE, TABSTYLE_2D, TABSTYLE_3D };
        for (int i = 0; i < 3; i++)
            if (Style & styles[i])
                add(Text(VIEWS[i]), (ViewRequest & (1 << i)) != 0, [this, i] { SetView(1 << i); });
    }
    if (useOnly > 0) {
        separator();
        const std::string x = Text(s.X.Label), y = Text(s.Y.Label), only = Text(USE_ONLY);
        if (s.Y.CollapsePolicy == 1) {
            std::snprintf(buf, sizeof buf, "%s %s", only.c_str(), x.c_str());
            add(buf, !s.X.Collapsed && s.Y.Collapsed, command(13));
        }
        if (s.X.CollapsePolicy == 1) {
            std::snprintf(buf, sizeof buf, "%s %s", only.c_str(), y.c_str());
            add(buf, s.X.Collapsed && !s.Y.Collapsed, command(14));
        }
        std::snprintf(buf, sizeof buf, "%s %s %s %s", Text(USE).c_str(), x.c_str(), Text(AND).c_str(), y.c_str());
        add(buf, !s.X.Collapsed && !s.Y.Collapsed, command(15));
    }
}

void TTab::ShowPopupMenu()
{
    BuildPopupMenu();
    const QPoint at = mapToGlobal(QPoint(PopupX, PopupY));
    PopupMenu->Popup(at.x(), at.y());
}
