// Every movement of a table in its order, for a reading: the filter off and the observers held for the life of
// the object; then the filter, the current row and the observers come back as they were, with one refresh of the
// grid. A reading writes nothing, so a failure while putting things back leaves it as it is.

#pragma once

#include "dbase/Table.h"

namespace valmora {

class LetturaCompleta {
public:
    explicit LetturaCompleta(dbase::Table& t)
        : t_(t), trattenuta_(t), filtrato_(t.filtered()), posto_(t.getBookmark()) {
        if (filtrato_)
            t_.setFiltered(false);
    }
    ~LetturaCompleta() {
        try {
            if (filtrato_)
                t_.setFiltered(true);
            if (t_.bookmarkValid(posto_))
                t_.gotoBookmark(posto_);
        } catch (...) {
            // An error already on its way, or none: either way nothing was written.
        }
    }
    LetturaCompleta(const LetturaCompleta&) = delete;
    LetturaCompleta& operator=(const LetturaCompleta&) = delete;

private:
    dbase::Table& t_;
    dbase::TableBatch trattenuta_; // ends after the body above: the observers hear of the table as put back
    bool filtrato_;
    dbase::Table::Bookmark posto_;
};

} // namespace valmora
