// The three transfers. Each runs its WinINet calls on a helper thread (see net/idle_bound.h):
// Wine ignores WinINet's time-outs and cannot cancel a blocked call, so the calling thread waits
// only as long as bytes keep arriving. Everything a helper touches is its own: the address, its
// handles, its buffer, and the body or temporary file it hands back.
//
// Progress shows when a read returns, and WinINet returns only with a full chunk or at the end of
// the body: a link slower than one chunk per idle bound (about 550 bytes/s for 16 KB in 30 s)
// counts as stalled.
#include "net/fetch_win.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "base/log.h"
#include "base/seam.h"
#include "base/whole_file_win.h"
#include "image/image.h"
#include "net/body_reader.h"
#include "net/image_body.h"
#include "net/secure_transfer.h"
#include "net/service_address.h"
#include "net/wininet_get_win.h"

namespace {

Seam<std::chrono::milliseconds> g_fetchIdleBound(kFetchIdleBound);
Seam<std::chrono::milliseconds> g_fetchDeadline(kFetchDeadline);
Seam<WinInetCalls> g_winInetCalls{WinInetCalls()};

constexpr std::size_t kFileChunk = 16384;
constexpr std::size_t kStringChunk = 4096;
constexpr std::size_t kImageChunk = 8192;

// How far a transfer got, shared by its helper and the caller: what tells the failures apart.
struct TransferProgress {
  std::atomic<bool> answered{false};  // the server sent its headers
  std::atomic<bool> givenUp{false};   // the caller stopped waiting
  std::atomic<bool> notImage{false};  // the body came whole, but not as a whole image
  // The answer was not taken: the WinINet error of a certificate not accepted, or an https
  // request that ended over http.
  std::atomic<unsigned long> certificateError{0};
  std::atomic<bool> redirectedToHttp{false};
};

// One GET as the helper carries it out, copied from the caller's settings when it starts.
struct TransferJob {
  std::string url;
  WinInetCalls calls = g_winInetCalls.Get();
  std::chrono::milliseconds idleBound = g_fetchIdleBound.Get();
  std::shared_ptr<TransferProgress> progress = std::make_shared<TransferProgress>();
};

// Why the job gave no result. An answer refused for its security is logged here, on the
// caller's thread; to the caller it is a connection that failed.
FetchFailure FailureOf(const TransferJob& job) {
  if (job.progress->certificateError) {
    WriteLog(CertificateRefusalText(job.progress->certificateError, job.url));
  } else if (job.progress->redirectedToHttp) {
    WriteLog(RedirectedToHttpText(job.url));
  }
  if (job.progress->givenUp) return FetchFailure::TimeOut;
  if (job.progress->notImage) return FetchFailure::NotImage;
  return job.progress->answered ? FetchFailure::Broken : FetchFailure::NoConnection;
}

void Tell(FetchFailure* failure, FetchFailure why) {
  if (failure) *failure = why;
}

using TraceLine = std::function<void(const std::string&)>;

void NoTrace(const std::string&) {}

// Opens the session and the URL, then reads the whole body into sink.
bool GetWholeBody(const TransferJob& job, char* buffer, std::size_t size, BodySink& sink,
                  IdleWatch& watch, const TraceLine& trace) {
  WinInetGet get(job.calls);
  // A caller that gives up closes the handles: Windows then ends a call blocked on them.
  watch.OnGiveUp([cancel = get.Canceller(), progress = job.progress] {
    progress->givenUp = true;
    cancel();
  });
  if (!get.OpenSession(job.idleBound)) {
    trace("connection null\n");
    return false;
  }
  trace("connection ok\n");
  if (!get.OpenUrl(job.url)) {
    job.progress->certificateError = get.CertificateError();
    job.progress->redirectedToHttp = get.RedirectedToHttp();
    trace("internet null\n");
    return false;
  }
  trace("internet ok\n");
  job.progress->answered = true;
  watch.NoteProgress();  // the headers have arrived
  return ReadWholeBody(get, buffer, size, sink, watch);
}

class FileBody : public BodySink {
 public:
  FileBody(WholeFileWriter& file, std::size_t maxBytes) : file_(file), left_(maxBytes) {}
  bool Take(const char* data, std::size_t count) override {
    if (count > left_) return false;
    left_ -= count;
    completeness.Feed(reinterpret_cast<const unsigned char*>(data), count);
    return file_.Write(data, count);
  }

  ImageCompleteness completeness;

 private:
  WholeFileWriter& file_;
  std::size_t left_;
};

// The helpers' work, each owning what it is given. A file whose transfer fails is removed when
// the function returns, before the caller hears of the failure; a result that comes after the
// caller gave up is dropped on the helper thread.

std::optional<WholeFileWriter> ReceiveFile(const TransferJob& job, WholeFileWriter file,
                                           std::size_t maxBytes, bool wholeImage,
                                           IdleWatch& watch) {
  FileBody body(file, maxBytes);
  char buffer[kFileChunk];
  if (!GetWholeBody(job, buffer, sizeof buffer, body, watch, NoTrace)) return std::nullopt;
  if (wholeImage && !body.completeness.Whole()) {
    job.progress->notImage = true;
    return std::nullopt;
  }
  return file;
}

std::optional<std::string> ReceiveString(const TransferJob& job, std::size_t maxBytes,
                                         IdleWatch& watch) {
  StringBody body(maxBytes);
  char buffer[kStringChunk];
  if (!GetWholeBody(job, buffer, sizeof buffer, body, watch, NoTrace)) return std::nullopt;
  return std::move(body.bytes);
}

// An image body as its helper hands it back: the temporary file it went to as it arrived, and
// whether every byte reached it.
struct ReceivedImage {
  WholeFileWriter file;
  bool written = false;
};

// The body goes to the file as it arrives: holding 10 MiB in memory and writing it afterwards
// made the whole fetch take a quarter longer. A file that could not be created, or a
// write that fails, does not stop the transfer, so the trace tells the same story as when the
// file was written after it.
std::optional<ReceivedImage> ReceiveImage(const TransferJob& job, WholeFileWriter file,
                                          std::size_t maxBytes,
                                          const std::shared_ptr<ImageTrace>& trace,
                                          IdleWatch& watch) {
  const TraceLine line = [trace](const std::string& text) { trace->Line(text); };
  ReceivedImage received{std::move(file)};
  received.written = static_cast<bool>(received.file);
  ImageBody body(maxBytes, line, [&received](const char* data, std::size_t count) {
    if (received.written) received.written = received.file.Write(data, count);
    return true;
  });
  char buffer[kImageChunk];
  if (!GetWholeBody(job, buffer, sizeof buffer, body, watch, line) || !body.Whole()) {
    return std::nullopt;
  }
  return received;
}

// No exception leaves the subsystem: running out of memory or threads is a failed transfer.
template <typename Result, typename Transfer>
Result Guarded(Result failed, Transfer transfer) {
  try {
    return transfer();
  } catch (...) {
    return failed;
  }
}

bool FetchFile(const std::string& url, const std::string& path, std::size_t maxBytes,
               bool wholeImage, FetchFailure* failure) {
  Tell(failure, FetchFailure::Broken);
  return Guarded(false, [&] {
    WholeFileWriter file(path);
    if (!file) return false;
    const TransferJob job{url};
    std::optional<WholeFileWriter> received = RunWithBounds(
        g_fetchIdleBound.Get(), g_fetchDeadline.Get(),
        [job, file = std::move(file), maxBytes, wholeImage](IdleWatch& watch) mutable {
          return ReceiveFile(job, std::move(file), maxBytes, wholeImage, watch);
        });
    if (!received) Tell(failure, FailureOf(job));
    // Only this thread moves a file into place.
    if (!received || !received->Commit()) return false;
    Tell(failure, FetchFailure::None);
    return true;
  });
}

}  // namespace

bool FetchToFile(const std::string& url, const std::string& path, std::size_t maxBytes) {
  return FetchFile(url, path, maxBytes, false, nullptr);
}

bool FetchImageToFile(const std::string& url, const std::string& path, std::size_t maxBytes,
                      FetchFailure* failure) {
  return FetchFile(url, path, maxBytes, true, failure);
}

std::string FetchToString(const std::string& url, std::size_t maxBytes, FetchFailure* failure) {
  Tell(failure, FetchFailure::Broken);
  return Guarded(std::string(), [&] {
    const TransferJob job{url};
    std::optional<std::string> received = RunWithBounds(
        g_fetchIdleBound.Get(), g_fetchDeadline.Get(),
        [job, maxBytes](IdleWatch& watch) { return ReceiveString(job, maxBytes, watch); });
    Tell(failure, received ? FetchFailure::None : FailureOf(job));
    return received ? std::move(*received) : std::string();
  });
}

bool FetchImage(std::string& url, const std::string& path, size_t maxBytes, FetchFailure* failure) {
  Tell(failure, FetchFailure::Broken);
  return Guarded(false, [&] {
    ApplyHttpScheme(url);
    auto trace = std::make_shared<ImageTrace>();
    const TransferJob job{url};
    std::optional<ReceivedImage> received = RunWithBounds(
        g_fetchIdleBound.Get(), g_fetchDeadline.Get(),
        [job, file = WholeFileWriter(path), maxBytes, trace](IdleWatch& watch) mutable {
          return ReceiveImage(job, std::move(file), maxBytes, trace, watch);
        });
    if (!received) {
      Tell(failure, FailureOf(job));
      trace->LastLine("nothing to write\n");
      return false;
    }
    // QUIRK: the trace's fixed texts, as spelt; whoever reads a trace matches them so.
    trace->Line("write fo file\n");
    if (!received->file) return false;
    trace->Line("write fo file ok\n");
    // Only this thread moves a file into place.
    if (!received->written || !received->file.Commit()) return false;
    Tell(failure, FetchFailure::None);
    return true;
  });
}

std::chrono::milliseconds SetFetchIdleBound(std::chrono::milliseconds replacement) {
  return g_fetchIdleBound.Replace(replacement);
}

std::chrono::milliseconds SetFetchDeadline(std::chrono::milliseconds replacement) {
  return g_fetchDeadline.Replace(replacement);
}

WinInetCalls SetWinInetCalls(WinInetCalls replacement) {
  return g_winInetCalls.Replace(replacement);
}
