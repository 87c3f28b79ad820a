/* Basic exec types. Sizes follow the host where a pointer must fit:
   IPTR and BPTR are pointer-sized; the 8-, 16- and 32-bit types are exact. */
#ifndef EXEC_TYPES_H
#define EXEC_TYPES_H

#include <stdint.h>
#include <stddef.h>

typedef void* APTR;
typedef const void* CONST_APTR;
typedef intptr_t IPTR;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int16_t WORD;
typedef uint16_t UWORD;
typedef int8_t BYTE;
typedef uint8_t UBYTE;
typedef int16_t BOOL;
typedef char* STRPTR;
typedef const char* CONST_STRPTR;
typedef IPTR BPTR; /* dos handles and segment lists: a host pointer */

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#ifdef __cplusplus
#define EXEC_C_BEGIN extern "C" {
#define EXEC_C_END }
#else
#define EXEC_C_BEGIN
#define EXEC_C_END
#endif

/* Marks a symbol a loadable module exports to the loader. */
#define MODULE_EXPORT __attribute__((visibility("default")))

#endif
