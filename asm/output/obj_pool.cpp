#include "obj_pool.h"

#include <cstring>

namespace tasm {

void* ObjPool::allocate(std::size_t n, std::size_t align) {
    std::size_t start = (used_ + align - 1) & ~(align - 1);
    if (chunks_.empty() || start + n > CHUNK_SIZE) {
        // A request larger than a chunk gets a chunk of its own size.
        chunks_.emplace_back(new std::byte[n > CHUNK_SIZE ? n : CHUNK_SIZE]);
        start = 0;
    }
    used_ = start + n;
    return chunks_.back().get() + start;
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
