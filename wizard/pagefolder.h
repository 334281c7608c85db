// The install folder page. Its user interface comes with the wizard frame;
// the install run needs only the folder text it keeps.
#pragma once
#include "afxstr.h"

class CPageFolder {
 public:
  CPageFolder() = default;
  CString m_strFolder;  // the install folder: a full path without a trailing backslash
};
