#include <windows.h>
#include <gdiplus.h>

#include <cwchar>
#include <memory>
#include <new>

#include "wallpaper/wallpaper.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

int FindEncoderClsid(const wchar_t* mimeType, CLSID* clsid) {
  UINT count = 0;
  UINT size = 0;
  GdipGetImageEncodersSize(&count, &size);
  if (size == 0) return -1;
  std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[size]);
  if (!buffer) return -1;
  auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.get());
  if (GdipGetImageEncoders(count, size, encoders) != Ok) return -1;
  for (UINT i = 0; i < count; ++i) {
    if (std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
      *clsid = encoders[i].Clsid;
      return static_cast<int>(i);
    }
  }
  return -1;
}
