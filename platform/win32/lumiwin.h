// The Win32 calls the program makes: in this build, the platform's own.
#pragma once
#include <windows.h>
#include <direct.h>
#include <errno.h>
#include <lzexpand.h>
#include <ole2.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlguid.h>
