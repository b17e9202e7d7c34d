# What the static checks of the win32 CD image share (sourced, not run):
# the image directory, which skips the check (exit 77) while that build
# does not exist; a mingw objdump in $objdump; and fault counting.
#   . image.sh CD_DIR
if [ ! -d "$1" ]; then
  echo "SKIP: no win32 CD image at $1 (build the win32 preset first)"
  exit 77
fi
objdump=
for tool in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump; do
  command -v $tool >/dev/null && { objdump=$tool; break; }
done
[ -n "$objdump" ] || { echo "SKIP: no mingw objdump"; exit 77; }

faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }
