#pragma once
// The serial line the port layer drives, its device on POSIX termios, and the
// map from COM numbers to Linux device paths.
//
// COM numbers follow fixed rules: ttyS k is COM k+1, ttyUSB k is COM k+33 and
// ttyACM k is COM k+65 (k = 0..31). The environment variable ZP_COM_MAP maps
// any COM number to any path, e.g. "COM5=/dev/pts/3;7=/dev/ttyUSB4"; entries
// there win over the rules.

#include <cstdint>
#include <memory>
#include <string>
#include <termios.h>
#include <vector>

// One serial line as the port layer drives it.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    // Opens the line for this process alone, raw 8N1 at the given baud,
    // reads return at once. Returns 0 or an errno value.
    virtual int Open(const std::string& path, int baud) = 0;
    // Drops pending data both ways and closes.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // The outcome of one transfer call.
    struct Result {
        int bytes = 0; // bytes moved (or waiting, for Waiting)
        bool failed = false; // the call failed or moved fewer bytes than asked
        bool vanished = false; // the device hung up or is gone
    };
    // Bytes waiting to be read.
    virtual Result Waiting() = 0;
    // Reads up to n bytes that are waiting; never blocks.
    virtual Result Read(uint8_t* data, int n) = 0;
    // Writes n bytes, waiting at most timeoutMs for the driver to take them.
    virtual Result Write(const uint8_t* data, int n, int timeoutMs) = 0;
};

// The line of a termios device. The settings found at Open are kept and
// restored at Close.
class SerialDevice : public SerialLine {
public:
    SerialDevice() = default;
    ~SerialDevice() override;
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    int Open(const std::string& path, int baud) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }
    Result Waiting() override;
    Result Read(uint8_t* data, int n) override;
    Result Write(const uint8_t* data, int n, int timeoutMs) override;

private:
    int fd_ = -1;
    termios saved_ {};
    bool haveSaved_ = false;
};

// Where the port layer finds its ports and gets the line of each.
class SerialDevices {
public:
    virtual ~SerialDevices() = default;
    // The names "COM%i" of the ports present; false when they cannot be listed.
    virtual bool ListNames(std::vector<std::string>* names) = 0;
    // A closed line for port `port`, opened later with the port's device path.
    virtual std::unique_ptr<SerialLine> MakeLine(int port) = 0;
};

// The machine's termios devices, found through ComDevicePath and
// ListComDeviceNames.
SerialDevices& TermiosDevices();

// Reads the baud of a mode text "%i,N,8,1"; false when it is not one.
bool ParseModeText(const char* mode, int* baud);
// The termios speed constant of a baud rate; 0 when there is none.
speed_t BaudToSpeed(int baud);
int SpeedToBaud(speed_t speed);

// The device path of COM port `port`; empty when the port maps to nothing.
std::string ComDevicePath(int port);
// Maps a COM number to a path for this process (over the environment and the
// rules); an empty path removes the entry.
void SetComDeviceOverride(int port, const std::string& path);
// The names "COM%i" of the ports present on the machine; false when the
// device folder cannot be scanned.
bool ListComDeviceNames(std::vector<std::string>* names);
// Marks the port of every name "COMn" (4 to 6 characters, n in 1..255).
void MarkComNames(const std::vector<std::string>& names, bool present[256]);
