// How a table's changes reach its file.
//
// Every post is written through at once, in an order that a crash at any
// moment cannot turn into the loss of a row already posted:
//   - a new row: its bytes and the end-of-data mark go after the last record,
//     then the header's record count; a crash in between leaves bytes past the
//     count, which every reader ignores and the next open trims;
//   - an edited row: its bytes, in place;
//   - a deleted row: its flag byte, in place.
// Deleted rows are dropped by writing a complete new file beside the old one
// and renaming it over it, never by moving records inside the live file.

#include "dbase/Mdx.h"
#include "dbase/ReadAhead.h"
#include "dbase/TableImpl.h"

#include <algorithm>
#include <atomic>
#include <ctime>

namespace valmora::dbase {
namespace {

std::string reasonOf(const FileError& e) {
    switch (e.kind()) {
    case FileError::Kind::DiskFull:
        return "il disco è pieno";
    case FileError::Kind::AccessDenied:
        return "accesso negato";
    case FileError::Kind::NotFound:
        return "il file non esiste";
    case FileError::Kind::Other:
        break;
    }
    return std::string("errore del disco (") + e.what() + ")";
}

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

std::string baseNameOf(const std::string& fileName) {
    std::string base = fileName.substr(fileName.find_last_of("/\\") + 1);
    const std::size_t dot = base.find_last_of('.');
    return dot == std::string::npos ? base : base.substr(0, dot);
}

} // namespace

TableError Table::Impl::writeFailure(const FileError& e) const {
    return TableError("Impossibile scrivere nel file " + path() + ": " + reasonOf(e) + ".");
}

void Table::Impl::createFile(const std::vector<FieldDef>& fields, const IndexDef& index) {
    const std::string p = path();
    if (!index.field.empty() && std::none_of(fields.begin(), fields.end(), [&](const FieldDef& f) {
            return equalsIgnoringCase(f.name, index.field);
        }))
        throw TableError("Impossibile creare il file " + p + ": l'indice " + index.tag + " usa il campo " +
                         index.field + ", che la tabella non ha.");
    DbfLayout fresh = buildDbfLayout(fields, index.field, p);
    std::string image = fresh.headerBytes;
    image.replace(1, 7, headerCountBytes(clock->today(), 0));
    image.push_back(kEndOfData);

    // A new file is written beside and renamed into place, so an old table of the
    // same name is either untouched or wholly replaced.
    const std::string temporary = temporaryPathFor(p);
    try {
        if (!folder.empty() && !fs->exists(folder))
            fs->makeDirectories(folder);
        {
            auto out = fs->open(temporary, OpenMode::Create);
            out->writeAt(0, image.data(), image.size());
            out->sync();
        }
        fs->rename(temporary, p);
        fs->syncDirectory(folder);
    } catch (const FileError& e) {
        try {
            if (fs->exists(temporary))
                fs->remove(temporary);
        } catch (const FileError&) {
        }
        throw TableError("Impossibile creare il file " + p + ": " + reasonOf(e) + ".");
    }
    createdIndex = index;
    layout = std::move(fresh);
    blankRecord.clear();
    clearRows();
    if (!index.tag.empty())
        writeIndex();
}

void Table::Impl::loadFile() {
    const std::string p = path();
    try {
        if (fs->exists(temporaryPathFor(p)))
            fs->remove(temporaryPathFor(p)); // left by a compaction that never reached its rename
    } catch (const FileError&) {
    }
    readOnly = false;
    try {
        file = fs->open(p, OpenMode::ReadWrite);
    } catch (const FileError& e) {
        if (e.kind() == FileError::Kind::NotFound)
            throw TableError("Il file " + p + " non esiste.");
        if (e.kind() != FileError::Kind::AccessDenied)
            throw TableError("Impossibile aprire il file " + p + ": " + reasonOf(e) + ".");
        try {
            file = fs->open(p, OpenMode::Read);
            readOnly = true;
        } catch (const FileError& e2) {
            throw TableError("Impossibile aprire il file " + p + ": " + reasonOf(e2) + ".");
        }
    }

    std::uint64_t size = 0;
    try {
        size = file->size();
        // The header is at most 64 KiB; read it first, then only as many records as the file holds.
        std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(size, 0x10000)), '\0');
        head.resize(file->readAt(0, head.data(), head.size()));
        layout = parseDbfHeader(head, size, p);
        const std::uint64_t available = (size - layout.headerLength) / layout.recordLength;
        recordsInFile = std::min<std::uint64_t>(layout.recordCount, available);
    } catch (const FileError& e) {
        file.reset();
        throw TableError("Impossibile leggere il file " + p + ": " + reasonOf(e) + ".");
    } catch (...) {
        file.reset();
        throw;
    }

    blankRecord.clear(); // the layout may differ from the last file's
    clearRows();
    deletedInFile = 0;
    // The records are read straight into one run of the store, which then holds the live rows' bytes
    // where they lie (no copy, no allocation per row). recordsInFile is bounded by the file's size,
    // so a header that claims more records cannot ask for more memory than the file holds. The
    // blocks are read on a second thread, while the records of those already read are checked here.
    const std::size_t recordLength = layout.recordLength;
    const std::uint64_t perRead = std::max<std::uint64_t>(1, (std::uint64_t{4} << 20) / recordLength);
    try {
        char* run = store.makeRun(static_cast<std::size_t>(recordsInFile));
        arena.reserveRun(static_cast<std::size_t>(recordsInFile));
        rows.reserve(static_cast<std::size_t>(recordsInFile));
        const auto blocks = static_cast<std::size_t>((recordsInFile + perRead - 1) / perRead);
        const std::size_t blockBytes = static_cast<std::size_t>(perRead) * recordLength;
        std::atomic<std::size_t> readerAt{0}; // blocks the reader has started
        ReadAhead reading(blocks, [&, run](std::size_t b) {
            readerAt.store(b + 1, std::memory_order_relaxed);
            const std::uint64_t first = b * perRead;
            const auto want = static_cast<std::size_t>(std::min(perRead, recordsInFile - first) * recordLength);
            std::size_t got = 0;
            try {
                got = file->readAt(layout.dataEnd(first), run + first * recordLength, want);
            } catch (const FileError& e) {
                throw TableError("Impossibile leggere il file " + p + ": " + reasonOf(e) + ".");
            }
            if (got != want)
                throw TableError("Impossibile leggere il file " + p + ": il file è cambiato durante la lettura.");
        });
        // The system clears each fresh page before its first use, inside the reader's copy; on a
        // virtual machine that can take as long as the copy itself. While the reader is ahead of the
        // checking, this thread readies the memory of the last blocks, a huge page at a time, going
        // back towards the reader; the two stop a block apart.
        std::size_t readied = static_cast<std::size_t>(recordsInFile) * recordLength; // backed from here on
        bool canReady = true;
        const auto readyMore = [&] {
            if (!canReady || readied == 0)
                return false;
            const std::size_t readersEnd = (readerAt.load(std::memory_order_relaxed) + 1) * blockBytes;
            const std::size_t from = (readied - 1) / RecordStore::kHugePage * RecordStore::kHugePage;
            if (from < readersEnd)
                return false;
            canReady = RecordStore::backWithMemory(run + from, readied - from);
            readied = from;
            return canReady;
        };
        for (std::uint64_t first = 0; first < recordsInFile; first += perRead) {
            const std::uint64_t count = std::min(perRead, recordsInFile - first);
            char* block = run + first * recordLength;
            reading.waitFor(static_cast<std::size_t>(first / perRead), readyMore);
            for (std::uint64_t k = 0; k < count; ++k) {
                const std::uint64_t i = first + k;
                char* slot = block + k * recordLength;
                if (static_cast<std::uint8_t>(slot[0]) == kDeletedRecord) {
                    ++deletedInFile;
                    store.giveBack(slot);
                    continue;
                }
                const std::string_view record(slot, recordLength);
                for (std::size_t f = 0; f < layout.fields.size(); ++f)
                    checkStoredField(record.substr(layout.offsets[f], static_cast<std::size_t>(layout.fields[f].width)),
                                     fieldContext(f), i + 1);
                slot[0] = static_cast<char>(kLiveRecord);
                TableRow* row = arena.make();
                row->data = slot;
                row->paddingFrom = static_cast<std::uint32_t>(paddingStart(record));
                row->id = nextRowId++;
                row->recordIndex = i;
                rows.push_back(row);
            }
        }
    } catch (...) {
        clearRows();
        file.reset();
        throw;
    }

    // A record torn by a crash, or bytes written past the count, are dropped so the
    // next append starts from a clean end.
    const std::uint64_t end = layout.dataEnd(recordsInFile);
    if (!readOnly && (recordsInFile != layout.recordCount || size != end + 1)) {
        try {
            const char mark = kEndOfData;
            file->writeAt(end, &mark, 1);
            file->truncate(end + 1);
            if (recordsInFile != layout.recordCount) {
                const std::string count = headerCountBytes(clock->today(), static_cast<std::uint32_t>(recordsInFile));
                file->writeAt(1, count.data(), count.size());
            }
            file->sync();
        } catch (const FileError&) {
            // Still readable as it is; the next append writes at the right place anyway.
        }
    }
    layout.recordCount = static_cast<std::uint32_t>(recordsInFile);
}

void Table::Impl::appendToFile(std::string_view records) {
    try {
        writePastCount(0, records);
        countAppended(records.size() / layout.recordLength);
    } catch (...) {
        markEndOfCountedData();
        throw;
    }
}

void Table::Impl::writePastCount(std::uint64_t after, std::string_view records) {
    requireWritable();
    const std::uint64_t first = recordsInFile + after;
    if (first + records.size() / layout.recordLength > 0xFFFFFFFFu)
        throw TableError("La tabella " + path() + " non può contenere altri record.");
    std::string& data = writeScratch;
    data.assign(records);
    data.push_back(kEndOfData);
    try {
        file->writeAt(layout.dataEnd(first), data.data(), data.size());
    } catch (const FileError& e) {
        throw writeFailure(e);
    }
}

void Table::Impl::markEndOfCountedData() noexcept {
    try {
        const char mark = kEndOfData;
        file->writeAt(layout.dataEnd(recordsInFile), &mark, 1);
    } catch (...) {
    }
}

void Table::Impl::countAppended(std::uint64_t added) {
    bool countWritten = false;
    try {
        const std::string count =
            headerCountBytes(updateDate(), static_cast<std::uint32_t>(recordsInFile + added));
        countWritten = true;
        file->writeAt(1, count.data(), count.size());
        syncAfterPost();
    } catch (const FileError& e) {
        if (countWritten) {
            // The caller is told the row was not saved, so the file must not count it either.
            try {
                const std::string count = headerCountBytes(updateDate(), static_cast<std::uint32_t>(recordsInFile));
                file->writeAt(1, count.data(), count.size());
            } catch (const FileError&) {
            }
        }
        throw writeFailure(e);
    }
    recordsInFile += added;
    layout.recordCount = static_cast<std::uint32_t>(recordsInFile);
}

Date Table::Impl::updateDate() {
    // Asking the system's calendar costs more than the rest of a post; within one second of the
    // clock its answer cannot change, so it is asked once a second. A second that ticked during the
    // asking is not remembered, so a post just after midnight never gets the day before.
    if (clock != &systemClock)
        return clock->today();
    const std::time_t before = std::time(nullptr);
    if (before == stampSecond)
        return stampDate;
    const Date today = clock->today();
    if (std::time(nullptr) == before) {
        stampSecond = before;
        stampDate = today;
    }
    return today;
}

void Table::Impl::rewriteInFile(const TableRow& row, const std::string& record) {
    requireWritable();
    try {
        file->writeAt(layout.dataEnd(row.recordIndex), record.data(), record.size());
        syncAfterPost();
    } catch (const FileError& e) {
        throw writeFailure(e);
    }
}

void Table::Impl::markDeletedInFile(const TableRow& row) {
    requireWritable();
    try {
        const char flag = static_cast<char>(kDeletedRecord);
        file->writeAt(layout.dataEnd(row.recordIndex), &flag, 1);
        syncAfterPost();
    } catch (const FileError& e) {
        throw writeFailure(e);
    }
    ++deletedInFile;
}

void Table::Impl::markDeletedInFile(const TableRow* const* run, std::size_t count) {
    if (count == 1)
        return markDeletedInFile(*run[0]);
    requireWritable();
    std::string& data = writeScratch;
    data.clear();
    for (std::size_t i = 0; i < count; ++i) {
        data += bytesOf(run[i]);
        data[i * layout.recordLength] = static_cast<char>(kDeletedRecord);
    }
    const std::uint64_t at = layout.dataEnd(run[0]->recordIndex);
    try {
        file->writeAt(at, data.data(), data.size());
        syncAfterPost();
    } catch (const FileError& e) {
        // Part of the run may have landed. The caller is told none of these rows went, so their
        // records are put back as they were, if the file lets us.
        try {
            for (std::size_t i = 0; i < count; ++i)
                data[i * layout.recordLength] = static_cast<char>(kLiveRecord);
            file->writeAt(at, data.data(), data.size());
        } catch (const FileError&) {
        }
        throw writeFailure(e);
    }
    deletedInFile += count;
}

void Table::Impl::compact() {
    requireWritable();
    sweepDeletedRows(); // the new file holds the live rows only
    const std::string p = path();
    const std::string temporary = temporaryPathFor(p);
    std::string image = layout.headerBytes;
    image.replace(1, 7, headerCountBytes(clock->today(), static_cast<std::uint32_t>(rows.size())));
    image.reserve(image.size() + rows.size() * layout.recordLength + 1);
    for (const auto& row : rows)
        image += bytesOf(row);
    image.push_back(kEndOfData);

    try {
        auto out = fs->open(temporary, OpenMode::Create);
        out->writeAt(0, image.data(), image.size());
        out->sync();
    } catch (const FileError& e) {
        try {
            if (fs->exists(temporary))
                fs->remove(temporary);
        } catch (const FileError&) {
        }
        throw writeFailure(e);
    }

    // The old file is closed before the rename (a system may refuse to replace an open file)
    // and whichever file the path then names is opened again.
    file.reset();
    bool renamed = false;
    try {
        fs->rename(temporary, p);
        renamed = true;
        fs->syncDirectory(folder);
    } catch (const FileError&) {
    }
    try {
        file = fs->open(p, OpenMode::ReadWrite);
    } catch (const FileError& e) {
        throw TableError("Impossibile riaprire il file " + p + " dopo averlo compattato: " + reasonOf(e) + ".");
    }
    if (!renamed) {
        try {
            fs->remove(temporary);
        } catch (const FileError&) {
        }
        throw TableError("Impossibile compattare il file " + p + ": non è stato possibile sostituirlo.");
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i]->recordIndex = i;
    recordsInFile = rows.size();
    deletedInFile = 0;
    layout.recordCount = static_cast<std::uint32_t>(recordsInFile);
    layout.headerBytes = image.substr(0, layout.headerLength);
    indexDirty = true;
}

void Table::Impl::syncAfterPost() {
    // Inside a bulk change (controls disabled) the bytes still reach the system at once, so a
    // crash of the program loses nothing; only the flush to the platters waits for the end.
    if (disableDepth > 0) {
        syncPending = true;
        return;
    }
    file->sync();
    syncPending = false;
}

void Table::Impl::flushPendingSync() {
    if (!syncPending || !file)
        return;
    try {
        file->sync();
        syncPending = false;
    } catch (const FileError& e) {
        throw writeFailure(e);
    }
}

bool Table::Impl::compactQuietly() {
    // At open and close a failed compaction costs nothing: the old file is whole and still in use.
    try {
        compact();
        return true;
    } catch (const TableError&) {
        return false;
    }
}

void Table::Impl::writeIndex() {
    // The .mdx is for other dBase programs; this engine rebuilds order from the table.
    // A failure to write it must not stop the user, so it is left stale.
    if (createdIndex.tag.empty() || createdIndex.field.empty() || readOnly)
        return;
    auto field = findField(createdIndex.field);
    if (!field)
        return;
    const FieldDef& def = layout.fields[*field];
    MdxTag tag;
    tag.name = createdIndex.tag;
    tag.expression = def.name;
    try {
        switch (def.type) {
        case FieldType::Character:
            tag.keyType = 'C';
            tag.keyLength = def.width;
            break;
        case FieldType::Date:
            tag.keyType = 'D';
            tag.keyLength = kMdxDateKeyLength;
            break;
        case FieldType::Numeric:
            tag.keyType = 'N';
            tag.keyLength = kMdxNumericKeyLength;
            break;
        default:
            return;
        }
        for (const auto& row : rows) {
            if (row->deleted())
                continue;
            std::string_view bytes =
                bytesOf(row).substr(layout.offsets[*field], static_cast<std::size_t>(def.width));
            std::string key;
            if (tag.keyType == 'C')
                key = encodeCharKey(bytes, def.width);
            else if (tag.keyType == 'D')
                key = encodeDateKey(readDate(bytes, fieldContext(*field)));
            else
                key = encodeNumericKey(bytes);
            tag.entries.emplace_back(static_cast<std::uint32_t>(row->recordIndex + 1), std::move(key));
        }
        std::vector<MdxTag> tags;
        tags.push_back(std::move(tag));
        writeMdx(*fs, mdxPath(), baseNameOf(fileName), std::move(tags), clock->today());
        indexDirty = false;
    } catch (const TableError&) {
    }
}

} // namespace valmora::dbase
