// Why a document was or was not opened. 0 is success; every refusal has its
// own code so a caller (and a test) can tell a foreign file from a damaged one.
#pragma once

namespace quire {

enum OpenResult : int {
  OPEN_OK = 0,
  OPEN_UNREADABLE = 1,   // the file cannot be read at all
  OPEN_NOT_COMPOUND = 2,  // not an OLE2 compound file, or its allocation tables are broken
  OPEN_NOT_WORD = 3,      // a compound file without a Word document stream or FIB
  OPEN_OLD_WORD = 4,      // Word 6 or Word 95 (before the Word 97 format)
  OPEN_ENCRYPTED = 5,    // encrypted or obfuscated
  OPEN_DAMAGED = 6,      // structures that point outside their streams or contradict each other
  OPEN_TOO_LARGE = 7,     // beyond the limits this reader sets itself
};

}  // namespace quire
