// The install folder page: the folder shown, and Change with the shell's
// folder browser.
#include "pages.h"

IMPLEMENT_DYNCREATE(CPageFolder, CWizardPage)

BEGIN_MESSAGE_MAP(CPageFolder, CWizardPage)
ON_BN_CLICKED(IDC_CHANGE, OnChange)
END_MESSAGE_MAP()

namespace {
const char kDefaultFolder[] = "C:\\Program Files\\Lumiroll";
const char kFolderStem[] = "Lumiroll";
const char kBrowseTitle[] = "Where do you want Lumiscroll installed?";
}  // namespace

CPageFolder::CPageFolder(const char* title) : CWizardPage(title, IDD_FOLDER, IDS_CAPTION) {}

void CPageFolder::DoDataExchange(CDataExchange* dx) {
  CWizardPage::DoDataExchange(dx);
  DDX_Text(dx, IDC_FOLDER, m_strFolder);
}

BOOL CPageFolder::OnInitDialog() {
  CWizardPage::OnInitDialog();
  m_picBanner.SubclassDlgItem(IDC_PICTURE, this);
  m_picBanner.FitBitmap(0);
  m_strFolder = kDefaultFolder;
  UpdateData(FALSE);
  return TRUE;
}

BOOL CPageFolder::BrowseForFolder() {
  BOOL chosen = FALSE;
  IMalloc* allocator = nullptr;
  if (::SHGetMalloc(&allocator) != S_OK || !allocator) return FALSE;
  LPITEMIDLIST root = nullptr;
  ::SHGetSpecialFolderLocation(m_hWnd, CSIDL_DRIVES, &root);
  char displayName[MAX_PATH] = "";
  BROWSEINFOA info = {};
  info.hwndOwner = m_hWnd;
  info.pidlRoot = root;
  info.pszDisplayName = displayName;
  info.lpszTitle = kBrowseTitle;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST item = ::SHBrowseForFolderA(&info);
  if (root) allocator->Free(root);
  if (!item) {
    allocator->Release();
    return FALSE;
  }
  char path[MAX_PATH] = "";
  if (::SHGetPathFromIDListA(item, path)) {
    m_strFolder = path;
    chosen = TRUE;
    UpdateData(FALSE);
  }
  allocator->Free(item);
  allocator->Release();
  return chosen;
}

void CPageFolder::OnChange() {
  if (!BrowseForFolder()) return;
  if (m_strFolder.ReverseFind('\\') != m_strFolder.GetLength() - 1) m_strFolder += "\\";
  m_strFolder += kFolderStem;
  UpdateData(FALSE);
}
