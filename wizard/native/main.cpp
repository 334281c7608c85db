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

#include "console.h"
#include "lumistandin.h"
#include "outcome.h"
#include "setupapp.h"
#include "sheet.h"

CSetupApp theApp;

namespace {
bool Drive(void* context) {
  SetupOutcomeWatch();
  return LumiConsoleDrive(context);
}

// A signal ends the program as it would have ended it, but first removes the
// file being expanded, which would otherwise stay half-written.
void OnSignal(int sig) {
  LumiRemoveNewFiles();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}
}  // namespace

int main() {
  std::string problems;
  if (!LumiCheckSettings(problems)) {
    std::istringstream lines(problems);
    for (std::string line; std::getline(lines, line);) std::cerr << "lumiroll-setup: " << line << "\n";
    return 3;
  }
  std::signal(SIGPIPE, SIG_IGN);  // a closed output is a write error, seen below
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) std::signal(sig, OnSignal);
  LumiConsoleStart();
  LumiSheetSetDriver(Drive, nullptr);
  AfxWinMain();
  if (LumiConsoleOutputFailed()) return 4;
  return SetupOutcomeSoFar();
}
