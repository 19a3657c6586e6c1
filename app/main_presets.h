#pragma once
// The main window as seen by the parameter-file reader, the bike defaults
// and the preset service tools.

#include "files/presettools.h"

class TMainForm;

class MainFileHost : public PresetToolsHost {
public:
    explicit MainFileHost(TMainForm& form)
        : form_(form)
    {
    }

    RsImage& ParameterImage() override;
    std::vector<std::u16string> MemoLines() const override;
    UnitVersionTexts UnitTexts() const override;
    int SelectedSheet(int pageIndex) const override;
    void ShowMessageTableBox(int slot) override;
    void ShowErrorBox(const std::string& text) override;
    void LoadBikeDefaults(int pageIndex) override;
    std::optional<std::string> BikeRowText(int code) const override;
    int ActivePageIndex() const override;
    void ShowPage(int pageIndex) override;
    void LoadPage(int pageIndex) override;
    void StoreActivePage() override;
    void ShowMessage(const std::string& text) override;

private:
    TMainForm& form_;
};

// The bike's defaults for all pages (page -1) or one, into the image.
void LoadBikeDefaults(TMainForm* form, int page);
// The constants of the image's bike.
void SetBikeConstants(TMainForm* form);
