#include "app/main_presets.h"

#include "app/main.h"
#include "files/loadgroups.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "platform/dialogs.h"

RsImage& MainFileHost::ParameterImage()
{
    return form_.PcImage;
}

std::vector<std::u16string> MainFileHost::MemoLines() const
{
    std::vector<std::u16string> lines;
    if (form_.Memo1)
        for (int i = 0; i < form_.Memo1->LineCount(); ++i)
            lines.push_back(form_.Memo1->LineW(i));
    return lines;
}

UnitVersionTexts MainFileHost::UnitTexts() const
{
    return form_.UnitTexts;
}

int MainFileHost::SelectedSheet(int pageIndex) const
{
    const TTab* table = pageIndex == PAGE_INJECTION ? form_.Maps.InjectionTable
        : pageIndex == PAGE_SERVO                   ? form_.Maps.ServoTable
                                                    : nullptr;
    return table && table->Sheet ? int(table->Sheet - table->Sheets) : 0;
}

void MainFileHost::ShowMessageTableBox(int slot)
{
    if (slot >= 0 && slot < MESSAGE_SLOTS)
        MessageBoxFlagged(form_.MessageTable[size_t(slot)].c_str(), "", MB_OK);
}

void MainFileHost::ShowErrorBox(const std::string& text)
{
    ErrorBox(text.c_str(), MB_OK);
}

void MainFileHost::LoadBikeDefaults(int pageIndex)
{
    ::LoadBikeDefaults(*this, pageIndex);
}

std::optional<std::string> MainFileHost::BikeRowText(int code) const
{
    // The bike list's rows in the language shown; the list control holds the same texts.
    return BikeListText(code);
}

int MainFileHost::ActivePageIndex() const
{
    return form_.ActivePageIndex;
}

void MainFileHost::ShowPage(int pageIndex)
{
    form_.ShowPage(pageIndex);
}

void MainFileHost::LoadPage(int pageIndex)
{
    // The pages load either the one shown or all of them.
    ::LoadPages(&form_, pageIndex == form_.ActivePageIndex ? 0 : 1);
}

void MainFileHost::StoreActivePage()
{
    ::StoreActivePage(&form_);
}

void MainFileHost::ShowMessage(const std::string& text)
{
    MessageBoxFlagged(text.c_str(), "", MB_OK);
}

void LoadBikeDefaults(TMainForm* form, int page)
{
    MainFileHost host(*form);
    ::LoadBikeDefaults(host, page);
}

void SetBikeConstants(TMainForm* form)
{
    ::SetBikeConstants(form->PcImage, form->PcImage.b[2550]);
}
