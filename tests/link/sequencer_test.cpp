// The link sequencer against emulated units over a pseudo-terminal, with the
// tick driven by the test: connection with identity and reference read, Read,
// Verify, Program (all and changed bytes), Reset, live polls, and failures
// injected into each phase of a programming.
#include "link/sequencer.h"

#include "image/consistency.h"
#include "linkfixture.h"
#include "texts/langtext.h"
#include "texts/statustexts.h"

#include <random>

namespace {

// The window's side, recorded: slot texts in English, the gauge, the COM
// label, and the services the sequencer calls.
class FakeHost : public LinkHost, public ComparisonDisplay {
public:
    FakeHost(ImageCopies& images, CCOMCOM*& link)
        : images_(images)
        , link_(link)
    {
    }

    void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority) override
    {
        std::string english = text ? SelectLangText(text, 0) : "";
        if (slot == SLOT_RESULT && text)
            results.push_back(english);
        if (slot == SLOT_CONNECTION)
            connection = english;
        if (slot == SLOT_CONGRUENCE)
            congruence = english;
    }
    void CompareUnitWithPc() override { ::CompareUnitWithPc(images_, *this); }
    void UpdateMainCaption() override { }
    void SetProgressGauge(int position, int32_t, bool) override { gauge = position; }
    void SetComLabel(const std::string& text) override { comLabel = text; }
    void NormalizeImage() override
    {
        if (runConsistencyPass)
            NormalizeParameterImage(images_.PcImage);
    }
    void LoadActivePage() override { }
    void TakeUndoSnapshot() override { ++snapshots; }
    void SaveSettings() override { }
    bool TakeNewInstall() override { return false; }
    void ForgetFileName() override { }
    void UnitIdentified(const uint8_t* identity) override { texts = BuildUnitVersionTexts(identity); }
    void ShowConnectionStatus(bool) override { }
    void ShowVersionMismatch(const std::string& text) override
    {
        boxes.push_back(text);
        // A modal box keeps the timer running: the tick comes back meanwhile.
        if (reenter)
            reenter();
    }
    std::string MismatchText(bool typeDiffers) override
    {
        return typeDiffers ? "Unmatched version of PC and Ignition programs!"
                           : "Unmatched subversion of PC and Ignition programs!";
    }
    void SendLiveRequest() override
    {
        std::fill(link_->TxImage, link_->TxImage + LIVE_REQUEST_LEN, 0);
        link_->PostJob(JOB_LIVE, 0, LIVE_REQUEST_LEN, JOBFLAG_MARK | JOBFLAG_SINGLE_TRY);
    }
    void LiveRequestEnded(bool answered) override { (answered ? liveAnswers : liveFailures)++; }
    void LogMonitorFrame() override { }
    void UpdateLiveMonitor() override { }
    void ReadNextChangedBlock() override
    {
        if (int block = LinkSequencer::LowestChangedBlock(sequencer->ChangedBlocks); block != 0) {
            sequencer->ReadBlock(block);
            return;
        }
        sequencer->LinkState = linkstate::LivePoll;
        SendLiveRequest();
    }
    void ImageRangeToMaps(int from, int to) override { mapRanges.emplace_back(from, to); }

    bool Shown(const std::string& text) const
    {
        return std::find(results.begin(), results.end(), text) != results.end();
    }

    LinkSequencer* sequencer = nullptr;
    bool runConsistencyPass = false; // else the pass leaves every image alone
    std::vector<std::string> results;
    std::string connection;
    std::string congruence;
    std::string comLabel;
    int gauge = 0;
    int snapshots = 0;
    int liveAnswers = 0;
    int liveFailures = 0;
    UnitVersionTexts texts;
    std::vector<std::string> boxes;
    std::function<void()> reenter;
    std::vector<std::pair<int, int>> mapRanges;

private:
    ImageCopies& images_;
    CCOMCOM*& link_;
};

RsImage RandomImage(unsigned seed)
{
    std::mt19937 random(seed);
    RsImage image;
    for (auto& b : image.b)
        b = uint8_t(random());
    return image;
}

const char* const IDENTICAL = "Unit and PC settings are identical";

class Sequencer : public LinkFixture {
protected:
    void Begin(int32_t protocol, const RsImage& unitImage, const unitemu::Options& extra = {})
    {
        unitemu::Options options = extra;
        options.protocol = protocol;
        options.frameSize = 528;
        StartUnit(options).SetImage(unitImage);
        if (protocol != PROTO_IGN300)
            MakeLink().SetProbeDefault(protocol, 115200, 175);
        else
            MakeLink();
        link_->PortChoice = TEST_PORT;
        linkPtr_ = link_.get();
        host_ = std::make_unique<FakeHost>(images_, linkPtr_);
        seq_ = std::make_unique<LinkSequencer>(*link_, images_, *host_);
        host_->sequencer = seq_.get();
        host_->reenter = [this] { seq_->Step(tick_); };
    }

    // Nothing under way on the line; a vanished unit no longer counts.
    bool LineQuiet()
    {
        for (auto& [number, u] : units_) {
            if (!u->Vanished() && !PortQuietAt(number))
                return false;
        }
        return JobQuiet(*link_);
    }

    // Ticks until `done` holds; the clock moves on only while the line is quiet.
    bool Run(const std::function<bool()>& done, int maxMs = 120000, const std::function<void()>& each = {})
    {
        int32_t start = TmrNow();
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (std::chrono::steady_clock::now() < deadline) {
            seq_->Step(tick_);
            if (each)
                each();
            if (done())
                return true;
            if (LineQuiet()) {
                if (TmrSince(start) > maxMs)
                    return false;
                Advance(50);
            }
            std::this_thread::yield();
        }
        return false;
    }

    bool Idle() { return seq_->LinkState == linkstate::Idle && link_->JobCode.load() == JOB_IDLE; }

    // Connection, identity and reference read.
    bool Connected()
    {
        return Run(
            [&] { return Idle() && (host_->Shown("Reference read: OK") || host_->Shown("Reference read error !")); });
    }

    // Runs a request from idle to idle again, with the saving of a programming finished.
    bool Request(int request)
    {
        host_->results.clear();
        seq_->LinkRequest = request;
        return Run(
            [&] { return seq_->LinkRequest == REQ_NONE && Idle() && seq_->SavingCount == 0 && !seq_->ProgramDone; });
    }

    ImageCopies images_;
    CCOMCOM* linkPtr_ = nullptr;
    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<LinkSequencer> seq_;
};

struct ProtocolCase {
    const char* name;
    int32_t protocol;
};
const ProtocolCase PROTOCOLS[] = { { "IGN300", PROTO_IGN300 }, { "WCOM", PROTO_WCOM } };

class SequencerOnProtocol : public Sequencer, public ::testing::WithParamInterface<ProtocolCase> { };

TEST_P(SequencerOnProtocol, ConnectionReadsIdentityAndImageAndComparesTruthfully)
{
    for (bool same : { true, false }) {
        SCOPED_TRACE(same ? "same image" : "different image");
        const RsImage unitImage = RandomImage(1);
        images_ = ImageCopies {};
        images_.PcImage = unitImage;
        if (!same)
            images_.PcImage.b[4000] ^= 1;
        Begin(GetParam().protocol, unitImage);
        unit().SetIdentityByte(0, 'Z');
        ASSERT_TRUE(Connected());
        EXPECT_TRUE(host_->Shown("Reference read: OK"));
        EXPECT_EQ(images_.UnitImageValid, 1);
        EXPECT_TRUE(images_.UnitImage == unitImage);
        EXPECT_TRUE(seq_->IdentityAccepted);
        EXPECT_EQ(host_->texts.name.substr(0, 1), "Z");
        EXPECT_EQ(host_->congruence == IDENTICAL, same);
        EXPECT_EQ(host_->comLabel, "COM=" + std::to_string(TEST_PORT));
        // A live exchange before each of the eight parts (and maybe the first idle poll).
        EXPECT_GE(host_->liveAnswers, 8);
        EXPECT_EQ(host_->gauge, 100);
        TearDown();
        units_.clear();
    }
}

TEST_P(SequencerOnProtocol, ReadTwiceVerifyProgramAndReset)
{
    const RsImage unitImage = RandomImage(2);
    Begin(GetParam().protocol, unitImage);
    ASSERT_TRUE(Connected());

    // Read: the image enters the editor, marks are gone, the unit is the PC.
    images_.ChangeMarks[7] = 1;
    ASSERT_TRUE(Request(REQ_READ));
    EXPECT_TRUE(host_->Shown("Verify: OK"));
    EXPECT_TRUE(images_.PcImage == unitImage);
    EXPECT_EQ(images_.ChangeMarks[7], 0);
    EXPECT_EQ(host_->snapshots, 1);
    EXPECT_EQ(host_->congruence, IDENTICAL);

    // Verify, equal and different.
    ASSERT_TRUE(Request(REQ_VERIFY));
    EXPECT_TRUE(host_->Shown("Verify: OK"));
    images_.PcImage.b[10] ^= 0xFF;
    ASSERT_TRUE(Request(REQ_VERIFY));
    EXPECT_TRUE(host_->Shown("Verify error !"));
    EXPECT_FALSE(host_->Shown("Verify: OK"));

    // Program all.
    images_.PcImage = RandomImage(3);
    images_.ChangeMarks[100] = 1;
    seq_->FullProgram = 1;
    ASSERT_TRUE(Request(REQ_PROGRAM));
    EXPECT_TRUE(host_->Shown("Program device: OK"));
    EXPECT_TRUE(unit().Image() == images_.PcImage);
    EXPECT_EQ(images_.ChangeMarks[100], 0);
    EXPECT_EQ(images_.UnitImageValid, 1);
    EXPECT_EQ(host_->congruence, IDENTICAL);

    // Reset, then reset and release.
    ASSERT_TRUE(Request(REQ_RESET));
    EXPECT_EQ(unit().Resets(), 1);
    EXPECT_EQ(link_->ConnectedPort.load(), TEST_PORT);
    seq_->LinkRequest = REQ_RESET_DISCONNECT;
    ASSERT_TRUE(Run([&] { return link_->LinkEnabled == 0 && seq_->LinkState == linkstate::NoUnit; }));
    EXPECT_EQ(unit().Resets(), 2);
    EXPECT_EQ(seq_->ReleasedPort, TEST_PORT);
    EXPECT_EQ(host_->comLabel, "COM=" + std::to_string(TEST_PORT) + " (DISCONECTED)");
    seq_->EnableLink();
    EXPECT_EQ(seq_->ReleasedPort, -1);
    ASSERT_TRUE(Connected());
}

TEST_P(SequencerOnProtocol, ProgrammingChangedBytesSendsOnlyThemAndEitherByteOfAWord)
{
    const RsImage unitImage = RandomImage(4);
    images_.PcImage = unitImage;
    Begin(GetParam().protocol, unitImage);
    ASSERT_TRUE(Connected());

    // One byte of a word the unit keeps high byte first, each byte on its own,
    // and one byte outside those words.
    for (int offset : { 200, 201, 3001 }) {
        SCOPED_TRACE(offset);
        images_.PcImage.b[size_t(offset)] ^= 0x5A;
        images_.ChangeMarks[size_t(offset)] = 1;
        const int writesBefore = unit().Writes();
        seq_->FullProgram = 0;
        ASSERT_TRUE(Request(REQ_PROGRAM_CHANGED));
        EXPECT_TRUE(host_->Shown("Program device: OK"));
        EXPECT_TRUE(unit().Image() == images_.PcImage);
        EXPECT_EQ(images_.ChangeMarks[size_t(offset)], 0);
        EXPECT_EQ(host_->congruence, IDENTICAL);
        // A preamble unit gets one frame for the word; fixed frames carry whole blocks.
        if (GetParam().protocol == PROTO_WCOM) {
            EXPECT_EQ(unit().Writes() - writesBefore, 1);
        }
    }
}

TEST_P(SequencerOnProtocol, AReadOfAnImageThatChangesBetweenThePassesIsNotAccepted)
{
    struct Case {
        const char* name;
        int changes; // image changes while the second pass is due
        bool accepted;
    };
    const Case cases[] = { { "changes once, then stable", 1, true }, { "keeps changing", 100, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        images_ = ImageCopies {};
        Begin(GetParam().protocol, RandomImage(5));
        ASSERT_TRUE(Connected());
        const RsImage before = images_.PcImage;
        int changed = 0;
        bool wasSecond = false;
        host_->results.clear();
        seq_->LinkRequest = REQ_READ;
        ASSERT_TRUE(Run([&] { return seq_->LinkRequest == REQ_NONE && Idle(); }, 120000,
            [&] {
                bool second = seq_->LinkState == linkstate::Read + 1;
                if (second && !wasSecond && changed < c.changes)
                    unit().SetImage(RandomImage(100 + unsigned(++changed)));
                wasSecond = second;
            }));
        EXPECT_EQ(host_->Shown("Verify: OK"), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(images_.PcImage == unit().Image());
        } else {
            EXPECT_TRUE(host_->Shown("Verify error !"));
            EXPECT_TRUE(images_.PcImage == before);
        }
        TearDown();
        units_.clear();
    }
}

TEST_P(SequencerOnProtocol, AReadThePassCorrectsShowsDifferentAndProgramsTheCorrections)
{
    const RsImage raw = RandomImage(20);
    RsImage consistent = raw;
    NormalizeParameterImage(consistent);
    struct Case {
        const char* name;
        RsImage unitImage;
    };
    const Case cases[] = { { "values the pass corrects", raw }, { "a consistent unit", consistent } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        images_ = ImageCopies {};
        Begin(GetParam().protocol, c.unitImage);
        host_->runConsistencyPass = true;
        ASSERT_TRUE(Connected());
        ASSERT_TRUE(Request(REQ_READ));
        EXPECT_TRUE(host_->Shown("Verify: OK"));
        EXPECT_TRUE(images_.PcImage == consistent);
        EXPECT_TRUE(images_.UnitImage == c.unitImage);
        int marked = 0;
        for (int i = 0; i < RS_LEN_EXE; ++i) {
            EXPECT_EQ(images_.ChangeMarks[size_t(i)] != 0, consistent.b[i] != c.unitImage.b[i]) << i;
            marked += images_.ChangeMarks[size_t(i)];
        }
        if (marked == 0) {
            EXPECT_EQ(host_->congruence, IDENTICAL);
        } else {
            EXPECT_EQ(host_->congruence, "Unit and PC settings are different");
            seq_->FullProgram = 0;
            ASSERT_TRUE(Request(REQ_PROGRAM_CHANGED));
            EXPECT_TRUE(host_->Shown("Program device: OK"));
            EXPECT_TRUE(unit().Image() == consistent);
            EXPECT_EQ(host_->congruence, IDENTICAL);
            ASSERT_TRUE(Request(REQ_VERIFY));
            EXPECT_TRUE(host_->Shown("Verify: OK"));
        }
        TearDown();
        units_.clear();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Protocols, SequencerOnProtocol, ::testing::ValuesIn(PROTOCOLS), [](const auto& info) { return info.param.name; });

TEST_F(Sequencer, AUnitOfAnotherSubVersionIsNeverReadOrProgrammedAndBoxesDoNotStack)
{
    unitemu::Options options;
    options.subVersion = 1;
    const RsImage unitImage = RandomImage(6);
    images_.PcImage = RandomImage(7);
    Begin(PROTO_IGN300, unitImage, options);
    ASSERT_TRUE(Run([&] { return !host_->boxes.empty() && Idle(); }));
    ASSERT_EQ(host_->boxes.size(), 1u);
    EXPECT_EQ(host_->boxes[0], "Unmatched subversion of PC and Ignition programs!  PC-308.00, IGN-308.01");
    EXPECT_FALSE(seq_->IdentityAccepted);
    EXPECT_EQ(images_.UnitImageValid, 0);

    const RsImage pc = images_.PcImage;
    images_.ChangeMarks[5] = 1;
    for (int request : { REQ_READ, REQ_VERIFY, REQ_PROGRAM_CHANGED, REQ_PROGRAM }) {
        SCOPED_TRACE(request);
        seq_->FullProgram = request == REQ_PROGRAM;
        ASSERT_TRUE(Request(request));
        EXPECT_FALSE(host_->Shown("Verify: OK"));
        EXPECT_FALSE(host_->Shown("Program device: OK"));
    }
    EXPECT_EQ(unit().Writes(), 0);
    EXPECT_TRUE(unit().Image() == unitImage);
    EXPECT_TRUE(images_.PcImage == pc);
    EXPECT_EQ(images_.ChangeMarks[5], 1);
    // The Program command checked the identity again and said so once more.
    EXPECT_EQ(host_->boxes.size(), 2u);
}

TEST_F(Sequencer, AFailedReferenceReadNeverShowsIdenticalAgainstAStaleImage)
{
    const RsImage image = RandomImage(8);
    images_.PcImage = image;
    Begin(PROTO_IGN300, image);
    ASSERT_TRUE(Connected());
    ASSERT_EQ(host_->congruence, IDENTICAL);

    // Another image in the unit, and every image read after the identity fails.
    seq_->ClosePortAndReport();
    unit().SetImage(RandomImage(9));
    host_->results.clear();
    ASSERT_TRUE(Run([&] { return seq_->LinkState >= linkstate::LiveBeforeFirst; }));
    unit().InjectFault(unitemu::Fault::BadCheck, -1);
    ASSERT_TRUE(Run([&] { return host_->Shown("Reference read error !"); }));
    EXPECT_EQ(images_.UnitImageValid, 0);
    EXPECT_NE(host_->congruence, IDENTICAL);
}

TEST_F(Sequencer, ThreeFailedLivePollsCloseThePortAndTheSearchStartsAgain)
{
    Begin(PROTO_IGN300, RandomImage(10));
    ASSERT_TRUE(Connected());
    const int failuresBefore = host_->liveFailures;
    unit().InjectFault(unitemu::Fault::Silence, 3);
    ASSERT_TRUE(Run([&] { return link_->ConnectedPort.load() == 0; }));
    EXPECT_EQ(host_->liveFailures - failuresBefore, 3);
    EXPECT_EQ(host_->connection, "No connection with PC...");
    EXPECT_EQ(images_.UnitImageValid, 0);
    host_->results.clear();
    ASSERT_TRUE(Connected());
    EXPECT_TRUE(host_->Shown("Reference read: OK"));
}

TEST_F(Sequencer, ProgrammingChangedBytesClaimsNoMoreThanItWrote)
{
    // The PC differs from the unit in a byte nobody marked.
    const RsImage unitImage = RandomImage(15);
    images_.PcImage = unitImage;
    images_.PcImage.b[4000] ^= 1;
    Begin(PROTO_IGN300, unitImage);
    ASSERT_TRUE(Connected());
    images_.PcImage.b[3001] ^= 1;
    images_.ChangeMarks[3001] = 1;
    seq_->FullProgram = 0;
    ASSERT_TRUE(Request(REQ_PROGRAM_CHANGED));
    EXPECT_TRUE(host_->Shown("Program device: OK"));
    EXPECT_EQ(unit().Image().b[3001], images_.PcImage.b[3001]);
    EXPECT_EQ(unit().Image().b[4000], unitImage.b[4000]);
    EXPECT_TRUE(images_.UnitImage == unit().Image());
    EXPECT_NE(host_->congruence, IDENTICAL);
}

// Bytes the PC holds but nobody marked still go over the line when a frame
// carries them; the unit then holds them, and the PC knows it.
TEST_F(Sequencer, ProgrammingChangedBytesKnowsEveryByteItCarried)
{
    struct Case {
        const char* name;
        int32_t protocol;
        std::vector<int> marked;
        int carried; // differs, not marked, goes over the line all the same
    };
    const Case cases[] = {
        { "rest of a fixed block", PROTO_IGN300, { 3001 }, 3100 },
        { "partner byte of a word, fixed frames", PROTO_IGN300, { 200 }, 201 },
        { "gap a frame bridges", PROTO_WCOM, { 3001, 3005 }, 3003 },
        { "partner byte of a word, preamble frames", PROTO_WCOM, { 201 }, 200 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RsImage unitImage = RandomImage(21);
        images_ = ImageCopies {};
        images_.PcImage = unitImage;
        Begin(c.protocol, unitImage);
        ASSERT_TRUE(Connected());
        for (int offset : c.marked) {
            images_.PcImage.b[size_t(offset)] ^= 0x5A;
            images_.ChangeMarks[size_t(offset)] = 1;
        }
        images_.PcImage.b[size_t(c.carried)] ^= 0x21;
        seq_->FullProgram = 0;
        ASSERT_TRUE(Request(REQ_PROGRAM_CHANGED));
        EXPECT_TRUE(host_->Shown("Program device: OK"));
        EXPECT_TRUE(unit().Image() == images_.PcImage);
        EXPECT_EQ(images_.UnitImageValid, 1);
        EXPECT_TRUE(images_.UnitImage == unit().Image());
        EXPECT_EQ(host_->congruence, IDENTICAL);
        TearDown();
        units_.clear();
    }
}

TEST_F(Sequencer, AResetAndReleaseReleasesThePortAlsoWhenTheResetGoesUnanswered)
{
    Begin(PROTO_IGN300, RandomImage(14));
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(Run([&] { return Idle(); }));
    unit().InjectFault(unitemu::Fault::Silence, -1);
    seq_->LinkRequest = REQ_RESET_DISCONNECT;
    ASSERT_TRUE(Run([&] { return link_->LinkEnabled == 0; }));
    EXPECT_EQ(seq_->ReleasedPort, TEST_PORT);
    EXPECT_EQ(link_->ConnectedPort.load(), 0);
    // Released, the port is left alone: no search takes it again.
    unit().ClearFaults();
    const int requests = unit().Requests();
    Run([] { return false; }, 3000);
    EXPECT_EQ(unit().Requests(), requests);
    EXPECT_EQ(host_->comLabel, "COM=" + std::to_string(TEST_PORT) + " (DISCONECTED)");
}

TEST_F(Sequencer, AChangedBlockIsReadIntoTheImageFollowedByALiveExchange)
{
    const RsImage image = RandomImage(11);
    images_.PcImage = image;
    Begin(PROTO_IGN300, image);
    ASSERT_TRUE(Connected());
    RsImage changed = image;
    changed.b[650] ^= 0xFF; // block 3, inside the words kept high byte first
    unit().SetImage(changed);
    unit().SetChangedBlocks(1 << 2);
    ASSERT_TRUE(Run([&] { return !host_->mapRanges.empty() && seq_->ChangedBlocks == 0 && Idle(); }));
    EXPECT_EQ(host_->mapRanges.front(), std::make_pair(600, 900));
    EXPECT_TRUE(images_.PcImage == changed);
}

TEST_F(Sequencer, ProgramOkWaitsForTheUnitToFinishSaving)
{
    unitemu::Options options;
    options.saveWork = 4800;
    options.saveStep = 1600;
    Begin(PROTO_IGN300, RandomImage(12), options);
    ASSERT_TRUE(Connected());
    images_.PcImage = RandomImage(13);
    seq_->FullProgram = 1;
    std::vector<std::pair<std::string, int>> seen; // text, SavingCount when it was shown
    host_->results.clear();
    seq_->LinkRequest = REQ_PROGRAM;
    ASSERT_TRUE(Run([&] { return host_->Shown("Program device: OK"); }, 120000,
        [&] {
            if (!host_->results.empty() && (seen.empty() || seen.back().first != host_->results.back()))
                seen.emplace_back(host_->results.back(), seq_->SavingCount);
        }));
    auto saving = std::find_if(seen.begin(), seen.end(), [](const auto& s) { return s.first == "Saving:"; });
    ASSERT_NE(saving, seen.end());
    EXPECT_EQ(seen.back().first, "Program device: OK");
    EXPECT_EQ(seen.back().second, 0);
    EXPECT_EQ(host_->gauge, 100);
}

// Failures injected into each phase of a programming, on both kinds of frames.
struct FaultCase {
    const char* name;
    int32_t protocol;
    unitemu::Fault fault;
    bool full;
    int phase; // 0 identity, 1 write, 2 read-back
};

class ProgramFaults : public Sequencer, public ::testing::WithParamInterface<FaultCase> { };

TEST_P(ProgramFaults, NeverReportSuccessKeepTheMarksAndTheNextConnectionTellsTheTruth)
{
    const FaultCase& c = GetParam();
    const RsImage unitImage = RandomImage(20);
    images_.PcImage = unitImage;
    Begin(c.protocol, unitImage);
    ASSERT_TRUE(Connected());

    // The edit to program: a few bytes, marked.
    for (int offset : { 5, 2401, 4650 }) {
        images_.PcImage.b[size_t(offset)] ^= 0x33;
        images_.ChangeMarks[size_t(offset)] = 1;
    }
    const RsImage pc = images_.PcImage;
    const auto marks = images_.ChangeMarks;

    // Requests before the phase: two identity reads for a full programming,
    // then the write frames.
    const int identities = c.full ? 2 : 0;
    const int writeFrames = c.protocol == PROTO_IGN300 ? (c.full ? 16 : 3) : (c.full ? 10 : 3);
    int after = 0;
    if (c.phase >= 1)
        after += identities;
    if (c.phase == 2)
        after += writeFrames;

    // Injected while nothing is under way: the request comes before any live poll.
    ASSERT_TRUE(Run([&] { return Idle(); }));
    unit().InjectFault(c.fault, -1, after);
    host_->results.clear();
    seq_->FullProgram = c.full ? 1 : 0;
    seq_->LinkRequest = c.full ? REQ_PROGRAM : REQ_PROGRAM_CHANGED;
    ASSERT_TRUE(Run([&] {
        return (Idle() && seq_->LinkRequest == REQ_NONE && !seq_->ProgramDone && seq_->SavingCount == 0)
            || link_->ConnectedPort.load() == 0;
    }));
    EXPECT_FALSE(host_->Shown("Program device: OK"));
    EXPECT_FALSE(host_->Shown("Verify: OK"));
    EXPECT_TRUE(images_.PcImage == pc);
    EXPECT_TRUE(images_.ChangeMarks == marks);
    // The unit's image counts only while it is what the unit holds.
    if (images_.UnitImageValid) {
        EXPECT_TRUE(images_.UnitImage == unit().Image());
    }

    // A new connection to the unit as it is now; a unit that vanished comes
    // back on another port, as a replugged adapter does.
    const RsImage held = unit().Image();
    seq_->ClosePortAndReport();
    if (unit().Vanished()) {
        unitemu::Options options;
        options.protocol = c.protocol;
        options.frameSize = 528;
        StartUnit(options, TEST_PORT + 1).SetImage(held);
        units_.erase(TEST_PORT);
        link_->PortChoice = TEST_PORT + 1;
    } else {
        unit().ClearFaults();
    }
    host_->results.clear();
    ASSERT_TRUE(Run([&] { return Idle() && host_->Shown("Reference read: OK"); }));
    EXPECT_EQ(host_->congruence == IDENTICAL, CountSettingDifferences(held, images_.PcImage) == 0);
    EXPECT_TRUE(images_.UnitImage == held);
    EXPECT_EQ(link_->ConnectedPort.load(), link_->PortChoice);
}

std::vector<FaultCase> FaultCases()
{
    struct Named {
        const char* name;
        unitemu::Fault fault;
    };
    const Named faults[] = { { "Silence", unitemu::Fault::Silence }, { "BadCheck", unitemu::Fault::BadCheck },
        { "WrongBlock", unitemu::Fault::WrongBlock }, { "Vanish", unitemu::Fault::Vanish } };
    const char* phases[] = { "Identity", "Write", "ReadBack" };
    static std::vector<std::string> names;
    std::vector<FaultCase> cases;
    for (const ProtocolCase& p : PROTOCOLS)
        for (const Named& f : faults)
            for (int phase = 0; phase < 3; ++phase)
                for (bool full : { true, false }) {
                    if (phase == 0 && !full)
                        continue;
                    names.push_back(
                        std::string(p.name) + "_" + f.name + "_" + phases[phase] + (full ? "_All" : "_Changed"));
                    cases.push_back({ nullptr, p.protocol, f.fault, full, phase });
                }
    for (size_t i = 0; i < cases.size(); ++i)
        cases[i].name = names[i].c_str();
    return cases;
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, ProgramFaults, ::testing::ValuesIn(FaultCases()), [](const auto& info) { return info.param.name; });

// Connection, programming and verify through a pseudo-terminal and the
// termios device.
class SequencerEndToEnd : public Sequencer {
protected:
    SequencerEndToEnd() { onPseudoTerminal_ = true; }
};

TEST_F(SequencerEndToEnd, ConnectsProgramsAndVerifies)
{
    const RsImage unitImage = RandomImage(30);
    images_.PcImage = unitImage;
    Begin(PROTO_IGN300, unitImage);
    ASSERT_TRUE(Connected());
    EXPECT_EQ(host_->congruence, IDENTICAL);

    images_.PcImage = RandomImage(31);
    seq_->FullProgram = 1;
    ASSERT_TRUE(Request(REQ_PROGRAM));
    EXPECT_TRUE(host_->Shown("Program device: OK"));
    EXPECT_TRUE(unit().Image() == images_.PcImage);
    ASSERT_TRUE(Request(REQ_VERIFY));
    EXPECT_TRUE(host_->Shown("Verify: OK"));
}

} // namespace
