// Small shared services of the Gelmar engine: the error codes and their
// messages, the Esc check of long loops, temporary-file removal and the text
// form of durations.
#pragma once
#include <string>

namespace gelmar {

// Error codes of this layer (common::ErrorCode holds the pending one).
enum : int {
    kErrorMemory = 1,
    kErrorFileOpen = 2,
    kErrorSyntax = 3,
};

// "Not enough memory", "Failed to open file\n%s" with the shared path, and
// "Syntax error in file %s\nLine %d" with the shared path and the line.
void ReportOutOfMemory();
void ReportOpenFailure();
void ReportSyntaxError(int line);
// The message text of an error code of this layer ("" for other codes);
// line -1 names the line of the last RaiseSyntaxError.
std::string ErrorMessage(int code, int line = -1);
// Keeps the line for the message and raises error code 3 (the shared path
// names the file).
[[noreturn]] void RaiseSyntaxError(int line);

// True when the file named by the shared path exists.
bool FileExists();

// Polled by long loops: when the user pressed Esc, aborts the work through
// common::RaiseAbort (error code untouched); otherwise steps the progress bar.
void CheckEscAbort();

// Deletes "tmp.sol", "tmp.flx" and "tmp.vwf" in the working folder.
void RemoveTempFiles();

// "dddd:hh:mm:ss" of a duration in seconds (all fields 0 for seconds <= 0,
// days capped at 9999).
std::string FormatTimeDHMS(long long seconds);
// Seconds given by the digits of a masked duration field ("%4d%2d%2d%2d");
// 0 when fewer than four numbers are found.
long long ParseTimeDHMS(const std::string& text);

} // namespace gelmar
