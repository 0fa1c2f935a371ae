# Sourced by the scripts: which Windows architecture this machine builds and tests, and why.
#
#   kolorowisko_choose_arch   exports KOLOROWISKO_ARCH (i686 or x86_64) and KOLOROWISKO_ARCH_REASON
#                             (why), and sets KOLOROWISKO_TOOLCHAIN (the CMake toolchain file)
#   kolorowisko_arch_summary  "the x86_64 build under wine64, because ..."
#   kolorowisko_configure_windows <build folder> [cmake arguments]
#                             configures a Windows build for the chosen architecture, starting
#                             the folder afresh when it was configured for the other one
#
# The program ships as i686. A kernel that starts no 32-bit Linux programs cannot run Debian's
# 32-bit Wine, so there the same sources are built for x86_64 and run under wine64 alone.
# KOLOROWISKO_ARCH=i686|x86_64 in the environment overrides the choice.

kolorowisko_arch_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Asks the kernel itself: a minimal i386 ELF that exits with 42. A shell cannot answer this by
# running a file (it falls back to reading it as a script), so the status is the only witness.
kolorowisko_kernel_runs_32_bit() {
  local probe status=0
  probe=$(mktemp "${TMPDIR:-/tmp}/kolorowisko-probe32.XXXXXX")
  # ELF header (52 bytes), one loadable segment (32 bytes), then: mov eax,1; mov ebx,42; int 0x80
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
  printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
  printf '\270\001\000\000\000\273\052\000\000\000\315\200' >>"$probe"
  chmod +x "$probe"
  (exec "$probe") >/dev/null 2>&1 || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

kolorowisko_choose_arch() {
  case "${KOLOROWISKO_ARCH:-}" in
    i686 | x86_64)
      # A script called by another keeps its caller's reason.
      : "${KOLOROWISKO_ARCH_REASON:=because KOLOROWISKO_ARCH=$KOLOROWISKO_ARCH chose it}"
      ;;
    "")
      if kolorowisko_kernel_runs_32_bit; then
        KOLOROWISKO_ARCH=i686
        KOLOROWISKO_ARCH_REASON="the program as it ships, because this kernel runs 32-bit programs"
      else
        KOLOROWISKO_ARCH=x86_64
        KOLOROWISKO_ARCH_REASON="because this kernel runs no 32-bit programs"
      fi
      ;;
    *)
      echo "KOLOROWISKO_ARCH must be i686 or x86_64, not '$KOLOROWISKO_ARCH'" >&2
      return 2
      ;;
  esac
  export KOLOROWISKO_ARCH KOLOROWISKO_ARCH_REASON
  KOLOROWISKO_TOOLCHAIN=$kolorowisko_arch_root/cmake/mingw-$KOLOROWISKO_ARCH.cmake
}

# "the x86_64 build under wine64, because this kernel runs no 32-bit programs"
kolorowisko_arch_summary() {
  local wine=wine
  [ "$KOLOROWISKO_ARCH" = x86_64 ] && wine=wine64
  echo "the $KOLOROWISKO_ARCH build under $wine, $KOLOROWISKO_ARCH_REASON"
}

kolorowisko_configure_windows() {
  local build=$1
  shift
  # A CMake cache keeps its compiler: a folder made for the other architecture starts again.
  if [ -f "$build/CMakeCache.txt" ] &&
    ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$KOLOROWISKO_TOOLCHAIN" "$build/CMakeCache.txt"; then
    rm -rf "$build"
  fi
  cmake -S "$kolorowisko_arch_root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$KOLOROWISKO_TOOLCHAIN" "$@" >/dev/null
}
