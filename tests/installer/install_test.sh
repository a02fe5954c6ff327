#!/bin/bash
# The installer as a Windows user meets it, in a fresh Wine prefix: a silent install for the user
# that starts and saves, a second install over the user's changed settings, ./run over them too,
# then the uninstaller.
# Usage: install_test.sh INSTALLER WORK-FOLDER PROGRAM
# Needs DISPLAY (an X server) and the Wine of ./test's environment.
set -euo pipefail
installer=$1
work=$2
program=$3
repo=$(cd "$(dirname "$0")/../.." && pwd)
source "$repo/tools/wine_prefix.sh"

export WINEPREFIX="$work/prefix"
# No Linux menu entries for the shortcuts of a throw-away prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
# Waits up to $1 seconds for the command after it to succeed.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}
program_window_shown() {
  xwininfo -root -tree 2>/dev/null | grep -q '"Zentrik": ("zentrikdizavirov.exe"'
}
install_silently() {
  wine "$installer" /S
  wineserver -w
}

wineserver -k 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
zd_prepare_prefix >/dev/null
folder=$(zd_data_folder)
windows_folder=$(zd_windows_data_folder)
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZentrikDizavirov'
settings="$folder/RéglagesInterface2.rg"
display="$folder/Private/RéglagesAffichage.rgsc"
languages="$folder/Translation/FenetrePrincipale.trans"
menu="$folder/Translation/MenuPrincipal.trans"
site="$folder/Private/SiteWeb.rg"
factory_menu="$folder/Translation/MenuPrincipal.usine"
drivers="$folder/BaseDonnéesPilotes.bd"

# A fresh install: the program, its own files, the factory settings, the shortcut, the uninstaller,
# all for this user, in a folder of the user's own.
install_silently
[[ $folder == */users/*/AppData/Local/Programs/Zentrik\ Dizavirov ]] ||
  fail "the data folder is not the user's own: $folder"
[[ ! -e "$WINEPREFIX/drive_c/Program Files/Zentrik Dizavirov" ]] ||
  fail "installed into Program Files"
file "$folder/ZentrikDizavirov.exe" | grep -q 'PE32+ executable (GUI) x86-64.*MS Windows' ||
  fail "the installed program is no 64-bit Windows program: $(file "$folder/ZentrikDizavirov.exe")"
cmp -s "$program" "$folder/ZentrikDizavirov.exe" || fail "the installed program is not the one built"
# The web site's settings come with no site.
[[ $(tr -d '\r' <"$site") == $'ftp=\nscripts=\naccount=' ]] || fail "a site is installed: $site"
for installed in "$settings" "$display" "$folder/RéglagesSons.rg" "$folder/sons/cloche.wav" \
  "$folder/paysDrapeaux/FRA.bmp" "$folder/Translation/MenuPrincipal.trans" \
  "$folder/Translation/FenetreTraduction.usine" "$folder/Translation/BaseCategoriesAge.trans" \
  "$folder/BaseDonnéesPays.bd" "$folder/uninstall.exe" "$factory_menu"; do
  [[ -s "$installed" ]] || fail "not installed: $installed"
done
# The reference databases the user fills, there and empty: no window reports one missing.
for database in Categories Championnats Clubs Pilotes Pénalités VoituresMotos; do
  [[ -f "$folder/BaseDonnées$database.bd" && ! -s "$folder/BaseDonnées$database.bd" ]] ||
    fail "not installed empty: BaseDonnées$database.bd"
done
[[ -f "$folder/BaseDonnéesAges.bd1" ]] || fail "not installed: BaseDonnéesAges.bd1"
# The shipped program carries no debug information.
if x86_64-w64-mingw32-objdump -h "$folder/ZentrikDizavirov.exe" | grep -q '\.debug'; then
  fail "the installed program has debug sections"
fi
shortcut=$(find "$WINEPREFIX/drive_c" -name 'Zentrik Dizavirov.lnk' | head -1)
[[ $shortcut == */users/*/Start\ Menu/Programs/* ]] || fail "no Start menu shortcut of the user: $shortcut"
wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'uninstall\.exe' ||
  fail "no uninstall entry of the user"
if wine reg query "${uninstall_key/HKCU/HKLM}" >/dev/null 2>&1; then
  fail "an uninstall entry for every user"
fi

# The installed program starts, shows its main window and saves its working race file there.
wine "$windows_folder\\ZentrikDizavirov.exe" >/dev/null 2>&1 &
wait_until 60 program_window_shown || fail "the installed program showed no main window"
[[ -s "$folder/Private/Course.race2" ]] || fail "the program saved no race file in $folder"
wineserver -k 2>/dev/null || true
wineserver -w

# The user's COM port and column widths, languages and an edited menu text, and an event; then
# the program damaged, to be mended.
printf 'COM5\t0\tZentrik\r\n' >"$settings"
printf '123\t45\t\r\n' >>"$display"
printf '2\t1\t\r\n' >"$languages"
sed -i 's/\tDatei\t/\tDateien\t/' "$menu"
printf 'an event of the user\r\n' >"$folder/Course.race2"
printf '1\tAnne\t\r\n' >"$drivers"
cp "$drivers" "$work/drivers.kept"
# The factory texts of the version before, which the new version's replace.
cp "$factory_menu" "$work/factory_menu.new"
printf 'the old version\r\n' >"$factory_menu"
cp "$settings" "$work/settings.kept"
cp "$display" "$work/display.kept"
cp "$languages" "$work/languages.kept"
cp "$menu" "$work/menu.kept"
printf 'ftp=ftp://127.0.0.1/\r\nscripts=http://127.0.0.1/\r\naccount=a:b\r\n' >"$site"
cp "$site" "$work/site.kept"
printf 'damaged' >"$folder/ZentrikDizavirov.exe"

install_silently
cmp -s "$work/settings.kept" "$settings" || fail "installing again changed RéglagesInterface2.rg"
cmp -s "$work/display.kept" "$display" || fail "installing again changed the column widths"
cmp -s "$work/languages.kept" "$languages" || fail "installing again changed the languages"
cmp -s "$work/menu.kept" "$menu" || fail "installing again changed the edited menu text"
cmp -s "$work/site.kept" "$site" || fail "installing again changed the web site's settings"
cmp -s "$work/drivers.kept" "$drivers" || fail "installing again changed the drivers database"
cmp -s "$work/factory_menu.new" "$factory_menu" ||
  fail "installing again kept the old factory menu texts"
cmp -s "$program" "$folder/ZentrikDizavirov.exe" || fail "installing again did not replace the program"

# ./run installs the same way before it starts the program, and takes over the folder of a
# prefix where the program was installed into Program Files before.
old_folder="$WINEPREFIX/drive_c/Program Files/Zentrik Dizavirov"
mv "$folder" "$old_folder"
(cd "$repo" && ./run >"$work/run.log" 2>&1) &
run=$!
wait_until 300 program_window_shown || fail "./run showed no main window (see $work/run.log)"
wineserver -k 2>/dev/null || true
wait "$run" || true
cmp -s "$work/settings.kept" "$settings" || fail "./run changed RéglagesInterface2.rg"
cmp -s "$work/display.kept" "$display" || fail "./run changed the column widths"
cmp -s "$work/languages.kept" "$languages" || fail "./run changed the languages"
cmp -s "$work/menu.kept" "$menu" || fail "./run changed the edited menu text"
[[ -s "$folder/Course.race2" && ! -e "$old_folder" ]] ||
  fail "./run did not move the user's files from $old_folder"

# The uninstaller removes the program's own files and keeps the user's.
wine "$windows_folder\\uninstall.exe" /S "_?=$windows_folder"
wineserver -w
for gone in "$folder/ZentrikDizavirov.exe" "$folder/uninstall.exe" "$folder/sons" "$shortcut" \
  "$factory_menu"; do
  [[ ! -e "$gone" ]] || fail "left by the uninstaller: $gone"
done
for kept in "$settings" "$display" "$folder/Course.race2" "$folder/BaseDonnéesPays.bd" \
  "$folder/Translation/MenuPrincipal.trans" "$drivers"; do
  [[ -e "$kept" ]] || fail "removed by the uninstaller: $kept"
done
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
  fail "the uninstall entry is left"
fi

if ((failures)); then
  echo "$failures check(s) failed; the prefix is left in $WINEPREFIX" >&2
  exit 1
fi
wineserver -k 2>/dev/null || true
rm -rf "$work"
echo "The installer installs, upgrades, leaves ./run the user's settings and uninstalls."
