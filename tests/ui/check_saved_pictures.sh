#!/usr/bin/env bash
# Reads the pictures that the picture tests saved with an independent reader: ImageMagick
# must take each for a BMP of the right size without a warning, find only the five colours
# of the key pictures in it, and see in the 1-800-DIAL-NOW picture the very cells of the
# program's key-picture resource.
#   check_saved_pictures.sh BUILD_DIR
set -u
build=$1
out=$build/picture_out
strip=$build/generated/qzkeys.bmp
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# file, expected "WIDTHxHEIGHT"
check_file() {
    local file=$1 size=$2 info colours
    [ -f "$file" ] || { fail "$file was not saved"; return; }
    info=$(identify -format '%m %wx%h' "$file" 2>"$work/warnings") || fail "$file: identify fails"
    [ -s "$work/warnings" ] && fail "$file: identify warns: $(cat "$work/warnings")"
    case $info in
        "BMP $size" | "BMP3 $size") ;;
        *) fail "$file: identify reads '$info', expected a BMP of $size" ;;
    esac
    colours=$(convert "$file" -depth 8 -unique-colors txt:- | awk 'NR > 1 { print $3 }' | sort)
    for colour in $colours; do
        case $colour in
            "#FFFFFF" | "#C0C0C0" | "#808080" | "#000000" | "#FF0000") ;;
            *) fail "$file: holds the colour $colour" ;;
        esac
    done
    [ -n "$colours" ] || fail "$file: no pixels read"
}

check_file "$strip" 1776x48
depth=$(identify -format '%z' "$strip")
[ "$depth" = 4 ] || fail "the key-picture resource has depth $depth, not 4 bits"
check_file "$out/dial_now.bmp" 672x48
check_file "$out/dial_now_again.png" 672x48
check_file "$out/existing.bmp" 672x48
check_file "$out/thirty.bmp" 1440x48

# 1-800-DIAL-NOW: the cells of 1, empty, 8, 0, 0, empty, D, I, A, L, empty, N, O, W.
cells=(1 36 8 0 0 36 13 18 10 21 36 23 24 32)
if [ -f "$out/dial_now.bmp" ]; then
    for i in "${!cells[@]}"; do
        convert "$strip" -crop "48x48+$((cells[i] * 48))+0" +repage "$work/want.png"
        convert "$out/dial_now.bmp" -crop "48x48+$((i * 48))+0" +repage "$work/got.png"
        differing=$(compare -metric AE "$work/want.png" "$work/got.png" null: 2>&1)
        [ "$differing" = 0 ] || fail "key $i differs from cell ${cells[i]} in $differing pixels"
    done
fi

if [ $failures -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "ImageMagick reads every saved picture as a bitmap of the key pictures"
