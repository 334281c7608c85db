// The wizard on the native sheet host: the sheet and its pages, the page
// base's rules, the slide show, the read-me and Active Desktop check, the
// folder browser, the install from the finish page, Help, and the pictures'
// ownership of their bitmaps. The program's folder holds the sample medium.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "lumistandin.h"
#include "medium.h"
#include "outcome.h"
#include "pages.h"
#include "rules.h"
#include "setupapp.h"
#include "sheet.h"
#include "testfs.h"
#include "testmachine.h"
#include "views.h"
#include "wizsheet.h"

namespace {

CSetupApp g_app;  // the application object: it handles Help

std::string Str(UINT id) {
  CString s;
  s.LoadString(id);
  return s.GetString();
}

const std::string kStem = "Lumiscroll Installation";

struct Buttons {
  bool back, next, finish;
};

Buttons Offered() {
  auto on = [](int b) { return LumiSheetButton(b).visible && LumiSheetButton(b).enabled; };
  return {on(PSBTN_BACK), on(PSBTN_NEXT), on(PSBTN_FINISH)};
}

class Wizard : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(LaySampleMedium(&error)) << error;
    GetFile(ProgramFolder() + "Readme.txt", readme_);
  }
  void SetUp() override {
    unsetenv("LUMIROLL_ACTIVE_DESKTOP");
    LumiClearLogs();
    PutFile(ProgramFolder() + "Readme.txt", readme_);
    base_ = ScratchFolder();
    MakeFolder(base_ + "\\Desktop");
    MakeFolder(base_ + "\\Programs");
    SetShellFolders((base_ + "\\Desktop").c_str(), (base_ + "\\Programs").c_str());
    gdiBefore_ = LumiLiveGdiObjects();
  }
  void TearDown() override {
    sheet_.reset();
    EXPECT_EQ(LumiSheetWindow(), nullptr);
    EXPECT_EQ(LumiLiveGdiObjects(), gdiBefore_) << "GDI objects left behind";
    EXPECT_EQ(LumiLiveDcs(), 0);
    EXPECT_EQ(LumiLiveItemLists(), 0);
    EXPECT_EQ(LumiLiveAllocators(), 0);
    EXPECT_EQ(LumiLiveActiveDesktops(), 0);
    LumiFailBitmap(0);
    LumiFailRead("", 0);
  }
  CWizardSheet& Open() {
    sheet_ = std::make_unique<CWizardSheet>();
    EXPECT_TRUE(sheet_->Create());
    LumiPumpMessages();
    return *sheet_;
  }
  void Press(int button) { LumiSheetPress(button); }
  // Walks from the welcome page to the page of template id.
  void GoTo(unsigned templateId) {
    for (int i = 0; i < 4 && LumiSheetPageTemplate() != templateId; ++i) Press(PSBTN_NEXT);
    ASSERT_EQ(LumiSheetPageTemplate(), templateId);
  }
  void SetFolder(const std::string& folder) { sheet_->m_pPageFolder->m_strFolder = folder.c_str(); }

  static std::string readme_;
  std::unique_ptr<CWizardSheet> sheet_;
  std::string base_;
  int gdiBefore_ = 0;
};
std::string Wizard::readme_;

TEST_F(Wizard, PagesTitlesAndButtonsInSheetOrder) {
  CWizardSheet& sheet = Open();
  EXPECT_EQ(sheet.m_nPageCount, 4);
  EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_WIZARD);
  EXPECT_TRUE(sheet.m_psh.dwFlags & PSH_HASHELP);
  const struct {
    CWizardPage* page;
    unsigned templateId;
    std::string title;
    Buttons buttons;
  } pages[] = {
      {sheet.m_pPageInfo, 107, kStem + " (1 of 4)", {false, true, false}},
      {sheet.m_pPageRead, 109, kStem + " (2 of 4)", {true, true, false}},
      {sheet.m_pPageFolder, 108, kStem + " (3 of 4)", {true, true, false}},
      {sheet.m_pPageLast, 110, kStem + " (4 of 4)", {true, false, true}},
  };
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(pages[i].title);
    EXPECT_EQ(sheet.GetPageIndex(pages[i].page), static_cast<int>(i));
    EXPECT_EQ(LumiSheetPageTemplate(), pages[i].templateId);
    EXPECT_EQ(LumiSheetCaption(), pages[i].title);
    EXPECT_EQ(pages[i].page->m_nPage, static_cast<int>(i) + 1);
    EXPECT_TRUE(pages[i].page->m_psp.dwFlags & PSP_HASHELP);
    Buttons b = Offered();
    EXPECT_EQ(b.back, pages[i].buttons.back);
    EXPECT_EQ(b.next, pages[i].buttons.next);
    EXPECT_EQ(b.finish, pages[i].buttons.finish);
    Press(PSBTN_NEXT);
  }
  EXPECT_EQ(sheet.GetPageIndex(sheet.m_pPageError), 4);
  EXPECT_STREQ(sheet.m_pPageError->m_psp.pszTitle, kStem.c_str());
}

TEST_F(Wizard, ButtonsArePostedAndLandAfterActivation) {
  sheet_ = std::make_unique<CWizardSheet>();
  ASSERT_TRUE(sheet_->Create());  // Create pumps once the first page is shown
  // The read-me page posts its buttons while it becomes active, and after
  // them the focus on its default button: right after a press that is not
  // followed by a pump the page is shown with the welcome page's buttons
  // still, and they change once the queue is delivered.
  SendMessageA(LumiSheetWindow(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  EXPECT_EQ(LumiSheetPageTemplate(), 109u);
  EXPECT_FALSE(Offered().back);
  EXPECT_EQ(LumiQueuedMessages(), 2u);
  LumiPumpMessages();
  EXPECT_TRUE(Offered().back);
  PostMessageA(LumiSheetWindow(), PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
  EXPECT_TRUE(Offered().back);
  EXPECT_EQ(LumiQueuedMessages(), 1u);
  LumiPumpMessages();
  EXPECT_FALSE(Offered().back);
}

TEST_F(Wizard, SheetCarriesBothIcons) {
  Open();
  auto big = reinterpret_cast<HICON>(SendMessageA(LumiSheetWindow(), WM_GETICON, ICON_BIG, 0));
  auto small = reinterpret_cast<HICON>(SendMessageA(LumiSheetWindow(), WM_GETICON, ICON_SMALL, 0));
  LumiIconInfo b = LumiDescribeIcon(big), s = LumiDescribeIcon(small);
  EXPECT_EQ(b.id, 101u);
  EXPECT_EQ(b.width, 32);
  EXPECT_EQ(b.height, 32);
  EXPECT_EQ(s.id, 101u);
  EXPECT_EQ(s.width, 16);
  EXPECT_EQ(s.height, 16);
}

TEST_F(Wizard, PageTitleRules) {
  const struct {
    const char* title;
    UINT caption;
    bool useTitle;
    std::string shown;
  } cases[] = {
      {nullptr, 1, true, kStem},
      {"", 1, true, kStem},
      {"Another title", 1, true, "Another title"},
      {"Not shown", 0, false, "Not shown"},
  };
  for (const auto& c : cases) {
    CWizardPage page(c.title, 107, c.caption);
    EXPECT_EQ((page.m_psp.dwFlags & PSP_USETITLE) != 0, c.useTitle);
    if (c.useTitle) {
      EXPECT_EQ(page.m_psp.pszTitle, c.shown);
    }
    EXPECT_EQ(page.GetInstaller(), nullptr);  // no sheet, no installer
  }
  // Pages made through their runtime class records get no title.
  const CRuntimeClass* classes[] = {RUNTIME_CLASS(CPageInfo), RUNTIME_CLASS(CPageRead), RUNTIME_CLASS(CPageFolder),
                                    RUNTIME_CLASS(CPageLast), RUNTIME_CLASS(CPageError)};
  const unsigned templates[] = {107, 109, 108, 110, 106};
  for (int i = 0; i < 5; ++i) {
    std::unique_ptr<CObject> object(classes[i]->CreateObject());
    ASSERT_TRUE(object && object->IsKindOf(RUNTIME_CLASS(CWizardPage))) << classes[i]->m_lpszClassName;
    auto* page = static_cast<CWizardPage*>(object.get());
    EXPECT_EQ(page->m_nIDTemplate, templates[i]);
    EXPECT_EQ(page->m_psp.pszTitle, kStem);
  }
  EXPECT_EQ(RUNTIME_CLASS(CWizardSheet)->CreateObject(), nullptr);
  EXPECT_STREQ(RUNTIME_CLASS(CWizardSheet)->m_lpszClassName, "CWizardSheet");
}

TEST_F(Wizard, WelcomePageShowsBannerTextAndFittedSlide) {
  Open();
  EXPECT_EQ(LumiSheetText(1000), Str(2));
  EXPECT_TRUE(LumiSheetBold(1000));
  EXPECT_EQ(LumiSheetFontArguments(1000), "0,0,0,0,700,0,0,0,1,2,1,2,64,MS Sans Serif");
  EXPECT_TRUE(LumiSheetWhite(1000));
  LumiSheetPictureView banner = LumiSheetPicture(1004), slide = LumiSheetPicture(1001);
  EXPECT_EQ(banner.bitmapId, 108u);
  EXPECT_EQ(slide.bitmapId, 103u);
  int w = 0, h = 0;
  ASSERT_TRUE(FitSize(166, 70, banner.clientWidth, banner.clientHeight, w, h));
  EXPECT_EQ(banner.width, w);
  EXPECT_EQ(banner.height, h);
  ASSERT_TRUE(FitSize(188, 156, slide.clientWidth, slide.clientHeight, w, h));
  EXPECT_EQ(slide.width, w);
  EXPECT_EQ(slide.height, h);
}

TEST_F(Wizard, SlideShowTicksOnlyWhileTheWelcomePageIsShown) {
  CPageInfo::s_nSlide = 0;
  CWizardSheet& sheet = Open();
  HWND page = sheet.m_pPageInfo->m_hWnd;
  const unsigned expected[] = {104, 105, 106, 107, 103, 104};
  unsigned before = 103;
  for (unsigned id : expected) {
    int paints = LumiSheetPicture(1001).paints;
    LumiAdvanceClock(1999);
    EXPECT_EQ(LumiSheetPicture(1001).bitmapId, before);
    LumiAdvanceClock(1);
    before = id;
    EXPECT_EQ(LumiSheetPicture(1001).bitmapId, id);
    EXPECT_EQ(LumiSheetPicture(1001).paints - paints, 1) << "one repaint a tick, the unscaled slide never painted";
  }
  // Away from the page no tick comes; back again, the cycle goes on.
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiTimerCount(page), 0);
  LumiAdvanceClock(10000);
  Press(PSBTN_BACK);
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 104u);
  LumiAdvanceClock(2000);
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 105u);
  // Entering again and again keeps one timer.
  for (int i = 0; i < 3; ++i) {
    Press(PSBTN_NEXT);
    Press(PSBTN_BACK);
  }
  EXPECT_EQ(LumiTimerCount(page), 1);
  LumiAdvanceClock(2000);
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 106u);
  // Any timer message advances the slide.
  SendMessageA(page, WM_TIMER, 7, 0);
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 107u);
  EXPECT_EQ(CPageInfo::s_nSlide, 4);
}

TEST_F(Wizard, AMissingSlideKeepsTheLastPicture) {
  CPageInfo::s_nSlide = 0;
  LumiFailBitmap(104);
  Open();
  LumiAdvanceClock(2000);  // to slide 104, which did not load
  LumiSheetPictureView p = LumiSheetPicture(1001);
  EXPECT_TRUE(p.shown);
  EXPECT_EQ(p.bitmapId, 103u);
  LumiAdvanceClock(2000);
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 105u);
}

TEST_F(Wizard, PicturesHoldOneScaledCopyEach) {
  Open();
  int live = LumiLiveGdiObjects();
  LumiAdvanceClock(2000 * 50);
  EXPECT_EQ(LumiLiveGdiObjects(), live);
  // Fitting again what the control shows (its own copy) changes nothing.
  CPictureStatic& frame = sheet_->m_pPageInfo->m_picSlide;
  HBITMAP shown = frame.GetBitmap();
  EXPECT_FALSE(frame.FitBitmap(0));
  EXPECT_EQ(frame.GetBitmap(), shown);
  // A bitmap that is not there, or a control without a picture, is no source.
  EXPECT_FALSE(frame.FitBitmap(9999));
  EXPECT_EQ(frame.GetBitmap(), shown);
  EXPECT_EQ(LumiLiveGdiObjects(), live);
  // A resource id is loaded, scaled, and released again.
  EXPECT_TRUE(frame.FitBitmap(113));
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 113u);
  EXPECT_EQ(LumiLiveGdiObjects(), live);
}

TEST_F(Wizard, ReadmeIsShownWholeInBold) {
  // Sizes around the 79-byte pieces, and a zero byte that ends its piece.
  std::string text79(79, 'a'), text80 = text79 + "b", text158 = text79 + std::string(79, 'c');
  std::string withZero = std::string(10, 'x') + '\0' + std::string(68, 'y') + "tail";
  const struct {
    std::string file, shown;
  } cases[] = {
      {"", ""},
      {text79, text79},
      {text80, text80},
      {text158, text158},
      {"line one\r\nline two\r\n", "line one\r\nline two\r\n"},
      {withZero, std::string(10, 'x') + "tail"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(PutFile(ProgramFolder() + "Readme.txt", c.file));
    Open();
    Press(PSBTN_NEXT);
    EXPECT_EQ(LumiSheetText(1000), c.shown) << c.file.size() << " bytes";
    EXPECT_TRUE(LumiSheetBold(1000));
    EXPECT_TRUE(LumiSheetWhite(1000));
    sheet_.reset();
  }
  RemoveFile(ProgramFolder() + "Readme.txt");
  Open();
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiSheetText(1000), "");
  EXPECT_EQ(LumiSheetPageTemplate(), 109u);
}

TEST_F(Wizard, AReadmeOverAMegabyteIsShownUpToItAndSaysSo) {
  const std::string limit(CPageRead::kReadmeLimit, 'm');
  const struct {
    std::string file, shown;
  } cases[] = {
      {limit, limit},
      {limit + "z", limit + CPageRead::kReadmeCut},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(PutFile(ProgramFolder() + "Readme.txt", c.file));
    Open();
    Press(PSBTN_NEXT);
    EXPECT_TRUE(LumiSheetText(1000) == c.shown) << c.file.size() << " bytes";
    sheet_.reset();
  }
}

TEST_F(Wizard, AReadErrorShowsWhatWasRead) {
  ASSERT_TRUE(PutFile(ProgramFolder() + "Readme.txt", std::string(200, 'r')));
  LumiFailRead(ProgramFolder() + "Readme.txt", 100);
  Open();
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiSheetPageTemplate(), 109u);
  EXPECT_EQ(LumiSheetText(1000), std::string(100, 'r'));
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiSheetPageTemplate(), 108u);
}

TEST_F(Wizard, WithoutActiveDesktopNextShowsTheProblemPage) {
  setenv("LUMIROLL_ACTIVE_DESKTOP", "0", 1);
  Open();
  GoTo(109);
  Press(PSBTN_NEXT);
  ASSERT_EQ(LumiSheetPageTemplate(), 106u);
  EXPECT_EQ(LumiSheetCaption(), kStem);
  EXPECT_EQ(LumiSheetText(1004), Str(7));
  EXPECT_TRUE(LumiSheetBold(1004));
  EXPECT_EQ(LumiSheetText(1000), Str(8));
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 113u);
  EXPECT_FALSE(LumiSheetWhite(1000));
  Buttons b = Offered();
  EXPECT_TRUE(b.back && b.next && !b.finish);
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiSheetPageTemplate(), 106u);
  EXPECT_TRUE(Offered().next);
  Press(PSBTN_BACK);
  EXPECT_EQ(LumiSheetPageTemplate(), 109u);
  Press(PSBTN_NEXT);  // asked again: still missing
  EXPECT_EQ(LumiSheetPageTemplate(), 106u);
  Press(PSBTN_BACK);
  setenv("LUMIROLL_ACTIVE_DESKTOP", "1", 1);
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiSheetPageTemplate(), 108u);
}

TEST_F(Wizard, FolderPageDefaultAndChange) {
  const std::string apps = base_ + "\\Apps", named = base_ + "\\Lumiroll", file = base_ + "\\afile";
  MakeFolder(apps);
  MakeFolder(named);
  PutFile(file, "x");
  Open();
  GoTo(108);
  EXPECT_EQ(LumiSheetText(1002), "C:\\Program Files\\Lumiroll");
  EXPECT_FALSE(LumiSheetWhite(1002));
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 110u);
  const struct {
    std::vector<std::string> answers;  // what the user gives the browser in turn
    std::string shown;
  } cases[] = {
      {{apps}, apps + "\\Lumiroll"},
      {{"T:\\"}, "T:\\Lumiroll"},
      {{named}, named + "\\Lumiroll"},
      {{""}, named + "\\Lumiroll"},                              // cancelled: unchanged
      {{file, base_ + "\\missing", apps}, apps + "\\Lumiroll"},  // not folders: the browser stays
      {{file, ""}, apps + "\\Lumiroll"},
  };
  for (const auto& c : cases) {
    for (const auto& a : c.answers) LumiQueueBrowse(a);
    ASSERT_TRUE(LumiSheetClick("Change"));
    EXPECT_EQ(LumiSheetText(1002), c.shown);
    EXPECT_EQ(sheet_->m_pPageFolder->m_strFolder, c.shown.c_str());
  }
  // Answers the browser refuses with a reason, even for folders the host
  // has: device names, a path past MAX_PATH, a NUL inside.
  const std::string longer = base_ + "\\" + std::string(259 - base_.size(), 'l');
  const struct {
    std::string answer, why;
  } refused[] = {
      {base_ + "\\CON", "CON is a device name"},         {base_ + "\\com1", "com1 is a device name"},
      {base_ + "\\nul.txt", "nul.txt is a device name"}, {longer, "at most 259 characters; this one has 260"},
      {apps + std::string("\0junk", 5), "holds no NUL"},
  };
  static std::string problem;
  LumiSetBrowseAsker([](const std::string&, const std::string& why, std::string&) {
    problem = why;
    return false;
  });
  for (const auto& r : refused) {
    SCOPED_TRACE(r.why);
    MakeFolder(r.answer.substr(0, r.answer.find('\0')));
    LumiQueueBrowse(r.answer);
    ASSERT_TRUE(LumiSheetClick("Change"));
    EXPECT_NE(problem.find(r.why), std::string::npos) << problem;
    EXPECT_EQ(LumiSheetText(1002), apps + "\\Lumiroll");
  }
  LumiSetBrowseAsker(nullptr);
  const LumiBrowseCall& last = LumiBrowseLog().back();
  EXPECT_EQ(last.title, "Where do you want Lumiscroll installed?");
  EXPECT_EQ(last.owner, sheet_->m_pPageFolder->m_hWnd);
  // The choice survives Next and Back.
  Press(PSBTN_NEXT);
  Press(PSBTN_BACK);
  EXPECT_EQ(LumiSheetText(1002), apps + "\\Lumiroll");
}

TEST_F(Wizard, FinishInstallsAndThenCloses) {
  const std::string folder = base_ + "\\Apps\\Lumiroll";
  MakeFolder(base_ + "\\Apps");
  Open();
  GoTo(108);
  LumiQueueBrowse(base_ + "\\Apps");
  ASSERT_TRUE(LumiSheetClick("change"));
  Press(PSBTN_NEXT);
  EXPECT_EQ(LumiSheetText(1004), Str(5));
  EXPECT_EQ(LumiSheetText(1000), Str(3));
  EXPECT_TRUE(LumiSheetBold(1004));
  EXPECT_TRUE(LumiSheetWhite(1000));
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 111u);
  // Back and forth first: the texts stay and the install has not run.
  Press(PSBTN_BACK);
  EXPECT_FALSE(PathExists(folder));
  Press(PSBTN_NEXT);
  Press(PSBTN_FINISH);
  EXPECT_FALSE(LumiSheetClosed());
  EXPECT_EQ(LumiSheetText(1004), Str(4));
  EXPECT_EQ(LumiSheetText(1000), Str(9));
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 112u);
  LumiSheetButtonView finish = LumiSheetButton(PSBTN_FINISH);
  EXPECT_TRUE(finish.visible && finish.enabled);
  EXPECT_EQ(finish.text, "Close");
  EXPECT_FALSE(LumiSheetButton(PSBTN_BACK).visible);
  EXPECT_FALSE(LumiSheetButton(PSBTN_NEXT).visible);
  EXPECT_FALSE(LumiSheetButton(PSBTN_CANCEL).enabled);
  EXPECT_FALSE(LumiIsWaitCursor(LumiCursor()));
  EXPECT_EQ(sheet_->m_pPageLast->m_bDone, 1);
  EXPECT_TRUE(PathExists(folder + "\\Lumiroll.exe"));
  EXPECT_TRUE(PathExists(folder + "\\Nature\\Sheep.jpg"));
  EXPECT_TRUE(PathExists(folder + "\\Photos.dat"));
  EXPECT_TRUE(PathExists(base_ + "\\Desktop\\Lumiscroll Wallpaper Wizard.lnk"));
  Press(PSBTN_CANCEL);  // no longer available
  EXPECT_FALSE(LumiSheetClosed());
  Press(PSBTN_FINISH);
  EXPECT_TRUE(LumiSheetClosed());
}

TEST_F(Wizard, AFailedInstallShowsTheLastMessage) {
  Open();
  GoTo(110);
  SetFolder("Q:\\Lumiroll");  // no such drive
  Press(PSBTN_FINISH);
  EXPECT_EQ(LumiSheetText(1004), Str(6));
  std::string message = sheet_->m_installer.GetLastMessage().GetString();
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(LumiSheetText(1000), Str(10) + message);
  EXPECT_EQ(LumiSheetPicture(1001).bitmapId, 113u);
  EXPECT_EQ(LumiSheetButton(PSBTN_FINISH).text, "Close");
  Press(PSBTN_FINISH);
  EXPECT_TRUE(LumiSheetClosed());
}

TEST_F(Wizard, CancelOnAnyPageInstallsNothing) {
  for (unsigned page : {107u, 109u, 108u, 110u, 106u}) {
    const std::string folder = base_ + "\\p" + std::to_string(page);
    setenv("LUMIROLL_ACTIVE_DESKTOP", page == 106 ? "0" : "1", 1);
    Open();
    SetFolder(folder);
    GoTo(page == 106 ? 109 : page);
    if (page == 106) Press(PSBTN_NEXT);
    ASSERT_EQ(LumiSheetPageTemplate(), page);
    SetFolder(folder);  // the folder page's own default is set on its first display
    Press(PSBTN_CANCEL);
    EXPECT_TRUE(LumiSheetClosed()) << page;
    EXPECT_FALSE(PathExists(folder)) << page;
    sheet_.reset();
  }
}

TEST_F(Wizard, HelpOnEveryPageOpensTopicOneBesideTheProgram) {
  Open();
  std::free(const_cast<char*>(g_app.m_pszHelpFilePath));
  g_app.m_pszHelpFilePath = AfxHeapCopy(g_app.GetModuleDir() + "Lumiroll.hlp");
  g_app.m_pMainWnd = sheet_.get();
  // Welcome, read-me, folder and finish page with Active Desktop there, then
  // back to the read-me page and on to the problem page without it.
  std::vector<unsigned> seen;
  auto help = [&] {
    seen.push_back(LumiSheetPageTemplate());
    Press(PSBTN_HELP);
  };
  for (int i = 0; i < 4; ++i) {
    help();
    Press(PSBTN_NEXT);
  }
  Press(PSBTN_BACK);
  Press(PSBTN_BACK);
  setenv("LUMIROLL_ACTIVE_DESKTOP", "0", 1);
  Press(PSBTN_NEXT);
  help();
  g_app.m_pMainWnd = nullptr;
  EXPECT_EQ(seen, (std::vector<unsigned>{107, 109, 108, 110, 106}));
  ASSERT_EQ(LumiHelpLog().size(), 5u);
  for (const LumiHelpCall& h : LumiHelpLog()) {
    EXPECT_EQ(h.file, ProgramFolder() + "Lumiroll.hlp");
    EXPECT_EQ(h.command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(h.data, 1u);
  }
}

// The sheet deletes its pages before its installer ends OLE: a page still
// finds OLE held while it goes.
TEST_F(Wizard, PagesGoBeforeTheInstaller) {
  struct Probe : CPageError {
    int* depth;
    explicit Probe(int* d) : depth(d) {}
    ~Probe() override { *depth = LumiOleDepth(); }
  };
  int depthAtPage = -1;
  auto sheet = std::make_unique<CWizardSheet>();
  const int held = LumiOleDepth();
  CPageError* own = sheet->m_pPageError;  // the sheet is never shown, so its list may keep it
  sheet->m_pPageError = new Probe(&depthAtPage);
  sheet.reset();
  delete own;
  EXPECT_EQ(depthAtPage, held);
  EXPECT_EQ(LumiOleDepth(), held - 1);
}

// InitInstance runs the wizard modally, whatever it is driven to, and returns FALSE.
struct Script {
  std::vector<int> presses;
  size_t next = 0;
  std::string folder;  // set on the finish page before Finish, when given
};

// Watches the outcome as lumiroll-setup's driver does.
bool RunScript(void* context) {
  auto* s = static_cast<Script*>(context);
  SetupOutcomeWatch();
  if (s->next >= s->presses.size()) return false;
  if (!s->folder.empty() && LumiSheetPageTemplate() == IDD_FINISH) {
    static_cast<CWizardSheet*>(g_app.m_pMainWnd)->m_pPageFolder->m_strFolder = s->folder.c_str();
  }
  LumiSheetPress(s->presses[s->next++]);
  return true;
}

TEST_F(Wizard, InitInstanceReturnsFalseAfterAnInstallWhateverItsOutcome) {
  // The outcome is the install's, whatever picture could be shown for it.
  const struct {
    std::string folder;
    int result;
    unsigned failedPicture;
  } runs[] = {{base_ + "\\Apps\\Lumiroll", 1, 0},
              {"Q:\\Lumiroll", 0, 0},
              {base_ + "\\Apps\\Again", 1, IDB_FIREWORKS},
              {"Q:\\Lumiroll", 0, IDB_STOP}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.folder + " " + std::to_string(run.failedPicture));
    Script script{{PSBTN_NEXT, PSBTN_NEXT, PSBTN_NEXT, PSBTN_FINISH, PSBTN_FINISH}, 0, run.folder};
    LumiFailBitmap(run.failedPicture);
    SetupOutcomeReset();
    LumiSheetSetDriver(RunScript, &script);
    EXPECT_FALSE(g_app.InitInstance());
    LumiSheetSetDriver(nullptr, nullptr);
    LumiFailBitmap(0);
    EXPECT_EQ(script.next, 5u);
    EXPECT_EQ(SetupOutcomeSoFar(), run.result == 1 ? kSetupInstalled : kSetupFailed);
    EXPECT_EQ(PathExists(run.folder + "\\Lumiroll.exe"), run.result == 1);
    EXPECT_EQ(LumiSheetWindow(), nullptr);
  }
}

TEST_F(Wizard, InitInstanceRunsTheSheetAndReturnsFalse) {
  Script script{{PSBTN_HELP, PSBTN_NEXT, PSBTN_CANCEL}, 0, ""};
  SetupOutcomeReset();
  LumiSheetSetDriver(RunScript, &script);
  EXPECT_FALSE(g_app.InitInstance());
  LumiSheetSetDriver(nullptr, nullptr);
  EXPECT_EQ(script.next, 3u);
  EXPECT_EQ(SetupOutcomeSoFar(), kSetupNotInstalled);
  EXPECT_EQ(LumiSheetWindow(), nullptr);
  EXPECT_EQ(g_app.m_pMainWnd, nullptr);
  EXPECT_STREQ(g_app.m_pszHelpFilePath, (ProgramFolder() + "Lumiroll.hlp").c_str());
  ASSERT_EQ(LumiHelpLog().size(), 1u);
  EXPECT_EQ(LumiHelpLog()[0].file, ProgramFolder() + "Lumiroll.hlp");
  EXPECT_EQ(LumiOleDepth(), 0);
  // A driver that gives up at once ends the wizard too.
  Script none;
  LumiSheetSetDriver(RunScript, &none);
  EXPECT_FALSE(g_app.InitInstance());
  LumiSheetSetDriver(nullptr, nullptr);
}

}  // namespace
