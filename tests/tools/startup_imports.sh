#!/usr/bin/env bash
# velkari.exe imports only what its window needs at start. COM, the accessibility library,
# the multimedia library (which loads the sound codecs in turn), the common dialogs, the
# shell and the theme library come through late_bound.h when first used: imported, they
# cost tens of milliseconds of every start-up under Wine.
set -euo pipefail
exe=$1
late='^(ole32|oleaut32|oleacc|winmm|comdlg32|shell32|shlwapi|uxtheme)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print tolower($3) }')
if found=$(grep -E "$late" <<<"$imports"); then
  echo "velkari.exe imports" $found "at start: call it through src/toolkit/late_bound.h" >&2
  exit 1
fi
echo "startup_imports: velkari.exe imports" $imports
