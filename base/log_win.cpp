#include "base/log.h"

#include <windows.h>

#include "base/app_paths_win.h"
#include "base/path.h"
#include "base/scoped_win.h"

namespace {

LogTime LocalNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void RotateWhenFull(const std::string& path, std::size_t lineBytes) {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) return;
  const std::uint64_t size =
      (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
  if (!LogIsFull(size, lineBytes)) return;
  ::MoveFileExA(path.c_str(), (path + ".1").c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

std::string LogFilePath() { return JoinPath(AppFolderPath(), "kolorowisko.log"); }

void WriteLog(std::string_view utf8Text) {
  // The log serves the program, never the other way: no failure of it reaches the caller.
  try {
    const std::string folder = EnsureAppFolder();
    if (folder.empty()) return;
    const std::string path = LogFilePath();
    const std::string line = FormatLogLine(LocalNow(), utf8Text);
    RotateWhenFull(path, line.size());
    // Append-only access puts every write at the end, also with a second copy writing too.
    ScopedFile file(::CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  } catch (...) {
  }
}
