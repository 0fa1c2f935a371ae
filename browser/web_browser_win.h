// The browser control's automation interface, reached from its OLE object.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <wrl/client.h>

// Null when there is no control (it was never created) or it does not answer.
Microsoft::WRL::ComPtr<IWebBrowser2> QueryWebBrowser(IOleObject* browserObject);
