#!/bin/bash
# Drives for the file installation tests, in the build's Wine prefix:
#   drives.sh setup|cleanup BUILD_DIR
# R: a plain directory whose root listing starts with a file (no "." and
#    ".." entries at a drive root);
# locked/LOCKED.TXT (reached through Z:) a read-only, immutable file;
# cases/X/ a directory X beside a file x, for six letters;
# T: a 64 KB tmpfs, to fill the disk for real. Where mounting is not
#    allowed, T: is left out and the reason is written to full.reason,
#    which the test reports when it skips.
# S: a scratched CD (scratched.py, a FUSE file system over scratched/):
#    TREE\SMALL.DAT reads, TREE\BIG.DAT (1 MB), INDEO41\IR41_32.DLL
#    (the CD's codec with 1 MB after it) and SETUP\UNINST.EXE (1 MB) fail
#    to read past 64 KB. Where
#    FUSE cannot mount, S: is left out and scratched.reason says why.
set -u
action=$1
build=$(cd "$2" && pwd)
dosdevices=$build/wineprefix/dosdevices
dir=$build/tests/install/drives

cleanup() {
  chattr -i "$dir/locked/LOCKED.TXT" 2>/dev/null
  rm -f "$dosdevices/r:" "$dosdevices/t:" "$dosdevices/s:"
  if mountpoint -q "$dir/scratched-cd" 2>/dev/null; then
    fusermount -u "$dir/scratched-cd" || umount -l "$dir/scratched-cd"
  fi
  if mountpoint -q "$dir/full" 2>/dev/null; then
    umount "$dir/full" || umount -l "$dir/full"
  fi
  rm -rf "$dir"
}

setup() {
  cleanup
  mkdir -p "$dir/root" "$dir/full"
  printf 'first file of a drive root\r\n' >"$dir/root/A.DAT"
  ln -sfn "$dir/root" "$dosdevices/r:"
  # A read-only file that refuses a copy even for root: immutable.
  mkdir -p "$dir/locked"
  printf 'locked\r\n' >"$dir/locked/LOCKED.TXT"
  chmod 444 "$dir/locked/LOCKED.TXT"
  if ! chattr +i "$dir/locked/LOCKED.TXT" 2>"$dir/chattr.err"; then
    echo "chattr +i is not possible here: $(cat "$dir/chattr.err")" \
      >"$dir/locked.reason"
    rm -f "$dir/locked/LOCKED.TXT"
  fi
  # A directory and a file whose names differ only in case, which only a
  # case-sensitive file system holds side by side; six pairs made in both
  # orders, since a listing follows the order of making or the names' hashes.
  for name in A B C D E F; do
    mkdir -p "$dir/cases/$name"
    [[ $name < D ]] && mkdir "$dir/cases/$name/$name"
    printf 'the file\r\n' >"$dir/cases/$name/${name,}"
    [[ $name < D ]] || mkdir "$dir/cases/$name/$name"
  done
  if mount -t tmpfs -o size=64k h6full "$dir/full" 2>"$dir/mount.err"; then
    ln -sfn "$dir/full" "$dosdevices/t:"
  else
    echo "mount -t tmpfs is not allowed here: $(cat "$dir/mount.err")" \
      >"$dir/full.reason"
  fi
}

# Mounts the scratched CD on S:, or writes why it cannot.
scratched() {
  local src=$dir/scratched mnt=$dir/scratched-cd
  mkdir -p "$src/TREE" "$src/INDEO41" "$src/SETUP" "$mnt"
  printf 'a small file\r\n' >"$src/TREE/SMALL.DAT"
  head -c 1048576 /dev/urandom >"$src/TREE/BIG.DAT"
  head -c 1048576 /dev/urandom >"$src/SETUP/UNINST.EXE"
  { cat "$build/cd/INDEO41/IR41_32.DLL"; head -c 1048576 /dev/zero; } \
    >"$src/INDEO41/IR41_32.DLL"
  if [ ! -e /dev/fuse ] || ! /usr/bin/python3 -c 'import fusepy' 2>/dev/null; then
    echo "FUSE is not available here (/dev/fuse and python3-fusepy are needed)" \
      >"$dir/scratched.reason"
    return
  fi
  setsid /usr/bin/python3 "$(dirname "$0")/scratched.py" "$src" "$mnt" \
    </dev/null >"$dir/scratched.log" 2>&1 &
  for _ in $(seq 50); do
    mountpoint -q "$mnt" && break
    sleep 0.1
  done
  if mountpoint -q "$mnt"; then
    ln -sfn "$mnt" "$dosdevices/s:"
  else
    echo "the FUSE file system did not mount: $(cat "$dir/scratched.log")" \
      >"$dir/scratched.reason"
  fi
}

case $action in
  setup) setup; scratched ;;
  cleanup) cleanup ;;
  *) echo "usage: drives.sh setup|cleanup BUILD_DIR" >&2; exit 2 ;;
esac
exit 0
