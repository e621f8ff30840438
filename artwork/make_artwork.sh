#!/bin/sh
# Renders the hand-written SVG sources in this folder into the pictures the viewers embed:
#
#   kestrel-icon.svg, plover-icon.svg      -> kestrel-icon.png, plover-icon.png (32x32, 16 colours)
#   arrow-left.svg, arrow-right.svg         -> arrow-left.png, arrow-right.png (15x15)
#   info.svg                                -> info.png (14x14)
#   kestrel-decoration.svg                  -> kestrel-decoration.jpg (349x169)
#   plover-decoration.svg                   -> plover-decoration.jpg (264x170)
#   drive.svg, folder-open.svg, folder-closed.svg -> the same names .png (16x16), for the lists
#   kestrel-icon.svg, plover-icon.svg      -> icons/<size>/*.png, the installed program icons
#   the glyphs and program icons            -> *.ico, for the Windows programs
#   the decorations (both sizes)            -> *.bmp, for the Windows programs
#
# Each picture the viewers embed also gets a rendering at twice the size, NAME@2x.png or
# NAME@2x.jpg, which Qt shows instead on a screen scaled by 2 (QT_SCALE_FACTOR=2, HiDPI).
#
# Needs these Debian packages:
#   librsvg2-bin      rsvg-convert, which draws the SVG files
#   imagemagick       convert-im6.q16, which makes the palette PNG and JPEG files
# (as root: apt-get install librsvg2-bin imagemagick)
#
# Usage: sh artwork/make_artwork.sh      (from anywhere; it writes next to itself)
#
# The output depends only on the sources and on these tools: no dates or names are written
# into the files, ImageMagick runs on one thread, and colours are mapped without dithering.
set -eu

cd "$(dirname "$0")"

RSVG=rsvg-convert
# Debian's own ImageMagick 6 binary, called by its full name: a plain "convert" may be some
# other program earlier in PATH.
IM=convert-im6.q16
for tool in "$RSVG" "$IM"; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "make_artwork.sh: $tool not found; install librsvg2-bin and imagemagick" >&2
    exit 1
  }
done

MAGICK_THREAD_LIMIT=1
export MAGICK_THREAD_LIMIT
PNG_OPTS="-strip -define png:exclude-chunks=date,time"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

# check FILE WIDTH HEIGHT: stop unless FILE has exactly that size
check() {
  size=$("$IM" "$1" -format '%wx%h' info:)
  if [ "$size" != "$2x$3" ]; then
    echo "make_artwork.sh: $1 is $size, not $2x$3" >&2
    exit 1
  fi
  echo "wrote $1 ($size)"
}

# out NAME EXTENSION SCALE: the file a rendering at that scale goes to, NAME.EXT or NAME@2x.EXT
out() {
  if [ "$3" = 1 ]; then echo "$1.$2"; else echo "$1@$3x.$2"; fi
}

# icon NAME [COLOUR...]: NAME.svg -> NAME.png, 32x32, and NAME@2x.png, 64x64, palette PNGs.
# The palette is every #rrggbb colour written in the SVG plus the given in-between shades
# (for smoother outlines); with the one transparent entry it must stay within 16 colours.
# Alpha is cut to fully clear or fully opaque, so each pixel is one palette entry.
icon() {
  name=$1
  shift
  colours=$( (grep -o '#[0-9a-fA-F]\{6\}' "$name.svg" | tr 'A-F' 'a-f'
              for c in "$@"; do echo "$c"; done) | sort -u)
  count=$(echo "$colours" | wc -l)
  if [ "$count" -gt 15 ]; then
    echo "make_artwork.sh: $name needs $count colours, at most 15 fit beside transparency" >&2
    exit 1
  fi
  swatches=""
  for c in $colours; do swatches="$swatches xc:$c"; done
  # shellcheck disable=SC2086  # one word per swatch
  "$IM" -size 1x1 $swatches +append "$tmp/$name-palette.png"
  for scale in 1 2; do
    size=$((32 * scale))
    "$RSVG" -w $size -h $size "$name.svg" -o "$tmp/$name.png"
    # shellcheck disable=SC2086
    "$IM" "$tmp/$name.png" \
      \( +clone -alpha extract -threshold 50% \) \
      \( -clone 0 -alpha off +dither -remap "$tmp/$name-palette.png" \) \
      -delete 0 +swap -compose CopyOpacity -composite \
      $PNG_OPTS PNG8:"$(out "$name" png $scale)"
    check "$(out "$name" png $scale)" $size $size
  done
}

# crisp NAME W H: NAME.svg -> NAME.png at W x H and NAME@2x.png at twice that, drawn on whole
# pixels with clear or opaque alpha.
crisp() {
  for scale in 1 2; do
    "$RSVG" -w $(($2 * scale)) -h $(($3 * scale)) "$1.svg" -o "$tmp/$1.png"
    # shellcheck disable=SC2086
    "$IM" "$tmp/$1.png" -channel A -threshold 50% +channel $PNG_OPTS PNG8:"$(out "$1" png $scale)"
    check "$(out "$1" png $scale)" $(($2 * scale)) $(($3 * scale))
  done
}

# photo NAME W H: NAME.svg -> NAME.jpg at W x H and NAME@2x.jpg at twice that, flat on the window
# grey, full colour resolution.
photo() {
  for scale in 1 2; do
    "$RSVG" -w $(($2 * scale)) -h $(($3 * scale)) "$1.svg" -o "$tmp/$1.png"
    "$IM" "$tmp/$1.png" -background '#efefef' -alpha remove -alpha off \
      -strip -interlace none -sampling-factor 1x1 -quality 92 "$(out "$1" jpg $scale)"
    check "$(out "$1" jpg $scale)" $(($2 * scale)) $(($3 * scale))
  done
}

icon kestrel-icon '#c8a27c' '#8a8780' '#73452a'
icon plover-icon '#8d8e8b' '#634c3a' '#d2bea7'
crisp arrow-left 15 15
crisp arrow-right 15 15
crisp info 14 14
# small NAME: NAME.svg -> NAME.png, 16x16, and NAME@2x.png, 32x32, with soft edges, for the
# drive and folder lists.
small() {
  for scale in 1 2; do
    "$RSVG" -w $((16 * scale)) -h $((16 * scale)) "$1.svg" -o "$tmp/$1.png"
    # shellcheck disable=SC2086
    "$IM" "$tmp/$1.png" $PNG_OPTS "PNG32:$(out "$1" png $scale)"
    check "$(out "$1" png $scale)" $((16 * scale)) $((16 * scale))
  done
}

# desktop NAME: NAME.svg -> icons/SIZE/NAME.png at the hicolor theme's usual sizes, full colour,
# for the installed programs (the 32x32 16-colour icon is the window's own).
desktop() {
  for size in 16 24 48 64 128 256; do
    mkdir -p "icons/$size"
    "$RSVG" -w "$size" -h "$size" "$1.svg" -o "$tmp/$1-$size.png"
    # shellcheck disable=SC2086
    "$IM" "$tmp/$1-$size.png" $PNG_OPTS "PNG32:icons/$size/$1.png"
    check "icons/$size/$1.png" "$size" "$size"
  done
}

desktop kestrel-icon
desktop plover-icon
small drive
small folder-open
small folder-closed
photo kestrel-decoration 349 169
photo plover-decoration 264 170

# The Windows programs' icons, as icon files with plain bitmaps inside, which Windows loads
# without an image decoder: each glyph at its own size and at twice it (for a screen scaled by 2
# or more), and each program's icon at 16, 32 and 48 pixels with a 256-pixel one for Explorer's
# large views.
for glyph in arrow-left arrow-right info drive folder-open folder-closed; do
  "$IM" "$glyph.png" "$glyph@2x.png" "$glyph.ico"
  echo "wrote $glyph.ico"
done
for program in kestrel plover; do
  "$IM" "icons/16/$program-icon.png" "$program-icon.png" "icons/48/$program-icon.png" \
    "icons/256/$program-icon.png" "$program.ico"
  echo "wrote $program.ico"
done
# The decorations for the Windows programs as plain 24-bit bitmaps, which Windows loads without
# an image decoder, made from the JPEG files so that both systems show the same pixels.
for name in kestrel-decoration plover-decoration; do
  for file in "$name" "$name@2x"; do
    "$IM" "$file.jpg" -type TrueColor "BMP3:$file.bmp"
    echo "wrote $file.bmp"
  done
done
