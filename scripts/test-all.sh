#!/bin/sh
# Builds every preset and runs every test: natively, then the Win32 test
# programs under Wine, then the native suite again under ASan and UBSan with
# the fuzz targets (a minute each). Ends with one line that sums up the
# ctest runs.
set -u
cd "$(dirname "$0")/.."
JOBS=${JOBS:-2}
jobs=$JOBS
status=0
passed=0
failed=0
# Where 32-bit x86 programs run natively, the win32 preset runs its
# programs under Wine twice: in a 32-bit prefix (wine.*) and in a 64-bit one
# under WoW64 (wow64.*), as on 64-bit Windows. Where Wine's 32-bit loader
# runs only under qemu, the Win32 programs are built but their Wine tests
# are left out (wine32_runs_here). In their place the same sources, built
# for 64-bit Windows (win64), run every Wine test under Wine's 64-bit
# loader, which needs no emulation; LUMI_WIN64=1 runs that check build on
# any machine.
. scripts/lib/build.sh
. scripts/lib/wine.sh
presets="native win32 native-asan"
if wine_emulated || [ "${LUMI_WIN64:-0}" = 1 ]; then
  presets="native win32 win64 native-asan"
else
  skipped="the win64 check build (32-bit x86 runs natively here; LUMI_WIN64=1 runs it)"
fi
for preset in $presets; do
  build_preset "$preset" || exit 1
  only=""
  if [ "$preset" = win32 ] && ! wine32_runs_here; then
    echo "win32: its Wine tests are not run: this kernel runs 32-bit x86 programs only under qemu" \
      "(LUMI_WINE_EMULATED=1 runs them, for an hour or more)"
    skipped="the win32 preset's Wine and WoW64 tests (32-bit x86 emulated; the win64 preset ran them on a 64-bit build)"
    only="-E ^(wine|wow64)\."
  fi
  log="build/$preset/ctest.log"
  # shellcheck disable=SC2086
  (cd "build/$preset" && ctest --output-on-failure -j "$jobs" $only) 2>&1 | tee "$log"
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  [ -n "$line" ] || { echo "no ctest summary for $preset"; exit 1; }
  total=$(echo "$line" | sed 's/.*out of \([0-9]*\).*/\1/')
  bad=$(echo "$line" | sed 's/.*tests passed, \([0-9]*\) tests failed.*/\1/')
  [ "$total" -gt 0 ] || { echo "ctest ran no test for $preset"; exit 1; }
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || status=1
done
[ -z "${skipped:-}" ] || echo "not run: $skipped"
echo "ctest: $passed passed, $failed failed"
exit $status
