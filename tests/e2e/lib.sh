# Shared steps of the end-to-end scenarios: start programs in the Wine desktop, look at
# them through probe.exe, and act on them with xdotool as a person would.
# Expects VELKARI_BUILD_DIR (the Windows build tree) and DISPLAY (a private Xvfb).
set -u
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The programs' tree; VELKARI_BUILD_DIR alone may name another tree, for another prefix.
WIN_DIR=${VELKARI_PROGRAM_DIR:-${VELKARI_BUILD_DIR:?}}
SHOTS="$WIN_DIR/../screenshots/e2e"
mkdir -p "$SHOTS"
STARTED=()

# Ends the scenario, also from inside $(...) or <(...): there it tells the script's own
# shell, which would otherwise go on with an empty answer.
fail() {
  echo "FAIL: $*" >&2
  shot "failure-$(basename "$0" .sh)"
  echo "the main window's controls: class x y w h enabled visible text" >&2
  probe list "$MAIN" >&2
  echo "and as a screen reader reads them: depth role name state ... x y w h" >&2
  probe tree "$MAIN" >&2
  [ "$BASHPID" = "$$" ] || kill -USR1 $$
  exit 1
}
trap 'exit 1' USR1

wine_run() { "$E2E_ROOT/tools/wine-run" "$@"; }
probe() { wine_run "$WIN_DIR/e2e_probe.exe" "$@"; }

# Starts a Windows program in the background and remembers it for the clean-up.
start() {
  "$E2E_ROOT/tools/wine-run" "$@" >/dev/null 2>&1 &
  STARTED+=($!)
}

# Starts Velkari, waits for its window and clicks into its upper field.
start_in_upper_field() {
  start "$WIN_DIR/velkari.exe"
  probe wait "$MAIN" 20 || fail "Velkari did not show its window"
  local x y
  read -r x y < <(probe at "$MAIN" Edit 0)
  click_at "$x" "$y"
}

cleanup() {
  [ -z "${RECORDER:-}" ] || kill "$RECORDER" 2>/dev/null
  probe close "Velkari 2.9" >/dev/null 2>&1
  probe close "Untitled - Notepad" >/dev/null 2>&1
  sleep 0.5
  wine_run taskkill /F /IM velkari.exe >/dev/null 2>&1
  wine_run taskkill /F /IM notepad.exe >/dev/null 2>&1
  for pid in "${STARTED[@]}"; do wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# The X origin of the Wine desktop, to turn desktop coordinates into screen coordinates.
desktop_origin() {
  local id
  id=$(xdotool search --name "Wine desktop" 2>/dev/null | head -1)
  [ -n "$id" ] || { echo "0 0"; return; }
  xdotool getwindowgeometry "$id" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'
}

click_at() {  # x y on the Windows desktop [button: 1 left (default), 3 right]
  local ox oy
  read -r ox oy < <(desktop_origin)
  xdotool mousemove $((ox + $1)) $((oy + $2)) sleep 0.1 click "${3:-1}"
  CLICKED_MS=$(($(date +%s%N) / 1000000))  # for scenarios that time what a click starts
  sleep 0.3
}

# Types text as a person would. A capital is typed with Shift held down around it: xdotool's
# own typing presses Shift and the key in one burst, and Wine now and then reads the key
# before the Shift, which turns the capital into a small letter.
type_text() {  # delay_ms text
  local delay=$1 text=$2 i c run=
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    if [[ $c == [A-Z] ]]; then
      [ -z "$run" ] || xdotool type --delay "$delay" "$run"
      run=
      xdotool keydown Shift_L sleep 0.03 key "${c,,}" sleep 0.03 keyup Shift_L sleep "$(printf "0.%03d" "$delay")"
    else
      run+=$c
    fi
  done
  [ -z "$run" ] || xdotool type --delay "$delay" "$run"
}

# The main window, its client area's 8-pixel border, and its controls as a person finds
# them: keys by the name a screen reader reads for them (a caption's lines joined: "2 ABC"),
# the small flat buttons by their place.
MAIN="Velkari 2.9"
BORDER=8

click_key() {  # name [button]
  local x y
  read -r x y < <(probe child "$MAIN" "$1") || true
  [ -n "${y:-}" ] || fail "no key named '$1'"
  click_at "$x" "$y" "${2:-1}"
}

# Centre and enabled state (1/0) of a control at a place of the window's layout.
control_at() {  # left top (as the layout gives them, inside the border)
  probe childat "$MAIN" $((BORDER + $1 + 2)) $((BORDER + $2 + 2))
}

flat_button_left() {  # pin|font|mute|play|note -> LEFT
  case "$1" in
    pin) LEFT=0 ;; font) LEFT=32 ;; mute) LEFT=64 ;; play) LEFT=96 ;; note) LEFT=128 ;;
    *) fail "no flat button '$1'" ;;
  esac
}

flat_button_enabled() {  # pin|font|mute|play|note
  local x y enabled
  flat_button_left "$1"
  read -r x y enabled < <(control_at "$LEFT" 52)
  echo "${enabled:-}"
}

click_flat_button() {  # pin|font|mute|play|note
  local x y enabled
  flat_button_left "$1"
  read -r x y enabled < <(control_at "$LEFT" 52) || true
  [ -n "${y:-}" ] || fail "the $1 button is not on the window"
  click_at "$x" "$y"
}

# Text of the label whose top-left corner is at a place of the layout.
label_text() {  # left top
  probe textat "$MAIN" $((BORDER + $1)) $((BORDER + $2))
}
counter_text() { probe value "$MAIN" "Letters and digits"; }

# A window's accessible tree as a screen reader reads it, in TREE. A walk through another
# process can fail part of the way (probe then says which call failed): such a walk is read
# again, and a window whose walk keeps failing fails the scenario.
read_tree() {  # window
  local attempt error
  for attempt in 1 2 3 4 5; do
    TREE=$(probe tree "$1") && return
    error=$(grep -F "the walk failed" <<<"$TREE")
    error=${error:-"no window '$1'"}
    echo "the accessible walk of '$1' failed (walk $attempt): $error" >&2
    sleep 0.5
  done
  fail "the accessible walk of '$1' failed 5 times: $error"
}

# The tree of a window as it was when a screenshot was taken, read once for each screenshot
# (shot forgets the trees of the screenshot it replaces).
declare -A SHOT_TREES=()
tree_of_shot() {  # screenshot window -> TREE
  local key="$1|$2"
  [ -n "${SHOT_TREES[$key]+set}" ] || { read_tree "$2"; SHOT_TREES[$key]=$TREE; }
  TREE=${SHOT_TREES[$key]}
}

# An element's line in the tree of a screenshot, found by its name, in ELEMENT; its place
# in the window's client area in X Y W H.
element_of_shot() {  # screenshot window name
  tree_of_shot "$1" "$2"
  ELEMENT=$(grep -F "] \"$3\" state=" <<<"$TREE" | head -1)
  [ -n "$ELEMENT" ] || fail "no element '$3' in '$2'"
  read -r X Y W H <<<"$(awk '{ print $(NF-3), $(NF-2), $(NF-1), $NF }' <<<"$ELEMENT")"
  [ "$W" -gt 4 ] && [ "$H" -gt 4 ] || fail "'$3' in '$2' has no place: $ELEMENT"
}

# The WCAG contrast ratio of what is drawn on an element to its face, in RATIO. For text the
# face is the colour of most of the element, and the text the colour furthest from it that
# is drawn in more pixels than the element is high, which a caret alone never is; for a
# graphic the face is the colour at its inner top-left corner, and the graphic the pixel
# furthest from it.
contrast() {  # screenshot window name text|graphic
  local cx cy ox oy
  element_of_shot "$1" "$2" "$3"
  read -r cx cy _ < <(probe client "$2")
  [ -n "${cy:-}" ] || fail "no window '$2'"
  read -r ox oy < <(desktop_origin)
  RATIO=$(convert "$SHOTS/$1.png" \
    -crop "$((W - 4))x$((H - 4))+$((ox + cx + X + 2))+$((oy + cy + Y + 2))" \
    +repage -depth 8 txt:- | awk -F'[(),]' -v measure="$4" -v least=$((H - 4)) '
    function lin(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
    function lum(r, g, b) { return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b) }
    function ratio(a, b) { return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05) }
    /^#/ { next }
    { l = lum($3, $4, $5); if (!n++) corner = l; count[l]++ }
    END {
      if (!n) exit
      best = 1
      if (measure == "graphic") {
        for (l in count) if (ratio(l, corner) > best) best = ratio(l, corner)
      } else {
        for (l in count) if (count[l] > most) { most = count[l]; face = l }
        for (l in count) if (count[l] > least && ratio(l, face) > best) best = ratio(l, face)
      }
      printf "%.1f\n", best
    }')
  [[ $RATIO =~ ^[0-9]+\.[0-9]$ ]] || fail "$1: cannot measure '$3' in '$2' ($RATIO)"
}
# Whether an element stands out from its face by at least a ratio (WCAG 2: text by 4.5:1,
# graphics by 3:1).
stands_out() {  # screenshot window name least [text|graphic (default)]
  contrast "$1" "$2" "$3" "${5:-graphic}"
  awk -v r="$RATIO" -v least="$4" 'BEGIN { exit !(r >= least) }' ||
    fail "$1: '$3' stands out by $RATIO:1, less than $4:1"
  echo "ok: $1: '$3' $RATIO:1"
}

WORDS="Words for this number"
# Text with its letters on the keypad's digits: "1-800-FLOWERS" is "1-800-3569377".
keypad() { tr 'A-Z' '22233344455566677778889999' <<<"$1"; }
# The digits that a spelling as the list shows it dials: "1-800-MATTRESS (S not dialled)"
# dials 18006288737, the letters it names past the number's end left out.
dialled_digits() {  # listed spelling
  local text=$1 past= digits
  if [[ $text =~ ^(.*)\ \(([A-Z]+)\ not\ dialled\)$ ]]; then
    text=${BASH_REMATCH[1]} past=${BASH_REMATCH[2]}
  fi
  digits=$(keypad "$text" | tr -cd '0-9')
  echo "${digits:0:${#digits}-${#past}}"
}
# Types a number of digits into the focused, empty upper field and opens the words for it;
# the spelling offered first, as a screen reader reads the list's value, must dial the
# number. That spelling is in FIRST.
open_words() {  # number
  type_text 60 "$1"
  expect_soon "lower field" "$1" 5 probe text "$MAIN" Edit 1
  xdotool key ctrl+w
  probe wait "$WORDS" 10 || fail "Ctrl+W did not open '$WORDS'"
  FIRST=$(probe value "$WORDS" Spellings)
  expect_eq "digits of the spelling offered first, '$FIRST'" "$1" "$(dialled_digits "$FIRST")"
}
# Selects the first entry of the words list that matches a pattern (an extended regular
# expression), with Down in the words field as a person would. The entry is in PICKED.
pick_spelling() {  # pattern
  local items i
  read_tree "$WORDS"
  mapfile -t items < <(sed -n 's/^2 \[list item\] "\(.*\)" state=.*/\1/p' <<<"$TREE")
  for i in "${!items[@]}"; do
    [[ ${items[i]} =~ $1 ]] || continue
    PICKED=${items[i]}
    for ((; i > 0; i--)); do xdotool key Down sleep 0.05; done
    expect_soon "spelling selected" "$PICKED" 5 probe value "$WORDS" Spellings
    return
  done
  fail "no entry of the words list matches '$1'"
}
status_text() { label_text 0 160; }

# The program's own message box: it comes, says the text, and Enter closes it.
expect_message() {  # text when
  probe wait "Velkari" 10 || fail "no message $2"
  read_tree "Velkari"
  grep -qF "$1" <<<"$TREE" || fail "the message $2 does not say '$1'"
  xdotool key Return
  probe gone "Velkari" 10 || fail "Enter did not close the message $2"
}

# Polls a command until it prints the expected text, then checks it once more as a test.
expect_soon() {  # what expected seconds command...
  local what=$1 expected=$2 seconds=$3 end
  shift 3
  end=$(($(date +%s%N) + ${seconds%.*} * 1000000000))
  while [ "$("$@")" != "$expected" ] && [ "$(date +%s%N)" -lt "$end" ]; do sleep 0.1; done
  expect_eq "$what" "$expected" "$("$@")"
}

# What the program sounds, recorded from the null sink of tools/with-pulse. The low latency
# matters: left to itself the sink's monitor buffers far longer than a short tone lasts.
SOUNDS="$WIN_DIR/../recordings"
mkdir -p "$SOUNDS"
RECORDER=
record_start() {  # name
  parecord --latency-msec=20 -d "${VELKARI_PULSE_SINK:?}.monitor" --rate=8000 --channels=1 \
    --format=s16le --file-format=wav "$SOUNDS/$1.wav" </dev/null &
  RECORDER=$!
  # The recorder takes a while to connect: wait until the sink's silence is coming in.
  local _
  for _ in $(seq 100); do
    [ "$(stat -c %s "$SOUNDS/$1.wav" 2>/dev/null || echo 0)" -gt 1000 ] && return
    sleep 0.05
  done
  fail "the recorder did not start"
}
record_stop() {
  sleep 0.5  # the last tone's tail
  kill -INT "$RECORDER" 2>/dev/null
  wait "$RECORDER" 2>/dev/null
  RECORDER=
}
# The tones in a recording, one "start end" (seconds) a line. A tone is a run of 5 ms windows
# with sound in them. On a busy machine the sound output can drop out for a few milliseconds
# inside a tone; pieces that together last no longer than one tone (100 ms) are one tone.
tone_spans() {  # wav file
  sox "$1" -t dat - 2>/dev/null | awk '
    /^;/ { next }
    { w = int($1 * 200); a = $2 < 0 ? -$2 : $2; if (a > 0.06) loud[w] = 1; if (w > last) last = w }
    END {
      n = 0
      for (w = 0; w <= last + 1; w++) {
        if (loud[w] && !inside) { inside = 1; from = w }
        if (!loud[w] && inside) {
          inside = 0
          if (n > 0 && sound[n] + (w - from) <= 26) { to[n] = w; sound[n] += w - from }
          else { n++; start[n] = from; to[n] = w; sound[n] = w - from }
        }
      }
      for (i = 1; i <= n; i++) {
        from = start[i] / 200 - 0.01
        printf "%.3f %.3f\n", from < 0 ? 0 : from, to[i] / 200 + 0.01
      }
    }'
}
heard_digits() {  # name: the DTMF digit of each tone in the recording, in order
  local wav="$SOUNDS/$1.wav" from to
  while read -r from to; do
    sox "$wav" "$SOUNDS/$1.tone.wav" trim "$from" ="$to" 2>/dev/null
    multimon-ng -t wav -c -a DTMF -q "$SOUNDS/$1.tone.wav" 2>/dev/null | sed -n 's/^DTMF: //p' | head -1
  done < <(tone_spans "$wav") | tr -d '\n'
  rm -f "$SOUNDS/$1.tone.wav"
}

# Photographs the wheel while Esc fills it. One xdotool call lets Esc go 0.9 s after it went
# down, before the window closes at 1.275 s, however long the screenshot takes on a busy
# machine; a screenshot that came too late shows the wheel as empty as in the screenshot
# before, and is taken again.
shot_wheel() {  # screenshot screenshot_with_the_wheel_empty
  local attempt holder cx cy ox oy apart shown
  element_of_shot "$2" "$MAIN" Closing
  for attempt in 1 2 3; do
    xdotool keydown Escape sleep 0.9 keyup Escape &
    holder=$!
    sleep 0.5
    shot "$1"
    wait "$holder"
    sleep 0.3
    [ "$(probe count "$MAIN")" = 1 ] || fail "Esc held for a screenshot closed the window"
    read -r cx cy _ < <(probe client "$MAIN")
    read -r ox oy < <(desktop_origin)
    for shown in "$2" "$1"; do
      convert "$SHOTS/$shown.png" -crop "${W}x${H}+$((ox + cx + X))+$((oy + cy + Y))" \
        +repage "$SHOTS/wheel-$shown.png"
    done
    apart=$(compare -metric AE "$SHOTS/wheel-$2.png" "$SHOTS/wheel-$1.png" null: 2>&1) || true
    [[ $apart =~ ^[0-9]+$ ]] || fail "$1: cannot compare the wheel with '$2': $apart"
    [ "$apart" -lt 20 ] || return 0
    echo "$1: the wheel is empty in the screenshot (shot $attempt), once more" >&2
  done
  fail "$1: no screenshot shows the wheel filling"
}

shot() {
  local key
  for key in "${!SHOT_TREES[@]}"; do [[ $key != "$1|"* ]] || unset "SHOT_TREES[$key]"; done
  import -window root "$SHOTS/$1.png" 2>/dev/null
}

expect_eq() {  # what expected actual
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
  echo "ok: $1 = '$3'"
}
