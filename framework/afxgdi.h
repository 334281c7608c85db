// Graphics wrappers: each owns its handle and deletes it when it goes,
// unless detached first.
#pragma once
#include "afxobj.h"

class CDC;

class CGdiObject : public CObject {
 public:
  CGdiObject() = default;
  ~CGdiObject() override { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  BOOL Attach(HGDIOBJ h);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
 public:
  BOOL LoadBitmap(UINT id);
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT: as the framework's
};

class CFont : public CGdiObject {
 public:
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT: as the framework's
};

class CDC : public CObject {
 public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  BOOL Attach(HDC dc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  HGDIOBJ SelectObject(HGDIOBJ h);
  BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop);
  COLORREF SetBkColor(COLORREF c);

  HDC m_hDC = nullptr;
  bool m_bWindowDC = false;  // from GetDC: given back with ReleaseDC, never deleted
};
