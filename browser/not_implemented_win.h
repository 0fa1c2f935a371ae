// For the host methods that the browser control has no reason to call.
#pragma once

#include <windows.h>

// Shows a box naming the method, captioned "Not Implemented", and answers E_NOTIMPL.
HRESULT NotImplemented(const wchar_t* method);
