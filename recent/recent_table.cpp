#include "recent/recent_table.h"

#include "base/path.h"
#include "base/text.h"
#include "base/address_text.h"

namespace {

constexpr int kThumbnailsPerRow = 5;
// The page's table expects seven cells in its last row, two beyond a full row of thumbnails.
constexpr int kLastRowCells = 7;

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
    // The anchor carries the name escaped: a browser may deliver letters beyond ASCII in any
    // form, and "#" would end the anchor early.
    html += "<td> <a href='#setwp?" + EscapeHtml(EscapeQueryValue(name)) + "' ><img src='file://" +
            EscapeHtml(FileAddressPath(JoinPath(thumbnailsFolder, name))) +
            "' width='120' height='100'></a></td>\n";
  }
  for (int usedCells = cell + 1; usedCells < kLastRowCells; ++usedCells) html += "<td></td>";
  return html + "</tr></tbody></table>";
}
