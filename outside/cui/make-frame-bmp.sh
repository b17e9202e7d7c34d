#!/bin/sh
# Draws frame.bmp, the background of the setup frame (bitmap 1 of the
# custom dialog library): a night sky over a dusk horizon with stars and a
# range of hills, 512x384, stretched over the screen by the toolkit.
# The picture is drawn in true colour, then stored with a palette of at
# most 256 of its own colours, undithered, run-length encoded (an 8-bit
# RLE8 bitmap): the sky's rows are runs of one colour, so the bitmap takes
# about 21 KB instead of 576 KB in each library, and differs from the true
# colour picture by at most a few levels (about 52 dB).
# Needs ImageMagick. Run from this directory; the result is committed.
set -e
W=512 H=384
convert -size ${W}x250 gradient:'#040a22'-'#1d2a66' \
        -size ${W}x134 gradient:'#1d2a66'-'#c8734a' -append sky.png
# Stars: sparse random points, brighter toward the top.
convert -size ${W}x${H} xc:gray -seed 7 +noise Random -colorspace Gray \
        -threshold 99.6% \( -size ${W}x${H} gradient:white-'#202020' \) \
        -compose multiply -composite -blur 0x0.5 -auto-level stars.png
convert sky.png stars.png -compose screen -composite -fill '#f4efd8' \
        -draw 'circle 400,70 412,70' \
        -fill '#0b0a1c' -draw 'polygon 0,384 0,318 60,296 118,312 170,284 236,306 300,276 352,300 410,288 470,310 512,298 512,384' \
        -fill '#060512' -draw 'polygon 0,384 0,346 80,330 150,348 220,326 300,344 380,322 450,342 512,330 512,384' \
        -type TrueColor frame.png
convert frame.png -dither None -colors 256 -compress RLE BMP3:frame.bmp
rm -f sky.png stars.png frame.png
