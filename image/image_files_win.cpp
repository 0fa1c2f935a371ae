#include "image/image_win.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <memory>
#include <new>

#include "base/text_win.h"
#include "base/whole_file_win.h"
#include "image/image.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

struct ImageSize {
  UINT width = 0;
  UINT height = 0;
};

ImageSize SizeOf(GpImage* image) {
  ImageSize size;
  GdipGetImageWidth(image, &size.width);
  GdipGetImageHeight(image, &size.height);
  return size;
}

}  // namespace

bool IsDrawableFormat(PixelFormat format) {
  static constexpr PixelFormat kDrawable[] = {
      PixelFormat16bppRGB555, PixelFormat16bppRGB565, PixelFormat24bppRGB,
      PixelFormat32bppRGB,    PixelFormat32bppARGB,   PixelFormat32bppPARGB,
      PixelFormat48bppRGB,    PixelFormat64bppARGB,   PixelFormat64bppPARGB};
  return std::find(std::begin(kDrawable), std::end(kDrawable), format) != std::end(kDrawable);
}

ScopedGdipBitmap LoadImageFile(const std::string& path) {
  ScopedGdipBitmap image;
  if (GdipCreateBitmapFromFile(AnsiToWide(path).c_str(), image.Receive()) != Ok) {
    return ScopedGdipBitmap();
  }
  const ImageSize size = SizeOf(image.Get());
  if (size.width == 0 || size.height == 0) return ScopedGdipBitmap();
  return image;
}

bool SaveImageFile(GpImage* image, const std::string& path, const wchar_t* mimeType) {
  CLSID encoder;
  if (FindEncoderClsid(mimeType, &encoder) < 0) return false;
  // GDI+ writes as it encodes: a failure halfway must not cost the file that is there.
  WholeFileWriter writer(path);
  if (!writer) return false;
  const std::wstring temporary = AnsiToWide(writer.HandOverTemporaryPath());
  return GdipSaveImageToFile(image, temporary.c_str(), &encoder, nullptr) == Ok && writer.Commit();
}

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

bool IsImageFile(const std::string& path) {
  // Shared for deleting, so that the check never makes a save's rename fail.
  ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  unsigned char head[128] = {};
  DWORD got = 0;
  if (!::ReadFile(file.Get(), head, sizeof head, &got, nullptr)) return false;
  return HasImageSignature(head, got);
}
