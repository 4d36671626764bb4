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

mkdir -p "$corpus"/{fuzz_ftp_listing,fuzz_ftp_reply}
printf '%s\r\n' 'total 12' 'drwxr-xr-x   2 user group     4096 Jan  5 12:34 web' \
  '-rw-r--r--   1 1000 1000 5368709120 Mar  3  2020 big file.bin ' \
  'lrwxrwxrwx   1 user group       11 Feb  1 10:00 link -> target' \
  'crw-rw-rw-   1 root root    1,   3 Feb  1  2024 null' \
  '-rw-r--r-- 1 user 42 Dec 31 23:59 nogroup' > "$corpus/fuzz_ftp_listing/unix.txt"
printf '%s\r\n' '04-27-00  12:09PM       <DIR>          name' \
  '04-27-2000  12:09AM                 1234 file.txt' 'garbage line' \
  > "$corpus/fuzz_ftp_listing/dos.txt"
printf -- '-rw-r--r-- 1 u g 3 Jan 1 2020 \x93\xfa\x96\x7b.html\r\n' > "$corpus/fuzz_ftp_listing/sjis.txt"
printf '220 ready\r\n331 password\r\n230 logged in\r\n257 "/a""b" is current\r\n' \
  > "$corpus/fuzz_ftp_reply/replies.txt"
printf '220-welcome\r\n 220 inner\r\n220-more\r\n220 end\r\n257 "/web"\r\n' \
  > "$corpus/fuzz_ftp_reply/multiline.txt"
