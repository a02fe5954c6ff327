# shellcheck shell=bash
# The Wine prefix the program runs in; sourced by ./run and ./test, with WINEPREFIX set.

# The data folder, where the installer puts the program for the prefix's user:
# "%LOCALAPPDATA%\Programs\Zentrik Dizavirov" ("C:\users\<user>\AppData\Local\..."). Wine
# names the user's folder after the Unix user, so the prefix is asked rather than guessed.
zd_local_app_data() {
  wine cmd /c echo %LOCALAPPDATA% 2>/dev/null </dev/null | tr -d '\r'
}
# Its Windows path.
zd_windows_data_folder() {
  echo "$(zd_local_app_data)\Programs\Zentrik Dizavirov"
}
# Its Unix path.
zd_data_folder() {
  local local_app_data
  local_app_data=$(winepath -u "$(zd_local_app_data)" 2>/dev/null </dev/null)
  echo "${local_app_data%/}/Programs/Zentrik Dizavirov"
}

# Makes the prefix if it is not there yet, and gives it the fonts the program asks for: "Arial"
# (not on Debian) is Liberation Sans, and "Arial Black" a heavy face, Roboto Black.
zd_prepare_prefix() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Making the Wine prefix $WINEPREFIX"
    # Without its Mono and Gecko packages Wine would ask to download them; the program needs neither.
    # Its 64-bit-only build also reports a missing 32-bit rundll32, which is harmless.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i 2>/dev/null
    wineserver -w
  fi
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Arial" /t REG_SZ \
    /d "Liberation Sans" /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Arial Black" /t REG_SZ \
    /d "Roboto Black" /f >/dev/null
}

# The installer that the build made ($1 is the build folder).
zd_installer() {
  echo "$1/app/ZentrikDizavirov-Setup.exe"
}

# Installs the program with its installer, silently, as a Windows user would ($1 is the build
# folder). The installer replaces the program and its own files and never a file the user may
# have changed: settings, databases, translations, events.
zd_install_program() {
  wine "$(zd_installer "$1")" /S
  # The installer's own processes end before the program starts.
  wineserver -w
}

# With no window manager (Xvfb), Wine places and maximises windows itself only if it is told not
# to leave them to one.
zd_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
}
