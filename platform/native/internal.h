// The stand-ins' own plumbing, shared between their files and nowhere else:
// their settings, the COM factories, writes within a test's disk space, the queue's part in
// destroying a window. (The window model itself, which the sheet host builds
// on too, is lumimodel.h.)
#pragma once
#include <sys/types.h>

#include <string>

#include "lumimodel.h"
#include "lumiwin.h"

// The settings, read from the environment at each call (settings.cpp): the
// code page (a known one, else 1252), whether the Active Desktop object is
// there (unless the setting is 0), and the host folder of a drive letter
// (empty: none set; Z: is "/" unless set).
unsigned LumiSettingCodePage();
bool LumiSettingActiveDesktop();
std::string LumiSettingDrive(char letter);

// The reference counting of the stand-ins' COM objects: an Object derives
// from LumiComCounted<Object> and its IUnknown methods hand over to Answer
// (with the interface it has for riid, or nullptr), Add and Drop. It starts
// with one reference and frees itself on its last Release.
template <class Object>
class LumiComCounted {
 protected:
  HRESULT Answer(void* itf, void** ppv) {
    if (!ppv) return E_INVALIDARG;
    *ppv = itf;
    if (!itf) return E_NOINTERFACE;
    ++refs_;
    return S_OK;
  }
  DWORD Add() { return ++refs_; }
  DWORD Drop() {
    const DWORD left = --refs_;
    if (left == 0) delete static_cast<Object*>(this);
    return left;
  }

 private:
  DWORD refs_ = 1;
};

// A new Object asked for riid: what it answers is all that holds it then.
template <class Object>
HRESULT LumiComCreate(REFIID riid, void** ppv) {
  // The object frees itself on its last Release, which the analyzer cannot see.
  // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
  auto* object = new Object;
  const HRESULT hr = object->QueryInterface(riid, ppv);
  object->Release();
  return hr;
  // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
}

// COM classes served by CoCreateInstance's table: each makes its object and
// asks it for riid.
HRESULT LumiCreateShellLink(REFIID riid, void** ppv);
HRESULT LumiCreateActiveDesktop(REFIID riid, void** ppv);

// Writes to a descriptor as WriteFile does, within the disk space a test
// left the file's folder (LumiSetDiskSpace): errno ENOSPC once none is left.
ssize_t LumiWriteFd(int fd, const void* buf, size_t n);

// The message queue drops what it holds for a window being destroyed: its
// posted messages and its timers.
void LumiForgetMessages(HWND h);
