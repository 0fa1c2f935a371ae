// Times one transfer and reports the process's memory around it; bench/fetch.sh drives it.
//
//   fetch_bench file URL PATH          FetchToFile
//   fetch_bench image URL PATH         FetchImage with the custom wallpaper's 10 MiB cap
//   fetch_bench bare URL PATH [CHUNK]  the floor: a plain WinINet read loop into PATH, CHUNK bytes
//                                      a read (default 16384, FetchToFile's; FetchImage reads 8192)
//
// Prints one line to standard error: "ok=1 seconds=0.123 start_mb=.. peak_mb=.." (working set).
#include <windows.h>
#include <psapi.h>
#include <wininet.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/scoped_win.h"
#include "net/net.h"
#include "net/wininet_get_win.h"

namespace {

double WorkingSetMb(bool peak) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return (peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) / 1048576.0;
}

// What WinINet under Wine costs by itself, without the transfer's helper thread and checks: the
// program's request flags (WinINet would otherwise also write its cache) and its read size, since
// each read costs Wine a fixed time whatever it brings.
bool BareWinInetToFile(const std::string& url, const std::string& path, DWORD chunk) {
  ScopedInternet session(
      ::InternetOpenA("fetch_bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  constexpr DWORD kProgramFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;
  ScopedInternet request(
      ::InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0, kProgramFlags, 1));
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!request || !file) return false;
  std::vector<char> buffer(chunk);
  DWORD got = 0;
  DWORD written = 0;
  while (::InternetReadFile(request.Get(), buffer.data(), chunk, &got) && got > 0) {
    ::WriteFile(file.Get(), buffer.data(), got, &written, nullptr);
  }
  return true;
}

bool Fetch(const std::string& mode, std::string url, const std::string& path, DWORD chunk) {
  if (mode == "image") return FetchImage(url, path, 10485760);
  if (mode == "bare") return BareWinInetToFile(url, path, chunk);
  return FetchToFile(url, path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: fetch_bench file|image|bare URL PATH [CHUNK]\n");
    return 2;
  }
  const DWORD chunk = argc == 5 ? static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)) : 16384;
  if (chunk == 0) return 2;
  const double startMb = WorkingSetMb(false);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = Fetch(argv[1], argv[2], argv[3], chunk);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "ok=%d seconds=%.4f start_mb=%.1f peak_mb=%.1f\n", ok ? 1 : 0, took.count(),
               startMb, WorkingSetMb(true));
  return ok ? 0 : 1;
}
