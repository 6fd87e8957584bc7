// The chunked sequence behind a table's view, checked against a plain vector through long runs of
// inserts and erasures that split chunks, empty them and make the sequence pack itself again.

#include "dbase/RowSequence.h"
#include "dbase/TableImpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <vector>

namespace valmora::dbase::testing {
namespace {

class RowSequenceModel : public ::testing::Test {
protected:
    TableRow* fresh() {
        store.emplace_back();
        store.back().id = store.size();
        return &store.back();
    }

    // Every position read forward, back and at random, as a walk and a jump would read it.
    void expectSame(std::mt19937& rng) {
        ASSERT_EQ(seq.size(), model.size());
        ASSERT_EQ(seq.empty(), model.empty());
        for (std::size_t i = 0; i < model.size(); ++i) {
            ASSERT_EQ(seq[i], model[i]) << "forward at " << i;
        }
        for (std::size_t i = model.size(); i-- > 0;) {
            ASSERT_EQ(seq[i], model[i]) << "backward at " << i;
        }
        for (int k = 0; k < 50 && !model.empty(); ++k) {
            const std::size_t i = rng() % model.size();
            ASSERT_EQ(seq[i], model[i]) << "jump to " << i;
        }
        if (!model.empty()) {
            ASSERT_EQ(seq.back(), model.back());
        }
    }

    std::deque<TableRow> store; // stable addresses
    RowSequence seq;
    std::vector<TableRow*> model;
};

TEST_F(RowSequenceModel, RandomInsertsAndErasuresMatchAVector) {
    std::mt19937 rng(20261209);
    for (int round = 0; round < 6; ++round) {
        // Grow well past a few chunks, mostly in the middle, sometimes at the ends.
        for (int i = 0; i < 3000; ++i) {
            const std::size_t where = (i % 7 == 0) ? model.size() : (i % 11 == 0 ? 0 : rng() % (model.size() + 1));
            TableRow* r = fresh();
            seq.insert(where, r);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(where), r);
            if (i % 97 == 0) {
                // Reads between changes keep the cached chunk in use while it shifts.
                const std::size_t at = rng() % model.size();
                ASSERT_EQ(seq[at], model[at]);
            }
        }
        expectSame(rng);
        // Shrink a lot: runs of erasures at one place (the ledger's delete walk) and scattered ones.
        const std::size_t target = model.size() / 5;
        std::size_t at = rng() % model.size();
        while (model.size() > target) {
            if (at >= model.size() || rng() % 50 == 0)
                at = rng() % model.size();
            seq.erase(at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
            if (at < model.size()) {
                ASSERT_EQ(seq[at], model[at]) << "the row after an erased one moves into its place";
            }
            if (rng() % 3 == 0)
                ++at;
        }
        expectSame(rng);
    }
    while (!model.empty()) {
        seq.erase(model.size() - 1);
        model.pop_back();
    }
    expectSame(rng);
    TableRow* last = fresh();
    seq.insert(0, last);
    model.insert(model.begin(), last);
    expectSame(rng);
}

TEST_F(RowSequenceModel, AppendsAssignAndClear) {
    std::mt19937 rng(7);
    for (int i = 0; i < 5000; ++i) {
        TableRow* r = fresh();
        seq.insert(seq.size(), r);
        model.push_back(r);
    }
    expectSame(rng);

    std::vector<TableRow*> other(model.rbegin(), model.rend());
    seq.assign(other);
    model = other;
    expectSame(rng);
    TableRow* middle = fresh();
    seq.insert(1234, middle);
    model.insert(model.begin() + 1234, middle);
    expectSame(rng);

    seq.clear();
    model.clear();
    expectSame(rng);
    seq.assign({});
    expectSame(rng);
    EXPECT_EQ(seq.partitionPoint([](const TableRow*) { return true; }), 0u);
}

TEST_F(RowSequenceModel, PartitionPointFindsTheFirstRowOutsideThePrefix) {
    // Rows in id order with gaps; every threshold between and around them.
    std::vector<TableRow*> rows;
    for (int i = 0; i < 4000; ++i) {
        TableRow* r = fresh();
        r->recordIndex = static_cast<std::uint64_t>(i) * 2;
        rows.push_back(r);
    }
    seq.assign(rows);
    for (std::uint64_t threshold = 0; threshold <= 8001; threshold += 3) {
        const std::size_t got = seq.partitionPoint([&](const TableRow* r) { return r->recordIndex < threshold; });
        EXPECT_EQ(got, std::min<std::size_t>((threshold + 1) / 2, rows.size())) << "threshold " << threshold;
    }
    // Galloping out from any hint, before, at or past the answer (or past the end), finds the same.
    std::mt19937 rng(3);
    for (int k = 0; k < 3000; ++k) {
        const std::uint64_t threshold = rng() % 8010;
        const std::size_t hint = k < 30 ? static_cast<std::size_t>(k) * 150 : rng() % 4100;
        const auto pred = [&](const TableRow* r) { return r->recordIndex < threshold; };
        ASSERT_EQ(seq.partitionPointNear(hint, pred), seq.partitionPoint(pred))
            << "threshold " << threshold << " hint " << hint;
    }
    RowSequence empty;
    EXPECT_EQ(empty.partitionPointNear(5, [](const TableRow*) { return true; }), 0u);
}

} // namespace
} // namespace valmora::dbase::testing
