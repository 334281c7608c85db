// Native stand-in for COM's shell link object: CoCreateInstance of
// CLSID_ShellLink gives an object with IShellLinkA, IPersistFile and
// IPersistStream whose Save writes a shell link file in the public binary format (a header, link
// info with the target as local base path, the description as name string).
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "internal.h"
#include "lumistandin.h"
#include "lumiwin.h"

namespace {

bool g_failShellLink = false;

void Put16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>((v >> (8 * k)) & 0xFF));
}
void PutZ(std::vector<uint8_t>& b, const std::string& s) {
  b.insert(b.end(), s.begin(), s.end());
  b.push_back(0);
}

std::vector<uint8_t> LinkFile(const std::string& target, const std::string& description) {
  const uint32_t kHasLinkInfo = 0x02, kHasName = 0x04;
  std::vector<uint8_t> b;
  Put32(b, 0x4C);
  const uint8_t clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  b.insert(b.end(), clsid, clsid + 16);
  Put32(b, kHasLinkInfo | (description.empty() ? 0 : kHasName));
  Put32(b, 0);                              // file attributes
  for (int k = 0; k < 6; ++k) Put32(b, 0);  // creation, access, write times
  Put32(b, 0);                              // file size
  Put32(b, 0);                              // icon index
  Put32(b, 1);                              // SW_SHOWNORMAL
  Put16(b, 0);                              // hot key
  Put16(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  // Link info: a volume ID (fixed drive, no label) and the local base path.
  const uint32_t header = 0x1C, volumeSize = 0x11;
  const uint32_t basePathAt = header + volumeSize;
  const uint32_t suffixAt = basePathAt + static_cast<uint32_t>(target.size()) + 1;
  const uint32_t infoSize = suffixAt + 1;
  Put32(b, infoSize);
  Put32(b, header);
  Put32(b, 1);  // VolumeIDAndLocalBasePath
  Put32(b, header);
  Put32(b, basePathAt);
  Put32(b, 0);  // no network location
  Put32(b, suffixAt);
  Put32(b, volumeSize);
  Put32(b, 3);  // DRIVE_FIXED
  Put32(b, 0);  // serial number
  Put32(b, 0x10);
  b.push_back(0);  // empty volume label
  PutZ(b, target);
  PutZ(b, "");  // common path suffix
  if (!description.empty()) {
    Put16(b, static_cast<unsigned>(description.size()));  // ANSI: the count is in bytes
    b.insert(b.end(), description.begin(), description.end());
  }
  Put32(b, 0);  // terminal block
  return b;
}

class ShellLink final : public IShellLinkA, public IPersistFile, public IPersistStream, LumiComCounted<ShellLink> {
  friend class LumiComCounted<ShellLink>;

 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IShellLinkA) return Answer(static_cast<IShellLinkA*>(this), ppv);
    if (riid == IID_IPersistStream) return Answer(static_cast<IPersistStream*>(this), ppv);
    return Answer(riid == IID_IPersistFile ? static_cast<IPersistFile*>(this) : nullptr, ppv);
  }
  DWORD STDMETHODCALLTYPE AddRef() override { return Add(); }
  DWORD STDMETHODCALLTYPE Release() override { return Drop(); }
  HRESULT STDMETHODCALLTYPE GetDescription(LPSTR name, int cch) override { return Copy(description_, name, cch); }
  HRESULT STDMETHODCALLTYPE SetDescription(LPCSTR name) override {
    if (!name || std::strlen(name) >= 1024) return E_INVALIDARG;
    description_ = name;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPath(LPSTR file, int cch, void*, DWORD) override { return Copy(path_, file, cch); }
  HRESULT STDMETHODCALLTYPE SetPath(LPCSTR file) override {
    if (!file || std::strlen(file) >= MAX_PATH) return E_INVALIDARG;
    path_ = file;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR wide, BOOL) override {
    if (!wide) return E_INVALIDARG;
    char name[MAX_PATH * 2];
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr) == 0) return E_INVALIDARG;
    std::vector<uint8_t> bytes = LinkFile(path_, description_);
    HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_ACCESS_DENIED ? E_ACCESSDENIED : E_FAIL;
    DWORD written = 0;
    bool ok =
        WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ok = CloseHandle(f) && ok;
    return ok ? S_OK : E_FAIL;  // what was written stays, as on a full disk
  }
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL) override {
    if (!stream) return E_INVALIDARG;
    std::vector<uint8_t> bytes = LinkFile(path_, description_);
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    return FAILED(hr) ? hr : written == bytes.size() ? S_OK : E_FAIL;
  }

 private:
  static HRESULT Copy(const std::string& s, LPSTR out, int cch) {
    if (!out || cch <= 0) return E_INVALIDARG;
    size_t n = s.size() < static_cast<size_t>(cch - 1) ? s.size() : static_cast<size_t>(cch - 1);
    std::memcpy(out, s.data(), n);
    out[n] = 0;
    return S_OK;
  }
  std::string path_, description_;
};

}  // namespace

void LumiFailShellLink(bool fail) { g_failShellLink = fail; }

HRESULT LumiCreateShellLink(REFIID riid, void** ppv) {
  if (g_failShellLink) return REGDB_E_CLASSNOTREG;
  return LumiComCreate<ShellLink>(riid, ppv);
}
