// One GET over WinINet with the program's session parameters, in a session of its own.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "base/scoped_win.h"
#include "net/body_reader.h"

// The WinINet calls that tests replace, to see what a fetch opens and asks, or to make calls fail
// or block.
struct WinInetCalls {
  decltype(&::InternetOpenUrlA) openUrl = ::InternetOpenUrlA;
  decltype(&::InternetReadFile) readFile = ::InternetReadFile;
  decltype(&::HttpQueryInfoA) queryInfo = ::HttpQueryInfoA;
};
WinInetCalls SetWinInetCalls(WinInetCalls replacement);

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::InternetCloseHandle(h); }
};
using ScopedInternet = ScopedWin<InternetHandleTraits>;

// A transfer's session and request handles, which the thread that waits for the transfer may
// close while the transfer's own thread is blocked in a call on them: Windows then ends that call.
// Each handle is closed once, by whichever side comes first. Once they are closed, their values
// may already name another transfer's handles: the transfer's thread asks Closed before each call.
class InternetHandles {
 public:
  InternetHandles() = default;
  InternetHandles(const InternetHandles&) = delete;
  InternetHandles& operator=(const InternetHandles&) = delete;

  // Takes the handle; closes it at once, and gives null, when the handles were closed already.
  HINTERNET AdoptSession(HINTERNET session);
  HINTERNET AdoptRequest(HINTERNET request);
  void DropRequest();
  // The request first, then its session.
  void CloseAll();
  bool Closed();

 private:
  HINTERNET Adopt(ScopedInternet& owner, HINTERNET handle);

  std::mutex mutex_;
  bool closed_ = false;
  // Declared in this order so that the request is closed before its session.
  ScopedInternet session_;
  ScopedInternet request_;
};

class WinInetGet : public HttpSource {
 public:
  explicit WinInetGet(const WinInetCalls& calls)
      : calls_(calls), handles_(std::make_shared<InternetHandles>()) {}
  ~WinInetGet() override { handles_->CloseAll(); }
  WinInetGet(const WinInetGet&) = delete;
  WinInetGet& operator=(const WinInetGet&) = delete;

  // Closes this transfer's handles, from any thread, also after the transfer has ended.
  std::function<void()> Canceller() const {
    return [handles = handles_] { handles->CloseAll(); };
  }

  // The session: user agent "kolorowisko app", the system's proxy settings, connect, send and
  // receive time-outs of timeout.
  bool OpenSession(std::chrono::milliseconds timeout);
  // The request for url, sent as it is: no extra headers, context 1, and nothing of it or its
  // answer kept in the system's cache or cookies; https over TLS, with the certificate checked as
  // the system checks it. False also when the server sent no answer at all, and when the answer
  // to an https request came over http.
  bool OpenUrl(const std::string& url);
  // Why OpenUrl refused: the WinINet error of a certificate not accepted (0 for none), and
  // whether an https request ended over http.
  DWORD CertificateError() const { return certificateError_; }
  bool RedirectedToHttp() const { return redirectedToHttp_; }

  std::optional<std::uint64_t> DeclaredLength() override;
  bool Read(char* buffer, std::size_t size, std::size_t& got) override;

 private:
  // The header as a number; none once the handles are closed.
  std::optional<DWORD> NumberHeader(DWORD query) const;
  // 0 when the response has none.
  DWORD StatusCode() const;
  // The address the answer came from, after the redirects WinINet followed; empty when unknown.
  std::string FinalUrl() const;

  WinInetCalls calls_;
  std::shared_ptr<InternetHandles> handles_;
  // The handles as adopted; null once closed.
  HINTERNET session_ = nullptr;
  HINTERNET request_ = nullptr;
  DWORD certificateError_ = 0;
  bool redirectedToHttp_ = false;
};
