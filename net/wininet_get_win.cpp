#include "net/wininet_get_win.h"

bool WinInetGet::OpenSession(std::chrono::milliseconds timeout) {
  session_.Reset(
      ::InternetOpenA("kolorowisko app", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session_) return false;
  DWORD milliseconds = static_cast<DWORD>(timeout.count());
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    ::InternetSetOptionA(session_.Get(), option, &milliseconds, sizeof milliseconds);
  }
  return true;
}

bool WinInetGet::OpenUrl(const std::string& url) {
  request_.Reset(calls_.openUrl(session_.Get(), url.c_str(), nullptr, 0, 0, 1));
  // Wine's WinINet takes a server that closes the connection without answering for an empty
  // response with status 0. Every real answer has a status; which one is the caller's business.
  if (request_ && StatusCode() == 0) request_.Reset();
  return request_.IsValid();
}

DWORD WinInetGet::StatusCode() const {
  DWORD status = 0;
  DWORD size = sizeof status;
  ::HttpQueryInfoA(request_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                   nullptr);
  return status;
}

std::optional<std::uint64_t> WinInetGet::DeclaredLength() {
  DWORD length = 0;
  DWORD size = sizeof length;
  if (!::HttpQueryInfoA(request_.Get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length,
                        &size, nullptr)) {
    return std::nullopt;
  }
  return length;
}

bool WinInetGet::Read(char* buffer, std::size_t size, std::size_t& got) {
  DWORD count = 0;
  const bool ok = calls_.readFile(request_.Get(), buffer, static_cast<DWORD>(size), &count) != 0;
  got = count;
  return ok;
}
