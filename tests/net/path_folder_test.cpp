#include <gtest/gtest.h>

#include "net/path_folder.h"

TEST(FolderOf, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(FolderOf("C:\\Users\\a\\kolorowisko\\data\\abc.jpg"),
            "C:\\Users\\a\\kolorowisko\\data\\");
  EXPECT_EQ(FolderOf("C:\\abc.jpg"), "C:\\");
  EXPECT_EQ(FolderOf("C:abc.jpg"), "C:");
  EXPECT_EQ(FolderOf("data/abc.jpg"), "data/");
  EXPECT_EQ(FolderOf("\\\\server\\share\\abc.jpg"), "\\\\server\\share\\");
  EXPECT_EQ(FolderOf("abc.jpg"), ".");
}
