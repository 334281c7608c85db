// Native stand-ins for the shell's folder browser and its allocator, for
// WinHelp and for the Active Desktop object. The browser is modal like the
// platform's: it takes a queued answer or asks its asker (the console front
// end sets one), accepts only an existing folder by its full path (a file,
// a missing path or a drive-relative one is not a choice, nor a path of
// MAX_PATH characters or more, one holding a NUL or a device name such as
// CON) and returns an item list of that folder, or nullptr when cancelled.
#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <set>
#include <string>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"

namespace {

std::deque<std::string> g_answers;
std::vector<LumiBrowseCall> g_browseLog;
std::vector<LumiHelpCall> g_helpLog;
std::set<void*> g_blocks;
int g_mallocRefs = 0;
const char kDrivesMark[] = "::{drives}";
LumiBrowseAsker g_asker = nullptr;

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

// What the platform's browser can return: an existing folder by its full
// path (a drive letter, a colon and a backslash first). Empty when it is one,
// else why not.
// A name Windows keeps for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1
// to LPT9), whatever its case or extension: no folder can bear it.
bool IsDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
         base[3] <= '9';
}

std::string Refusal(const std::string& winPath) {
  if (winPath.find('\0') != std::string::npos) return "A folder path holds no NUL character";
  if (winPath.size() >= MAX_PATH) {
    return "A folder path has at most " + std::to_string(MAX_PATH - 1) + " characters; this one has " +
           std::to_string(winPath.size());
  }
  for (size_t from = 0; from < winPath.size();) {
    size_t to = winPath.find('\\', from);
    if (to == std::string::npos) to = winPath.size();
    const std::string name = winPath.substr(from, to - from);
    if (IsDeviceName(name)) return name + " is a device name Windows keeps; no folder can bear it: " + winPath;
    from = to + 1;
  }
  bool full = winPath.size() >= 3 && std::isalpha(static_cast<unsigned char>(winPath[0])) && winPath[1] == ':' &&
              winPath[2] == '\\';
  if (!full) return "Not a full folder path (such as C:\\Apps): " + winPath;
  std::string host;
  struct stat st;
  if (!LumiMapPath(winPath.c_str(), host) || stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return "Not a folder: " + winPath;
  }
  return "";
}

// The next answer: queued ones first, then the asker. False: cancelled.
bool NextAnswer(const char* title, const std::string& problem, std::string& answer) {
  if (!g_answers.empty()) {
    answer = g_answers.front();
    g_answers.pop_front();
    return !answer.empty();
  }
  return g_asker && g_asker(title ? title : "", problem, answer) && !answer.empty();
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
  std::string answer, problem;
  while (NextAnswer(bi->lpszTitle, problem, answer)) {
    problem = Refusal(answer);
    if (problem.empty()) {
      call.answer = answer;
      break;
    }
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

void LumiQueueBrowse(const std::string& answer) { g_answers.push_back(answer); }
void LumiSetBrowseAsker(LumiBrowseAsker asker) { g_asker = asker; }
const std::vector<LumiBrowseCall>& LumiBrowseLog() { return g_browseLog; }
int LumiLiveItemLists() { return static_cast<int>(g_blocks.size()); }
int LumiLiveAllocators() { return g_mallocRefs; }

BOOL WINAPI WinHelpA(HWND, LPCSTR file, UINT command, ULONG_PTR data) {
  g_helpLog.push_back({file ? file : "", command, data});
  return TRUE;
}

const std::vector<LumiHelpCall>& LumiHelpLog() { return g_helpLog; }

void LumiClearLogs() {
  g_helpLog.clear();
  g_browseLog.clear();
  g_answers.clear();
}

// The Active Desktop object: available unless LUMIROLL_ACTIVE_DESKTOP is 0.
namespace {
int g_desktops = 0;

class ActiveDesktop final : public IUnknown, LumiComCounted<ActiveDesktop> {
  friend class LumiComCounted<ActiveDesktop>;

 public:
  ActiveDesktop() { ++g_desktops; }
  ~ActiveDesktop() { --g_desktops; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return Answer(riid == IID_IUnknown || riid == IID_IActiveDesktop ? static_cast<IUnknown*>(this) : nullptr, ppv);
  }
  DWORD STDMETHODCALLTYPE AddRef() override { return Add(); }
  DWORD STDMETHODCALLTYPE Release() override { return Drop(); }
};
}  // namespace

HRESULT LumiCreateActiveDesktop(REFIID riid, void** ppv) {
  if (!LumiSettingActiveDesktop()) return REGDB_E_CLASSNOTREG;
  return LumiComCreate<ActiveDesktop>(riid, ppv);
}

int LumiLiveActiveDesktops() { return g_desktops; }
