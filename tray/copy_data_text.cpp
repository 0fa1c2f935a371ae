#include "tray/copy_data_text.h"

#include <cstring>

std::string CopyDataText(const void* data, std::size_t size) {
  if (!data || size == 0) return std::string();
  const char* text = static_cast<const char*>(data);
  const void* zero = std::memchr(text, '\0', size);
  return std::string(text, zero ? static_cast<const char*>(zero) : text + size);
}
