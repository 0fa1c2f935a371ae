#include <gtest/gtest.h>

#include "base/path.h"

namespace {

struct PathCase {
  const char* path;
  const char* folder;
};

TEST(FolderOf, NamesTheFolderWithoutItsSeparatorButKeepsARoot) {
  const PathCase cases[] = {
      {"C:\\Users\\a\\kolorowisko\\data\\abc.jpg", "C:\\Users\\a\\kolorowisko\\data"},
      {"C:\\abc.jpg", "C:\\"},
      {"C:abc.jpg", "C:"},
      {"data/abc.jpg", "data"},
      {"\\\\server\\share\\abc.jpg", "\\\\server\\share"},
      {"\\abc.jpg", "\\"},
      {"abc.jpg", "."},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FolderOf(c.path), c.folder);
  }
}

TEST(JoinPath, PutsOneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(JoinPath("C:\\data", "a.jpg"), "C:\\data\\a.jpg");
  EXPECT_EQ(JoinPath("C:\\", "a.jpg"), "C:\\a.jpg");
  EXPECT_EQ(JoinPath(FolderOf("C:\\data\\b.jpg"), "a.jpg"), "C:\\data\\a.jpg");
  EXPECT_EQ(JoinPath("", "config.dat"), "");  // no folder, no file: not the drive's root
}

}  // namespace
