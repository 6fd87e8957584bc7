// The record store hands out slots that never overlap and never move, and serves given-back
// slots again before it takes new memory.

#include "dbase/RecordStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

using valmora::dbase::RecordStore;

TEST(RecordStore, SlotsStayPutAndKeepTheirBytesWhileTheStoreGrows) {
    RecordStore store;
    store.reset(7);
    char* run = store.makeRun(3);
    std::memcpy(run, "aaaaaaabbbbbbbccccccc", 21);
    std::vector<char*> slots;
    for (int i = 0; i < 20000; ++i) { // many blocks
        char* s = store.make();
        std::memset(s, 'a' + i % 26, 7);
        slots.push_back(s);
    }
    EXPECT_EQ(std::string(run, 21), "aaaaaaabbbbbbbccccccc");
    std::set<char*> distinct(slots.begin(), slots.end());
    EXPECT_EQ(distinct.size(), slots.size());
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(std::string(slots[static_cast<std::size_t>(i)], 7), std::string(7, static_cast<char>('a' + i % 26)));
}

TEST(RecordStore, AGivenBackSlotServesTheNextRowAndAResetForgetsEverything) {
    RecordStore store;
    store.reset(300);
    char* run = store.makeRun(4);
    store.giveBack(run + 2 * 300); // a deleted record read with the file
    EXPECT_EQ(store.make(), run + 2 * 300);
    char* fresh = store.make();
    EXPECT_TRUE(fresh < run || fresh >= run + 4 * 300);
    store.reset(12);
    EXPECT_EQ(store.recordLength(), 12u);
    std::memset(store.make(), 'x', 12); // writes within a new block of the new size
}

TEST(RecordStore, ALargeRunIsUsableEndToEnd) {
    RecordStore store;
    store.reset(306);
    const std::size_t count = 20000; // over 2 MiB: the huge-page path
    char* run = store.makeRun(count);
    std::memset(run, 'z', count * 306);
    EXPECT_EQ(run[count * 306 - 1], 'z');
}

TEST(RecordStore, BackingARunWithMemoryLeavesItsBytesAlone) {
    // The open readies memory the reader is about to fill, or is filling: what is there must stay.
    RecordStore store;
    store.reset(300);
    const std::size_t count = 30000; // about 9 MB: several huge pages
    char* run = store.makeRun(count);
    for (std::size_t i = 0; i < count * 300; i += 4096)
        run[i] = static_cast<char>('a' + (i / 4096) % 26); // some pages written, the rest fresh
    const std::size_t half = count * 300 / 2 / RecordStore::kHugePage * RecordStore::kHugePage;
    if (!RecordStore::backWithMemory(run + half, count * 300 - half))
        GTEST_SKIP() << "this system cannot back memory ahead of use";
    EXPECT_TRUE(RecordStore::backWithMemory(run, half));
    for (std::size_t i = 0; i < count * 300; i += 4096)
        ASSERT_EQ(run[i], static_cast<char>('a' + (i / 4096) % 26)) << i;
    std::memset(run, 'z', count * 300);
    EXPECT_EQ(run[count * 300 - 1], 'z');
}
