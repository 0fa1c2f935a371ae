// What makes a transfer's answer untrustworthy, and how the log tells it: a certificate (or a
// TLS connection) the system did not accept, and an https request whose answer came over http.
// Windows-free: the WinINet error numbers are written out here (wininet_get_win.cpp holds them
// against <wininet.h>).
#pragma once

#include <string>
#include <string_view>

// WinINet's errors for a server certificate or TLS connection that was not accepted: expired
// (12037), another name (12038), an unknown issuer (12045), other certificate errors (12055),
// revocation unknown or failed (12056, 12057), no TLS at all (12157), an invalid or revoked
// certificate (12169, 12170).
bool IsCertificateRefusal(unsigned long winInetError);

// "certificate not accepted (12038): host:port", the host being url's.
std::string CertificateRefusalText(unsigned long winInetError, std::string_view url);

// True when url's scheme is https, in any case.
bool IsHttpsUrl(std::string_view url);

// "answer refused: the https request to host:port was redirected to http": such an answer
// crossed the network in the clear.
std::string RedirectedToHttpText(std::string_view requestUrl);

// The host[:port] of a URL (of a link without a scheme, what comes before its path), without
// user information.
std::string_view UrlAuthority(std::string_view url);
