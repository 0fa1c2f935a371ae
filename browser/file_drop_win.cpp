#include "browser/file_drop_win.h"

#include <utility>
#include <vector>

#include "base/log.h"
#include "base/app_paths_win.h"
#include "base/seam.h"
#include "base/whole_file_win.h"
#include "browser/browser.h"
#include "browser/html_window_win.h"
#include "image/image_win.h"
#include "wallpaper/wallpaper.h"

namespace {

Seam<DroppedImageHandler> g_applyDroppedImage(ChangeToDroppedFile);

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool CarriesFiles(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

// The copies of dropped images that wait for the settings window, oldest first. Kept here rather
// than in the message, which any process could post.
std::vector<std::string> g_keptDrops;

}  // namespace

void PostDroppedFiles(HDROP drop) {
  const HWND window = SettingsWindowHandle();
  if (!window) {
    ApplyDroppedFiles(drop);
    return;
  }
  // No exception may leave the drop target's Drop: out of memory, the rest of the drop is lost.
  try {
    const std::string folder = EnsureDataFolder();
    char path[MAX_PATH];
    for (UINT index = 0; ::DragQueryFileA(drop, index, path, MAX_PATH) != 0; ++index) {
      if (!IsImageFile(path)) continue;
      std::string kept = CopyToTemporaryFile(path, folder);
      if (!kept.empty()) g_keptDrops.push_back(std::move(kept));
    }
  } catch (...) {
    LogCaughtException("drop on the settings page");
  }
  if (!g_keptDrops.empty() && !::PostMessageA(window, WM_PAGE_KEPT_DROPS, 0, 0)) ApplyKeptDrops();
}

void ApplyKeptDrops() {
  const std::vector<std::string> kept = std::exchange(g_keptDrops, {});
  for (const std::string& path : kept) {
    g_applyDroppedImage.Get()(path);
    ::DeleteFileA(path.c_str());
  }
}

void DiscardKeptDrops() {
  for (const std::string& path : std::exchange(g_keptDrops, {})) ::DeleteFileA(path.c_str());
}

void ApplyDroppedFiles(HDROP drop) {
  char path[MAX_PATH];
  for (UINT index = 0; ::DragQueryFileA(drop, index, path, MAX_PATH) != 0; ++index) {
    // Known by its first bytes, whatever its name; a folder or an unreadable file is no image.
    if (IsImageFile(path)) g_applyDroppedImage.Get()(path);
  }
}

DroppedImageHandler SetDroppedImageHandler(DroppedImageHandler replacement) {
  return g_applyDroppedImage.Replace(replacement);
}

FileDropTarget::FileDropTarget(IDropTarget* browserTarget, FileDropHandler handler)
    : browserTarget_(browserTarget), handler_(handler) {}

HRESULT FileDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IDropTarget) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDropTarget*>(this);
  AddRef();
  return S_OK;
}

ULONG FileDropTarget::AddRef() { return ::InterlockedIncrement(&references_); }

ULONG FileDropTarget::Release() {
  const ULONG references = ::InterlockedDecrement(&references_);
  if (references == 0) delete this;
  return references;
}

void FileDropTarget::OfferCopy(DWORD* effect) {
  if (effect) *effect = (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  draggingFiles_ = CarriesFiles(data);
  if (draggingFiles_) {
    OfferCopy(effect);
    return S_OK;
  }
  if (browserTarget_) return browserTarget_->DragEnter(data, keyState, point, effect);
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  if (draggingFiles_) {
    OfferCopy(effect);
    return S_OK;
  }
  if (browserTarget_) return browserTarget_->DragOver(keyState, point, effect);
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  const bool draggedFiles = draggingFiles_;
  draggingFiles_ = false;
  if (draggedFiles || !browserTarget_) return S_OK;
  return browserTarget_->DragLeave();
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  draggingFiles_ = false;
  if (!CarriesFiles(data)) {
    if (browserTarget_) return browserTarget_->Drop(data, keyState, point, effect);
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&format, &medium))) {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  handler_(static_cast<HDROP>(medium.hGlobal));
  ::ReleaseStgMedium(&medium);
  OfferCopy(effect);
  return S_OK;
}
