// A table's file: its binding to a path, creation, opening and closing.

#include "dbase/Mdx.h"
#include "dbase/OpenFiles.h"
#include "dbase/TableImpl.h"


namespace valmora::dbase {

std::string Table::Impl::path() const {
    if (folder.empty())
        return fileName;
    const char last = folder.back();
    if (last == '/' || last == '\\')
        return folder + fileName;
    return folder + '/' + fileName; // see core/Paths.h
}

std::string Table::Impl::mdxPath() const {
    std::string p = path();
    const std::size_t dot = p.find_last_of('.');
    const std::size_t slash = p.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return p + ".mdx";
    const bool upper = p.size() > dot + 1 && std::isupper(static_cast<unsigned char>(p[dot + 1]));
    return p.substr(0, dot) + (upper ? ".MDX" : ".mdx");
}

bool Table::Impl::aloneOnFile() const {
    return OpenFiles::count(openFileKey) <= 1;
}

void Table::Impl::throwNotOpen() const {
    throw TableError("La tabella " + path() + " non è aperta.");
}

void Table::Impl::requireWritable() const {
    if (readOnly)
        throw TableError("Il file " + path() + " è di sola lettura: le modifiche non possono essere salvate.");
}

std::optional<std::size_t> Table::Impl::findField(std::string_view name) const {
    for (std::size_t i = 0; i < layout.fields.size(); ++i)
        if (equalsIgnoringCase(layout.fields[i].name, name))
            return i;
    return std::nullopt;
}

Table::Table(std::shared_ptr<FileSystem> fs) : d_(std::make_unique<Impl>()) {
    d_->self = this;
    d_->fs = fs ? std::move(fs) : diskFileSystem();
}

Table::~Table() {
    d_->observers.clear(); // they may be gone already; a table being destroyed has nothing to tell
    try {
        close();
    } catch (...) {
        // A destructor cannot report; every post has already reached the file.
    }
}

void Table::bind(std::string folder, std::string fileName) {
    if (d_->isOpen)
        close();
    d_->folder = std::move(folder);
    d_->fileName = std::move(fileName);
    d_->createdIndex = {};
    d_->fullPath = d_->path();
}

const std::string& Table::folder() const {
    return d_->folder;
}
const std::string& Table::fileName() const {
    return d_->fileName;
}
std::string Table::path() const {
    return d_->path();
}

void Table::setClock(const Clock* clock) {
    d_->clock = clock ? clock : &d_->systemClock;
}

void Table::create(const std::vector<FieldDef>& fields, const IndexDef& index) {
    if (d_->isOpen)
        throw TableError("La tabella " + d_->path() + " è aperta e non può essere ricreata.");
    d_->createFile(fields, index);
}

void Table::open() {
    Impl& d = *d_;
    if (d.isOpen)
        return;
    d.openNotices.clear();
    d.loadFile();
    d.isOpen = true;
    d.state = Impl::State::Browse;
    d.openFileKey = OpenFiles::keyFor(d.fullPath);
    OpenFiles::opened(d.openFileKey);
    try {
        if (d.createdIndex.tag.empty()) {
            const std::vector<std::string> tags = readMdxTagNames(*d.fs, d.mdxPath());
            if (!tags.empty())
                if (auto f = d.resolveTag(tags.front()))
                    d.createdIndex = {tags.front(), d.layout.fields[*f].name};
        }
        if (d.deletedInFile > 0 && !d.readOnly && d.aloneOnFile())
            d.compactQuietly();
        d.repairMissingIndex();
        d.resolveOrder();
        if (d.filtered && !d.filterText.empty())
            d.filter = RecordFilter::parse(d.filterText, d.layout, d.fullPath);
        else
            d.filter = RecordFilter();
    } catch (...) {
        OpenFiles::closed(d.openFileKey);
        d.isOpen = false;
        d.file.reset();
        d.view.clear();
        d.clearRows();
        throw;
    }
    d.rebuildView();
    d.pos = 0;
    d.eof = d.view.empty();
    d.bof = true;
    d.notify();
    if (d.tellNotice)
        for (const std::string& notice : d.openNotices)
            d.tellNotice(notice);
}

void Table::close() {
    Impl& d = *d_;
    if (!d.isOpen)
        return;
    if (d.state != Impl::State::Browse)
        cancel();
    d.flushPendingSync();
    if (d.deletedInFile > 0 && !d.readOnly && d.aloneOnFile())
        d.compactQuietly();
    if (d.indexDirty)
        d.writeIndex();
    d.file.reset();
    OpenFiles::closed(d.openFileKey);
    d.view.clear();
    d.clearRows();
    d.isOpen = false;
    d.pos = 0;
    d.eof = d.bof = true;
    d.notify();
}

bool Table::isOpen() const {
    return d_->isOpen;
}

const std::vector<std::string>& Table::openNotices() const {
    return d_->openNotices;
}

void Table::setNoticeHandler(std::function<void(const std::string&)> tell) {
    d_->tellNotice = std::move(tell);
}

std::vector<std::string> Table::indexTags() const {
    return readMdxTagNames(*d_->fs, d_->mdxPath());
}

} // namespace valmora::dbase
