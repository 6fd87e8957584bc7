// The chunked sequence behind a table's view (RowSequence.h).

#include "dbase/RowSequence.h"

#include <algorithm>

namespace valmora::dbase {
namespace {

// Chunks are filled this far when the sequence is built whole, leaving room for inserts before a
// chunk has to split.
constexpr std::size_t kFillChunk = RowSequence::kMaxChunk * 3 / 4;

std::size_t lowestBit(std::size_t i) {
    return i & (~i + 1);
}

} // namespace

std::size_t RowSequence::startOf(std::size_t chunk) const {
    std::size_t sum = 0;
    for (std::size_t i = chunk; i > 0; i -= lowestBit(i))
        sum += fenwick_[i];
    return sum;
}

void RowSequence::locate(std::size_t pos) const {
    // The last chunk whose start is at or before pos: chunks are never empty, so starts strictly rise.
    const std::size_t count = chunks_.size();
    std::size_t top = 1;
    while (top * 2 <= count)
        top *= 2;
    std::size_t chunk = 0;
    std::size_t rest = pos;
    for (std::size_t step = top; step > 0; step /= 2) {
        if (chunk + step <= count && fenwick_[chunk + step] <= rest) {
            chunk += step;
            rest -= fenwick_[chunk];
        }
    }
    cacheChunk_ = chunk;
    cacheStart_ = pos - rest;
}

TableRow* RowSequence::find(std::size_t pos) const {
    if (cacheChunk_ != kNone) {
        const std::vector<TableRow*>& cached = chunks_[cacheChunk_];
        // Walking forward or back steps into the neighbouring chunk.
        const std::size_t nextStart = cacheStart_ + cached.size();
        if (cacheChunk_ + 1 < chunks_.size() && pos >= nextStart && pos - nextStart < chunks_[cacheChunk_ + 1].size()) {
            ++cacheChunk_;
            cacheStart_ = nextStart;
            return chunks_[cacheChunk_][pos - nextStart];
        }
        if (cacheChunk_ > 0 && pos < cacheStart_ && cacheStart_ - pos <= chunks_[cacheChunk_ - 1].size()) {
            --cacheChunk_;
            cacheStart_ -= chunks_[cacheChunk_].size();
            return chunks_[cacheChunk_][pos - cacheStart_];
        }
    }
    locate(pos);
    return chunks_[cacheChunk_][pos - cacheStart_];
}

void RowSequence::resized(std::size_t chunk, bool grown) {
    for (std::size_t i = chunk + 1; i <= chunks_.size(); i += lowestBit(i)) {
        if (grown)
            ++fenwick_[i];
        else
            --fenwick_[i];
    }
    if (cacheChunk_ != kNone && cacheChunk_ > chunk) {
        if (grown)
            ++cacheStart_;
        else
            --cacheStart_;
    }
    if (grown)
        ++size_;
    else
        --size_;
}

void RowSequence::reindex() {
    const std::size_t count = chunks_.size();
    fenwick_.assign(count + 1, 0);
    for (std::size_t i = 1; i <= count; ++i) {
        fenwick_[i] += chunks_[i - 1].size();
        const std::size_t parent = i + lowestBit(i);
        if (parent <= count)
            fenwick_[parent] += fenwick_[i];
    }
    cacheChunk_ = kNone;
    cacheStart_ = 0;
}

void RowSequence::insert(std::size_t pos, TableRow* row) {
    if (pos == size_) {
        // At the end (rows posted in key order all land here): a full last chunk is left full
        // and a new one started, so a table built by appends keeps its chunks packed.
        if (chunks_.empty() || chunks_.back().size() >= kMaxChunk) {
            chunks_.emplace_back();
            chunks_.back().reserve(kFillChunk);
            chunks_.back().push_back(row);
            ++size_;
            reindex();
            return;
        }
        chunks_.back().push_back(row);
        resized(chunks_.size() - 1, true);
        return;
    }
    locate(pos);
    const std::size_t chunk = cacheChunk_;
    std::vector<TableRow*>& rows = chunks_[chunk];
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(pos - cacheStart_), row);
    if (rows.size() <= kMaxChunk) {
        resized(chunk, true);
        return;
    }
    // Split in two halves; the second becomes a chunk of its own right after.
    const auto half = rows.begin() + static_cast<std::ptrdiff_t>(rows.size() / 2);
    std::vector<TableRow*> tail(half, rows.end());
    rows.erase(half, rows.end());
    chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk + 1), std::move(tail));
    ++size_;
    reindex();
}

void RowSequence::erase(std::size_t pos) {
    locate(pos);
    const std::size_t chunk = cacheChunk_;
    std::vector<TableRow*>& rows = chunks_[chunk];
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(pos - cacheStart_));
    if (!rows.empty()) {
        resized(chunk, false);
    } else {
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
        --size_;
        reindex();
    }
    // Erasing thins chunks out without removing them; once they hold a quarter of what they could
    // on average, pack them again. That takes at least half the rows gone since the last packing,
    // so its O(n) is paid once for every O(n) erasures.
    if (chunks_.size() > 4 + 4 * size_ / kMaxChunk)
        rechunk();
}

void RowSequence::rechunk() {
    std::vector<TableRow*> all;
    all.reserve(size_);
    for (const auto& rows : chunks_)
        all.insert(all.end(), rows.begin(), rows.end());
    assign(all);
}

void RowSequence::assign(const std::vector<TableRow*>& rows) {
    chunks_.clear();
    chunks_.reserve(rows.size() / kFillChunk + 1);
    for (std::size_t at = 0; at < rows.size(); at += kFillChunk) {
        const std::size_t end = std::min(rows.size(), at + kFillChunk);
        chunks_.emplace_back(rows.begin() + static_cast<std::ptrdiff_t>(at),
                             rows.begin() + static_cast<std::ptrdiff_t>(end));
    }
    size_ = rows.size();
    reindex();
}

void RowSequence::clear() {
    chunks_.clear();
    fenwick_.assign(1, 0);
    size_ = 0;
    cacheChunk_ = kNone;
    cacheStart_ = 0;
}

} // namespace valmora::dbase
