// The diagnostics log: AppFolder\kolorowisko.log, one UTF-8 line per event with the local time,
// for a user to send when asking for help. Past kLogLimitBytes the file becomes
// kolorowisko.log.1 (one older file is kept) and a new one starts. The line's form and the limit
// are Windows-free; the writing is in log_win.cpp.
//
// Anything worth a line is one call: WriteLog("config.dat unreadable").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr std::uint64_t kLogLimitBytes = 262144;
// Never past this, not even when the log cannot become kolorowisko.log.1 (a viewer holds it
// without delete sharing, a read-only older file): the lines after it are dropped.
constexpr std::uint64_t kLogHardLimitBytes = 524288;
// A longer text (a link handed over whole, say) is cut, so that no line fills the log.
constexpr std::size_t kMaxLogTextBytes = 1000;

struct LogTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "2026-12-09 03:04:05 text\r\n": a control character in text becomes a space, so that an event
// is always one line, and a byte that is not UTF-8 becomes U+FFFD. Text past kMaxLogTextBytes is
// cut between characters and ends in " [...]".
std::string FormatLogLine(const LogTime& time, std::string_view utf8Text);

// True when a line of lineBytes would take a log of logBytes past the limit. An empty log takes
// any line.
bool LogIsFull(std::uint64_t logBytes, std::uint64_t lineBytes);

// Appends one line of UTF-8 text to the log, in one write, so that a killed program never leaves
// half a line. A log that cannot be written is left alone: the program goes on.
void WriteLog(std::string_view utf8Text);
// WriteLog of a line about a system call that failed, with the thread's last error code:
// "text (error N)". Call it before anything else can change that code.
void WriteFailedCallLog(std::string_view utf8Text);
// For a catch (...) at a boundary that no exception may cross (a window procedure, a COM method, a
// thread's work), and only there, while the exception is being handled: one line naming where,
// with what was thrown when it tells.
void LogCaughtException(const char* where) noexcept;
// AppFolder\kolorowisko.log; empty without an AppFolder.
std::string LogFilePath();
