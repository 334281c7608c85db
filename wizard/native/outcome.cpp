#include "outcome.h"

#include "afxstr.h"
#include "resource.h"
#include "sheet.h"
#include "views.h"

namespace {
SetupOutcome g_outcome = kSetupNotInstalled;

bool HeadingIs(const std::string& shown, UINT id) {
  CString text;
  return text.LoadString(id) && shown == text.GetString();
}
}  // namespace

void SetupOutcomeWatch() {
  if (LumiSheetPageTemplate() != IDD_FINISH) return;
  const std::string heading = LumiSheetText(IDC_HEADING);
  if (HeadingIs(heading, IDS_SUCCESS_HEADING)) {
    g_outcome = kSetupInstalled;
  } else if (HeadingIs(heading, IDS_FAILURE_HEADING)) {
    g_outcome = kSetupFailed;
  }
}

SetupOutcome SetupOutcomeSoFar() { return g_outcome; }

void SetupOutcomeReset() { g_outcome = kSetupNotInstalled; }
