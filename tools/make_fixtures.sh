#!/usr/bin/env bash
# Draws the pictures the image library tests decode: make_fixtures.sh OUTDIR
# Every good picture X gets X.rgb beside it: its first frame as ImageMagick decodes it,
# laid on white, in 8-bit RGB rows, for the tests to compare against.
set -euo pipefail
out=$1
mkdir -p "$out"
cd "$out"

reference() {
    convert "$1[0]" -background white -alpha remove -alpha off -depth 8 "rgb:$1.rgb"
}

picture() {  # picture FILE CONVERT-ARGS...: writes FILE and its reference
    local file=$1
    shift
    convert "$@"
    reference "$file"
}

le32() {  # le32 VALUE: four bytes, least significant first
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
        $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"
}

# A bottom-up BMP turned top-down: rows flipped, height stored negative.
top_down() {  # top_down SOURCE.bmp TARGET.bmp
    local height offset
    height=$(od -An -tu4 -j22 -N4 "$1" | tr -d ' ')
    offset=$(od -An -tu4 -j10 -N4 "$1" | tr -d ' ')
    local row_bytes=$(( ($(stat -c %s "$1") - offset) / height ))
    {
        head -c "$offset" "$1"
        for ((row = height - 1; row >= 0; row--)); do
            dd if="$1" iflag=skip_bytes,count_bytes skip=$((offset + row * row_bytes)) \
                count="$row_bytes" status=none
        done
    } > "$2"
    le32 $(( (1 << 32) - height )) | dd of="$2" bs=1 seek=22 conv=notrunc status=none
    reference "$2"
}

# A rose fading out from left to right, for every format that carries alpha.
convert -size 46x70 gradient:white-black -rotate 90 fade.png
convert rose: fade.png -alpha off -compose CopyOpacity -composite rose_alpha.png

picture jpeg_baseline.jpg logo: -quality 90 jpeg_baseline.jpg
picture jpeg_progressive.jpg wizard: -interlace JPEG jpeg_progressive.jpg
picture jpeg_grey.jpg rose: -colorspace Gray jpeg_grey.jpg
picture jpeg_cmyk.jpg rose: -colorspace CMYK jpeg_cmyk.jpg
picture jpeg_large.jpg -size 3000x4000 gradient:navy-gold -rotate -90 jpeg_large.jpg

for depth in 1 2 4 8 16; do
    picture "png_grey$depth.png" rose: -colorspace Gray -define png:color-type=0 \
        -define "png:bit-depth=$depth" "png_grey$depth.png"
done
for depth in 1 2 4 8; do
    # The background chunk's extra colour would otherwise force a deeper palette.
    picture "png_palette$depth.png" rose: +dither -colors $((1 << depth)) \
        -define png:exclude-chunk=bKGD -define png:color-type=3 -define "png:bit-depth=$depth" \
        "png_palette$depth.png"
done
for depth in 8 16; do
    picture "png_rgb$depth.png" rose: -define png:color-type=2 -define "png:bit-depth=$depth" \
        "png_rgb$depth.png"
    picture "png_greyalpha$depth.png" rose_alpha.png -colorspace Gray -define png:color-type=4 \
        -define "png:bit-depth=$depth" "png_greyalpha$depth.png"
    picture "png_rgba$depth.png" rose_alpha.png -define png:color-type=6 \
        -define "png:bit-depth=$depth" "png_rgba$depth.png"
done
picture png_interlaced.png rose_alpha.png -interlace PNG png_interlaced.png
# Opaque red on a transparent field and a half-covered blue stripe: the white test.
picture alpha.png -size 40x30 xc:none -fill red -draw 'rectangle 10,10 29,19' \
    -fill 'rgba(0,0,255,0.5)' -draw 'rectangle 0,25 39,29' -define png:color-type=6 alpha.png
# A palette whose transparent entry is black.
picture png_palette_transparent.png -size 40x30 xc:none -fill red \
    -draw 'rectangle 10,10 29,19' PNG8:png_palette_transparent.png
picture one_pixel.png -size 1x1 xc:'#336699' one_pixel.png
# Single-pixel black and white squares: any smooth reduction turns them grey.
picture checkerboard.png -size 64x64 xc: -fx '(i+j)%2' -depth 8 checkerboard.png

picture gif_wizard.gif wizard: gif_wizard.gif
picture gif87a.gif rose: GIF87:gif87a.gif
picture gif_transparent.gif -size 40x30 xc:none -fill red -draw 'rectangle 10,10 29,19' \
    gif_transparent.gif
picture gif_animated.gif -size 30x20 xc:green xc:blue -loop 0 gif_animated.gif

picture bmp1.bmp rose: -colors 2 BMP3:bmp1.bmp
picture bmp4.bmp rose: -colors 16 BMP3:bmp4.bmp
picture bmp8.bmp rose: -colors 256 -type Palette -compress None BMP3:bmp8.bmp
picture bmp16_555.bmp rose: -define bmp:subtype=RGB555 BMP:bmp16_555.bmp
picture bmp16_565.bmp rose: -define bmp:subtype=RGB565 BMP:bmp16_565.bmp
picture bmp24.bmp rose: -type TrueColor BMP3:bmp24.bmp
picture bmp32.bmp rose: -type TrueColorAlpha BMP:bmp32.bmp
for depth in 1 4 8 16_565 24 32; do
    top_down "bmp$depth.bmp" "bmp${depth}_topdown.bmp"
done
# Shift-JIS trail bytes 0x5C (ソ, 表, ―) inside a name must not split the path.
cp png_rgb8.png 'ソ表―.png'

# Broken files: each loader must refuse them without harm.
: > empty.jpg
echo 'This is not a picture.' > text.jpg
cp png_rgb8.png png_named.jpg
cp png_rgb8.png.rgb png_named.jpg.rgb
for file in jpeg_baseline.jpg png_rgb8.png gif_wizard.gif bmp24.bmp; do
    head -c $(($(stat -c %s "$file") / 2)) "$file" > "truncated_$file"
done
{ printf 'XPNG'; tail -c +5 png_rgb8.png; } > wrong_magic.png
{ printf 'XX'; tail -c +3 bmp24.bmp; } > wrong_magic.bmp
# One changed byte inside the image data breaks the chunk's checksum.
cp png_rgb8.png corrupt.png
idat=$(grep -obUa IDAT corrupt.png | head -1 | cut -d: -f1)
printf '\x55' | dd of=corrupt.png bs=1 seek=$((idat + 20)) conv=notrunc status=none
# A 24-bit header promising 20000 x 20000 pixels, and no pixels.
{
    printf 'BM'; le32 54; le32 0; le32 54
    le32 40; le32 20000; le32 20000; printf '\x01\x00\x18\x00'
    le32 0; le32 0; le32 0; le32 0; le32 0; le32 0
} > huge.bmp
rm fade.png rose_alpha.png
