/* ReadArgs: command lines parsed against a template. */
#ifndef DOS_RDARGS_H
#define DOS_RDARGS_H

#include <exec/types.h>

/* A command line to parse instead of the program's own. */
struct CSource {
  STRPTR CS_Buffer;
  LONG CS_Length;
  LONG CS_CurChr;
};

struct RDArgs {
  struct CSource RDA_Source; /* CS_Buffer NULL: the program's command line */
  IPTR RDA_DAList;           /* the parse's own storage, freed by FreeArgs */
  STRPTR RDA_Buffer;
  LONG RDA_BufSiz;
  STRPTR RDA_ExtHelp;
  LONG RDA_Flags;
};

#endif
