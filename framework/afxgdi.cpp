// The graphics wrappers: each holds one handle, taken and given back.
#include "afxgdi.h"

#include "afxapp.h"

namespace {
// A wrapper takes a handle only when it holds none.
template <class H>
BOOL TakeHandle(H& slot, H h) {
  if (!h || slot) return FALSE;
  slot = h;
  return TRUE;
}
template <class H>
H GiveHandle(H& slot) {
  H h = slot;
  slot = nullptr;
  return h;
}
}  // namespace

BOOL CGdiObject::Attach(HGDIOBJ h) { return TakeHandle(m_hObject, h); }
HGDIOBJ CGdiObject::Detach() { return GiveHandle(m_hObject); }

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CBitmap::LoadBitmap(UINT id) { return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id))); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return dc && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

CDC::~CDC() {
  if (m_hDC && !m_bWindowDC) ::DeleteDC(m_hDC);
}

BOOL CDC::Attach(HDC dc) { return TakeHandle(m_hDC, dc); }
HDC CDC::Detach() { return GiveHandle(m_hDC); }

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC || m_bWindowDC) return FALSE;
  return ::DeleteDC(Detach());
}

HGDIOBJ CDC::SelectObject(HGDIOBJ h) { return m_hDC && h ? ::SelectObject(m_hDC, h) : nullptr; }

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop) {
  return m_hDC && src && ::StretchBlt(m_hDC, x, y, w, h, src->m_hDC, xs, ys, ws, hs, rop);
}

COLORREF CDC::SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
