// The import slot through which a module calls a function it imports
// (dllimport): the linker takes it from the import library unless a test
// defines it, filled with a local function of the same type.
//   extern "C" void *slot IMPORT_SLOT(ExitWindowsEx, 8);
// BYTES is the size of the arguments of the WINAPI function: on i686 the
// slot's name carries the C name's underscore and that size
// (__imp__ExitWindowsEx@8); on x86-64 it is plain (__imp_ExitWindowsEx).
#ifndef TESTS_IMPORT_SLOT_H
#define TESTS_IMPORT_SLOT_H

#ifdef _WIN64
#define IMPORT_SLOT(name, bytes) __asm__("__imp_" #name)
#else
#define IMPORT_SLOT(name, bytes) __asm__("__imp__" #name "@" #bytes)
#endif

#endif
