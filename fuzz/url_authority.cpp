// The host that the log names for a refused transfer, taken out of any address: image links come
// from kolorowisko: links and dropped text, so anything may arrive here.
#include "fuzz/fuzz_support.h"
#include "net/secure_transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string url = InputText(data, size);
  const std::string_view authority = UrlAuthority(url);
  // A part of the address that never reaches into its path or query.
  FUZZ_CHECK(authority.empty() || url.find(authority) != std::string::npos);
  FUZZ_CHECK(authority.find_first_of("/?#\\@") == std::string_view::npos);
  FUZZ_CHECK(CertificateRefusalText(12045, url).size() == 34 + authority.size());
  return 0;
}
