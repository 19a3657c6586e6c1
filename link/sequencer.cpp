#include "link/sequencer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <utility>

#include "link/wordorder.h"
#include "platform/colors.h"
#include "texts/langtext.h"
#include "texts/statustexts.h"

namespace linktext {
const char* const NoConnection = "###No connection with PC...##Keine Verbindung zum PC...##Není spojení s PC...";
const char* const ReferenceRead = "###Reference read:##Referenzlesen:##Čtení reference:";
const char* const ReferenceReadOk = "###Reference read: OK##Referenzlesen: OK##Čtení reference: OK";
const char* const ReferenceReadError = "###Reference read error !##Referenzlesefehler !##Chyba čtení reference !";
const char* const ReadText = "###Read:##Lesen:##Čtení:";
const char* const ReadError = "###Read error !##Lesefehler !##Chyba čtení !";
const char* const VerifyText = "###Verify:##Vergleichen:##Verifikace:";
const char* const VerifyOk = "###Verify: OK##Vergleichen: OK##Verifikace: OK";
const char* const VerifyError = "###Verify error !##Vergleichsfehler !##Chyba verifikace !";
const char* const ProgramText = "###Program device:##Programmieren:##Programování:";
const char* const ProgramOk = "###Program device: OK##Programmieren: OK##Programování: OK";
const char* const Saving = "###Saving:##Speichern:##Ukládání:";
const char* const NoPort = "###none##kain##žádný";
} // namespace linktext

namespace {

using namespace linkstate;

constexpr int NO_CONNECTION_PRIORITY = -5;
constexpr int HIDE_LIVE_PRIORITY = 10;
constexpr int REFERENCE_GAUGE_TOTAL = 10200;
constexpr int RETRY_GAUGE = 5;

// Identity block: the words the unit sends high byte first.
constexpr int IDENTITY_SWAP_A = 11;
constexpr int IDENTITY_SWAP_B = 13;

// The reset command: its marker bytes in the transmit image, command word and address.
constexpr int RESET_MARK_A = 14, RESET_MARK_B = 15;
constexpr uint8_t RESET_MARK_A_VALUE = 0xA5, RESET_MARK_B_VALUE = 0x10;
constexpr int32_t RESET_COMMAND_WORD = 0xF000;
constexpr int32_t RESET_COMMAND_ADDRESS = 1600;

// Gauge share [low, high] of 10200 for the reference read's parts.
struct GaugeShare {
    int state;
    int low;
    int high;
};
constexpr GaugeShare REFERENCE_SHARES[] = {
    { 48, 600, 1800 },
    { 49, 1800, 3000 },
    { 50, 3000, 4200 },
    { 51, 4200, 5400 },
    { 56, 5400, 6600 },
    { 57, 6600, 7800 },
    { 58, 7800, 9000 },
    { 59, 9000, 10200 },
};

bool IsReferenceState(int state)
{
    return state == Identity || state == Identity + 1 || (state >= FirstPass && state <= LiveBeforeSecond + 3);
}

bool IsLiveExchange(int state)
{
    return state == LivePoll || (state >= LiveBeforeFirst && state < LiveBeforeFirst + 4)
        || (state >= LiveBeforeSecond && state < LiveBeforeSecond + 4);
}

void SwapIdentityWords(uint8_t* block)
{
    std::swap(block[IDENTITY_SWAP_A], block[IDENTITY_SWAP_A + 1]);
    std::swap(block[IDENTITY_SWAP_B], block[IDENTITY_SWAP_B + 1]);
}

} // namespace

// Keeps a box shown from inside a step (whose modal loop runs the timer on)
// from starting another step.
struct LinkSequencer::Guard {
    explicit Guard(bool& flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~Guard() { flag_ = false; }
    bool& flag_;
};

LinkSequencer::LinkSequencer(CCOMCOM& link, ImageCopies& images, LinkHost& host)
    : link_(link)
    , images_(images)
    , host_(host)
{
}

std::string ComLabelText(const CCOMSEARCH& search, int releasedPort)
{
    char text[64];
    if (search.LinkEnabled == 0) {
        std::snprintf(text, sizeof text, "COM=%i (DISCONECTED)", releasedPort);
        return text;
    }
    if (search.PortChoice == -1)
        return "COM=OFF";
    const bool automatic = search.PortChoice == 0;
    std::string label = automatic ? "COM=(auto " : "COM=";
    bool any = false;
    for (const CCOMPROBE& slot : search.Slots) {
        if (slot.Port == 0)
            continue;
        if (any)
            label += ",";
        label += std::to_string(slot.Port);
        any = true;
    }
    if (!automatic)
        return label;
    if (!any)
        return std::string("COM=") + SelectLangText(linktext::NoPort, -1);
    return label + ")";
}

void LinkSequencer::Step(int32_t tickCount)
{
    if (inStep_)
        return;
    Guard guard(inStep_);

    if (firstStep_) {
        firstStep_ = false;
        if (link_.LinkEnabled == 1)
            host_.ShowMessageSlot(SLOT_CONNECTION, linktext::NoConnection, -1, clBlack, clRed, NO_CONNECTION_PRIORITY);
    }
    link_.TimerStep();

    const int port = link_.ConnectedPort.load(std::memory_order_acquire);
    if (port == 0) {
        if (LinkState != NoUnit)
            ConnectionLost();
        LinkState = NoUnit;
        ShowComLabel();
        return;
    }
    if (link_.LinkEnabled == 0)
        return;
    if (LinkState == NoUnit) {
        LinkState = Identity;
        CompareCount = 0;
        LastLiveTick = 0;
        ProgramDone = 0;
        SavingCount = 0;
        IdentityAccepted = false;
        // Whatever UnitImage held belongs to an earlier connection.
        images_.UnitImageValid = 0;
        char text[32];
        std::snprintf(text, sizeof text, "COM=%i", port);
        host_.SetComLabel(text);
    }

    const int32_t job = link_.JobCode.load(std::memory_order_acquire);
    if (job == JOB_WRITE || job == JOB_READ)
        ShowGaugeForJob();
    else if (job == JOB_FAILED)
        TakeFailure();
    else if (job == JOB_DONE)
        TakeResult();
    if (link_.ConnectedPort.load(std::memory_order_acquire) == 0 || link_.LinkEnabled == 0)
        return;

    if (LinkState == Idle)
        TakeIdleStep(tickCount);
    if (link_.JobCode.load(std::memory_order_acquire) == JOB_IDLE)
        PostForState();
    ShowSavingProgress();
}

void LinkSequencer::ShowComLabel()
{
    host_.SetComLabel(ComLabelText(link_, ReleasedPort));
}

void LinkSequencer::ConnectionLost()
{
    // A transfer the lost port cut off must not pass for finished.
    if (LinkState == Read || LinkState == Read + 1)
        ShowError(linktext::ReadError, true);
    else if (LinkState == Verify || (LinkState >= ProgramIdentity && LinkState <= ProgramReadBack))
        ShowError(linktext::VerifyError, true);
    else if (LinkState >= FirstPass && LinkState <= LiveBeforeSecond + 3)
        ShowError(linktext::ReferenceReadError, true);
    ProgramDone = 0;
    LinkFailures = 0;
}

void LinkSequencer::ShowGaugeForJob()
{
    int p = 0;
    if (LinkRangeEnd > LinkRangeStart)
        p = (link_.JobPosition.load(std::memory_order_relaxed) - LinkRangeStart) * 100
            / (LinkRangeEnd - LinkRangeStart);
    for (const GaugeShare& share : REFERENCE_SHARES) {
        if (share.state == LinkState) {
            p = (share.low * 100 + (share.high - share.low) * p) / REFERENCE_GAUGE_TOTAL;
            break;
        }
    }
    host_.SetProgressGauge(p, KEEP_COLOR, false);
}

void LinkSequencer::TakeFailure()
{
    link_.JobCode.store(JOB_IDLE, std::memory_order_release);
    if (link_.LastJob.load(std::memory_order_relaxed) == JOB_LIVE)
        host_.LiveRequestEnded(false);
    if (++LinkFailures < LINK_FAILURE_LIMIT)
        return;
    if (LinkState == LivePoll) {
        ClosePortAndReport();
        return;
    }
    if (IsReferenceState(LinkState))
        ShowError(linktext::ReferenceReadError, true);
    else if (LinkState == Read || LinkState == Read + 1)
        ShowError(linktext::ReadError, true);
    else if (LinkState == Verify || (LinkState >= ProgramIdentity && LinkState <= ProgramReadBack))
        ShowError(linktext::VerifyError, true);
    const bool release = LinkState == ResetRelease;
    LinkState = Idle;
    // A unit that restarts before it acknowledges the reset still gets its port.
    if (release)
        DropConnection();
}

void LinkSequencer::TakeResult()
{
    link_.JobCode.store(JOB_IDLE, std::memory_order_release);
    LinkFailures = 0;
    if (link_.LastJob.load(std::memory_order_relaxed) == JOB_LIVE)
        TakeLiveAnswer();
    if (LinkState == LivePoll)
        LinkState = Idle;

    const int s = LinkState;
    uint8_t* rx = link_.RxImage;
    if (s == ChangedBlockRead) {
        SwapImageWords(rx);
        std::copy(rx + LinkRangeStart, rx + LinkRangeEnd, images_.PcImage.b.data() + LinkRangeStart);
        host_.ImageRangeToMaps(LinkRangeStart, LinkRangeEnd);
        LinkState = LivePoll;
    } else if (s == Identity || s == ProgramIdentity) {
        SwapIdentityWords(rx);
        std::copy(rx + LinkRangeStart, rx + LinkRangeEnd, CompareImage.begin() + LinkRangeStart);
        LinkState = s + 1;
    } else if (s == Identity + 1 || s == ProgramIdentity + 1) {
        DoneIdentity();
    } else if (s >= FirstPass && s < FirstPass + 4) {
        SwapImageWords(rx);
        std::copy(rx + LinkRangeStart, rx + LinkRangeEnd, CompareImage.begin() + LinkRangeStart);
        LinkState = s == FirstPass + 3 ? LiveBeforeSecond : s + 5;
    } else if (s >= LiveBeforeFirst && s < LiveBeforeFirst + 4) {
        LinkState = s - 4;
    } else if (s >= SecondPass && s < SecondPass + 4) {
        DoneReferencePart();
    } else if (s >= LiveBeforeSecond && s < LiveBeforeSecond + 4) {
        LinkState = s - 4;
    } else if (s == Read) {
        SwapImageWords(rx);
        std::copy(rx + LinkRangeStart, rx + LinkRangeEnd, CompareImage.begin() + LinkRangeStart);
        LinkState = Read + 1;
    } else if (s == Read + 1) {
        DoneRead();
    } else if (s == Verify) {
        DoneVerify();
    } else if (s == ProgramWrite) {
        LinkState = ProgramReadBack;
    } else if (s == ProgramReadBack) {
        DoneReadBack();
    } else if (s == Reset) {
        LinkState = Idle;
    } else if (s == ResetRelease) {
        LinkState = Idle;
        DropConnection();
    }
}

void LinkSequencer::TakeLiveAnswer()
{
    auto received = std::span<uint8_t, LIVE_BLOCK_LEN>(link_.RxImage, LIVE_BLOCK_LEN);
    SwapLiveWords(received);
    StoreLiveAnswer(Live, received);
    UnitTypeStatus = Live.W(live::WUnitType) == RSKEY ? UNIT_THIS_TYPE : UNIT_OTHER_TYPE;
    host_.ShowMessageSlot(SLOT_CONNECTION, nullptr, 0, KEEP_COLOR, KEEP_COLOR, HIDE_LIVE_PRIORITY);
    host_.ShowConnectionStatus(false);
    // Only a live answer tells how much saving work the unit has left and
    // which blocks it changed; nothing else may overwrite them.
    SavingCount = Live.W(live::WSaving);
    ChangedBlocks = Live.W(live::WChangedBlocks);
    host_.LiveRequestEnded(true);
    host_.LogMonitorFrame();
    host_.UpdateLiveMonitor();
}

void LinkSequencer::DoneIdentity()
{
    const int s = LinkState;
    const int start = s == Identity + 1 ? Identity : ProgramIdentity;
    uint8_t* rx = link_.RxImage;
    SwapIdentityWords(rx);
    if (!std::equal(rx + LinkRangeStart, rx + LinkRangeEnd, CompareImage.begin() + LinkRangeStart)) {
        RetryOrFail(linktext::ReferenceReadError, start, 0);
        return;
    }
    std::copy(rx, rx + IDENTITY_KEPT, UnitIdentity.begin());
    host_.UnitIdentified(UnitIdentity.data());
    host_.NormalizeImage();
    host_.LoadActivePage();
    const int type = IdentityUnitType(UnitIdentity.data());
    const int sub = IdentitySubVersion(UnitIdentity.data());
    if (type != link_.ExpectedUnitType || sub != link_.ExpectedSubVersion) {
        IdentityAccepted = false;
        // The state is left before the box: its modal loop keeps the timer running.
        LinkState = Idle;
        ShowMismatch(type, sub, true);
        return;
    }
    IdentityAccepted = true;
    CompareCount = 0;
    LinkState = s == Identity + 1 ? LiveBeforeFirst : ProgramWrite;
}

void LinkSequencer::DoneReferencePart()
{
    uint8_t* rx = link_.RxImage;
    SwapImageWords(rx);
    if (!std::equal(rx + LinkRangeStart, rx + LinkRangeEnd, CompareImage.begin() + LinkRangeStart)) {
        RetryOrFail(linktext::ReferenceReadError, LiveBeforeFirst, RETRY_GAUGE);
        return;
    }
    std::copy(rx + LinkRangeStart, rx + LinkRangeEnd, images_.UnitImage.b.data() + LinkRangeStart);
    if (LinkState < SecondPass + 3) {
        LinkState += 5;
        return;
    }
    images_.UnitImageValid = 1;
    host_.CompareUnitWithPc();
    ShowResult(linktext::ReferenceReadOk, false);
    host_.SetProgressGauge(100, KEEP_COLOR, false);
    LinkState = Idle;
}

void LinkSequencer::DoneRead()
{
    uint8_t* rx = link_.RxImage;
    SwapImageWords(rx);
    if (!std::equal(rx, rx + RS_LEN_EXE, CompareImage.begin())) {
        RetryOrFail(linktext::VerifyError, Read, 0);
        return;
    }
    std::fill(images_.ChangeMarks.begin(), images_.ChangeMarks.end(), 0);
    std::copy(rx, rx + RS_LEN_EXE, images_.PcImage.b.begin());
    if (host_.TakeNewInstall())
        host_.SaveSettings();
    images_.UnitImage = images_.PcImage;
    images_.UnitImageValid = 1;
    host_.CompareUnitWithPc();
    host_.TakeUndoSnapshot();
    // The snapshot marks what the read changed; the unit holds all of it already.
    std::fill(images_.ChangeMarks.begin(), images_.ChangeMarks.end(), 0);
    host_.NormalizeImage();
    host_.LoadActivePage();
    ShowResult(linktext::VerifyOk, false);
    host_.SetProgressGauge(100, KEEP_COLOR, false);
    host_.NormalizeImage();
    host_.LoadActivePage();
    // The pass may have corrected values the unit holds: those bytes now
    // differ from the unit and are marked, so a programming of changed bytes
    // writes them.
    for (int i = 0; i < RS_LEN_EXE; ++i)
        if (images_.PcImage.b[i] != images_.UnitImage.b[i])
            images_.ChangeMarks[size_t(i)] = 1;
    host_.CompareUnitWithPc();
    LinkState = Idle;
}

void LinkSequencer::DoneVerify()
{
    uint8_t* rx = link_.RxImage;
    SwapImageWords(rx);
    if (!std::equal(rx, rx + RS_LEN_EXE, images_.PcImage.b.begin())) {
        RetryOrFail(linktext::VerifyError, Verify, 0);
        return;
    }
    ShowResult(linktext::VerifyOk, false);
    host_.SetProgressGauge(100, KEEP_COLOR, false);
    LinkState = Idle;
}

void LinkSequencer::DoneReadBack()
{
    uint8_t* rx = link_.RxImage;
    SwapImageWords(rx);
    bool same = true;
    for (int i = LinkRangeStart; i < LinkRangeEnd && same; ++i)
        if (FullProgram || images_.ChangeMarks[size_t(i)])
            same = rx[i] == images_.PcImage.b[i];
    if (!same) {
        RetryOrFail(linktext::VerifyError, ProgramWrite, 0);
        return;
    }
    // The unit holds every byte that went over the line and came back alike:
    // whole blocks, the partner byte of a word, the gaps a frame bridged.
    for (int i = LinkRangeStart; i < LinkRangeEnd; ++i)
        if (link_.Carried[i])
            images_.UnitImage.b[i] = rx[i];
    std::fill(images_.ChangeMarks.begin() + LinkRangeStart, images_.ChangeMarks.begin() + LinkRangeEnd, 0);
    ShowResult(linktext::VerifyOk, false);
    host_.SetProgressGauge(100, KEEP_COLOR, false);
    ProgramDone = 1;
    SavingCount = 1;
    LinkState = Idle;
}

void LinkSequencer::RetryOrFail(const char* error, int retryState, int gauge)
{
    if (CompareCount > 1) {
        ShowError(error, false);
        LinkState = Idle;
    } else {
        host_.SetProgressGauge(gauge, KEEP_COLOR, false);
        LinkState = retryState;
    }
}

void LinkSequencer::TakeIdleStep(int32_t tickCount)
{
    CompareCount = 0;
    if (LinkRequest != REQ_NONE) {
        const int request = LinkRequest;
        LinkRequest = REQ_NONE;
        const bool needsIdentity = request == REQ_READ || request == REQ_VERIFY || request == REQ_PROGRAM_CHANGED;
        if (needsIdentity && !IdentityAccepted) {
            ShowMismatch(mismatchType_, mismatchSubVersion_, false);
            return;
        }
        if (request == REQ_PROGRAM || request == REQ_PROGRAM_CHANGED)
            unitValidBeforeProgram_ = images_.UnitImageValid != 0;
        LinkState = request;
        return;
    }
    if (int32_t(uint32_t(tickCount) - uint32_t(LastLiveTick)) >= LIVE_POLL_TICKS) {
        LastLiveTick = tickCount;
        LinkState = ChangedBlocks != 0 ? ChangedBlockRead : LivePoll;
    }
}

void LinkSequencer::PostForState()
{
    const int s = LinkState;
    if (IsLiveExchange(s)) {
        host_.SendLiveRequest();
    } else if (s == ChangedBlockRead) {
        host_.ReadNextChangedBlock();
    } else if (s == Identity || s == ProgramIdentity) {
        ++CompareCount;
        PostIdentity();
    } else if (s == Identity + 1 || s == ProgramIdentity + 1) {
        PostIdentity();
    } else if (s >= FirstPass && s < FirstPass + 4) {
        if (s == FirstPass) {
            ++CompareCount;
            images_.UnitImageValid = 0;
        }
        ShowResult(linktext::ReferenceRead, false);
        PostRead(REFERENCE_PART * (s - FirstPass), REFERENCE_PART);
    } else if (s >= SecondPass && s < SecondPass + 4) {
        ShowResult(linktext::ReferenceRead, false);
        PostRead(REFERENCE_PART * (s - SecondPass), REFERENCE_PART);
    } else if (s == Read) {
        ProgramDone = 0;
        ++CompareCount;
        ShowResult(linktext::ReadText, true);
        host_.ForgetFileName();
        PostRead(0, RS_LEN_EXE);
    } else if (s == Read + 1) {
        ShowResult(linktext::VerifyText, true);
        PostRead(0, RS_LEN_EXE);
    } else if (s == Verify) {
        ++CompareCount;
        ShowResult(linktext::VerifyText, true);
        PostRead(0, RS_LEN_EXE);
    } else if (s == ProgramWrite) {
        ++CompareCount;
        ShowResult(linktext::ProgramText, true);
        PostWrite();
    } else if (s == ProgramReadBack) {
        ShowResult(linktext::VerifyText, false);
        PostReadBack();
    } else if (s == Reset || s == ResetRelease) {
        PostReset();
    }
}

void LinkSequencer::ShowSavingProgress()
{
    if (SavingCount > 0) {
        if (link_.JobCode.load(std::memory_order_acquire) == JOB_IDLE)
            ShowResult(linktext::Saving, false);
        host_.SetProgressGauge(
            std::clamp((SAVING_SCALE - SavingCount) * 100 / SAVING_SCALE, 0, 100), KEEP_COLOR, false);
        return;
    }
    if (!ProgramDone)
        return;
    images_.UnitImageValid = FullProgram || unitValidBeforeProgram_ ? 1 : 0;
    host_.CompareUnitWithPc();
    ProgramDone = 0;
    ShowResult(linktext::ProgramOk, false);
    host_.SetProgressGauge(100, KEEP_COLOR, false);
}

void LinkSequencer::SetRange(int start, int end)
{
    LinkRangeStart = start;
    LinkRangeEnd = end;
}

bool LinkSequencer::PostRead(int start, int length)
{
    SetRange(start, start + length);
    return link_.PostJob(JOB_READ, start, length, JOBFLAG_MARK | JOBFLAG_CLEAR_TX);
}

bool LinkSequencer::ReadBlock(int block)
{
    if (block < 1 || block > CHANGED_BLOCKS)
        return false;
    return PostRead(CHANGED_BLOCK_LEN * (block - 1), CHANGED_BLOCK_LEN);
}

int LinkSequencer::LowestChangedBlock(int mask)
{
    for (int bit = 0; bit < CHANGED_BLOCKS; ++bit)
        if (mask & (1 << bit))
            return bit + 1;
    return 0;
}

void LinkSequencer::PostIdentity()
{
    SetRange(0, IDENTITY_LEN);
    link_.PostJob(JOB_IDENTITY, 0, IDENTITY_LEN, JOBFLAG_MARK | JOBFLAG_CLEAR_TX);
    ShowResult(linktext::ReferenceRead, true);
}

void LinkSequencer::PostWrite()
{
    SetRange(0, RS_LEN_EXE);
    if (FullProgram) {
        images_.UnitImage = images_.PcImage;
    } else {
        // Only the marked bytes reach the unit; the others stay as the unit had them.
        for (int i = 0; i < RS_LEN_EXE; ++i)
            if (images_.ChangeMarks[size_t(i)])
                images_.UnitImage.b[i] = images_.PcImage.b[i];
    }
    images_.UnitImageValid = 0;
    host_.CompareUnitWithPc();
    std::copy(images_.PcImage.b.data(), images_.PcImage.b.data() + RS_LEN_EXE, link_.TxImage);
    SwapImageWords(link_.TxImage);
    if (FullProgram) {
        link_.PostJob(JOB_WRITE, 0, RS_LEN_EXE, JOBFLAG_MARK);
    } else {
        MaskChangedBytes();
        link_.PostJob(JOB_WRITE, 0, RS_LEN_EXE, 0);
    }
}

void LinkSequencer::PostReadBack()
{
    SetRange(0, RS_LEN_EXE);
    if (FullProgram) {
        link_.PostJob(JOB_READ, 0, RS_LEN_EXE, JOBFLAG_MARK | JOBFLAG_CLEAR_TX);
    } else {
        MaskChangedBytes();
        link_.PostJob(JOB_READ, 0, RS_LEN_EXE, JOBFLAG_CLEAR_TX);
    }
}

void LinkSequencer::MaskChangedBytes()
{
    auto swapped = [](int word) {
        return (word >= IMAGE_SWAP_FIRST && word <= IMAGE_SWAP_LAST)
            || (word >= IMAGE_SWAP2_FIRST && word <= IMAGE_SWAP2_LAST);
    };
    for (int i = 0; i < RS_LEN_EXE; ++i)
        link_.ToSendMask[i] = images_.ChangeMarks[size_t(i)] ? 1 : 0;
    for (int word = 0; 2 * word + 1 < RS_LEN_EXE; ++word) {
        if (!swapped(word))
            continue;
        uint8_t& low = link_.ToSendMask[2 * word];
        uint8_t& high = link_.ToSendMask[2 * word + 1];
        low = high = (low | high) ? 1 : 0;
    }
}

void LinkSequencer::PostReset()
{
    std::fill(link_.TxImage, link_.TxImage + LIVE_REQUEST_LEN, 0);
    link_.TxImage[RESET_MARK_A] = RESET_MARK_A_VALUE;
    link_.TxImage[RESET_MARK_B] = RESET_MARK_B_VALUE;
    link_.CommandWord = RESET_COMMAND_WORD;
    link_.CommandAddress = RESET_COMMAND_ADDRESS;
    link_.CommandLength = 0;
    link_.PostJob(JOB_COMMAND, 0, 1, JOBFLAG_MARK);
}

void LinkSequencer::SwapImageWords(uint8_t* buffer) const
{
    SwapWordBytes(buffer, IMAGE_SWAP_FIRST, IMAGE_SWAP_LAST, LinkRangeStart, LinkRangeEnd);
    SwapWordBytes(buffer, IMAGE_SWAP2_FIRST, IMAGE_SWAP2_LAST, LinkRangeStart, LinkRangeEnd);
}

void LinkSequencer::ShowResult(const char* text, bool resetGauge)
{
    host_.ShowMessageSlot(SLOT_RESULT, text, SLOT_MESSAGE_MS, KEEP_COLOR, clBtnFace, SLOT_MESSAGE_PRIORITY);
    if (resetGauge)
        host_.SetProgressGauge(0, clAqua, true);
}

void LinkSequencer::ShowError(const char* text, bool red)
{
    host_.ShowMessageSlot(
        SLOT_RESULT, text, SLOT_MESSAGE_MS, KEEP_COLOR, red ? clRed : clBtnFace, SLOT_MESSAGE_PRIORITY);
    host_.SetProgressGauge(100, clRed, false);
}

void LinkSequencer::ShowMismatch(int unitType, int subVersion, bool box)
{
    mismatchType_ = unitType;
    mismatchSubVersion_ = subVersion;
    char versions[64];
    std::snprintf(versions, sizeof versions, "  PC-%d.%02d, IGN-%d.%02d", link_.ExpectedUnitType,
        link_.ExpectedSubVersion, unitType, subVersion);
    const std::string text = host_.MismatchText(unitType != link_.ExpectedUnitType) + versions;
    host_.SetProgressGauge(100, clRed, false);
    if (box)
        host_.ShowVersionMismatch(text);
    else
        host_.ShowMessageSlot(SLOT_RESULT, text.c_str(), SLOT_MESSAGE_MS, KEEP_COLOR, clRed, SLOT_MESSAGE_PRIORITY);
}

void LinkSequencer::ClosePortAndReport()
{
    link_.ClosePort();
    if (link_.LinkEnabled)
        host_.ShowMessageSlot(SLOT_CONNECTION, linktext::NoConnection, -1, clBlack, clRed, NO_CONNECTION_PRIORITY);
    images_.UnitImageValid = 0;
    host_.CompareUnitWithPc();
    host_.ShowConnectionStatus(true);
}

void LinkSequencer::DropConnection()
{
    if (!link_.LinkEnabled)
        return;
    link_.LinkEnabled = 0;
    ReleasedPort = link_.ConnectedPort.load(std::memory_order_acquire);
    ClosePortAndReport();
    host_.UpdateMainCaption();
}

void LinkSequencer::EnableLink()
{
    if (link_.LinkEnabled)
        return;
    link_.LinkEnabled = 1;
    ReleasedPort = -1;
    host_.UpdateMainCaption();
}
