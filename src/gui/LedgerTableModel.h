#pragma once
// The ledger grid's model: the movements table seen through its current order and filter, the six
// columns of the table and the running balance "Saldo" after each row. Rows are read by position in blocks and cached, so a ledger of a million movements
// scrolls without reading more than the rows on screen. The table's cursor is the engine's
// "current movement": reading a block moves it and puts it back, and those moves are not taken for
// changes. While the grid is suspended (a scan walks every row) the model ignores the table
// and refreshes once when resumed.

#include "core/Date.h"
#include "core/Money.h"
#include "dbase/Table.h"

#include <QAbstractTableModel>
#include <QFont>

#include <array>
#include <vector>

namespace valmora::gui {

class LedgerTableModel : public QAbstractTableModel, private dbase::TableObserver {
    Q_OBJECT
public:
    enum Colonna { DATA, VALUTA, OPERAZIONE, TIPO, IMPORTO, SALDO, COMMENTO, NumeroColonne };
    static constexpr int kBlocco = 128; // rows read per cache fill

    explicit LedgerTableModel(dbase::Table& table, QObject* parent = nullptr);
    ~LedgerTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Today, for the running balance: a movement valued later does not count yet. Unset, every one counts.
    void impostaOrologio(const Clock* clock) { clock_ = clock; }

    // Re-reads the table (count, rows) now, unless suspended.
    void ricarica();
    void sospendi(bool suspended);
    bool sospeso() const { return suspended_ > 0; }

    // Moves the table's cursor to a grid row (0-based), the row the commands then act on.
    void rendiCorrente(int row);
    // The grid row of the table's current movement, -1 when none.
    int rigaCorrente() const;
    // COMMENTO of the table's current movement.
    QString commentoCorrente() const;

signals:
    // The table moved its cursor by itself (a post, a locate): the grid should select that row.
    void rigaCorrenteCambiata(int row);

private:
    struct Riga {
        std::array<QString, NumeroColonne> testo;
    };
    void tableChanged(const dbase::Table& table) override;
    const Riga& riga(int row) const;
    void riempiBlocco(int first) const;
    void svuotaCache();
    // The running balances, read the first time one is shown after a change.
    const std::vector<Money>& saldi() const;

    dbase::Table& table_;
    int suspended_ = 0;
    bool pendingReload_ = false;
    bool reloadQueued_ = false;
    int count_ = 0;
    mutable bool readingCursor_ = false; // our own cursor moves while reading a block
    mutable int cacheFirst_ = -1;
    mutable std::vector<Riga> cache_;
    mutable std::vector<Money> saldi_;
    mutable bool saldiLetti_ = false;
    const Clock* clock_ = nullptr;
    mutable std::array<int, NumeroColonne> fieldIndex_{};
    mutable bool fieldsKnown_ = false;
    QFont boldFont_;
};

} // namespace valmora::gui
