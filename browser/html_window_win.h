// The settings window's one object: it creates the window, embeds the web-browser control in it,
// receives the control's events and offers the page logic the page's document.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <wrl/client.h>

#include <deque>
#include <memory>
#include <string>

#include "page/page.h"
#include "page/page_actions_win.h"

class DocHostUiHandler;
class OleClientSite;
class OleInPlaceFrame;
class OleInPlaceSite;
class SettingsStore;
class Storage;
class WallpaperList;

constexpr char kSettingsWindowClass[] = "Kolorowisko_konfig_html";
constexpr char kSettingsWindowTitle[] = "Kolorowisko";
constexpr int kSettingsClientWidth = 745;
constexpr int kSettingsClientHeight = 425;
// A caption, a system menu and a minimise box; no sizing frame, no maximise box.
constexpr DWORD kSettingsWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class HTMLWindow : public virtual DWebBrowserEvents2, public PageDocument {
 public:
  // Creates and shows the window, embeds the control and starts loading pageUrl (ANSI). The
  // object exists whatever fails on the way. Neither settings nor wallpapers is owned.
  HTMLWindow(const std::string& pageUrl, HINSTANCE instance, SettingsStore* settings,
             WallpaperList* wallpapers);
  // Closes the control and frees the host objects before OLE is uninitialised; the window itself
  // is its caller's.
  virtual ~HTMLWindow();
  HTMLWindow(const HTMLWindow&) = delete;
  HTMLWindow& operator=(const HTMLWindow&) = delete;

  // IUnknown and IDispatch: the control's DWebBrowserEvents2 sink. Not reference-counted.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // A failure on the way to a shown page ends where it happens: the object exists either way, and
  // a later opening only shows its window. Message boxes tell only of the events' sink and of the
  // control's size.

  // True when the window shows the embedded control (OLE, the window, the control in place).
  bool CreateHostWindow(const char* title);
  // True when the control is created and active in place in the window.
  bool EmbedBrowser();
  // Connects this object to the control's events; failures are reported in message boxes.
  void AddSink();
  // Starts loading url (ANSI). The control reports a failed load itself (NavigateError).
  void Navigate(const std::string& url);
  void ResizeBrowser(int width, int height);
  // Replaces the shown document with html (ANSI). A document that cannot be reached or refuses
  // the text stays as it was.
  void WriteDocument(const std::string& html);

  // PageDocument, over the control's current document.
  bool SetInputValue(const std::wstring& id, const std::wstring& value) override;
  bool GetInputValue(const std::wstring& id, std::wstring& value) override;
  bool SetCheckbox(const std::wstring& id, bool checked) override;
  bool GetCheckbox(const std::wstring& id, bool& checked) override;
  bool EnableInput(const std::wstring& id, bool enabled) override;
  bool SetSelectIndex(const std::wstring& id, int index) override;
  bool GetSelectIndex(const std::wstring& id, int& index) override;
  bool EnableSelect(const std::wstring& id, bool enabled) override;
  void ShowElement(const std::wstring& id, bool show) override;
  void SetElementHtml(const std::wstring& id, const std::string& html) override;

  // The settings page's form to the settings (config.dat), when the window closes or goes; only
  // while the settings page is shown.
  void SaveOptionsForm();

  // The texts of "app://" addresses that the UI handler caught, in order, for the window: the
  // window's message carries none, so it frees only what this object handed out.
  void QueueAppUrl(std::string rest);
  bool TakeAppUrl(std::string& rest);

  HWND Window() const { return window_; }
  IOleObject* BrowserObject() const { return browserObject_.Get(); }
  IDocHostUIHandler* UiHandler() const;

  PageState pageState;
  // True while the settings page (not the recent page) is shown or being loaded.
  bool onOptionsPage = true;

 private:
  PageContext Context();
  // What the destructor undoes, also when the constructor fails halfway.
  void Teardown();

  SettingsStore* settings_;
  HWND window_ = nullptr;
  HINSTANCE instance_;
  Microsoft::WRL::ComPtr<IOleObject> browserObject_;
  std::unique_ptr<OleClientSite> clientSite_;
  std::unique_ptr<Storage> storage_;
  std::unique_ptr<OleInPlaceSite> inPlaceSite_;
  std::unique_ptr<OleInPlaceFrame> frame_;
  std::unique_ptr<DocHostUiHandler> uiHandler_;
  WallpaperList* wallpapers_;
  ProgramPageActions pageActions_;
  // Where the program's own pages are: the page address's folder.
  std::wstring pagesFolder_;
  std::deque<std::string> appUrls_;
};

// The settings window, null until it is created; the control's in-place frame answers with it.
HWND SettingsWindowHandle();
