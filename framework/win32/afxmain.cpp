// The Win32 program's entry: the framework runs the application object.
#include "afxwin.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  AfxSetInstanceHandle(instance);
  ::InitCommonControls();
  return AfxWinMain();
}

// The runtime's handler for an exception that nobody catches prints the
// exception's type through a symbol demangler of some 36 KB, which would
// ship on the medium; nothing in the program throws past its handlers, so
// the program goes without: such a type is printed as it is stored.
#include <cstddef>
extern "C" char* __cxa_demangle(const char*, char*, size_t*, int* status) {
  if (status) *status = -2;  // "not a name it can demangle"
  return nullptr;
}
