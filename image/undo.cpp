#include "image/undo.h"

#include <algorithm>

UndoRing::UndoRing(UndoHost& host, RsImage& pcImage, Marks changeMarks)
    : host_(host)
    , pc_(pcImage)
    , marks_(changeMarks)
{
}

void UndoRing::ResetUndo()
{
    current_ = oldest_ = newest_ = 0;
    StoreUndoSnapshot();
    UpdateControls();
    std::fill(marks_.begin(), marks_.end(), uint8_t(0));
}

void UndoRing::StoreUndoSnapshot()
{
    ring_[size_t(current_)].image = pc_;
    ring_[size_t(current_)].page = uint8_t(host_.ActivePage());
    host_.SaveSettings();
}

bool UndoRing::TakeUndoSnapshot()
{
    changed_ = false;
    const RsImage& slot = ring_[size_t(current_)].image;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        if (pc_.b[size_t(i)] != slot.b[size_t(i)]) {
            changed_ = true;
            marks_[size_t(i)] = 1;
        }
    if (!changed_)
        return false;
    host_.LogImage();
    host_.CompareUnitWithPc();
    current_ = (current_ + 1) % UNDO_SLOTS;
    newest_ = current_; // the redo steps beyond it are dropped
    if (oldest_ == current_)
        oldest_ = (oldest_ + 1) % UNDO_SLOTS;
    StoreUndoSnapshot();
    UpdateControls();
    return true;
}

void UndoRing::SnapshotAfterEdit()
{
    TakeUndoSnapshot();
    if (host_.ProgramAfterChange() && changed_)
        host_.RequestProgramChanged();
}

void UndoRing::Undo()
{
    if (current_ == oldest_)
        return;
    int old = current_;
    current_ = old == 0 ? UNDO_SLOTS - 1 : old - 1;
    // The page shown is the one the undone change was made on: the page of the slot being left.
    RestoreUndoSnapshot(old);
    host_.FocusProgramAfterChange();
}

void UndoRing::Redo()
{
    if (current_ == newest_)
        return;
    current_ = current_ + 1 > UNDO_SLOTS - 1 ? 0 : current_ + 1;
    RestoreUndoSnapshot(-1);
    host_.FocusProgramAfterChange();
}

void UndoRing::RestoreUndoSnapshot(int pageSource)
{
    changed_ = false;
    const Slot& slot = ring_[size_t(current_)];
    for (int i = 0; i < RS_LEN_EXE; ++i)
        if (slot.image.b[size_t(i)] != pc_.b[size_t(i)]) {
            pc_.b[size_t(i)] = slot.image.b[size_t(i)];
            changed_ = true;
            marks_[size_t(i)] = 1;
        }
    host_.LoadActivePage();
    if (slot.page != uint8_t(host_.ActivePage())) {
        int source = pageSource >= 0 ? pageSource : current_;
        host_.ShowPage(ring_[size_t(source)].page);
    }
    host_.LoadActivePage();
    UpdateControls();
    if (host_.ProgramAfterChange() && changed_)
        host_.RequestProgramChanged();
    host_.CompareUnitWithPc();
}

void UndoRing::UpdateControls()
{
    host_.UpdateUndoControls(CanUndo(), CanRedo());
}
