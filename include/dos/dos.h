/* dos.library types: locks, file handles, examination, errors. */
#ifndef DOS_DOS_H
#define DOS_DOS_H

#include <exec/types.h>

#define DOSTRUE (-1)
#define DOSFALSE 0

/* Open modes */
#define MODE_OLDFILE 1005   /* existing file, read and write */
#define MODE_NEWFILE 1006   /* created or truncated */
#define MODE_READWRITE 1004 /* existing or created, not truncated */

/* Lock modes */
#define SHARED_LOCK (-2)
#define ACCESS_READ SHARED_LOCK
#define EXCLUSIVE_LOCK (-1)
#define ACCESS_WRITE EXCLUSIVE_LOCK

/* Seek modes */
#define OFFSET_BEGINNING (-1)
#define OFFSET_CURRENT 0
#define OFFSET_END 1

struct FileInfoBlock {
  LONG fib_DiskKey;
  LONG fib_DirEntryType; /* above 0 for a folder, below 0 for a file */
  char fib_FileName[108];
  LONG fib_Protection;
  LONG fib_EntryType;
  LONG fib_Size;         /* bytes */
  LONG fib_NumBlocks;
};

#define ST_ROOT 1
#define ST_USERDIR 2
#define ST_FILE (-3)

/* IoErr codes */
#define ERROR_NO_FREE_STORE 103
#define ERROR_BAD_TEMPLATE 114
#define ERROR_BAD_NUMBER 115
#define ERROR_REQUIRED_ARG_MISSING 116
#define ERROR_KEY_NEEDS_ARG 117
#define ERROR_TOO_MANY_ARGS 118
#define ERROR_LINE_TOO_LONG 120
#define ERROR_OBJECT_IN_USE 202
#define ERROR_OBJECT_EXISTS 203
#define ERROR_DIR_NOT_FOUND 204
#define ERROR_OBJECT_NOT_FOUND 205
#define ERROR_BAD_STREAM_NAME 206
#define ERROR_OBJECT_TOO_LARGE 207
#define ERROR_OBJECT_WRONG_TYPE 212
#define ERROR_READ_PROTECTED 224
#define ERROR_SEEK_ERROR 219
#define ERROR_DEVICE_NOT_MOUNTED 218
#define ERROR_WRITE_PROTECTED 214
#define ERROR_DISK_FULL 221

#endif
