// A command that can be taken back: the table's writes logged first (UndoLog.h).

#include "dbase/TableImpl.h"

namespace valmora::dbase {

void Table::Impl::logThroughUndo() {
    file = std::make_unique<UndoLoggedFile>(std::move(file), *undo);
}

void Table::beginUndo(const std::string& logPath) {
    Impl& d = *d_;
    d.requireOpen();
    d.requireWritable();
    if (d.undo)
        throw TableError("La tabella " + d.fullPath + " ha già una modifica in corso.");
    try {
        d.undo = std::make_unique<UndoLog>(*d.fs, logPath, d.folder, *d.file);
    } catch (const FileError& e) {
        throw TableError("Impossibile preparare la modifica del file " + d.path() + ": " + reasonOf(e) + ".");
    }
    d.logThroughUndo();
}

void Table::endUndo() {
    Impl& d = *d_;
    if (!d.undo)
        return;
    if (d.file)
        d.file = static_cast<UndoLoggedFile&>(*d.file).release();
    d.undo.reset();
}

} // namespace valmora::dbase
