// The COM port menu: "offline", "auto", a separator and one item per present
// port (plus a fixed choice that is not present), rebuilt whenever the port
// list or the connected port changes. A click sets the port search's choice.
#include "app/comportmenu.h"

#include "app/main.h"

#include "app/main_link.h"
#include "app/main_menu.h"
#include "link/serialdevice.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int ITEM_OFFLINE = 0;
constexpr int ITEM_AUTO = 1;
constexpr int ITEM_SEPARATOR = 2;
constexpr int FIRST_PORT_ITEM = 3;
constexpr int OFFLINE_TEXT = 131;
constexpr int AUTO_TEXT = 132;

// "COM&5", followed by the device the number stands for on this machine: the
// digit after "COM" stays the access key, and a click reads the number back.
std::string PortCaption(int port)
{
    char text[24];
    std::snprintf(text, sizeof text, "COM&%i", port);
    std::string caption = text;
    if (std::string device = ComDevicePath(port); !device.empty())
        caption += " (" + device + ")";
    return caption;
}

// The port number of a port item's caption: the first number after the first
// "&" is taken out; -1 when there is none.
int PortOfCaption(std::string caption)
{
    if (size_t amp = caption.find('&'); amp != std::string::npos)
        caption.erase(amp, 1);
    size_t digit = caption.find_first_of("0123456789");
    if (digit == std::string::npos)
        return -1;
    return std::atoi(caption.c_str() + digit);
}

} // namespace

void CreateComPortMenu(TMainForm* form)
{
    for (int i = 0; i < COM_MENU_ITEMS; ++i) {
        auto* item = new TMenuItem(form);
        item->SetCaption("COM" + std::to_string(i + 1));
        item->OnClick = [form](TObject* sender) { form->MenuCom1Click(sender); };
        item->SetVisible(false);
        form->MenuCom->Add(item);
        form->ComItems[size_t(i)] = item;
    }
    UpdateRecentFilesMenu(form);
}

void UpdateComPortMenu(TMainForm* form)
{
    CCOMCOM& link = *form->Link;
    link.PortListChanged = false;
    const int choice = link.PortChoice;
    const bool automatic = choice == 0;
    const int connected = link.ConnectedPort.load();
    const int selected = automatic ? connected : choice;

    int count = 0;
    for (int port = 0; port < COM_PORTS; ++port)
        if (link.Port(port).Present)
            ++count;
    if (choice > 0 && choice < COM_PORTS && !link.Port(choice).Present)
        ++count;
    const int n = std::min(count + FIRST_PORT_ITEM, COM_MENU_ITEMS);
    for (int i = n; i < COM_MENU_ITEMS; ++i)
        form->ComItems[size_t(i)]->SetVisible(false);

    TMenuItem* offline = form->ComItems[ITEM_OFFLINE];
    offline->SetVisible(true);
    offline->SetCaption(form->MessageTable[OFFLINE_TEXT]);
    offline->SetChecked(choice == -1);
    TMenuItem* autoItem = form->ComItems[ITEM_AUTO];
    autoItem->SetVisible(true);
    autoItem->SetCaption(form->MessageTable[AUTO_TEXT]);
    autoItem->SetChecked(automatic);
    TMenuItem* separator = form->ComItems[ITEM_SEPARATOR];
    separator->SetVisible(true);
    separator->SetCaption("-");

    int index = FIRST_PORT_ITEM;
    for (int port = 0; port < COM_PORTS && index < n; ++port) {
        const bool present = link.Port(port).Present != 0;
        if (!present && !(port == choice && choice > 0))
            continue;
        TMenuItem* item = form->ComItems[size_t(index)];
        item->SetRadioItem(automatic);
        if (index == n - 1 && selected > port) {
            // The last item that fits shows the selected port instead.
            item->SetCaption(PortCaption(selected));
            item->SetChecked(true);
            item->SetEnabled(selected < COM_PORTS && link.Port(selected).Present != 0);
            break;
        }
        item->SetCaption(PortCaption(port));
        item->SetChecked(port == selected && selected > 0);
        item->SetEnabled(present);
        ++index;
    }
    for (int i = FIRST_PORT_ITEM; i < n; ++i)
        form->ComItems[size_t(i)]->SetVisible(true);
}

void TMainForm::MenuCom1Click(TObject* Sender)
{
    int index = -1;
    for (int i = 0; i < COM_MENU_ITEMS; ++i)
        if (ComItems[size_t(i)] == Sender)
            index = i;
    if (index < 0 || index == ITEM_SEPARATOR)
        return;
    if (index == ITEM_OFFLINE) {
        ComPort = -1;
    } else if (index == ITEM_AUTO) {
        ComPort = 0;
    } else if (int port = PortOfCaption(ComItems[size_t(index)]->Caption()); port >= 1 && port < COM_PORTS) {
        ComPort = port;
    }
    if (!LinkEnabled)
        EnableLink(this);
    if (ConnectedPort != 0 && ComPort != 0 && ComPort != ConnectedPort)
        ClosePortAndReport(this);
    UpdateComPortMenu(this);
}
