# Shared settings of the project's scripts (sourced, not run).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
export LANG=${TORVIK_LANG:-en_US.UTF-8}
export LC_ALL=$LANG
export WINEARCH=win64

# Wine prefix of the tests (null graphics driver) and of the visible program (X11).
TEST_PREFIX=$BUILD_DIR/wineprefix
DISPLAY_PREFIX=$BUILD_DIR/wineprefix-display

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then echo sudo; else echo "run as root to install packages" >&2; exit 1; fi
  fi
}

# make_prefix DIR null|x11: creates a Wine prefix once.
make_prefix() {
  local dir=$1 driver=$2
  [ -f "$dir/.torvik-ready" ] && return 0
  rm -rf "$dir"; mkdir -p "$dir"
  echo "setup: creating Wine prefix $dir ($driver driver)"
  WINEPREFIX=$dir wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$dir wineserver -w || true
  if [ "$driver" = null ]; then
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  WINEPREFIX=$dir wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  WINEPREFIX=$dir wineserver -w || true
  touch "$dir/.torvik-ready"
}

configure_and_build() {
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
  fi
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}
