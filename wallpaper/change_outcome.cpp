#include "wallpaper/change_outcome.h"

namespace {

const char* OriginName(ChangeOrigin origin) {
  switch (origin) {
    case ChangeOrigin::Menu:
      return "menu";
    case ChangeOrigin::Page:
      return "page";
    case ChangeOrigin::Timer:
      return "timer";
    case ChangeOrigin::Link:
      return "link";
    case ChangeOrigin::Drop:
      return "drop";
    case ChangeOrigin::SecondCopy:
      return "second copy";
  }
  return "?";
}

const char* FailureName(ChangeFailure failure) {
  switch (failure) {
    case ChangeFailure::None:
      return "ok";
    case ChangeFailure::NoConnection:
      return "no connection";
    case ChangeFailure::TimeOut:
      return "time-out";
    case ChangeFailure::BrokenTransfer:
      return "transfer broken off";
    case ChangeFailure::ServiceError:
      return "service error";
    case ChangeFailure::UnexpectedAnswer:
      return "unexpected answer from the service";
    case ChangeFailure::UnsafeName:
      return "unsafe file name from the service";
    case ChangeFailure::NotImage:
      return "not an image";
    case ChangeFailure::CannotConvert:
      return "cannot convert";
    case ChangeFailure::CannotSave:
      return "cannot save wall.bmp";
    case ChangeFailure::CannotSet:
      return "cannot set the wallpaper";
  }
  return "?";
}

}  // namespace

bool IsUnreachable(ChangeFailure failure) {
  return failure == ChangeFailure::NoConnection || failure == ChangeFailure::TimeOut;
}

std::string ChangeLogText(ChangeOrigin origin, const std::string& subject,
                          const ChangeOutcome& outcome, long long milliseconds) {
  std::string text = std::string("change (") + OriginName(origin) + ") " + subject + ": ";
  text += outcome ? "ok" : std::string("failed, ") + FailureName(outcome.failure);
  if (outcome.failure == ChangeFailure::ServiceError && !outcome.serviceText.empty()) {
    text += ": \"" + outcome.serviceText + "\"";
  }
  return text + ", " + std::to_string(milliseconds) + " ms";
}

std::string PoolSubject(WallpaperPool pool) {
  if (pool == WallpaperPool::FromSettings) return "pool from the settings";
  return "pool " + std::to_string(static_cast<unsigned>(pool));
}
