// Why a document was or was not opened. 0 is success; every refusal has its
// own code so a caller (and a test) can tell a foreign file from a damaged one.
#pragma once

namespace quire {

enum OpenResult : int {
  kOpenOk = 0,
  kOpenUnreadable = 1,   // the file cannot be read at all
  kOpenNotCompound = 2,  // not an OLE2 compound file, or its allocation tables are broken
  kOpenNotWord = 3,      // a compound file without a Word document stream or FIB
  kOpenOldWord = 4,      // Word 6 or Word 95 (before the Word 97 format)
  kOpenEncrypted = 5,    // encrypted or obfuscated
  kOpenDamaged = 6,      // structures that point outside their streams or contradict each other
  kOpenTooLarge = 7,     // beyond the limits this reader sets itself
};

}  // namespace quire
