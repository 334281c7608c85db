// The native program's entry: the framework runs the application object.
#include "afxwin.h"

int main() { return AfxWinMain(); }
