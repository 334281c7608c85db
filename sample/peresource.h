// Finds a named resource in the bytes of a PE file, without the platform's
// loader: every field is read as untrusted, every read is bounds-checked.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Where a resource's bytes lie in a PE file (PE32 or PE32+): the resource of
// type id `type` (RT_RCDATA is 10) whose name is the string `name` (matched
// as Windows does: case-insensitive ASCII), first language found. On success
// *offset and *size give the file offset and length of its data, wholly
// inside the file's bytes. False with *why set ("not a PE file", "no
// resource section", "no resource LUMICATALOG", "the resource directory is
// damaged: ...") otherwise.
bool FindPeResource(const uint8_t* file, size_t fileSize, uint16_t type, const char* name, size_t* offset, size_t* size,
                    std::string* why);
