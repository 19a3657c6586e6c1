// The writer of parameter files: every key of the key table in its order,
// values as "%5i " in columns of six characters, CR LF line ends.

#include "files/escape.h"
#include "files/loadgroups.h"
#include "files/paramfile.h"
#include "files/paramkeys.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

using namespace paramkeys;

namespace {

constexpr int WRITER_VERSION = RSKEY;

class Writer {
public:
    Writer(ParameterFileHost& host, const BuildStamp& stamp)
        : host_(host)
        , img_(host.ParameterImage())
        , stamp_(stamp)
    {
        out_.reserve(24000);
    }

    std::string Run()
    {
        // The file begins with a line break, so its first line is empty.
        for (const Key& key : KeyTable()) {
            if (key.flags & ReaderOnly)
                continue;
            if (key.hook == Hook::CouplingCopy)
                CopyCoupledMaps();
            WriteKey(key.name);
            for (const Item& it : key.items)
                if (Holds(it.when, WRITER_VERSION, false))
                    WriteItem(it);
        }
        return std::move(out_);
    }

private:
    void LineBreak() { out_ += "\r\n               "; }

    // The key and blanks up to its value column: 15, 21, 27, ... characters.
    void WriteKey(std::string_view key)
    {
        const int len = int(key.size());
        const int column = std::max(((len - 2) / 6 + 1) * 6 + 3, 15);
        out_ += "\r\n";
        out_ += key;
        out_.append(size_t(column - len), ' ');
    }

    void WriteInt(long v)
    {
        char buf[24];
        const int n = std::snprintf(buf, sizeof buf, "%5li ", v);
        out_.append(buf, size_t(n));
    }

    int Raw(const Item& it, int index) const
    {
        if (it.word)
            return it.sign ? int(int16_t(img_.Word(it.cell + index))) : int(img_.Word(it.cell + index));
        const uint8_t b = img_.b[size_t(it.cell + index)];
        return it.sign ? int(int8_t(b)) : int(b);
    }

    int Scale(const Item& it) const
    {
        if (it.scaleCell >= 0 && img_.b[size_t(it.scaleCell)] == 0)
            return it.scaleIfZero;
        return it.scale;
    }

    void WriteCell(const Item& it, int index) { WriteInt(long(Scale(it)) * (Raw(it, index) + it.bias)); }

    void WriteItem(const Item& it)
    {
        switch (it.op) {
        case Op::Const:
            WriteInt(RSKEY);
            break;
        case Op::Break:
            LineBreak();
            break;
        case Op::Cells:
            for (int i = 0; i < it.count; ++i)
                WriteCell(it, i);
            break;
        case Op::Table:
            for (int i = 0; i < it.count; ++i) {
                if (i > 0 && i % it.perLine == 0)
                    LineBreak();
                WriteCell(it, i);
            }
            break;
        case Op::Row: {
            const int n = std::min<int>(it.count, img_.b[size_t(it.countCell)]);
            for (int i = 0; i < n; ++i)
                WriteCell(it, i);
            if (it.rowBreak)
                LineBreak();
            break;
        }
        case Op::Map: {
            const int n = std::min<int>(20, img_.b[size_t(it.countCell)]);
            for (int r = 0; r < it.count; ++r) {
                for (int c = 0; c < n; ++c)
                    WriteCell(it, r * 20 + c);
                LineBreak();
            }
            break;
        }
        case Op::Bits:
            for (int bit = 0; bit < FLAG_BITS; ++bit)
                WriteInt((img_.b[size_t(it.cell)] >> bit) & 1);
            break;
        case Op::Flag:
            WriteInt(img_.b[size_t(it.cell)] != 0);
            break;
        case Op::IdleValve:
            // The FID valve of idle mode 4 has its own cell, written in the place of B2916.
            WriteInt(img_.b[2911] == 4 ? img_.b[4237] : img_.b[2916]);
            break;
        case Op::UnitLine: {
            const UnitVersionTexts t = host_.UnitTexts();
            out_ += "\r\nHEX  " + OneLine(t.date) + "  " + OneLine(t.time) + "   " + OneLine(t.name);
            break;
        }
        case Op::BuildLine:
            out_ += "\r\nEXE  " + OneLine(stamp_.date) + "   " + OneLine(stamp_.time);
            break;
        case Op::MemoLines:
            for (const std::u16string& line : host_.MemoLines()) {
                out_ += "\r\n";
                out_ += EscapeWide(line);
            }
            break;
        case Op::LambdaCurve:
        case Op::Scratch:
            break;
        }
    }

    // Texts from the unit could hold line ends, which would start new key
    // lines in the file.
    static std::string OneLine(std::string s)
    {
        for (char& c : s)
            if (static_cast<unsigned char>(c) < 0x20)
                c = ' ';
        return s;
    }

    // In coupling mode 2 the four maps share map 1A, so the file and the image
    // hold four equal maps.
    void CopyCoupledMaps()
    {
        if (img_.b[INJECTOR_COUPLING_MODE] != 2)
            return;
        for (int m = 1; m < 4; ++m) {
            std::copy_n(&img_.b[3228], 20, &img_.b[size_t(3228 + 20 * m)]);
            std::copy_n(&img_.b[0], 400, &img_.b[size_t(400 * m)]);
            img_.b[size_t(2664 + m)] = img_.b[2664];
        }
    }

    ParameterFileHost& host_;
    RsImage& img_;
    const BuildStamp& stamp_;
    std::string out_;
};

} // namespace

BuildStamp ProgramBuildStamp()
{
    return { __DATE__, __TIME__ };
}

std::string ParameterFileText(ParameterFileHost& host, const BuildStamp& stamp)
{
    return Writer(host, stamp).Run();
}

bool WriteParameterFile(ParameterFileHost& host, std::ostream& out, const BuildStamp& stamp)
{
    const std::string text = ParameterFileText(host, stamp);
    out.write(text.data(), std::streamsize(text.size()));
    return bool(out);
}
