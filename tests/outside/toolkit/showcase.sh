#!/bin/bash
# Screenshots of the frame and of every dialog of the custom dialog
# library, in English and in Japanese, for a person to look at:
#   tests/outside/toolkit/showcase.sh BUILD_DIR OUT_DIR
# Needs the build's Wine session running (ctest -R wine_session_start) and
# ImageMagick's import.
set -eu
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
display=$(cat "$build/wine-display")
for lang in en_US.UTF-8 ja_JP.UTF-8; do
  rm -f "$out"/ready-* "$out"/shot-*
  TQL_SHOWCASE="Z:${out//\//\\}" LC_ALL=$lang \
    "$build/wine-run" "$build/tests/outside/toolkit/toolkit_dialogs_test.exe" \
    --gtest_filter=Dialogs.Showcase >"$out/showcase-$lang.log" 2>&1 &
  runner=$!
  while kill -0 $runner 2>/dev/null; do
    for ready in "$out"/ready-*; do
      [ -e "$ready" ] || continue
      name=${ready##*/ready-}
      [ -e "$out/shot-$name" ] && continue
      sleep 0.3
      DISPLAY=$display import -window root "$out/$name.png"
      touch "$out/shot-$name"
    done
    sleep 0.1
  done
done
rm -f "$out"/ready-* "$out"/shot-*
ls "$out"
