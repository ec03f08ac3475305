# Sourced: the Wine environment of the build tree: a 32-bit prefix with the Japanese locale
# (ANSI code page 932) and the Japanese Windows face names mapped to the installed IPA fonts.
qvz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${QVZ_WINEPREFIX:-$qvz_root/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
source "$qvz_root/scripts/lib/display.sh"

# Bump when the prefix's settings change, so old prefixes are made again.
qvz_prefix_version=1

qvz_font_reg() {
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
}

ensure_prefix() {
  local stamp=$WINEPREFIX/.qvz-prefix
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$qvz_prefix_version" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$qvz_prefix_version" ] && exit 0
    rm -rf "$WINEPREFIX"
    echo "wine: creating the prefix $WINEPREFIX (once)" >&2
    wineboot -i >/dev/null 2>&1
    local reg=$WINEPREFIX/qvz-fonts.reg
    { printf '\xff\xfe'; qvz_font_reg | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
    wineserver -w
    echo "$qvz_prefix_version" >"$stamp"
  ) 9>"$WINEPREFIX.lock"
}
