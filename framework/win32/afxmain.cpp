// The Win32 program's entry: the framework runs the application object.
#include "afxwin.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  AfxSetInstanceHandle(instance);
  ::InitCommonControls();
  return AfxWinMain();
}
