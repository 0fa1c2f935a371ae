#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <oleidl.h>

#include <string>
#include <vector>

#include "base/app_paths_win.h"
#include "base/log.h"
#include "browser/browser.h"
#include "browser/doc_host_ui_handler_win.h"
#include "browser/drop_test_support_win.h"
#include "browser/html_window_win.h"
#include "support/file_bytes.h"
#include "support/message_box_recorder_win.h"
#include "support/temp_folder.h"
#include "support/user_state_win.h"

namespace {

// Data offered in one clipboard format: a file list (CF_HDROP) or text (CF_TEXT).
class FakeDataObject : public IDataObject {
 public:
  FakeDataObject(CLIPFORMAT format, std::vector<std::string> paths)
      : format_(format), paths_(std::move(paths)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = iid == IID_IUnknown || iid == IID_IDataObject ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = MakeDropHandle(paths_);  // freed by the receiver's ReleaseStgMedium
    medium->pUnkForRelease = nullptr;
    ++dataHandedOut;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

  int dataHandedOut = 0;

 private:
  CLIPFORMAT format_;
  std::vector<std::string> paths_;
};

// The browser's own drop target: records what reaches it.
class FakeBrowserTarget : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = iid == IID_IUnknown || iid == IID_IDropTarget ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    calls.push_back("DragEnter");
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    calls.push_back("DragOver");
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    calls.push_back("DragLeave");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    calls.push_back("Drop");
    *effect = DROPEFFECT_MOVE;
    return S_OK;
  }

  std::vector<std::string> calls;
  ULONG references = 1;
};

// One drag over the page, from entering to dropping; the effect the drop ends with.
DWORD DragAndDrop(IDropTarget* target, IDataObject* data) {
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  target->DragEnter(data, 0, POINTL{10, 10}, &effect);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  target->DragOver(0, POINTL{20, 20}, &effect);
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  target->Drop(data, 0, POINTL{20, 20}, &effect);
  return effect;
}

void ApplyKeptDropsNow() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, WM_PAGE_KEPT_DROPS, WM_PAGE_KEPT_DROPS, PM_REMOVE)) {
    ::DispatchMessageA(&message);
  }
}

class FileDropTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(handler_.GetDropTarget(&browserTarget_, &target_), S_OK);
    ASSERT_NE(target_, nullptr);
  }
  void TearDown() override {
    if (target_) target_->Release();
    EXPECT_EQ(browserTarget_.references, 1u) << "the browser's target is released with ours";
  }

  DWORD DragAndDrop(IDataObject* data) { return ::DragAndDrop(target_, data); }

  AppliedImages applied_;
  TempFolder folder_;
  DocHostUiHandler handler_{nullptr};
  FakeBrowserTarget browserTarget_;
  IDropTarget* target_ = nullptr;
};

TEST_F(FileDropTargetTest, DroppedFilesGoToTheDropHandlingNotTheBrowser) {
  const std::string image = folder_.File("photo.txt");
  ASSERT_TRUE(WriteFileBytes(image, std::string("\xFF\xD8\xFF\xE0", 4)));
  const std::string text = folder_.File("notes.jpg");
  ASSERT_TRUE(WriteFileBytes(text, "notes"));
  FakeDataObject files(CF_HDROP, {text, image});

  EXPECT_EQ(DragAndDrop(&files), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(applied_.Paths(), std::vector<std::string>{image});
  EXPECT_EQ(files.dataHandedOut, 1);
  EXPECT_THAT(browserTarget_.calls, testing::IsEmpty());
}

TEST_F(FileDropTargetTest, ImagesDroppedOnTheSettingsWindowAreKeptUntilTheSourceIsLetGo) {
  UserStateGuard userState;
  MessageBoxRecorder boxes;  // the page's navigation error, under Wine
  const std::string bytes("\x89PNG\r\n\x1A\n", 8);
  const struct {
    const char* label;
    bool windowStays;
  } kCases[] = {{"applied", true}, {"the window goes first", false}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    const std::vector<std::string> before = applied_.Contents();
    OpenSettingsWindow();
    const HWND window = SettingsWindowHandle();
    ASSERT_NE(window, nullptr);
    const std::string image = folder_.File("photo.png");
    ASSERT_TRUE(WriteFileBytes(image, bytes));
    FakeDataObject files(CF_HDROP, {image});

    // The source waits for the drop to return, then deletes its temporary file.
    EXPECT_EQ(DragAndDrop(&files), static_cast<DWORD>(DROPEFFECT_COPY));
    ::DeleteFileA(image.c_str());
    EXPECT_EQ(applied_.Contents(), before);
    if (!c.windowStays) ::DestroyWindow(window);
    ApplyKeptDropsNow();
    std::vector<std::string> expected = before;
    if (c.windowStays) expected.push_back(bytes);
    EXPECT_EQ(applied_.Contents(), expected);
    EXPECT_THAT(TemporaryFilesIn(EnsureDataFolder()), testing::IsEmpty());
    ::DestroyWindow(window);
  }
}

// A link or text dropped on the browser would navigate it: to a command anchor of the program's
// own page, say, which the page would then carry out.
TEST_F(FileDropTargetTest, DragsWithoutFilesAreRefusedAndNeverReachTheBrowser) {
  const UINT kFormats[] = {CF_TEXT, CF_UNICODETEXT,
                           ::RegisterClipboardFormatA("UniformResourceLocator")};
  for (UINT format : kFormats) {
    SCOPED_TRACE(format);
    FakeDataObject data(static_cast<CLIPFORMAT>(format), {});
    EXPECT_EQ(DragAndDrop(&data), static_cast<DWORD>(DROPEFFECT_NONE));
    DWORD effect = DROPEFFECT_COPY;
    target_->DragEnter(&data, 0, POINTL{1, 1}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target_->DragLeave();
  }
  EXPECT_THAT(browserTarget_.calls, testing::IsEmpty());
  EXPECT_THAT(applied_.Paths(), testing::IsEmpty());
}

TEST_F(FileDropTargetTest, AFileDragThatLeavesNeverReachesTheBrowser) {
  FakeDataObject files(CF_HDROP, {folder_.File("x.png")});
  DWORD effect = DROPEFFECT_MOVE;
  target_->DragEnter(&files, 0, POINTL{1, 1}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "the source offers no copy";
  target_->DragLeave();
  EXPECT_THAT(browserTarget_.calls, testing::IsEmpty());
  EXPECT_EQ(files.dataHandedOut, 0);
}

// The log names the file the user dropped, not the drop's temporary copy of it.
TEST(KeptDrops, AreLoggedUnderTheFileTheUserDropped) {
  UserStateGuard userState;
  MessageBoxRecorder boxes;  // the page's navigation error, under Wine
  TempFolder folder;
  DocHostUiHandler handler(nullptr);
  IDropTarget* target = nullptr;
  ASSERT_EQ(handler.GetDropTarget(nullptr, &target), S_OK);
  OpenSettingsWindow();
  const HWND window = SettingsWindowHandle();
  ASSERT_NE(window, nullptr);
  const std::string image = folder.File("photo.png");
  ASSERT_TRUE(WriteFileBytes(image, std::string("\x89PNG\r\n\x1A\n", 8)));
  FakeDataObject files(CF_HDROP, {image});

  ::DeleteFileA(LogFilePath().c_str());
  EXPECT_EQ(DragAndDrop(target, &files), static_cast<DWORD>(DROPEFFECT_COPY));
  ApplyKeptDropsNow();
  const std::string log = ReadFileBytes(LogFilePath());
  EXPECT_NE(log.find("change (drop) file " + image + ": "), std::string::npos) << log;
  EXPECT_EQ(log.find(".tmp"), std::string::npos) << log;
  target->Release();
  ::DestroyWindow(window);
}

}  // namespace
