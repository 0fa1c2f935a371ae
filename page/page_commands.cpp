// What the pages' anchors make the program do.
#include <string>

#include "base/text.h"
#include "net/service_address.h"
#include "page/page.h"
#include "settings/settings.h"
#include "recent/picture_name.h"
#include "settings/settings_snapshots.h"

namespace {

// Longer addresses were cut before the anchor was looked for.
constexpr std::size_t kMaxAddressBytes = 1023;
constexpr char kSetWallpaper[] = "#setwp?";

struct PageAddress {
  const char* anchor;
  const char* path;
};

// Pages that need nothing but their path.
constexpr PageAddress kServicePages[] = {
    {"#get_code", "/menu_program.html"},
    {"#kolorowisko", "/?ref=program"},
    {"#zobacz_kategorie", "/menu_ulubione_kategorie.html"},
    {"#zobacz_super", "/"},
};

// The user's own pages: the path is followed by "USER", even an empty one, escaped so that any
// name reaches the service whole.
constexpr PageAddress kUserPages[] = {
    {"#zobacz_ulubione", "/ulubione-tapety-"},
    {"#zobacz_dodane", "/tapety-"},
};

struct PoolDraw {
  const char* anchor;
  WallpaperPool pool;
};

constexpr PoolDraw kPoolDraws[] = {
    {"#losuj_ulubione", WallpaperPool::FavouriteWallpapers},
    {"#losuj_dodane", WallpaperPool::Added},
    {"#losuj_kategorie", WallpaperPool::FavouriteCategories},
    {"#losuj_super", WallpaperPool::Super},
    {"#losuj_all", WallpaperPool::All},
};

// The current wallpaper's page, to view, comment on, rate or add it to the favourites.
constexpr const char* kCurrentWallpaperAnchors[] = {"#zobacz", "#skomentuj", "#ocen",
                                                    "#add_ulubione"};

// "USER" as a query value: letters beyond ASCII, "#", "&", "%" and spaces would garble or cut the
// address.
std::string UserSetting(const SettingsStore& settings) {
  return EscapeQueryValue(ReadServiceLinkSettings(settings).user);
}

bool OpenListedPage(PageContext& context, const std::string& anchor) {
  for (const PageAddress& page : kServicePages) {
    if (anchor == page.anchor) {
      context.actions.OpenServicePage(ServiceUrl(page.path));
      return true;
    }
  }
  for (const PageAddress& page : kUserPages) {
    if (anchor == page.anchor) {
      context.actions.OpenServicePage(ServiceUrl(page.path + UserSetting(context.settings)));
      return true;
    }
  }
  return false;
}

bool DrawFromPool(PageContext& context, const std::string& anchor) {
  for (const PoolDraw& draw : kPoolDraws) {
    if (anchor == draw.anchor) {
      context.actions.ChangeWallpaper(draw.pool, IsPremiumPool(draw.pool));
      return true;
    }
  }
  return false;
}

bool OpenCurrentWallpaperPage(PageContext& context, const std::string& anchor) {
  for (const char* current : kCurrentWallpaperAnchors) {
    if (anchor != current) continue;
    const int id = ReadServiceLinkSettings(context.settings).currentId;
    if (id > 0) context.actions.OpenServicePage(WallpaperPageAddress(id));
    return true;
  }
  return false;
}

// An address compared as the browser may have written it: escapes undone, one kind of slash,
// ASCII letters in lower case.
std::string ComparableAddress(const std::wstring& address) {
  std::string text = UnescapeQueryValue(WideToUtf8(address));
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return LowerAscii(text);
}

bool IsWebAddress(const std::wstring& url) {
  const std::string scheme = LowerAscii(WideToUtf8(url.substr(0, 8)));
  return scheme.compare(0, 7, "http://") == 0 || scheme == "https://";
}

void SetStoredWallpaper(PageContext& context, const std::string& name) {
  // The name comes from the page's address: only a stored picture's name may reach the files,
  // never the data folder itself or a path out of it. The rule is the one the list was made by,
  // on the form the files have.
  const std::string fileName = context.actions.StoredFileName(name);
  if (fileName.empty() || !IsSafePictureName(fileName)) return;
  context.actions.SetStoredWallpaper(fileName);
}

}  // namespace

std::string NavigationAnchor(const std::wstring& url) {
  // UTF-8, as the recent table wrote the picture names it links to; the anchors themselves are
  // ASCII. The cut never splits a character.
  std::string address = WideToUtf8(url);
  if (address.size() > kMaxAddressBytes) {
    std::size_t end = kMaxAddressBytes;
    while (end > 0 && (static_cast<unsigned char>(address[end]) & 0xC0) == 0x80) --end;
    address.resize(end);
  }
  const std::size_t hash = address.rfind('#');
  return hash == std::string::npos ? address : address.substr(hash);
}

bool IsOwnPage(const std::wstring& url, const std::wstring& pagesFolder) {
  // The anchor is the page's own business; the address before it names the document.
  const std::string document = ComparableAddress(url.substr(0, url.find(L'#')));
  const std::string folder = ComparableAddress(pagesFolder);
  if (folder.empty() || document.compare(0, folder.size(), folder) != 0) return false;
  const std::string page = document.substr(folder.size());
  return page == "opcje.html" || page == "ostatnie.html";
}

bool OnBeforeNavigate(PageContext& context, const std::wstring& url) {
  // A foreign document in the control (a link dragged onto the window, say) could otherwise
  // drive the program through the anchors, and would be shown the user's name.
  if (!IsOwnPage(url, context.pagesFolder)) {
    if (IsWebAddress(url)) context.actions.OpenServicePage(WideToUtf8(url));
    return false;
  }
  const std::string anchor = NavigationAnchor(url);
  if (anchor == "#zaloguj") {
    LogIn(context);
  } else if (anchor == "#wyloguj") {
    LogOut(context);
  } else if (anchor == "#ostatnie") {
    // What was typed into the form would be lost with the page: it is saved as on closing.
    SaveOptionsForm(context);
    context.onOptionsPage = false;
  } else if (anchor == "#wroc") {
    context.onOptionsPage = true;
  } else {
    RunPageCommand(context, anchor);
  }
  return true;
}

void OnDocumentComplete(PageContext& context) {
  // Whichever frame completed: the page that is shown gets its content.
  if (context.onOptionsPage) {
    FillOptionsPage(context.page, context.settings, context.onOptionsPage);
  } else {
    ShowRecentTable(context.page, context.actions.RecentTableHtml());
  }
}

void RunPageCommand(PageContext& context, const std::string& anchor) {
  if (anchor == "#add_protocol") {
    context.actions.RegisterUrlScheme();
  } else if (OpenListedPage(context, anchor) || DrawFromPool(context, anchor) ||
             OpenCurrentWallpaperPage(context, anchor)) {
    return;
  } else if (anchor == "#user") {
    const std::string user = UserSetting(context.settings);
    if (!user.empty())
      context.actions.OpenServicePage(FormattedAddress(ServiceUrl("/user_" + user)));
  } else if (anchor.compare(0, sizeof kSetWallpaper - 1, kSetWallpaper) == 0) {
    SetStoredWallpaper(context, UnescapeQueryValue(anchor.substr(sizeof kSetWallpaper - 1)));
  } else if (anchor == "#save") {
    SaveOptionsForm(context);
  }
}
