#pragma once
// The monitor panel beside the page control and every other live display of
// the main window: UpdateLiveMonitor turns the held live block into the
// panel's labels, colours and gauges, the Monitor page's labels, the live
// labels other pages own, the decoded live values and the computed channels.
// It runs on every live answer, at start (empty panel), after a language
// change, after the active page is stored, and once when live data goes away.

#include <array>

#include "monitor/live.h"

class TMainForm;
class TLabel;
class TCGauge;
class TCheckBox;
class TRadioGroup;
class TControl;

// The panel's own controls, built with the window.
struct MonitorPanelControls {
    TLabel* LabelRpm = nullptr;
    TCGauge* CGaugeRpm = nullptr;
    TLabel* LabelTpsMon = nullptr;
    TCGauge* CGaugeTps = nullptr;
    TLabel* LabelGasMon = nullptr;
    TCGauge* CGaugeGas = nullptr;
    TLabel* LabelLambda = nullptr;
    // CGaugeLambda, CGaugeLambda2 .. CGaugeLambda4.
    std::array<TCGauge*, 4> CGaugeLambda {};
    TLabel* LabelLambdaBlue = nullptr;
    TLabel* LabelLambdaGreen = nullptr;
    TLabel* LabelLambdaRed = nullptr;
    TLabel* LabelVoda = nullptr;
    TCGauge* CGaugeVoda = nullptr;
    TLabel* LabelVzduch = nullptr;
    TLabel* LabelTlak = nullptr;
    TLabel* LabelPodtlak = nullptr;
    TLabel* LabelNapeti = nullptr;
    TLabel* LabelMon_Ign = nullptr;
    TLabel* LabelMaxInjProcent = nullptr;
    TCGauge* CGaugeDuty = nullptr;
    TCGauge* CGaugeDutyB = nullptr;
    TLabel* LabelMon_Jet_A = nullptr;
    TLabel* LabelMon_Jet_B = nullptr;
    TLabel* LabelSnimacCkps = nullptr;
    TLabel* LabelSnimacCmps = nullptr;
    TLabel* LabelMonFallOut = nullptr;
    TLabel* LabelMonBlock2Out = nullptr;
    TLabel* LabelMonSpeed = nullptr;
    TLabel* LabelChlazeniMon = nullptr;
    TLabel* LabelGear = nullptr;
    // LabelTunningMsg, LabelTunningMsg2 .. LabelTunningMsg4.
    std::array<TLabel*, 4> LabelTunningMsg {};
    TLabel* LabelMonServoIntake = nullptr;
    TLabel* LabelMonServoExhaust = nullptr;
    TLabel* LabelHourMeter = nullptr;
};

// The Monitor page: read-only live labels, no image cell.
struct MonitorPageControls {
    // LabelMon_Jet_1A .. 4A and 1B .. 4B.
    std::array<TLabel*, 4> LabelMon_JetA {};
    std::array<TLabel*, 4> LabelMon_JetB {};
    TLabel* LabelMon_PolohaA = nullptr;
    TLabel* LabelMon_PolohaB = nullptr;
    TLabel* LabelDleTpsProcent = nullptr;
    TLabel* LabelDwellMer = nullptr;
    TLabel* LabelN2oEnable = nullptr;
    TLabel* LabelMonPotenc = nullptr;
    TLabel* LabelMonN2O = nullptr;
    // The inputs and outputs, in the order of the state table of the panel.
    std::array<TLabel*, 14> StateLabels {};
    // Filled by RegisterMonitorLabels.
    std::array<TLabel*, 4> MonitorAdvanceLabels {};
    std::array<TLabel*, 5> MonitorPowerOutLabels {};
};

// Live labels and inputs of other pages. Each page sets its entries when it
// builds them; until then they stay null and the panel passes them by.
struct LivePageControls {
    // Bike and Synchro pages.
    TLabel* LabelPocetProgramovani = nullptr;
    TLabel* LabelSyncInfo1 = nullptr;
    TLabel* LabelSyncInfo2 = nullptr;
    // Corrections and Idle pages.
    TLabel* LabelCorInjTW = nullptr;
    TLabel* LabelCorInjAT = nullptr;
    TLabel* LabelCorInjAP = nullptr;
    TLabel* LabelCorInjStart = nullptr;
    TLabel* LabelCorInjPotenc = nullptr;
    TLabel* LabelCorInjU = nullptr;
    TLabel* LabelCorAdvTW = nullptr;
    TLabel* LabelCorAdvPotenc = nullptr;
    TLabel* LabelCorAdvIdle = nullptr;
    TLabel* LabelCorAdvAT = nullptr;
    TLabel* LabelAccTres = nullptr;
    TLabel* LabelAccCor = nullptr;
    TLabel* LabelCorInjAcc = nullptr;
    TLabel* LabelStartJet = nullptr;
    TLabel* LabelCorAccTW = nullptr;
    TLabel* LabelCorAccJet = nullptr;
    // Gear and Idle pages.
    TLabel* LabelMonGearNapeti = nullptr;
    TLabel* LabelMonGearNapeti1 = nullptr;
    TLabel* LabelMonPomerRpmSpeed = nullptr;
    std::array<TLabel*, 6> LabelMonPomerRpmSpeedAuto {};
    TLabel* LabelMonServoPosition = nullptr;
    TLabel* LabelMonServoPositionCopy = nullptr;
    TLabel* LabelDwellMer2 = nullptr;
    // Tracking page: launch acceleration, launch retard, front speed, rear
    // speed, slip and track retard; LabelMonSpeedF1 repeats the front speed.
    TLabel* LabelLaunchAccel = nullptr;
    TLabel* LabelLaunchRetard = nullptr;
    TLabel* LabelTrackSpeedFront = nullptr;
    TLabel* LabelTrackSpeedRear = nullptr;
    TLabel* LabelSlip = nullptr;
    TLabel* LabelTrackRetard = nullptr;
    TLabel* LabelMonSpeedF1 = nullptr;
    // Sensors page: the acceleration limiter.
    TLabel* LabelMonAcclimRetard = nullptr;
    TLabel* LabelMonAcclimPropEffect = nullptr;
    TLabel* LabelMonAcclimSpeedRet = nullptr;
    TLabel* LabelMonAcclimMinAdv = nullptr;
    // Power out page: LabelMonPOut1a .. LabelMonPOut5a.
    std::array<TLabel*, 5> PowerOutPageLabels {};
    // Tuning page: what the live request carries of it.
    TCheckBox* CheckBoxLadeniPovoleno = nullptr;
    TRadioGroup* RadioGroupLadeniOnByTLS = nullptr;
};

// What the main window keeps of the decoded live block.
struct LiveMonitor {
    LiveValues Values;
    LiveChannelArray Channels {};
    // The last refresh showed live data; a refresh without it is due once
    // the link closes or playback ends.
    bool ShownLive = false;
    MonitorPanelControls Panel;
    MonitorPageControls MonitorPage;
    LivePageControls Pages;
};

// A unit is connected, or a monitor log is playing or paused in playback.
bool LiveDataPresent(const TMainForm* form);

// Builds the panel's controls inside GroupBoxMonitor, the hidden test-value
// labels and the "Extended Monitor" check box.
void BuildMonitorPanel(TMainForm* form);

void UpdateLiveMonitor(TMainForm* form);
// Once per tick: when live data went away since the panel last showed it,
// the panel is refreshed, so no stale value stays up as if it were live.
void RefreshLiveMonitorWhenDataGone(TMainForm* form);

// Fills the live request into the link's transmit image and posts it.
void SendLiveRequest(TMainForm* form);
