#!/usr/bin/env bash
# Makes the fuzzers' seed corpora from the project's own example files.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
corpus="$1"
ex="$root/examples"
mkdir -p "$corpus"/{fuzz_project,fuzz_settings,fuzz_template,fuzz_base64,fuzz_jpeg,fuzz_png,fuzz_gif,fuzz_bmp}

cp "$ex/shop.PT" "$corpus/fuzz_project/shop.PT"
iconv -f CP932 -t UTF-16 "$ex/shop.PT" > "$corpus/fuzz_project/shop-utf16.PT"
printf '[InputItem]\r\nCount=1\r\n[InputItem0]\r\nInputType=3\r\nItemCount=2\r\nItemCaption_1=a\r\n' \
  > "$corpus/fuzz_project/combo.PT"

printf '[HISTORY]\r\nCount=2\r\n0=/a.PT\r\n1=/b.PT\r\n[WINDOW]\r\nIsSaveWindowState=1\r\nX=1\r\n' \
  > "$corpus/fuzz_settings/settings.INI"
printf '[OPENPROJECT]\r\nIsOpenLastProject=1\r\n' > "$corpus/fuzz_settings/open.INI"

printf '\x03<p><#p name=title> <# p NAME="a b"> <#x> <<#p name=%%41+b> <#p name=title' \
  > "$corpus/fuzz_template/tags.html"
printf '\x01a\nb\rc\r\n<a href="<#p name=name>">' > "$corpus/fuzz_template/lines.html"

printf 'Zm9vYmFy' > "$corpus/fuzz_base64/plain"
printf '5pel5pys6Kqe' > "$corpus/fuzz_base64/japanese"
printf 'Zg==Zm9v' > "$corpus/fuzz_base64/padded"

cp "$ex/pictures/yuuhi.jpg" "$corpus/fuzz_jpeg/"
convert -size 16x16 xc:red -colorspace Gray "$corpus/fuzz_jpeg/grey.jpg"
convert -size 16x16 xc:blue -colorspace CMYK "$corpus/fuzz_jpeg/cmyk.jpg"
convert -size 16x16 xc:green -interlace JPEG "$corpus/fuzz_jpeg/progressive.jpg"
cp "$ex/pictures/logo.png" "$corpus/fuzz_png/"
convert -size 16x16 gradient:red-blue -interlace PNG "$corpus/fuzz_png/interlaced.png"
convert -size 16x16 xc:none -fill red -draw 'circle 8,8 4,4' "$corpus/fuzz_png/alpha.png"
convert -size 16x16 gradient: -depth 16 "$corpus/fuzz_png/grey16.png"
convert -size 16x16 gradient:red-blue "$corpus/fuzz_gif/gradient.gif"
convert -size 16x16 xc:none -fill red -draw 'circle 8,8 4,4' "$corpus/fuzz_gif/transparent.gif"
convert -size 16x16 gradient:red-blue "$corpus/fuzz_bmp/24.bmp"
convert -size 16x16 gradient:red-blue -type Palette BMP3:"$corpus/fuzz_bmp/8.bmp"
convert -size 16x16 pattern:checkerboard -monochrome BMP3:"$corpus/fuzz_bmp/1.bmp"

for f in "$root"/fuzz/seeds-*.sh; do
  [ -e "$f" ] && bash "$f" "$corpus"
done
exit 0
