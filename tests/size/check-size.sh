#!/bin/bash
# Checks the size of every program and library of the shipping (win32) CD
# image against its budget, printing each figure:
#   check-size.sh CD_DIR
# Budgets (bytes), about a fifth above what the modules take without the C
# runtime and with their manifests: Tql.exe 95232, UNINST.EXE 43008 (the
# removal proves what it deletes, that the game is not running, that a
# folder it counts gone is gone and that an entry names itself before it
# acts on it, and holds names of up to three bytes a UTF-16 unit, the copy checks what it writes and reads
# the CD ahead on a thread of its own, both take names of any language
# through the wide file functions, and setup proves the names and files of
# the Windows folder before it writes by them, records an installation
# before it copies it and writes its record whole, and is built in layers,
# one concern a file, whose calls between files cost about 0.8 KB of code
# that was inlined before; the uninstaller and the
# message libraries carry the version record that marks them), the
# custom dialog libraries (templates and frame bitmap) 47104 each, the
# message libraries 9216, every other outside DLL 8704. The two programs carry the message library's
# texts of both languages for a library that leaves a slot empty (about
# 3 KB in setup, the removal's 0.6 KB in the uninstaller).
# A module over its budget is shown with its sections, largest first, so
# that the reader sees what made it big. A module missing from an image
# that exists is a fault too: the CD must carry it.
# Exit 0: all within budget; 1: a fault; 77: no win32 CD image to check.
set -u
cd_dir=$1
. "$(dirname "$0")/../exports/image.sh" "$cd_dir"

# The CD module of that name, matched without regard to case.
find_module() {
  find "$cd_dir" -maxdepth 1 -type f -iname "$1" | head -1
}

# The sections of a module with their raw (file) sizes, largest first.
sections_of() {
  [ -n "$objdump" ] || return
  $objdump -h "$1" | awk '$1 ~ /^[0-9]+$/ { print $2, $3 }' |
    while read -r section hex; do
      printf "       %-10s %7d bytes\n" "$section" $((16#$hex))
    done | sort -k2 -rn
}

# check NAME BUDGET: prints the module's size against its budget.
check() {
  local name=$1 budget=$2 file size
  file=$(find_module "$name")
  if [ -z "$file" ]; then
    fault "$name is missing from $cd_dir"
    return
  fi
  size=$(stat -c %s "$file")
  if [ "$size" -le "$budget" ]; then
    printf "ok    %-13s %7d bytes (budget %d, %d to spare)\n" \
      "$name" "$size" "$budget" $((budget - size))
  else
    fault "$(printf "%-13s %7d bytes, over its budget of %d by %d" \
      "$name" "$size" "$budget" $((size - budget)))"
    sections_of "$file"
  fi
}

check Tql.exe 95232
check UNINST.EXE 43008
for dll in mscuistf.dll mscuieng.dll; do
  check $dll 47104
done
for dll in msshlstf.dll mscomstf.dll msinsstf.dll msuilstf.dll msdetstf.dll dsetup.dll; do
  check $dll 8704
done
for dll in msg.dll msgeng.dll; do
  check $dll 9216
done

if [ $faults -ne 0 ]; then
  echo "$faults fault(s)"
  exit 1
fi
echo "all within budget"
