# Sourced: the Wine environment of the build tree, for one architecture: QVZ_WINE_ARCH=32 (the
# product, prefix build/wineprefix) or 64 (the test build, prefix build/wineprefix64). Both have
# the Japanese locale (ANSI code page 932) and the Japanese Windows face names mapped to the
# installed IPA fonts. The loader is called directly: /usr/bin/wine always picks the 32-bit one
# when wine32 is installed, which a machine without 32-bit support cannot execute.
qvz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
qvz_wine_arch=${QVZ_WINE_ARCH:-32}
case $qvz_wine_arch in
  32) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
      export WINEPREFIX=${QVZ_WINEPREFIX:-$qvz_root/build/wineprefix} ;;
  64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
      export WINEPREFIX=${QVZ_WINEPREFIX64:-$qvz_root/build/wineprefix64} ;;
  *) echo "QVZ_WINE_ARCH must be 32 or 64" >&2; return 2 ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
source "$qvz_root/scripts/lib/display.sh"

# Bump when the prefix's settings change, so old prefixes are made again.
qvz_prefix_version=3

qvz_wine() { "$WINELOADER" "$@"; }
qvz_wineserver() { if [ -x /usr/lib/wine/wineserver ]; then /usr/lib/wine/wineserver "$@"; else wineserver "$@"; fi; }

# True when this machine can execute the 32-bit Wine loader (some kernels have 32-bit
# emulation turned off).
can_run_win32() {
  [ -x /usr/lib/wine/wine ] || return 1
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

qvz_prefix_reg() {
  local subst
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  for key in 'HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements' \
             'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'; do
    printf '[%s]\r\n' "$key"
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
    printf '"ＭＳ 明朝"="IPAMincho"\r\n"ＭＳ Ｐ明朝"="IPAPMincho"\r\n'
    printf '"MS UI Gothic"="IPAPGothic"\r\n"MS Gothic"="IPAGothic"\r\n"MS PGothic"="IPAPGothic"\r\n'
    printf '"MS Mincho"="IPAMincho"\r\n"MS PMincho"="IPAPMincho"\r\n\r\n'
  done
  # A program that crashes ends at once: Wine's debugger, attaching to a program whose other
  # threads hold its locks, can wait for ever, and a test would then only end at its time limit.
  printf '[%s]\r\n' 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
  printf '"Debugger"="qvz-no-debugger.exe"\r\n"Auto"="1"\r\n\r\n'
}

ensure_prefix() {
  local stamp=$WINEPREFIX/.qvz-prefix
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$qvz_prefix_version" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$qvz_prefix_version" ] && exit 0
    rm -rf "$WINEPREFIX"
    echo "wine: creating the $qvz_wine_arch-bit prefix $WINEPREFIX (once)" >&2
    qvz_wine wineboot.exe -i >/dev/null 2>&1
    local reg=$WINEPREFIX/qvz-fonts.reg
    { printf '\xff\xfe'; qvz_prefix_reg | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    qvz_wine regedit.exe /S "$(qvz_wine winepath.exe -w "$reg" 2>/dev/null | tr -d '\r')" >/dev/null 2>&1
    qvz_wineserver -w
    [ -d "$WINEPREFIX/drive_c" ] || { echo "wine: creating the prefix failed" >&2; exit 1; }
    echo "$qvz_prefix_version" >"$stamp"
  ) 9>"$WINEPREFIX.lock"
}
