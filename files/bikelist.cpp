#include "files/bikelist.h"

#include "files/bikedefaults.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

namespace {

int RowOfCode(const TComboBox& list, int code)
{
    for (int i = 0; i < list.ItemCount(); ++i)
        if (list.ItemCode(i) == code)
            return i;
    return -1;
}

} // namespace

void FillBikeList(TComboBox& comboBoxBike, int bikeCode)
{
    comboBoxBike.ClearItems();
    for (const BikeListRow& row : BikeListRows())
        comboBoxBike.AddItem(SelectLangText(row.text), row.code);
    comboBoxBike.SetItemIndex(RowOfCode(comboBoxBike, bikeCode));
}

std::optional<std::string> BikeRowText(const TComboBox& comboBoxBike, int code)
{
    const int row = RowOfCode(comboBoxBike, code);
    if (row < 0)
        return std::nullopt;
    return comboBoxBike.ItemText(row);
}
