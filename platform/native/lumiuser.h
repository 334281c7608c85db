// The window system, graphics, property sheet, shell and help calls, with
// their Win32 names and signatures, served natively by a headless window
// model (windows.cpp, queue.cpp, dialogs.cpp, gdi.cpp, shell.cpp; the
// property sheet is the host's, host/sheet.cpp). Included by lumiwin.h.
#pragma once
#include <cstdint>

typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t ULONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD COLORREF;
typedef struct LumiWindow* HWND;
typedef struct LumiDc* HDC;
typedef HGDIOBJ HFONT;
typedef HGDIOBJ HBRUSH;
typedef struct LumiIcon* HICON;
typedef HICON HCURSOR;
typedef struct LumiHook* HHOOK;
typedef struct LumiPage* HPROPSHEETPAGE;

#define LOWORD(l) (static_cast<WORD>(static_cast<uintptr_t>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<uintptr_t>(l) >> 16) & 0xFFFF))
#define MAKELONG(a, b) (static_cast<LONG>(static_cast<WORD>(a) | static_cast<DWORD>(static_cast<WORD>(b)) << 16))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define RGB(r, g, b) (static_cast<COLORREF>((r) | ((g) << 8) | ((b) << 16)))
#define IS_INTRESOURCE(p) ((reinterpret_cast<uintptr_t>(p) >> 16) == 0)

struct RECT {
  LONG left, top, right, bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
struct POINT {
  LONG x, y;
};

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef LRESULT(CALLBACK* HOOKPROC)(int, WPARAM, LPARAM);
typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

// Messages
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_NEXTDLGCTL 0x0028
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_NOTIFY 0x004E
#define WM_HELP 0x0053
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define WM_USER 0x0400
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#define BN_CLICKED 0
#define BM_CLICK 0x00F5
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define ICON_SMALL 0
#define ICON_BIG 1
#define IDOK 1
#define IDCANCEL 2
#define IDHELP 9

// Window styles and indices
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_BORDER 0x00800000L
#define WS_VSCROLL 0x00200000L
#define WS_TABSTOP 0x00010000L
#define WS_EX_CLIENTEDGE 0x00000200L
#define SS_TYPEMASK 0x1F
#define SS_BITMAP 0x0E
#define SS_SUNKEN 0x1000
#define ES_MULTILINE 0x0004
#define ES_READONLY 0x0800
#define GWL_STYLE (-16)
#define GWLP_WNDPROC (-4)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)
#define DWLP_MSGRESULT 0
#define SW_HIDE 0
#define SW_SHOW 5

// Windows and messages
LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem);
HWND WINAPI GetParent(HWND hWnd);
BOOL WINAPI IsWindow(HWND hWnd);
BOOL WINAPI IsWindowEnabled(HWND hWnd);
BOOL WINAPI IsWindowVisible(HWND hWnd);
BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable);
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
BOOL WINAPI DestroyWindow(HWND hWnd);
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString);
int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
int WINAPI GetWindowTextLengthA(HWND hWnd);
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent);

#define WH_CBT 5
#define HCBT_CREATEWND 3
struct CREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  void* hMenu;
  HWND hwndParent;
  int cy, cx, y, x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};
typedef CREATESTRUCTA* LPCREATESTRUCTA;
typedef CREATESTRUCTA* LPCREATESTRUCT;
struct CBT_CREATEWNDA {
  CREATESTRUCTA* lpcs;
  HWND hwndInsertAfter;
};
HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId);
BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk);
LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam);
DWORD WINAPI GetCurrentThreadId(void);

// Icons and cursors
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define LR_DEFAULTCOLOR 0x0000
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad);
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
HCURSOR WINAPI SetCursor(HCURSOR hCursor);
int WINAPI GetSystemMetrics(int nIndex);
#define SM_CXICON 11

// GDI
#define FW_BOLD 700
#define DEFAULT_CHARSET 1
#define OUT_CHARACTER_PRECIS 2
#define CLIP_CHARACTER_PRECIS 1
#define PROOF_QUALITY 2
#define DEFAULT_PITCH 0
#define FF_SCRIPT 0x40
#define WHITE_BRUSH 0
#define SRCCOPY 0x00CC0020u
HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                         DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                         DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName);
HGDIOBJ WINAPI GetStockObject(int i);
HDC WINAPI GetDC(HWND hWnd);
int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
HDC WINAPI CreateCompatibleDC(HDC hdc);
BOOL WINAPI DeleteDC(HDC hdc);
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop);
COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);

// Property sheets
#define PSP_DEFAULT 0x0000
#define PSP_DLGINDIRECT 0x0001
#define PSP_USETITLE 0x0008
#define PSP_HASHELP 0x0020
#define PSH_DEFAULT 0x0000
#define PSH_PROPTITLE 0x0001
#define PSH_USEICONID 0x0004
#define PSH_PROPSHEETPAGE 0x0008
#define PSH_WIZARD 0x0020
#define PSH_USEPSTARTPAGE 0x0040
#define PSH_NOAPPLYNOW 0x0080
#define PSH_HASHELP 0x0200
#define PSH_MODELESS 0x0400
#define PSWIZB_BACK 1
#define PSWIZB_NEXT 2
#define PSWIZB_FINISH 4
#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6
#define PSM_SETCURSEL (WM_USER + 101)
#define PSM_PRESSBUTTON (WM_USER + 113)
#define PSM_SETWIZBUTTONS (WM_USER + 112)
#define PSM_SETFINISHTEXTA (WM_USER + 115)
#define PSM_SETFINISHTEXT PSM_SETFINISHTEXTA
#define PSM_CANCELTOCLOSE (WM_USER + 107)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)
#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)
#define ID_PSRESTARTWINDOWS 2

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
typedef NMHDR* LPNMHDR;
struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
};
struct PROPSHEETPAGEA;
typedef UINT(CALLBACK* LPFNPSPCALLBACKA)(HWND, UINT, PROPSHEETPAGEA*);
struct PROPSHEETPAGEA {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  LPCSTR pszTemplate;
  HICON hIcon;
  LPCSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKA pfnCallback;
  UINT* pcRefParent;
};
typedef PROPSHEETPAGEA* LPPROPSHEETPAGEA;
typedef const PROPSHEETPAGEA* LPCPROPSHEETPAGEA;
typedef int(CALLBACK* PFNPROPSHEETCALLBACK)(HWND, UINT, LPARAM);
struct PROPSHEETHEADERA {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  HICON hIcon;
  LPCSTR pszCaption;
  UINT nPages;
  UINT nStartPage;
  LPCPROPSHEETPAGEA ppsp;
  PFNPROPSHEETCALLBACK pfnCallback;
};
typedef PROPSHEETHEADERA* LPPROPSHEETHEADERA;
typedef const PROPSHEETHEADERA* LPCPROPSHEETHEADERA;
INT_PTR WINAPI PropertySheetA(LPCPROPSHEETHEADERA lppsph);

// Help
#define HELP_CONTEXT 0x0001L
#define HELP_QUIT 0x0002L
BOOL WINAPI WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);

// Shell: folder browser and its item lists
struct SHITEMID {
  WORD cb;
  BYTE abID[1];
};
struct ITEMIDLIST {
  SHITEMID mkid;
};
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
struct IMalloc : IUnknown {
  virtual void* STDMETHODCALLTYPE Alloc(size_t cb) = 0;
  virtual void* STDMETHODCALLTYPE Realloc(void* pv, size_t cb) = 0;
  virtual void STDMETHODCALLTYPE Free(void* pv) = 0;
  virtual size_t STDMETHODCALLTYPE GetSize(void* pv) = 0;
  virtual int STDMETHODCALLTYPE DidAlloc(void* pv) = 0;
  virtual void STDMETHODCALLTYPE HeapMinimize() = 0;

 protected:
  ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;
typedef int(CALLBACK* BFFCALLBACK)(HWND, UINT, LPARAM, LPARAM);
struct BROWSEINFOA {
  HWND hwndOwner;
  LPCITEMIDLIST pidlRoot;
  LPSTR pszDisplayName;
  LPCSTR lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
typedef BROWSEINFOA* LPBROWSEINFOA;
#define BIF_RETURNONLYFSDIRS 0x0001
#define CSIDL_DESKTOP 0x0000
#define CSIDL_DRIVES 0x0011
HRESULT WINAPI SHGetMalloc(LPMALLOC* ppMalloc);
HRESULT WINAPI SHGetSpecialFolderLocation(HWND hwnd, int csidl, LPITEMIDLIST* ppidl);
LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA lpbi);
BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath);

// COM class contexts.
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
