#include "installer.h"

#include <cerrno>
#include <cstring>

#include "afxapp.h"
#include "lzcopy.h"
#include "messages.h"
#include "tempfile.h"

namespace {

// Copies text into a fixed buffer; false (buffer untouched) when it does not fit.
bool CopyInto(char* dst, size_t size, const char* src) {
  size_t n = std::strlen(src);
  if (n >= size) return false;
  std::memcpy(dst, src, n + 1);
  return true;
}

bool EqualIgnoringAZCase(const char* a, const char* b) { return CString(a).CompareNoCase(b) == 0; }

// Whether the last character (not merely the last byte: it may be the trail
// byte of a double-byte character) is a backslash.
bool EndsInBackslash(const CString& s) { return !s.IsEmpty() && s.ReverseFind('\\') == s.GetLength() - 1; }

}  // namespace

CString ModuleDirOf(const char* modulePath) {
  CString path = CString(modulePath).Left(199);
  CString dir;
  int slash = path.ReverseFind('\\');
  if (slash >= 0) {
    dir = path.Left(slash + 1);
  } else {
    int colon = path.ReverseFind(':');
    if (colon >= 0) dir = path.Left(colon + 1);
  }
  if (!dir.IsEmpty() && !EndsInBackslash(dir)) dir += '\\';
  return dir;
}

CString GetModuleDir() {
  char buf[200] = "";
  ::GetModuleFileNameA(AfxGetInstanceHandle(), buf, sizeof buf);
  buf[sizeof buf - 1] = 0;
  return ModuleDirOf(buf);
}

CString GetModulePath() {
  char buf[260] = "";
  const DWORD n = ::GetModuleFileNameA(AfxGetInstanceHandle(), buf, sizeof buf);
  return n > 0 && n < sizeof buf ? CString(buf) : CString("setup.exe");
}

CInstaller::CInstaller() {
  // m_strLastMessage starts empty.
  ::OleInitialize(nullptr);
  CString source = GetModuleDir();  // at most 200 characters: fits
  CopyInto(m_szSourceDir, sizeof m_szSourceDir, source);
  std::memcpy(m_szTargetDir, m_szSourceDir, sizeof m_szTargetDir);
  m_szWindowsDir[0] = 0;
  char buf[260];
  UINT n = ::GetWindowsDirectoryA(buf, sizeof buf);
  if (n > 0 && n < sizeof buf) {
    buf[n] = 0;
    CopyInto(m_szWindowsDir, sizeof m_szWindowsDir, buf);
  }
}

CInstaller::~CInstaller() { ::OleUninitialize(); }

CString CInstaller::JoinPath(const char* dir, const char* name) const {
  CString result(dir);
  if (!result.IsEmpty() && !EndsInBackslash(result)) result += '\\';
  result += name;
  return result;
}

CString CInstaller::GetDirPart(const char* path) const {
  CString p(path);
  int slash = p.ReverseFind('\\');
  if (slash >= 0) return p.Left(slash);
  int colon = p.ReverseFind(':');
  if (colon >= 0 && colon != p.GetLength() - 1) return p.Left(colon);
  return CString();
}

CString CInstaller::GetFilePart(const char* path) const {
  CString p(path);
  int slash = p.ReverseFind('\\');
  if (slash >= 0) return p.Mid(slash + 1);
  int colon = p.ReverseFind(':');
  if (colon >= 0) return p.Mid(colon + 1);
  return CString();
}

int CInstaller::SetInstallDir(const char* dir) {
  if (!CopyInto(m_szTargetDir, sizeof m_szTargetDir, dir ? dir : "")) {
    // Held whole or not at all: a cut folder would name the wrong place.
    m_szTargetDir[0] = 0;
    m_strLastMessage = CString(kMsgFolderTooLong) + dir;
    return 0;
  }
  return CreateDirTree(m_szTargetDir);
}

namespace {
// How a _mkdir of folder that returned made came out: 1 when the folder is
// there now, 0 when it could not be made, -1 when a file stands in its way.
int MkdirOutcome(const CString& folder, int made) {
  if (made == 0) return 1;
  if (errno != EEXIST) return 0;
  const DWORD attributes = ::GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? -1 : 1;
}
}  // namespace

// The message names the folder that could not be made: the one refused, the
// one a file stands in for, or the top of a path whose drive is missing.
int CInstaller::CreateDirTree(const char* path) {
  CString folder(path);
  if (folder.IsEmpty()) {
    m_strLastMessage = kMsgCannotCreateDir;
    return 0;
  }
  int outcome = MkdirOutcome(folder, ::_mkdir(folder));
  if (outcome == 0) {
    const CString parent = GetDirPart(folder);
    if (!parent.IsEmpty() && !CreateDirTree(parent)) return 0;
    if (!parent.IsEmpty()) outcome = MkdirOutcome(folder, ::_mkdir(folder));
  }
  if (outcome == 1) return 1;
  m_strLastMessage = CString(kMsgCannotCreateDir) + " " + folder;
  return 0;
}

int CInstaller::ExpandFile(const char* name) {
  CString source = JoinPath(m_szSourceDir, name);
  char szSource[256];
  char szDest[256];
  char szTemp[256];
  if (!CopyInto(szSource, sizeof szSource, source)) {
    m_strLastMessage = kMsgFileTooLong + source;
    return 0;
  }
  if (::GetExpandedNameA(szSource, szDest) != 1) {
    m_strLastMessage = kMsgCannotExpand + source;
    return 0;
  }
  szDest[sizeof szDest - 1] = 0;
  CString dest = JoinPath(m_szTargetDir, GetFilePart(szDest));
  CTempFile temp(dest);
  if (!CopyInto(szDest, sizeof szDest, dest) || !CopyInto(szTemp, sizeof szTemp, temp.GetTempPath())) {
    m_strLastMessage = kMsgFileTooLong + dest;
    return 0;
  }
  if (EqualIgnoringAZCase(szSource, szDest)) return 1;  // already in place
  const CString mediumName = GetFilePart(szSource), expandedName = GetFilePart(szDest);
  // A compressed file whose header gives it a name that is not its own (none,
  // or one Windows would alter) is damaged. One that keeps its medium name
  // is told apart by the copy (no SZDD header, an unknown method) below.
  const bool renamed = mediumName.CompareNoCase(expandedName) != 0;
  if (renamed && !LzExpandedNameSound(mediumName, expandedName)) {
    m_strLastMessage = ExpandFailureMessage(LZERROR_READ, szSource, szDest);
    return 0;
  }

  // The file is expanded into a temporary file made new beside the
  // destination, and takes the destination's name only once it is whole and
  // of the length its source declares: a failed copy never costs an existing
  // file its bytes, and nothing is written through a link or into a file
  // that has other names elsewhere. The destination is looked at only once
  // the source is open, so a source that cannot be read is reported as such.
  // A folder or a read-only file of the destination's name is refused before
  // anything is written.
  OFSTRUCT ofSource;
  OFSTRUCT ofTemp;
  INT hTemp = -1;
  LONG copied;
  CString failed;  // set when the temporary file itself is the problem
  bool inTheWay = false;
  INT hSource = ::LZOpenFileA(szSource, &ofSource, OF_READ);
  if (hSource < 0) {
    copied = LZERROR_BADINHANDLE;
  } else {
    DWORD attr = ::GetFileAttributesA(szDest);
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
      copied = LZERROR_BADOUTHANDLE;
    } else if (!temp.Create(&inTheWay)) {
      failed = TempFailureMessage(::GetLastError(), inTheWay, szTemp, szDest);
      copied = LZERROR_BADOUTHANDLE;
    } else {
      hTemp = ::LZOpenFileA(szTemp, &ofTemp, OF_CREATE | OF_SHARE_DENY_NONE | OF_WRITE);
      copied = LzCheckedCopy(szSource, hSource, hTemp);
    }
  }
  if (hTemp >= 0) ::LZClose(hTemp);
  if (hSource >= 0) ::LZClose(hSource);
  if (copied >= 0 && !LzExpandedNameSound(mediumName, expandedName)) copied = LZERROR_READ;
  if (copied >= 0 && FileSizeOf(temp.GetHandle()) != copied) {
    // The bytes went into another file than the one made for them.
    failed = CString(kMsgCannotAccess) + szTemp;
    copied = LZERROR_BADOUTHANDLE;
  }
  if (copied >= 0 && !temp.Commit()) copied = LZERROR_BADOUTHANDLE;
  temp.Abandon();  // a failed copy's file goes now, before the message is made

  if (copied < 0) {
    m_strLastMessage = failed.IsEmpty() ? ExpandFailureMessage(copied, szSource, szDest) : failed;
    return 0;
  }
  m_strLastMessage = name;
  return 1;
}

CString TempFailureMessage(DWORD error, bool inTheWay, const char* temp, const char* dest) {
  if (error == ERROR_SHARING_VIOLATION) return kMsgTempInUse + CString(temp);
  // What stands under the temporary name and cannot be cleared is named;
  // a folder that takes no new file is the destination's problem.
  inTheWay = inTheWay || ::GetFileAttributesA(temp) != INVALID_FILE_ATTRIBUTES;
  return kMsgCannotAccess + CString(inTheWay ? temp : dest);
}

CString ExpandFailureMessage(LONG result, const char* source, const char* dest) {
  if (result >= 0) return CString();
  const LzFailure failure = LzFailureOf(result);
  return failure.message + CString(failure.namesDest ? dest : source);
}
