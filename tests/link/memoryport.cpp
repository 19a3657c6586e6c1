#include "memoryport.h"

#include <algorithm>
#include <cerrno>

namespace {

// A port layer's handle on a shared line.
class MemoryDevice : public SerialLine {
public:
    explicit MemoryDevice(std::shared_ptr<MemoryLine> line)
        : line_(std::move(line))
    {
    }
    ~MemoryDevice() override { Close(); }

    int Open(const std::string&, int baud) override
    {
        Close();
        int err = line_->Open(baud);
        open_ = err == 0;
        return err;
    }
    void Close() override
    {
        if (open_)
            line_->Close();
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    Result Waiting() override { return line_->Waiting(); }
    Result Read(uint8_t* data, int n) override { return line_->Read(data, n); }
    Result Write(const uint8_t* data, int n, int) override { return line_->Write(data, n); }

private:
    std::shared_ptr<MemoryLine> line_;
    bool open_ = false;
};

} // namespace

bool MemoryLine::Knob::Takes()
{
    if (after > 0) {
        --after;
        return false;
    }
    if (count == 0)
        return false;
    --count;
    return true;
}

void MemoryLine::Stall(bool on)
{
    std::lock_guard<std::mutex> guard(lock_);
    stalled_ = on;
}

void MemoryLine::DropBytes(int count, int after)
{
    std::lock_guard<std::mutex> guard(lock_);
    drop_ = { count, after };
}

void MemoryLine::CorruptBytes(int count, int after)
{
    std::lock_guard<std::mutex> guard(lock_);
    corrupt_ = { count, after };
}

void MemoryLine::Vanish()
{
    std::lock_guard<std::mutex> guard(lock_);
    vanished_ = true;
    pending_.clear();
}

bool MemoryLine::Vanished() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return vanished_;
}

bool MemoryLine::Drained(const CCOM& port) const
{
    uint32_t delivered = 0;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!stalled_ && !pending_.empty())
            return false;
        delivered = delivered_;
    }
    // The thread counts the bytes it read once they are in the ring.
    return port.BytesRead.load(std::memory_order_acquire) == delivered;
}

int MemoryLine::Opens() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return opens_;
}

int MemoryLine::Open(int baud)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!unit_ || vanished_)
        return ENOENT;
    if (open_)
        return EBUSY;
    open_ = true;
    baud_ = baud;
    ++opens_;
    pending_.clear();
    return 0;
}

void MemoryLine::Close()
{
    std::lock_guard<std::mutex> guard(lock_);
    open_ = false;
    pending_.clear();
}

SerialLine::Result MemoryLine::Waiting()
{
    std::lock_guard<std::mutex> guard(lock_);
    SerialLine::Result r;
    if (vanished_) {
        r.failed = r.vanished = true;
        return r;
    }
    r.bytes = stalled_ ? 0 : int(pending_.size());
    return r;
}

SerialLine::Result MemoryLine::Read(uint8_t* data, int n)
{
    std::lock_guard<std::mutex> guard(lock_);
    SerialLine::Result r;
    if (vanished_) {
        r.failed = r.vanished = true;
        return r;
    }
    int ready = stalled_ ? 0 : int(pending_.size());
    r.bytes = std::min(n, ready);
    std::copy_n(pending_.begin(), r.bytes, data);
    pending_.erase(pending_.begin(), pending_.begin() + r.bytes);
    delivered_ += uint32_t(r.bytes);
    return r;
}

SerialLine::Result MemoryLine::Write(const uint8_t* data, int n)
{
    std::lock_guard<std::mutex> guard(lock_);
    SerialLine::Result r;
    if (vanished_) {
        r.failed = r.vanished = true;
        return r;
    }
    Deliver(unit_->Hear(data, n, baud_));
    if (unit_->Vanished()) {
        // The unit went with the device: nothing more comes from it.
        vanished_ = true;
        pending_.clear();
    }
    r.bytes = n;
    return r;
}

void MemoryLine::Deliver(const std::vector<uint8_t>& bytes)
{
    for (uint8_t b : bytes) {
        if (drop_.Takes())
            continue;
        pending_.push_back(corrupt_.Takes() ? uint8_t(~b) : b);
    }
}

MemoryLine& MemoryPorts::Attach(int port, unitemu::UnitEmulator& unit)
{
    std::lock_guard<std::mutex> guard(lock_);
    auto& line = lines_[port];
    line = std::make_shared<MemoryLine>(&unit);
    return *line;
}

MemoryLine& MemoryPorts::Line(int port)
{
    std::lock_guard<std::mutex> guard(lock_);
    return *lines_.at(port);
}

void MemoryPorts::Clear()
{
    std::lock_guard<std::mutex> guard(lock_);
    lines_.clear();
}

bool MemoryPorts::ListNames(std::vector<std::string>* names)
{
    std::lock_guard<std::mutex> guard(lock_);
    names->clear();
    for (const auto& [port, line] : lines_)
        if (line->HasUnit() && !line->Vanished())
            names->push_back("COM" + std::to_string(port));
    return true;
}

std::unique_ptr<SerialLine> MemoryPorts::MakeLine(int port)
{
    std::lock_guard<std::mutex> guard(lock_);
    auto it = lines_.find(port);
    if (it == lines_.end())
        it = lines_.emplace(port, std::make_shared<MemoryLine>(nullptr)).first;
    return std::make_unique<MemoryDevice>(it->second);
}
