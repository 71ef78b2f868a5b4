#!/usr/bin/env bash
# Checks resgen's files with an independent reader: ImageMagick must decode every bitmap
# and the icon to exactly the pixels that the art file says, as read by the small awk
# parser below (which shares no code with resgen).
#   check_with_imagemagick.sh RESGEN ART_DIR WORK_DIR
set -u
resgen=$1
art=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# "x,y: #RRGGBB" for every pixel of an art file, top row first. With "icon" as the second
# argument, magenta pixels read as transparent black and the others carry an opaque alpha.
expected_pixels() {
    awk -v icon="${2:-}" '
        /^[ \t]*(#|$)/ { next }
        /^colour / { legend[$2] = toupper($3); next }
        {
            row = $0
            gsub(/ /, "", row)
            for (x = 0; x < length(row); x++) {
                colour = legend[substr(row, x + 1, 1)]
                if (icon != "") colour = (colour == "#FF00FF") ? "#00000000" : colour "FF"
                printf "%d,%d: %s\n", x, y, colour
            }
            y++
        }' "$1"
}

actual_pixels() {
    convert "$1" -depth 8 txt:- | awk 'NR > 1 { print $1, $3 }'
}

same_pixels() {  # name, expected file, picture
    if ! diff -q "$2" <(actual_pixels "$3") >/dev/null; then
        fail "$1: ImageMagick reads other pixels than the art file holds"
        diff "$2" <(actual_pixels "$3") | head -5
    fi
}

for source in "$art"/*.txt; do
    name=$(basename "$source" .txt)
    case $name in velkari*) continue ;; esac
    expected_pixels "$source" >"$work/$name.expected"

    "$resgen" bmp24 "$source" "$work/$name.24.bmp" || { fail "$name: bmp24"; continue; }
    identify "$work/$name.24.bmp" >/dev/null || fail "$name: identify rejects the 24-bit file"
    same_pixels "$name (24-bit)" "$work/$name.expected" "$work/$name.24.bmp"

    "$resgen" bmp4 "$source" "$work/$name.4.bmp" || { fail "$name: bmp4"; continue; }
    depth=$(identify -format '%z' "$work/$name.4.bmp") || fail "$name: identify rejects 4-bit"
    [ "$depth" = 4 ] || fail "$name: ImageMagick sees depth $depth, not 4 bits"
    same_pixels "$name (4-bit)" "$work/$name.expected" "$work/$name.4.bmp"
done

"$resgen" ico "$work/velkari.ico" "$art"/velkari{16,20,24,32}.txt || fail "ico"
frames=$(identify -format '%m:%wx%h ' "$work/velkari.ico")
[ "$frames" = "PNG:256x256 ICO:64x64 ICO:48x48 ICO:40x40 ICO:32x32 ICO:24x24 ICO:20x20 ICO:16x16 " ] ||
    fail "the icon's frames are '$frames'"
for frame in 4:32 5:24 6:20 7:16; do
    expected_pixels "$art/velkari${frame#*:}.txt" icon >"$work/icon${frame#*:}.expected"
    same_pixels "icon ${frame#*:}" "$work/icon${frame#*:}.expected" "$work/velkari.ico[${frame%:*}]"
done
# The larger frames: a drawn one enlarged pixel for pixel (frame:from:percent).
for frame in 0:4:800 1:4:200 2:5:200 3:6:200; do
    IFS=: read -r index from percent <<<"$frame"
    convert "$work/velkari.ico[$from]" -filter point -resize "$percent%" "$work/enlarged.png"
    same_pixels "icon frame $index" <(actual_pixels "$work/enlarged.png") "$work/velkari.ico[$index]"
done

# Failures: a message naming the file and line, exit status 1, and no output file left.
printf 'colour . #FF00FF\n..\n.x\n' >"$work/broken.txt"
message=$("$resgen" bmp24 "$work/broken.txt" "$work/broken.bmp" 2>&1)
status=$?
[ $status = 1 ] || fail "broken art: exit status $status"
[[ $message == *"broken.txt:3: column 2: 'x' has no colour"* ]] || fail "broken art: '$message'"
[ ! -e "$work/broken.bmp" ] || fail "broken art left an output file"
message=$("$resgen" bmp4 "$art/velkari16.txt" "$work/icon.bmp" 2>&1)
status=$?
[ $status = 1 ] || fail "bmp4 of a many-coloured picture: exit status $status"
[[ $message == *"is not in the 16-colour palette"* ]] || fail "bmp4 of the icon: '$message'"
[ ! -e "$work/icon.bmp" ] && [ ! -e "$work/icon.bmp.part" ] || fail "bmp4 left a file behind"
"$resgen" bmp24 "$source" >/dev/null 2>&1
[ $? = 2 ] || fail "a missing argument is not a usage error"

if [ $failures -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "ImageMagick reads every generated bitmap and icon as drawn"
