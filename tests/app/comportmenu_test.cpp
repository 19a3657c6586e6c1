// The COM port menu on a headless main window, with a port table set by hand:
// what the items show for a port list and a choice, and what a click changes.
#include "app/comportmenu.h"
#include "support/mainwindow.h"

namespace {

class ComPortMenu : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        Start();
    }

    void Present(const std::vector<int>& ports)
    {
        for (int p = 0; p < COM_PORTS; ++p)
            form->Link->Port(p).Present = 0;
        for (int p : ports)
            form->Link->Port(p).Present = 1;
    }
    // Caption up to the device name that follows the number.
    std::string Shown(int item)
    {
        std::string caption = form->ComItems[size_t(item)]->Caption();
        return caption.substr(0, caption.find(' '));
    }
    int VisibleItems()
    {
        int n = 0;
        for (TMenuItem* item : form->ComItems)
            n += item->Visible();
        return n;
    }
};

TEST_F(ComPortMenu, ItemsFollowThePortListAndTheChoice)
{
    struct Item {
        const char* caption;
        bool checked;
        bool enabled;
    };
    struct Case {
        const char* name;
        std::vector<int> present;
        int choice;
        int connected;
        std::vector<Item> ports; // items 3.. in order
        bool radio;
    };
    const Case cases[] = {
        { "automatic, COM3 connected", { 1, 3, 4 }, 0, 3,
            { { "COM&1", false, true }, { "COM&3", true, true }, { "COM&4", false, true } }, true },
        { "a fixed port that is not present", { 1, 3 }, 7, 0,
            { { "COM&1", false, true }, { "COM&3", false, true }, { "COM&7", true, false } }, false },
        { "offline", { 2 }, -1, 0, { { "COM&2", false, true } }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Present(c.present);
        form->ComPort = c.choice;
        form->ConnectedPort = c.connected;
        UpdateComPortMenu(form.get());
        EXPECT_EQ(form->ComItems[0]->Caption(), "COM &offline");
        EXPECT_EQ(form->ComItems[0]->Checked(), c.choice == -1);
        EXPECT_EQ(form->ComItems[1]->Caption(), "COM &auto");
        EXPECT_EQ(form->ComItems[1]->Checked(), c.choice == 0);
        EXPECT_EQ(form->ComItems[2]->Caption(), "-");
        ASSERT_EQ(VisibleItems(), 3 + int(c.ports.size()));
        for (size_t j = 0; j < c.ports.size(); ++j) {
            TMenuItem* item = form->ComItems[3 + j];
            EXPECT_EQ(Shown(int(3 + j)), c.ports[j].caption) << j;
            EXPECT_EQ(item->Checked(), c.ports[j].checked) << j;
            EXPECT_EQ(item->Enabled(), c.ports[j].enabled) << j;
            EXPECT_EQ(item->RadioItem(), c.radio) << j;
        }
        form->ConnectedPort = 0;
    }
}

TEST_F(ComPortMenu, TheLastItemShowsASelectedPortBeyondThoseThatFit)
{
    std::vector<int> ports;
    for (int p = 1; p <= 40; ++p)
        ports.push_back(p);
    Present(ports);
    form->ComPort = 35;
    UpdateComPortMenu(form.get());
    EXPECT_EQ(VisibleItems(), COM_MENU_ITEMS);
    EXPECT_EQ(Shown(3), "COM&1");
    EXPECT_EQ(Shown(28), "COM&26");
    EXPECT_EQ(Shown(29), "COM&35");
    EXPECT_TRUE(form->ComItems[29]->Checked());
    EXPECT_TRUE(form->ComItems[29]->Enabled());
}

TEST_F(ComPortMenu, AClickSetsTheChoiceAndTakesAReleasedLinkBack)
{
    Present({ 2, 5 });
    form->ComPort = 0;
    UpdateComPortMenu(form.get());
    form->LinkEnabled = 0;
    form->ReleasedPort = 5;

    form->ComItems[4]->Click(); // COM5
    EXPECT_EQ(form->ComPort, 5);
    EXPECT_EQ(form->LinkEnabled, 1);
    EXPECT_EQ(form->ReleasedPort, -1);
    EXPECT_TRUE(form->ComItems[4]->Checked());
    EXPECT_FALSE(form->ComItems[4]->RadioItem());

    form->ComItems[2]->Click(); // the separator
    EXPECT_EQ(form->ComPort, 5);
    form->ComItems[0]->Click();
    EXPECT_EQ(form->ComPort, -1);
    EXPECT_TRUE(form->ComItems[0]->Checked());
    form->ComItems[1]->Click();
    EXPECT_EQ(form->ComPort, 0);
    EXPECT_TRUE(form->ComItems[3]->RadioItem());
}

} // namespace
