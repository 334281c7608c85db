// Any bytes as a PE file for the resource reader: a resource found lies
// wholly inside the bytes, and a refusal always says why, in one of the
// reader's own words.
#include <cstdlib>
#include <string>

#include "peresource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const char* name : {"LUMICATALOG", "lumicatalog"}) {
    size_t offset = 0;
    size_t length = 0;
    std::string why = "unset";
    if (FindPeResource(data, size, 10, name, &offset, &length, &why)) {
      if (offset > size || length > size - offset || !why.empty()) std::abort();
      volatile uint8_t touch = 0;
      for (size_t i = 0; i < length; ++i) touch = touch ^ data[offset + i];  // ASan checks every byte
    } else if (why != "not a PE file" && why != "no resource section" && why != std::string("no resource ") + name &&
               why.rfind("the resource directory is damaged: ", 0) != 0) {
      std::abort();
    }
  }
  return 0;
}
