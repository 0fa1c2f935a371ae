// One GET over WinINet with the program's session parameters, in a session of its own.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <string>

#include "base/scoped_win.h"
#include "net/body_reader.h"

// The WinINet calls that tests replace, to see the address a fetch opens or to make reads fail.
struct WinInetCalls {
  decltype(&::InternetOpenUrlA) openUrl = ::InternetOpenUrlA;
  decltype(&::InternetReadFile) readFile = ::InternetReadFile;
};
WinInetCalls SetWinInetCalls(WinInetCalls replacement);

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::InternetCloseHandle(h); }
};
using ScopedInternet = ScopedWin<InternetHandleTraits>;

class WinInetGet : public HttpSource {
 public:
  explicit WinInetGet(const WinInetCalls& calls) : calls_(calls) {}

  // The session: user agent "kolorowisko app", the system's proxy settings, connect, send and
  // receive time-outs of timeout.
  bool OpenSession(std::chrono::milliseconds timeout);
  // The request for url, sent as it is: no extra headers, no request flags, context 1. False
  // also when the server sent no answer at all.
  bool OpenUrl(const std::string& url);

  std::optional<std::uint64_t> DeclaredLength() override;
  bool Read(char* buffer, std::size_t size, std::size_t& got) override;

 private:
  // 0 when the response has none.
  DWORD StatusCode() const;

  WinInetCalls calls_;
  // Declared in this order so that the request is closed before its session.
  ScopedInternet session_;
  ScopedInternet request_;
};
