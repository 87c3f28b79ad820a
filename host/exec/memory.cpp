// exec memory. Every block carries a small header with its size and kind,
// so FreeMem can check the size it is given and FreeVec can find the size
// itself; a mismatch is a caller's bug that would corrupt memory on exec,
// and stops the program here.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <host/runtime.h>

#include "internal.h"

namespace {

enum : uint32_t { MEM_KIND = 0x4D454D21, VEC_KIND = 0x56454321, FREED_KIND = 0xDEADF4EE };

struct alignas(16) BlockHeader {
  size_t size;
  uint32_t kind;
};

std::atomic<ULONG> fail_from_size{0};

void* allocate(ULONG size, ULONG requirements, uint32_t kind) {
  if (size == 0) return nullptr;
  ULONG limit = fail_from_size.load();
  if (limit != 0 && size >= limit) return nullptr;
  void* raw = (requirements & MEMF_CLEAR) ? std::calloc(1, sizeof(BlockHeader) + size)
                                          : std::malloc(sizeof(BlockHeader) + size);
  if (!raw) return nullptr;
  auto* header = static_cast<BlockHeader*>(raw);
  header->size = size;
  header->kind = kind;
  return header + 1;
}

[[noreturn]] void bad_free(const char* what, const void* block) {
  std::fprintf(stderr, "exec: %s of block %p\n", what, block);
  std::abort();
}

BlockHeader* header_of(void* block, uint32_t kind, const char* call) {
  auto* header = static_cast<BlockHeader*>(block) - 1;
  if (header->kind != kind) bad_free(call, block);
  return header;
}

}  // namespace

extern "C" APTR AllocMem(ULONG byteSize, ULONG requirements) {
  return allocate(byteSize, requirements, MEM_KIND);
}

extern "C" void FreeMem(APTR memoryBlock, ULONG byteSize) {
  if (!memoryBlock) return;
  BlockHeader* header = header_of(memoryBlock, MEM_KIND, "FreeMem");
  if (header->size != byteSize) bad_free("FreeMem with the wrong size", memoryBlock);
  header->kind = FREED_KIND;
  std::free(header);
}

extern "C" APTR AllocVec(ULONG byteSize, ULONG requirements) {
  return allocate(byteSize, requirements, VEC_KIND);
}

extern "C" void FreeVec(APTR memoryBlock) {
  if (!memoryBlock) return;
  BlockHeader* header = header_of(memoryBlock, VEC_KIND, "FreeVec");
  header->kind = FREED_KIND;
  std::free(header);
}

extern "C" void CopyMem(CONST_APTR source, APTR dest, ULONG size) {
  if (size) std::memmove(dest, source, size);
}

extern "C" void HostFailAllocations(ULONG minSize) { fail_from_size.store(minSize); }
