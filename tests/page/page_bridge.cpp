// The program's page logic against the real pages in a browser: a PageDocument whose operations
// are carried out in the page by the Node script that owns it (tests/pages/page_bridge.mjs), one
// JSON line each way. The script sends the browser's events; this program handles each as the
// settings window does and answers {"done":true}. Windows-free, built natively.
//
//   page_bridge <config file> <thumbnails folder> <pages folder address> [<picture name> ...]
//
// Settings are read from and saved to the config file; the recent table lists the pictures in the
// thumbnails folder; the login succeeds for the stand-in account "jan" / "tapeta123". What the
// commands do outside the page goes to the standard error as "action: ..." lines.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/text.h"
#include "page/page.h"
#include "recent/recent_table.h"
#include "settings/settings.h"

namespace {

using nlohmann::json;

// One request to the page and its reply.
json Ask(json request) {
  std::cout << request.dump() << std::endl;
  std::string line;
  if (!std::getline(std::cin, line)) throw std::runtime_error("the page went away");
  return json::parse(line).at("reply");
}

class BrowserPage : public PageDocument {
 public:
  bool SetInputValue(const std::wstring& id, const std::wstring& value) override {
    return Ok({{"op", "setInputValue"}, {"id", Text(id)}, {"value", Text(value)}});
  }
  bool GetInputValue(const std::wstring& id, std::wstring& value) override {
    const json reply = Ask({{"op", "getInputValue"}, {"id", Text(id)}});
    if (!reply.at("ok").get<bool>()) return false;
    value = Utf8ToWide(reply.at("value").get<std::string>());
    return true;
  }
  bool SetCheckbox(const std::wstring& id, bool checked) override {
    return Ok({{"op", "setCheckbox"}, {"id", Text(id)}, {"checked", checked}});
  }
  bool GetCheckbox(const std::wstring& id, bool& checked) override {
    const json reply = Ask({{"op", "getCheckbox"}, {"id", Text(id)}});
    if (!reply.at("ok").get<bool>()) return false;
    checked = reply.at("checked").get<bool>();
    return true;
  }
  bool EnableInput(const std::wstring& id, bool enabled) override {
    return Ok({{"op", "enableInput"}, {"id", Text(id)}, {"enabled", enabled}});
  }
  bool SetSelectIndex(const std::wstring& id, int index) override {
    return Ok({{"op", "setSelectIndex"}, {"id", Text(id)}, {"index", index}});
  }
  bool GetSelectIndex(const std::wstring& id, int& index) override {
    const json reply = Ask({{"op", "getSelectIndex"}, {"id", Text(id)}});
    if (!reply.at("ok").get<bool>()) return false;
    index = reply.at("index").get<int>();
    return true;
  }
  bool EnableSelect(const std::wstring& id, bool enabled) override {
    return Ok({{"op", "enableSelect"}, {"id", Text(id)}, {"enabled", enabled}});
  }
  void ShowElement(const std::wstring& id, bool show) override {
    Ask({{"op", "showElement"}, {"id", Text(id)}, {"show", show}});
  }
  void SetElementHtml(const std::wstring& id, const std::string& html) override {
    Ask({{"op", "setElementHtml"}, {"id", Text(id)}, {"html", html}});
  }

 private:
  static std::string Text(const std::wstring& text) { return WideToUtf8(text); }
  static bool Ok(json request) { return Ask(std::move(request)).at("ok").get<bool>(); }
};

class RecordedActions : public PageActions {
 public:
  RecordedActions(std::string configPath, std::string thumbnails, std::vector<std::string> names)
      : configPath_(std::move(configPath)),
        thumbnails_(std::move(thumbnails)),
        names_(std::move(names)) {}

  void OpenServicePage(const std::string& address) override { Note("open " + address); }
  void ChangeWallpaper(WallpaperPool pool, bool premium) override {
    Note("change " + std::to_string(static_cast<unsigned>(pool)) + (premium ? " premium" : ""));
  }
  void RegisterUrlScheme() override { Note("register"); }
  // Native files have the page's UTF-8 names.
  std::string StoredFileName(const std::string& name) override { return name; }
  void SetStoredWallpaper(const std::string& name) override { Note("set " + name); }
  std::string FetchLoginAnswer(const std::string& url) override {
    Note("login " + url);
    if (url.find("?login=jan&haslo=tapeta123") != std::string::npos) {
      return R"({"logowanie": true, "autoryzacja": "8c1f2e9a5b7d", "odp": "Zalogowano"})";
    }
    return R"({"logowanie": false, "odp": "Błędny login lub hasło"})";
  }
  void ShowLoginMessage(const std::string& text) override { Note("box " + text); }
  void SaveSettings(const SettingsStore& settings) override {
    std::ofstream(configPath_, std::ios::binary) << settings.ToText();
    Note("saved");
  }
  std::string RecentTableHtml() override { return BuildRecentTableHtml(names_, thumbnails_); }

 private:
  static void Note(const std::string& line) { std::cerr << "action: " << line << std::endl; }

  std::string configPath_;
  std::string thumbnails_;
  std::vector<std::string> names_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: page_bridge <config file> <thumbnails folder> <pages folder address> "
                 "[<picture> ...]\n";
    return 2;
  }
  SettingsStore settings;
  std::ifstream config(argv[1], std::ios::binary);
  settings.ReadText(std::string(std::istreambuf_iterator<char>(config), {}));
  RecordedActions actions(argv[1], argv[2], std::vector<std::string>(argv + 4, argv + argc));
  BrowserPage page;
  PageState state;
  bool onOptionsPage = true;
  PageContext context{page, settings, state, onOptionsPage, actions, Utf8ToWide(argv[3])};
  try {
    for (std::string line; std::getline(std::cin, line);) {
      const json message = json::parse(line);
      const std::string event = message.at("event").get<std::string>();
      if (event == "beforeNavigate") {
        OnBeforeNavigate(context, Utf8ToWide(message.at("url").get<std::string>()));
      } else if (event == "documentComplete") {
        OnDocumentComplete(context);
      }
      std::cout << json({{"done", true}}).dump() << std::endl;
    }
  } catch (const std::exception& error) {
    std::cerr << "page_bridge: " << error.what() << std::endl;
    return 1;
  }
  return 0;
}
