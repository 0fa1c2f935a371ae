// A fresh folder under the system's temporary folder, removed with its files at scope end.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + "\" + name.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};
