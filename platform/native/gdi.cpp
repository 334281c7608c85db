// Native stand-ins for GDI: bitmaps read from the BMP files the program
// carries (named by the script's BITMAP statements) into 32-bit pixels,
// compatible bitmaps and memory device contexts, nearest-pixel StretchBlt,
// fonts and brushes as records. Every
// object is registered, so a handle that was deleted is refused, not used.
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"
#include "rcscript.h"

struct LumiGdiObject {
  LumiGdiInfo::Kind kind = LumiGdiInfo::Bitmap;
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // top row first, 0x00RRGGBB
  unsigned resourceId = 0;
  int weight = 0;
  std::string face;
  std::string fontArguments;
  COLORREF colour = 0;
  bool stock = false;
  int selected = 0;  // device contexts it is selected into
};

struct LumiDc {
  HWND window = nullptr;  // a window's context, or nullptr for a memory one
  HGDIOBJ bitmap = nullptr, font = nullptr;
  COLORREF bk = RGB(255, 255, 255);
};

namespace {
constexpr int kMaxSide = 16384;  // the largest compatible bitmap made

LumiGdiObject* ParseBmp(const std::string& b) {
  LumiImage image;
  if (!LumiReadBmp(b, image)) return nullptr;
  auto* bmp = new LumiGdiObject;
  bmp->kind = LumiGdiInfo::Bitmap;
  bmp->width = image.width;
  bmp->height = image.height;
  bmp->pixels = std::move(image.pixels);
  return bmp;
}
}  // namespace

namespace {
std::set<HGDIOBJ>& Live() {
  static std::set<HGDIOBJ> live;
  return live;
}
std::set<HDC>& LiveDcs() {
  static std::set<HDC> live;
  return live;
}
bool IsLive(HGDIOBJ h) { return h && Live().count(h); }
HGDIOBJ Register(LumiGdiObject* o) {
  if (o) Live().insert(o);
  return o;
}
LumiGdiObject* Stock(LumiGdiInfo::Kind kind, COLORREF colour) {
  auto* o = new LumiGdiObject;
  o->kind = kind;
  o->colour = colour;
  o->stock = true;
  o->width = o->height = 1;  // a stock bitmap is the 1 x 1 one of a new memory context
  o->pixels.assign(1, 0);
  Live().insert(o);
  return o;
}
HGDIOBJ StockBitmap() {
  static HGDIOBJ b = Stock(LumiGdiInfo::Bitmap, 0);
  return b;
}
HGDIOBJ StockFont() {
  static HGDIOBJ f = [] {
    LumiGdiObject* o = Stock(LumiGdiInfo::Font, 0);
    o->weight = 400;
    o->face = "MS Sans Serif";
    return o;
  }();
  return f;
}
}  // namespace

HBRUSH LumiDialogFaceBrush() {
  static HBRUSH face = Stock(LumiGdiInfo::Brush, RGB(192, 192, 192));
  return face;
}

namespace {
unsigned g_failBitmap = 0;
}

void LumiFailBitmap(unsigned id) { g_failBitmap = id; }

HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name) {
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (id > 0xFFFF || id == g_failBitmap) return nullptr;  // bitmaps are named by number here
  const auto& bitmaps = LumiModuleScript().Bitmaps();
  auto it = bitmaps.find(static_cast<unsigned>(id));
  if (it == bitmaps.end()) return nullptr;
  const std::string* file = LumiModuleFile(it->second);
  LumiGdiObject* bmp = file ? ParseBmp(*file) : nullptr;
  if (bmp) bmp->resourceId = static_cast<unsigned>(id);
  return Register(bmp);
}

int WINAPI GetObjectA(HGDIOBJ h, int c, LPVOID pv) {
  if (!IsLive(h) || h->kind != LumiGdiInfo::Bitmap || !pv || c < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP info = {};
  info.bmWidth = h->width;
  info.bmHeight = h->height;
  info.bmWidthBytes = h->width * 4;
  info.bmPlanes = 1;
  info.bmBitsPixel = 32;
  info.bmBits = h->pixels.data();
  std::memcpy(pv, &info, sizeof info);
  return static_cast<int>(sizeof info);
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  // Stock objects are not deleted; nor is an object still selected.
  if (!IsLive(h) || h->stock || h->selected) return FALSE;
  Live().erase(h);
  delete h;
  return TRUE;
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charset, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  auto* f = new LumiGdiObject;
  f->kind = LumiGdiInfo::Font;
  f->weight = weight;
  f->face = face ? face : "";
  for (long v : {static_cast<long>(height), static_cast<long>(width), static_cast<long>(escapement),
                 static_cast<long>(orientation), static_cast<long>(weight), static_cast<long>(italic),
                 static_cast<long>(underline), static_cast<long>(strikeOut), static_cast<long>(charset),
                 static_cast<long>(outPrecision), static_cast<long>(clipPrecision), static_cast<long>(quality),
                 static_cast<long>(pitchAndFamily)}) {
    f->fontArguments += std::to_string(v) + ",";
  }
  f->fontArguments += f->face;
  return Register(f);
}

HGDIOBJ WINAPI GetStockObject(int i) {
  static HGDIOBJ white = Stock(LumiGdiInfo::Brush, RGB(255, 255, 255));
  return i == WHITE_BRUSH ? white : nullptr;
}

HDC WINAPI GetDC(HWND h) {
  if (h && !IsWindow(h)) return nullptr;
  auto* dc = new LumiDc;
  dc->window = h;
  LiveDcs().insert(dc);
  return dc;
}

int WINAPI ReleaseDC(HWND, HDC dc) {
  if (!LiveDcs().count(dc) || !dc->window) return 0;
  LiveDcs().erase(dc);
  delete dc;
  return 1;
}

HDC WINAPI CreateCompatibleDC(HDC) {
  auto* dc = new LumiDc;
  dc->bitmap = StockBitmap();
  dc->font = StockFont();
  LiveDcs().insert(dc);
  return dc;
}

BOOL WINAPI DeleteDC(HDC dc) {
  if (!LiveDcs().count(dc) || dc->window) return FALSE;
  if (IsLive(dc->bitmap)) --dc->bitmap->selected;
  if (IsLive(dc->font)) --dc->font->selected;
  LiveDcs().erase(dc);
  delete dc;
  return TRUE;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int cx, int cy) {
  if (!LiveDcs().count(dc) || cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return nullptr;
  auto* b = new LumiGdiObject;
  b->kind = LumiGdiInfo::Bitmap;
  b->width = cx;
  b->height = cy;
  b->pixels.assign(static_cast<size_t>(cx) * static_cast<size_t>(cy), 0);
  return Register(b);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ h) {
  if (!LiveDcs().count(dc) || !IsLive(h)) return nullptr;
  HGDIOBJ* slot = nullptr;
  if (h->kind == LumiGdiInfo::Bitmap && !dc->window) slot = &dc->bitmap;
  if (h->kind == LumiGdiInfo::Font) slot = &dc->font;
  if (!slot) return nullptr;
  if (h->kind == LumiGdiInfo::Bitmap && h->selected && *slot != h) return nullptr;  // one context at a time
  HGDIOBJ old = *slot;
  if (IsLive(old)) --old->selected;
  *slot = h;
  ++h->selected;
  return old;
}

BOOL WINAPI StretchBlt(HDC dst, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs, DWORD rop) {
  if (!LiveDcs().count(dst) || !LiveDcs().count(src) || rop != SRCCOPY) return FALSE;
  LumiGdiObject* to = dst->bitmap;
  LumiGdiObject* from = src->bitmap;
  if (!IsLive(to) || !IsLive(from) || wd <= 0 || hd <= 0 || ws <= 0 || hs <= 0) return FALSE;
  for (int y = 0; y < hd; ++y) {
    int ty = yd + y, sy = ys + static_cast<int>(static_cast<int64_t>(y) * hs / hd);
    if (ty < 0 || ty >= to->height || sy < 0 || sy >= from->height) continue;
    for (int x = 0; x < wd; ++x) {
      int tx = xd + x, sx = xs + static_cast<int>(static_cast<int64_t>(x) * ws / wd);
      if (tx < 0 || tx >= to->width || sx < 0 || sx >= from->width) continue;
      to->pixels[static_cast<size_t>(ty) * static_cast<size_t>(to->width) + static_cast<size_t>(tx)] =
          from->pixels[static_cast<size_t>(sy) * static_cast<size_t>(from->width) + static_cast<size_t>(sx)];
    }
  }
  to->resourceId = from->resourceId;
  return TRUE;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour) {
  if (!LiveDcs().count(dc)) return 0xFFFFFFFFu;  // CLR_INVALID
  COLORREF old = dc->bk;
  dc->bk = colour;
  return old;
}

LumiGdiInfo LumiGdiDescribe(HGDIOBJ h) {
  LumiGdiInfo info;
  if (!IsLive(h)) return info;
  info.kind = h->kind;
  info.width = h->width;
  info.height = h->height;
  info.resourceId = h->resourceId;
  info.weight = h->weight;
  info.face = h->face;
  info.fontArguments = h->fontArguments;
  info.colour = h->colour;
  return info;
}

int LumiLiveGdiObjects() {
  int n = 0;
  for (HGDIOBJ h : Live()) n += h->stock ? 0 : 1;
  return n;
}

int LumiLiveDcs() { return static_cast<int>(LiveDcs().size()); }
