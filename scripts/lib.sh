# Shared by scripts/run and scripts/test: install what is missing (apt only),
# configure and build. Sourced, not run.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VEXTIL_BUILD:-$ROOT/build}

need_packages() {
  missing=""
  command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1 || missing="$missing g++-mingw-w64-i686"
  command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
  command -v ninja >/dev/null 2>&1 || missing="$missing ninja-build"
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing="$missing googletest"
  command -v wine >/dev/null 2>&1 || missing="$missing wine wine64"
  dpkg -s wine32:i386 >/dev/null 2>&1 || missing="$missing wine32:i386"
  command -v Xvfb >/dev/null 2>&1 || missing="$missing xvfb"
  command -v flock >/dev/null 2>&1 || missing="$missing util-linux"
  echo "$missing"
}

install_missing() {
  missing=$(need_packages)
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  if [ "$(id -u)" != 0 ]; then echo "Run as root to install:$missing" >&2; exit 1; fi
  case "$missing" in *i386*) dpkg --add-architecture i386 ;; esac
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

build() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release
  fi
  cmake --build "$BUILD" "$@"
}
