// The loopback HTTP server that tests/net/loopback_http_server.py starts around each test run.
#pragma once

#include <cstddef>
#include <string>

// "http://127.0.0.1:PORT" + pathAndQuery, PORT being the running server's.
std::string LoopbackUrl(const std::string& pathAndQuery);
// "https://localhost:PORT" + pathAndQuery, PORT being that of the server over TLS with the test
// certificate named (localhost, expired, wrong-name, untrusted).
std::string TlsLoopbackUrl(const std::string& certificate, const std::string& pathAndQuery);
// "127.0.0.1:PORT" + pathAndQuery.
std::string LoopbackAddress(const std::string& pathAndQuery);
// The body that "/body?size=size&kind=kind" serves: a whole file of that kind.
std::string PatternBody(const std::string& kind, std::size_t size);
// Ends the server's stalls of key, so that helpers given up on can finish.
void ReleaseStalls(const std::string& key);
