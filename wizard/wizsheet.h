// CWizardSheet: the property sheet in wizard mode that holds the install
// engine and the five pages, and runs the install.
#pragma once
#include "afxwin.h"
#include "category.h"
#include "installer.h"

class CPageInfo;
class CPageFolder;
class CPageRead;
class CPageLast;
class CPageError;

class CWizardSheet : public CPropertySheet {
  DECLARE_DYNAMIC(CWizardSheet)

 public:
  explicit CWizardSheet(UINT captionId = 1, CWnd* parent = nullptr, UINT firstPage = 0);
  ~CWizardSheet() override;

  // The whole installation from the folder page's folder: 1 when every step
  // succeeded and at least one shortcut was made; 0 with the installer's
  // last message saying why.
  int RunInstall();
  // Writes one category list file: 1 when it was opened and every byte written.
  int WriteCategoryFile(const char* path, int count, const CategoryRecord* records);

  int m_nPageCount;
  CInstaller m_installer;
  CPageInfo* m_pPageInfo;
  CPageFolder* m_pPageFolder;
  CPageRead* m_pPageRead;
  CPageLast* m_pPageLast;
  CPageError* m_pPageError;

  int OnCreate(LPCREATESTRUCT cs);

  DECLARE_MESSAGE_MAP()
};
