// Registry values written the way every part of the program writes them.
#pragma once

#include <windows.h>

#include <string>

// Writes a REG_SZ value with its terminating NUL counted.
void SetStringValue(HKEY key, const char* name, const std::string& data);
