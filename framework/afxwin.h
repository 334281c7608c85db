// The framework's window classes, as far as the setup uses them: runtime
// class records, message maps with command routing, CWnd over a window
// handle, graphics wrappers, the application object, and property sheets
// and pages in wizard mode over the platform's PropertySheetA.
#pragma once
#include <vector>

#include "afxapp.h"
#include "afxstr.h"

#define ID_HELP 0xE146

class CObject;
class CCmdTarget;
class CWnd;
class CDC;

// Runtime class records: a class name, a base, and for dynamically creatable
// classes a function that makes an object with the default constructor.
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;
  CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  virtual ~CObject() = default;
  static const CRuntimeClass classCObject;
  virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
  bool IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }
};

#define RUNTIME_CLASS(c) (&c::class##c)
#define DECLARE_DYNAMIC(c)             \
 public:                               \
  static const CRuntimeClass class##c; \
  const CRuntimeClass* GetRuntimeClass() const override;
#define DECLARE_DYNCREATE(c) \
  DECLARE_DYNAMIC(c)         \
  static CObject* CreateObject();
#define IMPLEMENT_DYNAMIC(c, base)                                                                   \
  const CRuntimeClass c::class##c = {#c, static_cast<int>(sizeof(c)), nullptr, RUNTIME_CLASS(base)}; \
  const CRuntimeClass* c::GetRuntimeClass() const { return &c::class##c; }
#define IMPLEMENT_DYNCREATE(c, base)                                                                         \
  CObject* c::CreateObject() { return new c; } /* NOLINT(bugprone-macro-parentheses): a type */              \
  const CRuntimeClass c::class##c = {#c, static_cast<int>(sizeof(c)), c::CreateObject, RUNTIME_CLASS(base)}; \
  const CRuntimeClass* c::GetRuntimeClass() const { return &c::class##c; }

// Message maps. An entry names a message (or, for WM_COMMAND, a command id
// and notification code) and a thunk that calls the handler of the class
// that lists it; a class's map chains to its base class's map.
typedef LRESULT (*AFX_PMSG)(CCmdTarget* target, UINT msg, WPARAM w, LPARAM l);
struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  AFX_PMSG pfn;
};
struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};
// Stands for the seven WM_CTLCOLOR* messages in an entry.
constexpr UINT kAfxCtlColor = 0xFFFF0001u;

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                    \
  { 0, 0, 0, nullptr }                                                       \
  }                                                                          \
  ;                                                                          \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                               \
  }

#define ON_COMMAND(id, fn)                                                                    \
  {WM_COMMAND, 0, static_cast<UINT>(id), [](CCmdTarget* p, UINT, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(p)->fn();                                                        \
     return 0;                                                                                \
   }},
#define ON_BN_CLICKED(id, fn) ON_COMMAND(id, fn)
#define ON_WM_TIMER()                                                     \
  {WM_TIMER, 0, 0, [](CCmdTarget* p, UINT, WPARAM w, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(p)->OnTimer(static_cast<UINT_PTR>(w));       \
     return 0;                                                            \
   }},
#define ON_WM_CREATE()                                                                 \
  {WM_CREATE, 0, 0, [](CCmdTarget* p, UINT, WPARAM, LPARAM l) -> LRESULT {             \
     return static_cast<ThisClass*>(p)->OnCreate(reinterpret_cast<LPCREATESTRUCT>(l)); \
   }},
#define ON_WM_CTLCOLOR() {kAfxCtlColor, 0, 0, &AfxCtlColorThunk<ThisClass>},

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Looks for a handler of command id with notification code in this
  // object's message map (and its bases') and runs it.
  virtual BOOL OnCmdMsg(UINT id, int code);
  bool HandlesCommand(UINT id) const;
  void BeginWaitCursor();
  void EndWaitCursor();

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

 protected:
  const AFX_MSGMAP_ENTRY* FindEntry(UINT msg, UINT code, UINT id) const;
};

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
  int GetObject(int count, void* buffer) const;

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
  HDC GetSafeHdc() const { return m_hDC; }

  HDC m_hDC = nullptr;
  bool m_bWindowDC = false;  // from GetDC: given back with ReleaseDC, never deleted
};

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
  HWND GetSafeHwnd() const { return m_hWnd; }

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
  void SetFont(CFont* font, BOOL redraw = TRUE);
  BOOL EnableWindow(BOOL enable = TRUE);
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

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }
  BOOL Enable3dControlsStatic() { return TRUE; }
  void WinHelp(ULONG_PTR data, UINT command = HELP_CONTEXT);

  const char* m_pszAppName;
  // The help file: a string on the run-time library's heap (malloc), which
  // the application may free and replace.
  const char* m_pszHelpFilePath = nullptr;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// A copy of text on the run-time library's heap (malloc); nullptr if none is free.
char* AfxHeapCopy(const char* text);
// The framework's entry: sets up the application object and runs
// InitInstance; the program's exit status.
int AfxWinMain();

class CPropertyPage : public CWnd {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);

  virtual BOOL OnInitDialog();
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual LRESULT OnWizardBack() { return 0; }
  virtual LRESULT OnWizardNext() { return 0; }
  virtual BOOL OnWizardFinish() { return TRUE; }
  virtual BOOL OnQueryCancel() { return TRUE; }
  void CancelToClose();

  BOOL OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result) override;
  BOOL OnCmdMsg(UINT id, int code) override;

  PROPSHEETPAGEA m_psp;
  UINT m_nIDTemplate;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;

  static INT_PTR CALLBACK DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l);
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);

  void AddPage(CPropertyPage* page);
  int GetPageIndex(const CPropertyPage* page) const;
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  // Modal: returns ID_WIZFINISH or IDCANCEL (IDOK or IDCANCEL outside wizard
  // mode), -1 when the sheet could not be shown.
  virtual INT_PTR DoModal();
  // Modeless: shows the sheet and returns at once.
  BOOL Create(CWnd* parent = nullptr);

  PROPSHEETHEADERA m_psh;
  CString m_strCaption;
  CWnd* m_pParentWnd;

 private:
  void BuildHeader(CWnd* parent);
  std::vector<CPropertyPage*> m_pages;
  std::vector<PROPSHEETPAGEA> m_records;
};
