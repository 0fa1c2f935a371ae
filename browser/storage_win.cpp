#include "browser/storage_win.h"

#include "browser/com_win.h"

HRESULT Storage::QueryInterface(REFIID, void**) { return NotImplemented(L"QueryInterface"); }
ULONG Storage::AddRef() { return 1; }
ULONG Storage::Release() { return 1; }

HRESULT Storage::CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream**) {
  return NotImplemented(L"CreateStream");
}

HRESULT Storage::OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream**) {
  return NotImplemented(L"OpenStream");
}

HRESULT Storage::CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage**) {
  return NotImplemented(L"CreateStorage");
}

HRESULT Storage::OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) {
  return NotImplemented(L"OpenStorage");
}

HRESULT Storage::CopyTo(DWORD, const IID*, SNB, IStorage*) { return NotImplemented(L"CopyTo"); }

HRESULT Storage::MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) {
  return NotImplemented(L"MoveElementTo");
}

HRESULT Storage::Commit(DWORD) { return NotImplemented(L"Commit"); }
HRESULT Storage::Revert() { return NotImplemented(L"Revert"); }

HRESULT Storage::EnumElements(DWORD, void*, DWORD, IEnumSTATSTG**) {
  return NotImplemented(L"EnumElements");
}

HRESULT Storage::DestroyElement(const OLECHAR*) { return NotImplemented(L"DestroyElement"); }

HRESULT Storage::RenameElement(const OLECHAR*, const OLECHAR*) {
  return NotImplemented(L"RenameElement");
}

HRESULT Storage::SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*,
                                 const FILETIME*) {
  return NotImplemented(L"SetElementTimes");
}

// The control records its class here when it is created.
HRESULT Storage::SetClass(REFCLSID) { return S_OK; }
HRESULT Storage::SetStateBits(DWORD, DWORD) { return NotImplemented(L"SetStateBits"); }
HRESULT Storage::Stat(STATSTG*, DWORD) { return NotImplemented(L"Stat"); }
