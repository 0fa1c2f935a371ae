// Files dropped on the settings window: every image among them becomes the desktop wallpaper,
// one after the other, so the last one stays; and the drop target that brings drops over the
// page to the same place.
#pragma once

#include <windows.h>
#include <oleidl.h>
#include <shellapi.h>

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
// Where the dropped images go: the picture to show and the file the user dropped, which names it
// in the log; tests put a recorder in place to see which files arrive, in order.
using DroppedImageHandler = bool (*)(const std::string& imagePath, const std::string& droppedPath);
DroppedImageHandler SetDroppedImageHandler(DroppedImageHandler replacement);

// A drop target that takes dropped files itself and refuses every other drag: a link or text
// dropped on the browser would navigate it, and an address of the program's own page with a
// command anchor would carry that command out.
class FileDropTarget final : public IDropTarget {
 public:
  using FileDropHandler = void (*)(HDROP drop);

  // The handler gets the drop while it runs; the data object keeps the handle.
  explicit FileDropTarget(FileDropHandler handler);
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
  // Accepts copying files when the source allows it; refuses anything else.
  void Offer(DWORD* effect) const;

  LONG references_ = 1;
  FileDropHandler handler_;
  bool draggingFiles_ = false;
};
