# Shared steps of the end-to-end scenarios: start programs in the Wine desktop, look at
# them through probe.exe, and act on them with xdotool as a person would.
# Expects VELKARI_BUILD_DIR (the Windows build tree) and DISPLAY (a private Xvfb).
set -u
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WIN_DIR=${VELKARI_BUILD_DIR:?}
SHOTS="$WIN_DIR/../screenshots/e2e"
mkdir -p "$SHOTS"
STARTED=()

fail() {
  echo "FAIL: $*" >&2
  shot "failure-$(basename "$0" .sh)"
  exit 1
}

wine_run() { "$E2E_ROOT/tools/wine-run" "$@"; }
probe() { wine_run "$WIN_DIR/e2e_probe.exe" "$@"; }

# Starts a Windows program in the background and remembers it for the clean-up.
start() {
  "$E2E_ROOT/tools/wine-run" "$@" >/dev/null 2>&1 &
  STARTED+=($!)
}

cleanup() {
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

click_at() {  # x y on the Windows desktop
  local ox oy
  read -r ox oy < <(desktop_origin)
  xdotool mousemove $((ox + $1)) $((oy + $2)) sleep 0.1 click 1
  sleep 0.3
}

shot() {
  import -window root "$SHOTS/$1.png" 2>/dev/null
}

expect_eq() {  # what expected actual
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
  echo "ok: $1 = '$3'"
}
