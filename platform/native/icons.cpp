// Native stand-ins for icons and cursors: icons of the sizes the program's
// icon file holds, the arrow and the wait cursor.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"
#include "rcscript.h"

struct LumiIcon {
  unsigned id;
  int width, height;
};

// Icons: an icon group resource holds images of several sizes; LoadIconA
// takes the standard 32 x 32 one, LoadImageA the size asked for. The
// platform keeps resource icons for the process's life.
namespace {
HICON IconOf(LPCSTR name, int size) {
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (id > 0xFFFF) return nullptr;
  const auto& icons = LumiModuleScript().Icons();
  auto it = icons.find(static_cast<unsigned>(id));
  const std::string* file = it == icons.end() ? nullptr : LumiModuleFile(it->second);
  std::vector<std::pair<int, int>> sizes;
  if (!file || !LumiReadIconSizes(*file, sizes)) return nullptr;
  for (const auto& wh : sizes) {
    if (wh.first != size || wh.second != size) continue;
    static std::map<std::pair<uintptr_t, int>, LumiIcon> cache;
    LumiIcon& icon = cache[{id, size}];
    icon = {static_cast<unsigned>(id), wh.first, wh.second};
    return &icon;
  }
  return nullptr;
}
LumiIcon g_arrow = {32512, 32, 32}, g_wait = {32514, 32, 32};
HCURSOR g_cursor = &g_arrow;
}  // namespace

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name) { return IconOf(name, 32); }

HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT) {
  if (type != IMAGE_ICON || cx != cy) return nullptr;
  return IconOf(name, cx == 0 ? 32 : cx);
}

LumiIconInfo LumiDescribeIcon(HICON icon) {
  if (!icon) return {0, 0, 0};
  return {icon->id, icon->width, icon->height};
}

int WINAPI GetSystemMetrics(int index) { return index == SM_CXICON ? 32 : 0; }

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR name) {
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (id == 32512) return &g_arrow;
  if (id == 32514) return &g_wait;
  return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR c) {
  HCURSOR old = g_cursor;
  g_cursor = c;
  return old;
}

HCURSOR LumiCursor() { return g_cursor; }
bool LumiIsWaitCursor(HCURSOR c) { return c == &g_wait; }
