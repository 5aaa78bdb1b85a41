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

# Settings of our Wine prefixes; raise the number when they change, so that
# existing prefixes take the new settings.
PREFIX_SETTINGS=2

# make_prefix DIR null|x11: creates a Wine prefix once and keeps its settings
# current: the graphics driver, and font links so that Chinese, Japanese and
# Korean text shows in the dialog font.
make_prefix() {
  local dir=$1 driver=$2
  [ "$(cat "$dir/.torvik-ready" 2>/dev/null)" = "$PREFIX_SETTINGS" ] && return 0
  if [ ! -f "$dir/system.reg" ]; then
    rm -rf "$dir"; mkdir -p "$dir"
    echo "setup: creating Wine prefix $dir ($driver driver)"
    WINEPREFIX=$dir wineboot -i >/dev/null 2>&1 || true
    timeout 120 env WINEPREFIX=$dir wineserver -w || true
  fi
  if [ "$driver" = null ]; then
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  local face
  for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2'; do
    WINEPREFIX=$dir wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  timeout 120 env WINEPREFIX=$dir wineserver -w || true
  echo "$PREFIX_SETTINGS" > "$dir/.torvik-ready"
}

configure_and_build() {
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
  fi
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}
