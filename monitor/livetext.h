#pragma once
// Texts of live numbers for the monitor panel and the pages' live labels.
// While no live data is present (no unit connected, no log playing or paused)
// every number reads "---", so a label never shows a value as if it were live.

#include <string>

#include "monitor/live.h"
#include "texts/messagetable.h"

// printf into a string; formats are the program's own 8-bit literals.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

class LiveText {
public:
    LiveText(const LiveBlock& block, bool present, const MessageTableTexts& messages)
        : block_(block)
        , present_(present)
        , messages_(messages)
    {
    }
    bool Present() const { return present_; }

    // The value printed with the format ("%i" when none).
    std::string Int(int value, const char* format = nullptr) const;
    std::string Byte(int k) const { return Int(block_.B(k)); }
    std::string Word(int k) const { return Int(block_.W(k)); }
    // value / divisor with the format, or with as many decimals as the divisor
    // has factors of ten.
    std::string Scaled(int value, int divisor, const char* format = nullptr) const;
    // (Wk - divisor x offset) / divisor.
    std::string WordScaled(int k, int divisor, int offset) const;
    // Message slot a while bit n of Bk is 1, slot b while it is 0; a bit
    // number above 7 tests the whole byte.
    std::string Bit(int k, int n, int slotA, int slotB) const;
    const std::string& Slot(int slot) const { return messages_[size_t(slot)]; }
    bool BitSet(int k, int n) const { return n > 7 ? block_.B(k) != 0 : block_.Bit(k, n); }

private:
    const LiveBlock& block_;
    bool present_;
    const MessageTableTexts& messages_;
};
