// The sheet host's views of the current page, as tests and the console
// front end read it: a control's text, font and background, the picture it
// shows, a push button pressed by its label, and the page as text.
#include <cctype>
#include <sstream>

#include "internal.h"
#include "lumiwin.h"
#include "sheet.h"
#include "views.h"

namespace {

LumiWindow* ControlOf(int id) {
  HWND page = LumiSheetPage();
  return page ? LumiWindowOf(GetDlgItem(page, id)) : nullptr;
}

bool IsPushButton(const LumiWindow& w) { return w.cls == "Button" && (w.style & 0xF) == 0; }

// The background a control is painted on: what the page answers when the
// platform asks it for the control's colours.
HBRUSH BrushFor(LumiWindow& c) {
  UINT msg = WM_CTLCOLORSTATIC;
  if (c.cls == "Edit" && !(c.style & ES_READONLY) && !(c.style & WS_DISABLED)) msg = WM_CTLCOLOREDIT;
  if (c.cls == "Button") msg = WM_CTLCOLORBTN;
  HDC dc = GetDC(c.handle);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(c.parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.handle)));
  ReleaseDC(c.handle, dc);
  return brush;
}

void Wrap(std::ostringstream& out, const std::string& text, const char* indent) {
  const size_t width = 78;
  std::string line;
  auto flush = [&] {
    out << indent << line << "\n";
    line.clear();
  };
  std::string word;
  auto put = [&] {
    if (word.empty()) return;
    if (!line.empty() && line.size() + 1 + word.size() > width) flush();
    line += (line.empty() ? "" : " ") + word;
    word.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') continue;
    if (c == '\n') {
      put();
      flush();
    } else if (c == ' ' || c == '\t') {
      put();
    } else {
      word += c;
    }
  }
  put();
  if (!line.empty()) flush();
}

}  // namespace

std::string LumiSheetLabel(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '&') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string LumiSheetText(int id) {
  LumiWindow* c = ControlOf(id);
  return c ? c->text : "";
}

bool LumiSheetBold(int id) {
  LumiWindow* c = ControlOf(id);
  return c && LumiGdiDescribe(c->font).weight >= FW_BOLD;
}

std::string LumiSheetFontArguments(int id) {
  LumiWindow* c = ControlOf(id);
  return c ? LumiGdiDescribe(c->font).fontArguments : "";
}

bool LumiSheetWhite(int id) {
  LumiWindow* c = ControlOf(id);
  if (!c) return false;
  LumiGdiInfo brush = LumiGdiDescribe(BrushFor(*c));
  return brush.kind == LumiGdiInfo::Brush && brush.colour == RGB(255, 255, 255);
}

LumiSheetPictureView LumiSheetPicture(int id) {
  LumiSheetPictureView p = {false, 0, 0, 0, 0, 0, 0};
  LumiWindow* c = ControlOf(id);
  if (!c) return p;
  RECT r;
  GetClientRect(c->handle, &r);
  p.clientWidth = r.right;
  p.clientHeight = r.bottom;
  p.paints = c->paints;
  LumiGdiInfo info = LumiGdiDescribe(c->image);
  if (info.kind != LumiGdiInfo::Bitmap) return p;
  p.shown = true;
  p.bitmapId = info.resourceId;
  p.width = info.width;
  p.height = info.height;
  return p;
}

bool LumiSheetClick(const std::string& label) {
  HWND page = LumiSheetPage();
  LumiWindow* w = LumiWindowOf(page);
  if (!w) return false;
  for (HWND h : w->children) {
    LumiWindow* c = LumiWindowOf(h);
    if (c && IsPushButton(*c) && LumiSheetLabel(c->text) == LumiSheetLabel(label) && IsWindowVisible(h) &&
        IsWindowEnabled(h)) {
      SendMessageA(h, BM_CLICK, 0, 0);
      LumiPumpMessages();
      return true;
    }
  }
  return false;
}

std::string LumiSheetRender() {
  std::ostringstream out;
  HWND page = LumiSheetPage();
  out << "== " << LumiSheetCaption() << " ==\n";
  if (LumiWindow* w = LumiWindowOf(page)) {
    for (HWND h : w->children) {
      LumiWindow* c = LumiWindowOf(h);
      if (!c || !IsWindowVisible(h)) continue;
      bool white = LumiSheetWhite(c->id);
      if (c->cls == "Static" && (c->style & SS_TYPEMASK) == SS_BITMAP) {
        LumiSheetPictureView p = LumiSheetPicture(c->id);
        if (c->id == 0xFFFF) {
          out << "  [panel" << (white ? ", white" : "") << "]\n";
        } else if (p.shown) {
          out << "  [picture: bitmap " << p.bitmapId << ", " << p.width << " x " << p.height << " in " << p.clientWidth
              << " x " << p.clientHeight << "]\n";
        } else {
          out << "  [picture: none]\n";
        }
      } else if (IsPushButton(*c)) {
        out << "  [" << LumiSheetLabel(c->text) << "]" << (IsWindowEnabled(h) ? "" : " (off)") << "\n";
      } else if (!c->text.empty()) {
        bool bold = LumiGdiDescribe(c->font).weight >= FW_BOLD;
        if (bold) out << "  (bold)\n";
        Wrap(out, c->text, c->cls == "Edit" ? "  | " : "  ");
      }
    }
  }
  out << "  --";
  const struct {
    int psbtn;
    const char* name;
  } buttons[] = {{PSBTN_BACK, "back"},
                 {PSBTN_NEXT, "next"},
                 {PSBTN_FINISH, "finish"},
                 {PSBTN_CANCEL, "cancel"},
                 {PSBTN_HELP, "help"}};
  for (const auto& b : buttons) {
    LumiSheetButtonView s = LumiSheetButton(b.psbtn);
    if (!s.visible) continue;
    out << " [" << LumiSheetLabel(s.text) << (s.enabled ? "" : " (off)") << "]";
  }
  out << "\n";
  return out.str();
}
