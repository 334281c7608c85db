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
