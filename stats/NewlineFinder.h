// NewlineFinder: yields the positions of the newlines in one block, in order.
//
// Log lines are short (30 to 60 characters mostly), so calling memchr once
// per line costs more in call and set-up than in comparing. Instead each
// 64-byte chunk is compared at once into a bit mask (with SSE2 where the
// compiler offers it) and each line then costs one bit scan.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mctf {

class NewlineFinder {
public:
    void Reset(const char* block, std::size_t size) {
        block_ = block;
        size_ = size;
        chunk_ = 0;
        mask_ = ChunkMask(0);
    }

    // Offset of the next newline of the block, or the block's size when no
    // more are left. Every call moves past the newline it returns.
    std::size_t Next() {
        while (mask_ == 0) {
            chunk_ += kChunk;
            if (chunk_ >= size_) return size_;
            mask_ = ChunkMask(chunk_);
        }
        std::size_t at = chunk_ + static_cast<std::size_t>(std::countr_zero(mask_));
        mask_ &= mask_ - 1;
        return at;
    }

private:
    static constexpr std::size_t kChunk = 64;
    static constexpr std::size_t kPrefetchAhead = 1024;

    // Bit i set when byte offset + i is a newline.
    std::uint64_t ChunkMask(std::size_t offset) const {
        const char* p = block_ + offset;
        std::size_t count = size_ - offset;
        std::uint64_t mask = 0;
        if (count < kChunk) {
            for (std::size_t i = 0; i < count; ++i) mask |= std::uint64_t{p[i] == '\n'} << i;
            return mask;
        }
#if defined(__GNUC__)
        // The bytes come straight from the page cache, not yet in any CPU
        // cache; ask for those a little ahead, across page boundaries too.
        __builtin_prefetch(p + kPrefetchAhead);
#endif
#if defined(__SSE2__)
        const __m128i newline = _mm_set1_epi8('\n');
        for (std::size_t i = 0; i < kChunk; i += 16) {
            __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            auto bits =
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, newline)));
            mask |= std::uint64_t{bits} << i;
        }
#else
        for (std::size_t i = 0; i < kChunk; ++i) mask |= std::uint64_t{p[i] == '\n'} << i;
#endif
        return mask;
    }

    const char* block_ = nullptr;
    std::size_t size_ = 0;
    std::size_t chunk_ = 0;   // offset of the chunk `mask_` describes
    std::uint64_t mask_ = 0;  // its newlines not yet returned
};

}  // namespace mctf
