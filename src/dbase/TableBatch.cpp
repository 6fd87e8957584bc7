// Observers, and the batches that hold back their notifications or the syncs to disk.

#include "dbase/TableImpl.h"

#include <algorithm>

namespace valmora::dbase {

void Table::Impl::notify() {
    if (quietDepth > 0) {
        changedWhileQuiet = true;
        return;
    }
    const std::vector<TableObserver*> copy = observers; // an observer may remove itself
    for (TableObserver* o : copy)
        o->tableChanged(*self);
}

void Table::holdNotifications() {
    ++d_->quietDepth;
}

void Table::releaseNotifications() {
    Impl& d = *d_;
    if (d.quietDepth == 0)
        return;
    if (--d.quietDepth == 0 && d.changedWhileQuiet) {
        d.changedWhileQuiet = false;
        d.notify();
    }
}

void Table::deferSync() {
    ++d_->deferDepth;
}

void Table::endDeferredSync() {
    Impl& d = *d_;
    if (d.deferDepth == 0)
        return;
    // A flush that fails ends the deferral all the same: the next sync (the next change, or the
    // close) flushes what is still pending.
    if (--d.deferDepth == 0)
        d.flushPendingSync();
}

void Table::disableControls() {
    holdNotifications();
    deferSync();
}

void Table::enableControls() {
    if (d_->quietDepth == 0 && d_->deferDepth == 0)
        return;
    endDeferredSync();
    releaseNotifications();
}

bool Table::controlsDisabled() const {
    return d_->quietDepth > 0;
}

void Table::addObserver(TableObserver* o) {
    if (o && std::find(d_->observers.begin(), d_->observers.end(), o) == d_->observers.end())
        d_->observers.push_back(o);
}

void Table::removeObserver(TableObserver* o) {
    std::erase(d_->observers, o);
}

TableBatch::TableBatch(Table& table, Hold hold) : table_(table.isOpen() ? &table : nullptr), hold_(hold) {
    if (!table_)
        return;
    if (hold_ & Notifications)
        table_->holdNotifications();
    if (hold_ & Sync)
        table_->deferSync();
}

TableBatch::~TableBatch() {
    try {
        finish();
    } catch (...) {
        // The error that is unwinding the stack is the one the user sees.
    }
}

void TableBatch::finish() {
    Table* t = table_;
    if (!t)
        return;
    table_ = nullptr;
    try {
        if (hold_ & Sync)
            t->endDeferredSync();
    } catch (...) {
        // The changes are in the file but not flushed: the observers still hear of them.
        if (hold_ & Notifications)
            t->releaseNotifications();
        throw;
    }
    if (hold_ & Notifications)
        t->releaseNotifications();
}

} // namespace valmora::dbase
