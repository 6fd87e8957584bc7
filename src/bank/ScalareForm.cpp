#include "bank/ScalareForm.h"

#include "bank/ScalareConto.h"
#include "bank/ScalareReport.h"
#include "bank/ScalareTesto.h"
#include "ledger/Ledger.h"
#include "mainwindow/FormMaster.h"

namespace valmora {

void FormScalare::FormShow() {
    periodi_.clear();
    riassunto_.reset();
    if (!master_.ContoAperto())
        return;
    const AccountSettings s = master_.ledger().Impostazioni();
    const MasterState& stato = master_.Stato();
    periodi_ = PeriodiOfferti(stato.AnnoConto, s.capitaCre, s.capitaDeb, stato.DataPrimaValuta);
    ComboPeriodoChange(0);
}

void FormScalare::ComboPeriodoChange(std::size_t indice) {
    if (indice >= periodi_.size())
        return;
    CalcolaClick(periodi_[indice].dal, periodi_[indice].al);
}

bool FormScalare::CalcolaClick(Date dal, Date al) {
    dal_ = dal;
    al_ = al;
    riassunto_ = RiassuntoDelConto(master_, ui_, dal, al);
    return riassunto_.has_value();
}

std::optional<Money> FormScalare::DifferenzaBollo() const {
    if (!riassunto_ || riassunto_->bolloAddebitato == riassunto_->bolloDovuto)
        return std::nullopt;
    return riassunto_->bolloAddebitato - riassunto_->bolloDovuto;
}

std::string FormScalare::Istituto() {
    return master_.ContoAperto() ? master_.ledger().Impostazioni().istituto : std::string();
}

void FormScalare::StampaClick() {
    if (riassunto_)
        StampaScalare(*riassunto_, Istituto(), ui_);
}

std::string FormScalare::CsvTesto() const {
    return riassunto_ ? CsvScalare(*riassunto_) : std::string();
}

} // namespace valmora
