// Small shared services of the Gelmar engine: the messages of failures that
// a command reports itself, the Esc check of long loops, temporary-file
// removal and the text form of durations.
#pragma once
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"

#include <string>

namespace gelmar {

// Shows the error's message in a message box (OK).
void ShowError(EngineHost& host, const EngineError& error);
// "Not enough memory", "Failed to open file\n%s" and "Syntax error in file
// %s\nLine %d" with the file and line given.
void ReportOutOfMemory(EngineHost& host);
void ReportOpenFailure(EngineHost& host, const std::string& path);
void ReportSyntaxError(EngineHost& host, const std::string& path, int line);

// True when the file exists.
bool FileExists(const std::string& path);

// Polled by long loops: when the user pressed Esc, aborts the work with
// EscAbort (error code untouched); otherwise steps the progress bar.
void CheckEscAbort(EngineHost& host);

// Deletes "tmp.sol", "tmp.flx" and "tmp.vwf" in the working folder.
void RemoveTempFiles();

// "dddd:hh:mm:ss" of a duration in seconds (all fields 0 for seconds <= 0,
// days capped at 9999).
std::string FormatTimeDHMS(long long seconds);
// Seconds given by the digits of a masked duration field ("%4d%2d%2d%2d");
// 0 when fewer than four numbers are found.
long long ParseTimeDHMS(const std::string& text);

} // namespace gelmar
