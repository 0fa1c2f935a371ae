#include "net/wininet_get_win.h"

namespace {

// Addresses carry the password (login) and the authorisation code (selection), answers carry the
// code: none of it may reach the user's cache database or cookie store on disk.
constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                                INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_COOKIES;

}  // namespace

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

bool InternetHandles::Closed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

bool WinInetGet::OpenSession(std::chrono::milliseconds timeout) {
  session_ = handles_->AdoptSession(
      ::InternetOpenA("kolorowisko app", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session_) return false;
  DWORD milliseconds = static_cast<DWORD>(timeout.count());
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    if (handles_->Closed()) return false;
    ::InternetSetOptionA(session_, option, &milliseconds, sizeof milliseconds);
  }
  return true;
}

bool WinInetGet::OpenUrl(const std::string& url) {
  if (handles_->Closed()) return false;
  request_ =
      handles_->AdoptRequest(calls_.openUrl(session_, url.c_str(), nullptr, 0, kRequestFlags, 1));
  // Wine's WinINet takes a server that closes the connection without answering for an empty
  // response with status 0. Every real answer has a status; which one is the caller's business.
  if (request_ && StatusCode() == 0) {
    handles_->DropRequest();
    request_ = nullptr;
  }
  return request_ != nullptr;
}

std::optional<DWORD> WinInetGet::NumberHeader(DWORD query) const {
  DWORD number = 0;
  DWORD size = sizeof number;
  if (handles_->Closed() ||
      !calls_.queryInfo(request_, query | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr)) {
    return std::nullopt;
  }
  return number;
}

DWORD WinInetGet::StatusCode() const { return NumberHeader(HTTP_QUERY_STATUS_CODE).value_or(0); }

std::optional<std::uint64_t> WinInetGet::DeclaredLength() {
  return NumberHeader(HTTP_QUERY_CONTENT_LENGTH);
}

bool WinInetGet::Read(char* buffer, std::size_t size, std::size_t& got) {
  DWORD count = 0;
  got = 0;
  if (handles_->Closed()) return false;
  const bool ok = calls_.readFile(request_, buffer, static_cast<DWORD>(size), &count) != 0;
  got = count;
  return ok;
}
