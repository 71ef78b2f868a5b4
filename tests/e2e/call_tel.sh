#!/usr/bin/env bash
# Ctrl+D hands tel: and the number's digits, its leading + kept, to the program registered
# for tel: links (a recorder here); with none registered the program says so itself. A
# spelling picked from the words list with a letter past the number's end is called with
# only the dialled digits, and the lower field tells a screen reader which they are.
source "$(dirname "$0")/lib.sh"
set -u

CALLED="$WIN_DIR/tel_called.txt"
# HKEY_CLASSES_ROOT itself: Wine 8 does not merge the user's classes into it, as Windows does.
TEL_KEY='HKCR\tel'
rm -f "$CALLED"
unregister() { wine_run reg delete "$TEL_KEY" /f >/dev/null 2>&1; }
trap 'unregister; rm -f "$CALLED"; cleanup' EXIT
unregister

start_in_upper_field
type_text 60 "+1 800-FLOWERS"
expect_soon "lower field" "+1 800-3569377" 5 probe text "$MAIN" Edit 1

xdotool key ctrl+d
expect_message "nothing is registered for tel:" "when nothing handles tel: links"
[ ! -e "$CALLED" ] || fail "something was called without a handler"
echo "ok: without a handler the program says so"

recorder=$(wine_run winepath -w "$WIN_DIR/e2e_tel_recorder.exe" 2>/dev/null | tr -d '\r')
wine_run reg add "$TEL_KEY" /ve /d "URL:tel" /f >/dev/null 2>&1
wine_run reg add "$TEL_KEY" /v "URL Protocol" /d "" /f >/dev/null 2>&1
wine_run reg add "$TEL_KEY\\shell\\open\\command" /ve /d "\"$recorder\" \"%1\"" /f >/dev/null 2>&1
xdotool key ctrl+d
for _ in $(seq 100); do [ -e "$CALLED" ] && break; sleep 0.1; done
[ -e "$CALLED" ] || fail "the registered tel: handler was not started"
expect_eq "address handed over" "tel:+18003569377" "$(cat "$CALLED")"

rm -f "$CALLED"
xdotool key ctrl+a BackSpace
open_words 18006288737
pick_spelling ' \([A-Z] not dialled\)$'  # one letter past the number's end
xdotool key Return
probe gone "$WORDS" 10 || fail "Enter did not close the list"
spelled=${PICKED% (* not dialled)}
expect_soon "upper field" "$spelled" 5 probe text "$MAIN" Edit 0
expect_eq "lower field" "$(keypad "$spelled")" "$(probe text "$MAIN" Edit 1)"
said='description="Dialled as +1 800-628-8737; the last letter is not dialled"'
read_tree "$MAIN"
grep '"Dialled number"' <<<"$TREE" | grep -qF "$said" ||
  fail "the lower field's description is not: $said"
xdotool key ctrl+d
for _ in $(seq 100); do [ -e "$CALLED" ] && break; sleep 0.1; done
[ -e "$CALLED" ] || fail "the spelling with a letter past the end was not called"
expect_eq "address handed over" "tel:+18006288737" "$(cat "$CALLED")"
echo "call_tel: passed"
