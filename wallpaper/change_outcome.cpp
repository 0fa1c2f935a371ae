#include "wallpaper/change_outcome.h"

#include <cstddef>
#include <iterator>

namespace {

// In the order of the enumerations.
constexpr const char* kOriginNames[] = {"menu", "page", "timer", "link", "drop", "second copy"};
constexpr const char* kFailureNames[] = {"ok",
                                         "no connection",
                                         "time-out",
                                         "transfer broken off",
                                         "service error",
                                         "unexpected answer from the service",
                                         "unsafe file name from the service",
                                         "not an image",
                                         "cannot convert",
                                         "cannot save wall.bmp",
                                         "cannot set the wallpaper"};
static_assert(std::size(kOriginNames) == static_cast<std::size_t>(ChangeOrigin::SecondCopy) + 1);
static_assert(std::size(kFailureNames) == static_cast<std::size_t>(ChangeFailure::CannotSet) + 1);

}  // namespace

const char* ChangeFailureText(ChangeFailure failure) {
  return kFailureNames[static_cast<std::size_t>(failure)];
}

bool IsUnreachable(ChangeFailure failure) {
  return failure == ChangeFailure::NoConnection || failure == ChangeFailure::TimeOut;
}

std::string ChangeLogText(ChangeOrigin origin, const std::string& subject,
                          const ChangeOutcome& outcome, long long milliseconds) {
  std::string text = std::string("change (") + kOriginNames[static_cast<std::size_t>(origin)] +
                     ") " + subject + ": ";
  text += outcome ? "ok" : std::string("failed, ") + ChangeFailureText(outcome.failure);
  if (outcome.failure == ChangeFailure::ServiceError && !outcome.serviceText.empty()) {
    text += ": \"" + outcome.serviceText + "\"";
  }
  return text + ", " + std::to_string(milliseconds) + " ms";
}

std::string PoolSubject(WallpaperPool pool) {
  if (pool == WallpaperPool::FromSettings) return "pool from the settings";
  return "pool " + std::to_string(static_cast<unsigned>(pool));
}
