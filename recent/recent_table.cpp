#include "recent/recent_table.h"

#include "base/path.h"

namespace {

constexpr int kThumbnailsPerRow = 5;
// The page's table expects seven cells in its last row, two beyond a full row of thumbnails.
constexpr int kLastRowCells = 7;

// Picture names may hold "'" and "&": as they are, they would end the attribute or start an
// entity. The browser undoes the escaping, so the anchor carries the name itself.
std::string AttributeText(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::string BuildRecentTableHtml(const std::vector<std::string>& names,
                                 const std::string& thumbnailsFolder) {
  std::string html = "<table><tbody><tr>";
  int cell = -1;
  for (const std::string& name : names) {
    if (++cell >= kThumbnailsPerRow) {
      html += "</tr><tr>";
      cell = 0;
    }
    html += "<td> <a href='#setwp?" + AttributeText(name) + "' ><img src='file://" +
            AttributeText(JoinPath(thumbnailsFolder, name)) +
            "' width='120' height='100'></a></td>\n";
  }
  for (int usedCells = cell + 1; usedCells < kLastRowCells; ++usedCells) html += "<td></td>";
  return html + "</tr></tbody></table>";
}
