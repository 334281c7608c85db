#!/bin/sh
# Builds every preset and runs every test: natively, then the Win32 test
# programs under Wine, then the native suite again under ASan and UBSan with
# the fuzz targets (a minute each). Ends with one line that sums up the
# three ctest runs.
set -u
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
status=0
passed=0
failed=0
for preset in native win32 native-asan; do
  cmake --preset "$preset" >/dev/null || exit 1
  cmake --build "build/$preset" -j "$jobs" || exit 1
  log="build/$preset/ctest.log"
  (cd "build/$preset" && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log"
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  [ -n "$line" ] || { echo "no ctest summary for $preset"; exit 1; }
  total=$(echo "$line" | sed 's/.*out of \([0-9]*\).*/\1/')
  bad=$(echo "$line" | sed 's/.*tests passed, \([0-9]*\) tests failed.*/\1/')
  [ "$total" -gt 0 ] || { echo "ctest ran no test for $preset"; exit 1; }
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$bad" -eq 0 ] || status=1
done
echo "ctest: $passed passed, $failed failed"
exit $status
