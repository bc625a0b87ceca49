#!/usr/bin/env bash
# Makes a fresh Wine prefix in which the Windows build is tested, and prints the environment to
# use it with (eval "$(scripts/wine-prefix.sh DIR)"). Nothing of a person's own Wine is used:
#  - no Mono or Gecko install, no debug chatter (WINEDEBUG=-all);
#  - windows do not wait for a window manager (X11 Driver\Managed = N);
#  - 宋体/SimSun and 隶书/LiSu become Debian's AR PL UMing and UKai, else every Chinese face
#    would fall back to Kai;
#  - Marlett, which Debian's Wine leaves out, for the caption buttons.
set -euo pipefail

prefix=$(realpath -m "${1:?usage: wine-prefix.sh DIR}")
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wine wineboot -i >/dev/null 2>&1
wineserver -w

# regedit reads a .reg file only as UTF-16LE with a byte-order mark.
reg="$prefix/setup.reg"
{
  printf '\xff\xfe'
  iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="AR PL UMing CN"
"SimSun"="AR PL UMing CN"
"新宋体"="AR PL UMing CN"
"NSimSun"="AR PL UMing CN"
"隶书"="AR PL UKai CN"
"LiSu"="AR PL UKai CN"
REG
} >"$reg"
wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
wineserver -w

printf 'export WINEPREFIX=%q WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=%q\n' \
  "$prefix" "mscoree,mshtml="
