// Reading a table's file at open, and setting right what a crash or another program left in it:
// an edit cut short (its journal is replayed), records past the header's count (set aside in a
// file beside the table, never destroyed), a torn last record (dropped).

#include "dbase/OpenFiles.h"
#include "dbase/TableImpl.h"

#include <algorithm>

namespace valmora::dbase {
namespace {

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

// "conto.dbf" -> "conto_recuperati.dbf", then "conto_recuperati2.dbf" and so on while one exists.
std::string setAsidePathFor(FileSystem& fs, const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : ".dbf";
    std::string candidate = stem + "_recuperati" + extension;
    for (int n = 2; fs.exists(candidate); ++n)
        candidate = stem + "_recuperati" + std::to_string(n) + extension;
    return candidate;
}

} // namespace

void Table::Impl::openForReadingAndWriting() {
    const std::string p = path();
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
    if (undo)
        logThroughUndo(); // opened again in the middle of a command that may still be taken back
}

void Table::Impl::loadFile() {
    const std::string p = path();
    try {
        if (fs->exists(temporaryPathFor(p)))
            fs->remove(temporaryPathFor(p)); // left by a compaction that never reached its rename
    } catch (const FileError&) {
    }
    openForReadingAndWriting();
    blankRecord.clear(); // the layout may differ from the last file's
    clearRows();
    deletedInFile = 0;
    std::uint64_t size = 0;
    try {
        // Another table object of this program with the file open may be in the middle of an
        // edit: its journal is its own.
        if (!readOnly && OpenFiles::count(OpenFiles::keyFor(p)) == 0)
            EditJournal::replay(*fs, *file, p, folder);
        size = file->size();
        readRecords(size);
    } catch (const FileError& e) {
        clearRows();
        file.reset();
        throw TableError("Impossibile leggere il file " + p + ": " + reasonOf(e) + ".");
    } catch (...) {
        clearRows();
        file.reset();
        throw;
    }
    if (!readOnly) {
        setAsideUncounted(size);
        trimToCountedRecords(size);
    }
    layout.recordCount = static_cast<std::uint32_t>(recordsInFile);
}

void Table::Impl::readRecords(std::uint64_t size) {
    // The header is at most 64 KiB; read it first, then the records in one read. recordsInFile is
    // bounded by the file's size, so a header that claims more records cannot ask for more memory
    // than the file holds.
    const std::string p = path();
    std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(size, 0x10000)), '\0');
    head.resize(file->readAt(0, head.data(), head.size()));
    layout = parseDbfHeader(head, size, p);
    const std::uint64_t available = (size - layout.headerLength) / layout.recordLength;
    recordsInFile = std::min<std::uint64_t>(layout.recordCount, available);
    const std::size_t recordLength = layout.recordLength;
    const auto total = static_cast<std::size_t>(recordsInFile) * recordLength;
    loaded = std::make_unique_for_overwrite<char[]>(total); // the read fills it: no clearing first
    if (file->readAt(layout.headerLength, loaded.get(), total) != total)
        throw TableError("Impossibile leggere il file " + p + ": il file è cambiato durante la lettura.");
    rows.reserve(static_cast<std::size_t>(recordsInFile));
    loadedRows = std::make_unique<TableRow[]>(static_cast<std::size_t>(recordsInFile));
    for (std::uint64_t i = 0; i < recordsInFile; ++i) {
        char* record = loaded.get() + i * recordLength;
        if (static_cast<std::uint8_t>(record[0]) == kDeletedRecord) {
            ++deletedInFile;
            continue;
        }
        const std::string_view bytes(record, recordLength);
        for (std::size_t f = 0; f < layout.fields.size(); ++f)
            checkStoredField(bytes.substr(layout.offsets[f], static_cast<std::size_t>(layout.fields[f].width)),
                             fieldContext(f), i + 1);
        record[0] = static_cast<char>(kLiveRecord);
        TableRow& row = loadedRows[static_cast<std::size_t>(i)];
        row.data = record;
        row.inBlock = true;
        adopt(RowPtr(&row), i);
    }
}

void Table::Impl::setAsideUncounted(std::uint64_t size) {
    // Whole records past the count, up to the first that does not start with a record's flag (a
    // failed append puts the end mark back right after the counted records, so what it wrote is not
    // taken for a record): a crash before
    // counting, or another program that wrote a wrong count. They go to a table of the same layout
    // beside this one before the file is trimmed; if that fails, nothing is trimmed.
    const std::uint64_t end = layout.dataEnd(recordsInFile);
    const std::uint64_t whole = (size - end) / layout.recordLength;
    std::string records(static_cast<std::size_t>(whole * layout.recordLength), '\0');
    try {
        records.resize(file->readAt(end, records.data(), records.size()));
    } catch (const FileError&) {
        return;
    }
    std::size_t count = 0;
    auto isRecord = [&](std::size_t k) {
        const auto flag = static_cast<std::uint8_t>(records[k * layout.recordLength]);
        return (k + 1) * layout.recordLength <= records.size() && (flag == kLiveRecord || flag == kDeletedRecord);
    };
    while (isRecord(count))
        ++count;
    if (count == 0)
        return;
    records.resize(count * layout.recordLength);
    std::string image = layout.headerBytes;
    image.replace(1, 7, headerCountBytes(updateDate(), static_cast<std::uint32_t>(count)));
    image += records;
    image.push_back(kEndOfData);
    const std::string aside = setAsidePathFor(*fs, path());
    try {
        auto out = fs->open(aside, OpenMode::Create);
        out->writeAt(0, image.data(), image.size());
        out->sync();
        fs->syncDirectory(folder);
    } catch (const FileError&) {
        readOnly = true; // the records past the count stay where they are; the table is read only this time
        openNotices.push_back("Il file " + path() + " contiene " + std::to_string(count) +
                              " record oltre quelli dichiarati, che non è stato possibile mettere da parte: "
                              "la tabella è aperta in sola lettura.");
        return;
    }
    openNotices.push_back("Il file " + path() + " conteneva " + std::to_string(count) +
                          " record oltre quelli dichiarati nell'intestazione: " +
                          (count == 1 ? "è stato messo" : "sono stati messi") + " da parte nel file " + aside + ".");
}

void Table::Impl::trimToCountedRecords(std::uint64_t size) {
    // A record torn by a crash, or bytes written past the count (set aside above), are dropped so
    // the next append starts from a clean end.
    if (readOnly)
        return;
    const std::uint64_t end = layout.dataEnd(recordsInFile);
    if (recordsInFile == layout.recordCount && size == end + 1)
        return;
    try {
        const char mark = kEndOfData;
        file->writeAt(end, &mark, 1);
        file->truncate(end + 1);
        if (recordsInFile != layout.recordCount) {
            const std::string count = headerCountBytes(updateDate(), static_cast<std::uint32_t>(recordsInFile));
            file->writeAt(1, count.data(), count.size());
        }
        file->sync();
    } catch (const FileError&) {
        // Still readable as it is; the next append writes at the right place anyway.
    }
}

} // namespace valmora::dbase
