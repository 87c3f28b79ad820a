/* Settings and test hooks of this host runtime that have no counterpart in
   the system it stands in for. */
#ifndef HOST_RUNTIME_H
#define HOST_RUNTIME_H

#include <exec/libraries.h>

EXEC_C_BEGIN

/* The serial debug port. Off by default; the environment variable
   VELLUM_SERIAL ("stderr" or a file path) turns it on at start. A sink set
   here replaces whatever was there; NULL turns the port off. */
typedef void (*HostSerialSink)(const char* text, size_t length, void* userData);
void HostSetSerialSink(HostSerialSink sink, void* userData);

/* Hides a built-in system library from OpenLibrary (hidden != 0) or shows
   it again. Libraries already open stay open. */
void HostHideLibrary(CONST_STRPTR name, int hidden);

/* Makes every AllocMem/AllocVec of at least minSize bytes fail; 0 turns the
   failure off. For tests of out-of-memory paths. */
void HostFailAllocations(ULONG minSize);

/* Sends expunge to every library, as exec does when memory runs short:
   an open library marks itself for a delayed expunge, a closed one goes,
   and a module that hands back its segment list is unloaded. The single
   library version of this is exec's RemLibrary. */
void HostFlushLibraries(void);

EXEC_C_END

#endif
