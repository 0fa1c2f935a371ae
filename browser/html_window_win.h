// The settings window's one object: it creates the window (html_window_win.cpp), embeds the
// web-browser control in it (browser_embedding_win.cpp), receives the control's events
// (browser_events_win.cpp) and holds the page session over the control's document
// (browser_document_win.h).
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <wrl/client.h>

#include <deque>
#include <memory>
#include <string>

#include "browser/browser_document_win.h"
#include "page/page_actions_win.h"
#include "page/settings_page_session.h"

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

class HTMLWindow : public virtual DWebBrowserEvents2 {
 public:
  // The object alone: Open makes its window. Neither settings nor wallpapers is owned.
  HTMLWindow(const std::string& pageUrl, HINSTANCE instance, SettingsStore& settings,
             WallpaperList* wallpapers);
  // Closes the control and frees the host objects before OLE is uninitialised; the window itself
  // is its caller's.
  virtual ~HTMLWindow();
  HTMLWindow(const HTMLWindow&) = delete;
  HTMLWindow& operator=(const HTMLWindow&) = delete;

  // Creates and shows the window, embeds the control and starts loading the page; then this is
  // the current window's object, owned by its window, which deletes it when it is destroyed. A
  // failure on the way ends where it happens: the object is current either way, and a later
  // opening only shows its window. Message boxes tell only of the events' sink and of the
  // control's size.
  void Open();
  // The window procedure's first message: from here every message finds the object.
  void TakeWindow(HWND window);

  // IUnknown and IDispatch: the control's DWebBrowserEvents2 sink, forwarding the page events to
  // the session. Not reference-counted.
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

  void ResizeBrowser(int width, int height);

  // The texts of "app://" addresses that the UI handler caught, in order, for the window: the
  // window's message carries none, so it frees only what this object handed out.
  void QueueAppUrl(std::string rest);
  bool TakeAppUrl(std::string& rest);

  HWND Window() const { return window_; }
  IOleObject* BrowserObject() const { return browserObject_.Get(); }
  IDocHostUIHandler* UiHandler() const;
  BrowserDocument& Document() { return document_; }
  SettingsPageSession& Session() { return session_; }

 private:
  // True when the window shows the embedded control (OLE, the window, the control in place).
  bool CreateHostWindow();
  // True when the control is created and active in place in the window.
  bool EmbedBrowser();
  // Connects this object to the control's events; failures are reported in message boxes.
  void AddSink();
  // Starts loading url (ANSI). The control reports a failed load itself (NavigateError).
  void Navigate(const std::string& url);
  // What the destructor undoes, also when opening fails halfway.
  void Teardown();

  std::string pageUrl_;
  HWND window_ = nullptr;
  HINSTANCE instance_;
  Microsoft::WRL::ComPtr<IOleObject> browserObject_;
  std::unique_ptr<OleClientSite> clientSite_;
  std::unique_ptr<Storage> storage_;
  std::unique_ptr<OleInPlaceSite> inPlaceSite_;
  std::unique_ptr<OleInPlaceFrame> frame_;
  std::unique_ptr<DocHostUiHandler> uiHandler_;
  BrowserDocument document_;
  ProgramPageActions pageActions_;
  // Declared after the document and the actions that it works on.
  SettingsPageSession session_;
  std::deque<std::string> appUrls_;
};

// The current settings window; null while there is none.
HWND SettingsWindowHandle();
