// Whole-file reads and writes for test set-up and checks.
#pragma once

#include <string>

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A file that a whole-file writer left behind ("*.tmp") is in the folder.
bool HoldsTemporaryFile(const std::string& folder);
