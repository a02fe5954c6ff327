# shellcheck shell=bash disable=SC2034
# Debian packages the project needs; sourced by ./run and ./test.

# To build the program and its installer, and start it. The core and its tests are built natively
# by g++; the program and its tests by MinGW-w64 (GoogleTest from the googletest sources).
ZD_BUILD_PACKAGES=(
  cmake g++ make
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
  wine wine64
  xvfb fonts-liberation fonts-roboto-unhinted imagemagick espeak-ng sox
  iso-codes python3 librsvg2-bin
)
# npm fetches the flag pictures at build time; a Node.js installed from elsewhere brings its own.
command -v npm >/dev/null || ZD_BUILD_PACKAGES+=(npm)
# What the tests need besides: the spelling check of the built-in texts uses hunspell and
# its dictionaries; the fuzz targets are built by clang, with libFuzzer and the
# sanitizers' runtimes; the printing tests print to a PDF queue of their own CUPS server and read
# the PDF back.
ZD_TEST_PACKAGES=(
  x11-utils xauth python3-pyftpdlib
  hunspell hunspell-de-de hunspell-it hunspell-pt-br hunspell-es
  clang libclang-rt-14-dev
  cups printer-driver-cups-pdf poppler-utils
)

# Installs those of the given packages that are missing.
zd_install_packages() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]})); then
    echo "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y "${missing[@]}"
  fi
}
