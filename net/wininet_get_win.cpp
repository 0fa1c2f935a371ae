#include "net/wininet_get_win.h"

HINTERNET InternetHandles::Adopt(ScopedInternet& owner, HINTERNET handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_) {
    if (handle) ::InternetCloseHandle(handle);
    return nullptr;
  }
  owner.Reset(handle);
  return handle;
}

HINTERNET InternetHandles::AdoptSession(HINTERNET session) { return Adopt(session_, session); }
HINTERNET InternetHandles::AdoptRequest(HINTERNET request) { return Adopt(request_, request); }

void InternetHandles::DropRequest() {
  std::lock_guard<std::mutex> lock(mutex_);
  request_.Reset();
}

void InternetHandles::CloseAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  request_.Reset();
  session_.Reset();
}

bool WinInetGet::OpenSession(std::chrono::milliseconds timeout) {
  session_ = handles_->AdoptSession(
      ::InternetOpenA("kolorowisko app", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session_) return false;
  DWORD milliseconds = static_cast<DWORD>(timeout.count());
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    ::InternetSetOptionA(session_, option, &milliseconds, sizeof milliseconds);
  }
  return true;
}

bool WinInetGet::OpenUrl(const std::string& url) {
  request_ = handles_->AdoptRequest(calls_.openUrl(session_, url.c_str(), nullptr, 0, 0, 1));
  // Wine's WinINet takes a server that closes the connection without answering for an empty
  // response with status 0. Every real answer has a status; which one is the caller's business.
  if (request_ && StatusCode() == 0) {
    handles_->DropRequest();
    request_ = nullptr;
  }
  return request_ != nullptr;
}

DWORD WinInetGet::StatusCode() const {
  DWORD status = 0;
  DWORD size = sizeof status;
  ::HttpQueryInfoA(request_, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                   nullptr);
  return status;
}

std::optional<std::uint64_t> WinInetGet::DeclaredLength() {
  DWORD length = 0;
  DWORD size = sizeof length;
  if (!::HttpQueryInfoA(request_, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length,
                        &size, nullptr)) {
    return std::nullopt;
  }
  return length;
}

bool WinInetGet::Read(char* buffer, std::size_t size, std::size_t& got) {
  DWORD count = 0;
  const bool ok = calls_.readFile(request_, buffer, static_cast<DWORD>(size), &count) != 0;
  got = count;
  return ok;
}
