#pragma once
// A stand-in for the main window: an image, memo lines and unit texts, with
// every message and every preset load recorded.

#include "files/paramfile.h"

#include <functional>
#include <string>
#include <vector>

class FakeParameterHost : public ParameterFileHost {
public:
    RsImage& ParameterImage() override { return image; }
    std::vector<std::u16string> MemoLines() const override { return memo; }
    UnitVersionTexts UnitTexts() const override { return unit; }
    int SelectedSheet(int pageIndex) const override { return pageIndex == 3 ? injectionSheet : servoSheet; }
    void ShowMessageTableBox(int slot) override { slots.push_back(slot); }
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void LoadBikeDefaults(int pageIndex) override
    {
        presetLoads.push_back(pageIndex);
        if (onLoadBikeDefaults)
            onLoadBikeDefaults(pageIndex);
    }

    RsImage image;
    std::vector<std::u16string> memo;
    UnitVersionTexts unit;
    int injectionSheet = 0;
    int servoSheet = 0;
    std::vector<int> slots;
    std::vector<std::string> errors;
    std::vector<int> presetLoads;
    std::function<void(int)> onLoadBikeDefaults;
};
