// The five wizard pages: welcome with its slide show, read-me with the
// Active Desktop check, install folder, finish, and the problem page.
#pragma once
#include <cstdint>

#include "picture.h"
#include "resource.h"
#include "wizpage.h"

class CPageInfo : public CWizardPage {
  DECLARE_DYNCREATE(CPageInfo)

 public:
  explicit CPageInfo(const char* title = nullptr);

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void OnTimer(UINT_PTR id);

  CPictureStatic m_picBanner;
  CPictureStatic m_picSlide;
  CBitmap m_bmpSlides[IDB_SLIDE_COUNT];
  // The slide shown last, shared by every welcome page and kept for the
  // program's life.
  static int32_t s_nSlide;

  static constexpr UINT_PTR kSlideTimer = 1;
  static constexpr UINT kSlidePeriod = 2000;

  DECLARE_MESSAGE_MAP()
};

class CPageRead : public CWizardPage {
  DECLARE_DYNCREATE(CPageRead)

 public:
  explicit CPageRead(const char* title = nullptr);

  // How much of Readme.txt is shown, and what follows it when there is more.
  static const UINT kReadmeLimit;
  static const char kReadmeCut[];

  BOOL OnInitDialog() override;
  LRESULT OnWizardNext() override;

  DECLARE_MESSAGE_MAP()
};

class CPageFolder : public CWizardPage {
  DECLARE_DYNCREATE(CPageFolder)

 public:
  explicit CPageFolder(const char* title = nullptr);

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnChange();
  // Asks the user for a folder: TRUE with it in m_strFolder, FALSE with
  // m_strFolder unchanged.
  BOOL BrowseForFolder();

  CPictureStatic m_picBanner;
  CString m_strFolder;  // the install folder: a full path without a trailing backslash

  DECLARE_MESSAGE_MAP()
};

class CPageLast : public CWizardPage {
  DECLARE_DYNCREATE(CPageLast)

 public:
  explicit CPageLast(const char* title = nullptr);

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnWizardFinish() override;

  int32_t m_bDone;
  CPictureStatic m_picture;

  DECLARE_MESSAGE_MAP()
};

class CPageError : public CWizardPage {
  DECLARE_DYNCREATE(CPageError)

 public:
  explicit CPageError(const char* title = nullptr);

  BOOL OnInitDialog() override;
  LRESULT OnWizardBack() override;
  LRESULT OnWizardNext() override;

  CPictureStatic m_picture;
};
