// Native stand-in for a stream over memory (CreateStreamOnHGlobal): the
// memory is a block the stream grows as it is written; the stream frees it
// on its last Release when asked to, as the platform's does.
#include <cstring>
#include <vector>

#include "internal.h"
#include "lumiwin.h"

namespace {

// What an HGLOBAL of these stand-ins points at.
struct GlobalBlock {
  std::vector<uint8_t> bytes;
};

class MemoryStream final : public IStream, LumiComCounted<MemoryStream> {
  friend class LumiComCounted<MemoryStream>;

 public:
  MemoryStream(GlobalBlock* block, bool owned) : block_(block), owned_(owned) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return Answer(riid == IID_IUnknown ? static_cast<IStream*>(this) : nullptr, ppv);
  }
  DWORD STDMETHODCALLTYPE AddRef() override { return Add(); }
  DWORD STDMETHODCALLTYPE Release() override { return Drop(); }
  HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* written) override {
    if (written) *written = 0;
    if (!pv && cb) return E_INVALIDARG;
    if (block_->bytes.size() < position_ + cb) block_->bytes.resize(position_ + cb);
    if (cb) std::memcpy(block_->bytes.data() + position_, pv, cb);
    position_ += cb;
    if (written) *written = cb;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* now) override {
    int64_t base = 0;
    if (origin == STREAM_SEEK_CUR) {
      base = static_cast<int64_t>(position_);
    } else if (origin == STREAM_SEEK_END) {
      base = static_cast<int64_t>(block_->bytes.size());
    } else if (origin != STREAM_SEEK_SET) {
      return E_INVALIDARG;
    }
    if (base + move.QuadPart < 0) return E_INVALIDARG;
    position_ = static_cast<size_t>(base + move.QuadPart);
    if (now) now->QuadPart = position_;
    return S_OK;
  }
  GlobalBlock* Block() const { return block_; }

 private:
  ~MemoryStream() {
    if (owned_) delete block_;
  }
  GlobalBlock* block_;
  bool owned_;
  size_t position_ = 0;
};

}  // namespace

HRESULT WINAPI CreateStreamOnHGlobal(HGLOBAL global, BOOL deleteOnRelease, IStream** out) {
  if (!out) return E_INVALIDARG;
  GlobalBlock* block = global ? static_cast<GlobalBlock*>(global) : new GlobalBlock;
  *out = new MemoryStream(block, deleteOnRelease != 0);
  return S_OK;
}

HRESULT WINAPI GetHGlobalFromStream(IStream* stream, HGLOBAL* global) {
  if (!stream || !global) return E_INVALIDARG;
  *global = static_cast<MemoryStream*>(stream)->Block();
  return S_OK;
}

LPVOID WINAPI GlobalLock(HGLOBAL global) {
  if (!global) return nullptr;
  auto* block = static_cast<GlobalBlock*>(global);
  return block->bytes.empty() ? static_cast<void*>(block) : block->bytes.data();
}

BOOL WINAPI GlobalUnlock(HGLOBAL) { return FALSE; }  // no lock count is kept: "no longer locked"
