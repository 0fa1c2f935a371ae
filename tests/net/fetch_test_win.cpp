// The three transfers through real WinINet against the loopback server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/scoped_win.h"
#include "net/loopback_server.h"
#include "net/net.h"
#include "net/secure_transfer.h"
#include "net/service_address.h"
#include "net/wininet_get_win.h"
#include "support/file_bytes.h"
#include "support/seam_replacement.h"
#include "support/temp_folder.h"
#include "support/user_state_win.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kOldContent[] = "the previous file";
constexpr size_t kTenMiB = 10485760;
// Far below the server's 30 s stall and far above the shortened idle bound.
constexpr auto kStallVerdictWithin = std::chrono::seconds(15);

// The files in the folder once only name is left, or after ten seconds: polls, since a helper
// that was given up on finishes in its own time.
std::vector<std::string> FilesLeftWhenOnly(const TempFolder& folder, const std::string& name) {
  std::vector<std::string> names = FilesIn(folder.Path());
  for (int i = 0; i < 100 && names != std::vector<std::string>{name}; ++i) {
    ::Sleep(100);
    names = FilesIn(folder.Path());
  }
  return names;
}

class Fetch : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFileBytes(destination_, kOldContent)); }

  // The WinINet calls of the test, in place until it ends.
  void ReplaceCalls(WinInetCalls calls) { calls_.emplace(SetWinInetCalls, calls); }

  // The destination still holds its old content, and nothing else is left beside it.
  void ExpectDestinationUntouched() {
    EXPECT_EQ(ReadFileBytes(destination_), kOldContent);
    EXPECT_EQ(FilesLeftWhenOnly(folder_, "wall.jpg"), std::vector<std::string>{"wall.jpg"});
  }

  TempFolder folder_;
  const std::string destination_ = folder_.File("wall.jpg");
  SeamReplacement<std::chrono::milliseconds> idleBound_{SetFetchIdleBound,
                                                        std::chrono::milliseconds(1000)};
  std::optional<SeamReplacement<WinInetCalls>> calls_;
};

TEST_F(Fetch, WholeBodiesArriveExactlyWithTheirZeroBytes) {
  const std::string url = LoopbackUrl("/body?size=60000");
  const std::string expected = PatternBody("raw", 60000);
  ASSERT_NE(expected.find('\0', 1), std::string::npos);

  EXPECT_TRUE(FetchToFile(url, destination_));
  EXPECT_EQ(ReadFileBytes(destination_), expected);
  EXPECT_EQ(FilesLeftWhenOnly(folder_, "wall.jpg"), std::vector<std::string>{"wall.jpg"});
  EXPECT_EQ(FetchToString(url), expected);
}

TEST_F(Fetch, EmptyBodyMakesAnEmptyFileAndAnEmptyString) {
  EXPECT_TRUE(FetchToFile(LoopbackUrl("/body?size=0"), destination_));
  EXPECT_TRUE(FileExists(destination_));
  EXPECT_EQ(ReadFileBytes(destination_), "");
  EXPECT_EQ(FetchToString(LoopbackUrl("/body?size=0")), "");
}

TEST_F(Fetch, RequestsCarryTheUserAgentAndFollowRedirects) {
  EXPECT_EQ(FetchToString(LoopbackUrl("/agent")), "kolorowisko app");
  EXPECT_EQ(FetchToString(LoopbackUrl("/redirect?to=/body%3Fsize%3D3000")),
            PatternBody("raw", 3000));
}

TEST_F(Fetch, ErrorPageIsAnOrdinaryBodyButNotAnImage) {
  const std::string page = FetchToString(LoopbackUrl("/status?code=404"));
  EXPECT_NE(page.find("404 Error"), std::string::npos);
  ASSERT_GT(page.size(), 128u);

  std::string url = LoopbackUrl("/status?code=404");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(FetchImage(url, destination_, kTenMiB));
  const std::string trace = testing::internal::GetCapturedStdout();
  EXPECT_NE(trace.find("check image\nnothing to write\n"), std::string::npos) << trace;
  ExpectDestinationUntouched();
}

TEST_F(Fetch, BodyCutShortFailsAndLeavesTheOldFile) {
  const std::string url = LoopbackUrl("/body?kind=jpeg&size=200000&cut=70000");
  EXPECT_FALSE(FetchToFile(url, destination_));
  EXPECT_EQ(FetchToString(url), "");
  std::string imageUrl = url;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(FetchImage(imageUrl, destination_, kTenMiB));
  testing::internal::GetCapturedStdout();
  ExpectDestinationUntouched();
}

// Wine's WinINet takes a connection closed without any answer for an empty response.
TEST_F(Fetch, ServerHangingUpWithoutAnAnswerFailsEverywhere) {
  const std::string url = LoopbackUrl("/hang-up");
  EXPECT_FALSE(FetchToFile(url, destination_));
  EXPECT_EQ(FetchToString(url), "");
  std::string imageUrl = url;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(FetchImage(imageUrl, destination_, kTenMiB));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "connection ok\ninternet null\nnothing to write\n");
  ExpectDestinationUntouched();
}

TEST_F(Fetch, ServerStallingInTheBodyFailsWithinTheBound) {
  const std::string url = LoopbackUrl("/body?kind=png&size=100000&stall=20000&key=body");
  std::string imageUrl = url;
  const auto start = Clock::now();
  EXPECT_FALSE(FetchToFile(url, destination_));
  EXPECT_EQ(FetchToString(url), "");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(FetchImage(imageUrl, destination_, kTenMiB));
  const std::string trace = testing::internal::GetCapturedStdout();
  EXPECT_LT(Clock::now() - start, kStallVerdictWithin);
  EXPECT_EQ(trace.substr(trace.size() - 17), "nothing to write\n") << trace;

  // The helpers are still blocked; once the server lets go, the file's helper removes its
  // temporary file, and the image's helper adds nothing to the trace.
  testing::internal::CaptureStdout();
  ReleaseStalls("body");
  ExpectDestinationUntouched();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(Fetch, ServerStallingBeforeItsHeadersFailsWithinTheBound) {
  const auto start = Clock::now();
  EXPECT_FALSE(FetchToFile(LoopbackUrl("/stall-headers?key=headers"), destination_));
  EXPECT_LT(Clock::now() - start, kStallVerdictWithin);
  ReleaseStalls("headers");
  ExpectDestinationUntouched();
}

TEST_F(Fetch, FailuresAreToldApart) {
  const struct {
    std::string url;
    FetchFailure failure;
  } cases[] = {
      {LoopbackUrl("/body?kind=jpeg&size=1000"), FetchFailure::None},
      {LoopbackUrl("/hang-up"), FetchFailure::NoConnection},
      {LoopbackUrl("/stall-headers?key=told"), FetchFailure::TimeOut},
      {LoopbackUrl("/body?size=100000&stall=20000&key=told"), FetchFailure::TimeOut},
      {LoopbackUrl("/body?kind=jpeg&size=200000&cut=70000"), FetchFailure::Broken},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    FetchFailure failure = FetchFailure::Broken;
    FetchToString(c.url, kMaxTextBytes, &failure);
    EXPECT_EQ(failure, c.failure);
    FetchImageToFile(c.url, destination_, kMaxTextBytes, &failure);
    EXPECT_EQ(failure, c.failure);
  }
  // A whole answer that is no image, such as an error page, is told apart from a cut one.
  FetchFailure failure = FetchFailure::Broken;
  FetchImageToFile(LoopbackUrl("/body?size=1000"), destination_, kMaxTextBytes, &failure);
  EXPECT_EQ(failure, FetchFailure::NotImage);
  ReleaseStalls("told");
}

// Over TLS to the name localhost only: Wine matches no certificate's IP-address name.
TEST_F(Fetch, HttpsArrivesWithATrustedCertificateAndHttpMayTurnToHttps) {
  const std::string url = TlsLoopbackUrl("localhost", "/body?kind=jpeg&size=70000");
  EXPECT_TRUE(FetchImageToFile(url, destination_));
  EXPECT_EQ(ReadFileBytes(destination_), PatternBody("jpeg", 70000));
  EXPECT_EQ(FetchToString(LoopbackUrl("/redirect?to=" +
                                      EscapeQueryValue(TlsLoopbackUrl("localhost", "/agent")))),
            "kolorowisko app");
}

TEST_F(Fetch, AnswersThatDidNotCrossSafelyAreRefusedAndLoggedAsSuch) {
  const UserStateGuard guard;
  const std::string plain = LoopbackUrl("/body?kind=jpeg&size=1000");
  const std::string plainAtLocalhost = "http://localhost" + plain.substr(plain.rfind(':'));
  const std::string tlsToPlainPort = "https://localhost" + plain.substr(plain.rfind(':'));
  const std::string host(UrlAuthority(TlsLoopbackUrl("localhost", "")));
  const struct {
    std::string url;
    std::string logged;
  } cases[] = {
      {TlsLoopbackUrl("expired", "/b"), "certificate not accepted (12037)"},
      {TlsLoopbackUrl("wrong-name", "/b"), "certificate not accepted (12038)"},
      {TlsLoopbackUrl("untrusted", "/b"), "certificate not accepted (12045)"},
      {tlsToPlainPort, "certificate not accepted (12157)"},
      {TlsLoopbackUrl("localhost", "/redirect?to=" + EscapeQueryValue(plainAtLocalhost)),
       "answer refused: the https request to " + host + " was redirected to http"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    ::DeleteFileA(LogFilePath().c_str());
    FetchFailure failure = FetchFailure::None;
    EXPECT_FALSE(FetchImageToFile(c.url, destination_, kMaxTextBytes, &failure));
    EXPECT_EQ(failure, FetchFailure::NoConnection);
    EXPECT_EQ(FetchToString(c.url), "");
    ExpectDestinationUntouched();
    const std::string log = ReadFileBytes(LogFilePath());
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
  }
}

TEST_F(Fetch, ImageOfExactlyTheCapIsStoredAndOneByteMoreIsRefused) {
  std::string url = LoopbackUrl("/body?kind=jpeg&size=10485761");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(FetchImage(url, destination_, kTenMiB));
  testing::internal::GetCapturedStdout();
  ExpectDestinationUntouched();

  url = LoopbackUrl("/body?kind=jpeg&size=10485760");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(FetchImage(url, destination_, kTenMiB));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(ReadFileBytes(destination_), PatternBody("jpeg", kTenMiB));
  EXPECT_EQ(FilesLeftWhenOnly(folder_, "wall.jpg"), std::vector<std::string>{"wall.jpg"});
}

TEST_F(Fetch, ImageTraceFollowsTheTransfer) {
  std::string url = LoopbackUrl("/body?kind=png&size=300");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(FetchImage(url, destination_, kTenMiB));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "connection ok\ninternet ok\nread file 300\ncheck image\nread file 0\n"
            "write fo file\nwrite fo file ok\n");
  EXPECT_EQ(ReadFileBytes(destination_), PatternBody("png", 300));
}

TEST_F(Fetch, ShortReplyIsStoredUnchecked) {
  std::string url = LoopbackUrl("/body?size=100");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(FetchImage(url, destination_, kTenMiB));
  EXPECT_EQ(testing::internal::GetCapturedStdout().find("check image"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(destination_), PatternBody("raw", 100));
}

TEST_F(Fetch, BareImageAddressIsFetchedOverHttp) {
  std::string url = LoopbackAddress("/body?kind=bmp&size=5000");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(FetchImage(url, destination_, kTenMiB));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(url, LoopbackUrl("/body?kind=bmp&size=5000"));
  EXPECT_EQ(ReadFileBytes(destination_), PatternBody("bmp", 5000));
}

// Seams in place of WinINet calls: what they were asked, or reads that fail.
std::vector<std::string> g_openedUrls;
std::vector<DWORD> g_readSizes;
int g_readsToFail = 0;

HINTERNET WINAPI RecordUrlAndFail(HINTERNET, LPCSTR url, LPCSTR, DWORD, DWORD, DWORD_PTR) {
  g_openedUrls.push_back(url);
  return nullptr;
}

BOOL WINAPI FailSomeReads(HINTERNET request, LPVOID buffer, DWORD size, LPDWORD got) {
  g_readSizes.push_back(size);
  if (g_readsToFail > 0) {
    --g_readsToFail;
    *got = 0;
    ::SetLastError(ERROR_INTERNET_CONNECTION_RESET);
    return FALSE;
  }
  return ::InternetReadFile(request, buffer, size, got);
}

TEST_F(Fetch, ImageAddressGetsHttpUnlessItHasAnExactScheme) {
  ReplaceCalls({RecordUrlAndFail, ::InternetReadFile});
  g_openedUrls.clear();
  for (std::string url : {"https://127.0.0.1:1/a.png", "http://127.0.0.1:1/a.png",
                          "HTTP://127.0.0.1:1/a.png", "abc"}) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(FetchImage(url, destination_, kTenMiB));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "connection ok\ninternet null\nnothing to write\n");
  }
  EXPECT_EQ(g_openedUrls,
            (std::vector<std::string>{"https://127.0.0.1:1/a.png", "http://127.0.0.1:1/a.png",
                                      "http://HTTP://127.0.0.1:1/a.png", "http://abc"}));
  ExpectDestinationUntouched();
}

TEST_F(Fetch, FileThatCannotBeCreatedIsNotDownloaded) {
  ReplaceCalls({RecordUrlAndFail, ::InternetReadFile});
  g_openedUrls.clear();
  EXPECT_FALSE(FetchToFile(LoopbackUrl("/body?size=10"), folder_.File("missing\\wall.jpg")));
  EXPECT_THAT(g_openedUrls, testing::IsEmpty());
}

TEST_F(Fetch, EachTransferReadsInItsOwnChunkSize) {
  ReplaceCalls({::InternetOpenUrlA, FailSomeReads});
  const std::string url = LoopbackUrl("/body?kind=jpeg&size=40000");
  std::string imageUrl = url;
  g_readSizes.clear();
  ASSERT_TRUE(FetchToFile(url, destination_));
  EXPECT_EQ(g_readSizes, std::vector<DWORD>(4, 16384));
  g_readSizes.clear();
  ASSERT_EQ(FetchToString(url).size(), 40000u);
  EXPECT_EQ(g_readSizes, std::vector<DWORD>(11, 4096));
  g_readSizes.clear();
  testing::internal::CaptureStdout();
  ASSERT_TRUE(FetchImage(imageUrl, destination_, kTenMiB));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(g_readSizes, std::vector<DWORD>(6, 8192));
}

TEST_F(Fetch, ReadsThatFailAreRetriedThreeTimesInARow) {
  ReplaceCalls({::InternetOpenUrlA, FailSomeReads});
  const std::string url = LoopbackUrl("/body?size=1000");
  g_readsToFail = 3;
  EXPECT_EQ(FetchToString(url), PatternBody("raw", 1000));

  g_readSizes.clear();
  g_readsToFail = 1000;
  EXPECT_FALSE(FetchToFile(url, destination_));
  EXPECT_EQ(g_readSizes.size(), 4u);
  ExpectDestinationUntouched();
}

TEST_F(Fetch, BodiesBeyondTheTransfersLimitAreRefused) {
  EXPECT_EQ(FetchToString(LoopbackUrl("/body?size=65536")), PatternBody("raw", 65536));
  EXPECT_EQ(FetchToString(LoopbackUrl("/body?size=65537")), "");
  EXPECT_TRUE(FetchToFile(LoopbackUrl("/body?size=5000"), destination_, 5000));
  EXPECT_FALSE(FetchToFile(LoopbackUrl("/body?size=5001"), destination_, 5000));
  EXPECT_EQ(ReadFileBytes(destination_), PatternBody("raw", 5000));
}

TEST_F(Fetch, ABodyThatKeepsTricklingFailsAtTheOverallBound) {
  SeamReplacement<std::chrono::milliseconds> deadline(SetFetchDeadline,
                                                      std::chrono::milliseconds(1500));
  const auto start = Clock::now();
  // A chunk every 300 ms keeps the idle bound (1 s) away; the whole would take 4.5 s.
  EXPECT_EQ(FetchToString(LoopbackUrl("/body?size=61440&trickle=300")), "");
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(3500));
}

TEST_F(Fetch, ImagesCutShortWithoutALengthAreNotStored) {
  const struct {
    const char* query;
    bool stored;
  } kCases[] = {
      {"kind=jpeg&size=30000", true}, {"kind=jpeg&size=30000&cut=20000", false},
      {"kind=png&size=30000", true},  {"kind=png&size=30000&cut=29990", false},
      {"kind=bmp&size=30000", true},  {"kind=bmp&size=30000&cut=29999", false},
      {"kind=raw&size=30000", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.query);
    const std::string url = LoopbackUrl(std::string("/body?nolength=1&") + c.query);
    ASSERT_TRUE(WriteFileBytes(destination_, kOldContent));
    EXPECT_EQ(FetchImageToFile(url, destination_), c.stored);
    std::string imageUrl = url;
    testing::internal::CaptureStdout();
    EXPECT_EQ(FetchImage(imageUrl, destination_, kTenMiB), c.stored);
    testing::internal::GetCapturedStdout();
    if (!c.stored) ExpectDestinationUntouched();
  }
}

// A read blocked until the request's handle is closed from elsewhere, as WinINet's is on Windows.
std::atomic<bool> g_sawHandleClosed{false};

BOOL WINAPI ReadUntilClosed(HINTERNET request, LPVOID, DWORD, LPDWORD got) {
  *got = 0;
  for (int i = 0; i < 100; ++i) {
    DWORD type = 0;
    DWORD size = sizeof type;
    if (!::InternetQueryOptionA(request, INTERNET_OPTION_HANDLE_TYPE, &type, &size)) {
      g_sawHandleClosed = true;
      break;
    }
    ::Sleep(100);
  }
  ::SetLastError(ERROR_INTERNET_OPERATION_CANCELLED);
  return FALSE;
}

TEST_F(Fetch, GivingUpClosesTheBlockedTransfersHandles) {
  ReplaceCalls({::InternetOpenUrlA, ReadUntilClosed});
  g_sawHandleClosed = false;
  EXPECT_EQ(FetchToString(LoopbackUrl("/body?size=10")), "");
  for (int i = 0; i < 50 && !g_sawHandleClosed; ++i) ::Sleep(100);
  EXPECT_TRUE(g_sawHandleClosed);
}

DWORD g_requestFlags = 0;

HINTERNET WINAPI RecordFlags(HINTERNET session, LPCSTR url, LPCSTR headers, DWORD length,
                             DWORD flags, DWORD_PTR context) {
  g_requestFlags = flags;
  return ::InternetOpenUrlA(session, url, headers, length, flags, context);
}

TEST_F(Fetch, NoTransferIsKeptInTheSystemsCacheOrCookies) {
  ReplaceCalls({RecordFlags});
  const std::string url = LoopbackUrl("/body?size=3000");
  EXPECT_EQ(FetchToString(url), PatternBody("raw", 3000));
  constexpr DWORD kKeepNothing = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES;
  EXPECT_EQ(g_requestFlags & kKeepNothing, kKeepNothing);
  char entry[4096];
  DWORD size = sizeof entry;
  EXPECT_FALSE(::GetUrlCacheEntryInfoA(
      url.c_str(), reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(entry), &size));
}

// The status query waits until the caller has given up and closed the handles, then answers as if
// it had got through; every call on the handles after that is counted.
std::atomic<bool> g_gaveUp{false};
std::atomic<int> g_callsAfterGiveUp{0};

BOOL WINAPI StatusAfterGiveUp(HINTERNET request, DWORD query, LPVOID buffer, LPDWORD size,
                              LPDWORD index) {
  if (g_gaveUp) {
    ++g_callsAfterGiveUp;
    return FALSE;
  }
  if ((query & HTTP_QUERY_HEADER_MASK) != HTTP_QUERY_STATUS_CODE) {
    return ::HttpQueryInfoA(request, query, buffer, size, index);
  }
  for (int i = 0; i < 100 && !g_gaveUp; ++i) {
    DWORD type = 0;
    DWORD typeSize = sizeof type;
    g_gaveUp = !::InternetQueryOptionA(request, INTERNET_OPTION_HANDLE_TYPE, &type, &typeSize);
    ::Sleep(50);
  }
  *static_cast<DWORD*>(buffer) = HTTP_STATUS_OK;
  return TRUE;
}

BOOL WINAPI CountReadsAfterGiveUp(HINTERNET request, LPVOID buffer, DWORD size, LPDWORD got) {
  if (!g_gaveUp) return ::InternetReadFile(request, buffer, size, got);
  ++g_callsAfterGiveUp;
  *got = 0;
  return FALSE;
}

TEST_F(Fetch, AfterGivingUpTheHelperMakesNoCallOnTheClosedHandles) {
  ReplaceCalls({::InternetOpenUrlA, CountReadsAfterGiveUp, StatusAfterGiveUp});
  g_gaveUp = false;
  g_callsAfterGiveUp = 0;
  EXPECT_EQ(FetchToString(LoopbackUrl("/body?size=10")), "");
  for (int i = 0; i < 50 && !g_gaveUp; ++i) ::Sleep(100);
  ASSERT_TRUE(g_gaveUp);
  ::Sleep(500);  // the helper's time to go on
  EXPECT_EQ(g_callsAfterGiveUp, 0);
}

}  // namespace
