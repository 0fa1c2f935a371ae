#include <gtest/gtest.h>

#include <windows.h>

#include "recent/recent_table_win.h"

namespace {

TEST(RecentTableFromAnsi, NamesAndFolderAreConvertedToUtf8) {
  ASSERT_EQ(::GetACP(), 1250u) << "the test session runs Wine with the Polish code page";
  // "\xBF" is ż in code page 1250; in UTF-8 it is C5 BC.
  const std::list<WallpaperEntry> entries = {{"\xBF" "1.jpg", FILETIME{}}};
  const std::string html = RecentTableHtmlFromAnsi(entries, "C:\\U\xBFytkownik\\thumbnails\\");
  EXPECT_NE(html.find("<a href='#setwp?\xC5\xBC" "1.jpg' >"), std::string::npos) << html;
  EXPECT_NE(html.find("src='file://C:\\U\xC5\xBCytkownik\\thumbnails\\\xC5\xBC" "1.jpg'"),
            std::string::npos)
      << html;
  EXPECT_EQ(html.find('\xBF'), std::string::npos);
}

}  // namespace
