#include "mkmedium_main.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "catalog.h"
#include "pack.h"

namespace {
// Writes what a run says on standard output: false when it cannot (a full
// disk, a closed pipe), which fails the run.
bool Say(const std::string& text) {
  if ((!text.empty() && std::fputs(text.c_str(), stdout) < 0) || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "mkmedium: cannot write the report\n");
    return false;
  }
  return true;
}

// mkmedium --seal DIR PROGRAM: the medium in DIR must pass its check; then
// its catalog goes into PROGRAM's slot.
int SealMain(const char* dir, const char* program, const MediumHost& host) {
  std::string folder, path, why, report;
  std::vector<CatalogEntry> entries;
  if (!host.folderOf(dir, false, folder, why)) {
    std::fprintf(stderr, "mkmedium: %s: %s\n", dir, why.c_str());
    return 1;
  }
  if (CheckMedium(folder, dir, host.nullDevice, report, host.kindOf) != 0) {
    std::fprintf(stderr, "mkmedium: the medium fails its check; no catalog is made of it:\n%s", report.c_str());
    return 1;
  }
  if (!MeasureMedium(folder, entries, &why) || !SealProgram(host.pathOf(program), entries, &why)) {
    std::fprintf(stderr, "mkmedium: %s\n", why.c_str());
    return 1;
  }
  return Say("catalog of " + std::string(dir) + " (" + std::to_string(entries.size()) + " files) sealed into " +
             program + "\n")
             ? 0
             : 1;
}
}  // namespace

int MkmediumMain(int argc, char** argv, const MediumHost& host) {
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  const bool from = argc == 4 && std::strcmp(argv[1], "--from") == 0;
  const bool seal = argc == 4 && std::strcmp(argv[1], "--seal") == 0;
  if (!check && !from && !seal && (argc != 2 || argv[1][0] == '-')) {
    std::fprintf(stderr,
                 "usage: mkmedium DIR                    make the sample medium in DIR\n"
                 "       mkmedium --from PRODUCT DIR     make the medium in DIR from the product's files\n"
                 "       mkmedium --check DIR            check the medium in DIR, one line a file, and\n"
                 "                                       against the catalog of DIR's setup.exe\n"
                 "       mkmedium --seal DIR PROGRAM     give setup program PROGRAM the catalog of DIR\n");
    return 2;
  }
  if (seal) return SealMain(argv[2], argv[3], host);
  const char* arg = argv[argc - 1];
  std::string folder, why;
  // From the product: every file found and looked at before the medium's
  // folder is made, so a missing one or a link leaves nothing behind.
  std::string product, error;
  std::vector<ProductFile> files;
  if (from) {
    std::string left;
    bool found = host.folderOf(argv[2], false, product, why);
    if (!found) error = std::string(argv[2]) + ": " + why;
    found = found && FindProductFiles(product, host.kindOf, files, left, &error);
    if (!Say(left)) return 1;
    if (!found) {
      std::fprintf(stderr, "mkmedium: %s\n", error.c_str());
      return 1;
    }
  }
  if (!host.folderOf(arg, !check, folder, why)) {
    std::fprintf(stderr, "mkmedium: %s: %s\n", arg, why.c_str());
    return 1;
  }
  if (check) {
    std::string report;
    int problems = CheckMedium(folder, arg, host.nullDevice, report, host.kindOf);
    problems += CheckCatalog(folder, host.slotOf, report);
    if (!Say(report)) return 1;
    return problems ? 1 : 0;
  }
  if (from) {
    if (!WriteProductMedium(folder, files, &error)) {
      std::fprintf(stderr, "mkmedium: %s\n", error.c_str());
      return 1;
    }
    std::string report;
    if (CheckMedium(folder, arg, host.nullDevice, report, host.kindOf) != 0) {
      std::fprintf(stderr, "mkmedium: the medium made fails its check:\n%s", report.c_str());
      return 1;
    }
    return Say("medium from " + std::string(argv[2]) + ": " + arg + " (" + std::to_string(files.size()) +
               " files, checked)\n")
               ? 0
               : 1;
  }
  if (!MakeSampleMedium(folder, &error)) {
    std::fprintf(stderr, "mkmedium: %s\n", error.c_str());
    return 1;
  }
  std::vector<std::string> names;
  MediumNames(names, nullptr);  // read once already: the medium is made
  return Say("sample medium: " + std::string(arg) + " (" + std::to_string(names.size()) + " files)\n") ? 0 : 1;
}
