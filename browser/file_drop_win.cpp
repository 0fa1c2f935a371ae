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

// A dropped image's copy that waits for the settings window, and the file the user dropped.
struct KeptDrop {
  std::string copy;
  std::string dropped;
};

// Oldest first. Kept here rather than in the message, which any process could post.
std::vector<KeptDrop> g_keptDrops;

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
      if (!kept.empty()) g_keptDrops.push_back({std::move(kept), path});
    }
  } catch (...) {
    LogCaughtException("drop on the settings page");
  }
  if (!g_keptDrops.empty() && !::PostMessageA(window, WM_PAGE_KEPT_DROPS, 0, 0)) ApplyKeptDrops();
}

void ApplyKeptDrops() {
  const std::vector<KeptDrop> kept = std::exchange(g_keptDrops, {});
  for (const KeptDrop& drop : kept) {
    g_applyDroppedImage.Get()(drop.copy, drop.dropped);
    ::DeleteFileA(drop.copy.c_str());
  }
}

void DiscardKeptDrops() {
  for (const KeptDrop& drop : std::exchange(g_keptDrops, {})) ::DeleteFileA(drop.copy.c_str());
}

void ApplyDroppedFiles(HDROP drop) {
  char path[MAX_PATH];
  for (UINT index = 0; ::DragQueryFileA(drop, index, path, MAX_PATH) != 0; ++index) {
    // Known by its first bytes, whatever its name; a folder or an unreadable file is no image.
    if (IsImageFile(path)) g_applyDroppedImage.Get()(path, path);
  }
}

DroppedImageHandler SetDroppedImageHandler(DroppedImageHandler replacement) {
  return g_applyDroppedImage.Replace(replacement);
}

FileDropTarget::FileDropTarget(FileDropHandler handler) : handler_(handler) {}

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

void FileDropTarget::Offer(DWORD* effect) const {
  if (!effect) return;
  *effect = draggingFiles_ && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  draggingFiles_ = CarriesFiles(data);
  Offer(effect);
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  Offer(effect);
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  draggingFiles_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  draggingFiles_ = CarriesFiles(data);
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (!draggingFiles_ || FAILED(data->GetData(&format, &medium))) {
    draggingFiles_ = false;
    Offer(effect);
    return S_OK;
  }
  handler_(static_cast<HDROP>(medium.hGlobal));
  ::ReleaseStgMedium(&medium);
  Offer(effect);
  draggingFiles_ = false;
  return S_OK;
}
