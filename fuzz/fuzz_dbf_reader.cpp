// Fuzz target: any bytes given to the table reader as a .dbf (and, after a "\0MDX"
// marker, as its .mdx) either open, walk and take a rewrite of a row, an append, a
// delete and a compaction, or fail with a TableError. Anything else
// - a crash, a sanitizer report, another exception, a hang - is a fault.
//
// Built two ways: with clang and -fsanitize=fuzzer (run-fuzzer.sh) and, with
// replay_main.cpp, as an ordinary program that replays the committed corpus in CTest.

#include "MemoryFileSystem.h"
#include "dbase/Mdx.h"
#include "dbase/Table.h"

#include <cstdint>
#include <string_view>
#include <vector>

using namespace valmora::dbase;

namespace {

template <typename Read> void tolerate(Read read) {
    try {
        read();
    } catch (const TableError&) {
        // a field that cannot be read as this type: said in words, not a fault
    }
}

void readEveryField(Table& t) {
    for (int i = 0; i < t.fieldCount(); ++i) {
        Field f = t.field(i);
        tolerate([&] { (void)f.value(); });
        tolerate([&] { (void)f.asString(); });
        tolerate([&] { (void)f.asMoney(); });
        tolerate([&] { (void)f.asFloat(); });
        tolerate([&] { (void)f.asInteger(); });
        tolerate([&] { (void)f.asDate(); });
        tolerate([&] { (void)f.asBoolean(); });
        (void)f.isNull();
    }
}

void walk(Table& t) {
    int guard = 0;
    for (t.first(); !t.eof() && guard < 100000; t.next(), ++guard)
        readEveryField(t);
    for (t.last(); !t.bof() && guard < 200000; t.prior(), ++guard)
        readEveryField(t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view marker("\0MDX", 4);
    const std::size_t split = input.find(marker);

    auto fs = std::make_shared<MemoryFileSystem>();
    fs->put("/fuzz/t.dbf", std::string(input.substr(0, split)));
    if (split != std::string_view::npos) {
        const std::string mdx(input.substr(split + marker.size()));
        fs->put("/fuzz/t.mdx", mdx);
        (void)parseMdxTagNames(mdx);
    }

    try {
        Table t(fs);
        t.bind("/fuzz", "t.dbf");
        t.open();
        walk(t);
        for (const std::string& tag : t.indexTags()) {
            tolerate([&] { t.setIndexName(tag); });
            walk(t);
        }
        for (int i = 0; i < t.fieldCount() && i < 4; ++i) {
            const std::string name = t.fieldDefs()[static_cast<std::size_t>(i)].name;
            tolerate([&] { t.setIndexFieldNames(name); });
            walk(t);
        }
        // Writing back into a damaged file: rewrite the first row as read, append a copy of
        // it, delete the first row and compact. Each either works or is refused in words.
        tolerate([&] {
            t.setIndexName("");
            t.first();
            if (t.eof())
                return;
            std::vector<Value> copy;
            t.edit();
            for (int i = 0; i < t.fieldCount(); ++i) {
                Field f = t.field(i);
                copy.push_back(f.value());
                f.setValue(copy.back());
            }
            t.post();
            t.appendRecord(copy);
            t.first();
            t.deleteRecord();
            t.pack();
            walk(t);
        });
        tolerate([&] {
            if (t.isEditing())
                t.cancel();
        });
        t.close();
    } catch (const TableError&) {
        // a broken table, refused with a message
    }
    return 0;
}
