#!/bin/bash
# Checks the shipping (win32) CD image statically, since its programs
# cannot run here:
#   check-exports.sh CD_DIR SOURCE_DIR
# - every .exe and .dll is PE32 for i386; every .exe is a GUI program;
# - every name the programs look up by GetProcAddress and every Setup
#   Toolkit function is exported undecorated by its DLL (a DLL not built
#   yet is reported and skipped);
# - every import a module of the CD takes from another module of the CD is
#   exported by that module under the imported name (an i686 import of
#   Name@N from a DLL linked with --kill-at would fail to load).
# Exit 0: all good; 1: a fault; 77: no win32 CD image to check.
set -u
cd_dir=$1
src=$2
. "$(dirname "$0")/image.sh" "$cd_dir"

# The exported names of a module, one a line.
exports_of() {
  $objdump -p "$1" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
    on && NF == 0 { exit }
    on { sub(/^[ \t]*\[[ 0-9]*\][ \t]*/, ""); print }'
}

# "DLL name" lines, each followed by the names imported from it:
# lines "dll:<name>" and "imp:<name>".
imports_of() {
  $objdump -p "$1" | awk '
    /^[ \t]*DLL Name:/ { print "dll:" $3; on = 1; next }
    on && /Hint\/Ord/ { next }
    on && NF == 0 { on = 0; next }
    on && NF >= 3 { print "imp:" $3 }'
}

# The CD module of that name, matched without regard to case.
find_module() {
  find "$cd_dir" -maxdepth 1 -type f -iname "$1" | head -1
}

echo "== file formats"
while IFS= read -r -d '' file; do
  name=${file#$cd_dir/}
  header=$($objdump -p "$file" 2>/dev/null)
  if ! grep -q "file format pei-i386" <<<"$header" ||
     ! grep -qE "^Magic[[:space:]]+010b" <<<"$header"; then
    fault "$name is not PE32 i386"
    continue
  fi
  case ${name,,} in
    *.exe)
      if grep -qE "^Subsystem[[:space:]]+00000002" <<<"$header"; then
        echo "ok   $name: PE32 i386, GUI"
      else
        fault "$name is not a GUI program: $(grep -E '^Subsystem' <<<"$header")"
      fi ;;
    *) echo "ok   $name: PE32 i386" ;;
  esac
done < <(find "$cd_dir" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)

# Names each DLL must export: the toolkit's from its declarations
# (platform/toolkit.h, outside/toolkit/stf.h), the rest named here.
declare -A expect
for header in "$src/platform/toolkit.h" "$src/outside/toolkit/stf.h"; do
  while read -r api name; do
    case $api in
      SHL_API) dll=msshlstf.dll ;; INS_API) dll=msinsstf.dll ;;
      COM_API) dll=mscomstf.dll ;; UIL_API) dll=msuilstf.dll ;;
      DET_API) dll=msdetstf.dll ;; *) continue ;;
    esac
    expect[$dll]+=" $name"
  done < <(sed -nE 's/^([A-Z]+_API) .*WINAPI ([A-Za-z_][A-Za-z0-9_]*)\(.*/\1 \2/p' "$header")
done
procs="FInfoDlgProc FEditDlgProc FInfo0DlgProc FGPDlgProc FQuitDlgProc FEndingDlgProc FSelectXDlgProc FFMVInfoDlgProc FHelpDlgProc"
expect[mscuistf.dll]=" $procs"
expect[mscuieng.dll]=" $procs"
expect[msg.dll]=" MsgSetup"
expect[msgeng.dll]=" MsgSetup"
expect[dsetup.dll]=" DirectXSetup"

echo "== exports"
for dll in msshlstf.dll mscomstf.dll msinsstf.dll msuilstf.dll msdetstf.dll \
           mscuistf.dll mscuieng.dll msg.dll msgeng.dll dsetup.dll; do
  file=$(find_module "$dll")
  if [ -z "$file" ]; then
    echo "skip $dll: not built yet"
    continue
  fi
  exported=$(exports_of "$file")
  for name in ${expect[$dll]}; do
    if grep -qxF "$name" <<<"$exported"; then
      echo "ok   $dll $name"
    elif grep -q "^$name@" <<<"$exported"; then
      fault "$dll exports $name decorated: $(grep "^$name@" <<<"$exported")"
    else
      fault "$dll does not export $name"
    fi
  done
done

echo "== imports between modules of the CD"
while IFS= read -r -d '' file; do
  name=${file#$cd_dir/}
  from=
  while IFS= read -r line; do
    case $line in
      dll:*)
        from=$(find_module "${line#dll:}")
        [ -n "$from" ] && fromexports=$(exports_of "$from") ;;
      imp:*)
        [ -n "$from" ] || continue
        imp=${line#imp:}
        if grep -qxF "$imp" <<<"$fromexports"; then
          echo "ok   $name imports ${from##*/} $imp"
        else
          fault "$name imports $imp, which ${from##*/} does not export"
        fi ;;
    esac
  done < <(imports_of "$file")
done < <(find "$cd_dir" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)

if [ $faults -ne 0 ]; then
  echo "$faults fault(s)"
  exit 1
fi
echo "all good"
