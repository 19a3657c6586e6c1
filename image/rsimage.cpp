#include "image/rsimage.h"

#include <cassert>

namespace {

int ByteAt(int offset, int index)
{
    int at = offset + CellIndex(index);
    assert(at >= 0 && at < RS_LEN_EXE);
    return at;
}

int WordAt(int offset, int index)
{
    int at = offset + CellIndex(index);
    assert(at >= 0 && at < RS_WORDS);
    return at;
}

} // namespace

int ReadByteCell(const RsImage& image, int offset, int index)
{
    uint8_t raw = image.b[size_t(ByteAt(offset, index))];
    return IsSignedCell(index) ? int(int8_t(raw)) : int(raw);
}

void WriteByteCell(RsImage& image, int offset, int index, int value)
{
    image.b[size_t(ByteAt(offset, index))] = uint8_t(value);
}

int ReadWordCell(const RsImage& image, int offset, int index)
{
    uint16_t raw = image.Word(WordAt(offset, index));
    return IsSignedCell(index) ? int(int16_t(raw)) : int(raw);
}

void WriteWordCell(RsImage& image, int offset, int index, int value)
{
    image.SetWord(WordAt(offset, index), uint16_t(value));
}

// The arithmetic runs in 64 bits so that no typed number can overflow it; a
// zero scale, which no binding should carry, counts as 1 instead of dividing
// by zero.
int ShownByteValue(int raw, int scale, int bias)
{
    return int(int64_t(scale) * (int64_t(raw) + bias));
}

uint8_t StoredByteValue(int value, int scale, int bias)
{
    int64_t divisor = scale == 0 ? 1 : scale;
    return uint8_t(int64_t(value) / divisor - bias);
}

int ShownWordValue(int raw, int bias)
{
    return int(int64_t(raw) + bias);
}

uint16_t StoredWordValue(int value, int bias)
{
    return uint16_t(int64_t(value) - bias);
}

int LoadByteCell(const RsImage& image, int offset, int index, int scale, int bias)
{
    return ShownByteValue(ReadByteCell(image, offset, index), scale, bias);
}

void StoreByteCell(RsImage& image, int offset, int index, int value, int scale, int bias)
{
    WriteByteCell(image, offset, index, StoredByteValue(value, scale, bias));
}

int LoadWordCell(const RsImage& image, int offset, int index, int bias)
{
    return ShownWordValue(ReadWordCell(image, offset, index), bias);
}

void StoreWordCell(RsImage& image, int offset, int index, int value, int bias)
{
    WriteWordCell(image, offset, index, StoredWordValue(value, bias));
}

int ListItemForCell(ListBinding kind, uint8_t cellValue, std::span<const int> itemCodes)
{
    if (kind == ListBinding::Position)
        return cellValue < itemCodes.size() ? int(cellValue) : NO_ITEM;
    for (size_t i = 0; i < itemCodes.size(); ++i) {
        if (itemCodes[i] == cellValue)
            return int(i);
    }
    return NO_ITEM;
}

uint8_t CellForListItem(ListBinding kind, int item, std::span<const int> itemCodes)
{
    if (item < 0 || size_t(item) >= itemCodes.size())
        return uint8_t(NO_ITEM);
    return uint8_t(kind == ListBinding::Position ? item : itemCodes[size_t(item)]);
}
