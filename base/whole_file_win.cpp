#include "base/whole_file_win.h"

#include <utility>

#include "base/path.h"
#include "base/seam.h"

namespace {

constexpr char kTemporaryPrefix[] = "kol";
// A virus scanner, the search indexer or a second copy reading the file may hold it open for a
// moment; the rename waits that long rather than failing the save.
constexpr int kRenameAttempts = 6;
constexpr DWORD kRenamePauseMs = 100;

Seam<WriteFileFunction> g_writeFile(::WriteFile);

ScopedFile OpenForWriting(const std::string& path, DWORD disposition) {
  return ScopedFile(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool RenameOver(const std::string& from, const std::string& to) {
  for (int attempt = 1;; ++attempt) {
    if (::MoveFileExA(from.c_str(), to.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = ::GetLastError();
    if (attempt == kRenameAttempts ||
        (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) {
      return false;
    }
    ::Sleep(kRenamePauseMs);
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
  WholeFileWriter writer(path);
  return writer && writer.Write(bytes.data(), bytes.size()) && writer.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  // Shared for deleting too, so that a reader never makes a save's rename fail.
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return true;
}

void RemoveLeftoverTemporaryFiles(const std::string& folder) {
  WIN32_FIND_DATAA found;
  ScopedFind search(
      ::FindFirstFileA(JoinPath(folder, std::string(kTemporaryPrefix) + "*.tmp").c_str(), &found));
  if (!search) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      ::DeleteFileA(JoinPath(folder, found.cFileName).c_str());
    }
  } while (::FindNextFileA(search.Get(), &found));
}

WriteFileFunction SetWriteFileFunction(WriteFileFunction replacement) {
  return g_writeFile.Replace(replacement);
}
