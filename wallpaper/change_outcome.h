// How a wallpaper change ended and how the diagnostics log tells it. Windows-free.
#pragma once

#include <string>

#include "wallpaper/pool.h"

// What asked for a change.
enum class ChangeOrigin { Menu, Page, Timer, Link, Drop, SecondCopy };

enum class ChangeFailure {
  None,
  NoConnection,      // no answer at all: no network, the host not found, the connection refused
  TimeOut,           // the transfer went quiet or took too long
  BrokenTransfer,    // the answer came but broke off, or was longer than allowed
  ServiceError,      // the service refused, with its own text
  UnexpectedAnswer,  // the service answered something else than a choice
  UnsafeName,        // the service named a file that the program does not store
  NotImage,          // the file is no picture the system can read
  CannotConvert,     // the picture could not be drawn at the screen's size
  CannotSave,        // wall.bmp could not be written
  CannotSet,         // the system did not take wall.bmp as the wallpaper
};

struct ChangeOutcome {
  ChangeFailure failure = ChangeFailure::None;
  std::string serviceText;  // the service's error text, for ServiceError

  ChangeOutcome() = default;
  ChangeOutcome(ChangeFailure why) : failure(why) {}  // NOLINT: a failure is an outcome
  explicit operator bool() const { return failure == ChangeFailure::None; }
};

// The service could not be reached at all; an answer of any kind, even an error, is a reach.
bool IsUnreachable(ChangeFailure failure);

// The log's text for one change: what asked for it, what it was for (a pool, an id, a link or a
// file), the result with the reason of a failure, and how long it took.
std::string ChangeLogText(ChangeOrigin origin, const std::string& subject,
                          const ChangeOutcome& outcome, long long milliseconds);

// A failure as the log names it: "not an image".
const char* ChangeFailureText(ChangeFailure failure);

// A pool as the log names it: "pool 1", or "pool from the settings".
std::string PoolSubject(WallpaperPool pool);
