// The bump allocator of one run: elements and everything hanging off them.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace tasm {

class ObjPool {
public:
    static constexpr std::size_t CHUNK_SIZE = 16384;

    ObjPool() = default;
    ObjPool(const ObjPool&) = delete;
    ObjPool& operator=(const ObjPool&) = delete;

    void* allocate(std::size_t n, std::size_t align = alignof(std::max_align_t)) {
        std::size_t start = (used_ + align - 1) & ~(align - 1);
        if (chunks_.empty() || start + n > CHUNK_SIZE) {
            return allocateInNewChunk(n);
        }
        used_ = start + n;
        return chunks_.back().get() + start;
    }
    char* copyText(const char* text);
    void releaseAll();

private:
    void* allocateInNewChunk(std::size_t n);
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::size_t used_ = CHUNK_SIZE; // no chunk is current at the start
};

} // namespace tasm
