#pragma once
// The visible rows of a table in their order, as a sequence that stays cheap to change when it is
// large: reading the row at a position, inserting a row at a position and erasing one.
//
// A plain vector makes each insert or erase move every row after it, so a pass that deletes or
// adds a row for each of n rows costs n squared. Here the rows sit in chunks of at most kMaxChunk
// pointers; a change moves at most one chunk's pointers, and a Fenwick tree over the chunk sizes
// turns a position into its chunk in O(log chunks). Reading the position just read, or the one
// after it, skips even that: walking the table in order costs O(1) a row.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace valmora::dbase {

struct TableRow;

class RowSequence {
public:
    static constexpr std::size_t kMaxChunk = 256;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // pos < size(). Inline for the common case, a position in the chunk read last (every field read
    // of a walk asks for the current row: left to itself the compiler calls it instead).
#if defined(__GNUC__)
    [[gnu::always_inline]]
#endif
    TableRow* operator[](std::size_t pos) const {
        if (cacheChunk_ != kNone) {
            const std::vector<TableRow*>& cached = chunks_[cacheChunk_];
            if (pos - cacheStart_ < cached.size()) // also false for pos < cacheStart_ (wraps)
                return cached[pos - cacheStart_];
        }
        return find(pos);
    }
    TableRow* back() const { return chunks_.back().back(); }

    void insert(std::size_t pos, TableRow* row); // pos <= size()
    void erase(std::size_t pos);                 // pos < size()
    void assign(const std::vector<TableRow*>& rows);
    void clear();

    // The first position whose row fails `inPrefix`, for a predicate that holds on a prefix of the
    // sequence and fails on the rest (as std::partition_point). O(log n) calls of the predicate.
    template <typename Pred> std::size_t partitionPoint(Pred inPrefix) const {
        // The first chunk whose last row fails holds the answer; every chunk before it passes whole.
        std::size_t lo = 0;
        std::size_t hi = chunks_.size();
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (inPrefix(chunks_[mid].back()))
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo == chunks_.size())
            return size_;
        const std::vector<TableRow*>& chunk = chunks_[lo];
        std::size_t in = 0;
        std::size_t out = chunk.size();
        while (in < out) {
            const std::size_t mid = in + (out - in) / 2;
            if (inPrefix(chunk[mid]))
                in = mid + 1;
            else
                out = mid;
        }
        return startOf(lo) + in;
    }

    // The same answer, found by galloping out from `hint`: O(log d) calls for an answer d places
    // away, on rows near the hint (in cache). A run of rows posted in key order lands each next to
    // the one before.
    template <typename Pred> std::size_t partitionPointNear(std::size_t hint, Pred inPrefix) const {
        if (size_ == 0)
            return 0;
        if (hint >= size_)
            hint = size_ - 1;
        std::size_t lo = 0; // the answer is in [lo, hi]
        std::size_t hi = size_;
        if (inPrefix((*this)[hint])) {
            lo = hint + 1;
            for (std::size_t step = 1; lo < size_; step *= 2) {
                const std::size_t probe = std::min(size_ - 1, lo + step - 1);
                if (!inPrefix((*this)[probe])) {
                    hi = probe;
                    break;
                }
                lo = probe + 1;
            }
        } else {
            hi = hint;
            for (std::size_t step = 1; hi > 0; step *= 2) {
                const std::size_t probe = hi >= step ? hi - step : 0;
                if (inPrefix((*this)[probe])) {
                    lo = probe + 1;
                    break;
                }
                hi = probe;
            }
        }
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (inPrefix((*this)[mid]))
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    TableRow* find(std::size_t pos) const;        // operator[] away from the chunk read last
    std::size_t startOf(std::size_t chunk) const; // rows in the chunks before it
    void locate(std::size_t pos) const;           // points the cache at the chunk holding pos
    void resized(std::size_t chunk, bool grown);  // one row more or less in that chunk
    void reindex();                               // after chunks were added, removed or refilled
    void rechunk();                               // packs the rows into evenly filled chunks

    std::vector<std::vector<TableRow*>> chunks_; // never an empty chunk
    std::vector<std::size_t> fenwick_;           // 1-based Fenwick tree over the chunk sizes
    std::size_t size_ = 0;

    // The chunk last read and the position of its first row: sequential reads stay O(1).
    mutable std::size_t cacheChunk_ = kNone;
    mutable std::size_t cacheStart_ = 0;
};

} // namespace valmora::dbase
