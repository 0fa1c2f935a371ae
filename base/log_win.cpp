#include "base/log.h"

#include <windows.h>

#include <exception>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/scoped_win.h"

namespace {

LogTime LocalNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) return 0;
  return (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
}

bool Append(const std::string& path, const std::string& line) {
  // Append-only access puts every write at the end, also with a second copy writing too.
  ScopedFile file(::CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file &&
         ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// Whether the line may go in: a full log becomes the older file first; one that cannot takes
// lines up to the hard limit, telling so once, and then none.
bool MakeRoom(const std::string& path, std::size_t lineBytes) {
  static bool toldStuck = false;
  const std::uint64_t size = FileSize(path);
  if (!LogIsFull(size, lineBytes)) return true;
  if (::MoveFileExA(path.c_str(), (path + ".1").c_str(), MOVEFILE_REPLACE_EXISTING)) {
    toldStuck = false;
    return true;
  }
  if (toldStuck) return size + lineBytes <= kLogHardLimitBytes;
  toldStuck = true;
  const std::string notice = FormatLogLine(
      LocalNow(), "the log cannot become kolorowisko.log.1: past 512 KB lines are dropped");
  return size + notice.size() + lineBytes <= kLogHardLimitBytes && Append(path, notice);
}

}  // namespace

void WriteFailedCallLog(std::string_view utf8Text) {
  const DWORD error = ::GetLastError();
  try {
    WriteLog(std::string(utf8Text) + " (error " + std::to_string(error) + ")");
  } catch (...) {
  }
}

void LogCaughtException(const char* where) noexcept {
  try {
    std::string what = "an unknown exception";
    try {
      throw;
    } catch (const std::exception& exception) {
      what = exception.what();
    } catch (...) {
    }
    WriteLog(std::string(where) + ": " + what + " caught");
  } catch (...) {
  }
}

std::string LogFilePath() { return JoinPath(AppFolderPath(), "kolorowisko.log"); }

void WriteLog(std::string_view utf8Text) {
  // The log serves the program, never the other way: no failure of it reaches the caller.
  try {
    const std::string folder = EnsureAppFolder();
    if (folder.empty()) return;
    const std::string path = LogFilePath();
    const std::string line = FormatLogLine(LocalNow(), utf8Text);
    if (MakeRoom(path, line.size())) Append(path, line);
  } catch (...) {
  }
}
