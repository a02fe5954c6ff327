# shellcheck shell=bash
# The Wine prefix the program runs in; sourced by ./run and ./test, with WINEPREFIX set.

# The data folder, as Wine maps "C:\Program Files\Zentrik Dizavirov".
zd_data_folder() {
  echo "$WINEPREFIX/drive_c/Program Files/Zentrik Dizavirov"
}

# Makes the prefix if it is not there yet, and lets "Arial" (not on Debian) be Liberation Sans.
zd_prepare_prefix() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Making the Wine prefix $WINEPREFIX"
    # Without its Mono and Gecko packages Wine would ask to download them; the program needs neither.
    # Its 64-bit-only build also reports a missing 32-bit rundll32, which is harmless.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i 2>/dev/null
    wineserver -w
  fi
  local font
  for font in "Arial" "Arial Black"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /t REG_SZ \
      /d "Liberation Sans" /f >/dev/null
  done
}

# Installs the built program and the data folder's files ($1 is the build folder).
zd_install_program() {
  cmake --install "$1/app" --prefix "$(zd_data_folder)"
}

# With no window manager (Xvfb), Wine places and maximises windows itself only if it is told not
# to leave them to one; the tests' prefix needs it for the main window to fill the screen.
zd_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
}
