#include "obj_pool.h"

#include <cstring>

namespace tasm {

void* ObjPool::allocateInNewChunk(std::size_t n) {
    // A request larger than a chunk gets a chunk of its own size; the rest of the old chunk
    // stays unused.
    chunks_.emplace_back(new std::byte[n > CHUNK_SIZE ? n : CHUNK_SIZE]);
    used_ = n;
    return chunks_.back().get();
}

char* ObjPool::copyText(const char* text) {
    std::size_t n = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(allocate(n, 1));
    std::memcpy(copy, text, n);
    return copy;
}

void ObjPool::releaseAll() {
    chunks_.clear();
    used_ = CHUNK_SIZE;
}

} // namespace tasm
