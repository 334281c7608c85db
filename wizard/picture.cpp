#include "picture.h"

#include "rules.h"

CPictureStatic::CPictureStatic() : m_pBitmap(new CBitmap) {}

CPictureStatic::~CPictureStatic() { delete m_pBitmap; }

BOOL CPictureStatic::FitBitmap(UINT id) {
  if (!m_hWnd) return FALSE;
  CBitmap loaded;
  HBITMAP source = nullptr;
  if (id != 0) {
    if (loaded.LoadBitmap(id)) source = loaded;
  } else {
    source = GetBitmap();
    // The control already shows its own fitted copy: there is nothing to
    // scale, and the copy is about to be released.
    if (source && source == m_pBitmap->GetSafeHandle()) return FALSE;
  }
  // The description of a bitmap, in a buffer the size of a DIB section's.
  union {
    BITMAP bm;
    unsigned char dib[84];
  } info = {};
  if (!source || ::GetObjectA(source, sizeof info, &info) < static_cast<int>(sizeof(BITMAP))) return FALSE;
  RECT client;
  GetClientRect(&client);
  int width = 0, height = 0;
  if (!FitSize(info.bm.bmWidth, info.bm.bmHeight, client.right - client.left, client.bottom - client.top, width,
               height)) {
    return FALSE;
  }
  CDC* dc = GetDC();
  if (!dc) return FALSE;

  delete m_pBitmap;  // the previous copy goes before the next is made
  m_pBitmap = new CBitmap;
  BOOL stretched = FALSE;
  if (!m_pBitmap->CreateCompatibleBitmap(dc, width, height)) {
    ReleaseDC(dc);
    SetBitmap(nullptr);  // never left showing the released copy
    return FALSE;
  }
  CDC from, to;
  from.CreateCompatibleDC(dc);
  to.CreateCompatibleDC(dc);
  HGDIOBJ fromBefore = from.SelectObject(source);
  HGDIOBJ toBefore = to.SelectObject(*m_pBitmap);
  stretched = to.StretchBlt(0, 0, width, height, &from, 0, 0, info.bm.bmWidth, info.bm.bmHeight, SRCCOPY);
  from.SelectObject(fromBefore);
  to.SelectObject(toBefore);
  ReleaseDC(dc);
  SetBitmap(*m_pBitmap);
  InvalidateRect(nullptr, TRUE);
  to.DeleteDC();
  from.DeleteDC();
  return stretched;
}
