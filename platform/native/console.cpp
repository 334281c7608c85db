// The sheet host's views of the current page and the console front end that
// drives the native wizard: it prints the page (caption, texts, pictures,
// buttons) whenever it changes and reads one command a line from standard
// input, a terminal or a script alike.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "lumihost.h"
#include "lumistub.h"
#include "lumiwin.h"

namespace {

LumiWindow* ControlOf(int id) {
  HWND page = LumiHostPage();
  return page ? LumiWindowOf(GetDlgItem(page, id)) : nullptr;
}

std::string Label(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '&') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
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

const char* kHelpText =
    "Commands: next, back, finish (or close), cancel, help, wait N (seconds),\n"
    "the label of a page button (change), show, quit (cancels).\n";

}  // namespace

std::string LumiHostText(int id) {
  LumiWindow* c = ControlOf(id);
  return c ? c->text : "";
}

bool LumiHostBold(int id) {
  LumiWindow* c = ControlOf(id);
  return c && LumiGdiDescribe(c->font).weight >= FW_BOLD;
}

bool LumiHostWhite(int id) {
  LumiWindow* c = ControlOf(id);
  if (!c) return false;
  LumiGdiInfo brush = LumiGdiDescribe(BrushFor(*c));
  return brush.kind == LumiGdiInfo::Brush && brush.colour == RGB(255, 255, 255);
}

LumiPicture LumiHostPicture(int id) {
  LumiPicture p = {false, 0, 0, 0, 0, 0};
  LumiWindow* c = ControlOf(id);
  if (!c) return p;
  RECT r;
  GetClientRect(c->handle, &r);
  p.clientWidth = r.right;
  p.clientHeight = r.bottom;
  LumiGdiInfo info = LumiGdiDescribe(c->image);
  if (info.kind != LumiGdiInfo::Bitmap) return p;
  p.shown = true;
  p.bitmapId = info.resourceId;
  p.width = info.width;
  p.height = info.height;
  return p;
}

bool LumiHostClick(const std::string& label) {
  HWND page = LumiHostPage();
  LumiWindow* w = LumiWindowOf(page);
  if (!w) return false;
  for (HWND h : w->children) {
    LumiWindow* c = LumiWindowOf(h);
    if (c && IsPushButton(*c) && Label(c->text) == Label(label) && IsWindowVisible(h) && IsWindowEnabled(h)) {
      SendMessageA(h, BM_CLICK, 0, 0);
      LumiHostPump();
      return true;
    }
  }
  return false;
}

std::string LumiHostRender() {
  std::ostringstream out;
  HWND page = LumiHostPage();
  out << "== " << LumiHostCaption() << " ==\n";
  if (LumiWindow* w = LumiWindowOf(page)) {
    for (HWND h : w->children) {
      LumiWindow* c = LumiWindowOf(h);
      if (!c || !IsWindowVisible(h)) continue;
      bool white = LumiHostWhite(c->id);
      if (c->cls == "Static" && (c->style & SS_TYPEMASK) == SS_BITMAP) {
        LumiPicture p = LumiHostPicture(c->id);
        if (c->id == 0xFFFF) {
          out << "  [panel" << (white ? ", white" : "") << "]\n";
        } else if (p.shown) {
          out << "  [picture: bitmap " << p.bitmapId << ", " << p.width << " x " << p.height << " in " << p.clientWidth
              << " x " << p.clientHeight << "]\n";
        } else {
          out << "  [picture: none]\n";
        }
      } else if (IsPushButton(*c)) {
        out << "  [" << Label(c->text) << "]" << (IsWindowEnabled(h) ? "" : " (off)") << "\n";
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
    LumiButton s = LumiHostButton(b.psbtn);
    if (!s.visible) continue;
    out << " [" << Label(s.text) << (s.enabled ? "" : " (off)") << "]";
  }
  out << "\n";
  return out.str();
}

bool LumiConsoleStep(const std::string& raw, std::string& reply) {
  std::string line = raw;
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  size_t start = line.find_first_not_of(" \t");
  line = start == std::string::npos ? "" : line.substr(start);
  std::string word = Label(line.substr(0, line.find(' ')));
  reply.clear();
  const struct {
    const char* name;
    int psbtn;
  } presses[] = {{"next", PSBTN_NEXT},     {"back", PSBTN_BACK},   {"finish", PSBTN_FINISH}, {"close", PSBTN_FINISH},
                 {"cancel", PSBTN_CANCEL}, {"quit", PSBTN_CANCEL}, {"help", PSBTN_HELP}};
  if (word.empty()) return true;
  for (const auto& p : presses) {
    if (word != p.name) continue;
    LumiButton b = LumiHostButton(p.psbtn);
    if (!b.visible || !b.enabled) {
      reply = "'" + word + "' is not available on this page.";
      return true;
    }
    size_t helps = LumiHostHelpLog().size();
    LumiHostPress(p.psbtn);
    for (size_t i = helps; i < LumiHostHelpLog().size(); ++i) {
      const LumiHelpCall& h = LumiHostHelpLog()[i];
      std::string host;
      struct stat st;
      bool there = LumiMapPath(h.file.c_str(), host) && stat(host.c_str(), &st) == 0;
      reply += "Help: topic " + std::to_string(h.data) + " of " + h.file +
               (there ? "" : " (the help file is not there)") + "\n";
    }
    return true;
  }
  if (word == "wait") {
    std::string arg = line.size() > 4 ? line.substr(5) : "2";
    char* end = nullptr;
    double seconds = std::strtod(arg.c_str(), &end);
    if (end == arg.c_str() || seconds < 0 || seconds > 86400) {
      reply = "wait takes a number of seconds.";
      return true;
    }
    LumiHostAdvance(static_cast<uint64_t>(seconds * 1000));
    return true;
  }
  if (word == "show") {
    reply = LumiHostRender();
    return true;
  }
  if (LumiHostClick(line)) return true;
  reply = std::string("Unknown command: ") + line + "\n" + kHelpText;
  return true;
}

bool LumiConsoleDriver(void*) {
  static std::string shown;
  std::string view = LumiHostRender();
  if (view != shown) {
    std::cout << view;
    shown = view;
  }
  std::cout << "> " << std::flush;
  std::string line;
  if (!std::getline(std::cin, line)) {
    std::cout << "\n(end of input: cancel)\n";
    return false;
  }
  if (!isatty(0)) std::cout << line << "\n";  // echo a script's commands
  std::string reply;
  LumiConsoleStep(line, reply);
  if (!reply.empty()) std::cout << reply << (reply.back() == '\n' ? "" : "\n");
  return true;
}
