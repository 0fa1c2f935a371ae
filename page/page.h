// Settings page logic: what the program does with the two pages of the settings window. It works
// on the page through PageDocument, which the settings window implements over the browser's
// document (tests use a double or a real page in a browser), and on the settings store. A window
// holds it as one SettingsPageSession (settings_page_session.h).
#pragma once

#include <functional>
#include <string>

#include "wallpaper/pool.h"

class SettingsStore;

// The page logic's view of the document shown in the settings window: form fields and blocks
// found by their ids. Every operation fails quietly (false, or nothing) when the document or the
// element of the right kind cannot be reached.

class PageDocument {
 public:
  // Input elements (text fields and check boxes).
  virtual bool SetInputValue(const std::wstring& id, const std::wstring& value) = 0;
  // Replaces value with the field's text (empty when it has none).
  virtual bool GetInputValue(const std::wstring& id, std::wstring& value) = 0;
  virtual bool SetCheckbox(const std::wstring& id, bool checked) = 0;
  virtual bool GetCheckbox(const std::wstring& id, bool& checked) = 0;
  virtual bool EnableInput(const std::wstring& id, bool enabled) = 0;

  // Select elements (drop-down lists).
  virtual bool SetSelectIndex(const std::wstring& id, int index) = 0;
  virtual bool GetSelectIndex(const std::wstring& id, int& index) = 0;
  virtual bool EnableSelect(const std::wstring& id, bool enabled) = 0;

  // Any element: the page's style classes "show" and "hide" set its visibility.
  virtual void ShowElement(const std::wstring& id, bool show) = 0;
  // html is UTF-8.
  virtual void SetElementHtml(const std::wstring& id, const std::string& html) = 0;

 protected:
  ~PageDocument() = default;
};

// The outcome of the latest login attempt, kept by the settings window.
struct PageState {
  bool loggedIn = false;      // the service accepted the login
  std::string authorization;  // the code the service returned (UTF-8)
  std::string message;        // what to tell the user when the attempt failed (UTF-8)
};

// Both do nothing unless the settings page is the one shown (not the recent page).

// Writes the stored values into the form, enables its fields as the switch and the login allow,
// and shows the login state.
void FillOptionsPage(PageDocument& page, const SettingsStore& settings, bool onOptionsPage);

// Puts the recent wallpapers' table (UTF-8) into the recent page.
void ShowRecentTable(PageDocument& page, const std::string& tableHtml);

// Shows the login fields and buttons, or the logout button, the logged-in line and the user's
// pool groups; then writes the logged-in line (userName, UTF-8, shown as text: its HTML is
// escaped).
void ShowLoginState(PageDocument& page, bool loggedIn, const std::string& userName);

// ShowLoginState for a login or a logout: the pool list also follows the new state, as far as the
// form's switch allows it.
void ShowChangedLoginState(PageDocument& page, bool loggedIn, const std::string& userName);

// What the page commands do outside the page: the settings window gives the program's own
// (page_actions_win.h), tests give doubles.
class PageActions {
 public:
  // A web page (UTF-8 address): one of the service's, or where a link away from the program's
  // pages led; in the user's web browser.
  virtual void OpenServicePage(const std::string& address) = 0;
  // A wallpaper change the user asked for.
  virtual void ChangeWallpaper(WallpaperPool pool, bool premium) = 0;
  virtual void RegisterUrlScheme() = 0;
  // The stored file's name for a picture name from the page (UTF-8), in the form the files have;
  // empty when no stored file can have it.
  virtual std::string StoredFileName(const std::string& name) = 0;
  // Sets the stored wallpaper of that file name (as StoredFileName gave it, and the picture-name
  // rule accepts) again.
  virtual void SetStoredWallpaper(const std::string& fileName) = 0;
  // The login answer's body; empty when nothing could be fetched.
  virtual std::string FetchLoginAnswer(const std::string& url) = 0;
  // Tells the user why the login failed (UTF-8).
  virtual void ShowLoginMessage(const std::string& text) = 0;
  virtual void SaveSettings(const SettingsStore& settings) = 0;
  // The recent page's table (UTF-8).
  virtual std::string RecentTableHtml() = 0;

 protected:
  ~PageActions() = default;
};

// Everything a page event works on: the shown document, the settings, the login state, which of
// the two pages is shown or being loaded, the actions outside the page, and the address of the
// folder that holds the program's own pages (for the program, "res://" + its path + "/").
struct PageContext {
  PageDocument& page;
  SettingsStore& settings;
  PageState& state;
  bool& onOptionsPage;
  PageActions& actions;
  std::wstring pagesFolder;
};

// Whether url is one of the program's own pages, "opcje.html" or "ostatnie.html" in pagesFolder,
// with any anchor. Both are compared with escapes undone, "\" and "/" alike and ASCII letters in
// either case, as the browser may write an address it was given.
bool IsOwnPage(const std::wstring& url, const std::wstring& pagesFolder);

// The browser is about to navigate to url. On the program's own pages the anchor it names is the
// page's command, and the navigation goes on (true). Any other address is no command: the
// navigation is to be cancelled (false), and a web address opens in the user's web browser.
bool OnBeforeNavigate(PageContext& context, const std::wstring& url);
// A document has finished loading: the settings page gets the stored values, the recent page its
// table.
void OnDocumentComplete(PageContext& context);

// The anchor of a navigated address: from its last "#" to the end, or the whole address. The
// address is narrowed first (characters up to U+00FF become that byte, others "?") and cut at
// 1023 bytes.
std::string NavigationAnchor(const std::wstring& url);
// Runs the command that the anchor names; an anchor that names none is ignored.
void RunPageCommand(PageContext& context, const std::string& anchor);

// Reads the settings page's form into the context's store, disabled fields included; a field that
// cannot be read leaves its key alone. Then saves the store, whether or not anything changed
// ("#save", leaving the page, closing the window). Nothing while the recent page is shown.
void SaveOptionsForm(PageContext& context);

// The "#zaloguj" and "#wyloguj" commands.
void LogIn(PageContext& context);
void LogOut(PageContext& context);
// The login request's address: login and password (UTF-8) as query values.
std::string LoginRequestUrl(const std::string& login, const std::string& password);
// Sends the login request through fetch and fills state from the answer.
void RequestLogin(PageState& state, const std::string& login, const std::string& password,
                  const std::function<std::string(const std::string& url)>& fetch);
// Fills state from the login answer's body: one JSON value, read strictly.
void ReadLoginAnswer(const std::string& body, PageState& state);
