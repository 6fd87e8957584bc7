// A large table is read on a second thread, a block ahead of the checking of its records. The
// blocks must arrive whole and in order, a failure must reach the caller at the block it hit, and
// leaving early (a damaged record in the first blocks) must not leave the thread writing anywhere.

#include "MovementsFixture.h"
#include "dbase/ReadAhead.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace valmora::dbase::testing {
namespace {

TEST(ReadAhead, StepsRunOnceEachInOrderAndFailuresArriveAtTheirStep) {
    std::vector<std::size_t> ran;
    {
        ReadAhead reading(50, [&](std::size_t i) {
            if (i == 40)
                throw std::runtime_error("step 40");
            ran.push_back(i);
        });
        for (std::size_t i = 0; i < 40; ++i) {
            reading.waitFor(i);
            ASSERT_GE(ran.size(), i + 1); // seen once waited for (the wait orders the memory too)
        }
        EXPECT_THROW(reading.waitFor(40), std::runtime_error);
    }
    ASSERT_EQ(ran.size(), 40u);
    for (std::size_t i = 0; i < ran.size(); ++i)
        EXPECT_EQ(ran[i], i);
}

TEST(ReadAhead, LeavingEarlyWaitsForTheStepUnderWay) {
    std::atomic<int> running{0};
    std::atomic<int> finished{0};
    {
        ReadAhead reading(1000, [&](std::size_t) {
            ++running;
            volatile long sink = 0;
            for (long k = 0; k < 20000; ++k)
                sink = sink + k;
            ++finished;
        });
        reading.waitFor(0);
    }
    const int after = finished.load();
    EXPECT_EQ(running.load(), after) << "no step still under way once it is gone";
    EXPECT_LT(after, 1000) << "stopped rather than run to the end";
}

TEST(ReadAhead, WhileWaitingTheOtherWorkRunsUntilItRunsOut) {
    // The step waits for the other work to have run five times: waitFor must do it meanwhile.
    std::atomic<int> calls{0};
    ReadAhead reading(3, [&](std::size_t i) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (i == 0 && calls.load() < 5 && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::yield();
    });
    reading.waitFor(0, [&] { return ++calls < 1000; });
    EXPECT_GE(calls.load(), 5);

    // Work that runs out at once still leaves waitFor waiting for its step.
    int late = 0;
    reading.waitFor(2, [&] {
        ++late;
        return false;
    });
    EXPECT_LE(late, 1);
}

TEST(ReadAhead, AFailureEndsTheWaitWhileOtherWorkIsLeft) {
    ReadAhead reading(4, [](std::size_t i) {
        if (i == 1)
            throw std::runtime_error("step 1");
    });
    EXPECT_THROW(reading.waitFor(3, [] { return true; }), std::runtime_error);
}

TEST(ReadAhead, WithOneStepThereIsNoThreadAndNoOtherWork) {
    bool ran = false;
    ReadAhead reading(1, [&](std::size_t) { ran = true; });
    reading.waitFor(0, [] {
        ADD_FAILURE() << "no second thread to wait for";
        return false;
    });
    EXPECT_TRUE(ran);
}

// 20,000 movements are about 6 MB: several blocks of the open's reading.
void createLarge(const std::string& folder, int rows) {
    Table t;
    t.bind(folder, "conto.dbf");
    t.create(movementFields(), {"Valuta", "VALUTA"});
    t.open();
    t.disableControls();
    std::vector<std::vector<Value>> all;
    for (int i = 0; i < rows; ++i)
        all.push_back(movement(ymd(2005, 1, 1).addDays(i % 365), ymd(2005, 1, 1).addDays(i % 365), "Accredito",
                               "Stipendio", Money::fromWhole(i), "riga " + std::to_string(i)));
    t.appendRecords(all);
    t.enableControls();
}

TEST(ReadAhead, ALargeTableOpensWholeAndADamagedRecordInItIsNamed) {
    TempDir dir;
    constexpr int kRows = 20000;
    createLarge(dir.str(), kRows);
    {
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.open();
        t.setIndexName("");
        ASSERT_EQ(t.recordCount(), kRows);
        std::int64_t sum = 0;
        int i = 0;
        for (t.first(); !t.eof(); t.next(), ++i) {
            ASSERT_EQ(t.fieldByName("COMMENTO").asString(), "riga " + std::to_string(i));
            sum += t.fieldByName("IMPORTO").asMoney().units();
        }
        EXPECT_EQ(sum, Money::fromWhole(std::int64_t{kRows} * (kRows - 1) / 2).units());
    }

    // The date of record 15,001 (in the fourth block) made unreadable: the open stops there.
    const std::string path = dir.file("conto.dbf");
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char header[12] = {};
    f.read(reinterpret_cast<char*>(header), sizeof header);
    const std::size_t headerLength = header[8] | (header[9] << 8);
    const std::size_t recordLength = header[10] | (header[11] << 8);
    f.seekp(static_cast<std::streamoff>(headerLength + 15000 * recordLength + 1));
    f.write("2005xx01", 8);
    f.close();
    Table t;
    t.bind(dir.str(), "conto.dbf");
    try {
        t.open();
        FAIL() << "the damaged record was not found";
    } catch (const TableError& e) {
        EXPECT_NE(std::string(e.what()).find("record 15001"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace valmora::dbase::testing
