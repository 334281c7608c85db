// Files through LZ32, held to what each file declares. The platform's LZ32
// may expand a damaged compressed file as if it were sound (a stream cut
// short gives a short file and success, a method it does not know an empty
// one), so every copy is checked against the length the source declares.
#pragma once
#include <string>

#include "lumiwin.h"

// LZCopy from hSource, opened from sourcePath, into hDest. A compressed
// source declares its expanded length in its header; any other file its
// size. Returns the bytes written, or an LZERROR_* code: LZCopy's own;
// LZERROR_READ for a copy of another length than declared, a header cut
// short, or a file without an SZDD header whose name ends in '_' (the
// medium's mark of a compressed file); LZERROR_UNKNOWNALG for a method other
// than 'A' and LZERROR_BADVALUE for a length past 2147483647 bytes (nothing
// is copied); LZERROR_BADINHANDLE when the source cannot
// be opened or read.
LONG LzCheckedCopy(const char* sourcePath, INT hSource, INT hDest);

// Whether a file named mediumName on the medium may be installed under
// expandedName, the name LZ32 gives it (file parts both). No name may be
// empty or end in a character that Windows drops ('.', a blank) or that no
// name can hold (<>:"/\|?*, control characters). A medium name ending in '_'
// marks a compressed file and must expand to another name; where it ends a
// three-character extension (".ex_"), the header must record the character
// the '_' stands for, so the name keeps its length.
bool LzExpandedNameSound(const char* mediumName, const char* expandedName);

// One file through LZ32, as the tools and tests use it: opens in for
// reading and, once that worked, out for writing (emptied), copies with
// LzCheckedCopy and closes both. LzCheckedCopy's result, or
// LZERROR_BADINHANDLE / LZERROR_BADOUTHANDLE for an open that failed.
long LzCopyFile(const std::string& in, const std::string& out);

// The installer's message for a file it cannot open or create, followed by
// the file's path (messages.h has the installer's other messages).
inline constexpr char kMsgCannotAccess[] = "Cannot access ";
// The message for a medium file that is not what it must be, followed by
// its path.
inline constexpr char kMsgFileCorrupt[] = "File is corrupt: ";

// What an LZ32 result (an LZERROR_* code) means: the installer's message,
// followed by the source's path or the destination's, and the tools' short
// phrase. A code not known here reads as a copy that failed.
struct LzFailure {
  const char* message;
  bool namesDest;
  const char* phrase;
};
LzFailure LzFailureOf(long result);
