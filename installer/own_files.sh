#!/bin/sh
# Writes, for the uninstaller, one Delete command for each of the program's own files in the data
# folder's staging (the sounds, pictures, flags and factory translations; the reference lists and
# the user's translations are the user's to keep).
# Usage: own_files.sh STAGING OUTPUT
set -e
cd "$1"
{
  find sons images Images paysDrapeaux -type f ! -name '*.bd' 2>/dev/null
  find Translation -type f -name '*.usine' 2>/dev/null
} | LC_ALL=C sort | sed -e 's|/|\\|g' -e 's|.*|  Delete "$INSTDIR\\&"|' >"$2"
