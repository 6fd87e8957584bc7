#include "gui/LedgerTableModel.h"

#include "mainwindow/SaldoProgressivo.h"

#include <algorithm>

namespace valmora::gui {

namespace {

// The table field each column shows; the running balance is no field.
constexpr std::array<const char*, LedgerTableModel::NumeroColonne> kCampi = {
    "DATA", "VALUTA", "OPERAZIONE", "TIPO", "IMPORTO", nullptr, "COMMENTO"};
// The grid's titles: the description column is shown as DESCRIZIONE.
constexpr std::array<const char*, LedgerTableModel::NumeroColonne> kTitoli = {
    "DATA", "VALUTA", "OPERAZIONE", "TIPO", "IMPORTO", "Saldo", "DESCRIZIONE"};

bool aDestra(int column) {
    return column == LedgerTableModel::IMPORTO || column == LedgerTableModel::SALDO;
}

QString fromStd(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

LedgerTableModel::LedgerTableModel(dbase::Table& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {
    boldFont_.setFamily(QStringLiteral("Arial"));
    boldFont_.setPixelSize(12);
    boldFont_.setBold(true);
    table_.addObserver(this);
    count_ = table_.isOpen() ? table_.recordCount() : 0;
}

LedgerTableModel::~LedgerTableModel() {
    table_.removeObserver(this);
}

int LedgerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int LedgerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : NumeroColonne;
}

Qt::ItemFlags LedgerTableModel::flags(const QModelIndex& index) const {
    // Read-only: selectable, never editable.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant LedgerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= NumeroColonne)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(kTitoli[static_cast<std::size_t>(section)]);
    if (role == Qt::TextAlignmentRole && aDestra(section))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant LedgerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count_)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == SALDO) {
            const std::vector<Money>& s = saldi();
            const auto at = static_cast<std::size_t>(index.row());
            return at < s.size() ? fromStd(s[at].format()) : QString();
        }
        return riga(index.row()).testo[static_cast<std::size_t>(column)];
    case Qt::ToolTipRole:
        // The description of the row under the mouse, whichever row is selected.
        return riga(index.row()).testo[COMMENTO];
    case Qt::FontRole:
        return column == IMPORTO ? QVariant(boldFont_) : QVariant();
    case Qt::TextAlignmentRole:
        return aDestra(column) ? QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter)
                               : QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

const std::vector<Money>& LedgerTableModel::saldi() const {
    if (!saldiLetti_) {
        readingCursor_ = true;
        try {
            const Date oggi = clock_ ? clock_->today() : *Date::fromYmd(9999, 12, 31);
            saldi_ = SaldiProgressivi(table_, oggi);
        } catch (...) {
            readingCursor_ = false;
            throw;
        }
        readingCursor_ = false;
        saldiLetti_ = true;
    }
    return saldi_;
}

void LedgerTableModel::svuotaCache() {
    cache_.clear();
    cacheFirst_ = -1;
    saldi_.clear();
    saldiLetti_ = false;
}

const LedgerTableModel::Riga& LedgerTableModel::riga(int row) const {
    if (cacheFirst_ < 0 || row < cacheFirst_ || row >= cacheFirst_ + static_cast<int>(cache_.size()))
        riempiBlocco(std::max(0, row - kBlocco / 4));
    const auto at = static_cast<std::size_t>(row - cacheFirst_);
    // A table shrunk under the grid before its change reached us: the row reads empty.
    static const Riga vuota;
    return at < cache_.size() ? cache_[at] : vuota;
}

void LedgerTableModel::riempiBlocco(int first) const {
    cache_.clear();
    cacheFirst_ = first;
    if (!table_.isOpen())
        return;
    if (!fieldsKnown_) {
        for (std::size_t c = 0; c < kCampi.size(); ++c)
            fieldIndex_[c] = kCampi[c] ? table_.fieldByName(kCampi[c]).index() : -1;
        fieldsKnown_ = true;
    }
    // The table may hold fewer rows than the grid last counted (a change not yet shown).
    const int last = std::min({count_, table_.recordCount(), first + kBlocco});
    readingCursor_ = true;
    const int saved = table_.recNo();
    try {
        for (int row = first; row < last; ++row) {
            table_.moveTo(row + 1);
            Riga r;
            const dbase::Field data = table_.field(fieldIndex_[DATA]);
            const dbase::Field valuta = table_.field(fieldIndex_[VALUTA]);
            r.testo[DATA] = fromStd(data.asDate().toString());
            r.testo[VALUTA] = fromStd(valuta.asDate().toString());
            r.testo[OPERAZIONE] = fromStd(table_.field(fieldIndex_[OPERAZIONE]).asString());
            r.testo[TIPO] = fromStd(table_.field(fieldIndex_[TIPO]).asString());
            r.testo[IMPORTO] = fromStd(table_.field(fieldIndex_[IMPORTO]).asMoney().format());
            r.testo[COMMENTO] = fromStd(table_.field(fieldIndex_[COMMENTO]).asString());
            cache_.push_back(std::move(r));
        }
    } catch (...) {
        if (saved > 0)
            table_.moveTo(saved);
        readingCursor_ = false;
        throw;
    }
    if (saved > 0)
        table_.moveTo(saved);
    readingCursor_ = false;
}

void LedgerTableModel::ricarica() {
    if (suspended_ > 0) {
        pendingReload_ = true;
        return;
    }
    pendingReload_ = false;
    reloadQueued_ = false;
    beginResetModel();
    svuotaCache();
    fieldsKnown_ = false;
    count_ = table_.isOpen() ? table_.recordCount() : 0;
    endResetModel();
    const int current = rigaCorrente();
    if (current >= 0)
        emit rigaCorrenteCambiata(current);
}

void LedgerTableModel::sospendi(bool suspended) {
    if (suspended) {
        ++suspended_;
        return;
    }
    if (suspended_ == 0)
        return;
    if (--suspended_ == 0)
        ricarica();
}

void LedgerTableModel::tableChanged(const dbase::Table&) {
    if (readingCursor_)
        return;
    // The rows read so far may be stale at once; the grid is reset once, when the program is idle
    // again, however many changes a command makes without suspending the grid.
    svuotaCache();
    if (suspended_ > 0) {
        pendingReload_ = true;
        return;
    }
    if (!reloadQueued_) {
        reloadQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (reloadQueued_)
                    ricarica();
            },
            Qt::QueuedConnection);
    }
}

void LedgerTableModel::rendiCorrente(int row) {
    if (!table_.isOpen() || row < 0 || row >= count_)
        return;
    readingCursor_ = true;
    table_.moveTo(row + 1);
    readingCursor_ = false;
}

int LedgerTableModel::rigaCorrente() const {
    if (!table_.isOpen() || table_.isEmpty())
        return -1;
    return table_.recNo() - 1;
}

QString LedgerTableModel::commentoCorrente() const {
    if (!table_.isOpen() || table_.isEmpty() || table_.recNo() <= 0)
        return {};
    return fromStd(table_.fieldByName("COMMENTO").asString());
}

} // namespace valmora::gui
