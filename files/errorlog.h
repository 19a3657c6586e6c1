#pragma once
// The program's safety nets: the error log "IGN.err" in the current folder,
// the math-error hook with its square root that never fails, the guard around
// the whole program, and folder creation from an 8-bit path.
//
// Nothing here ever shows the user anything or stops the program, except the
// guard, which reports an exception that escaped everything else.

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

constexpr const char* ERROR_LOG_FILE = "IGN.err";
// Longest message part of a log line, in 8-bit characters.
constexpr int ERROR_LOG_MESSAGE_MAX = 8190;

// One log line "<LOG TIME=d.m.yyyy h:m:s ZEP2008_v308: text>\n" for the given
// local time; the text is cut to ERROR_LOG_MESSAGE_MAX characters.
std::string FormatErrorLogLine(const std::tm& local, std::string_view text);

// Appends one line for `text` at the present local time to `file` (created
// when missing) in a single write, so lines from several threads never mix.
// A file that cannot be opened drops the line. Returns whether it was written.
bool AppendErrorLog(std::string_view text, const char* file = ERROR_LOG_FILE);

// An exception that reached the application: the message (8-bit text) goes to
// the log and to the debugger output (stderr). The exception counts as handled.
void LogException(std::string_view message);

// The record the math routines hand to MathErrorHook, with the C run time's
// numbering of the error kinds.
enum class MathErrorKind { Domain = 1, Singularity = 2, Overflow = 3, Underflow = 4, TotalLoss = 5, PartialLoss = 6 };
struct MathErrorRecord {
    MathErrorKind type;
    const char* name; // the failing function, e.g. "sqrt"
    double arg1;
    double arg2;
    double retval; // the result the caller will use
};

// Logs "MATHERR <name>", sends the name to the debugger output, answers a
// domain error of "sqrt" with 1.0 and leaves every other result as computed.
// Always reports the error as handled (non-zero). Safe on any thread.
int MathErrorHook(MathErrorRecord& error);

// Square root through the hook: a negative argument is logged and gives 1.0.
double SafeSqrt(double x);

// Creates every missing folder level of an 8-bit (Windows-1250) path. Both
// '\' and '/' separate folders, as they do in the paths the archive stores.
// Returns whether the folder exists afterwards.
bool ForceDirectoryA(const char* path);

// Runs the whole program. An exception that escapes `body` (start-up, window
// creation or the message loop) is passed to `show` and gives exit status 1;
// otherwise the body's own status is returned.
int RunGuarded(const std::function<int()>& body, const std::function<void(const std::string&)>& show);
