#!/usr/bin/python3
# A read-only file system that shows a directory as a scratched CD shows
# its files: every read that reaches beyond the first 64 KB of a file
# fails with EIO, so that a file longer than that can be opened, listed
# and measured but never read whole. Reads go to the file system as they
# are asked for (direct_io), so that a 64 KB read of the program under
# test is one read here.
#   scratched.py SOURCE_DIR MOUNT_POINT   (stays in the foreground)
import errno
import os
import sys

from fusepy import FUSE, FuseOSError, Operations

READABLE = 64 * 1024


class Scratched(Operations):
    def __init__(self, root):
        self.root = root

    def _real(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def getattr(self, path, fh=None):
        st = os.lstat(self._real(path))
        keys = ("st_mode", "st_size", "st_nlink", "st_uid", "st_gid",
                "st_atime", "st_mtime", "st_ctime")
        return {k: getattr(st, k) for k in keys}

    def readdir(self, path, fh):
        return [".", ".."] + os.listdir(self._real(path))

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self._real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        if min(offset + size, os.fstat(fh).st_size) > READABLE:
            raise FuseOSError(errno.EIO)
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)

    def statfs(self, path):
        st = os.statvfs(self.root)
        return {k: getattr(st, k) for k in ("f_bsize", "f_frsize", "f_blocks",
                                             "f_bfree", "f_bavail", "f_files",
                                             "f_ffree", "f_namemax")}


if __name__ == "__main__":
    FUSE(Scratched(sys.argv[1]), sys.argv[2], foreground=True, ro=True,
         direct_io=True, nothreads=True)
