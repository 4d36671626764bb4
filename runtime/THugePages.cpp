#include "THugePages.h"

#include <sys/mman.h>

#include <cstdint>

void THugePages::Advise(void* data, qsizetype size) {
    constexpr qsizetype Huge = 2 * 1024 * 1024;
    if (size < 2 * Huge)
        return;
    const auto begin = (reinterpret_cast<uintptr_t>(data) + Huge - 1) & ~uintptr_t(Huge - 1);
    const auto end = (reinterpret_cast<uintptr_t>(data) + size) & ~uintptr_t(Huge - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}
