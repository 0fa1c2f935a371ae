// Keys under HKEY_CURRENT_USER and their values, opened and written the same way everywhere.
#pragma once

#include <windows.h>

#include <string>

#include "base/scoped_win.h"

// Opened for writing and querying values (0x20007); empty when the key is missing or refused.
ScopedRegKey OpenUserKey(const char* path);
// The same, creating the key (and its parents) when it is missing.
ScopedRegKey CreateUserKey(const char* path);
// Writes a REG_SZ value with its terminating NUL counted; a null name is the key's default value.
void SetStringValue(HKEY key, const char* name, const std::string& data);
