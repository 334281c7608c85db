// Native stand-in for the property sheet in wizard mode: a sheet window with
// Back, Next, Finish, Cancel and Help buttons that creates each page's dialog
// from its template when the page is first shown, tells the pages of
// activation, navigation, finish, cancel and help through WM_NOTIFY, and
// answers the PSM_ messages. PropertySheetA runs it modally, asking the
// driver its program or test chose for input (with none, it cancels).
#include <cstring>

#include "internal.h"
#include "lumiwin.h"
#include "sheet.h"

namespace {

struct Sheet {
  HWND hwnd = nullptr;
  PROPSHEETHEADERA header = {};
  std::vector<PROPSHEETPAGEA> pages;
  std::vector<HWND> pageWindows;
  int current = -1;
  bool finishText = false;
  bool closed = false;
  INT_PTR result = 0;
};

// The sheet's size in dialog units: a page as the templates make it, a
// margin on either side, the row of buttons below.
constexpr int kPageWidth = 266, kPageHeight = 157;
constexpr int kMarginWidth = 14, kButtonRowHeight = 40;

Sheet* g_sheet = nullptr;  // the sheet shown now
LumiSheetDriver g_driver = nullptr;
void* g_driverContext = nullptr;

struct ButtonDef {
  int psbtn, id;
  const char* text;
};
const ButtonDef kButtons[] = {{PSBTN_BACK, ID_WIZBACK, "< &Back"},
                              {PSBTN_NEXT, ID_WIZNEXT, "&Next >"},
                              {PSBTN_FINISH, ID_WIZFINISH, "&Finish"},
                              {PSBTN_CANCEL, IDCANCEL, "Cancel"},
                              {PSBTN_HELP, IDHELP, "&Help"}};

HWND ButtonOf(const Sheet& s, int psbtn) {
  for (const ButtonDef& b : kButtons) {
    if (b.psbtn == psbtn) return GetDlgItem(s.hwnd, b.id);
  }
  return nullptr;
}

void Show(HWND h, bool show) { ShowWindow(h, show ? SW_SHOW : SW_HIDE); }

LRESULT Notify(const Sheet& s, int index, UINT code) {
  if (index < 0 || index >= static_cast<int>(s.pageWindows.size()) || !s.pageWindows[index]) return 0;
  PSHNOTIFY n = {};
  n.hdr.hwndFrom = s.hwnd;
  n.hdr.code = code;
  HWND page = s.pageWindows[index];
  SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
  return SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
}

unsigned TemplateOf(const PROPSHEETPAGEA& p) {
  return IS_INTRESOURCE(p.pszTemplate) ? static_cast<unsigned>(reinterpret_cast<uintptr_t>(p.pszTemplate)) : 0;
}

std::string TitleOf(const Sheet& s, int index) {
  const PROPSHEETPAGEA& p = s.pages[index];
  const char* title = (p.dwFlags & PSP_USETITLE) ? p.pszTitle : s.header.pszCaption;
  if (!title) return "";
  if (IS_INTRESOURCE(title)) {
    char buf[256];
    LoadStringA(p.hInstance, static_cast<UINT>(reinterpret_cast<uintptr_t>(title)), buf, sizeof buf);
    return buf;
  }
  return title;
}

// Shows page index, creating its window on first display.
bool Activate(Sheet& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.pages.size())) return false;
  if (!s.pageWindows[index]) {
    PROPSHEETPAGEA& p = s.pages[index];
    HWND page = LumiCreateDialog(TemplateOf(p), s.hwnd, p.pfnDlgProc, reinterpret_cast<LPARAM>(&p));
    if (!page) return false;
    s.pageWindows[index] = page;
  }
  if (s.current >= 0 && s.current != index) Show(s.pageWindows[s.current], false);
  s.current = index;
  HWND page = s.pageWindows[index];
  Show(page, true);
  EnableWindow(page, TRUE);
  SetWindowTextA(s.hwnd, TitleOf(s, index).c_str());
  EnableWindow(ButtonOf(s, PSBTN_HELP), (s.pages[index].dwFlags & PSP_HASHELP) != 0);
  Notify(s, index, PSN_SETACTIVE);
  return true;
}

int IndexOfAnswer(const Sheet& s, LRESULT answer, int step) {
  if (answer == 0) return s.current + step;
  for (size_t i = 0; i < s.pages.size(); ++i) {
    if (TemplateOf(s.pages[i]) == static_cast<unsigned>(answer)) return static_cast<int>(i);
  }
  return -1;
}

void Close(Sheet& s, INT_PTR result) {
  s.closed = true;
  s.result = result;
}

bool Offered(const Sheet& s, int psbtn) {
  HWND b = ButtonOf(s, psbtn);
  return IsWindowVisible(b) && IsWindowEnabled(b);
}

void Press(Sheet& s, int psbtn) {
  if (s.closed || !Offered(s, psbtn)) return;
  switch (psbtn) {
    case PSBTN_BACK:
    case PSBTN_NEXT: {
      int step = psbtn == PSBTN_NEXT ? 1 : -1;
      LRESULT answer = Notify(s, s.current, psbtn == PSBTN_NEXT ? PSN_WIZNEXT : PSN_WIZBACK);
      if (answer == -1) return;
      int target = IndexOfAnswer(s, answer, step);
      if (target < 0 || target >= static_cast<int>(s.pages.size())) return;
      if (Notify(s, s.current, PSN_KILLACTIVE)) return;
      Activate(s, target);
      return;
    }
    case PSBTN_FINISH:
      if (Notify(s, s.current, PSN_WIZFINISH)) return;
      Close(s, 1);
      return;
    case PSBTN_CANCEL:
      if (Notify(s, s.current, PSN_QUERYCANCEL)) return;
      for (size_t i = 0; i < s.pages.size(); ++i) Notify(s, static_cast<int>(i), PSN_RESET);
      Close(s, 0);
      return;
    case PSBTN_HELP:
      Notify(s, s.current, PSN_HELP);
      return;
    default:
      return;
  }
}

void SetWizardButtons(Sheet& s, LPARAM flags) {
  if (s.finishText) return;  // after "Close" only Finish is offered
  EnableWindow(ButtonOf(s, PSBTN_BACK), (flags & PSWIZB_BACK) != 0);
  bool finish = (flags & PSWIZB_FINISH) != 0;
  Show(ButtonOf(s, PSBTN_FINISH), finish);
  EnableWindow(ButtonOf(s, PSBTN_FINISH), finish);
  Show(ButtonOf(s, PSBTN_NEXT), !finish);
  EnableWindow(ButtonOf(s, PSBTN_NEXT), (flags & PSWIZB_NEXT) != 0);
}

LRESULT CALLBACK SheetProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  Sheet* s = g_sheet && g_sheet->hwnd == h ? g_sheet : nullptr;
  if (!s) return DefWindowProcA(h, msg, w, l);
  switch (msg) {
    case PSM_SETWIZBUTTONS:
      SetWizardButtons(*s, l);
      return 0;
    case PSM_SETFINISHTEXTA: {
      HWND finish = ButtonOf(*s, PSBTN_FINISH);
      SetWindowTextA(finish, reinterpret_cast<LPCSTR>(l));
      Show(finish, true);
      EnableWindow(finish, TRUE);
      Show(ButtonOf(*s, PSBTN_BACK), false);
      Show(ButtonOf(*s, PSBTN_NEXT), false);
      s->finishText = true;
      return 0;
    }
    case PSM_CANCELTOCLOSE:
      EnableWindow(ButtonOf(*s, PSBTN_CANCEL), FALSE);
      return 0;
    case PSM_PRESSBUTTON:
      Press(*s, static_cast<int>(w));
      return 0;
    case PSM_GETCURRENTPAGEHWND:
      return s->closed || s->current < 0 ? 0 : reinterpret_cast<LRESULT>(s->pageWindows[s->current]);
    case WM_COMMAND:
      for (const ButtonDef& b : kButtons) {
        if (LOWORD(w) == b.id && HIWORD(w) == BN_CLICKED) Press(*s, b.psbtn);
      }
      return 0;
    default:
      return DefWindowProcA(h, msg, w, l);
  }
}

void WindowGone(HWND h);

Sheet* Open(const PROPSHEETHEADERA* psh) {
  if (!psh || !(psh->dwFlags & PSH_PROPSHEETPAGE) || !psh->ppsp || psh->nPages == 0 || g_sheet) return nullptr;
  auto* s = new Sheet;
  s->header = *psh;
  s->pages.assign(psh->ppsp, psh->ppsp + psh->nPages);
  s->pageWindows.assign(psh->nPages, nullptr);
  g_sheet = s;
  LumiObserveDestroy(WindowGone);
  LumiCreate c;
  c.cls = LUMI_DIALOG_CLASS;
  c.text = psh->pszCaption && !IS_INTRESOURCE(psh->pszCaption) ? psh->pszCaption : "";
  c.cx = LumiDluX(kPageWidth + kMarginWidth);
  c.cy = LumiDluY(kPageHeight + kButtonRowHeight);
  c.proc = SheetProc;
  c.parent = psh->hwndParent;
  s->hwnd = LumiCreateWindow(c);
  if (!s->hwnd) {
    g_sheet = nullptr;
    delete s;
    return nullptr;
  }
  for (const ButtonDef& b : kButtons) {
    LumiCreate bc;
    bc.cls = "Button";
    bc.text = b.text;
    bc.style = WS_CHILD | WS_TABSTOP;
    bool visible = b.psbtn != PSBTN_FINISH && (b.psbtn != PSBTN_HELP || (psh->dwFlags & PSH_HASHELP));
    if (visible) bc.style |= WS_VISIBLE;
    bc.id = b.id;
    bc.parent = s->hwnd;
    bc.proc = LumiControlProc;
    LumiCreateWindow(bc);
  }
  ShowWindow(s->hwnd, SW_SHOW);
  UINT start = psh->nStartPage < psh->nPages ? psh->nStartPage : 0;
  if (!Activate(*s, static_cast<int>(start))) Close(*s, -1);
  LumiPumpMessages();
  return s;
}

void Destroy(Sheet* s) {
  if (g_sheet == s) g_sheet = nullptr;
  delete s;
}

// A modeless sheet's window may be destroyed by its owner: forget it then.
void WindowGone(HWND h) {
  if (g_sheet && g_sheet->hwnd == h) Destroy(g_sheet);
}

}  // namespace

INT_PTR WINAPI PropertySheetA(LPCPROPSHEETHEADERA psh) {
  Sheet* s = Open(psh);
  if (!s) return -1;
  if (psh->dwFlags & PSH_MODELESS) return reinterpret_cast<INT_PTR>(s->hwnd);
  while (!s->closed) {
    if (!g_driver || !g_driver(g_driverContext)) {
      // No more input: cancel; once the install has run, Close; failing
      // both, the window is closed as its title bar's close box would.
      Press(*s, PSBTN_CANCEL);
      if (!s->closed && s->finishText) Press(*s, PSBTN_FINISH);
      if (!s->closed) Close(*s, 0);
    }
    LumiPumpMessages();
  }
  INT_PTR result = s->result;
  DestroyWindow(s->hwnd);  // forgets the sheet too
  return result;
}

void LumiSheetSetDriver(LumiSheetDriver driver, void* context) {
  g_driver = driver;
  g_driverContext = context;
}

HWND LumiSheetWindow() { return g_sheet ? g_sheet->hwnd : nullptr; }
bool LumiSheetClosed() { return !g_sheet || g_sheet->closed; }

void LumiSheetPress(int psbtn) {
  if (g_sheet) Press(*g_sheet, psbtn);
  LumiPumpMessages();
  // A modeless sheet that has closed is gone once its window is destroyed.
}

LumiSheetButtonView LumiSheetButton(int psbtn) {
  LumiSheetButtonView b = {false, false, ""};
  if (!g_sheet) return b;
  HWND h = ButtonOf(*g_sheet, psbtn);
  b.visible = IsWindowVisible(h);
  b.enabled = IsWindowEnabled(h);
  if (LumiWindow* w = LumiWindowOf(h)) b.text = w->text;
  return b;
}

HWND LumiSheetPage() { return g_sheet && g_sheet->current >= 0 ? g_sheet->pageWindows[g_sheet->current] : nullptr; }
unsigned LumiSheetPageTemplate() {
  return g_sheet && g_sheet->current >= 0 ? TemplateOf(g_sheet->pages[g_sheet->current]) : 0;
}
int LumiSheetPageIndex() { return g_sheet ? g_sheet->current : -1; }
std::string LumiSheetCaption() {
  LumiWindow* w = g_sheet ? LumiWindowOf(g_sheet->hwnd) : nullptr;
  return w ? w->text : "";
}
