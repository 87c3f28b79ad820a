/* dos.library: files, locks, assigns, argument parsing. Names with a volume
   (RAM:, LIBS:, PROGDIR: and any added with AssignPath) are mapped onto
   host folders; host paths pass unchanged. */
#ifndef PROTO_DOS_H
#define PROTO_DOS_H

#include <dos/dos.h>
#include <dos/rdargs.h>

struct TagItem;

EXEC_C_BEGIN

/* Locks and examination */
BPTR Lock(CONST_STRPTR name, LONG accessMode);
void UnLock(BPTR lock);
LONG Examine(BPTR lock, struct FileInfoBlock* fib);

/* Files */
BPTR Open(CONST_STRPTR name, LONG accessMode);
LONG Close(BPTR file);
LONG Read(BPTR file, APTR buffer, LONG length);
LONG Write(BPTR file, CONST_APTR buffer, LONG length);
LONG FRead(BPTR file, APTR block, ULONG blockLength, ULONG number);
LONG FWrite(BPTR file, CONST_APTR block, ULONG blockLength, ULONG number);
LONG Seek(BPTR file, LONG position, LONG mode);
LONG DeleteFile(CONST_STRPTR name);

/* Errors: the last failure of the calling thread. */
LONG IoErr(void);
LONG SetIoErr(LONG result);

/* Assigns. AssignPath replaces a volume's folders (path NULL removes the
   volume); AssignAddPath adds one more folder to search. */
BOOL AssignPath(CONST_STRPTR name, CONST_STRPTR path);
BOOL AssignAddPath(CONST_STRPTR name, CONST_STRPTR path);
CONST_STRPTR FilePart(CONST_STRPTR path);

/* The one road from a name to a host file: the host path behind name
   (a volume such as RAM:, LIBS:, PROGDIR: or an assign, matched without
   regard to case; a host path passes unchanged), in memory the caller
   gives back with FreeVec. NULL when the volume is unknown. */
STRPTR HostPath(CONST_STRPTR name);

/* HostPath written NUL-terminated into buffer; its length, or 0 when the
   volume is unknown or the buffer too small. */
LONG HostPathFromName(CONST_STRPTR name, STRPTR buffer, LONG size);

/* Arguments. The template is options separated by ',', each a keyword
   with '='-separated aliases and modifiers /A (required), /K (keyword
   needed), /S (switch), /N (number), /M (several), /F (rest of line).
   array receives one IPTR per option: a string pointer, a LONG pointer
   (/N), a NULL-terminated string array (/M), or nonzero (/S). */
struct RDArgs* ReadArgs(CONST_STRPTR argTemplate, IPTR* array, struct RDArgs* args);
void FreeArgs(struct RDArgs* args);
struct RDArgs* AllocDosObject(ULONG type, const struct TagItem* tags);
void FreeDosObject(ULONG type, APTR ptr);
#define DOS_RDARGS 5

/* Reads a decimal number after optional blanks and sign; the count of
   characters used, or -1 when there is no number or it does not fit. */
LONG StrToLong(CONST_STRPTR string, LONG* value);

EXEC_C_END

#endif
