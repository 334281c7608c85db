#include "wizsheet.h"

#include "pages.h"
#include "resource.h"
#include "rules.h"

IMPLEMENT_DYNAMIC(CWizardSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CWizardSheet, CPropertySheet)
ON_WM_CREATE()
END_MESSAGE_MAP()

CWizardSheet::CWizardSheet(UINT captionId, CWnd* parent, UINT firstPage)
    : CPropertySheet(captionId, parent, firstPage),
      m_nPageCount(0),
      m_pPageInfo(nullptr),
      m_pPageFolder(nullptr),
      m_pPageRead(nullptr),
      m_pPageLast(nullptr),
      m_pPageError(nullptr) {
  // The titles go through one 40-character buffer; each page copies its own.
  CString stem;
  stem.LoadString(IDS_CAPTION);
  char title[kTitleBuffer];
  FormatPageTitle(title, stem, false, 0, 0);
  m_pPageError = new CPageError(title);
  m_nPageCount = 4;  // the problem page is not counted
  FormatPageTitle(title, stem, true, 1, m_nPageCount);
  m_pPageInfo = new CPageInfo(title);
  FormatPageTitle(title, stem, true, 2, m_nPageCount);
  m_pPageRead = new CPageRead(title);
  FormatPageTitle(title, stem, true, 3, m_nPageCount);
  m_pPageFolder = new CPageFolder(title);
  FormatPageTitle(title, stem, true, 4, m_nPageCount);
  m_pPageLast = new CPageLast(title);

  AddPage(m_pPageInfo);
  AddPage(m_pPageRead);
  AddPage(m_pPageFolder);
  AddPage(m_pPageLast);
  AddPage(m_pPageError);
  m_psh.dwFlags |= PSH_WIZARD;
}

// The pages go before the installer, which is destroyed after this body.
CWizardSheet::~CWizardSheet() {
  delete m_pPageInfo;
  delete m_pPageRead;
  delete m_pPageFolder;
  delete m_pPageLast;
  delete m_pPageError;
}

int CWizardSheet::OnCreate(LPCREATESTRUCT cs) {
  HICON big = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_LUMIROLL));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  HICON small = static_cast<HICON>(
      ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_LUMIROLL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  return CPropertySheet::OnCreate(cs) == -1 ? -1 : 0;
}
