// Replays files through a fuzz target's entry point, for builds without
// libFuzzer: replay FILE_OR_FOLDER... runs every file once and says how many.
// A target that finds a fault aborts, which fails the run.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
int g_files = 0;

bool Replay(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    DIR* d = opendir(path.c_str());
    if (!d) return false;
    std::vector<std::string> names;
    while (dirent* e = readdir(d)) {
      if (e->d_name[0] != '.') names.push_back(path + "/" + e->d_name);
    }
    closedir(d);
    bool ok = true;
    for (const std::string& n : names) ok = Replay(n) && ok;
    return ok;
  }
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<uint8_t> bytes;
  uint8_t buf[65536];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.insert(bytes.end(), buf, buf + n);
  std::fclose(f);
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  ++g_files;
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  bool ok = argc > 1;
  for (int i = 1; i < argc; ++i) ok = Replay(argv[i]) && ok;
  std::printf("replayed %d files\n", g_files);
  return ok && g_files > 0 ? 0 : 1;
}
