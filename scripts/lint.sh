#!/bin/sh
# The code's layout and its static checks.
#   lint.sh format         every C and C++ file against .clang-format
#   lint.sh tidy BUILDDIR  the native build's sources against .clang-tidy,
#                          with BUILDDIR's compile_commands.json
set -u
cd "$(dirname "$0")/.."
list() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files "$@"
  else
    for p in "$@"; do find . -path ./build -prune -o -type f -name "${p##*/}" -print | sed 's|^\./||'; done
  fi
}
case "${1:-}" in
  format)
    files=$(list '*.cpp' '*.h' '*.c')
    [ -n "$files" ] || { echo "no sources found"; exit 1; }
    # shellcheck disable=SC2086
    clang-format --dry-run -Werror $files || exit 1
    echo "$(echo "$files" | wc -l) files laid out as .clang-format says"
    ;;
  tidy)
    db=${2:?build folder}/compile_commands.json
    [ -f "$db" ] || { echo "no $db: configure with CMAKE_EXPORT_COMPILE_COMMANDS"; exit 1; }
    # Sources of the native build; the Win32-only ones, the benchmarks and the
    # fuzz targets are left to their compilers' warnings.
    files=$(list '*.cpp' | grep -E '^(szdd|engine|framework|wizard|platform/native|host|sample|product|tools|tests)/' | grep -v '^product/lumi' |
      grep -v -E '/win32/|_win32\.cpp$')
    out=$(mktemp)
    echo "$files" | xargs -P "${JOBS:-2}" -n 4 clang-tidy -p "$(dirname "$db")" --quiet >"$out" 2>/dev/null
    rc=$?
    grep -E '(warning|error):' "$out" | sort -u
    rm -f "$out"
    [ $rc -eq 0 ] || { echo "clang-tidy found problems"; exit 1; }
    echo "$(echo "$files" | wc -l) files pass .clang-tidy"
    ;;
  *)
    echo "usage: lint.sh format | tidy BUILDDIR" >&2
    exit 2
    ;;
esac
