// Base64 with the standard alphabet and "=" padding, no line breaks. Windows-free.
#pragma once

#include <string>
#include <string_view>

std::string Base64Encode(std::string_view bytes);
