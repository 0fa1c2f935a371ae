#include <gtest/gtest.h>

#include "net/url_scheme.h"

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
