// The console wizard: the setup program of the native build, driven from the
// console. Its exit status says how the run ended:
//   0  installed
//   1  the install was run and failed
//   2  ended without installing (Cancel, quit, the end of the input)
//   3  refused to start: a setting of the stand-ins is wrong (named on stderr)
//   4  standard output could not be written (the wizard cancelled there; an
//      install already made stays)
#include <csignal>
#include <iostream>
#include <sstream>
#include <string>

#include "lumiconsole.h"
#include "lumistandin.h"
#include "setupapp.h"

CSetupApp theApp;

int main() {
  std::string problems;
  if (!LumiCheckSettings(problems)) {
    std::istringstream lines(problems);
    for (std::string line; std::getline(lines, line);) std::cerr << "lumiroll-setup: " << line << "\n";
    return 3;
  }
  std::signal(SIGPIPE, SIG_IGN);  // a closed output is a write error, seen below
  LumiConsoleStart();
  AfxWinMain();
  if (LumiConsoleOutputFailed()) return 4;
  switch (theApp.m_nInstallResult) {
    case 1:
      return 0;
    case 0:
      return 1;
    default:
      return 2;
  }
}
