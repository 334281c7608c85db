// What wizdriver's commands share across its files.
#ifndef LUMI_TESTS_WIN32_WIZDRIVER_H
#define LUMI_TESTS_WIN32_WIZDRIVER_H

#include <windows.h>

#include <functional>
#include <string>

// Asks done every step milliseconds until it says yes or the time is up:
// seconds, times the slow factor that the scripts give in LUMI_SLOW where
// Wine runs under qemu. True when done.
bool WaitFor(int seconds, const std::function<bool()>& done, int step = 100);

// A window's text, read across processes.
std::string TextOf(HWND h);

// A window's class name.
std::string ClassOf(HWND h);

// Text with its line breaks shown as '|', for one line of output.
std::string OneLine(std::string text);

// The setup's shortcut in a shell folder ("Desktop", "Programs").
std::string LinkIn(const char* shellFolder);

// Checks the installed tree in folder; prints what it found; 0 when whole.
// Each manifest file must hold what the sample medium packs, or, with a
// medium folder given, what LZ32 expands from that medium's file.
int CheckInstall(const std::string& folder, const std::string& medium);

// Waits up to seconds for a visible top-level window whose caption begins
// with title; prints its caption and its controls' texts (a list box's
// items one by one); closes it when asked, else chooses a list box's first
// item. 0 when found.
int ReadWindow(const std::string& title, int seconds, bool close);

// Checks that every control of the page lies inside it and every text inside
// its control; prints each control and each fault; 0 when all fit.
int CheckLayout(HWND page);

#endif
