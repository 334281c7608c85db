// The Win32 calls the program makes: in this build, the platform's own.
#pragma once
// windows.h comes first: the other headers build on its types.
#include <windows.h>

#include <direct.h>
#include <errno.h>
#include <lzexpand.h>
#include <objidl.h>
#include <ole2.h>
#include <shlguid.h>
#include <shlobj.h>

#include "lumiids.h"
