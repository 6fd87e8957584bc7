#include "dbase/RecordStore.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace valmora::dbase {

bool RecordStore::backWithMemory(char* p, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    return ::madvise(p, bytes, MADV_POPULATE_WRITE) == 0; // EINVAL before Linux 5.14
#else
    (void)p;
    (void)bytes;
    return false;
#endif
}

void RecordStore::BlockDeleter::operator()(char* p) const {
    std::free(p);
}

RecordStore::Block RecordStore::allocate(std::size_t bytes) {
    bytes = std::max<std::size_t>(bytes, 1);
    if (bytes < kHugePage) {
        char* p = static_cast<char*>(std::malloc(bytes));
        if (!p)
            throw std::bad_alloc();
        return Block(p, BlockDeleter{bytes});
    }
    // Blocks this large are aligned to, and rounded up to, a huge page: a walk in key order jumps
    // all over the block, and with 4 KiB pages nearly every row would be a TLB miss as well.
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    char* p = static_cast<char*>(std::aligned_alloc(kHugePage, rounded));
    if (!p)
        throw std::bad_alloc();
#if defined(__linux__)
    ::madvise(p, rounded, MADV_HUGEPAGE); // only advice: without huge pages the store still works
#endif
    return Block(p, BlockDeleter{rounded});
}

void RecordStore::reset(std::size_t recordLength) {
    spare_.clear();
    blocks_.clear();
    next_ = nullptr;
    left_ = 0;
    recordLength_ = recordLength;
}

char* RecordStore::makeRun(std::size_t count) {
    blocks_.push_back(allocate(count * recordLength_));
    return blocks_.back().get();
}

char* RecordStore::make() {
    if (!spare_.empty()) {
        char* slot = spare_.back();
        spare_.pop_back();
        return slot;
    }
    if (left_ == 0) {
        // Blocks grow with the table, so a small table takes little and a growing one few blocks.
        const std::size_t slots = std::clamp<std::size_t>(blocks_.size() * 64, 16, 4096);
        blocks_.push_back(allocate(slots * recordLength_));
        next_ = blocks_.back().get();
        left_ = slots;
    }
    char* slot = next_;
    next_ += recordLength_;
    --left_;
    return slot;
}

} // namespace valmora::dbase
