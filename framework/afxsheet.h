// Property sheets and pages in wizard mode over the platform's
// PropertySheetA: the sheet builds the page records and creates its
// window through a creation hook that binds the window to the object.
#pragma once
#include <vector>

#include "afxwnd.h"

class CPropertyPage : public CWnd {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT templateId, UINT captionId = 0);

  virtual BOOL OnInitDialog();
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual LRESULT OnWizardBack() { return 0; }
  virtual LRESULT OnWizardNext() { return 0; }
  virtual BOOL OnWizardFinish() { return TRUE; }
  virtual BOOL OnQueryCancel() { return TRUE; }
  void CancelToClose();

  BOOL OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result) override;
  BOOL OnCmdMsg(UINT id, int code) override;

  PROPSHEETPAGEA m_psp;
  UINT m_nIDTemplate;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;

  static INT_PTR CALLBACK DialogProc(HWND h, UINT msg, WPARAM w, LPARAM l);
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);

  void AddPage(CPropertyPage* page);
  int GetPageIndex(const CPropertyPage* page) const;
  // Modal: returns ID_WIZFINISH or IDCANCEL (IDOK or IDCANCEL outside wizard
  // mode), -1 when the sheet could not be shown.
  virtual INT_PTR DoModal();
  // Modeless: shows the sheet and returns at once.
  BOOL Create(CWnd* parent = nullptr);

  PROPSHEETHEADERA m_psh;
  CString m_strCaption;
  CWnd* m_pParentWnd;

 private:
  void BuildHeader(CWnd* parent);
  std::vector<CPropertyPage*> m_pages;
  std::vector<PROPSHEETPAGEA> m_records;
};
