// One file through LZ32, as the tools and tests use it: opens in for
// reading and, once that worked, out for writing (emptied), copies with
// LZCopy (expanding a compressed file) and closes both.
#pragma once
#include <string>

// LZCopy's result (bytes written, or an LZERROR_* code), or
// LZERROR_BADINHANDLE / LZERROR_BADOUTHANDLE for an open that failed.
long LzCopyFile(const std::string& in, const std::string& out);
