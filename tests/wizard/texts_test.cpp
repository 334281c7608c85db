// The texts a user reads, as literal text: the string table and the
// installer's messages must be exactly these (a typo fails here, in both
// builds).
#include <gtest/gtest.h>

#include "afxstr.h"
#include "messages.h"
#include "resource.h"

namespace {

TEST(Texts, TheStringTableHoldsTheProgramsTexts) {
  const struct {
    unsigned id;
    const char* text;
  } kTexts[] = {
      {IDS_CAPTION, "Lumiscroll Installation"},
      {IDS_WELCOME_TEXT,
       "Lumiscroll Wallpaper Wizard adds a slide show to your wallpaper. View your photos without interfering with "
       "your work. Pictures can be displayed as quickly or as slowly as you like.  Use this program to install "
       "Lumiscroll on your computer. Press 'Next' to continue, or 'Cancel' to exit."},
      {IDS_READY_TEXT,
       "The preliminaries are done. Press 'Finish' to copy the software to your computer. Otherwise, press 'Cancel' to "
       "exit without making any changes."},
      {IDS_SUCCESS_HEADING, "Installation Successful!"},
      {IDS_READY_HEADING, "You're ready to install..."},
      {IDS_FAILURE_HEADING, "Oops! There is a problem..."},
      {IDS_PROBLEM_HEADING, "Is Explorer 4.0 Installed?"},
      {IDS_PROBLEM_TEXT,
       "The setup program did not detect Internet Explorer 4.0 or higher on your computer. You must have at least "
       "Explorer 4.0 with Active Desktop to operate Lumiscroll . Click 'Cancel' to stop the installation. Lumiscroll "
       "will not work without Microsoft Internet Explorer 4.0 or higher and the upgraded desktop.  You can download "
       "the latest version of Explorer from http://www.lumiscroll.example/desktop-update."},
      {IDS_SUCCESS_TEXT,
       "Double click the new Lumiscroll icon on your desktop to start Lumiscroll.  Thank you for trying the program! "
       "We hope you find it useful.\r\n\r\nTamvik Software"},
      {IDS_FAILURE_TEXT,
       "Lumiscroll could not be completely installed. Please notify us at support@lumiscroll.example.\r\nThe following "
       "error(s) were encountered:\r\n"},
      {IDS_WAIT_HEADING, "Please Wait..."},
      {IDS_WAIT_TEXT, "Copying files... May take a few minutes."},
  };
  for (const auto& t : kTexts) {
    CString loaded;
    ASSERT_TRUE(loaded.LoadString(t.id)) << "string " << t.id;
    EXPECT_STREQ(loaded, t.text) << "string " << t.id;
  }
}

TEST(Texts, TheMessagesOfTheInstallerAndTheRun) {
  const char* s = "C:\\Medium\\Lumiroll.ex_";
  const char* d = "C:\\Apps\\Lumiroll\\Lumiroll.exe";
  const char* t = "C:\\Apps\\Lumiroll\\~Lumi.tmp";
  const struct {
    CString message;
    const char* text;
  } kMessages[] = {
      {kMsgCannotCreateDir, "Cannot create directory"},
      {kMsgFolderTooLong, "Folder name is too long: "},
      {kMsgFileTooLong, "File name is too long: "},
      {kMsgCannotExpand, "Could not expand file "},
      {kMsgInstallFolderTooLong, "The installation folder name is too long: "},
      {kMsgCannotWriteList, "Cannot write the category list file "},
      {kMsgNoShortcuts, "Unable to add shortcuts to desktop\nYou may need to do this manually\n"},
      {ExpandFailureMessage(LZERROR_BADINHANDLE, s, d), "Cannot access C:\\Medium\\Lumiroll.ex_"},
      {ExpandFailureMessage(LZERROR_BADOUTHANDLE, s, d), "Cannot access C:\\Apps\\Lumiroll\\Lumiroll.exe"},
      {ExpandFailureMessage(LZERROR_READ, s, d), "File is corrupt: C:\\Medium\\Lumiroll.ex_"},
      {ExpandFailureMessage(LZERROR_WRITE, s, d), "Cannot write file C:\\Apps\\Lumiroll\\Lumiroll.exe"},
      {ExpandFailureMessage(LZERROR_GLOBALLOC, s, d), "Cannot copy file C:\\Apps\\Lumiroll\\Lumiroll.exe"},
      {ExpandFailureMessage(LZERROR_GLOBLOCK, s, d), "File is in use. Cannot copy C:\\Apps\\Lumiroll\\Lumiroll.exe"},
      {ExpandFailureMessage(LZERROR_UNKNOWNALG, s, d), "Unknown compression method: C:\\Medium\\Lumiroll.ex_"},
      {ExpandFailureMessage(LZERROR_BADVALUE, s, d),
       "File expands past the 2147483647 bytes LZ32 can copy: C:\\Medium\\Lumiroll.ex_"},
      {ExpandFailureMessage(-99, s, d), "Cannot copy file C:\\Medium\\Lumiroll.ex_"},
      {ExpandFailureMessage(0, s, d), ""},
      // What stood under the temporary name is named, attributes or not.
      {TempFailureMessage(ERROR_ACCESS_DENIED, true, t, d), "Cannot access C:\\Apps\\Lumiroll\\~Lumi.tmp"},
      {TempFailureMessage(ERROR_ACCESS_DENIED, false, t, d), "Cannot access C:\\Apps\\Lumiroll\\Lumiroll.exe"},
      {TempFailureMessage(ERROR_SHARING_VIOLATION, false, t, d),
       "Another program (a second installation?) is writing C:\\Apps\\Lumiroll\\~Lumi.tmp"},
  };
  for (const auto& m : kMessages) EXPECT_STREQ(m.message, m.text);
}

}  // namespace
