// Compression speed and size against mscompress, then expansion throughput
// of our LZ32 beside a plain copy (and libmspack's SZDD decompressor), on a
// mixed file and a poorly compressible one, printed as ratios; then the peak
// memory of expanding 256 MB; and SHA-256 of a 256 MB file on each of our
// two paths against sha256sum on the same file. A benchmark to run by hand,
// never a timed test:
//   build/native/bench/lz_bench [--size-mb N] [--no-mscompress] [benchmark flags]
// (only the SHA-256 figures: --size-mb 1 --no-mscompress --benchmark_filter=Sha256)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <mspack.h>
#include <unistd.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "lumistandin.h"
#include "lumiwin.h"
#include "lzcopy.h"
#include "sha256.h"
#include "stream.h"
#include "szdd.h"

namespace {

std::string g_dir;
// The two inputs: the mixed file, and the poorly compressible one.
struct Input {
  const char* name;
  std::string plain, packed;  // host paths
  size_t size = 0, packedSize = 0;
};
Input g_inputs[2] = {{"mixed", "", "", 0, 0}, {"hard", "", "", 0, 0}};
bool g_noMscompress = false;  // mscompress is slow: it may be left out

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

// Poorly compressible: three quarters text of a few thousand random short
// words, one quarter random bytes, in blocks (it packs to about 84 %).
std::vector<uint8_t> HardData(size_t n, unsigned seed) {
  unsigned x = seed;
  auto next = [&] { return x = x * 1664525u + 1013904223u; };
  std::vector<std::string> words;
  for (int i = 0; i < 4000; ++i) {
    std::string w;
    for (unsigned k = 0, l = 2 + next() % 7; k < l; ++k) w += static_cast<char>('a' + (next() >> 24) % 26);
    words.push_back(w + " ");
  }
  std::vector<uint8_t> d;
  d.reserve(n + 64);
  while (d.size() < n) {
    size_t len = 256 + (next() >> 20) % 2048;
    if ((next() >> 28) % 4 == 0) {
      for (size_t i = 0; i < len; ++i) d.push_back(static_cast<uint8_t>(next() >> 24));
    } else {
      for (size_t start = d.size(); d.size() - start < len * 3;) {
        const std::string& w = words[(next() >> 12) % words.size()];
        d.insert(d.end(), w.begin(), w.end());
      }
    }
  }
  d.resize(n);
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
  const Input& in = g_inputs[state.range(0)];
  for (auto _ : state) {
    long r = ExpandWithLz32(in.packed, "out_lz32.bin");
    if (r != static_cast<long>(in.size)) state.SkipWithError("expansion failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(in.size));
}

void BM_PlainCopy(benchmark::State& state) {
  const Input& in = g_inputs[state.range(0)];
  std::vector<char> buf(1 << 18);
  std::string out = g_dir + "/out_copy.bin";
  for (auto _ : state) {
    int i = open(in.plain.c_str(), O_RDONLY);
    int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ssize_t n;
    while ((n = read(i, buf.data(), buf.size())) > 0) {
      if (write(o, buf.data(), static_cast<size_t>(n)) != n) state.SkipWithError("write failed");
    }
    close(o);
    close(i);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(in.size));
}

void BM_LibmspackExpand(benchmark::State& state) {
  const Input& in = g_inputs[state.range(0)];
  std::string out = g_dir + "/out_mspack.bin";
  for (auto _ : state) {
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    msszddd_header* h = d->open(d, in.packed.c_str());
    if (!h || d->extract(d, h, out.c_str()) != MSPACK_ERR_OK) state.SkipWithError("libmspack failed");
    if (h) d->close(d, h);
    mspack_destroy_szdd_decompressor(d);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(in.size));
}

// SHA-256 of the 256 MB file, read as sha256sum reads it, on the plain path
// (0) or with the processor's SHA extensions (1).
std::string g_shaFile;
constexpr size_t kShaSize = 256u << 20;

std::string OurSha256(const std::string& path) {
  std::vector<uint8_t> buf(1 << 16);
  Sha256 s;
  int fd = open(path.c_str(), O_RDONLY);
  for (ssize_t n; (n = read(fd, buf.data(), buf.size())) > 0;) s.Update(buf.data(), static_cast<size_t>(n));
  close(fd);
  uint8_t d[Sha256::kSize];
  s.Final(d);
  char hex[2 * Sha256::kSize + 1];
  for (size_t i = 0; i < Sha256::kSize; ++i) std::snprintf(hex + 2 * i, 3, "%02x", d[i]);
  return hex;
}

std::string Sha256sum(const std::string& path) {
  FILE* p = popen(("sha256sum '" + path + "'").c_str(), "r");
  char hex[65] = "";
  if (!p || std::fscanf(p, "%64s", hex) != 1) hex[0] = 0;
  if (p) pclose(p);
  return hex;
}

void BM_Sha256(benchmark::State& state) {
  Sha256UsePlainPath(state.range(0) == 0);
  if (state.range(0) == 1 && !Sha256UsesShaExtensions()) state.SkipWithError("the processor has no SHA extensions");
  for (auto _ : state) benchmark::DoNotOptimize(OurSha256(g_shaFile));
  Sha256UsePlainPath(false);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kShaSize));
}

void BM_Sha256sum(benchmark::State& state) {
  for (auto _ : state) {
    if (Sha256sum(g_shaFile).size() != 64) state.SkipWithError("sha256sum failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kShaSize));
}

// Compresses the file at plain into packed with our compressor: seconds.
double TimeOurCompression(const std::string& plain, const std::string& packed) {
  auto t0 = std::chrono::steady_clock::now();
  int i = open(plain.c_str(), O_RDONLY);
  int o = open(packed.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  struct stat st;
  fstat(i, &st);
  SzddFdSource source(i);
  SzddFdSink sink(o);
  SzddResult r = SzddCompress(source, sink, static_cast<uint64_t>(st.st_size), 'n');
  close(i);
  close(o);
  if (r.status != SzddStatus::kOk) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// mscompress on a copy of plain: seconds, and the packed size.
double TimeMscompress(const std::string& plain, size_t& size) {
  std::string copy = g_dir + "/ms.bin";
  if (std::system(("cp '" + plain + "' '" + copy + "'").c_str()) != 0) return -1;
  auto t0 = std::chrono::steady_clock::now();
  if (std::system(("mscompress '" + copy + "' 2>/dev/null").c_str()) != 0) return -1;
  double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  struct stat st;
  size = stat((copy + "_").c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
  std::remove((copy + "_").c_str());
  return t;
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
    if (std::strcmp(argv[i], "--no-mscompress") == 0) {
      g_noMscompress = true;
    } else if (std::strcmp(argv[i], "--size-mb") == 0 && i + 1 < argc) {
      mb = static_cast<size_t>(std::atol(argv[++i]));
    } else {
      args.push_back(argv[i]);
    }
  }
  char tmpl[] = "/tmp/lumibench-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  g_dir = tmpl;
  std::printf("inputs: %zu MB each of mixed text and binary, and of poorly compressible data\n", mb);
  for (int k = 0; k < 2; ++k) {
    Input& in = g_inputs[k];
    in.size = mb << 20;
    in.plain = g_dir + "/" + in.name + ".bin";
    in.packed = g_dir + "/" + in.name + ".bi_";
    if (!WriteHost(in.plain, k == 0 ? MixedData(in.size, 1) : HardData(in.size, 1))) return 1;
    double ours = TimeOurCompression(in.plain, in.packed);
    if (ours < 0) {
      std::fprintf(stderr, "lz_bench: could not compress %s\n", in.plain.c_str());
      return 1;
    }
    size_t msSize = 0;
    double ms = g_noMscompress ? 0 : TimeMscompress(in.plain, msSize);
    struct stat st;
    in.packedSize = stat(in.packed.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
    std::printf("%s: packed to %zu bytes (%.1f%%) in %.2f s (%.0f MB/s)", in.name, in.packedSize,
                100.0 * in.packedSize / in.size, ours, in.size / 1e6 / ours);
    if (msSize > 0) {
      std::printf("; mscompress %zu bytes in %.2f s: ours %.2f%% %s", msSize, ms,
                  100.0 * std::abs(1.0 - static_cast<double>(in.packedSize) / msSize),
                  in.packedSize <= msSize ? "smaller" : "larger");
    } else if (!g_noMscompress) {
      std::printf("; mscompress failed");
    }
    std::printf("\n");
  }
  for (int k = 0; k < 2; ++k) {
    benchmark::RegisterBenchmark("Lz32Expand", BM_Lz32Expand)->Arg(k)->Unit(benchmark::kMillisecond)->MinTime(2);
    benchmark::RegisterBenchmark("PlainCopy", BM_PlainCopy)->Arg(k)->Unit(benchmark::kMillisecond)->MinTime(2);
  }
  benchmark::RegisterBenchmark("LibmspackExpand", BM_LibmspackExpand)
      ->Arg(0)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2);
  g_shaFile = g_dir + "/sha256.bin";
  if (!WriteHost(g_shaFile, MixedData(kShaSize, 3))) return 1;
  const std::string digest = OurSha256(g_shaFile), theirs = Sha256sum(g_shaFile);
  std::printf("SHA-256 of 256 MB: ours %s sha256sum's %s\n", digest == theirs ? "agrees with" : "DIFFERS from",
              theirs.c_str());
  benchmark::RegisterBenchmark("Sha256", BM_Sha256)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("Sha256sum", BM_Sha256sum)->Unit(benchmark::kMillisecond)->UseRealTime();
  int bargc = static_cast<int>(args.size());
  benchmark::Initialize(&bargc, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (int k = 0; k < 2; ++k) {
    const std::string arg = "/" + std::to_string(k);
    double ours = reporter.Rate("Lz32Expand" + arg), copy = reporter.Rate("PlainCopy" + arg);
    if (ours > 0 && copy > 0) {
      std::printf("\n%s: LZ32 expansion %.0f MB/s; plain copy %.0f MB/s; ratio to plain copy %.2fx (target >= %sx)\n",
                  g_inputs[k].name, ours / 1e6, copy / 1e6, ours / copy, k == 0 ? "0.5" : "0.3");
    }
  }
  double ms = reporter.Rate("LibmspackExpand/0"), ours = reporter.Rate("Lz32Expand/0");
  if (ms > 0 && ours > 0) {
    std::printf("mixed: libmspack %.0f MB/s; ratio to libmspack %.2fx (target >= 3x)\n", ms / 1e6, ours / ms);
  }
  const double sum = reporter.Rate("Sha256sum");
  for (int path = 0; path < 2; ++path) {
    const double ours = reporter.Rate("Sha256/" + std::to_string(path));
    if (ours > 0 && sum > 0) {
      std::printf("SHA-256, %s: %.0f MB/s; sha256sum %.0f MB/s; ratio to sha256sum %.2fx (target >= 1x)\n",
                  path == 0 ? "plain path" : "SHA extensions", ours / 1e6, sum / 1e6, ours / sum);
    }
  }
  // Peak memory while expanding 256 MB, in a process of its own.
  {
    std::vector<uint8_t> big = MixedData(256u << 20, 2);
    std::vector<uint8_t> packed = SzddCompress(big.data(), big.size(), 'n');
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
