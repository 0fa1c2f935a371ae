#include "base/whole_file_win.h"

#include <utility>

#include "base/path.h"
#include "base/seam.h"

namespace {

constexpr char kTemporaryPrefix[] = "kol";
// A virus scanner, the search indexer or a second copy reading the file may hold it open for a
// moment; a save's rename and a read wait that long rather than failing.
constexpr int kHeldAttempts = 6;
constexpr DWORD kHeldPauseMs = 100;

Seam<WriteFileFunction> g_writeFile(::WriteFile);
Seam<ReadFileFunction> g_readFile(::ReadFile);

// Tries again while the failure (GetLastError) says that someone holds the file.
template <typename Attempt>
bool WhileHeld(Attempt attempt) {
  for (int n = 1;; ++n) {
    if (attempt()) return true;
    const DWORD error = ::GetLastError();
    if (n == kHeldAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION &&
                               error != ERROR_LOCK_VIOLATION)) {
      return false;
    }
    ::Sleep(kHeldPauseMs);
  }
}

ScopedFile OpenForWriting(const std::string& path, DWORD disposition) {
  return ScopedFile(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool RenameOver(const std::string& from, const std::string& to) {
  return WhileHeld([&] {
    return ::MoveFileExA(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
}

// The whole file, or nothing when it cannot be opened or a read fails part-way.
bool ReadOnce(const std::string& path, std::string& bytes) {
  // Shared for deleting too, so that a reader never makes a save's rename fail.
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!g_readFile.Get()(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
      const DWORD error = ::GetLastError();  // for WhileHeld, past the close
      file.Reset();
      ::SetLastError(error);
      return false;
    }
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

}  // namespace

WholeFileWriter::WholeFileWriter(const std::string& destination) : destination_(destination) {
  // An empty path names no file; its folder would be the current one.
  if (destination.empty()) return;
  char name[MAX_PATH];
  // GetTempFileNameA creates the file, so the name is ours until it is removed.
  if (!::GetTempFileNameA(FolderOf(destination).c_str(), kTemporaryPrefix, 0, name)) return;
  temporary_ = name;
  file_ = OpenForWriting(temporary_, TRUNCATE_EXISTING);
  if (!file_) Discard();
}

WholeFileWriter::WholeFileWriter(WholeFileWriter&& other) noexcept
    : destination_(std::move(other.destination_)),
      temporary_(std::exchange(other.temporary_, std::string())),
      file_(std::move(other.file_)) {}

WholeFileWriter& WholeFileWriter::operator=(WholeFileWriter&& other) noexcept {
  if (this != &other) {
    Discard();
    destination_ = std::move(other.destination_);
    temporary_ = std::exchange(other.temporary_, std::string());
    file_ = std::move(other.file_);
  }
  return *this;
}

WholeFileWriter::~WholeFileWriter() { Discard(); }

bool WholeFileWriter::Write(const char* data, std::size_t size) {
  if (!file_) return false;
  DWORD written = 0;
  return g_writeFile.Get()(file_.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
         written == size;
}

const std::string& WholeFileWriter::HandOverTemporaryPath() {
  file_.Reset();
  return temporary_;
}

bool WholeFileWriter::Commit() {
  if (temporary_.empty()) return false;
  // A file that another writer filled by name is opened again to reach the disk.
  if (!file_) file_ = OpenForWriting(temporary_, OPEN_EXISTING);
  const bool flushed = file_ && ::FlushFileBuffers(file_.Get());
  file_.Reset();
  if (!flushed || !RenameOver(temporary_, destination_)) {
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

void WholeFileWriter::Discard() {
  file_.Reset();
  if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
  temporary_.clear();
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  DWORD error = ERROR_SUCCESS;
  {
    WholeFileWriter writer(path);
    if (writer && writer.Write(bytes.data(), bytes.size()) && writer.Commit()) return true;
    error = ::GetLastError();
  }
  // The failed call's code, not that of removing the temporary file after it.
  ::SetLastError(error);
  return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::string read;
  if (!WhileHeld([&] {
        read.clear();
        return ReadOnce(path, read);
      })) {
    return false;
  }
  bytes += read;
  return true;
}

std::string CopyToTemporaryFile(const std::string& source, const std::string& folder) {
  char name[MAX_PATH];
  // Without a folder the name would be made in the current one.
  if (folder.empty() || !::GetTempFileNameA(folder.c_str(), kTemporaryPrefix, 0, name)) return "";
  // The copy must not keep a read-only source's attribute: it could never be removed.
  if (::CopyFileA(source.c_str(), name, FALSE) &&
      ::SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL)) {
    return name;
  }
  ::SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(name);
  return "";
}

void RemoveLeftoverTemporaryFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  ScopedFind search(
      ::FindFirstFileA(JoinPath(folder, std::string(kTemporaryPrefix) + "*.tmp").c_str(), &found));
  if (!search) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      const std::string path = JoinPath(folder, found.cFileName);
      // A copy of a read-only file that an older version left would stay for good.
      if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      }
      ::DeleteFileA(path.c_str());
    }
  } while (::FindNextFileA(search.Get(), &found));
}

WriteFileFunction SetWriteFileFunction(WriteFileFunction replacement) {
  return g_writeFile.Replace(replacement);
}

ReadFileFunction SetReadFileFunction(ReadFileFunction replacement) {
  return g_readFile.Replace(replacement);
}
