// How a table's changes reach its file.
//
// Every post is written through at once, in an order that a crash at any
// moment cannot turn into the loss of a row already posted:
//   - a new row: its bytes and the end-of-data mark go after the last record,
//     then the header's record count; a crash in between leaves bytes past the
//     count, which every reader ignores and the next open sets aside;
//   - an edited row: its old bytes to the journal beside the table (synced),
//     then its new bytes in place; the journal goes once they are synced;
//   - a deleted row: its flag byte, in place.
// Deleted rows are dropped by writing a complete new file beside the old one
// and renaming it over it, never by moving records inside the live file.

#include "dbase/TableImpl.h"

#include <algorithm>

namespace valmora::dbase {

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
    image.replace(1, 7, headerCountBytes(updateDate(), 0));
    image.push_back(kEndOfData);

    // A new file is written beside and renamed into place, so an old table of the
    // same name is either untouched or wholly replaced.
    const std::string temporary = p + ".tmp";
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
    std::string data;
    data.reserve(records.size() + 1);
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
        const std::string count = headerCountBytes(updateDate(), static_cast<std::uint32_t>(recordsInFile + added));
        countWritten = true;
        file->writeAt(1, count.data(), count.size());
        syncAfterChange();
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

void Table::Impl::rewriteInFile(const TableRow& row, const std::string& record) {
    requireWritable();
    const std::uint64_t at = layout.dataEnd(row.recordIndex);
    const std::string_view old = bytesOf(&row);
    try {
        journal.record(*fs, path(), folder, at + 1, old.substr(1));
    } catch (const FileError& e) {
        throw writeFailure(e); // the table is not touched yet
    }
    try {
        file->writeAt(at, record.data(), record.size());
        syncAfterChange();
    } catch (const FileError& e) {
        // Part of the new bytes may have landed: the old ones back, if the file lets us; else the
        // journal keeps them, for the next sync or the next open.
        try {
            file->writeAt(at + 1, old.data() + 1, old.size() - 1);
        } catch (const FileError&) {
            journal.repairLater(at + 1, old.substr(1));
        }
        throw writeFailure(e);
    }
}

void Table::Impl::markDeletedInFile(const TableRow* const* run, std::size_t count) {
    requireWritable();
    std::string data;
    data.reserve(count * layout.recordLength);
    for (std::size_t i = 0; i < count; ++i) {
        data += bytesOf(run[i]);
        data[i * layout.recordLength] = static_cast<char>(kDeletedRecord);
    }
    if (count == 1)
        data.resize(1); // the flag byte is all that changes
    const std::uint64_t at = layout.dataEnd(run[0]->recordIndex);
    try {
        file->writeAt(at, data.data(), data.size());
        syncAfterChange();
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

void Table::Impl::syncAfterChange() {
    // Inside a batch that defers the sync the bytes still reach the system at once, so a crash of
    // the program loses nothing; only the flush to the platters waits for the end.
    if (deferDepth > 0) {
        syncPending = true;
        return;
    }
    file->sync();
    syncPending = false;
    try {
        journal.discard(*fs, folder, *file);
    } catch (const FileError&) {
        // The change itself is on disk; the journal goes at the next sync.
    }
}

void Table::Impl::flushPendingSync() {
    if (!file || (!syncPending && !journal.active()))
        return;
    try {
        file->sync();
        syncPending = false;
        journal.discard(*fs, folder, *file);
    } catch (const FileError& e) {
        throw writeFailure(e);
    }
}

} // namespace valmora::dbase
