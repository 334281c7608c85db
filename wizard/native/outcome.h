// How a run of the native wizard ended, as lumiroll-setup's exit status
// gives it. Read from the finish page's heading, which the install sets on
// either outcome whatever its picture does (a picture that fails to load
// changes nothing here).
#pragma once
#include <string>

enum SetupOutcome {
  kSetupInstalled = 0,    // the install ran and succeeded
  kSetupFailed = 1,       // the install ran and failed
  kSetupNotInstalled = 2  // ended without installing
};

// Watches the sheet: called on each turn of its driver, before the driver's
// own work, it notes how the finish page says the install went.
void SetupOutcomeWatch();
// What the turns watched since the last reset came to.
SetupOutcome SetupOutcomeSoFar();
void SetupOutcomeReset();
