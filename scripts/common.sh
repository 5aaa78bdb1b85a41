# Shared settings of the project's scripts (sourced, not run).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
export WINEARCH=win64

# select_locale: the Unix locale of the scripts and of Wine: TORVIK_LANG, else
# en_US.UTF-8, once it exists (setup generates it); until then C.UTF-8, which
# every system has, so that no shell or tool warns about a missing locale.
select_locale() {
  local wanted=${TORVIK_LANG:-en_US.UTF-8} name
  name=$(echo "$wanted" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8$/utf8/')
  if locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$name"; then
    export LANG=$wanted
  else
    export LANG=C.UTF-8
  fi
  export LC_ALL=$LANG
}
select_locale

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
PREFIX_SETTINGS=5

# The dialog face of the program's templates ("MS Shell Dlg" stands for Tahoma):
# Wine's own Tahoma from the fonts-wine package, which Debian's Wine does not
# look for, so each prefix gets a copy.
WINE_FONT_DIR=/usr/share/wine/fonts
PREFIX_FONTS=(tahoma.ttf tahomabd.ttf)
# Faces whose missing glyphs (Chinese, Japanese, Korean) come from WenQuanYi;
# bold text asks for "Tahoma Bold", which needs a link of its own.
LINKED_FACES=(Tahoma 'Tahoma Bold' 'MS Shell Dlg' 'MS Shell Dlg 2')
# Edit controls shape their text with the script shaper, which takes missing
# Chinese, Japanese and Korean glyphs from its fallback face SimSun rather than
# from the font links: SimSun stands for WenQuanYi too.
SUBSTITUTED_FACES=(SimSun)

# make_prefix DIR null|x11: creates a Wine prefix once and keeps its settings
# current: the graphics driver, the dialog face's font files, and font links so
# that Chinese, Japanese and Korean text shows in the dialog face, regular and bold.
make_prefix() {
  local dir=$1 driver=$2 font
  local ready=1
  [ "$(cat "$dir/.torvik-ready" 2>/dev/null)" = "$PREFIX_SETTINGS" ] || ready=0
  for font in "${PREFIX_FONTS[@]}"; do
    cmp -s "$WINE_FONT_DIR/$font" "$dir/drive_c/windows/Fonts/$font" || ready=0
  done
  [ $ready = 1 ] && return 0
  if [ ! -f "$dir/system.reg" ]; then
    rm -rf "$dir"; mkdir -p "$dir"
    echo "setup: creating Wine prefix $dir ($driver driver)"
    WINEPREFIX=$dir wineboot -i >/dev/null 2>&1 || true
    timeout 120 env WINEPREFIX=$dir wineserver -w || true
  fi
  if [ "$driver" = null ]; then
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # A crash in the tests' prefix starts no debugger, which would freeze the
    # crashed process until CTest's time-out: Wine writes the crash's address
    # to the process's output, finds no program named "none", and ends the
    # process with the exception's code.
    WINEPREFIX=$dir wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /d 'none' /f >/dev/null 2>&1
  fi
  mkdir -p "$dir/drive_c/windows/Fonts"
  for font in "${PREFIX_FONTS[@]}"; do
    cp "$WINE_FONT_DIR/$font" "$dir/drive_c/windows/Fonts/$font"
  done
  local face
  for face in "${LINKED_FACES[@]}"; do
    WINEPREFIX=$dir wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  for face in "${SUBSTITUTED_FACES[@]}"; do
    WINEPREFIX=$dir wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$face" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  timeout 120 env WINEPREFIX=$dir wineserver -w || true
  echo "$PREFIX_SETTINGS" > "$dir/.torvik-ready"
}

# The tests take the locale of this run: CTest gives it to every test.
configure_and_build() {
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DTORVIK_TEST_LOCALE="$LANG"
  elif ! grep -qx "TORVIK_TEST_LOCALE:STRING=$LANG" "$BUILD_DIR/CMakeCache.txt"; then
    cmake -DTORVIK_TEST_LOCALE="$LANG" "$BUILD_DIR" >/dev/null
  fi
  cmake --build "$BUILD_DIR" -j "$(nproc)"
}
