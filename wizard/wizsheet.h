// CWizardSheet: owns the install engine and the pages; runs the install.
#pragma once
#include "category.h"
#include "installer.h"
#include "pagefolder.h"

class CWizardSheet {
 public:
  CWizardSheet();
  virtual ~CWizardSheet();
  CWizardSheet(const CWizardSheet&) = delete;
  CWizardSheet& operator=(const CWizardSheet&) = delete;

  CInstaller& GetInstaller() { return m_installer; }

  // The whole installation from the folder page's folder: 1 when every step
  // succeeded and at least one shortcut was made; 0 with the installer's
  // last message saying why.
  int RunInstall();
  // Writes one category list file: 1 when it was opened and every byte written.
  int WriteCategoryFile(const char* path, int count, const CategoryRecord* records);

  CInstaller m_installer;
  CPageFolder* m_pPageFolder;
};
