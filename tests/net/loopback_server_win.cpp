#include "net/loopback_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "net/net.h"

std::string LoopbackAddress(const std::string& pathAndQuery) {
  const char* port = std::getenv("KOLOROWISKO_TEST_HTTP_PORT");
  EXPECT_NE(port, nullptr) << "run through tests/net/loopback_http_server.py";
  return std::string("127.0.0.1:") + (port ? port : "1") + pathAndQuery;
}

std::string LoopbackUrl(const std::string& pathAndQuery) {
  return "http://" + LoopbackAddress(pathAndQuery);
}

std::string TlsLoopbackUrl(const std::string& certificate, const std::string& pathAndQuery) {
  const char* ports = std::getenv("KOLOROWISKO_TEST_TLS_PORTS");
  std::istringstream list(ports ? ports : "");
  for (std::string entry; list >> entry;) {
    if (entry.compare(0, certificate.size() + 1, certificate + "=") == 0) {
      return "https://localhost:" + entry.substr(certificate.size() + 1) + pathAndQuery;
    }
  }
  ADD_FAILURE() << "no server with the certificate " << certificate;
  return "https://localhost:1" + pathAndQuery;
}

std::string PatternBody(const std::string& kind, std::size_t size) {
  // As the server makes it: a file's head and end around the pattern.
  std::string head, tail;
  if (kind == "jpeg") {
    head = std::string("\xFF\xD8\xFF\xDA\x00\x02", 6);
    tail = "\xFF\xD9";
  } else if (kind == "png") {
    const std::size_t data = size > 32 ? size - 32 : 0;
    head = std::string("\x89PNG\r\n\x1A\n", 8);
    for (int shift = 24; shift >= 0; shift -= 8) head += static_cast<char>(data >> shift);
    head += "IDAT";
    tail = std::string("\0\0\0\0\0\0\0\0IEND\0\0\0\0", 16);
  } else if (kind == "bmp") {
    head = "BM";
    for (int shift = 0; shift < 32; shift += 8) head += static_cast<char>(size >> shift);
  }
  if (size < head.size() + tail.size()) return (head + tail).substr(0, size);
  std::string body = head;
  for (std::size_t i = head.size(); i < size - tail.size(); ++i) body += static_cast<char>(i % 251);
  return body + tail;
}

void ReleaseStalls(const std::string& key) {
  EXPECT_EQ(FetchToString(LoopbackUrl("/release?key=" + key)), "released");
}
