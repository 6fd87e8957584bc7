#pragma once
// The "Riassunto scalare" window as plain data: the periods it offers, the range chosen, the statement shown,
// and its commands (print, PDF, CSV copy). The Qt window only shows what this holds and forwards its clicks.

#include "bank/Scalare.h"
#include "bank/ScalarePeriodi.h"

#include <optional>
#include <string>
#include <vector>

namespace valmora {

class FormMaster;
class UserInterface;

class FormScalare {
public:
    FormScalare(FormMaster& master, UserInterface& ui) : master_(master), ui_(ui) {}

    // At every showing: the periods of the open account's year; the statement of the first one.
    void FormShow();
    const std::vector<PeriodoScalare>& Periodi() const { return periodi_; }

    // A period of the list chosen: its dates go into the two date boxes and the statement follows.
    void ComboPeriodoChange(std::size_t indice);
    // The two dates typed ("Calcola"): a range the statement cannot give shows its message and clears the grid.
    bool CalcolaClick(Date dal, Date al);

    Date Dal() const { return dal_; }
    Date Al() const { return al_; }
    const std::optional<RiassuntoScalare>& Riassunto() const { return riassunto_; }
    // Duty charged minus duty due; nothing when they agree (a difference is written in red).
    std::optional<Money> DifferenzaBollo() const;

    // The statement through the print dialog, or as CSV text (empty without a statement).
    void StampaClick();
    std::string CsvTesto() const;
    // The bank's name the printed statement is headed with.
    std::string Istituto();

private:
    FormMaster& master_;
    UserInterface& ui_;
    std::vector<PeriodoScalare> periodi_;
    Date dal_;
    Date al_;
    std::optional<RiassuntoScalare> riassunto_;
};

} // namespace valmora
