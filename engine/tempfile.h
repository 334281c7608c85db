// The temporary file that everything the installer writes goes through: it
// is made new for each file, written, and moved over the file's name once
// whole. Moving replaces whatever stands at that name (a link, a file with
// other names elsewhere) instead of writing into it.
#pragma once
#include "lumiwin.h"

// Makes path a new, empty file of this process's own. Whatever stands under
// the name first (the leftover of a run that was cut off, a link) is removed,
// and the file is created so that it cannot be an existing one. The handle
// (read and write, sharing both, not deletion) keeps other programs from
// removing or renaming the file until it is closed: a second installer
// cannot take it over meanwhile. INVALID_HANDLE_VALUE when the name cannot
// be cleared or the file made; GetLastError() then says why
// (ERROR_SHARING_VIOLATION: another program holds the file open), and
// *inTheWay, when given, whether something stood under the name (which the
// platform may not describe: Wine gives no attributes for a host's FIFO).
HANDLE CreateTempFile(const char* path, bool* inTheWay = nullptr);

// The size of an open file as its handle sees it, or -1: after a copy into
// the temporary file by name, whether the bytes landed in this very file.
long long FileSizeOf(HANDLE file);
