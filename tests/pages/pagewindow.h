#pragma once
// The headless main window with every settings page built, started from the
// presets appended to the built program and showing the Advance page.

#include "app/editpath.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "support/mainwindow.h"

#include <string>

class PageWindow : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        Construct();
        form->ProgramPath = ZEPERON_PROGRAM;
        form->FormCreate(form.get());
        form->ShowPage(PAGE_SLOT_ADVANCE);
    }
    uint8_t& Byte(int offset) { return form->PcImage.b[size_t(offset)]; }
    std::string DefaultIni() const
    {
        std::string text;
        ReadWholeFile(form->DefaultIniPath, text);
        return text;
    }
    // The table's shown columns and rows reach its right and bottom margins:
    // it is laid out for as many as it has.
    static void ExpectCellsFill(const TTab* table)
    {
        ASSERT_TRUE(table);
        EXPECT_GE(table->CellsLeft + table->VisibleCols * table->CellWidth, table->width() - table->MarginRight - 1)
            << table->TableId;
        EXPECT_GE(table->CellsTop + table->VisibleRows * table->CellHeight, table->height() - table->MarginBottom - 1)
            << table->TableId;
    }
};
