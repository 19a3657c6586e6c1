#pragma once
// A stand-in for the main window as the bike defaults and the service tools
// see it: an image, the bike list of one language, pages that record their
// loads, and every message recorded.

#include "files/presettools.h"
#include "tools/presetgen/standin.h"

#include <string>
#include <vector>

class FakePresetHost : public PresetToolsHost {
public:
    explicit FakePresetHost(CImpet& presets)
        : archive(presets)
    {
    }
    RsImage& ParameterImage() override { return image; }
    std::vector<std::u16string> MemoLines() const override { return memo; }
    UnitVersionTexts UnitTexts() const override { return {}; }
    int SelectedSheet(int) const override { return 0; }
    void ShowMessageTableBox(int slot) override { slots.push_back(slot); }
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void LoadBikeDefaults(int pageIndex) override { ::LoadBikeDefaults(*this, pageIndex, archive); }
    std::optional<std::string> BikeRowText(int code) const override { return BikeListText(code, language); }
    int ActivePageIndex() const override { return activePage; }
    void ShowPage(int pageIndex) override { activePage = pageIndex; }
    void LoadPage(int pageIndex) override { pageLoads.push_back({ pageIndex, image }); }
    void StoreActivePage() override { ++stores; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    struct PageLoad {
        int page;
        RsImage image; // the image the page was loaded from
    };

    CImpet& archive;
    RsImage image;
    std::vector<std::u16string> memo;
    int language = 0;
    int activePage = 0;
    int stores = 0;
    std::vector<PageLoad> pageLoads;
    std::vector<int> slots;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
};

// An archive with the stand-in presets of every bike in NEW_308.
inline CImpet& StandInArchive()
{
    static CImpet archive = [] {
        CImpet a;
        a.MakeDir("", "NEW_308", 1);
        for (int code = 0; code < BIKE_CODES; ++code) {
            const std::string name = BikePresetName(*BikeListText(code, 0)) + ".ign";
            a.CreateFileEntry("NEW_308", name);
            a.SetContent("NEW_308", name, StandInPresetText(code));
        }
        return a;
    }();
    return archive;
}
