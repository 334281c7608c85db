// CWnd over a window handle: the handle maps, message dispatch through the
// message maps, data exchange with controls, and CStatic.
#pragma once
#include "afxgdi.h"
#include "afxstr.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dlg, BOOL save) : m_bSaveAndValidate(save), m_pDlgWnd(dlg) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
};
// The text of control id to or from value.
void DDX_Text(CDataExchange* dx, int id, CString& value);

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The object of a window: its own one, or a temporary one that lives until
  // the outermost message handler running now returns.
  static CWnd* FromHandle(HWND h);
  static CWnd* FromHandlePermanent(HWND h);
  BOOL Attach(HWND h);
  HWND Detach();

  CWnd* GetParent() const;
  CWnd* GetDlgItem(int id) const;
  void SetWindowText(const char* text);
  void GetWindowText(CString& text) const;
  LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const;
  BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const;
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc);
  BOOL KillTimer(UINT_PTR id);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void GetClientRect(LPRECT rect) const;
  CDC* GetDC();
  int ReleaseDC(CDC* dc);
  // Binds this object to the dialog's control id.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // Runs DoDataExchange from the controls (save) or to them.
  BOOL UpdateData(BOOL save = TRUE);
  virtual void DoDataExchange(CDataExchange* dx);
  virtual BOOL DestroyWindow();

  // The message being handled, given to the default handling.
  LRESULT Default();
  virtual BOOL OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result);
  virtual BOOL OnCommand(WPARAM w, LPARAM l);

  // Default handlers, reached from handlers that pass a message on.
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  int OnCreate(LPCREATESTRUCT cs);
  void OnTimer(UINT_PTR id);

  HWND m_hWnd = nullptr;
  WNDPROC m_pfnSuper = nullptr;  // the procedure this object's window had before

  // Dispatch of one message to the object of its window.
  static LRESULT Dispatch(CWnd* wnd, UINT msg, WPARAM w, LPARAM l, BOOL* handled);
  static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM w, LPARAM l);

 protected:
  UINT m_nMsg = 0;
  WPARAM m_wParam = 0;
  LPARAM m_lParam = 0;
};

template <class T>
LRESULT AfxCtlColorThunk(CCmdTarget* p, UINT msg, WPARAM w, LPARAM l) {
  CDC dc;
  dc.Attach(reinterpret_cast<HDC>(w));
  HBRUSH brush =
      static_cast<T*>(p)->OnCtlColor(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(l)), msg - WM_CTLCOLORMSGBOX);
  dc.Detach();
  return reinterpret_cast<LRESULT>(brush);
}

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const;
};
