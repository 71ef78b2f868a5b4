#!/usr/bin/env bash
# velkari.exe run from a Downloads folder never loads a DLL that a stranger saved beside it
# under the name of a library the program uses: one such DLL is planted for every name the
# program imports or names, each leaving a mark when it is loaded, and the program is used
# through every road that loads a library: its start, a tone, a picture saved, the words,
# a call and a screen reader's questions.
source "$(dirname "$0")/lib.sh"
set -u
[ -n "${VELKARI_PULSE_SINK:-}" ] || fail "needs the sound output of tools/with-pulse"

DOWNLOADS="$WIN_DIR/planted-downloads"
MARKS="$DOWNLOADS/planted_marks.txt"
CALLED="$WIN_DIR/tel_called.txt"
TEL_KEY='HKCR\tel'
rm -rf "$DOWNLOADS" "$CALLED"
mkdir -p "$DOWNLOADS"
cp "$WIN_DIR/velkari.exe" "$DOWNLOADS/"
# The probe is planted beside it too, to see that a planted DLL does leave its mark.
cp "$WIN_DIR/e2e_probe.exe" "$DOWNLOADS/planted_probe.exe"

# Windows' KnownDLLs (HKLM\System\CurrentControlSet\Control\Session Manager\KnownDLLs, of
# Windows 7 and of Windows 10, with ntdll and kernelbase) are always taken from the system
# folder, never from a program's own. Wine 8 has no such list: told to prefer a DLL from the
# program's folder for one of these (user32, gdi32, advapi32, ole32 tried), it loads the
# planted one where Windows never would. So they are planted but not named in the overrides
# (without one, Wine runs its own code for a name it has), and the test holds to Windows.
KNOWN_DLLS=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32
  kernel32 kernelbase msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost
  setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 iertutil lpk urlmon usp10 wininet "

SYSTEM32="$VELKARI_BUILD_DIR/wineprefix/drive_c/windows/system32"
[ -d "$SYSTEM32" ] || fail "no system folder at $SYSTEM32: is the prefix started?"

# "library function" for every function an executable imports by name.
imported_functions() {  # exe
  x86_64-w64-mingw32-objdump -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); next }
    /^$/ { dll = "" }
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }'
}
IMPORTS=$(for exe in "$DOWNLOADS"/*.exe; do imported_functions "$exe"; done | sort -u)
[ -n "$IMPORTS" ] || fail "no imports read from the executables"
# What Wine's KnownDLLs, loaded with every program, import: the planted copies export that
# too, so that a process in which Wine loads one of them still starts (see faults below).
SYSTEM_IMPORTS=$(for lib in $KNOWN_DLLS; do
  [ ! -e "$SYSTEM32/$lib.dll" ] || imported_functions "$SYSTEM32/$lib.dll"; done | sort -u)
# Every system library the program names in its strings, wide (LoadLibraryW) or not. A wide
# string may come out with a stray character before it, so a name is the longest tail of the
# string that names a library of the system folder.
NAMED=$({ strings -a -el "$DOWNLOADS/velkari.exe"; strings -a "$DOWNLOADS/velkari.exe"; } |
  grep -ioE '[a-z0-9_]+\.dll$' | tr 'A-Z' 'a-z' | sort -u | while read -r text; do
    for ((i = 0; i < ${#text} - 4; i++)); do
      [ -e "$SYSTEM32/${text:i}" ] && { echo "${text:i:-4}"; break; }
    done
  done)
# And a few that the program or the system's libraries may load for a window's looks.
PLANTED=$(printf '%s\n' $(cut -d' ' -f1 <<<"$IMPORTS") $NAMED version uxtheme dwmapi comctl32 |
  grep -vxE 'ntdll|kernelbase|kernel32|msvcrt|api-ms-win-.*' | sort -u)
echo "planted beside velkari.exe:" $PLANTED

# Each planted DLL is the one archive linked under its name, its stub exports named as the
# executables and the KnownDLLs import them, by the compiler the tree was built with (CTest names it).
cc=${VELKARI_C_COMPILER:-x86_64-w64-mingw32-gcc-posix}
OVERRIDES=
for name in $PLANTED; do
  {
    echo "LIBRARY $name.dll"
    echo EXPORTS
    printf '%s\n' "$IMPORTS" "$SYSTEM_IMPORTS" | sort -u |
      awk -v dll="$name" '$1 == dll { print "    " $2 " = PlantedStub" }'
  } >"$DOWNLOADS/$name.def"
  "$cc" -shared -nostdlib -Wl,--entry,DllMain -o "$DOWNLOADS/$name.dll" \
    -Wl,--whole-archive "$WIN_DIR/libe2e_planted.a" -Wl,--no-whole-archive \
    "$DOWNLOADS/$name.def" -lkernel32 || fail "could not link the planted $name.dll"
  rm "$DOWNLOADS/$name.def"
  [[ $KNOWN_DLLS == *" $name "* || $name == uxtheme ]] || OVERRIDES+="${OVERRIDES:+,}$name"
done
# Nor uxtheme: Wine's comctl32 and user32 load it by name through ntdll, which searches the
# program's folder first even after SetDefaultDllDirectories (measured under Wine 8: a planted
# uxtheme.dll is loaded before and after it), where Windows' take it from the system folder.
# Only the programs started from the Downloads folder here get these overrides.
OVERRIDES="mscoree,mshtml=;$OVERRIDES=n,b"
echo "WINEDLLOVERRIDES=$OVERRIDES"

run_planted() {  # exe args...: a program of the Downloads folder, as from Explorer
  (
    source "$E2E_ROOT/tools/wine-env"
    export WINEDLLOVERRIDES=$OVERRIDES
    exec wine "$DOWNLOADS/$1" "${@:2}"
  ) </dev/null >/dev/null 2>&1
}
# The marks of the loads that Windows would make too, one "file how" a line: all but the
# libraries that another library imports. Windows' own KnownDLLs import only KnownDLLs, and
# a library the program imports is marked itself; but Wine 8's user32 imports version.dll,
# which Windows' does not, so under Wine every program loads a planted version.dll that way.
faults() { [ -e "$MARKS" ] && tr 'A-Z' 'a-z' <"$MARKS" | grep -v ' imported by another library$' | sort -u; }

unregister() { wine_run reg delete "$TEL_KEY" /f >/dev/null 2>&1; }
PASSED=
verdict() {
  unregister
  cleanup
  rm -f "$CALLED"
  [ ! -e "$MARKS" ] || sed 's/^/planted and loaded: /' "$MARKS"
  if [ -n "$(faults)" ]; then
    echo "FAIL: velkari.exe loaded planted DLLs from its own folder: $(faults | paste -sd, | sed 's/,/, /g')" >&2
    exit 1
  fi
  [ -z "$PASSED" ] || echo "planted_dlls: passed: no planted DLL loaded by start, tone, picture, words, call or screen reader"
}
trap verdict EXIT

# The probe imports the accessibility library (no KnownDLL): run from the Downloads folder,
# it must load the planted one, or this scenario could not see a planted DLL at all.
run_planted planted_probe.exe count "$MAIN"
grep -qix 'oleacc.dll imported by the program' "$MARKS" ||
  fail "the probe run beside the planted DLLs did not load its planted oleacc.dll"
echo "ok: the probe run beside the planted DLLs loaded its planted oleacc.dll"
rm -f "$MARKS"

# Start: the static imports and whatever the window's start loads.
(run_planted velkari.exe) &
STARTED+=($!)
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
read -r x y < <(probe at "$MAIN" Edit 0)
click_at "$x" "$y"

# A screen reader's questions: COM and the accessibility library.
probe tree "$MAIN" | grep -qF '"Mute tones"' || fail "a screen reader finds no 'Mute tones'"

# A tone: the program starts muted.
click_flat_button mute
expect_soon "play key enabled after raising mute" 1 5 flat_button_enabled play
NUMBER=18004685865
record_start planted_tones
type_text 150 "$NUMBER"
expect_soon "upper field" "$NUMBER" 10 probe text "$MAIN" Edit 0
record_stop
[ -n "$(tone_spans "$SOUNDS/planted_tones.wav")" ] || fail "no tone heard while typing"
echo "ok: tones heard"

# A picture saved: the common dialogs.
xdotool key ctrl+k
probe wait "$NUMBER" 10 || fail "Ctrl+K showed no preview captioned '$NUMBER'"
read -r x y < <(probe child "$NUMBER" "Save as...") || fail "no Save as... button"
click_at "$x" "$y"
probe wait "Save As" 10 || fail "Save as... did not open the Save As dialog"
type_text 30 "Z:$(tr / '\\' <<<"$DOWNLOADS")\\strip.bmp"
xdotool key Return
probe gone "Save As" 10 || fail "the Save As dialog did not close"
for _ in $(seq 50); do [ -s "$DOWNLOADS/strip.bmp" ] && break; sleep 0.1; done
[ -s "$DOWNLOADS/strip.bmp" ] || fail "no picture saved as $DOWNLOADS/strip.bmp"
read -r x y < <(probe child "$NUMBER" "OK") || fail "no OK button on the preview"
click_at "$x" "$y"
probe gone "$NUMBER" 10 || fail "OK did not close the preview"
echo "ok: picture saved"

# The words for the number.
WORDS="Words for this number"
xdotool key ctrl+w
probe wait "$WORDS" 10 || fail "Ctrl+W did not open '$WORDS'"
xdotool key Return
probe gone "$WORDS" 10 || fail "Enter did not close '$WORDS'"
expect_soon "upper field after the words" "1-800-GNU-JUNK" 5 probe text "$MAIN" Edit 0

# A call: the shell, to the program registered for tel: links (the recorder).
recorder=$(wine_run winepath -w "$WIN_DIR/e2e_tel_recorder.exe" 2>/dev/null | tr -d '\r')
wine_run reg add "$TEL_KEY" /ve /d "URL:tel" /f >/dev/null 2>&1
wine_run reg add "$TEL_KEY" /v "URL Protocol" /d "" /f >/dev/null 2>&1
wine_run reg add "$TEL_KEY\\shell\\open\\command" /ve /d "\"$recorder\" \"%1\"" /f >/dev/null 2>&1
xdotool key ctrl+d
for _ in $(seq 100); do [ -e "$CALLED" ] && break; sleep 0.1; done
[ -e "$CALLED" ] || fail "Ctrl+D did not start the registered tel: handler"
echo "ok: called"

# Everything the program loaded is loaded by now; it is closed as a person closes it.
probe close "$MAIN"
probe gone "$MAIN" 10 || fail "Velkari did not close"
PASSED=1
