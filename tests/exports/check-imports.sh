#!/bin/bash
# Checks that every program and library of the shipping (win32) CD image
# runs on Windows 95 as shipped, by its import table:
#   check-imports.sh CD_DIR FUNCTION_LIST
# - no C runtime DLL (msvcrt.dll and kin): Windows 95 has none;
# - each system DLL imported is one of FUNCTION_LIST's groups, and each
#   function imported from it is listed there;
# - imports from a module of the CD itself are allowed here (their names
#   are checked against that module's exports by check-exports.sh).
# Each fault names the module, the DLL and the function.
# Exit 0: all good; 1: a fault; 77: no win32 CD image to check.
set -u
cd_dir=$1
list=$2
. "$(dirname "$0")/image.sh" "$cd_dir"

# "dll function" for every allowed function, the DLL in lower case.
allowed=$(awk '
  /^[ \t]*(#|$)/ { next }
  /^\[.*\]$/ { dll = tolower(substr($0, 2, length($0) - 2)); next }
  { print dll, $1 }' "$list")
allowed_dlls=$(awk '{ print $1 }' <<<"$allowed" | sort -u)

# "dll function" lines of a module's imports; an import by ordinal shows
# as "#ordinal". A module objdump cannot read gives "unreadable".
imports_of() {
  local dump
  dump=$($objdump -p "$1" 2>&1) || { echo "unreadable"; return; }
  awk '
    /^[ \t]*DLL Name:/ { dll = tolower($3); on = 1; next }
    on && /Hint\/Ord/ { next }
    on && NF == 0 { on = 0; next }
    on && NF >= 3 { print dll, $3; next }
    on && NF == 2 { print dll, "#" $2 }' <<<"$dump"
}

# 1 when the CD holds a module of that name (any letter case).
on_cd() {
  [ -n "$(find "$cd_dir" -type f -iname "$1" | head -1)" ]
}

while IFS= read -r -d '' file; do
  name=${file#$cd_dir/}
  count=0
  while read -r dll function; do
    count=$((count + 1))
    case $dll in
      unreadable)
        fault "$name cannot be read by $objdump"
        continue ;;
      msvcr*.dll | msvcp*.dll | crtdll.dll | ucrtbase*.dll | api-ms-win-crt-*)
        fault "$name imports $function from the C runtime $dll"
        continue ;;
    esac
    if grep -qxF "$dll" <<<"$allowed_dlls"; then
      grep -qxF "$dll $function" <<<"$allowed" ||
        fault "$name imports $dll $function, which is not in the list of Windows 95 functions"
    elif ! on_cd "$dll"; then
      fault "$name imports $function from $dll, which is neither a Windows 95 DLL of the list nor on the CD"
    fi
  done < <(imports_of "$file")
  echo "read $name: $count imports"
done < <(find "$cd_dir" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)

if [ $faults -ne 0 ]; then
  echo "$faults fault(s)"
  exit 1
fi
echo "all imports are Windows 95's"
