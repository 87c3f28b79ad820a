// The File Information Block at the start of the WordDocument stream: which
// table stream to use, how long the main text is, and where the tables that
// the reader needs lie in the table stream.
#pragma once

#include <cstdint>

#include "byte_span.h"

namespace quire {

// A (file offset, byte count) pair of the FIB, pointing into the table stream.
struct FcLcb {
  uint32_t fc = 0;
  uint32_t lcb = 0;
};

struct Fib {
  uint16_t nfib = 0;
  uint16_t lid = 0;       // the writer's install language
  bool table_one = false; // text tables live in "1Table" rather than "0Table"
  uint32_t ccp_text = 0;  // characters of the main document
  uint32_t ccp_other = 0; // characters of every other part (notes, headers...) together
  FcLcb stsh, plcf_sed, plcf_bte_chpx, plcf_bte_papx, sttbf_ffn, clx;
  // Characters of each part after the main text, in CP order.
  uint32_t ccp_ftn = 0, ccp_hdd = 0, ccp_atn = 0, ccp_edn = 0, ccp_txbx = 0, ccp_hdr_txbx = 0;
  FcLcb fnd_ref, fnd_txt, plcf_hdd, dop, spa_mom, spa_hdr, end_ref, end_txt, dgg_info, plf_lst, plf_lfo;
  FcLcb txbx_txt, hdr_txbx_txt;  // where the text boxes' stories start, in their parts
};

// Parses and validates the FIB. Returns an OpenResult: Word 6/95, encrypted,
// foreign and inconsistent blocks are refused here.
int parse_fib(ByteSpan word, Fib& out);

}  // namespace quire
