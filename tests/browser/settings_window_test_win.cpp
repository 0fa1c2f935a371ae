#include <gtest/gtest.h>

#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/app_paths_win.h"
#include "base/text.h"
#include "base/text_win.h"
#include "base/user_interaction_win.h"
#include "browser/browser.h"
#include "browser/com_win.h"
#include "browser/html_window_win.h"
#include "browser/settings_window_win.h"
#include "recent/recent.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder_win.h"
#include "support/seam_replacement.h"
#include "support/user_state_win.h"

// Running out of memory, on demand: the allocation after this many more fails once.
static int g_allocationsBeforeFailure = -1;  // none fails

void* operator new(std::size_t size) {
  if (g_allocationsBeforeFailure == 0) {
    g_allocationsBeforeFailure = -1;
    throw std::bad_alloc();
  }
  if (g_allocationsBeforeFailure > 0) --g_allocationsBeforeFailure;
  if (void* block = ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  if (block) ::HeapFree(::GetProcessHeap(), 0, block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

constexpr char kNoPageUnderWine[] =
    "the browser control loads no document here (Wine's MSHTML has no HTML engine)";

// Each test runs in a process of its own, so OpenSettingsWindow creates the window afresh.
class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(ConfigFilePath().c_str());
    OpenSettingsWindow();
    boxes_.ForgetWinesPageError();
    object_ = CurrentHTMLWindow();
    ASSERT_NE(object_, nullptr);
    window_ = object_->Window();
    ASSERT_TRUE(::IsWindow(window_));
  }

  void TearDown() override {
    if (HTMLWindow* current = CurrentHTMLWindow()) ::DestroyWindow(current->Window());
  }

  UserStateGuard userState_;

  SIZE BrowserSize() {
    Microsoft::WRL::ComPtr<IWebBrowser2> browser = QueryWebBrowser(object_->BrowserObject());
    long width = -1, height = -1;
    if (browser) {
      browser->get_Width(&width);
      browser->get_Height(&height);
    }
    return {width, height};
  }

  MessageBoxRecorder boxes_;
  HTMLWindow* object_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(SettingsWindowTest, OpensOneFixedSizeWindowThatTakesDroppedFiles) {
  char text[64] = {};
  ::GetClassNameA(window_, text, sizeof text);
  EXPECT_STREQ(text, "Kolorowisko_konfig_html");
  ::GetWindowTextA(window_, text, sizeof text);
  EXPECT_STREQ(text, "Kolorowisko");
  RECT client = {};
  ::GetClientRect(window_, &client);
  EXPECT_EQ(client.right, 745);
  EXPECT_EQ(client.bottom, 425);
  const LONG style = ::GetWindowLongA(window_, GWL_STYLE);
  EXPECT_EQ(style & (WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                     WS_THICKFRAME | WS_CHILD | WS_POPUP),
            WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_TRUE(::GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_EQ(SettingsWindowHandle(), window_);
  EXPECT_EQ(::GetParent(window_), nullptr);
}

TEST_F(SettingsWindowTest, EmbedsTheControlAndConnectsTheSinkWithoutComplaint) {
  ASSERT_NE(object_->BrowserObject(), nullptr) << "the web-browser control could not be created";
  EXPECT_EQ(BrowserSize().cx, 745);
  EXPECT_EQ(BrowserSize().cy, 425);
  // AddSink, the navigation and the control's calls into the host raised no box.
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
  EXPECT_TRUE(object_->Session().OnOptionsPage());
  EXPECT_FALSE(object_->Session().LoggedIn());
}

TEST_F(SettingsWindowTest, ThePageFromTheResourcesIsShown) {
  Microsoft::WRL::ComPtr<IWebBrowser2> browser = QueryWebBrowser(object_->BrowserObject());
  ASSERT_TRUE(browser);
  Microsoft::WRL::ComPtr<IDispatch> document;
  const DWORD deadline = ::GetTickCount() + 2000;
  while (!document && ::GetTickCount() < deadline) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    browser->get_Document(&document);
    ::Sleep(50);
  }
  if (!document) GTEST_SKIP() << kNoPageUnderWine;
  ScopedBstr location;
  ASSERT_EQ(browser->get_LocationURL(location.Receive()), S_OK);
  const std::wstring url = location.Text();
  EXPECT_EQ(url.substr(0, 6), L"res://");
  EXPECT_EQ(url.substr(url.size() - 11), L"/opcje.html");
}

TEST_F(SettingsWindowTest, DocumentOperationsFailQuietlyWithoutAPage) {
  Microsoft::WRL::ComPtr<IDispatch> document;
  QueryWebBrowser(object_->BrowserObject())->get_Document(&document);
  if (document) GTEST_SKIP() << "the control has a document: the operations reach it";
  std::wstring value = L"kept";
  bool checked = true;
  int index = 7;
  EXPECT_FALSE(object_->Document().SetInputValue(L"change_interval_id", L"5"));
  EXPECT_FALSE(object_->Document().GetInputValue(L"change_interval_id", value));
  EXPECT_FALSE(object_->Document().SetCheckbox(L"auto_change_id", true));
  EXPECT_FALSE(object_->Document().GetCheckbox(L"auto_change_id", checked));
  EXPECT_FALSE(object_->Document().EnableInput(L"change_interval_id", true));
  EXPECT_FALSE(object_->Document().SetSelectIndex(L"category_id", 1));
  EXPECT_FALSE(object_->Document().GetSelectIndex(L"category_id", index));
  EXPECT_FALSE(object_->Document().EnableSelect(L"category_id", true));
  object_->Document().ShowElement(L"user_div", false);
  object_->Document().SetElementHtml(L"logedin_div", "x");
  EXPECT_EQ(value, L"kept");
  EXPECT_TRUE(checked);
  EXPECT_EQ(index, 7);
  object_->Document().Write("<p>x</p>");
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
}

TEST_F(SettingsWindowTest, ClosingHidesTheWindowAndSavesTheForm) {
  AppSettings().Set(kChangeIntervalKey, "37");
  EXPECT_EQ(::SendMessageA(window_, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_EQ(CurrentHTMLWindow(), object_);
  EXPECT_EQ(ReadFileBytes(ConfigFilePath()), AppSettings().ToText());
}

TEST_F(SettingsWindowTest, NothingIsSavedWhileTheRecentPageIsShown) {
  // The recent page asked for, as its link does.
  object_->Session().BeforeNavigate(
      AnsiToWide("res://" + OwnExecutablePath() + "/ostatnie.html#ostatnie"));
  ::DeleteFileA(ConfigFilePath().c_str());
  ::SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindowVisible(window_));
  EXPECT_FALSE(FileExists(ConfigFilePath()));
}

TEST_F(SettingsWindowTest, OpeningAgainShowsTheSameWindowAndObject) {
  ::SendMessageA(window_, WM_CLOSE, 0, 0);
  OpenSettingsWindow();
  EXPECT_EQ(CurrentHTMLWindow(), object_);
  EXPECT_TRUE(::IsWindowVisible(window_));
  int windows = 0;
  for (HWND found = nullptr;
       (found = ::FindWindowExA(nullptr, found, "Kolorowisko_konfig_html", nullptr)) != nullptr;) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(found, &process);
    if (process == ::GetCurrentProcessId()) ++windows;
  }
  EXPECT_EQ(windows, 1);
}

TEST_F(SettingsWindowTest, MinimisingSizesTheBrowserToNothingAndRestoringSizesItBack) {
  ::ShowWindow(window_, SW_MINIMIZE);
  EXPECT_TRUE(::IsIconic(window_));
  EXPECT_EQ(BrowserSize().cx, 0);
  EXPECT_EQ(BrowserSize().cy, 0);

  OpenSettingsWindow();
  EXPECT_TRUE(::IsIconic(window_)) << "opening again leaves a minimised window minimised";

  ::ShowWindow(window_, SW_RESTORE);
  EXPECT_EQ(BrowserSize().cx, 745);
  EXPECT_EQ(BrowserSize().cy, 425);
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
}

TEST_F(SettingsWindowTest, TabGoesToTheBrowserAndNeverToTheDefaultProcedure) {
  const std::optional<LRESULT> tab = HandleSettingsWindowMessage(window_, WM_KEYDOWN, VK_TAB, 1);
  ASSERT_TRUE(tab.has_value());
  EXPECT_EQ(*tab, 0);
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
  EXPECT_FALSE(HandleSettingsWindowMessage(window_, WM_KEYDOWN, 'A', 1).has_value());
  EXPECT_FALSE(HandleSettingsWindowMessage(window_, WM_KEYDOWN, VK_RETURN, 1).has_value());
}

TEST_F(SettingsWindowTest, AWindowOfTheClassWithoutItsObjectReportsTabAndSavesNothing) {
  HWND bare = ::CreateWindowExA(0, "Kolorowisko_konfig_html", "bare", WS_OVERLAPPED, 0, 0, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(bare, nullptr);
  const std::optional<LRESULT> tab = HandleSettingsWindowMessage(bare, WM_KEYDOWN, VK_TAB, 1);
  ASSERT_TRUE(tab.has_value());
  EXPECT_EQ(*tab, -1);
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, L"Failed to retrieve webBrowser2 in WM_KEYDOWN");
  EXPECT_FALSE(boxes_.Boxes()[0].hasCaption);

  EXPECT_EQ(::SendMessageA(bare, WM_SIZE, 0, MAKELPARAM(10, 10)), 0);
  EXPECT_EQ(::SendMessageA(bare, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(::IsWindow(bare));
  EXPECT_FALSE(FileExists(ConfigFilePath()));
  EXPECT_TRUE(::DestroyWindow(bare));
  EXPECT_EQ(CurrentHTMLWindow(), object_);
  EXPECT_EQ(boxes_.Boxes().size(), 1u) << boxes_.Describe();
}

TEST_F(SettingsWindowTest, AppAddressesArePostedToTheWindowAndTheBrowserGetsABlankPage) {
  IDocHostUIHandler* handler = object_->UiHandler();
  wchar_t address[] = L"app://abc?x=1";
  LPWSTR translated = nullptr;
  EXPECT_EQ(handler->TranslateUrl(0, address, &translated), S_OK);
  ASSERT_NE(translated, nullptr);
  EXPECT_STREQ(translated, L"about:blank");
  ::CoTaskMemFree(translated);

  MSG posted = {};
  ASSERT_TRUE(::PeekMessageA(&posted, window_, WM_APP, WM_APP, PM_REMOVE));
  EXPECT_EQ(posted.wParam, 0u);
  EXPECT_EQ(posted.lParam, 0);
  // The window takes the text from its object, blanks the page and goes on.
  EXPECT_EQ(::DispatchMessageA(&posted), 0);
  std::string rest;
  EXPECT_FALSE(object_->TakeAppUrl(rest));
  EXPECT_TRUE(::IsWindow(window_));
  EXPECT_EQ(CurrentHTMLWindow(), object_);
}

TEST_F(SettingsWindowTest, AForgedAppMessageFreesNothing) {
  // Any process may post the message: a pointer in it is never freed (the heap would break).
  char text[] = "not the window's";
  EXPECT_EQ(::SendMessageA(window_, WM_APP, reinterpret_cast<WPARAM>(text), 0), 0);
  EXPECT_EQ(::SendMessageA(window_, WM_APP, 0x1234, 0), 0);
  EXPECT_STREQ(text, "not the window's");
  EXPECT_TRUE(::IsWindow(window_));
}

// An event as the control sends it: the arguments last first, the address by reference.
class BrowserEvent {
 public:
  BrowserEvent(UINT count, UINT addressIndex, const wchar_t* address)
      : arguments_(count), address_(::SysAllocString(address)) {
    for (VARIANT& argument : arguments_) ::VariantInit(&argument);
    addressValue_.vt = VT_BSTR;
    addressValue_.bstrVal = address_;
    VARIANT& slot = arguments_[count - 1 - addressIndex];
    slot.vt = VT_BYREF | VT_VARIANT;
    slot.pvarVal = &addressValue_;
  }
  ~BrowserEvent() { ::SysFreeString(address_); }
  VARIANT& Argument(UINT index) { return arguments_[arguments_.size() - 1 - index]; }
  DISPPARAMS* Params() {
    params_ = {arguments_.data(), nullptr, static_cast<UINT>(arguments_.size()), 0};
    return &params_;
  }

 private:
  std::vector<VARIANT> arguments_;
  BSTR address_;
  VARIANT addressValue_ = {};
  DISPPARAMS params_ = {};
};

TEST_F(SettingsWindowTest, TheSinkRoutesTheBrowsersEvents) {
  const auto invoke = [&](DISPID id, BrowserEvent& event) {
    return object_->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, event.Params(), nullptr, nullptr,
                           nullptr);
  };
  const std::wstring own = AnsiToWide("res://" + OwnExecutablePath() + "/");
  BrowserEvent toRecent(7, 1, (own + L"ostatnie.html#ostatnie").c_str());
  EXPECT_EQ(invoke(250, toRecent), S_OK);
  EXPECT_FALSE(object_->Session().OnOptionsPage());
  BrowserEvent back(7, 1, (own + L"opcje.html#wroc").c_str());
  EXPECT_EQ(invoke(250, back), S_OK);
  EXPECT_TRUE(object_->Session().OnOptionsPage());

  BrowserEvent failed(5, 1, L"res://C:\\kolorowisko.exe/brak.html");
  LONG status = 404;
  failed.Argument(3).vt = VT_BYREF | VT_I4;
  failed.Argument(3).plVal = &status;
  EXPECT_EQ(invoke(271, failed), S_OK);
  ASSERT_EQ(boxes_.Boxes().size(), 1u) << boxes_.Describe();
  EXPECT_EQ(boxes_.Boxes()[0].text, L"Navigate Error, code is: 404");
  EXPECT_FALSE(boxes_.Boxes()[0].hasCaption);

  for (DISPID quiet : {102, 104, 105, 106, 108, 112, 113, 251, 252, 259}) {
    EXPECT_EQ(
        object_->Invoke(quiet, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
        S_OK)
        << quiet;
  }
  for (DISPID unknown : {0, 103, 250 + 1000, 273}) {
    EXPECT_EQ(
        object_->Invoke(unknown, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND)
        << unknown;
  }
  EXPECT_EQ(boxes_.Boxes().size(), 1u) << boxes_.Describe();
}

std::vector<std::string> g_openedPages;
void RecordPage(const std::string& address) { g_openedPages.push_back(address); }

TEST_F(SettingsWindowTest, OnlyTheProgramsOwnPagesGoOnAndWebAddressesOpenInTheUsersBrowser) {
  SeamReplacement<WebPageOpener> opener(SetWebPageOpener, RecordPage);
  const std::wstring own = AnsiToWide("res://" + OwnExecutablePath() + "/");
  const struct {
    std::wstring url;
    bool cancelled;
    std::vector<std::string> opened;
  } cases[] = {
      {own + L"opcje.html#wroc", false, {}},
      {L"http://127.0.0.1/obca.html#ostatnie", true, {"http://127.0.0.1/obca.html#ostatnie"}},
      {L"res://C:\\inny.exe/opcje.html#ostatnie", true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.url));
    g_openedPages.clear();
    BrowserEvent event(7, 1, c.url.c_str());
    VARIANT_BOOL cancel = VARIANT_FALSE;
    event.Argument(6).vt = VT_BYREF | VT_BOOL;
    event.Argument(6).pboolVal = &cancel;
    EXPECT_EQ(object_->Invoke(250, IID_NULL, 0, DISPATCH_METHOD, event.Params(), nullptr, nullptr,
                              nullptr),
              S_OK);
    EXPECT_EQ(cancel, c.cancelled ? VARIANT_TRUE : VARIANT_FALSE);
    EXPECT_EQ(g_openedPages, c.opened);
    EXPECT_TRUE(object_->Session().OnOptionsPage());
  }
}

TEST_F(SettingsWindowTest, OtherAddressesAreLeftToTheBrowser) {
  IDocHostUIHandler* handler = object_->UiHandler();
  for (const wchar_t* url : {L"App://abc", L"app:abc", L"http://127.0.0.1/app://x", L"about:blank",
                             L"res://C:\\kolorowisko.exe/opcje.html#save"}) {
    std::wstring address = url;
    LPWSTR translated = reinterpret_cast<LPWSTR>(0xDEADBEEF);
    EXPECT_EQ(handler->TranslateUrl(0, &address[0], &translated), S_OK);
    EXPECT_EQ(translated, reinterpret_cast<LPWSTR>(0xDEADBEEF));
    MSG posted;
    EXPECT_FALSE(::PeekMessageA(&posted, window_, WM_APP, WM_APP, PM_REMOVE));
  }
}

TEST_F(SettingsWindowTest, TheSinkAnswersForItsInterfacesOnly) {
  IDispatch* sink = static_cast<DWebBrowserEvents2*>(object_);
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &DIID_DWebBrowserEvents2}) {
    SCOPED_TRACE(iid == &IID_IUnknown ? "IUnknown" : iid == &IID_IDispatch ? "IDispatch" : "sink");
    void* answer = nullptr;
    EXPECT_EQ(object_->QueryInterface(*iid, &answer), S_OK);
    EXPECT_EQ(answer, sink);
  }
  void* answer = nullptr;
  EXPECT_EQ(object_->QueryInterface(IID_IDocHostUIHandler, &answer), S_OK);
  EXPECT_EQ(answer, object_->UiHandler());
  answer = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(object_->QueryInterface(IID_IOleClientSite, &answer), E_NOINTERFACE);
  EXPECT_EQ(answer, nullptr);
  EXPECT_EQ(sink->AddRef(), 1u);
  EXPECT_EQ(sink->Release(), 1u);

  UINT count = 99;
  EXPECT_EQ(sink->GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(sink->GetTypeInfo(0, 0, nullptr), E_NOTIMPL);
  EXPECT_EQ(sink->GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr), E_NOTIMPL);
  EXPECT_EQ(count, 99u);
  ASSERT_EQ(boxes_.Boxes().size(), 3u) << boxes_.Describe();
  const wchar_t* const names[] = {L"GetTypeInfoCount", L"GetTypeInfo", L"GetIDsOfNames"};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(boxes_.Boxes()[i].text, names[i]);
    EXPECT_EQ(boxes_.Boxes()[i].caption, L"Not Implemented");
    EXPECT_EQ(boxes_.Boxes()[i].type, static_cast<UINT>(MB_OK));
  }

  DISPPARAMS none = {};
  EXPECT_EQ(sink->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                         nullptr, nullptr),
            S_OK);
  EXPECT_EQ(sink->Invoke(9999, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
}

TEST_F(SettingsWindowTest, DestroyingTheWindowSavesTheFormAndEndsTheObject) {
  AppSettings().Set(kChangeIntervalKey, "41");
  EXPECT_TRUE(::DestroyWindow(window_));
  EXPECT_EQ(CurrentHTMLWindow(), nullptr);
  EXPECT_EQ(SettingsWindowHandle(), nullptr);
  EXPECT_EQ(ReadFileBytes(ConfigFilePath()), AppSettings().ToText());

  // A later opening starts afresh.
  OpenSettingsWindow();
  ASSERT_NE(CurrentHTMLWindow(), nullptr);
  EXPECT_NE(CurrentHTMLWindow()->BrowserObject(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(CurrentHTMLWindow()->Window()));
}

// The window's making stopped by a failed allocation at each step in turn: nothing may find a
// window or an object that does not exist, and the next opening makes a whole window.
TEST(SettingsWindowConstruction, AFailureAtAnyStepPublishesNothing) {
  UserStateGuard userState;
  MessageBoxRecorder boxes;
  const std::string page = "res://" + OwnExecutablePath() + "/opcje.html";
  int failures = 0;
  for (int allocation = 0;; ++allocation) {
    SCOPED_TRACE(allocation);
    g_allocationsBeforeFailure = allocation;
    HTMLWindow* made = nullptr;
    try {
      auto object =
          std::make_unique<HTMLWindow>(page, AppInstance(), AppSettings(), &AppWallpapers());
      object->Open();
      made = object.release();
    } catch (const std::bad_alloc&) {
    }
    const bool reachedFailure = g_allocationsBeforeFailure < 0;
    g_allocationsBeforeFailure = -1;
    if (made) {
      // Whole, even when the failure was within a call that survives it.
      EXPECT_EQ(CurrentHTMLWindow(), made);
      ::DestroyWindow(made->Window());
      if (!reachedFailure) break;  // made with fewer allocations than that
      continue;
    }
    ++failures;
    EXPECT_EQ(CurrentHTMLWindow(), nullptr);
    EXPECT_EQ(SettingsWindowHandle(), nullptr);
    EXPECT_EQ(::FindWindowA(kSettingsWindowClass, nullptr), nullptr);
    OpenSettingsWindow();
    ASSERT_NE(CurrentHTMLWindow(), nullptr);
    EXPECT_NE(CurrentHTMLWindow()->BrowserObject(), nullptr);
    EXPECT_EQ(SettingsWindowHandle(), CurrentHTMLWindow()->Window());
    ::DestroyWindow(CurrentHTMLWindow()->Window());
  }
  EXPECT_GT(failures, 3);
}

}  // namespace
