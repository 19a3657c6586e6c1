#pragma once
// The main window as seen by the parameter-file reader and the bike defaults.

#include "files/bikedefaults.h"

class TMainForm;

class MainFileHost : public BikeDefaultsHost {
public:
    explicit MainFileHost(TMainForm& form) : form_(form) {}

    RsImage& ParameterImage() override;
    std::vector<std::u16string> MemoLines() const override;
    UnitVersionTexts UnitTexts() const override;
    int SelectedSheet(int pageIndex) const override;
    void ShowMessageTableBox(int slot) override;
    void ShowErrorBox(const std::string& text) override;
    void LoadBikeDefaults(int pageIndex) override;
    std::optional<std::string> BikeRowText(int code) const override;

private:
    TMainForm& form_;
};
