#pragma once
// The undo ring: every change of the edited image that the user makes leaves
// a snapshot of the whole image and of the page it was made on. Undo and Redo
// walk the ring, put the image back, mark the bytes they change for
// programming and show the page the change belongs to.

#include "image/rsimage.h"

#include <array>
#include <cstdint>
#include <span>

constexpr int UNDO_SLOTS = 200;

// What the ring needs of the main window.
class UndoHost {
public:
    virtual ~UndoHost() = default;
    virtual int ActivePage() const = 0;
    // Switches the page control to `page` and runs its page-change handler.
    virtual void ShowPage(int page) = 0;
    virtual void LoadActivePage() = 0;
    virtual void SaveSettings() = 0;
    virtual void LogImage() = 0;
    virtual void CompareUnitWithPc() = 0;
    virtual bool ProgramAfterChange() const = 0; // "Programming after change" ticked
    // Program only the changed bytes: FullProgram 0, LinkRequest REQ_PROGRAM_CHANGED.
    virtual void RequestProgramChanged() = 0;
    virtual void UpdateUndoControls(bool undoEnabled, bool redoEnabled) = 0;
    virtual void FocusProgramAfterChange() = 0;
};

class UndoRing {
public:
    using Marks = std::span<uint8_t, RS_LEN_EXE>;

    UndoRing(UndoHost& host, RsImage& pcImage, Marks changeMarks);

    // Empties the ring: slot 0 holds the present image, no change is marked.
    void ResetUndo();
    // A snapshot when the image differs from the current slot; marks the
    // bytes that differ. Returns whether anything changed.
    bool TakeUndoSnapshot();
    // The end of every commit: a snapshot, and the programming of the changed
    // bytes when the user asked for it.
    void SnapshotAfterEdit();
    void Undo();
    void Redo();

    bool CanUndo() const { return current_ != oldest_; }
    bool CanRedo() const { return current_ != newest_; }
    int UndoCurrent() const { return current_; }
    int UndoOldest() const { return oldest_; }
    int UndoNewest() const { return newest_; }
    bool UndoChanged() const { return changed_; }

private:
    struct Slot {
        RsImage image;
        uint8_t page = 0;
    };
    void StoreUndoSnapshot();
    void RestoreUndoSnapshot(int pageSource);
    void UpdateControls();

    UndoHost& host_;
    RsImage& pc_;
    Marks marks_;
    std::array<Slot, UNDO_SLOTS> ring_ {};
    int current_ = 0;
    int oldest_ = 0;
    int newest_ = 0;
    bool changed_ = false;
};
