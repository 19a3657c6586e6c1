// Shutdown, and what reaches the window from outside: port notices of other
// programs, dropped files, and the lambda gauges of the monitor panel.
#include "app/main.h"

#include "app/language.h"
#include "app/main_link.h"
#include "app/main_menu.h"
#include "app/settings.h"
#include "image/consistency.h"
#include "pages/pages.h"
#include "update/update.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// Cells of "LAMBDA_BAR": low bound, two colour thresholds, high bound.
constexpr int LAMBDA_LOW = 2950;
constexpr int LAMBDA_FIRST = 2951;
constexpr int LAMBDA_SECOND = 2952;
constexpr int LAMBDA_HIGH = 2953;
constexpr int GAUGE_NO_VALUE = 255;

// The extension is tested without letter case; the name is opened as it was
// dropped, since the file system tells "B.IGN" from "B.ign".
bool HasIgnExtension(const QString& name)
{
    if (name.size() < 4)
        return false;
    QString tail = name.right(4);
    for (QChar& c : tail)
        if (c >= QChar('A') && c <= QChar('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return tail == QLatin1String(".ign");
}

} // namespace

void TMainForm::FormClose(TObject*, TCloseAction&)
{
    StopLog(this);
    StopUpdateCheck(this);
    Link->CloseAll();
    StoreActivePage(this);
    NormalizeParameterImage(PcImage);
    ::SaveSettings(this);
    FreeMessageSlotTexts(MessageSlot);
}

void TMainForm::OnPortNotice(const PortNotice& notice)
{
    switch (notice.lParam) {
    case PORT_NOTICE_RELEASE:
        if (ConnectedPort != 0 && notice.wParam == ConnectedPort) {
            DropConnection(this);
            ApplyLanguage(this);
        }
        break;
    case PORT_NOTICE_RESET_RELEASE:
        if (ConnectedPort != 0 && notice.wParam == ConnectedPort)
            LinkRequest = REQ_RESET_DISCONNECT;
        break;
    case PORT_NOTICE_TAKE_BACK:
        if (notice.wParam == ReleasedPort) {
            EnableLink(this);
            ApplyLanguage(this);
        }
        break;
    default:
        break;
    }
}

void TMainForm::OnDropFiles(const QStringList& names)
{
    for (const QString& name : names) {
        if (!HasIgnExtension(name))
            continue;
        std::u16string path = name.toStdU16String();
        OpenDialog1.FileName = path;
        SaveDialog1.FileName = path;
        OpenParameterFile(this, path);
        return;
    }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            names << url.toLocalFile();
    event->acceptProposedAction();
    OnDropFiles(names);
}

int MonitorGaugePercent(int value, int low, int high)
{
    if (value < low)
        return 0;
    if (value > high)
        return 100;
    if (high == low)
        return 0;
    return (value - low) * 100 / (high - low);
}

void UpdateMonitorGauge(TMainForm* form, TCGauge* gauge, int value)
{
    const auto& b = form->PcImage.b;
    gauge->SetProgress(MonitorGaugePercent(value, b[LAMBDA_LOW], b[LAMBDA_HIGH]));
    gauge->SetVisible(value != GAUGE_NO_VALUE);
    TColor colour = clFuchsia;
    if (value == 0)
        colour = clBtnFace;
    else if (value < b[LAMBDA_FIRST])
        colour = clBlue;
    else if (value < b[LAMBDA_SECOND])
        colour = clLime;
    gauge->SetForeColor(colour);
}
