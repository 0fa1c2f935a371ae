#include <gtest/gtest.h>

#include <windows.h>

#include "recent/recent.h"

namespace {

TEST(RecentTableFromAnsi, NamesAndFolderAreConvertedToUtf8) {
  ASSERT_EQ(::GetACP(), 1250u) << "the test session runs Wine with the Polish code page";
  // "\xBF" is ż in code page 1250; in UTF-8 it is C5 BC.
  WallpaperList list;
  list.SetFolders("C:\\U\xBFytkownik\\data", "C:\\U\xBFytkownik\\thumbnails");
  list.Add(
      "\xBF"
      "1.jpg");
  const std::string html = list.RecentTableHtml();
  EXPECT_NE(html.find("<a href='#setwp?%C5%BC1.jpg' >"), std::string::npos) << html;
  EXPECT_NE(html.find("src='file://C:\\U\xC5\xBCytkownik\\thumbnails\\\xC5\xBC"
                      "1.jpg'"),
            std::string::npos)
      << html;
  EXPECT_EQ(html.find('\xBF'), std::string::npos);
}

}  // namespace
