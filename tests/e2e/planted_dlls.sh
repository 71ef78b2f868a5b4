#!/usr/bin/env bash
# velkari.exe run from a downloads folder never loads a DLL that a stranger saved beside it
# under the name of a library the program uses: one is planted for every name the program
# imports or names, each leaving a mark when it is loaded, and the program goes every road
# that loads a library: its start, a screen reader's questions, a tone, the save dialog,
# the words and a call.
source "$(dirname "$0")/lib.sh"
set -u

DOWNLOADS="$WIN_DIR/planted-downloads"
MARKS="$DOWNLOADS/planted_marks.txt"
CALLED="$WIN_DIR/tel_called.txt"
TEL_KEY='HKCR\tel'
rm -rf "$DOWNLOADS" "$CALLED" && mkdir -p "$DOWNLOADS"
cp "$WIN_DIR/velkari.exe" "$DOWNLOADS/"
# The probe is planted beside them too, to see that a planted DLL does leave its mark.
cp "$WIN_DIR/e2e_probe.exe" "$DOWNLOADS/planted_probe.exe"
SYSTEM32="$VELKARI_BUILD_DIR/wineprefix/drive_c/windows/system32"

# Windows' KnownDLLs (of Windows 7 and 10) always come from the system folder. Wine 8 has no
# such list: told to prefer the program's folder for user32, gdi32, advapi32 or ole32, it
# loads a planted one where Windows never would. They are planted, but left out of the
# overrides below, so that the test holds Wine to what Windows does.
KNOWN_DLLS=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32
  kernel32 kernelbase msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost
  setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 iertutil lpk urlmon usp10 wininet "

imported_functions() {  # exe: "library function" for each function it imports by name
  x86_64-w64-mingw32-objdump -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); next }
    /^$/ { dll = "" }
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }'
}
PROGRAM_IMPORTS=$(imported_functions "$DOWNLOADS/velkari.exe" | cut -d' ' -f1 | sort -u)
# The planted copies export what the executables and Wine's KnownDLLs import, so that a
# process in which Wine loads one of them still starts.
IMPORTS=$({ for exe in "$DOWNLOADS"/*.exe; do imported_functions "$exe"; done
  for lib in $KNOWN_DLLS; do
    [ ! -e "$SYSTEM32/$lib.dll" ] || imported_functions "$SYSTEM32/$lib.dll"; done; } | sort -u)
# Every library of the system folder that the program names in a string (what it loads);
# a wide string may come out with a stray character before it: the longest tail that names one.
NAMED=$(strings -a -el "$DOWNLOADS/velkari.exe" | grep -ioE '[a-z0-9_]+\.dll$' |
  tr 'A-Z' 'a-z' | sort -u | while read -r text; do
    for ((i = 0; i < ${#text} - 4; i++)); do
      [ -e "$SYSTEM32/${text:i}" ] && { echo "${text:i:-4}"; break; }
    done
  done)
PLANTED=$(printf '%s\n' $PROGRAM_IMPORTS oleacc $NAMED version uxtheme dwmapi comctl32 |
  grep -vxE 'ntdll|kernelbase|kernel32|msvcrt' | sort -u)

OVERRIDES=
for name in $PLANTED; do
  { echo "LIBRARY $name.dll"; echo EXPORTS
    awk -v dll="$name" '$1 == dll { print "    " $2 " = PlantedStub" }' <<<"$IMPORTS"; } \
    >"$DOWNLOADS/$name.def"
  "${VELKARI_C_COMPILER:-x86_64-w64-mingw32-gcc-posix}" -shared -nostdlib \
    -Wl,--entry,DllMain -o "$DOWNLOADS/$name.dll" -Wl,--whole-archive \
    "$WIN_DIR/libe2e_planted.a" -Wl,--no-whole-archive "$DOWNLOADS/$name.def" -lkernel32 ||
    fail "could not link the planted $name.dll"
  # Nor uxtheme: Wine's comctl32 and user32 load it by name, from the program's folder first
  # even after SetDefaultDllDirectories, where Windows' take it from the system folder.
  [[ $KNOWN_DLLS == *" $name "* || $name == uxtheme ]] || OVERRIDES+="${OVERRIDES:+,}$name"
done
OVERRIDES="mscoree,mshtml=;$OVERRIDES=n,b"
echo "planted beside velkari.exe:" $PLANTED "(WINEDLLOVERRIDES=$OVERRIDES)"

run_planted() {  # exe args...: a program of the downloads folder, as Explorer starts it
  (source "$E2E_ROOT/tools/wine-env"
    WINEDLLOVERRIDES=$OVERRIDES exec wine "$DOWNLOADS/$1" "${@:2}") </dev/null >/dev/null 2>&1
}
# The loads that are the program's doing: all but those of a library that another library
# imports (Wine's user32 imports version.dll; Windows' KnownDLLs import only KnownDLLs).
faults() {
  [ -e "$MARKS" ] && tr 'A-Z' 'a-z' <"$MARKS" | sort -u | while read -r dll how; do
    [ "$how" = static ] && ! grep -qx "${dll%.dll}" <<<"$PROGRAM_IMPORTS" || echo "$dll $how"
  done
}
verdict() {
  wine_run reg delete "$TEL_KEY" /f >/dev/null 2>&1
  cleanup; rm -f "$CALLED"
  [ ! -e "$MARKS" ] || sed 's/^/planted and loaded: /' "$MARKS"
  [ -z "$(faults)" ] || { echo "FAIL: velkari.exe loaded planted DLLs:" $(faults) >&2; exit 1; }
}
trap verdict EXIT

run_planted planted_probe.exe count "$MAIN"
grep -qix 'oleacc.dll static' "$MARKS" || fail "the planted probe did not load its planted oleacc.dll"
rm -f "$MARKS"

(run_planted velkari.exe) & STARTED+=($!)
probe wait "$MAIN" 20 || fail "Velkari did not show its window"
read -r x y < <(probe at "$MAIN" Edit 0)
click_at "$x" "$y"
read_tree "$MAIN"
grep -qF '"Mute tones"' <<<"$TREE" || fail "a screen reader finds no 'Mute tones'"
click_flat_button mute
expect_soon "play key enabled after raising mute" 1 5 flat_button_enabled play
NUMBER=18004685865
type_text 150 "$NUMBER"
expect_soon "upper field" "$NUMBER" 10 probe text "$MAIN" Edit 0

xdotool key ctrl+k
probe wait "$NUMBER" 10 || fail "Ctrl+K showed no preview captioned '$NUMBER'"
read -r x y < <(probe child "$NUMBER" "Save as...") || fail "no Save as... button"
click_at "$x" "$y"
probe wait "Save As" 10 || fail "Save as... did not open the Save As dialog"
xdotool key Escape
probe gone "Save As" 10 || fail "Esc did not close the Save As dialog"
xdotool key Escape
probe gone "$NUMBER" 10 || fail "Esc did not close the preview"

xdotool key ctrl+w
probe wait "Words for this number" 10 || fail "Ctrl+W did not open the words"
xdotool key Return
expect_soon "upper field after the words" "1-800-GOT-JUNK" 5 probe text "$MAIN" Edit 0

recorder=$(wine_run winepath -w "$WIN_DIR/e2e_tel_recorder.exe" 2>/dev/null | tr -d '\r')
wine_run reg add "$TEL_KEY" /v "URL Protocol" /d "" /f >/dev/null 2>&1
wine_run reg add "$TEL_KEY\\shell\\open\\command" /ve /d "\"$recorder\" \"%1\"" /f >/dev/null 2>&1
xdotool key ctrl+d
for _ in $(seq 100); do [ -e "$CALLED" ] && break; sleep 0.1; done
[ -e "$CALLED" ] || fail "Ctrl+D did not start the registered tel: handler"
probe close "$MAIN"
probe gone "$MAIN" 10 || fail "Velkari did not close"
echo "planted_dlls: no planted DLL loaded by start, reader, tone, save dialog, words or call"
