// Expansion throughput of our LZ32 beside a plain copy and libmspack's SZDD
// decompressor on the same file, printed as ratios; then the peak memory of
// expanding 256 MB. A benchmark to run by hand, never a timed test:
//   build/native/bench/lz_bench [--size-mb N] [benchmark flags]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <mspack.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "lumistub.h"
#include "lumiwin.h"
#include "lzcopy.h"
#include "szdd.h"

namespace {

std::string g_dir;
std::string g_packed, g_plain;  // host paths
size_t g_size = 0;

// Mixed text and binary: words, numbers, runs and noise in blocks.
std::vector<uint8_t> MixedData(size_t n, unsigned seed) {
  static const char* words[] = {"wallpaper ", "slide ",   "show ",   "Lumiscroll ", "the ",    "pictures ",
                                "desktop ",   "install ", "folder ", "sunset ",     "nature ", "\r\n"};
  std::vector<uint8_t> d;
  d.reserve(n);
  unsigned x = seed;
  auto next = [&] { return x = x * 1664525u + 1013904223u; };
  while (d.size() < n) {
    unsigned kind = (next() >> 28) % 4;
    size_t len = 512 + (next() >> 20) % 4096;
    for (size_t i = 0; i < len && d.size() < n; ++i) {
      if (kind < 2) {
        const char* w = words[(next() >> 24) % 12];
        while (*w && d.size() < n) d.push_back(static_cast<uint8_t>(*w++));
      } else if (kind == 2) {
        d.push_back(static_cast<uint8_t>(next() >> 24));  // noise
      } else {
        d.push_back(static_cast<uint8_t>((i / 16) & 0xFF));  // structured binary
      }
    }
  }
  return d;
}

bool WriteHost(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0) && ok;
}

long ExpandWithLz32(const std::string& in, const std::string& out) {
  return LzCopyFile(LumiHostToWindowsPath(in), LumiHostToWindowsPath(g_dir) + "\\" + out);
}

void BM_Lz32Expand(benchmark::State& state) {
  for (auto _ : state) {
    long r = ExpandWithLz32(g_packed, "out_lz32.bin");
    if (r != static_cast<long>(g_size)) state.SkipWithError("expansion failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(g_size));
}

void BM_PlainCopy(benchmark::State& state) {
  std::vector<char> buf(1 << 18);
  std::string out = g_dir + "/out_copy.bin";
  for (auto _ : state) {
    int in = open(g_plain.c_str(), O_RDONLY);
    int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ssize_t n;
    while ((n = read(in, buf.data(), buf.size())) > 0) {
      if (write(o, buf.data(), static_cast<size_t>(n)) != n) state.SkipWithError("write failed");
    }
    close(o);
    close(in);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(g_size));
}

void BM_LibmspackExpand(benchmark::State& state) {
  std::string out = g_dir + "/out_mspack.bin";
  for (auto _ : state) {
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    msszddd_header* h = d->open(d, g_packed.c_str());
    if (!h || d->extract(d, h, out.c_str()) != MSPACK_ERR_OK) state.SkipWithError("libmspack failed");
    if (h) d->close(d, h);
    mspack_destroy_szdd_decompressor(d);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(g_size));
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      auto it = r.counters.find("bytes_per_second");
      if (it != r.counters.end()) rates_[r.benchmark_name()] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Rate(const std::string& prefix) const {
    for (const auto& kv : rates_) {
      if (kv.first.compare(0, prefix.size(), prefix) == 0) return kv.second;
    }
    return 0;
  }

 private:
  std::map<std::string, double> rates_;
};

// Peak resident memory of this process so far (VmHWM), in kilobytes.
long PeakRssKb() {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
  }
  std::fclose(f);
  return kb;
}

// Expands a file in a fresh process (its memory is its own from exec on)
// and returns that process's peak resident memory.
long PeakRssOfExpansion(const std::string& packed) {
  std::string cmd = "/proc/" + std::to_string(getpid()) + "/exe --expand-only '" + packed + "' '" + g_dir + "'";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  long kb = -1;
  if (std::fscanf(p, "%ld", &kb) != 1) kb = -1;
  return pclose(p) == 0 ? kb : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--expand-only") == 0) {
    g_dir = argv[3];
    if (ExpandWithLz32(argv[2], "out_big.bin") <= 0) return 1;
    std::printf("%ld\n", PeakRssKb());
    return 0;
  }
  size_t mb = 64;
  std::vector<char*> args = {argv[0]};
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--size-mb") == 0 && i + 1 < argc) {
      mb = static_cast<size_t>(std::atol(argv[++i]));
    } else {
      args.push_back(argv[i]);
    }
  }
  char tmpl[] = "/tmp/lumibench-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  g_dir = tmpl;
  g_size = mb << 20;
  std::printf("input: %zu MB of mixed text and binary\n", mb);
  {
    std::vector<uint8_t> data = MixedData(g_size, 1);
    std::vector<uint8_t> packed = SzddCompress(data.data(), data.size(), 'n');
    std::printf("packed: %zu bytes (%.1f%%)\n", packed.size(), 100.0 * packed.size() / data.size());
    g_plain = g_dir + "/plain.bin";
    g_packed = g_dir + "/packed.bi_";
    if (!WriteHost(g_plain, data) || !WriteHost(g_packed, packed)) return 1;
  }
  benchmark::RegisterBenchmark("Lz32Expand", BM_Lz32Expand)->Unit(benchmark::kMillisecond)->MinTime(2);
  benchmark::RegisterBenchmark("PlainCopy", BM_PlainCopy)->Unit(benchmark::kMillisecond)->MinTime(2);
  benchmark::RegisterBenchmark("LibmspackExpand", BM_LibmspackExpand)->Unit(benchmark::kMillisecond)->MinTime(2);
  int bargc = static_cast<int>(args.size());
  benchmark::Initialize(&bargc, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double ours = reporter.Rate("Lz32Expand"), copy = reporter.Rate("PlainCopy"), ms = reporter.Rate("LibmspackExpand");
  if (ours > 0 && copy > 0 && ms > 0) {
    std::printf("\nLZ32 expansion %.0f MB/s; plain copy %.0f MB/s; libmspack %.0f MB/s\n", ours / 1e6, copy / 1e6,
                ms / 1e6);
    std::printf("ratio to libmspack: %.2fx (target >= 3x)\n", ours / ms);
    std::printf("ratio to plain copy: %.2fx (target >= 0.3x)\n", ours / copy);
  }
  // Peak memory while expanding 256 MB, in a process of its own.
  {
    std::vector<uint8_t> big = MixedData(256u << 20, 2);
    std::vector<uint8_t> packed = SzddCompress(big.data(), big.size(), 'n', 16);
    std::string bigPacked = g_dir + "/big.bi_";
    big.clear();
    big.shrink_to_fit();
    if (!WriteHost(bigPacked, packed)) return 1;
    packed.clear();
    packed.shrink_to_fit();
    long kb = PeakRssOfExpansion(bigPacked);
    std::printf("peak RSS expanding 256 MB: %.1f MB (target < 8 MB)\n", kb / 1024.0);
  }
  std::string cleanup = "rm -rf '" + g_dir + "'";
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
