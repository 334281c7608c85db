// The console front end of the native sheet: it shows the page whenever it
// changes and reads one command a line from standard input, a terminal or a
// script alike; the folder browser asks it too. A program chooses it with
// LumiConsoleStart; nothing else reads standard input.
#pragma once
#include <string>

// Makes the console the sheet's driver and the folder browser's asker.
void LumiConsoleStart();
// The console's driver of the sheet (LumiConsoleStart sets it): shows the
// page and carries out one command line. A program may wrap it.
bool LumiConsoleDrive(void* context);
// Whether writing to standard output failed (the console then cancels).
bool LumiConsoleOutputFailed();
// Carries out one command line; what to say back goes to reply. Commands:
// next, back, finish, close, cancel, quit, help, show (no argument), wait
// [SECONDS] (0 to 86400, default 2), or the label of a page button.
void LumiConsoleStep(const std::string& line, std::string& reply);
// The text with control characters shown as ^X, C1 ones (raw or in UTF-8)
// as M-^X (line ends kept), so that what a page shows cannot drive the
// terminal.
std::string LumiConsoleVisible(const std::string& text);
