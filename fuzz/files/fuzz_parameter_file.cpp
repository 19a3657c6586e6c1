// Parameter-file text of any shape, loaded whole or for one page; the preset
// load of the end rule parses the same text again.

#include "files/paramfile.h"

#include <cstddef>
#include <cstdint>

namespace {

class Host : public ParameterFileHost {
public:
    explicit Host(std::string_view text)
        : text_(text)
    {
    }
    RsImage& ParameterImage() override { return image_; }
    std::vector<std::u16string> MemoLines() const override { return {}; }
    UnitVersionTexts UnitTexts() const override { return {}; }
    int SelectedSheet(int pageIndex) const override { return image_.b[0] % 8; }
    void ShowMessageTableBox(int) override { }
    void ShowErrorBox(const std::string&) override { }
    void LoadBikeDefaults(int pageIndex) override { ParseParameterText(*this, pageIndex, false, text_); }

private:
    std::string_view text_;
    RsImage image_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int page = data[0] % 21 - 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    Host host(text);
    ParseParameterText(host, page, true, text);
    return 0;
}
