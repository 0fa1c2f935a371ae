#include "net/loopback_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "net/net.h"

std::string LoopbackAddress(const std::string& pathAndQuery) {
  const char* port = std::getenv("KOLOROWISKO_TEST_HTTP_PORT");
  EXPECT_NE(port, nullptr) << "run through tests/net/loopback_http_server.py";
  return std::string("127.0.0.1:") + (port ? port : "1") + pathAndQuery;
}

std::string LoopbackUrl(const std::string& pathAndQuery) {
  return "http://" + LoopbackAddress(pathAndQuery);
}

std::string PatternBody(const std::string& kind, std::size_t size) {
  static const std::map<std::string, std::string> signatures = {
      {"raw", ""},
      {"jpeg", std::string("\xFF\xD8\xFF\xE0", 4)},
      {"png", std::string("\x89PNG\r\n\x1A\n", 8)},
      {"bmp", "BM"},
  };
  std::string body(size, '\0');
  const std::string& head = signatures.at(kind);
  for (std::size_t i = 0; i < size; ++i) {
    body[i] = static_cast<char>(i < head.size() ? head[i] : i % 251);
  }
  return body;
}

void ReleaseStalls(const std::string& key) {
  EXPECT_EQ(FetchToString(LoopbackUrl("/release?key=" + key)), "released");
}
