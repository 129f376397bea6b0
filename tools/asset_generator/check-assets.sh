#!/usr/bin/env bash
# Checks the committed pictures against what the program expects of them.
#   check-assets.sh [ASSETS_DIR]             formats, sizes, icon layout
#   check-assets.sh --regenerate [ASSETS_DIR] also draws them twice afresh and
#                                            requires both runs to match the
#                                            committed files byte for byte
# Needs ImageMagick; --regenerate also needs Qt 6 and fonts-noto-color-emoji.
set -uo pipefail

regenerate=false
if [[ "${1:-}" == --regenerate ]]; then regenerate=true; shift; fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
assets="${1:-$root/assets}"
passed=0
failed=0

check() { # description, then a command that must succeed
    local what="$1"; shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

# "W H interlace colourspace channels" as ImageMagick sees the file
describe() { identify -format '%w %h %[interlace] %[colorspace] %[channels]' "$1" 2>/dev/null; }

is_jpeg() { [[ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" == ffd8ff ]]; }

# Baseline colour JPEG of the given size.
jpeg_of_size() {
    local file="$1" w="$2" h="$3"
    [[ -f "$file" ]] && is_jpeg "$file" && [[ "$(describe "$file")" == "$w $h None sRGB srgb" ]]
}

# The subject must leave a white frame: the outer 4 pixels on every side are
# (almost) white, allowing for JPEG ringing.
white_frame() {
    local means
    means="$(convert "$1" \( -clone 0 -crop 161x4+0+0 \) \( -clone 0 -crop 161x4+0+157 \) \
        \( -clone 0 -crop 4x161+0+0 \) \( -clone 0 -crop 4x161+157+0 \) -delete 0 \
        -colorspace Gray -format '%[fx:mean>0.98] ' info: 2>/dev/null)"
    [[ "$means" == "1 1 1 1 " ]]
}

# Not blank: even the palest subject (a glass of milk) scores about 0.06.
has_subject() { [[ "$(convert "$1" -colorspace Gray -format '%[fx:standard_deviation>0.03]' info:)" == 1 ]]; }

for set in 1 2 3; do
    dir="$assets/img/$set"
    check "set $set holds exactly 67 pictures" \
        test "$(find "$dir" -maxdepth 1 -name '*.jpg' | wc -l)" -eq 67
    for i in $(seq 0 66); do
        f="$dir/$i.jpg"
        check "$f is a 161x161 baseline colour JPEG" jpeg_of_size "$f" 161 161
        check "$f has a white frame" white_frame "$f"
        check "$f is not blank" has_subject "$f"
    done
    check "set $set has no two identical pictures" \
        test "$(sha256sum "$dir"/*.jpg | cut -d' ' -f1 | sort -u | wc -l)" -eq 67
done

check "ok.jpg is 66x82" jpeg_of_size "$assets/img/ok.jpg" 66 82
check "err.jpg is 66x82" jpeg_of_size "$assets/img/err.jpg" 66 82
check "ok.jpg is mostly green" \
    test "$(convert "$assets/img/ok.jpg" -format '%[fx:mean.g>mean.r]' info:)" = 1
check "err.jpg is mostly red" \
    test "$(convert "$assets/img/err.jpg" -format '%[fx:mean.r>mean.g]' info:)" = 1
check "white.jpg is 161x161" jpeg_of_size "$assets/img/white.jpg" 161 161
check "white.jpg is pure white" \
    test "$(convert "$assets/img/white.jpg" -format '%[fx:minima]' info:)" = 1

bg="$assets/background.jpg"
check "background.jpg is an 850x531 baseline colour JPEG" jpeg_of_size "$bg" 850 531
check "background.jpg has 8-bit samples" test "$(identify -format '%z' "$bg")" = 8
# APP0 right after SOI: "JFIF\0", version 1.01, unit dpi, 72 x 72.
check "background.jpg starts with a JFIF 1.01 72 dpi header" \
    test "$(od -An -tx1 -j2 -N16 "$bg" | tr -d ' \n')" = ffe000104a4649460001010100480048
# Baseline means SOF0 (ff c0); a progressive writer would emit ff c2 instead.
check "background.jpg uses a baseline frame" \
    bash -c "od -An -v -tx1 '$bg' | tr -d '\n' | grep -q ' ff c0 00 11 08 02 13 03 52 03'"

for size in 16 32 48 64 128 256; do
    f="$assets/icon/kidsum-$size.png"
    check "$f is a ${size}x${size} RGBA PNG" test "$(describe "$f")" = "$size $size None sRGB srgba"
    check "$f has transparent corners" \
        test "$(convert "$f" -alpha extract -format '%[fx:p{0,0}]' info:)" = 0
done

ico="$assets/icon/kidsum.ico"
expected="32x32:1 16x16:1 48x48:4 32x32:4 16x16:4 48x48:8 32x32:8 16x16:8 128x128:32 80x80:32 48x48:32 32x32:32 16x16:32"
ico_layout() {
    local count out="" k w bits
    count="$(od -An -tu2 -j4 -N2 "$ico" | tr -d ' ')"
    for ((k = 0; k < count; k++)); do
        w="$(od -An -tu1 -j$((6 + 16 * k)) -N1 "$ico" | tr -d ' ')"
        bits="$(od -An -tu2 -j$((12 + 16 * k)) -N2 "$ico" | tr -d ' ')"
        out+="${w}x${w}:$bits "
    done
    echo "${out% }"
}
check "kidsum.ico directory lists the 13 expected images" test "$(ico_layout)" = "$expected"
check "ImageMagick decodes all 13 icon images with the listed sizes" \
    test "$(identify -format '%wx%h ' "$ico" 2>/dev/null)" = \
        "$(echo "$expected" | sed 's/:[0-9]*//g') "

if $regenerate; then
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    for run in 1 2; do
        ASSET_BUILD_DIR="$work/build" bash "$root/tools/generate-assets.sh" "$work/run$run" >/dev/null
    done
    # README.md and the licence text are written by hand, not drawn.
    check "two fresh runs are byte-identical" diff -r "$work/run1" "$work/run2"
    check "committed pictures match a fresh run" diff -r -x README.md -x LICENSE-Apache-2.0.txt "$work/run1" "$assets"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
