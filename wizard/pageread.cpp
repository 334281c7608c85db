// The read-me page and the Active Desktop check on Next.
#include "afxfile.h"
#include "installer.h"
#include "pages.h"

IMPLEMENT_DYNCREATE(CPageRead, CWizardPage)

const UINT CPageRead::kReadmeLimit = 1 << 20;
const char CPageRead::kReadmeCut[] = "\r\n\r\n(Readme.txt is longer than 1 MB: the rest of it is not shown.)";

BEGIN_MESSAGE_MAP(CPageRead, CWizardPage)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPageRead::CPageRead(const char* title) : CWizardPage(title, IDD_README, IDS_CAPTION) {}

BOOL CPageRead::OnInitDialog() {
  CWizardPage::OnInitDialog();
  CString path = GetModuleDir() + "Readme.txt";
  CString text;
  CFile file;
  if (file.Open(path, CFile::modeRead | CFile::shareCompat)) {
    // Read in pieces of 79 bytes, each taken up to its first zero byte. A
    // read error keeps what was read before it. Only the first megabyte is
    // read: a read-me is a few pages, and a huge or endless file (a damaged
    // medium) would otherwise take the program's memory and minutes of reads.
    char buffer[80];
    try {
      for (UINT total = 0;;) {
        if (total == kReadmeLimit) {
          if (file.Read(buffer, 1) != 0) text += kReadmeCut;
          break;
        }
        UINT want = kReadmeLimit - total < 79 ? kReadmeLimit - total : 79;
        UINT n = file.Read(buffer, want);
        if (n == 0) break;
        total += n;
        buffer[n] = 0;
        text += buffer;
      }
    } catch (CFileException* e) {
      e->Delete();
    }
  }
  SetItemText(IDC_BODY, text);
  SetItemBold(IDC_BODY);
  try {
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
  }
  return TRUE;
}

LRESULT CPageRead::OnWizardNext() {
  CInstaller* installer = GetInstaller();
  if (installer && installer->IsActiveDesktopAvailable()) return CWizardPage::OnWizardNext();
  return IDD_PROBLEM;
}
