// Any bytes as a resource script (with a header it may include): the reader
// must parse it or refuse it with a message, without a fault or a hang.
#include <cstdlib>
#include <string>
#include <vector>

#include "rcscript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<RcSource> sources = {{"fuzz.rc", text}, {"resource.h", "#define IDS_X 7\n#include \"fuzz.rc\"\n"}};
  RcScript script;
  if (!script.Parse(sources) && script.Error().empty()) std::abort();
  return 0;
}
