#include "net/replacement_file_win.h"

#include <utility>

#include "net/path_folder.h"

ReplacementFile::ReplacementFile(const std::string& destination) : destination_(destination) {
  char name[MAX_PATH];
  // GetTempFileNameA creates the file under a name that no other transfer holds, even one that a
  // stalled transfer to the same destination still has open.
  if (!::GetTempFileNameA(FolderOf(destination).c_str(), "kol", 0, name)) return;
  temporary_ = name;
  file_.Reset(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) Discard();
}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : destination_(std::move(other.destination_)),
      temporary_(std::exchange(other.temporary_, std::string())),
      file_(std::move(other.file_)) {}

ReplacementFile& ReplacementFile::operator=(ReplacementFile&& other) noexcept {
  if (this != &other) {
    Discard();
    destination_ = std::move(other.destination_);
    temporary_ = std::exchange(other.temporary_, std::string());
    file_ = std::move(other.file_);
  }
  return *this;
}

ReplacementFile::~ReplacementFile() {
  Discard();
}

bool ReplacementFile::Write(const char* data, std::size_t size) {
  DWORD written = 0;
  return ::WriteFile(file_.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
         written == size;
}

bool ReplacementFile::Commit() {
  if (!file_) return false;
  file_.Reset();
  if (!::MoveFileExA(temporary_.c_str(), destination_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return false;
  }
  temporary_.clear();
  return true;
}

void ReplacementFile::Discard() {
  file_.Reset();
  if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
  temporary_.clear();
}
