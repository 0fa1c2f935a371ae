#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recent/recent_table.h"

namespace {

constexpr char kFolder[] = "C:\\Users\\jan\\AppData\\Local\\kolorowisko\\thumbnails";
constexpr char kOpen[] = "<table><tbody><tr>";
constexpr char kClose[] = "</tr></tbody></table>";

// anchorName: the name as its link carries it, when that differs from the file's.
std::string Cell(const std::string& name, const std::string& anchorName = "") {
  return "<td> <a href='#setwp?" + (anchorName.empty() ? name : anchorName) +
         "' ><img src='file://" + kFolder + "\\" + name + "' width='120' height='100'></a></td>\n";
}

std::string Empty(int count) {
  std::string cells;
  for (int i = 0; i < count; ++i) cells += "<td></td>";
  return cells;
}

TEST(RecentTable, NoEntriesGiveOneRowOfSevenEmptyCells) {
  EXPECT_EQ(BuildRecentTableHtml({}, kFolder), kOpen + Empty(7) + kClose);
}

TEST(RecentTable, OneEntryLinksToItsAnchorAndShowsItsThumbnail) {
  const std::string html = BuildRecentTableHtml({"7.jpg"}, kFolder);
  EXPECT_EQ(html, kOpen + Cell("7.jpg") + Empty(6) + kClose);
  EXPECT_NE(html.find("<a href='#setwp?7.jpg' ><img src='file://C:\\Users\\jan\\AppData\\Local"
                      "\\kolorowisko\\thumbnails\\7.jpg' width='120' height='100'></a></td>\n"),
            std::string::npos);
}

TEST(RecentTable, FiveToARowAndTheLastRowFilledToSevenCells) {
  const std::vector<std::string> five = {"5.jpg", "4.jpg", "3.jpg", "2.jpg", "1.jpg"};
  std::string row;
  for (const std::string& name : five) row += Cell(name);
  EXPECT_EQ(BuildRecentTableHtml(five, kFolder), kOpen + row + Empty(2) + kClose);

  std::vector<std::string> six = five;
  six.push_back("0.jpg");
  EXPECT_EQ(BuildRecentTableHtml(six, kFolder),
            kOpen + row + "</tr><tr>" + Cell("0.jpg") + Empty(6) + kClose);

  const std::vector<std::string> ten = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
  EXPECT_EQ(BuildRecentTableHtml(ten, kFolder),
            kOpen + Cell("a") + Cell("b") + Cell("c") + Cell("d") + Cell("e") + "</tr><tr>" +
                Cell("f") + Cell("g") + Cell("h") + Cell("i") + Cell("j") + Empty(2) + kClose);
}

TEST(RecentTable, NamesGoInEscapedForTheirAttributesAndRepeatsStay) {
  const std::string odd = "a'b&amp \"c#1%\xC5\xBC.jpg";  // the last letter is ż in UTF-8
  // In the thumbnail's file address "#" and "%" are escaped too.
  const std::string escaped = "a&#39;b&amp;amp &quot;c%231%25\xC5\xBC.jpg";
  // The anchor's name is escaped as a query value first: nothing in it ends the anchor or
  // depends on how a browser passes on letters beyond ASCII.
  const std::string anchor = "a&#39;b%26amp%20&quot;c%231%25%C5%BC.jpg";
  EXPECT_EQ(BuildRecentTableHtml({odd, odd}, kFolder),
            kOpen + Cell(escaped, anchor) + Cell(escaped, anchor) + Empty(5) + kClose);
}

}  // namespace
