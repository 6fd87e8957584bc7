// The .mdx writer: key encodings, the file header, and a B-tree that a reader walking
// from the root finds complete and in key order.

#include "dbase/Mdx.h"
#include "dbase/FaultyFileSystem.h"
#include "dbase/FileSystem.h"
#include "dbase/Table.h"
#include "dbase/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

using namespace valmora;
using namespace valmora::dbase;

namespace {

using valmora::testing::readAll;
using valmora::testing::TempDir;

std::string hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

Date ymd(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

std::uint32_t u32(std::string_view image, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(image[at + static_cast<std::size_t>(i)]);
    return v;
}

unsigned u16(std::string_view image, std::size_t at) {
    return static_cast<unsigned char>(image[at]) |
           (static_cast<unsigned>(static_cast<unsigned char>(image[at + 1])) << 8);
}

// A reader written from the layout alone: walks one tag's tree from its root and
// checks every structural promise on the way.
struct TreeWalk {
    std::vector<MdxEntry> leaves; // in tree order
    int depth = 0;
    std::size_t nodes = 0;
};

std::string walkSubtree(std::string_view image, std::uint32_t page, char keyType, std::size_t keyLength,
                        std::size_t item, std::size_t maxKeys, int depth, TreeWalk& walk, int& leafDepth) {
    const std::size_t base = std::size_t{page} * 512;
    EXPECT_LE(base + 1024, image.size()) << "node outside the file";
    EXPECT_EQ(page % 2, 0u) << "nodes start on a block boundary";
    ++walk.nodes;
    const std::uint32_t n = u32(image, base);
    EXPECT_LE(n, maxKeys);
    // An interior node shows a child pointer after its last key; a leaf has none.
    const bool interior = n < maxKeys && u32(image, base + 8 + n * item) != 0;
    std::string greatest;
    if (!interior) {
        if (leafDepth < 0)
            leafDepth = depth;
        EXPECT_EQ(leafDepth, depth) << "leaves at different depths";
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::size_t at = base + 8 + i * item;
            walk.leaves.emplace_back(u32(image, at), std::string(image.substr(at + 4, keyLength)));
        }
        if (n > 0)
            greatest = walk.leaves.back().second;
        return greatest;
    }
    EXPECT_GE(n, 1u) << "an interior node with a single child";
    for (std::uint32_t i = 0; i <= n; ++i) {
        const std::size_t at = base + 8 + i * item;
        const std::string childGreatest =
            walkSubtree(image, u32(image, at), keyType, keyLength, item, maxKeys, depth + 1, walk, leafDepth);
        if (i < n) {
            EXPECT_EQ(hex(image.substr(at + 4, keyLength)), hex(childGreatest))
                << "interior key must be the greatest key of its child";
        }
        greatest = childGreatest;
    }
    return greatest;
}

// `ours`: also check the page count we keep in the tag header (other writers count differently).
TreeWalk walkTag(std::string_view image, std::size_t tagIndex, bool ours = true) {
    const std::size_t entry = 544 + 32 * tagIndex;
    const std::uint32_t headerPage = u32(image, entry);
    const std::size_t h = std::size_t{headerPage} * 512;
    const char keyType = image[h + 9];
    EXPECT_EQ(keyType, image[entry + 20]);
    const std::size_t keyLength = u16(image, h + 12);
    const std::size_t maxKeys = u16(image, h + 14);
    const std::size_t item = u16(image, h + 18);
    EXPECT_EQ(item % 4, 0u);
    EXPECT_GE(item, keyLength + 4);
    EXPECT_LE(12 + maxKeys * item, 1024u);
    TreeWalk walk;
    int leafDepth = -1;
    walkSubtree(image, u32(image, h), keyType, keyLength, item, maxKeys, 0, walk, leafDepth);
    walk.depth = leafDepth;
    if (ours) {
        EXPECT_EQ(u32(image, h + 4), 2 * (walk.nodes + 1)) << "pages used by the tag";
    }
    return walk;
}

MdxTag dateTag(std::vector<MdxEntry> entries) {
    return MdxTag{"Valuta", "VALUTA", 'D', 8, std::move(entries)};
}

// The key of an amount, through the stored text of an N(20,4) field as the table writes it.
std::string numericKey(Money m) {
    return encodeNumericKey(m.decimalText(4));
}

} // namespace

TEST(MdxKeys, DatesAreLittleEndianJulianDayDoubles) {
    // 2451545.0 = 0x4142B42C80000000
    EXPECT_EQ(hex(encodeDateKey(ymd(2000, 1, 1))), "00 00 00 80 2C B4 42 41");
    double back = 0;
    const std::string key = encodeDateKey(ymd(2024, 2, 29));
    std::memcpy(&back, key.data(), 8);
    EXPECT_EQ(back, 2460370.0);
    // The empty date sorts before every real one.
    EXPECT_LT(compareMdxKeys('D', encodeDateKey(Date()), encodeDateKey(ymd(1900, 1, 1))), 0);
    EXPECT_LT(compareMdxKeys('D', encodeDateKey(ymd(2023, 12, 31)), encodeDateKey(ymd(2024, 1, 1))), 0);
}

TEST(MdxKeys, NumbersAreDbaseBcd) {
    EXPECT_EQ(hex(numericKey(Money())), "34 01 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(hex(numericKey(Money::fromUnits(125000))), "36 11 12 50 00 00 00 00 00 00 00 00"); // 12.5
    EXPECT_EQ(hex(numericKey(Money::fromWhole(-3))), "35 89 30 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(hex(numericKey(Money::fromUnits(500))), "33 09 50 00 00 00 00 00 00 00 00 00"); // 0.05
    EXPECT_EQ(hex(numericKey(Money::fromWhole(1500))), "38 09 15 00 00 00 00 00 00 00 00 00");
    // The stored N(20,4) text gives the same key as the amount.
    EXPECT_EQ(encodeNumericKey("             12.5000"), numericKey(Money::fromUnits(125000)));
    EXPECT_EQ(encodeNumericKey("            -12.3456"), numericKey(Money::fromUnits(-123456)));
    EXPECT_EQ(encodeNumericKey("                    "), numericKey(Money()));
    EXPECT_EQ(encodeNumericKey("-0.0000"), numericKey(Money()));
    EXPECT_EQ(numericKey(Money::fromUnits(INT64_MIN)).size(), 12u);
    for (const char* bad : {"12,50", "1e5", "-", ".", "12.5x", "--1", "1.2.3"})
        EXPECT_THROW(encodeNumericKey(std::string_view(bad)), TableError) << bad;
}

TEST(MdxKeys, NumericKeyOrderIsNumericOrder) {
    std::vector<std::int64_t> units = {0,         1,          -1,
                                       5,         50,         500,
                                       5000,      49999,      -49999,
                                       125000,    -125000,    99990000,
                                       100000000, -100000000, 123456789012345678,
                                       -9999,     INT64_MAX,  INT64_MIN + 1,
                                       10000,     9999,       10001,
                                       -10000,    -10001};
    std::mt19937 rng(7);
    std::shuffle(units.begin(), units.end(), rng);
    auto byKey = units;
    std::sort(byKey.begin(), byKey.end(), [](std::int64_t a, std::int64_t b) {
        return compareMdxKeys('N', numericKey(Money::fromUnits(a)), numericKey(Money::fromUnits(b))) < 0;
    });
    auto byValue = units;
    std::sort(byValue.begin(), byValue.end());
    EXPECT_EQ(byKey, byValue);
}

TEST(MdxKeys, TextKeysArePaddedAndCompareAsBytes) {
    EXPECT_EQ(encodeCharKey("Prelievo", 10), "Prelievo  ");
    EXPECT_EQ(encodeCharKey("", 3), "   ");
    EXPECT_THROW(encodeCharKey("FuoriConto!", 10), TableError);
    // cp1252 bytes above 0x7F sort after ASCII, as unsigned bytes.
    EXPECT_LT(compareMdxKeys('C', "Z", "\xE8"), 0);
}

TEST(MdxImage, HeaderAndTagTableFollowTheDbaseIvLayout) {
    const std::string image =
        buildMdxImage("CONTO2024", {dateTag({{1, encodeDateKey(ymd(2024, 3, 5))}})}, ymd(2024, 3, 5));
    ASSERT_EQ(image.size() % 1024, 0u);
    EXPECT_EQ(image[0], 2);
    EXPECT_EQ(hex(image.substr(1, 3)), "7C 03 05"); // 2024-1900, March, 5
    EXPECT_EQ(image.substr(4, 16), std::string("CONTO2024") + std::string(7, '\0'));
    EXPECT_EQ(u16(image, 20), 2u);
    EXPECT_EQ(u16(image, 22), 1024u);
    EXPECT_EQ(image[24], 1);
    EXPECT_EQ(static_cast<unsigned char>(image[25]), 48);
    EXPECT_EQ(image[26], 32);
    EXPECT_EQ(u16(image, 28), 1u);
    EXPECT_EQ(u32(image, 32), image.size() / 512);
    EXPECT_EQ(hex(image.substr(44, 3)), "7C 03 05");
    EXPECT_EQ(image[529], 1);
    // Tag entry: header page, upper-case name, field key, type.
    EXPECT_EQ(u32(image, 544), 4u);
    EXPECT_EQ(image.substr(548, 11), std::string("VALUTA") + std::string(5, '\0'));
    EXPECT_EQ(image[559], 0x10);
    EXPECT_EQ(image[563], 0x02);
    EXPECT_EQ(image[564], 'D');
    // Tag header: D keys of 8 bytes in 12-byte items, 84 to a node, key expression VALUTA.
    const std::size_t h = 4 * 512;
    EXPECT_EQ(image[h + 9], 'D');
    EXPECT_EQ(u16(image, h + 12), 8u);
    EXPECT_EQ(u16(image, h + 14), 84u);
    EXPECT_EQ(u16(image, h + 16), 1u);
    EXPECT_EQ(u16(image, h + 18), 12u);
    EXPECT_EQ(std::string(image.data() + h + 24), "VALUTA");
    EXPECT_EQ(parseMdxTagNames(image), std::vector<std::string>{"VALUTA"});
}

TEST(MdxImage, TreeHoldsEveryRecordInKeyOrderWithTiesInRecordOrder) {
    // 10 000 movements over 300 value dates, handed over shuffled: three levels of nodes.
    std::vector<MdxEntry> entries;
    std::mt19937 rng(42);
    std::vector<int> dayOf(10001);
    for (std::uint32_t recno = 1; recno <= 10000; ++recno) {
        dayOf[recno] = static_cast<int>(rng() % 300);
        entries.emplace_back(recno, encodeDateKey(ymd(2024, 1, 1).addDays(dayOf[recno])));
    }
    std::shuffle(entries.begin(), entries.end(), rng);
    const std::string image = buildMdxImage("M", {dateTag(entries)}, ymd(2024, 12, 31));

    const TreeWalk walk = walkTag(image, 0);
    EXPECT_EQ(walk.depth, 2);
    ASSERT_EQ(walk.leaves.size(), 10000u);
    std::vector<std::uint32_t> expected(10000);
    for (std::uint32_t i = 0; i < 10000; ++i)
        expected[i] = i + 1;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return dayOf[a] < dayOf[b]; });
    std::vector<std::uint32_t> got;
    for (const auto& [recno, key] : walk.leaves) {
        got.push_back(recno);
        EXPECT_EQ(key, encodeDateKey(ymd(2024, 1, 1).addDays(dayOf[recno])));
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(u32(image, 32) * 512, image.size());
}

TEST(MdxImage, EveryKeyTypeAndSizeBuildsAWalkableTree) {
    // The widest text key leaves room for three items per node; a single record and an
    // empty table are the other edges.
    for (const std::size_t count : {0u, 1u, 3u, 4u, 7u, 500u}) {
        std::vector<MdxEntry> text, numbers;
        for (std::uint32_t r = 1; r <= count; ++r) {
            text.emplace_back(r, encodeCharKey("K" + std::to_string(r % 37), 254));
            numbers.emplace_back(r, numericKey(Money::fromUnits(static_cast<std::int64_t>(r % 11) * 12345 - 60000)));
        }
        const std::string image = buildMdxImage(
            "T", {MdxTag{"Commento", "COMMENTO", 'C', 254, text}, MdxTag{"Importo", "IMPORTO", 'N', 12, numbers}},
            Date());
        EXPECT_EQ(parseMdxTagNames(image), (std::vector<std::string>{"COMMENTO", "IMPORTO"}));
        for (std::size_t tag = 0; tag < 2; ++tag) {
            const TreeWalk walk = walkTag(image, tag);
            ASSERT_EQ(walk.leaves.size(), count) << "tag " << tag;
            const char type = tag == 0 ? 'C' : 'N';
            for (std::size_t i = 1; i < walk.leaves.size(); ++i) {
                const int c = compareMdxKeys(type, walk.leaves[i - 1].second, walk.leaves[i].second);
                EXPECT_TRUE(c < 0 || (c == 0 && walk.leaves[i - 1].first < walk.leaves[i].first)) << i;
            }
        }
    }
}

TEST(MdxImage, RefusesTagsItCannotStore) {
    const auto build = [](MdxTag tag) { return buildMdxImage("T", {std::move(tag)}, Date()); };
    EXPECT_THROW(build(MdxTag{"Operazioni1", "OPERAZIONE", 'C', 10, {}}), TableError); // 11 characters
    EXPECT_THROW(build(MdxTag{"", "X", 'C', 10, {}}), TableError);
    EXPECT_THROW(build(MdxTag{"Data", "DATA", 'D', 12, {}}), TableError);
    EXPECT_THROW(build(MdxTag{"Flag", "FLAG", 'L', 1, {}}), TableError);
    EXPECT_THROW(build(MdxTag{"Tipo", "TIPO", 'C', 25, {{1, "short"}}}), TableError);
    EXPECT_THROW(build(MdxTag{"Tipo", "TIPO", 'C', 25, {{0, std::string(25, ' ')}}}), TableError);
    EXPECT_THROW(buildMdxImage("T", std::vector<MdxTag>(48, MdxTag{"A", "A", 'C', 1, {}}), Date()), TableError);
    EXPECT_NO_THROW(buildMdxImage("T", std::vector<MdxTag>(47, MdxTag{"A", "A", 'C', 1, {}}), Date()));
}

TEST(MdxTagNames, BrokenHeadersGiveNoTags) {
    const std::string good = buildMdxImage("T", {dateTag({}), MdxTag{"Ist", "ISTITUTO", 'C', 50, {}}}, Date());
    ASSERT_EQ(parseMdxTagNames(good), (std::vector<std::string>{"VALUTA", "IST"}));

    EXPECT_TRUE(parseMdxTagNames("").empty());
    EXPECT_TRUE(parseMdxTagNames(std::string_view(good).substr(0, 2047)).empty());
    std::string bad = good;
    bad[0] = 0x03 ^ 0x7F;
    EXPECT_TRUE(parseMdxTagNames(bad).empty()) << "unknown version";
    bad = good;
    bad[28] = static_cast<char>(0xFF);
    bad[29] = static_cast<char>(0xFF);
    EXPECT_TRUE(parseMdxTagNames(bad).empty()) << "more tags than the header holds";
    bad = good;
    bad[26] = 4;
    EXPECT_TRUE(parseMdxTagNames(bad).empty()) << "tag entries too small";
    bad = good;
    bad[548] = '\x01';
    EXPECT_TRUE(parseMdxTagNames(bad).empty()) << "control character in a name";
    bad = good;
    bad[548 + 32] = '\0';
    EXPECT_TRUE(parseMdxTagNames(bad).empty()) << "empty name";
    // Every single-byte change of the header either parses or gives nothing; never more tags than slots.
    for (std::size_t at = 0; at < 2048; ++at) {
        bad = good;
        bad[at] = static_cast<char>(~static_cast<unsigned char>(bad[at]));
        EXPECT_LE(parseMdxTagNames(bad).size(), 47u);
    }
}

namespace {

// The disk, except that writing a file whose name ends in `failOn` fails half way.
class FailingWrites : public FileSystem {
public:
    explicit FailingWrites(std::string failOn) : disk_(diskFileSystem()), failOn_(std::move(failOn)) {}

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override {
        auto file = disk_->open(path, mode);
        if (path.size() >= failOn_.size() && path.compare(path.size() - failOn_.size(), failOn_.size(), failOn_) == 0)
            return std::make_unique<HalfWrite>(std::move(file));
        return file;
    }
    void rename(const std::string& from, const std::string& to) override { disk_->rename(from, to); }
    void remove(const std::string& path) override { disk_->remove(path); }
    bool exists(const std::string& path) override { return disk_->exists(path); }
    void makeDirectories(const std::string& path) override { disk_->makeDirectories(path); }
    void syncDirectory(const std::string& folder) override { disk_->syncDirectory(folder); }
    std::unique_ptr<FileLock> tryLock(const std::string& path) override { return disk_->tryLock(path); }

private:
    class HalfWrite : public File {
    public:
        explicit HalfWrite(std::unique_ptr<File> inner) : inner_(std::move(inner)) {}
        std::uint64_t size() override { return inner_->size(); }
        std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
            return inner_->readAt(offset, buffer, count);
        }
        void writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
            inner_->writeAt(offset, data, count / 2);
            throw FileError(FileError::Kind::DiskFull, "disk full");
        }
        void truncate(std::uint64_t size) override { inner_->truncate(size); }
        void sync() override { inner_->sync(); }

    private:
        std::unique_ptr<File> inner_;
    };

    std::shared_ptr<FileSystem> disk_;
    std::string failOn_;
};

} // namespace

TEST(MdxFile, WritesAtomicallyAndReadsTagNamesBack) {
    TempDir dir;
    const std::string path = dir.file("CONTO.mdx");
    auto disk = diskFileSystem();
    EXPECT_TRUE(readMdxTagNames(*disk, path).empty()) << "no file";

    std::vector<MdxEntry> entries = {{2, encodeDateKey(ymd(2024, 5, 2))}, {1, encodeDateKey(ymd(2024, 5, 1))}};
    writeMdx(*disk, path, "CONTO", {dateTag(entries)}, ymd(2024, 5, 2));
    const std::string before = readAll(path);
    EXPECT_EQ(before, buildMdxImage("CONTO", {dateTag(entries)}, ymd(2024, 5, 2)));
    EXPECT_EQ(readMdxTagNames(*disk, path), std::vector<std::string>{"VALUTA"});

    // A disk that fills up while the new index is written leaves the old one whole.
    FailingWrites failing(".tmp");
    entries.emplace_back(3, encodeDateKey(ymd(2024, 5, 3)));
    try {
        writeMdx(failing, path, "CONTO", {dateTag(entries)}, ymd(2024, 5, 3));
        FAIL() << "a failed write must be reported";
    } catch (const TableError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary left behind";

    // Short, garbage and directory paths give no tags rather than an error.
    std::ofstream(dir.file("short.mdx"), std::ios::binary) << before.substr(0, 1000);
    EXPECT_TRUE(readMdxTagNames(*disk, dir.file("short.mdx")).empty());
    std::ofstream(dir.file("junk.mdx"), std::ios::binary) << std::string(4096, '\xFF');
    EXPECT_TRUE(readMdxTagNames(*disk, dir.file("junk.mdx")).empty());
    EXPECT_TRUE(readMdxTagNames(*disk, dir.path().string()).empty());
}

TEST(MdxFile, TheTableKeepsItsIndexInStepWithTheRowsOnDisk) {
    // After appends, edits of the key and deletions (which may compact the file and so
    // renumber the records), the .mdx beside the table lists every live record exactly once,
    // under its own record number and key, in key order with ties in record order.
    TempDir dir;
    {
        Table t;
        t.bind(dir.path().string(), "mov.dbf");
        t.create({FieldDef::date("DATA"), FieldDef::date("VALUTA"), FieldDef::text("OPERAZIONE", 10),
                  FieldDef::text("TIPO", 25), FieldDef::money("IMPORTO"), FieldDef::text("COMMENTO", 250)},
                 {"Valuta", "VALUTA"});
        t.open();
        t.setIndexName("");
        std::mt19937 rng(11);
        t.disableControls(); // one flush for the bulk append
        for (int i = 0; i < 400; ++i) {
            const Date valuta = ymd(2024, 1, 1).addDays(static_cast<int>(rng() % 40));
            t.appendRecord({valuta, valuta, std::string("Accredito"), std::string("Stipendio"), Money::fromWhole(i),
                            "riga " + std::to_string(i)});
        }
        t.enableControls();
        for (int r = 390; r >= 1; r -= 7) { // deletions spread over the file
            t.moveTo(r);
            t.deleteRecord();
        }
        for (int r = 5; r <= t.recordCount(); r += 50) { // keys that move
            t.moveTo(r);
            t.edit();
            t.fieldByName("VALUTA").setDate(ymd(2023, 12, 31));
            t.post();
        }
        t.close();
    }

    const std::string dbf = readAll(dir.file("mov.dbf"));
    const std::uint32_t count = u32(dbf, 4);
    const std::size_t headerLength = u16(dbf, 8);
    const std::size_t recordLength = u16(dbf, 10);
    ASSERT_GE(dbf.size(), headerLength + count * recordLength);
    std::vector<std::pair<Date, std::uint32_t>> live;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string_view record = std::string_view(dbf).substr(headerLength + i * recordLength, recordLength);
        if (record[0] == '*')
            continue;
        const auto valuta = Date::parseCompact(record.substr(9, 8)); // after the flag and DATA
        ASSERT_TRUE(valuta.has_value()) << "record " << i + 1;
        live.emplace_back(*valuta, i + 1);
    }
    ASSERT_EQ(live.size(), 400u - 56u);
    std::stable_sort(live.begin(), live.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    const std::string image = readAll(dir.file("mov.mdx"));
    ASSERT_EQ(parseMdxTagNames(image), std::vector<std::string>{"VALUTA"});
    const TreeWalk walk = walkTag(image, 0);
    ASSERT_EQ(walk.leaves.size(), live.size());
    for (std::size_t i = 0; i < live.size(); ++i) {
        EXPECT_EQ(walk.leaves[i].first, live[i].second) << "entry " << i;
        EXPECT_EQ(walk.leaves[i].second, encodeDateKey(live[i].first)) << "entry " << i;
    }
}

TEST(MdxTdbfFiles, OurReadingAndKeysMatchIndexesTdbfWrote) {
    // Written by Free Pascal's TDbf (dBase IV, language driver 0x57) for 300 records where
    // record I holds OPERAZIONE "OP<I mod 17>", TIPO "TIPO<I mod 5>", IMPORTO (I mod 23) * 12.5 - 100:
    // the same layout read back, the same key bytes for every record, the same order.
    const std::string dir = std::string(VALMORA_TEST_DATA) + "/dbase/mdx/";
    const std::string image = readAll(dir + "tdbf-tre-tag.mdx");
    ASSERT_EQ(parseMdxTagNames(image), (std::vector<std::string>{"OPERAZIONE", "TIPO", "IMPORTO"}));
    for (std::size_t tag = 0; tag < 3; ++tag) {
        SCOPED_TRACE(tag);
        const TreeWalk walk = walkTag(image, tag, false);
        ASSERT_EQ(walk.leaves.size(), 300u);
        EXPECT_GE(walk.depth, 1) << "interior nodes were read";
        std::vector<MdxEntry> ours;
        for (const auto& [recno, key] : walk.leaves) {
            const int i = static_cast<int>(recno);
            std::string expected;
            if (tag == 0)
                expected = encodeCharKey("OP" + std::to_string(i % 17), 10);
            else if (tag == 1)
                expected = encodeCharKey("TIPO" + std::to_string(i % 5), 25);
            else
                expected = numericKey(Money::fromUnits((i % 23) * 125000 - 1000000));
            EXPECT_EQ(hex(key), hex(expected)) << "record " << recno;
            ours.emplace_back(recno, expected);
        }
        // Our writer, given the same keys in any order, lays them out in TDbf's order.
        std::mt19937 rng(static_cast<unsigned>(tag));
        std::shuffle(ours.begin(), ours.end(), rng);
        const char type = tag == 2 ? 'N' : 'C';
        const int length = tag == 0 ? 10 : tag == 1 ? 25 : 12;
        const std::string mine = buildMdxImage("TRETAG", {MdxTag{"T", "T", type, length, ours}}, Date());
        EXPECT_EQ(walkTag(mine, 0).leaves, walk.leaves);
    }
    EXPECT_EQ(parseMdxTagNames(readAll(dir + "tdbf-dbase4.mdx")), std::vector<std::string>{"NOME"});
    // Level 7: version 3, longer tag names.
    EXPECT_EQ(parseMdxTagNames(readAll(dir + "tdbf-livello7.mdx")), std::vector<std::string>{"DATA"});
}

TEST(MdxFile, APowerCutAtAnyPointLeavesTheOldIndexOrTheNewOneWhole) {
    // Stop the process after each change the write makes (with the change cut half way or
    // not made at all): the index on disk is always one of the two complete files. A full
    // disk on the way is reported and also leaves the old one.
    TempDir dir;
    const std::string path = dir.file("CONTO.mdx");
    std::vector<MdxEntry> before, after;
    for (std::uint32_t r = 1; r <= 500; ++r) {
        before.emplace_back(r, encodeDateKey(ymd(2024, 1, 1).addDays(static_cast<int>(r % 50))));
        after.emplace_back(r, encodeDateKey(ymd(2025, 1, 1).addDays(static_cast<int>(r % 60))));
    }
    const std::string oldImage = buildMdxImage("CONTO", {dateTag(before)}, ymd(2024, 12, 31));
    const std::string newImage = buildMdxImage("CONTO", {dateTag(after)}, ymd(2025, 6, 30));

    for (const std::optional<std::size_t> torn : {std::optional<std::size_t>(), std::optional<std::size_t>(5000)}) {
        bool finished = false;
        for (int k = 0; !finished && k < 50; ++k) {
            SCOPED_TRACE("crash after " + std::to_string(k) + " changes" + (torn ? ", torn" : ""));
            writeMdx(*diskFileSystem(), path, "CONTO", {dateTag(before)}, ymd(2024, 12, 31));
            FaultyFileSystem faulty;
            faulty.crashAfterChanges(k, torn);
            try {
                writeMdx(faulty, path, "CONTO", {dateTag(after)}, ymd(2025, 6, 30));
                finished = true;
            } catch (const SimulatedCrash&) {
            }
            const std::string onDisk = readAll(path);
            EXPECT_TRUE(onDisk == oldImage || onDisk == newImage)
                << "a half-written index of " << onDisk.size() << " bytes";
            if (finished) {
                EXPECT_TRUE(onDisk == newImage);
                EXPECT_GE(k, 3) << "the write was stopped at fewer points than it makes changes";
            }
        }
        EXPECT_TRUE(finished);
    }

    for (const std::uint64_t budget : {std::uint64_t{0}, std::uint64_t{1000}, std::uint64_t{newImage.size() - 1}}) {
        writeMdx(*diskFileSystem(), path, "CONTO", {dateTag(before)}, ymd(2024, 12, 31));
        FaultyFileSystem full;
        full.failWritesAfterBytes(budget);
        EXPECT_THROW(writeMdx(full, path, "CONTO", {dateTag(after)}, ymd(2025, 6, 30)), TableError) << budget;
        EXPECT_TRUE(readAll(path) == oldImage) << "budget " << budget;
    }
}
