#include <gtest/gtest.h>

#include <windows.h>
#include <exdisp.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/text.h"
#include "browser/doc_host_ui_handler_win.h"
#include "browser/ole_client_site_win.h"
#include "browser/ole_in_place_frame_win.h"
#include "browser/ole_in_place_site_win.h"
#include "browser/storage_win.h"
#include "support/message_box_recorder_win.h"

namespace {

// The five host objects wired as the settings window wires them. The sink is only compared,
// never called, so any distinct address serves.
class SiteObjectsTest : public ::testing::Test {
 protected:
  SiteObjectsTest() {
    uiHandler_.SetClientSite(&clientSite_);
    inPlaceSite_.SetClientSite(&clientSite_);
  }

  IDispatch* const sink_ = reinterpret_cast<IDispatch*>(&sinkToken_);
  HWND const window_ = reinterpret_cast<HWND>(0x1234);
  int sinkToken_ = 0;
  MessageBoxRecorder boxes_;
  Storage storage_;
  OleInPlaceFrame frame_{window_};
  OleInPlaceSite inPlaceSite_{&frame_, window_};
  DocHostUiHandler uiHandler_{nullptr};
  OleClientSite clientSite_{&inPlaceSite_, &uiHandler_, sink_};
};

// What QueryInterface gives for each interface id, through the object asked.
void ExpectRouting(IUnknown* asked, IOleClientSite* clientSite, IOleInPlaceSite* inPlaceSite,
                   IDocHostUIHandler* uiHandler, IDispatch* sink) {
  struct Route {
    const IID& iid;
    void* expected;
  };
  const Route routes[] = {
      {IID_IUnknown, clientSite},         {IID_IOleClientSite, clientSite},
      {IID_IOleInPlaceSite, inPlaceSite}, {IID_IDocHostUIHandler, uiHandler},
      {DIID_DWebBrowserEvents2, sink},    {IID_IDispatch, sink},
  };
  for (const Route& route : routes) {
    SCOPED_TRACE(&route - routes);
    void* object = nullptr;
    EXPECT_EQ(asked->QueryInterface(route.iid, &object), S_OK);
    EXPECT_EQ(object, route.expected);
  }
  for (const IID* iid : {&IID_IOleInPlaceFrame, &IID_IStorage, &IID_IOleObject}) {
    SCOPED_TRACE(iid == &IID_IOleInPlaceFrame ? "frame"
                 : iid == &IID_IStorage       ? "storage"
                                              : "object");
    void* object = reinterpret_cast<void*>(0xDEADBEEF);
    EXPECT_EQ(asked->QueryInterface(*iid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
  }
}

TEST_F(SiteObjectsTest, ClientSiteInPlaceSiteAndUiHandlerRouteQueriesAlike) {
  for (IUnknown* asked : std::vector<IUnknown*>{&clientSite_, &inPlaceSite_, &uiHandler_}) {
    ExpectRouting(asked, &clientSite_, &inPlaceSite_, &uiHandler_, sink_);
  }
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
}

TEST_F(SiteObjectsTest, UiHandlerWithoutItsClientSiteSaysSo) {
  DocHostUiHandler lonely(nullptr);
  void* object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(lonely.QueryInterface(IID_IUnknown, &object), E_NOINTERFACE);
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, L"ClientSite is null");
  EXPECT_FALSE(boxes_.Boxes()[0].hasCaption);
  EXPECT_EQ(boxes_.Boxes()[0].type, static_cast<UINT>(MB_OK));
}

TEST_F(SiteObjectsTest, NoObjectCountsReferences) {
  for (IUnknown* object :
       std::vector<IUnknown*>{&clientSite_, &inPlaceSite_, &uiHandler_, &frame_, &storage_}) {
    EXPECT_EQ(object->AddRef(), 1u);
    EXPECT_EQ(object->AddRef(), 1u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(object->Release(), 1u);
  }
}

TEST_F(SiteObjectsTest, UnimplementedMethodsNameThemselvesAndLeaveTheirOutputs) {
  void* const kUntouched = reinterpret_cast<void*>(0xDEADBEEF);
  void* out = kUntouched;
  auto outAs = [&out](auto** typed) { return reinterpret_cast<decltype(typed)>(&out); };
  RECT rect = {1, 2, 3, 4};
  MSG message = {};
  struct Case {
    const wchar_t* text;
    std::function<HRESULT()> call;
  };
  const std::vector<Case> cases = {
      {L"SaveObject", [&] { return clientSite_.SaveObject(); }},
      {L"GetMoniker", [&] { return clientSite_.GetMoniker(0, 0, outAs((IMoniker**)nullptr)); }},
      {L"OnShowWindow", [&] { return clientSite_.OnShowWindow(TRUE); }},
      {L"RequestNewObjectLayout", [&] { return clientSite_.RequestNewObjectLayout(); }},
      {L"ContextSensitiveHelp", [&] { return inPlaceSite_.ContextSensitiveHelp(TRUE); }},
      {L"Scroll",
       [&] {
         return inPlaceSite_.Scroll(SIZE{1, 1});
       }},
      {L"DiscardUndoState", [&] { return inPlaceSite_.DiscardUndoState(); }},
      {L"DeactivateAndUndo", [&] { return inPlaceSite_.DeactivateAndUndo(); }},
      {L"QueryInterface", [&] { return frame_.QueryInterface(IID_IUnknown, &out); }},
      {L"ContextSensitiveHelp", [&] { return frame_.ContextSensitiveHelp(FALSE); }},
      {L"GetBorder", [&] { return frame_.GetBorder(&rect); }},
      {L"RequestBorderSpace", [&] { return frame_.RequestBorderSpace(&rect); }},
      {L"SetBorderSpace", [&] { return frame_.SetBorderSpace(&rect); }},
      {L"InsertMenus", [&] { return frame_.InsertMenus(nullptr, nullptr); }},
      {L"RemoveMenus", [&] { return frame_.RemoveMenus(nullptr); }},
      {L"TranslateAccelerator", [&] { return frame_.TranslateAccelerator(&message, 0); }},
      {L"QueryInterface", [&] { return storage_.QueryInterface(IID_IStorage, &out); }},
      {L"CreateStream",
       [&] { return storage_.CreateStream(L"s", 0, 0, 0, outAs((IStream**)nullptr)); }},
      {L"OpenStream",
       [&] { return storage_.OpenStream(L"s", nullptr, 0, 0, outAs((IStream**)nullptr)); }},
      {L"CreateStorage",
       [&] { return storage_.CreateStorage(L"s", 0, 0, 0, outAs((IStorage**)nullptr)); }},
      {L"OpenStorage",
       [&] {
         return storage_.OpenStorage(L"s", nullptr, 0, nullptr, 0, outAs((IStorage**)nullptr));
       }},
      {L"CopyTo", [&] { return storage_.CopyTo(0, nullptr, nullptr, &storage_); }},
      {L"MoveElementTo", [&] { return storage_.MoveElementTo(L"s", &storage_, L"t", 0); }},
      {L"Commit", [&] { return storage_.Commit(0); }},
      {L"Revert", [&] { return storage_.Revert(); }},
      {L"EnumElements",
       [&] { return storage_.EnumElements(0, nullptr, 0, outAs((IEnumSTATSTG**)nullptr)); }},
      {L"DestroyElement", [&] { return storage_.DestroyElement(L"s"); }},
      {L"RenameElement", [&] { return storage_.RenameElement(L"s", L"t"); }},
      {L"SetElementTimes",
       [&] { return storage_.SetElementTimes(L"s", nullptr, nullptr, nullptr); }},
      {L"SetStateBits", [&] { return storage_.SetStateBits(0, 0); }},
      {L"Stat", [&] { return storage_.Stat(reinterpret_cast<STATSTG*>(&rect), 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.text));
    boxes_.Clear();
    EXPECT_EQ(c.call(), E_NOTIMPL) << c.text;
    ASSERT_EQ(boxes_.Boxes().size(), 1u) << boxes_.Describe();
    const RecordedBox& box = boxes_.Boxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, c.text);
    EXPECT_TRUE(box.hasCaption);
    EXPECT_EQ(box.caption, L"Not Implemented");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(out, kUntouched) << c.text;
    EXPECT_EQ(rect.left, 1) << c.text;
    EXPECT_EQ(rect.bottom, 4) << c.text;
  }
}

TEST_F(SiteObjectsTest, MethodsWithNothingToGiveClearTheirOutputsWithoutABox) {
  IOleContainer* container = reinterpret_cast<IOleContainer*>(0xDEADBEEF);
  EXPECT_EQ(clientSite_.GetContainer(&container), E_NOINTERFACE);
  EXPECT_EQ(container, nullptr);
  IDispatch* external = reinterpret_cast<IDispatch*>(0xDEADBEEF);
  EXPECT_EQ(uiHandler_.GetExternal(&external), S_FALSE);
  EXPECT_EQ(external, nullptr);
  IDataObject* filtered = reinterpret_cast<IDataObject*>(0xDEADBEEF);
  EXPECT_EQ(uiHandler_.FilterDataObject(nullptr, &filtered), S_FALSE);
  EXPECT_EQ(filtered, nullptr);
  // The control records its class in the storage when it is created.
  EXPECT_EQ(storage_.SetClass(CLSID_WebBrowser), S_OK);
  RECT position = {0, 0, 10, 10};
  EXPECT_EQ(inPlaceSite_.OnPosRectChange(&position), S_OK);  // no control yet: nothing to move
  EXPECT_TRUE(boxes_.Boxes().empty()) << boxes_.Describe();
}

TEST_F(SiteObjectsTest, WindowsAndTheInPlaceContext) {
  HWND window = nullptr;
  EXPECT_EQ(inPlaceSite_.GetWindow(&window), S_OK);
  EXPECT_EQ(window, window_);
  window = nullptr;
  EXPECT_EQ(frame_.GetWindow(&window), S_OK);
  EXPECT_EQ(window, window_);

  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = reinterpret_cast<IOleInPlaceUIWindow*>(0xDEADBEEF);
  RECT position = {1, 2, 3, 4}, clip = {5, 6, 7, 8};
  OLEINPLACEFRAMEINFO info;
  std::memset(&info, 0xAB, sizeof info);
  info.cb = sizeof info;
  EXPECT_EQ(inPlaceSite_.GetWindowContext(&frame, &document, &position, &clip, &info), S_OK);
  EXPECT_EQ(frame, &frame_);
  EXPECT_EQ(document, nullptr);
  EXPECT_EQ(info.cb, sizeof info);
  EXPECT_FALSE(info.fMDIApp);
  EXPECT_EQ(info.hwndFrame, window_);
  EXPECT_EQ(info.haccel, nullptr);
  EXPECT_EQ(info.cAccelEntries, 0u);
  EXPECT_EQ(position.right, 3);
  EXPECT_EQ(clip.left, 5);
}

TEST_F(SiteObjectsTest, HostInfoAsksForAPlainPage) {
  DOCHOSTUIINFO info;
  std::memset(&info, 0xAB, sizeof info);
  OLECHAR* const untouched = info.pchHostCss;
  EXPECT_EQ(uiHandler_.GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.cbSize, 20u);
  EXPECT_EQ(info.dwFlags, 0x0020002Eu);
  EXPECT_EQ(info.dwDoubleClick, 0u);
  EXPECT_EQ(info.pchHostCss, untouched);
  EXPECT_EQ(info.pchHostNS, untouched);
}

TEST_F(SiteObjectsTest, OnlyFormFieldsAndSelectedTextGetTheBrowsersContextMenu) {
  POINT point = {10, 10};
  for (DWORD menu = 0; menu <= 12; ++menu) {
    const HRESULT expected = menu == 2 || menu == 4 ? S_FALSE : S_OK;
    EXPECT_EQ(uiHandler_.ShowContextMenu(menu, &point, nullptr, nullptr), expected) << menu;
  }
}

}  // namespace
