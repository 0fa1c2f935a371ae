// A change carried out with its line in the diagnostics log, for the user's and the automatic
// changes alike.
#pragma once

#include <chrono>
#include <string>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "base/text_win.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "wallpaper/engine_win.h"

// Carries the change out and writes its line, with how long it took. subject is ANSI, as paths
// and links are here.
template <typename Change>
ChangeOutcome LoggedChange(ChangeOrigin origin, const std::string& subject, Change change) {
  const auto start = std::chrono::steady_clock::now();
  const ChangeOutcome outcome = change();
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  WriteLog(ChangeLogText(origin, AnsiToUtf8(subject), outcome, took.count()));
  return outcome;
}

inline ChangeOutcome LoggedPoolChange(ChangeOrigin origin, WallpaperPool pool, bool premium) {
  return LoggedChange(origin, PoolSubject(pool), [&] {
    return ChangeFromPool(AppWallpapers(), AppSettings(), pool, premium);
  });
}
