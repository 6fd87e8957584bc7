#pragma once
// Where a table's record bytes live: fixed-size slots in a few large blocks, rather than one
// heap block per row. Opening a million-row table then costs one allocation, the file is read
// straight into it, and rows near each other in the file sit near each other in memory, so a
// pass in record order streams through memory instead of chasing a pointer per row.
//
// Slots never move while the store lives: a row keeps a plain pointer to its bytes. A slot given
// back serves again for the next new row.

#include <cstddef>
#include <memory>
#include <vector>

namespace valmora::dbase {

class RecordStore {
public:
    RecordStore() = default;
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Forgets every slot and sets the size of the next ones.
    void reset(std::size_t recordLength);
    std::size_t recordLength() const { return recordLength_; }

    // `count` slots side by side, for the records of a file read in one go.
    char* makeRun(std::size_t count);
    // One slot, uninitialised.
    char* make();
    void giveBack(char* slot) { spare_.push_back(slot); }

    // Has the system back [p, p + bytes) of a run with memory now, without writing to it, as the
    // first write would: `p` on a page boundary. False where the system cannot, or did not.
    static bool backWithMemory(char* p, std::size_t bytes);
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

private:
    struct BlockDeleter {
        std::size_t bytes = 0;
        void operator()(char* p) const;
    };
    using Block = std::unique_ptr<char, BlockDeleter>;
    static Block allocate(std::size_t bytes);

    std::size_t recordLength_ = 0;
    std::vector<Block> blocks_;
    char* next_ = nullptr; // the free part of the last block made by make()
    std::size_t left_ = 0; // slots left there
    std::vector<char*> spare_;
};

} // namespace valmora::dbase
