// Lumiroll.exe: the product's window. It lists the picture categories that
// the setup wrote beside it, read through Lumitool.dll (so it starts only
// when both were installed), each with its folder and how many pictures the
// folder holds, and shows the first picture of the category chosen, through
// the platform's picture loader (JPEG and GIF).
#include <olectl.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lumitool.h"

namespace {
constexpr int kListId = 100;
std::vector<LumiCategoryItem> g_items;  // every category of both lists
int g_count = 0;
HWND g_list = nullptr;
IPicture* g_picture = nullptr;

std::string ModuleDir() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

// How many pictures a folder holds, and the first one's path.
int Pictures(const std::string& folder, std::string& first) {
  int n = 0;
  for (const char* pattern : {"\\*.jpg", "\\*.gif"}) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + pattern).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) continue;
    do {
      if (first.empty()) first = folder + "\\" + data.cFileName;
      ++n;
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  return n;
}

IPicture* LoadPicture(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return nullptr;
  const DWORD size = GetFileSize(f, nullptr);
  IPicture* picture = nullptr;
  HGLOBAL memory = size != INVALID_FILE_SIZE && size < (16u << 20) ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
  DWORD got = 0;
  if (memory) {
    void* p = GlobalLock(memory);
    const BOOL read = ReadFile(f, p, size, &got, nullptr);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (read && got == size && CreateStreamOnHGlobal(memory, TRUE, &stream) == S_OK) {
      OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
      stream->Release();  // frees the memory too
    } else {
      GlobalFree(memory);
    }
  }
  CloseHandle(f);
  return picture;
}

void Show(int index) {
  if (g_picture) g_picture->Release();
  g_picture = nullptr;
  std::string first;
  if (index >= 0 && index < g_count && Pictures(g_items[index].folder, first) > 0) g_picture = LoadPicture(first);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT area;
  GetClientRect(window, &area);
  area.left = area.right / 2;
  if (g_picture) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    g_picture->get_Width(&w);
    g_picture->get_Height(&h);
    g_picture->Render(dc, area.left + 8, 8, area.right - area.left - 16, area.bottom - 16, 0, h, w, -h, nullptr);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE: {
      g_list =
          CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY,
                          0, 0, 0, 0, window, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
      // A line longer than the list's half of the window scrolls sideways.
      HDC dc = GetDC(g_list);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(g_list, WM_GETFONT, 0, 0)));
      LONG widest = 0;
      for (int i = 0; i < g_count; ++i) {
        std::string first;
        char line[MAX_PATH + 100];
        const int n = std::snprintf(line, sizeof line, "%s - %s (%d pictures)", g_items[i].name, g_items[i].folder,
                                    Pictures(g_items[i].folder, first));
        const LRESULT added = SendMessageA(g_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        if (added == LB_ERR || added == LB_ERRSPACE) {
          // A list box of Windows 9x holds 32,767 lines: say what it lacks.
          std::snprintf(line, sizeof line, "... and %d more categories the list cannot hold", g_count - i + 1);
          SendMessageA(g_list, LB_DELETESTRING, static_cast<WPARAM>(i - 1), 0);
          SendMessageA(g_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
          g_count = i - 1;  // the lines shown, each the category of its index
          break;
        }
        SIZE size = {};
        if (n > 0 && GetTextExtentPoint32A(dc, line, n < static_cast<int>(sizeof line) ? n : sizeof line - 1, &size)) {
          widest = size.cx > widest ? size.cx : widest;
        }
      }
      SelectObject(dc, old);
      ReleaseDC(g_list, dc);
      SendMessageA(g_list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
      return 0;
    }
    case WM_SIZE:
      MoveWindow(g_list, 0, 0, LOWORD(l) / 2, HIWORD(l), TRUE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(w) == kListId && HIWORD(w) == LBN_SELCHANGE) {
        Show(static_cast<int>(SendMessageA(g_list, LB_GETCURSEL, 0, 0)));
        InvalidateRect(window, nullptr, TRUE);
      }
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      Show(-1);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, w, l);
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  // Once for the number, once to read them all (again if the lists grew
  // in between).
  char why[512] = "";
  const std::string dir = ModuleDir();
  g_count = LumiReadCategoryLists(dir.c_str(), nullptr, 0, why, sizeof why);
  while (g_count > static_cast<int>(g_items.size())) {
    g_items.resize(static_cast<size_t>(g_count));
    g_count = LumiReadCategoryLists(dir.c_str(), g_items.data(), g_count, why, sizeof why);
  }
  if (g_count < 0) {
    MessageBoxA(nullptr, why, "Lumiscroll", MB_ICONERROR | MB_OK);
    return 1;
  }
  OleInitialize(nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "Lumiscroll";
  RegisterClassA(&wc);
  HWND window = CreateWindowA("Lumiscroll", "Lumiscroll - picture categories", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 720, 360, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  OleUninitialize();
  return static_cast<int>(msg.wParam);
}
