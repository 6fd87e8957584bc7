// Dropping deleted rows from the file (a new file renamed over the old one), and the production
// index (.mdx) kept beside it for other dBase programs.

#include "dbase/Mdx.h"
#include "dbase/TableImpl.h"

namespace valmora::dbase {
namespace {

std::string baseNameOf(const std::string& fileName) {
    std::string base = fileName.substr(fileName.find_last_of("/\\") + 1);
    const std::size_t dot = base.find_last_of('.');
    return dot == std::string::npos ? base : base.substr(0, dot);
}

// The field whose descriptor says it has a tag in the production index (byte 31 of a dBase IV
// descriptor); nullopt when none does or the header is of another level.
std::optional<std::size_t> fieldFlaggedAsIndexed(const DbfLayout& layout) {
    if (layout.level7 || layout.headerBytes.size() < 32 + 32 * layout.fields.size())
        return std::nullopt;
    for (std::size_t f = 0; f < layout.fields.size(); ++f)
        if (layout.headerBytes[32 + 32 * f + 31] == 0x01)
            return f;
    return std::nullopt;
}

} // namespace

void Table::Impl::compact() {
    requireWritable();
    if (undo) // the log names bytes by their place in this file
        throw TableError("Impossibile compattare il file " + path() + " durante una modifica in corso.");
    flushPendingSync(); // a journal names records by their place, which is about to change
    sweepDeletedRows(); // the new file holds the live rows only
    const std::string p = path();
    const std::string temporary = p + ".tmp";
    std::string image = layout.headerBytes;
    image.replace(1, 7, headerCountBytes(updateDate(), static_cast<std::uint32_t>(rows.size())));
    image.reserve(image.size() + rows.size() * layout.recordLength + 1);
    for (const auto& row : rows)
        image += bytesOf(row.get());
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
    try {
        for (const auto& row : rows) {
            if (row->deleted)
                continue;
            std::string_view bytes =
                bytesOf(row.get()).substr(layout.offsets[*field], static_cast<std::size_t>(def.width));
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
        writeMdx(*fs, mdxPath(), baseNameOf(fileName), std::move(tags), updateDate());
        indexDirty = false;
    } catch (const TableError&) {
    }
}

void Table::Impl::repairMissingIndex() {
    // Other dBase programs refuse a table whose header promises a production index that is not
    // there (or not readable): it is written again from the rows.
    if (readOnly || layout.headerBytes.size() < 29 || (layout.headerBytes[28] & 0x01) == 0)
        return;
    if (!readMdxTagNames(*fs, mdxPath()).empty())
        return;
    if (createdIndex.tag.empty() || !findField(createdIndex.field)) {
        const auto f = fieldFlaggedAsIndexed(layout);
        if (!f)
            return;
        createdIndex = {layout.fields[*f].name.substr(0, kMdxMaxTagNameLength), layout.fields[*f].name};
    }
    indexDirty = true;
    writeIndex();
    if (!indexDirty)
        openNotices.push_back("L'indice " + mdxPath() + " mancava o era illeggibile: è stato ricreato.");
}

void Table::pack() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    if (d.deletedInFile == 0)
        return;
    if (!d.aloneOnFile())
        throw TableError("Impossibile compattare il file " + d.fullPath + ": è aperto anche da un'altra tabella.");
    const TableRow* current = d.view.empty() ? nullptr : d.view[d.pos].row;
    d.compact();
    d.writeIndex();
    d.placeCursorOn(current);
}

} // namespace valmora::dbase
