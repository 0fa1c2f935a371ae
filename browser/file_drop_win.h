// Files dropped on the settings window: every image among them becomes the desktop wallpaper,
// one after the other, so the last one stays; and the drop target that brings drops over the
// page to the same place.
#pragma once

#include <windows.h>
#include <oleidl.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <string>

// Applies each dropped file that is a BMP, JPEG or PNG by its first bytes, whatever its name;
// skips the others, folders and files that cannot be read. The caller keeps the handle.
void ApplyDroppedFiles(HDROP drop);
// For a drop over the page: the drag source waits until the drop returns, and converting images
// takes a while, so the images are applied once the source is let go. A source may delete its
// files then (archive managers and mail programs drag temporary ones), so each image is first
// copied into the data folder, and the settings window is told with WM_PAGE_KEPT_DROPS. Without
// the window the files are applied at once. The caller keeps the handle.
void PostDroppedFiles(HDROP drop);
// The settings window's side: applies the kept copies in the order they were dropped, removing
// each; or, when the window goes first, only removes them.
void ApplyKeptDrops();
void DiscardKeptDrops();
// Where the dropped images go; tests put a recorder in place to see which files arrive, in order.
using DroppedImageHandler = bool (*)(const std::string& imagePath);
DroppedImageHandler SetDroppedImageHandler(DroppedImageHandler replacement);

// A drop target that takes dropped files itself and passes every other drop to the browser's
// own target.
class FileDropTarget final : public IDropTarget {
 public:
  using FileDropHandler = void (*)(HDROP drop);

  // browserTarget may be null: then only file drops are accepted. The handler gets the drop
  // while it runs; the data object keeps the handle.
  FileDropTarget(IDropTarget* browserTarget, FileDropHandler handler);
  FileDropTarget(const FileDropTarget&) = delete;
  FileDropTarget& operator=(const FileDropTarget&) = delete;

  // IUnknown: reference-counted, created with one reference for the caller.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                 DWORD* effect) override;

 private:
  ~FileDropTarget() = default;
  // Accepts copying the files when the source allows it.
  static void OfferCopy(DWORD* effect);

  LONG references_ = 1;
  Microsoft::WRL::ComPtr<IDropTarget> browserTarget_;
  FileDropHandler handler_;
  bool draggingFiles_ = false;
};
