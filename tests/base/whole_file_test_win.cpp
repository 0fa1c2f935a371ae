#include <gtest/gtest.h>

#include <windows.h>

#include "base/whole_file_win.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace {

TEST(TemporaryCopy, OfAReadOnlyFileCanBeRemovedAndIsSweptAsALeftover) {
  const TempFolder folder;
  const std::string source = folder.File("dropped.jpg");
  ASSERT_TRUE(WriteFileBytes(source, "picture"));
  ASSERT_TRUE(::SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));

  const std::string copy = CopyToTemporaryFile(source, folder.Path());
  ASSERT_FALSE(copy.empty());
  EXPECT_EQ(ReadFileBytes(copy), "picture");
  EXPECT_FALSE(::GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(::DeleteFileA(copy.c_str()));

  // One left read-only by an older version, and a read-only file that is no temporary one.
  const std::string leftover = folder.File("kolAB12.tmp");
  ASSERT_TRUE(WriteFileBytes(leftover, "half"));
  ASSERT_TRUE(::SetFileAttributesA(leftover.c_str(), FILE_ATTRIBUTE_READONLY));
  RemoveLeftoverTemporaryFiles(folder.Path());
  EXPECT_FALSE(FileExists(leftover));
  EXPECT_TRUE(FileExists(source));
  ::SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
