// The memory functions the compiler calls on its own (struct copies,
// zeroed arrays, ZeroMemory, overlapping moves), for the shipped modules
// that have no C runtime. Built with -ffreestanding and
// -fno-tree-loop-distribute-patterns (CMakeLists.txt) so that these loops
// are not turned back into calls to themselves. Linked into shipped
// modules only: the tests keep the runtime's own.
#include <stddef.h>

extern "C" {

void *memcpy(void *dst, const void *src, size_t n)
{
    unsigned char *d = static_cast<unsigned char *>(dst);
    const unsigned char *s = static_cast<const unsigned char *>(src);
    while (n--)
        *d++ = *s++;
    return dst;
}

// Copies backwards when the target lies above an overlapping source.
void *memmove(void *dst, const void *src, size_t n)
{
    unsigned char *d = static_cast<unsigned char *>(dst);
    const unsigned char *s = static_cast<const unsigned char *>(src);
    if (d <= s || d >= s + n) {
        while (n--)
            *d++ = *s++;
    } else {
        while (n--)
            d[n] = s[n];
    }
    return dst;
}

void *memset(void *dst, int value, size_t n)
{
    unsigned char *d = static_cast<unsigned char *>(dst);
    while (n--)
        *d++ = static_cast<unsigned char>(value);
    return dst;
}

int memcmp(const void *a, const void *b, size_t n)
{
    const unsigned char *p = static_cast<const unsigned char *>(a);
    const unsigned char *q = static_cast<const unsigned char *>(b);
    for (; n; n--, p++, q++)
        if (*p != *q)
            return *p - *q;
    return 0;
}

}
