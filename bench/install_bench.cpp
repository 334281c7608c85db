// The whole install run from the sample medium, natively: the medium is laid
// beside this program (its source folder), each run installs into a fresh
// folder of a scratch drive; then the same with the check of every medium
// file against the medium's catalog first, as a setup program that carries
// one makes it. Run by hand: build/native/bench/install_bench
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "catalog.h"
#include "installer.h"
#include "lumistandin.h"
#include "medium.h"
#include "mediumcatalog.h"
#include "pages.h"
#include "wizsheet.h"

namespace {
std::string g_drive;

void BM_RunInstall(benchmark::State& state) {
  int n = 0;
  for (auto _ : state) {
    CWizardSheet sheet;
    sheet.m_pPageFolder->m_strFolder = ("T:\\run" + std::to_string(++n) + "\\Lumiroll").c_str();
    if (sheet.RunInstall() != 1) state.SkipWithError(sheet.m_installer.GetLastMessage());
  }
}
BENCHMARK(BM_RunInstall)->Unit(benchmark::kMillisecond)->MinTime(2);

std::vector<std::string> g_names;
std::vector<CatalogEntry> g_catalog;

void BM_CheckedRunInstall(benchmark::State& state) {
  int n = 0;
  for (auto _ : state) {
    CWizardSheet sheet;
    CString message;
    if (!CheckMediumAgainst(GetModuleDir(), g_names, g_catalog, "install_bench", message)) {
      state.SkipWithError(message);
    }
    sheet.m_pPageFolder->m_strFolder = ("T:\\checked" + std::to_string(++n) + "\\Lumiroll").c_str();
    if (sheet.RunInstall() != 1) state.SkipWithError(sheet.m_installer.GetLastMessage());
  }
}
BENCHMARK(BM_CheckedRunInstall)->Unit(benchmark::kMillisecond)->MinTime(2);
}  // namespace

int main(int argc, char** argv) {
  char tmpl[] = "/tmp/lumiinstall-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  g_drive = tmpl;
  setenv("LUMIROLL_DRIVE_T", tmpl, 1);
  mkdir((g_drive + "/Desktop").c_str(), 0777);
  mkdir((g_drive + "/Programs").c_str(), 0777);
  std::string reg = g_drive + "/registry.reg";
  std::ofstream(reg) << "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                        "Folders]\n\"Desktop\"=\"T:\\\\Desktop\"\n\"Programs\"=\"T:\\\\Programs\"\n";
  setenv("LUMIROLL_REGISTRY", reg.c_str(), 1);
  std::string source = GetModuleDir().GetString();
  source.pop_back();
  std::string error;
  if (!MakeSampleMedium(source, &error) || !MediumNames(g_names, &error) || !MeasureMedium(source, g_catalog, &error)) {
    std::fprintf(stderr, "install_bench: %s\n", error.c_str());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return std::system(("rm -rf '" + g_drive + "'").c_str()) == 0 ? 0 : 1;
}
