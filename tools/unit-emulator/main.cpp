// unit-emulator: an emulated control unit on a pseudo-terminal. Prints the
// path of the terminal to open (map it to a COM number with ZP_COM_MAP) and
// answers until interrupted.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/paramfile.h"
#include "image/consistency.h"
#include "link/serialdevice.h"
#include "tools/unit-emulator/emulator.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

struct NamedProtocol {
    const char* name;
    int32_t id;
};
constexpr NamedProtocol PROTOCOL_LIST[] = {
    { "WCOM", PROTO_WCOM },
    { "WCOMS", PROTO_WCOMS },
    { "IGN50", PROTO_IGN50 },
    { "IGN100", PROTO_IGN100 },
    { "IGN150", PROTO_IGN150 },
    { "IGN300", PROTO_IGN300 },
};

struct NamedFault {
    const char* name;
    unitemu::Fault fault;
};
constexpr NamedFault FAULTS[] = {
    { "silence", unitemu::Fault::Silence },
    { "bad-check", unitemu::Fault::BadCheck },
    { "wrong-block", unitemu::Fault::WrongBlock },
    { "cut-short", unitemu::Fault::CutShort },
    { "vanish", unitemu::Fault::Vanish },
    { "echo", unitemu::Fault::Echo },
    { "wrong-data", unitemu::Fault::WrongData },
};

// A host for reading a parameter file into an image: no window, no messages.
class ImageFileHost : public ParameterFileHost {
public:
    RsImage& ParameterImage() override { return image; }
    std::vector<std::u16string> MemoLines() const override { return {}; }
    UnitVersionTexts UnitTexts() const override { return {}; }
    int SelectedSheet(int) const override { return 0; }
    void ShowMessageTableBox(int) override { }
    void ShowErrorBox(const std::string&) override { }
    void LoadBikeDefaults(int) override { }

    RsImage image;
};

// Reads a raw image of RS_LEN_EXE bytes (PC byte order) or a parameter file.
bool ReadImageFile(const char* path, RsImage* image)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() == size_t(RS_LEN_EXE)) {
        std::copy(bytes.begin(), bytes.end(), image->b.begin());
        return true;
    }
    ImageFileHost host;
    if (ParseParameterText(host, -1, false, bytes) != ParseOutcome::Complete)
        return false;
    NormalizeParameterImage(host.image);
    *image = host.image;
    return true;
}

void Usage()
{
    std::fprintf(stderr,
        "usage: unit-emulator [options]\n"
        "  --protocol P      WCOM, WCOMS, IGN50, IGN100, IGN150 or IGN300 (default IGN300)\n"
        "  --baud B          57600 or 115200 (default 115200)\n"
        "  --pace            send and take bytes at the real byte time of the baud rate\n"
        "  --type T          unit type (default 308)\n"
        "  --subversion S    sub-version (default 0)\n"
        "  --frame-size F    frame size a WCOM/WCOMS unit announces (default 48)\n"
        "  --name N          name a WCOM/WCOMS unit announces (default ZEP12)\n"
        "  --save-work W     saving work after a write, live word 50 (default 0)\n"
        "  --save-step S     saving work done per live answer (default 1600)\n"
        "  --changed-blocks M  bits of image blocks the unit changed (live word 56)\n"
        "  --engine E        off, idle or run: the engine the live block shows (default off)\n"
        "  --seed S          the engine's seed: the same seed gives the same values (default 1)\n"
        "  --image FILE      start from a parameter file (.ign) or a raw 4800-byte image\n"
        "  --live-byte N=V   live byte N (1..300) holds V, whatever the engine does\n"
        "  --live-word N=V   live word N (1..149) holds V, whatever the engine does\n"
        "  --fault F[:after[:count]]  silence, bad-check, wrong-block, cut-short, vanish, echo or wrong-data;\n"
        "                    after `after` requests, for `count` requests (-1: all; default 1)\n");
}

bool ParseInt(const char* text, int* value)
{
    char* end = nullptr;
    long v = std::strtol(text, &end, 0);
    if (!*text || *end)
        return false;
    *value = int(v);
    return true;
}

// "N=V" with N in 1..limit and V in 0..maximum.
bool ParseLiveValue(const char* text, int limit, int maximum, int* n, int* v)
{
    const char* equals = std::strchr(text, '=');
    if (!equals)
        return false;
    const std::string number(text, equals);
    return ParseInt(number.c_str(), n) && ParseInt(equals + 1, v) && *n >= 1 && *n <= limit && *v >= 0 && *v <= maximum;
}

} // namespace

int main(int argc, char** argv)
{
    unitemu::Options options;
    struct FaultArg {
        unitemu::Fault fault;
        int after, count;
    };
    std::vector<FaultArg> faults;
    int changedBlocks = 0;
    struct LiveArg {
        bool word;
        int n, v;
    };
    std::vector<LiveArg> liveValues;
    const char* imagePath = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = true;
        if (arg == "--pace") {
            options.pace = true;
            continue;
        }
        if (arg == "--help" || arg == "-h" || !value) {
            Usage();
            return arg == "--help" || arg == "-h" ? 0 : 2;
        }
        ++i;
        if (arg == "--protocol") {
            ok = false;
            for (const NamedProtocol& p : PROTOCOL_LIST)
                if (strcasecmp(value, p.name) == 0) {
                    options.protocol = p.id;
                    ok = true;
                }
        } else if (arg == "--baud") {
            ok = ParseInt(value, &options.baud) && BaudToSpeed(options.baud) != 0;
        } else if (arg == "--type") {
            ok = ParseInt(value, &options.unitType);
        } else if (arg == "--subversion") {
            ok = ParseInt(value, &options.subVersion);
        } else if (arg == "--frame-size") {
            ok = ParseInt(value, &options.frameSize);
        } else if (arg == "--name") {
            options.name = value;
        } else if (arg == "--save-work") {
            ok = ParseInt(value, &options.saveWork);
        } else if (arg == "--save-step") {
            ok = ParseInt(value, &options.saveStep);
        } else if (arg == "--changed-blocks") {
            ok = ParseInt(value, &changedBlocks);
        } else if (arg == "--engine") {
            const std::string name = value;
            ok = name == "off" || name == "idle" || name == "run";
            options.engine = name == "idle" ? unitemu::Engine::Idle
                : name == "run"             ? unitemu::Engine::Run
                                            : unitemu::Engine::Off;
        } else if (arg == "--seed") {
            int seed = 0;
            ok = ParseInt(value, &seed);
            options.seed = uint32_t(seed);
        } else if (arg == "--image") {
            imagePath = value;
        } else if (arg == "--live-byte" || arg == "--live-word") {
            LiveArg live { arg == "--live-word", 0, 0 };
            ok = live.word ? ParseLiveValue(value, 149, 0xFFFF, &live.n, &live.v)
                           : ParseLiveValue(value, 300, 0xFF, &live.n, &live.v);
            liveValues.push_back(live);
        } else if (arg == "--fault") {
            std::string text = value;
            std::string name = text.substr(0, text.find(':'));
            FaultArg f { unitemu::Fault::Silence, 0, 1 };
            ok = false;
            for (const NamedFault& nf : FAULTS)
                if (name == nf.name) {
                    f.fault = nf.fault;
                    ok = true;
                }
            int after = 0, count = 1;
            int fields = std::sscanf(text.c_str() + name.size(), ":%d:%d", &after, &count);
            if (fields >= 1)
                f.after = after;
            if (fields >= 2)
                f.count = count;
            faults.push_back(f);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "unit-emulator: bad option %s %s\n", arg.c_str(), value);
            Usage();
            return 2;
        }
    }

    unitemu::UnitEmulator unit(options);
    unit.SetChangedBlocks(uint16_t(changedBlocks));
    if (imagePath) {
        RsImage image;
        if (!ReadImageFile(imagePath, &image)) {
            std::fprintf(stderr, "unit-emulator: cannot read the image %s\n", imagePath);
            return 1;
        }
        unit.SetImage(image);
    }
    for (const LiveArg& live : liveValues) {
        if (live.word)
            unit.SetLiveWord(live.n, uint16_t(live.v));
        else
            unit.SetLiveByte(live.n, uint8_t(live.v));
    }
    for (const FaultArg& f : faults)
        unit.InjectFault(f.fault, f.count, f.after);
    std::string error;
    if (!unit.Start(&error)) {
        std::fprintf(stderr, "unit-emulator: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", unit.SlavePath().c_str());
    std::fflush(stdout);

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!g_stop)
        ::poll(nullptr, 0, 200);
    unit.Stop();
    std::fprintf(
        stderr, "unit-emulator: %d requests, %d writes, %d resets\n", unit.Requests(), unit.Writes(), unit.Resets());
    return 0;
}
