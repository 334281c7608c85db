// Native stand-in for dialogs: a dialog box and its controls built from the
// program's template, the dialog procedure's defaults, and what the static,
// edit and button controls do with their messages.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "internal.h"
#include "lumiwin.h"
#include "rcscript.h"

namespace {

bool IsControlColour(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

LRESULT CALLBACK DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l);

}  // namespace

// Dialog units of the 8-point dialog font: 6 x 13 pixels per 4 x 8 units.
int LumiDluX(int x) { return x * 6 / 4; }
int LumiDluY(int y) { return y * 13 / 8; }

namespace {
// A window of a template's rectangle (dialog units) and styles.
LumiCreate FromTemplate(const char* cls, const char* text, unsigned long style, unsigned long exStyle, int x, int y,
                        int cx, int cy, HWND parent, WNDPROC proc) {
  LumiCreate c;
  c.cls = cls;
  c.text = text;
  c.style = style;
  c.exStyle = exStyle;
  c.x = LumiDluX(x);
  c.y = LumiDluY(y);
  c.cx = LumiDluX(cx);
  c.cy = LumiDluY(cy);
  c.parent = parent;
  c.proc = proc;
  return c;
}
}  // namespace

HWND LumiCreateDialog(unsigned templateId, HWND parent, DLGPROC proc, LPARAM init) {
  const auto& dialogs = LumiModuleScript().Dialogs();
  auto it = dialogs.find(templateId);
  if (it == dialogs.end()) return nullptr;
  const RcDialog& d = it->second;
  LumiCreate c =
      FromTemplate(LUMI_DIALOG_CLASS, d.caption.c_str(), d.style, d.exStyle, d.x, d.y, d.cx, d.cy, parent, DialogProc);
  c.dlgProc = proc;
  HWND h = LumiCreateWindow(c);
  if (!h) return nullptr;
  LumiWindowOf(h)->templateId = templateId;
  HWND first = nullptr;
  for (const RcControl& rc : d.controls) {
    std::string cls = rc.className;
    if (rc.classOrdinal == 0x80) cls = "Button";
    if (rc.classOrdinal == 0x81) cls = "Edit";
    if (rc.classOrdinal == 0x82) cls = "Static";
    for (auto& ch : cls) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (!cls.empty()) cls[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cls[0])));
    LumiCreate cc = FromTemplate(cls.c_str(), rc.hasTextId ? "" : rc.text.c_str(), rc.style, rc.exStyle, rc.x, rc.y,
                                 rc.cx, rc.cy, h, LumiControlProc);
    cc.id = static_cast<int>(rc.id);
    HWND ctl = LumiCreateWindow(cc);
    if (!ctl) continue;
    if (!first) first = ctl;
    if (cls == "Static" && (rc.style & SS_TYPEMASK) == SS_BITMAP && rc.hasTextId) {
      // The control loads its template image itself and keeps it.
      LumiWindow* w = LumiWindowOf(ctl);
      w->image = LoadBitmapA(nullptr, MAKEINTRESOURCEA(rc.textId));
      w->ownedImage = w->image;
    }
  }
  SendMessageA(h, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init);
  return h;
}

namespace {
LRESULT CALLBACK DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  INT_PTR r = win && win->dlgProc ? win->dlgProc(h, msg, w, l) : 0;
  if (!LumiWindowOf(h)) return r;
  if (msg == WM_INITDIALOG || IsControlColour(msg)) {
    if (r || !IsControlColour(msg)) return r;
    return reinterpret_cast<LRESULT>(LumiDialogFaceBrush());
  }
  if (r) return win->msgResult;
  return DefWindowProcA(h, msg, w, l);
}
}  // namespace

LRESULT CALLBACK LumiControlProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  switch (msg) {
    case STM_SETIMAGE: {
      if (win->cls != "Static" || w != IMAGE_BITMAP) return 0;
      HGDIOBJ old = win->image;
      win->image = reinterpret_cast<HGDIOBJ>(l);
      if (win->redraw) ++win->paints;
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return win->cls == "Static" && w == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(win->image) : 0;
    case BM_CLICK:
      if (win->cls == "Button" && IsWindowEnabled(h) && IsWindowVisible(h)) {
        SendMessageA(win->parent, WM_COMMAND, MAKEWPARAM(win->id, BN_CLICKED), reinterpret_cast<LPARAM>(h));
      }
      return 0;
    default:
      return DefWindowProcA(h, msg, w, l);
  }
}

LRESULT WINAPI DefWindowProcA(HWND h, UINT msg, WPARAM w, LPARAM l) {
  LumiWindow* win = LumiWindowOf(h);
  if (!win) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT:
      win->text = l ? reinterpret_cast<const char*>(l) : "";
      if (win->redraw) ++win->paints;
      return TRUE;
    case WM_GETTEXT: {
      if (w == 0 || !l) return 0;
      size_t n = std::min(win->text.size(), static_cast<size_t>(w) - 1);
      std::memcpy(reinterpret_cast<char*>(l), win->text.data(), n);
      reinterpret_cast<char*>(l)[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(win->text.size());
    case WM_SETFONT:
      win->font = reinterpret_cast<HFONT>(w);
      if (l && win->redraw) ++win->paints;
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(win->font);
    case WM_SETREDRAW:
      win->redraw = w != 0;
      return 0;
    case WM_SETICON: {
      if (w > ICON_BIG) return 0;
      HICON old = win->icons[w];
      win->icons[w] = reinterpret_cast<HICON>(l);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
      return w <= ICON_BIG ? reinterpret_cast<LRESULT>(win->icons[w]) : 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(LumiDialogFaceBrush());
    default:
      return 0;
  }
}
