// Thousands of interleaved appends, deletions, edits, moves, filters, bookmarks and reopenings of a
// real table, each checked against a naive model that sorts its rows from scratch after every
// change: the engine keeps its ordered view up to date piece by piece, and must land on exactly
// the rows and positions a full stable sort gives.

#include "MovementsFixture.h"

#include <algorithm>
#include <random>

namespace valmora::dbase::testing {
namespace {

enum class KeyOrder { Valuta, Importo };

struct ModelRow {
    int uid = 0; // written in COMMENTO, so a row read back says which one it is
    int valutaDay = 0;
    int importo = 0; // whole euros
    bool prelievo = true;
    bool live = true;
};

class CountingObserver : public TableObserver {
public:
    void tableChanged(const Table&) override { ++calls; }
    int calls = 0;
};

// The table as the current-row rules describe it, recomputed naively.
class NaiveView {
public:
    explicit NaiveView(KeyOrder order) : order_(order) {}

    std::vector<ModelRow> rows; // record (append) order
    bool filtered = false;      // Operazione ='Prelievo'
    std::vector<std::size_t> view;
    std::size_t pos = 0;
    bool eof = true;
    bool bof = true;

    int key(const ModelRow& r) const { return order_ == KeyOrder::Valuta ? r.valutaDay : r.importo; }
    bool visible(const ModelRow& r) const { return r.live && (!filtered || r.prelievo); }
    bool before(std::size_t a, std::size_t b) const {
        return key(rows[a]) < key(rows[b]) || (key(rows[a]) == key(rows[b]) && a < b);
    }

    void resort() {
        view.clear();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (visible(rows[i]))
                view.push_back(i);
        std::stable_sort(view.begin(), view.end(),
                         [&](std::size_t a, std::size_t b) { return key(rows[a]) < key(rows[b]); });
    }

    // After a post of row i: on it when visible, else where it would have stood.
    void placedAfterPost(std::size_t i) {
        resort();
        const auto at = static_cast<std::size_t>(
            std::count_if(view.begin(), view.end(), [&](std::size_t e) { return e != i && before(e, i); }));
        pos = view.empty() ? 0 : std::min(at, view.size() - 1);
        eof = bof = view.empty();
    }

    void deletedCurrent() {
        rows[view[pos]].live = false;
        resort();
        pos = view.empty() ? 0 : std::min(pos, view.size() - 1);
        eof = bof = view.empty();
    }

    void first() {
        pos = 0;
        bof = true;
        eof = view.empty();
    }
    void last() {
        pos = view.empty() ? 0 : view.size() - 1;
        eof = true;
        bof = view.empty();
    }
    void next() {
        if (view.empty())
            eof = bof = true;
        else if (pos + 1 < view.size())
            ++pos, bof = eof = false;
        else
            eof = true;
    }
    void prior() {
        if (view.empty())
            eof = bof = true;
        else if (pos > 0)
            --pos, bof = eof = false;
        else
            bof = true;
    }

private:
    KeyOrder order_;
};

class TableAgainstNaiveView : public ::testing::TestWithParam<KeyOrder> {
protected:
    void SetUp() override {
        t.bind(dir.str(), "conto.dbf");
        t.create(movementFields(), {"Valuta", "VALUTA"});
        if (GetParam() == KeyOrder::Valuta)
            t.setIndexName("Valuta");
        else
            t.setIndexFieldNames("IMPORTO");
        t.setFilter("Operazione ='Prelievo'");
        t.open();
        t.addObserver(&observer);
    }

    static Date dayOf(int d) { return ymd(2005, 1, 1).addDays(d); }

    ModelRow randomRow() {
        ModelRow r;
        r.uid = nextUid++;
        r.valutaDay = static_cast<int>(rng() % 40); // few distinct keys: ties everywhere
        r.importo = static_cast<int>(rng() % 9) - 4;
        r.prelievo = rng() % 3 != 0;
        return r;
    }

    void append() {
        const ModelRow r = randomRow();
        t.appendRecord(movement(dayOf(r.valutaDay), dayOf(r.valutaDay), r.prelievo ? "Prelievo" : "Accredito",
                                "Sportello", Money::fromWhole(r.importo), std::to_string(r.uid)));
        model.rows.push_back(r);
        model.placedAfterPost(model.rows.size() - 1);
    }

    void editCurrent() {
        if (model.view.empty())
            return;
        const std::size_t i = model.view[model.pos];
        ModelRow& r = model.rows[i];
        const ModelRow before = r;
        t.edit();
        switch (rng() % 4) {
        case 0:
            r.valutaDay = static_cast<int>(rng() % 40);
            t.fieldByName("VALUTA").setDate(dayOf(r.valutaDay));
            break;
        case 1:
            r.importo = static_cast<int>(rng() % 9) - 4;
            t.fieldByName("IMPORTO").setMoney(Money::fromWhole(r.importo));
            break;
        case 2:
            r.prelievo = !r.prelievo;
            t.fieldByName("OPERAZIONE").setString(r.prelievo ? "Prelievo" : "Accredito");
            break;
        default:
            t.fieldByName("TIPO").setString("Bancomat"); // neither key nor filter
            break;
        }
        t.post();
        const bool moved = model.key(before) != model.key(r) || !model.visible(r);
        if (moved) {
            model.placedAfterPost(i);
        } else {
            model.resort();
            model.eof = model.bof = false;
        }
    }

    void insertAndCancel() {
        t.insert();
        t.fieldByName("COMMENTO").setString("mai scritto");
        t.cancel();
        if (!model.view.empty())
            model.eof = model.bof = false;
        else
            model.pos = 0, model.eof = model.bof = true;
    }

    void reopen() {
        t.close();
        t.open();
        std::erase_if(model.rows, [](const ModelRow& r) { return !r.live; });
        model.resort();
        model.first();
        for (auto& [b, uid] : bookmarks)
            EXPECT_FALSE(t.bookmarkValid(b)) << "a bookmark does not survive its table being reopened";
        bookmarks.clear();
    }

    void pack() {
        t.pack();
        if (std::none_of(model.rows.begin(), model.rows.end(), [](const ModelRow& r) { return !r.live; }))
            return; // nothing deleted since the file was last compacted: nothing moves
        const int current = model.view.empty() ? 0 : model.rows[model.view[model.pos]].uid;
        std::erase_if(model.rows, [](const ModelRow& r) { return !r.live; });
        model.resort();
        auto it = std::find_if(model.view.begin(), model.view.end(),
                               [&](std::size_t i) { return model.rows[i].uid == current; });
        model.pos = it == model.view.end() ? 0 : static_cast<std::size_t>(it - model.view.begin());
        model.eof = model.bof = model.view.empty();
    }

    void checkBookmarks() {
        if (!model.view.empty() && rng() % 2 == 0)
            bookmarks.emplace_back(t.getBookmark(), model.rows[model.view[model.pos]].uid);
        for (auto& [b, uid] : bookmarks) {
            auto it = std::find_if(model.view.begin(), model.view.end(),
                                   [&](std::size_t i) { return model.rows[i].uid == uid; });
            const bool valid = it != model.view.end();
            ASSERT_EQ(t.bookmarkValid(b), valid) << "bookmark of row " << uid;
            if (valid && rng() % 4 == 0) {
                t.gotoBookmark(b);
                model.pos = static_cast<std::size_t>(it - model.view.begin());
                model.eof = model.bof = false;
            }
        }
        if (bookmarks.size() > 20)
            bookmarks.erase(bookmarks.begin());
    }

    void expectSameCursor(int step) {
        ASSERT_EQ(t.recordCount(), static_cast<int>(model.view.size())) << "step " << step;
        ASSERT_EQ(t.isEmpty(), model.view.empty()) << "step " << step;
        ASSERT_EQ(t.eof(), model.eof) << "step " << step;
        ASSERT_EQ(t.bof(), model.bof) << "step " << step;
        if (model.view.empty())
            return;
        ASSERT_EQ(t.recNo(), static_cast<int>(model.pos) + 1) << "step " << step;
        ASSERT_EQ(t.fieldByName("COMMENTO").asString(), std::to_string(model.rows[model.view[model.pos]].uid))
            << "step " << step;
    }

    void expectSameWalk(int step) {
        std::vector<std::string> expected;
        for (std::size_t i : model.view)
            expected.push_back(std::to_string(model.rows[i].uid));
        ASSERT_EQ(walkComments(t), expected) << "step " << step;
        for (model.first(); !model.eof;)
            model.next();
    }

    void run(int steps) {
        t.disableControls(); // most of the time: posts skip the flush to the platters
        bool disabled = true;
        for (int i = 0; i < 1200; ++i)
            append();
        for (int step = 0; step < steps; ++step) {
            if (!disabled && rng() % 3 == 0) {
                // Short spells with controls on: each post there waits for the disk.
                t.disableControls();
                disabled = true;
            }
            const int callsBefore = observer.calls;
            const auto dice = static_cast<unsigned>(rng() % 1000);
            if (dice < 8) {
                // A long run of deletions from the current row on, as a scan removing its charges
                // does: deleted rows pile up and are swept out, then serve as the next new rows.
                for (int k = static_cast<int>(rng() % 400); k > 0 && !model.view.empty(); --k) {
                    t.deleteRecord();
                    model.deletedCurrent();
                    expectSameCursor(step);
                }
            } else if (dice < 16) {
                for (int k = static_cast<int>(rng() % 400); k > 0; --k)
                    append();
            } else if (dice < 21) {
                pack(); // its swept rows then serve as the next new ones
            } else if (dice < 300) {
                append();
            } else if (dice < 480) {
                if (!model.view.empty()) {
                    t.deleteRecord();
                    model.deletedCurrent();
                }
            } else if (dice < 680) {
                editCurrent();
            } else if (dice < 760) {
                t.next();
                model.next();
            } else if (dice < 800) {
                t.prior();
                model.prior();
            } else if (dice < 830) {
                const int to = static_cast<int>(rng() % (model.view.size() + 2));
                t.moveTo(to);
                if (!model.view.empty()) {
                    model.pos = static_cast<std::size_t>(std::clamp(to, 1, static_cast<int>(model.view.size())) - 1);
                    model.eof = model.bof = false;
                }
            } else if (dice < 850) {
                t.first();
                model.first();
            } else if (dice < 870) {
                t.last();
                model.last();
            } else if (dice < 920) {
                checkBookmarks();
            } else if (dice < 940) {
                insertAndCancel();
            } else if (dice < 955) {
                model.filtered = !model.filtered;
                t.setFiltered(model.filtered);
                model.resort();
                model.first();
            } else if (dice < 985) {
                if (disabled)
                    t.enableControls();
                else
                    t.disableControls();
                disabled = !disabled;
            } else if (dice < 988) {
                reopen();
            } else {
                expectSameWalk(step);
            }
            if (disabled) {
                ASSERT_EQ(observer.calls, callsBefore) << "no observer hears of a change while controls are off";
            }
            expectSameCursor(step);
            if (HasFatalFailure())
                return;
        }
        if (disabled)
            t.enableControls();
        expectSameWalk(steps);

        // What reached the file, read by a second table object in file order.
        Table reader;
        reader.bind(dir.str(), "conto.dbf");
        reader.open();
        std::vector<std::string> expected;
        for (const ModelRow& r : model.rows)
            if (r.live)
                expected.push_back(std::to_string(r.uid));
        EXPECT_EQ(walkComments(reader), expected);
    }

    TempDir dir;
    Table t;
    CountingObserver observer;
    NaiveView model{GetParam()};
    std::mt19937 rng{GetParam() == KeyOrder::Valuta ? 11u : 29u};
    int nextUid = 1;
    std::vector<std::pair<Table::Bookmark, int>> bookmarks;
};

TEST_P(TableAgainstNaiveView, InterleavedChangesKeepOrderCursorAndBookmarksExact) {
    run(5000);
}

INSTANTIATE_TEST_SUITE_P(ByDateAndByAmount, TableAgainstNaiveView,
                         ::testing::Values(KeyOrder::Valuta, KeyOrder::Importo),
                         [](const ::testing::TestParamInfo<KeyOrder>& p) {
                             return p.param == KeyOrder::Valuta ? "Valuta" : "Importo";
                         });

} // namespace
} // namespace valmora::dbase::testing
