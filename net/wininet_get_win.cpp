#include "net/wininet_get_win.h"

#include <cstring>

#include "net/secure_transfer.h"

namespace {

static_assert(ERROR_INTERNET_SEC_CERT_DATE_INVALID == 12037 &&
              ERROR_INTERNET_SEC_CERT_CN_INVALID == 12038 && ERROR_INTERNET_INVALID_CA == 12045 &&
              ERROR_INTERNET_SEC_CERT_ERRORS == 12055 && ERROR_INTERNET_SEC_CERT_NO_REV == 12056 &&
              ERROR_INTERNET_SEC_CERT_REV_FAILED == 12057 &&
              ERROR_INTERNET_SECURITY_CHANNEL_ERROR == 12157 &&
              ERROR_INTERNET_SEC_INVALID_CERT == 12169 && ERROR_INTERNET_SEC_CERT_REVOKED == 12170);

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
  // NB: no INTERNET_FLAG_IGNORE_CERT_* and no SECURITY_FLAG_IGNORE_* anywhere: a certificate
  // the system does not accept ends the transfer, as a connection that failed.
  const DWORD flags = kRequestFlags | (IsHttpsUrl(url) ? INTERNET_FLAG_SECURE : 0);
  HINTERNET opened = calls_.openUrl(session_, url.c_str(), nullptr, 0, flags, 1);
  const DWORD error = opened ? 0 : ::GetLastError();
  request_ = handles_->AdoptRequest(opened);
  if (!request_) {
    if (IsCertificateRefusal(error)) certificateError_ = error;
    // Windows may refuse such a redirect itself.
    redirectedToHttp_ = error == ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR;
    return false;
  }
  // Wine's WinINet takes a server that closes the connection without answering for an empty
  // response with status 0. Every real answer has a status; which one is the caller's business.
  // Wine also follows a redirect from https to http without a word: the answer would have
  // crossed the network in the clear.
  redirectedToHttp_ = IsHttpsUrl(url) && !IsHttpsUrl(FinalUrl());
  if (StatusCode() == 0 || redirectedToHttp_) {
    handles_->DropRequest();
    request_ = nullptr;
  }
  return request_ != nullptr;
}

std::string WinInetGet::FinalUrl() const {
  std::string url(2048, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD size = static_cast<DWORD>(url.size());
    if (handles_->Closed()) return {};
    if (::InternetQueryOptionA(request_, INTERNET_OPTION_URL, &url[0], &size)) {
      url.resize(std::strlen(url.c_str()));
      return url;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    url.assign(size + 1, '\0');
  }
  return {};
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
