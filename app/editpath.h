#pragma once
// The edit debounce of the settings pages. An up-down click waits until the
// user has stopped clicking for EDIT_DEBOUNCE_TICKS; an edit box commits on
// Enter or when it loses the focus; every other control commits at once, and
// an event of another control first commits what is pending. A commit is
// StoreAndReloadPage: store the active page, the consistency pass, reload
// the page, an undo snapshot.

#include <cstdint>

class TMainForm;
class TObject;

constexpr int32_t EDIT_COMMIT_NOW = 0;
constexpr int32_t EDIT_UPDOWN_CLICK = 0x200000;
constexpr int32_t EDIT_DEBOUNCE_TICKS = 5;

void NoteControlEdit(TMainForm* form, TObject* control, int32_t code);
// Per tick: commits the waiting click once its deadline has come.
void CommitPendingEdit(TMainForm* form);
// Commits at once, whether or not an edit waits; run before every change of
// the image that does not come from the page's own controls.
void CommitEditNow(TMainForm* form);
// A question of the model change. The window's timer goes on ticking while
// the box is open: meanwhile the tick commits nothing and page reloads wait
// until the box closes, so the page cannot change under the question.
int AskHoldingEdits(TMainForm* form, const char* text, const char* caption, unsigned type);
// Holds commits of the tick and page reloads for a whole flow of questions;
// the last hold to go runs the reload that waited.
class QuestionHold {
public:
    explicit QuestionHold(TMainForm* form);
    ~QuestionHold();
    QuestionHold(const QuestionHold&) = delete;
    QuestionHold& operator=(const QuestionHold&) = delete;

private:
    TMainForm* form_;
};
