#!/usr/bin/env bash
# The app mode switched to dark and back while the program runs, as Settings does it: the
# registry value, then WM_SETTINGCHANGE "ImmersiveColorSet" to every window. At each step
# the main window, the words dialog and the preview are photographed, and every caption,
# field text and the F8 line must stand out from its face by 4.5:1, every glyph and the
# filling wheel by 3:1 (WCAG 2), the faces dark in dark mode and light in light mode.
source "$(dirname "$0")/lib.sh"
set -u

PERSONALIZE='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
write_app_mode() {  # 0 dark, 1 light
  wine_run reg add "$PERSONALIZE" /v AppsUseLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1 &&
    wine_run reg query "$PERSONALIZE" /v AppsUseLightTheme |
    grep -qE "AppsUseLightTheme +REG_DWORD +0x$1\$" &&
    probe setting ImmersiveColorSet
}
app_mode() {  # 0 dark, 1 light
  write_app_mode "$1" || fail "the app mode $1 was not written, or a window did not take the change"
  sleep 1
}
trap 'write_app_mode 1 >/dev/null; cleanup' EXIT

# The face of a window's client area at its top-left corner, dark or light (luminance 0 is
# black, 1 white), and the mean luminance of the whole as a figure.
face_is() {  # screenshot window dark|light
  local x y w h ox oy face mean
  read -r x y w h < <(probe client "$2")
  [ -n "${h:-}" ] || fail "no window '$2'"
  read -r ox oy < <(desktop_origin)
  read -r face mean < <(convert "$SHOTS/$1.png" -crop "${w}x${h}+$((ox + x))+$((oy + y))" \
    +repage -colorspace Gray -format "%[fx:p{3,3}] %[fx:mean]" info:)
  local number='^[0-9]*\.?[0-9]+$'
  [[ ${face:-} =~ $number && ${mean:-} =~ $number ]] ||
    fail "$1: cannot read the face of '$2' (face '${face:-}', mean '${mean:-}')"
  echo "ok: $1: face $face, mean luminance $mean"
  awk -v f="$face" -v m="$3" 'BEGIN { exit !(m == "dark" ? f + 0 < 0.2 : f + 0 > 0.8) }' ||
    fail "$1: the face of '$2' is not $3"
}
# Opens a window with a key, photographs it, checks its face and closes it again.
window_look() {  # key caption screenshot mode
  xdotool key "$1"
  probe wait "$2" 10 || fail "$1 did not open '$2'"
  sleep 0.5
  shot "$3"
  face_is "$3" "$2" "$4"
}

# Mute raised, so that the play key's glyph shows enabled. The window's activation presses
# mute, also when a dialog of the program closes: the state is read once the main window
# has the focus again, which it gets in the same activation, and read until it is raised.
mute_down() {  # [in the tree read last]
  [ $# -gt 0 ] || read_tree "$MAIN"
  local state
  state=$(grep -F '] "Mute tones" state=' <<<"$TREE" | sed 's/.*state=\([0-9a-f]*\).*/\1/')
  [ -n "$state" ] || fail "no element 'Mute tones' in '$MAIN'"
  (((16#$state) & 0x10))
}
raise_mute() {
  local _
  for _ in $(seq 50); do probe focus "$MAIN" >/dev/null && break; sleep 0.1; done
  probe focus "$MAIN" >/dev/null || fail "the main window did not get the focus back"
  if mute_down; then probe press "$MAIN" "Mute tones" || fail "mute has no default action"; fi
  for _ in $(seq 20); do mute_down || return 0; sleep 0.25; done
  fail "mute stays pressed"
}

look() {  # dark|light [name]
  local mode=$1 name
  set -- "${2:-$1}"
  raise_mute
  shot "main_$1"
  tree_of_shot "main_$1" "$MAIN"
  ! mute_down "in the tree of the screenshot" || fail "main_$1: mute was pressed again"
  face_is "main_$1" "$MAIN" "$mode"
  for name in "2 ABC" Q "Caps Lock" copy exit Clear "Vanity number" "Dialled number" \
    "F8 = type the number to another window"; do
    stands_out "main_$1" "$MAIN" "$name" 4.5 text
  done
  for name in "Stay on top" Font "Mute tones" "Play the number" "Keypad picture"; do
    stands_out "main_$1" "$MAIN" "$name" 3
  done
  shot_wheel "wheel_$1" "main_$1"
  stands_out "wheel_$1" "$MAIN" Closing 3
  window_look ctrl+w "$WORDS" "words_$1" "$mode"
  stands_out "words_$1" "$WORDS" Spellings 4.5 text
  probe close "$WORDS"
  probe gone "$WORDS" 10 || fail "'$WORDS' did not close"
  window_look ctrl+k "$NUMBER" "preview_$1" "$mode"
  probe close "$NUMBER"
  probe gone "$NUMBER" 10 || fail "the preview did not close"
}

NUMBER=1800FLOWERS  # the preview's caption
start_in_upper_field
type_text 60 "$NUMBER"
look light
# A dialog open at the time switches with the program.
xdotool key ctrl+w
probe wait "$WORDS" 10 || fail "Ctrl+W did not open '$WORDS'"
app_mode 0
shot words_switched
face_is words_switched "$WORDS" dark
probe close "$WORDS"
probe gone "$WORDS" 10 || fail "'$WORDS' did not close"
look dark
app_mode 1
look light light_again
# Back in light mode the window is what it was, pixel for pixel but the caret.
apart=$(compare -metric AE "$SHOTS/main_light.png" "$SHOTS/main_light_again.png" null: 2>&1) || true
echo "light mode before and after dark: $apart pixels apart"
[ "${apart%%.*}" -le 20 ] || fail "light mode after dark is $apart pixels off"
echo "dark_mode: passed"
