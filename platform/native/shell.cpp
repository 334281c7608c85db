// Native stand-ins for the shell's folder browser and its allocator, for
// WinHelp and for the Active Desktop object. The browser is modal like the
// platform's: it takes a queued answer or asks on the console, accepts only
// an existing folder (a file or a missing path is not a choice) and returns
// an item list of that folder, or nullptr when cancelled.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <set>
#include <string>

#include "lumihost.h"
#include "lumistub.h"
#include "lumiwin.h"

namespace {

std::deque<std::string> g_answers;
std::vector<LumiBrowseCall> g_browseLog;
std::vector<LumiHelpCall> g_helpLog;
std::set<void*> g_blocks;
int g_mallocRefs = 0;
const char kDrivesMark[] = "::{drives}";

struct TaskAllocator final : IMalloc {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_INVALIDARG;
    *ppv = riid == IID_IUnknown ? this : nullptr;
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  DWORD STDMETHODCALLTYPE AddRef() override { return static_cast<DWORD>(++g_mallocRefs); }
  DWORD STDMETHODCALLTYPE Release() override { return g_mallocRefs > 0 ? static_cast<DWORD>(--g_mallocRefs) : 0; }
  void* STDMETHODCALLTYPE Alloc(size_t cb) override {
    void* p = std::malloc(cb ? cb : 1);
    if (p) g_blocks.insert(p);
    return p;
  }
  void* STDMETHODCALLTYPE Realloc(void*, size_t) override { return nullptr; }
  void STDMETHODCALLTYPE Free(void* pv) override {
    if (g_blocks.erase(pv)) std::free(pv);
  }
  size_t STDMETHODCALLTYPE GetSize(void*) override { return 0; }
  int STDMETHODCALLTYPE DidAlloc(void* pv) override { return g_blocks.count(pv) ? 1 : 0; }
  void STDMETHODCALLTYPE HeapMinimize() override {}
};
TaskAllocator g_allocator;

// An item list here is one item holding the folder's Windows path (or the
// drives folder's mark), then the two-byte terminator.
LPITEMIDLIST MakeList(const std::string& text) {
  size_t cb = 2 + text.size() + 1;
  auto* p = static_cast<BYTE*>(g_allocator.Alloc(cb + 2));
  if (!p) return nullptr;
  p[0] = static_cast<BYTE>(cb & 0xFF);
  p[1] = static_cast<BYTE>(cb >> 8);
  std::memcpy(p + 2, text.c_str(), text.size() + 1);
  p[cb] = p[cb + 1] = 0;
  return reinterpret_cast<LPITEMIDLIST>(p);
}

bool IsFolder(const std::string& winPath) {
  std::string host;
  struct stat st;
  return !winPath.empty() && LumiMapPath(winPath.c_str(), host) && stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The next answer: queued ones first, then the console. False: cancelled.
bool NextAnswer(const char* title, std::string& answer) {
  if (!g_answers.empty()) {
    answer = g_answers.front();
    g_answers.pop_front();
    return !answer.empty();
  }
  std::cout << (title ? title : "Choose a folder") << "\nFolder (an empty line cancels): " << std::flush;
  if (!std::getline(std::cin, answer)) {
    std::cout << "\n";
    return false;
  }
  if (!answer.empty() && answer.back() == '\r') answer.pop_back();
  if (!isatty(0)) std::cout << answer << "\n";  // echo a script's answer
  return !answer.empty();
}

}  // namespace

HRESULT WINAPI SHGetMalloc(LPMALLOC* out) {
  if (!out) return E_INVALIDARG;
  g_allocator.AddRef();
  *out = &g_allocator;
  return S_OK;
}

HRESULT WINAPI SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (csidl != CSIDL_DRIVES) return E_INVALIDARG;
  *out = MakeList(kDrivesMark);
  return *out ? S_OK : E_OUTOFMEMORY;
}

LPITEMIDLIST WINAPI SHBrowseForFolderA(LPBROWSEINFOA bi) {
  if (!bi) return nullptr;
  LumiBrowseCall call = {bi->lpszTitle ? bi->lpszTitle : "", bi->hwndOwner, ""};
  std::string answer;
  while (NextAnswer(bi->lpszTitle, answer)) {
    if (IsFolder(answer)) {
      call.answer = answer;
      break;
    }
    if (g_answers.empty()) std::cout << "Not a folder: " << answer << "\n";
  }
  g_browseLog.push_back(call);
  if (call.answer.empty()) return nullptr;
  if (bi->pszDisplayName) {
    size_t at = call.answer.find_last_of('\\', call.answer.size() - 2);
    std::string name = at == std::string::npos ? call.answer : call.answer.substr(at + 1);
    std::snprintf(bi->pszDisplayName, MAX_PATH, "%s", name.c_str());
  }
  return MakeList(call.answer);
}

BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR path) {
  if (!pidl || !path) return FALSE;
  path[0] = 0;
  const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
  size_t cb = p[0] | static_cast<size_t>(p[1]) << 8;
  if (cb < 3) return FALSE;
  std::string text(reinterpret_cast<const char*>(p + 2));
  if (text == kDrivesMark || text.size() >= MAX_PATH) return FALSE;
  std::memcpy(path, text.c_str(), text.size() + 1);
  return TRUE;
}

void LumiHostQueueBrowse(const std::string& answer) { g_answers.push_back(answer); }
const std::vector<LumiBrowseCall>& LumiHostBrowseLog() { return g_browseLog; }
int LumiStubLiveItemLists() { return static_cast<int>(g_blocks.size()); }
int LumiStubLiveAllocators() { return g_mallocRefs; }

BOOL WINAPI WinHelpA(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
  g_helpLog.push_back({file ? file : "", command, data});
  return TRUE;
}

const std::vector<LumiHelpCall>& LumiHostHelpLog() { return g_helpLog; }

void LumiHostClearLogs() {
  g_helpLog.clear();
  g_browseLog.clear();
  g_answers.clear();
}

// The Active Desktop object: available unless LUMIROLL_ACTIVE_DESKTOP is 0.
namespace {
const CLSID kActiveDesktop = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kIActiveDesktop = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
int g_desktops = 0;

struct ActiveDesktop final : IUnknown {
  DWORD refs = 1;
  ActiveDesktop() { ++g_desktops; }
  ~ActiveDesktop() { --g_desktops; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_INVALIDARG;
    *ppv = (riid == IID_IUnknown || riid == kIActiveDesktop) ? this : nullptr;
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  DWORD STDMETHODCALLTYPE AddRef() override { return ++refs; }
  DWORD STDMETHODCALLTYPE Release() override {
    DWORD n = --refs;
    if (n == 0) delete this;
    return n;
  }
};
}  // namespace

bool LumiStubIsActiveDesktop(REFCLSID clsid) { return clsid == kActiveDesktop; }

HRESULT LumiStubCreateActiveDesktop(IUnknown* outer, REFIID riid, void** ppv) {
  const char* setting = std::getenv("LUMIROLL_ACTIVE_DESKTOP");
  if (setting && std::strcmp(setting, "0") == 0) return REGDB_E_CLASSNOTREG;
  if (outer) return E_INVALIDARG;
  auto* desktop = new ActiveDesktop;
  HRESULT hr = desktop->QueryInterface(riid, ppv);
  desktop->Release();
  return hr;
}

int LumiStubLiveActiveDesktops() { return g_desktops; }
