// CWizardPage: the base of the five pages: title, bold font, page number,
// the wizard buttons by that number, the installer, white statics.
#pragma once
#include "afxwin.h"
#include "picture.h"
#include "resource.h"

class CInstaller;
class CWizardSheet;

class CWizardPage : public CPropertyPage {
  DECLARE_DYNCREATE(CWizardPage)

 public:
  explicit CWizardPage(const char* title = nullptr, UINT templateId = IDD_WELCOME, UINT captionId = IDS_CAPTION);
  ~CWizardPage() override;

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnWizardFinish() override;

  // The parent sheet's install engine; nullptr when the page has no sheet.
  CInstaller* GetInstaller() const;
  // Static texts and read-only edits on white; others as the platform paints them.
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

  int m_nPage;
  CString m_strTitle;
  CFont m_fontBold;

 protected:
  // The sheet that shows this page, or nullptr.
  CWizardSheet* GetSheet() const;
  // Sets control id's text to string stringId (or to text), and its font bold.
  void SetItemText(int id, UINT stringId);
  void SetItemText(int id, const char* text);
  void SetItemBold(int id);
  // Sets up a page that tells something: picture subclasses IDC_PICTURE,
  // showing the template's bitmap fitted, and the bold IDC_HEADING and the
  // IDC_BODY take their strings.
  void SetUpNotice(CPictureStatic& picture, UINT headingId, UINT bodyId);
};
