// The least the main window needs of its neighbours, until each subsystem
// brings its own code: every body reports its call and does only what the
// window's own steps rely on afterwards.
#include "app/main_services.h"

#include "app/main.h"
#include "app/main_presets.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include <cstdlib>

std::function<void(const char* name)> ServiceCallListener;

void ReportServiceCall(const char* name)
{
    if (ServiceCallListener)
        ServiceCallListener(name);
}

namespace {

void Note(const char* name)
{
    ReportServiceCall(name);
}

} // namespace

void SetInjectionBackgrounds(TMainForm*)
{
    Note("SetInjectionBackgrounds");
}

void UpdateTuningControls(TMainForm*)
{
    Note("UpdateTuningControls");
}

void StoreInjectionPage(TMainForm*)
{
    Note("StoreInjectionPage");
}

void CopyFirstInjectionMap(TMainForm*)
{
    Note("CopyFirstInjectionMap");
}

void CoupleInjectionMaps(TMainForm*)
{
    Note("CoupleInjectionMaps");
}

void UpdateDefValues(TMainForm*)
{
    Note("UpdateDefValues");
}

void InitLogPlayer(TMainForm* form)
{
    Note("InitLogPlayer");
    form->LogPlayerState = 0;
}

void StopLog(TMainForm* form)
{
    Note("StopLog");
    form->LogPlayerState = 0;
}

void LogPlayStep(TMainForm*)
{
    Note("LogPlayStep");
}

void LogImage(TMainForm*, int)
{
    Note("LogImage");
}

void LogUiState(TMainForm*)
{
    Note("LogUiState");
}

void ShowExternalMonitor(TMainForm* form, int)
{
    Note("ShowExternalMonitor");
    form->ExtMonitorAtStart = 0;
}

void KeepFormOnScreen(TForm* form)
{
    QScreen* screen
        = QGuiApplication::screenAt(QPoint(form->Left() + form->Width() / 2, form->Top() + form->Height() / 2));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    int width = std::min(form->Width(), area.width());
    int height = std::min(form->Height(), area.height());
    int left = std::clamp(form->Left(), area.left(), area.left() + area.width() - width);
    int top = std::clamp(form->Top(), area.top(), area.top() + area.height() - height);
    form->SetBounds(left, top, width, height);
}

void WriteMonitorSet(TMainForm*, const std::string&)
{
    Note("WriteMonitorSet");
}

void StoreMonitorSet(TMainForm*)
{
    Note("StoreMonitorSet");
}

std::string TestSwitchPath()
{
    if (const char* path = std::getenv("ZEPERON_TEST_SWITCH"); path && *path)
        return path;
    return (QDir::homePath() + QStringLiteral("/.Zeperon_12_test")).toStdString();
}

void LoadBikeDefaults(TMainForm* form, int page)
{
    Note("LoadBikeDefaults");
    MainFileHost host(*form);
    ::LoadBikeDefaults(host, page);
}

void SetBikeConstants(TMainForm* form)
{
    Note("SetBikeConstants");
    ::SetBikeConstants(form->PcImage, form->PcImage.b[2550]);
}

void SetProbeDefault(TMainForm*)
{
    Note("SetProbeDefault");
}

void LogMonitorFrame(TMainForm*)
{
    Note("LogMonitorFrame");
}
