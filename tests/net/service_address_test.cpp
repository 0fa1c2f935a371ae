#include <gtest/gtest.h>

#include "net/service_address.h"

TEST(ApplyHttpScheme, PutsHttpInFrontUnlessTheLinkStartsWithExactlyHttpOrHttps) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc", "http://abc"},
      {"www.example.org/a.jpg", "http://www.example.org/a.jpg"},
      {"http://host/a.jpg", "http://host/a.jpg"},
      {"https://host/a.jpg", "https://host/a.jpg"},
      {"HTTP://host/a.jpg", "http://HTTP://host/a.jpg"},
      {"Https://host", "http://Https://host"},
      {"http:/", "http://http:/"},
      {"https:/host", "http://https:/host"},
      {"", "http://"},
  };
  for (const auto& [link, expected] : cases) {
    std::string url = link;
    ApplyHttpScheme(url);
    EXPECT_EQ(url, expected) << link;
  }
}

TEST(HostAddress, TakesTheSchemeOfTheConfiguredHostAndABareHostStaysHttp) {
  const struct {
    const char* configured;
    const char* url;  // HostUrl(..., "/a?b"); nullptr: not a host
  } cases[] = {
      {"https://localhost:8652", "https://localhost:8652/a?b"},
      {"http://127.0.0.1:8642", "http://127.0.0.1:8642/a?b"},
      {"raport.kolorowisko.pl", "http://raport.kolorowisko.pl/a?b"},
      {"https://", nullptr},
      {"HTTPS://host", nullptr},
      {"ftp://host", nullptr},
      {"https://host/", nullptr},
      {"https://user@host", nullptr},
      {"host:0", nullptr},
      {"host:65536", nullptr},
      {"host:", nullptr},
      {"host:80:81", nullptr},
      {"ho st", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.configured);
    const std::optional<HostAddress> host = ParseHostAddress(c.configured);
    ASSERT_EQ(host.has_value(), c.url != nullptr);
    if (host) {
      EXPECT_EQ(HostUrl(*host, "/a?b"), c.url);
    }
  }
  static_assert(ParseHostAddress("https://localhost:1")->secure, "checked as the build checks");
}
