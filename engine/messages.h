// The messages the installer and the install run leave as the last message,
// for the failure page. A text ending in ": " or a blank is followed by the
// path it names.
#pragma once
#include "afxstr.h"
#include "lzcopy.h"  // kMsgCannotAccess, and what each LZ32 result means

// Followed by a blank and the folder that could not be made, when there is one.
inline constexpr char kMsgCannotCreateDir[] = "Cannot create directory";
inline constexpr char kMsgFolderTooLong[] = "Folder name is too long: ";
inline constexpr char kMsgFileTooLong[] = "File name is too long: ";
inline constexpr char kMsgCannotExpand[] = "Could not expand file ";
inline constexpr char kMsgTempInUse[] = "Another program (a second installation?) is writing ";
inline constexpr char kMsgInstallFolderTooLong[] = "The installation folder name is too long: ";
inline constexpr char kMsgFolderIsLink[] = "A link to another place stands as the folder ";
inline constexpr char kMsgCannotWriteList[] = "Cannot write the category list file ";
// Followed by the setup program's path: its catalog of the medium cannot be
// read, or names other files than the install manifest.
inline constexpr char kMsgSetupDamaged[] =
    "The setup program itself is damaged (its catalog of the medium cannot be read): ";
inline constexpr char kMsgNoShortcuts[] = "Unable to add shortcuts to desktop\nYou may need to do this manually\n";

// The message for an expansion of source into dest that ended in result (an
// LZERROR_* code; any code this program does not know reads as a copy that
// failed). Empty for a result that is not an error.
CString ExpandFailureMessage(LONG result, const char* source, const char* dest);
// The message for a temporary file that could not be made (error as
// GetLastError gave it, inTheWay as CreateTempFile told it), on the way to
// dest: what stood under the temporary name is named, even where the
// platform gives no attributes for it.
CString TempFailureMessage(DWORD error, bool inTheWay, const char* temp, const char* dest);
