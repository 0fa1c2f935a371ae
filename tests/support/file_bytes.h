// Whole-file reads and writes for test set-up and checks.
#pragma once

#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names in the folder that match pattern, "." and ".." left out, in the order that the file
// system's search gives them. Compared with EXPECT_EQ or IsEmpty(), a failure says what was found.
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern = "*");
// What a whole-file writer leaves behind when it fails halfway.
inline std::vector<std::string> TemporaryFilesIn(const std::string& folder) {
  return FilesIn(folder, "*.tmp");
}
