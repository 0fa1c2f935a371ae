#include "net/secure_transfer.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr unsigned long kCertificateRefusals[] = {12037, 12038, 12045, 12055, 12056,
                                                  12057, 12157, 12169, 12170};

}  // namespace

bool IsCertificateRefusal(unsigned long winInetError) {
  return std::find(std::begin(kCertificateRefusals), std::end(kCertificateRefusals),
                   winInetError) != std::end(kCertificateRefusals);
}

std::string CertificateRefusalText(unsigned long winInetError, std::string_view url) {
  return "certificate not accepted (" + std::to_string(winInetError) +
         "): " + std::string(UrlAuthority(url));
}

bool IsHttpsUrl(std::string_view url) {
  constexpr std::string_view kScheme = "https://";
  if (url.size() < kScheme.size()) return false;
  for (std::size_t i = 0; i < kScheme.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(url[i])) != kScheme[i]) return false;
  }
  return true;
}

std::string RedirectedToHttpText(std::string_view requestUrl) {
  return "answer refused: the https request to " + std::string(UrlAuthority(requestUrl)) +
         " was redirected to http";
}

std::string_view UrlAuthority(std::string_view url) {
  const std::size_t scheme = url.find("://");
  std::string_view rest = scheme == std::string_view::npos ? url : url.substr(scheme + 3);
  rest = rest.substr(0, rest.find_first_of("/?#\\"));
  // user:password@ is nobody's business in a log.
  const std::size_t at = rest.rfind('@');
  return at == std::string_view::npos ? rest : rest.substr(at + 1);
}
