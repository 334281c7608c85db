# Sourced by the scripts that build: run from the top of the tree.
# build_preset PRESET [TARGET...]: configures PRESET (its output kept back)
# and builds it into build/PRESET, all of it or the targets named, JOBS
# (default 2) at a time.
build_preset() {
  preset=$1
  shift
  cmake --preset "$preset" >/dev/null || return 1
  [ $# -eq 0 ] || set -- --target "$@"
  cmake --build "build/$preset" -j "${JOBS:-2}" "$@"
}
