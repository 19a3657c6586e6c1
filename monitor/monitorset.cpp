#include "monitor/monitorset.h"

#include <cstring>

namespace {

constexpr int32_t KIND_PICTURE = 0;
constexpr int32_t KIND_TEXT = 1;

int32_t GetLe(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

void PutLe(std::vector<uint8_t>& out, int32_t value)
{
    const auto v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

bool KnownKind(int32_t kind)
{
    return kind == 0 || kind == 1 || kind == 2 || kind == 4 || kind == 8;
}

// Bits 0..15 hold the window's size, bits 16..31 the layout's base size.
int32_t SizeWord(int32_t outer, int32_t base)
{
    return int32_t((uint32_t(base) << 16) | (uint32_t(outer) & 0xFFFFu));
}

// Reads forward through the file; every read checks what is left.
class Cursor {
public:
    explicit Cursor(std::span<const uint8_t> data)
        : data_(data)
    {
    }
    size_t Left() const { return data_.size() - at_; }
    bool Int(int32_t& v)
    {
        if (Left() < 4)
            return false;
        v = GetLe(data_.data() + at_);
        at_ += 4;
        return true;
    }
    const uint8_t* Here() const { return data_.data() + at_; }
    std::span<const uint8_t> Take(size_t n)
    {
        const auto part = data_.subspan(at_, n);
        at_ += n;
        return part;
    }

private:
    std::span<const uint8_t> data_;
    size_t at_ = 0;
};

bool ReadText(Cursor& in, int32_t expected, MonitorSetText& text)
{
    int32_t number = 0;
    int32_t length = 0;
    if (!in.Int(number) || number != expected || !in.Int(length) || length < 0)
        return false;
    if (size_t(length) >= in.Left()) // the text and its zero byte
        return false;
    const auto bytes = in.Take(size_t(length) + 1);
    text.number = number;
    text.text.assign(bytes.begin(), bytes.end() - 1);
    return true;
}

bool ReadPicture(Cursor& in, int32_t expected, MonitorSetPicture& picture)
{
    int32_t number = 0;
    if (!in.Int(number) || number != expected || in.Left() < MONSET_MIN_BMP)
        return false;
    const uint8_t* head = in.Here();
    const uint32_t fileSize = uint32_t(GetLe(head + 2));
    if (head[0] != 'B' || head[1] != 'M' || fileSize < MONSET_MIN_BMP || fileSize > in.Left())
        return false;
    const auto bytes = in.Take(fileSize);
    picture.number = number;
    picture.bmp.assign(bytes.begin(), bytes.end());
    return true;
}

} // namespace

int32_t MonitorSetItem::Get(int offset) const
{
    return GetLe(bytes.data() + offset);
}

void MonitorSetItem::Set(int offset, int32_t value)
{
    const auto v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        bytes[size_t(offset + i)] = uint8_t(v >> (8 * i));
}

std::vector<uint8_t> EncodeMonitorSet(const MonitorSet& set)
{
    std::vector<uint8_t> out;
    out.reserve(MONSET_HEADER_LEN + set.items.size() * MONSET_ITEM_LEN);
    const MonitorSetHeader& h = set.header;
    PutLe(out, MONSET_MAGIC);
    PutLe(out, h.Left);
    PutLe(out, h.Top);
    PutLe(out, SizeWord(h.Width, h.origWidth));
    PutLe(out, SizeWord(h.Height, h.origHeight));
    PutLe(out, int32_t(set.items.size()));
    for (const MonitorSetItem& item : set.items)
        out.insert(out.end(), item.bytes.begin(), item.bytes.end());
    for (const MonitorSetText& text : set.texts) {
        PutLe(out, text.number);
        PutLe(out, int32_t(text.text.size()));
        out.insert(out.end(), text.text.begin(), text.text.end());
        out.push_back(0);
    }
    for (const MonitorSetPicture& picture : set.pictures) {
        PutLe(out, picture.number);
        out.insert(out.end(), picture.bmp.begin(), picture.bmp.end());
    }
    return out;
}

int DecodeMonitorSet(std::span<const uint8_t> data, MonitorSet& out)
{
    out = MonitorSet {};
    if (data.size() < size_t(MONSET_HEADER_LEN) || GetLe(data.data()) != MONSET_MAGIC)
        return setread::BadFormat;
    const int32_t count = GetLe(data.data() + 20);
    if (count < 0 || size_t(count) > (data.size() - MONSET_HEADER_LEN) / MONSET_ITEM_LEN)
        return setread::BadFormat;

    MonitorSet set;
    const int32_t widthWord = GetLe(data.data() + 12);
    const int32_t heightWord = GetLe(data.data() + 16);
    set.header.Left = GetLe(data.data() + 4);
    set.header.Top = GetLe(data.data() + 8);
    set.header.Width = widthWord & 0xFFFF;
    set.header.Height = heightWord & 0xFFFF;
    set.header.origWidth = widthWord >> 16;
    set.header.origHeight = heightWord >> 16;

    Cursor in(data);
    in.Take(MONSET_HEADER_LEN);
    for (int32_t i = 0; i < count; ++i) {
        MonitorSetItem item;
        const auto bytes = in.Take(MONSET_ITEM_LEN);
        std::memcpy(item.bytes.data(), bytes.data(), MONSET_ITEM_LEN);
        if (KnownKind(item.kind()))
            set.items.push_back(item);
    }

    int result = setread::Ok;
    for (const MonitorSetItem& item : set.items) {
        if (item.kind() != KIND_TEXT)
            continue;
        MonitorSetText text;
        if (!ReadText(in, item.aux(), text)) {
            result = setread::BadTexts;
            break;
        }
        set.texts.push_back(std::move(text));
    }
    if (result == setread::Ok) {
        for (const MonitorSetItem& item : set.items) {
            if (item.kind() != KIND_PICTURE)
                continue;
            MonitorSetPicture picture;
            if (!ReadPicture(in, item.aux(), picture)) {
                result = setread::BadPictures;
                break;
            }
            set.pictures.push_back(std::move(picture));
        }
    }
    out = std::move(set);
    return result;
}
