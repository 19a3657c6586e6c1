#pragma once
// The sequencer of the unit link, run once per main-timer tick on the
// user-interface thread. It turns the user's requests (read, verify, program,
// reset) into link jobs, checks their results, and keeps the editor's copies
// of the image, the status slots, the COM label and the progress gauge up to
// date. Every new connection starts with the unit's identity read twice and
// the whole image read twice (the reference read); while idle it polls the
// unit's live block every seventh tick or reads an image block the unit
// reports as changed.
//
// It shares with the job thread only the job engine's fields: it posts only
// while JobCode is 0, fills TxImage, ToSendMask and the command fields before
// posting, reads RxImage only after a result and sets JobCode back to 0 when
// it takes the result.

#include <array>
#include <cstdint>
#include <string>

#include "image/imagecopies.h"
#include "link/identity.h"
#include "link/jobengine.h"
#include "monitor/live.h"

// Requests of the rest of the program; each names the state that serves it.
enum LinkRequestCode {
    REQ_NONE = 0,
    REQ_READ = 64,
    REQ_VERIFY = 80,
    REQ_PROGRAM = 96,
    REQ_PROGRAM_CHANGED = 98,
    REQ_RESET = 128,
    REQ_RESET_DISCONNECT = 129,
};

// States of the sequencer.
namespace linkstate {
constexpr int NoUnit = 0;
constexpr int Idle = 1;
constexpr int LivePoll = 2;
constexpr int ChangedBlockRead = 3;
constexpr int Identity = 32; // 32, 33: identity twice
constexpr int FirstPass = 48; // 48..51: four 1200-byte parts into CompareImage
constexpr int LiveBeforeFirst = 52; // 52..55: a live exchange before each part
constexpr int SecondPass = 56; // 56..59: the parts again, compared
constexpr int LiveBeforeSecond = 60; // 60..63
constexpr int Read = 64; // 64, 65
constexpr int Verify = 80;
constexpr int ProgramIdentity = 96; // 96, 97: identity twice, checked
constexpr int ProgramWrite = 98;
constexpr int ProgramReadBack = 99;
constexpr int Reset = 128;
constexpr int ResetRelease = 129;
} // namespace linkstate

constexpr int LINK_FAILURE_LIMIT = 3; // failed jobs in a row that end an operation
constexpr int LIVE_POLL_TICKS = 7;
constexpr int REFERENCE_PART = 1200;
constexpr int CHANGED_BLOCK_LEN = 300;
constexpr int CHANGED_BLOCKS = RS_LEN_EXE / CHANGED_BLOCK_LEN;
constexpr int SAVING_SCALE = 9600; // live word 50 counts the unit's saving work down from this
constexpr int SLOT_MESSAGE_MS = 2000;
constexpr int SLOT_MESSAGE_PRIORITY = 10;

// Word ranges the unit keeps high byte first.
constexpr int IMAGE_SWAP_FIRST = 0, IMAGE_SWAP_LAST = 1199;
constexpr int IMAGE_SWAP2_FIRST = 2323, IMAGE_SWAP2_LAST = 2332;

// Texts of the link's status slots.
namespace linktext {
extern const char* const NoConnection;
extern const char* const ReferenceRead;
extern const char* const ReferenceReadOk;
extern const char* const ReferenceReadError;
extern const char* const ReadText;
extern const char* const ReadError;
extern const char* const VerifyText;
extern const char* const VerifyOk;
extern const char* const VerifyError;
extern const char* const ProgramText;
extern const char* const ProgramOk;
extern const char* const Saving;
extern const char* const NoPort;
} // namespace linktext

// What the sequencer needs of the main window.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // A three-language text in status slot 1 or 2 (null hides the slot).
    virtual void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority)
        = 0;
    virtual void CompareUnitWithPc() = 0;
    virtual void UpdateMainCaption() = 0;
    // The progress gauge: maximum 100, `position`, its bar colour
    // (KEEP_COLOR keeps it) and, with `show`, made visible.
    virtual void SetProgressGauge(int position, int32_t foreColour, bool show) = 0;
    virtual void SetComLabel(const std::string& text) = 0;
    // The consistency pass over the edited image.
    virtual void NormalizeImage() = 0;
    // The active settings page shows the edited image again.
    virtual void LoadActivePage() = 0;
    virtual void TakeUndoSnapshot() = 0;
    virtual void SaveSettings() = 0;
    // Clears the new-installation flag; true when it was set.
    virtual bool TakeNewInstall() = 0;
    // The image no longer comes from the file named in the caption.
    virtual void ForgetFileName() = 0;
    // The unit's texts from its kept identity block (IDENTITY_KEPT bytes).
    virtual void UnitIdentified(const uint8_t* identity) = 0;
    // The connection status text into the status bar; with `reset` the unit's
    // texts and type status are those of no unit first.
    virtual void ShowConnectionStatus(bool reset) = 0;
    // A box that explains why the unit is not served (8-bit text).
    virtual void ShowVersionMismatch(const std::string& text) = 0;
    // Message table entries 7 (the unit type differs) and 8 (the sub-version differs).
    virtual std::string MismatchText(bool typeDiffers) = 0;
    // The live poll: fills the live request into the first 300 bytes of the
    // link's transmit image and posts it (JOB_LIVE, 0, 300, single try).
    virtual void SendLiveRequest() = 0;
    // The outcome of the live request posted last.
    virtual void LiveRequestEnded(bool answered) = 0;
    virtual void LogMonitorFrame() = 0;
    virtual void UpdateLiveMonitor() = 0;
    // Chooses a changed block and reads it (ReadBlock), or else polls live.
    virtual void ReadNextChangedBlock() = 0;
    // The map tables that show bytes of [from, to) take them from the image.
    virtual void ImageRangeToMaps(int from, int to) = 0;
};

class LinkSequencer {
public:
    LinkSequencer(CCOMCOM& link, ImageCopies& images, LinkHost& host);

    // One step, from the main timer's tick.
    void Step(int32_t tickCount);
    // Closes the connected port; reports the lost connection while the link
    // is enabled, and forgets the unit's image.
    void ClosePortAndReport();
    // Gives the connected port free for another program.
    void DropConnection();
    // Takes the link back after DropConnection.
    void EnableLink();

    // Starts the read of changed block c (1..16): its range, JOB_READ with
    // flags 3. False when the block is out of range or the post was refused.
    bool ReadBlock(int block);
    // The block ReadNextChangedBlock takes when no page prefers one: one more
    // than the lowest set bit of the mask, 0 for none.
    static int LowestChangedBlock(int mask);

    int LinkState = linkstate::NoUnit;
    int LinkRequest = REQ_NONE;
    int FullProgram = 0;
    int LinkFailures = 0;
    int CompareCount = 0;
    int32_t LastLiveTick = 0;
    int LinkRangeStart = 0;
    int LinkRangeEnd = 0;
    std::array<uint8_t, RS_LEN_EXE> CompareImage {};
    std::array<uint8_t, IDENTITY_KEPT> UnitIdentity {};
    int ProgramDone = 0;
    int SavingCount = 0;
    int ChangedBlocks = 0;
    int ReleasedPort = -1;
    int UnitTypeStatus = 0;
    // The unit's live status block, numbered from 1.
    LiveBlock Live;
    // Whether the unit of this connection passed the identity check: a unit
    // that did not is never read, verified or programmed.
    bool IdentityAccepted = false;

private:
    struct Guard;
    void ShowComLabel();
    void ShowGaugeForJob();
    void TakeFailure();
    void TakeResult();
    void TakeLiveAnswer();
    void TakeIdleStep(int32_t tickCount);
    void PostForState();
    void ShowSavingProgress();
    void ConnectionLost();

    void DoneIdentity();
    void DoneReferencePart();
    void DoneRead();
    void DoneVerify();
    void DoneReadBack();
    // A read that did not match: posts it again from `retryState` with the
    // gauge at `gauge`, or once it was tried again (CompareCount above 1)
    // shows `error` and goes idle.
    void RetryOrFail(const char* error, int retryState, int gauge);

    void SetRange(int start, int end);
    bool PostRead(int start, int length);
    void PostIdentity();
    void PostWrite();
    void PostReadBack();
    void PostReset();
    // Fills ToSendMask over the image from ChangeMarks: both bytes of every
    // word the unit keeps high byte first, so that a change of either byte
    // travels with the word.
    void MaskChangedBytes();
    void SwapImageWords(uint8_t* buffer) const;

    void ShowResult(const char* text, bool resetGauge);
    void ShowError(const char* text, bool red);
    void ShowMismatch(int unitType, int subVersion, bool box);

    CCOMCOM& link_;
    ImageCopies& images_;
    LinkHost& host_;
    bool firstStep_ = true;
    bool inStep_ = false;
    // Whether UnitImage held the unit's image when a changed-bytes
    // programming began: only then does the programmed image describe the unit.
    bool unitValidBeforeProgram_ = false;
    int mismatchType_ = 0;
    int mismatchSubVersion_ = 0;
};

// The COM label while no unit is connected: the released port, "COM=OFF", or
// the ports the probe slots try.
std::string ComLabelText(const CCOMSEARCH& search, int releasedPort);
