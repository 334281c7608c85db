// Settings and observation points of the native stand-ins (the sheet host
// has its own, host/sheet.h). Only the native build has this header: product
// code never includes it, tools and tests may.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lumiwin.h"

// Drive map. Drive X: lives in the host folder named by LUMIROLL_DRIVE_X;
// Z: is "/" unless set; a drive with no folder does not exist.
// LumiMapPath turns a Windows path into the host path it names, matching
// existing names without regard to the case of A-Z as Windows does. False
// when the drive does not exist or the path is not a valid Windows path.
bool LumiMapPath(const char* winPath, std::string& hostPath);
// The Windows path under which a host path is seen (longest drive folder
// that holds it; Z: otherwise). The host path must exist.
std::string LumiHostToWindowsPath(const std::string& hostPath);
// Whether that Windows path leads back to the same host file or folder. It
// does not when a name in it ends in a dot or a space (Windows drops them),
// a folder's name holds a backslash, or names differ only in case.
bool LumiWindowsPathLeadsBack(const std::string& hostPath);
// Why a path may not lead back, for a message.
inline constexpr char kLumiLeadsElsewhere[] =
    "Windows drops a dot or a space that ends a name, and takes a backslash in a folder's name for a separator";

// Code page: 1252 (single-byte) unless LUMIROLL_CODEPAGE names another the
// stand-ins know (932 for the double-byte Japanese one). Tests may switch it.
void LumiSetCodePage(unsigned cp);

// Windows folder: kLumiDefaultWindowsDir by default; nullptr makes the
// platform report none.
inline constexpr char kLumiDefaultWindowsDir[] = "C:\\WINDOWS";
void LumiSetWindowsDir(const char* dir);

// OLE initialisation depth, for tests of the callers' pairing.
int LumiOleDepth();

// _mkdir: every call is logged with its path and result; a path may be made
// to fail with a given errno, as a refused or unusable folder would.
struct LumiMkdirCall {
  std::string path;
  int result;
};
const std::vector<LumiMkdirCall>& LumiMkdirLog();
void LumiClearMkdirLog();
void LumiFailMkdir(const std::string& winPath, int err);
void LumiClearMkdirFailures();

// LZ32: number of handles open now.
int LumiOpenLzHandles();
// LZ32: fn is called with the source path after each GetExpandedNameA, as
// another program might act between that query and the copy (nullptr: none).
void LumiAfterExpandedName(void (*fn)(const char* source));

// Registry: the per-user hive is a REGEDIT4 text file named by
// LUMIROLL_REGISTRY (default: $XDG_DATA_HOME or ~/.local/share, then
// lumiroll/registry.reg). A missing file or key is a missing key.
std::string LumiRegistryFile();
// Registry: the text of that file; 1 when read, 0 when there is none, -1
// (with the problem named) when it cannot be read, is no regular file (a
// FIFO is refused rather than waited on) or is larger than 16 MB. The
// registry then refuses access to its keys.
int LumiLoadRegistry(std::string& text, std::string& problem);
// Registry: reads the values of the key named wanted (its full name,
// HKEY_CURRENT_USER\\ first, upper-cased) from REGEDIT4 text into key;
// false when the text is no registry file or has no such key. Text only:
// no file is opened.
struct LumiRegKey {
  struct Value {
    uint32_t type;  // REG_SZ, REG_BINARY or REG_DWORD
    std::string data;
  };
  std::map<std::string, Value> values;  // by upper-cased name
};
bool LumiParseRegistry(const std::string& text, const std::string& wanted, LumiRegKey& key);

// Shell link: LumiFailShellLink(true) makes CoCreateInstance of the
// shell link class fail, as on a shell without it.
void LumiFailShellLink(bool fail);

// GDI: LoadBitmapA of this id fails, as for a damaged resource (0: none fails).
void LumiFailBitmap(unsigned id);
// Images, bytes in: a BMP of 4, 8, 24 or 32 bits a pixel (uncompressed)
// into pixels, top row first, 0x00RRGGBB; the sizes of the images in an
// icon file. False for anything else, or a file too short for its header.
struct LumiImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};
bool LumiReadBmp(const std::string& bytes, LumiImage& image);
bool LumiReadIconSizes(const std::string& bytes, std::vector<std::pair<int, int>>& sizes);

// Active Desktop: CoCreateInstance of its class succeeds unless the
// environment variable LUMIROLL_ACTIVE_DESKTOP is 0.
int LumiLiveActiveDesktops();

// Files: a host entry without its owner's write permission stands for one
// that refuses writing to everyone, root included (a read-only file, or a
// folder on a read-only share): true when writing hostPath would change such
// a file, or create an entry in such a folder. Links are followed, so
// /dev/full as a destination is written to and fails as a full disk.
bool LumiHostRefusesWrite(const std::string& hostPath);

// Files: the disk that holds a folder has bytes left for the files in it
// (not its subfolders): writes past them fail as on a full disk, after the
// bytes that fit; a negative number lifts the limit. False when the folder
// does not exist.
bool LumiSetDiskSpace(const std::string& winFolder, long long bytes);
// Files: removes the files this process made new (CreateFileA, CREATE_NEW)
// and still holds open. Safe in a signal handler: a program cut off by a
// signal leaves no half-written file behind.
void LumiRemoveNewFiles();

// Files: reading the file of this Windows name (as opened) fails once
// afterBytes were read; an empty name stops the failures.
void LumiFailRead(const std::string& winPath, uint64_t afterBytes);

// GDI: objects and device contexts alive, the cursor, the icons set.
int LumiLiveGdiObjects();  // fonts, bitmaps and brushes made and not yet deleted
int LumiLiveDcs();
HCURSOR LumiCursor();
bool LumiIsWaitCursor(HCURSOR c);
struct LumiIconInfo {
  unsigned id;
  int width, height;
};
LumiIconInfo LumiDescribeIcon(HICON icon);

// The folder browser's answers: queued answers are taken first (an empty
// one cancels); with none queued it asks the asker (nullptr: none, the
// browser is cancelled). The asker gets the browser's title and, after a
// refused answer, why it was refused; false or an empty answer cancels.
void LumiQueueBrowse(const std::string& answer);
typedef bool (*LumiBrowseAsker)(const std::string& title, const std::string& problem, std::string& answer);
void LumiSetBrowseAsker(LumiBrowseAsker asker);
struct LumiBrowseCall {
  std::string title;
  HWND owner;
  std::string answer;  // the folder chosen, empty when cancelled
};
const std::vector<LumiBrowseCall>& LumiBrowseLog();
int LumiLiveItemLists();
int LumiLiveAllocators();

// Help requests: each WinHelpA call.
struct LumiHelpCall {
  std::string file;
  UINT command;
  ULONG_PTR data;
};
const std::vector<LumiHelpCall>& LumiHelpLog();
void LumiClearLogs();  // the browse and help logs

// The stand-ins' settings, checked at once: LUMIROLL_CODEPAGE (a code page
// the stand-ins know), LUMIROLL_ACTIVE_DESKTOP (0 or 1), each
// LUMIROLL_DRIVE_X (an existing folder) and the registry file. False, with every problem
// named one a line, when one is wrong: a program may refuse to start then.
bool LumiCheckSettings(std::string& problems);
