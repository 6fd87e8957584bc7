#include "model/SystemTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace valmora {
namespace {

TEST(SystemTexts, SixChargesWithTheirTypes) {
    ASSERT_EQ(kChargeTexts.size(), 6u);
    EXPECT_EQ(kChargeTexts[0].tipo, "Bancomat");
    EXPECT_EQ(kChargeTexts[0].commento, "Commissione prelievi bancomat altro istituto");
    EXPECT_EQ(kChargeTexts[1].commento, "Commissione prelievi bancomat stesso istituto");
    EXPECT_EQ(kChargeTexts[2].tipo, "Carta di Credito");
    EXPECT_EQ(kChargeTexts[3].tipo, "P.O.S.");
    EXPECT_EQ(kChargeTexts[4].tipo, "Operazioni");
    EXPECT_EQ(kChargeTexts[5].commento, "Commissione su Scopertura");
    EXPECT_EQ(kVariazioneTassi, "Variazione Tassi d'interesse");
    for (const ChargeText& charge : kChargeTexts)
        EXPECT_TRUE(IsChargeText(charge.commento)) << charge.commento;
}

TEST(SystemWrittenRecognition, RegenerationRemovesOnlyExactImpostaChargesAndAllInterest) {
    for (const ChargeText& charge : kChargeTexts) {
        EXPECT_TRUE(IsRegeneratedCharge("Imposta", charge.commento));
        EXPECT_TRUE(IsRemovedBeforeRegeneration("Imposta", charge.commento));
    }
    // One character off, other case, or a trailing blank: the user's own movement, kept.
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Imposta", "Commissione prelievi bancomat stesso istitutO"));
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Imposta", "Commissione prelievi bancomat stesso istituto "));
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Imposta", "commissione su Scopertura"));
    EXPECT_FALSE(IsRemovedBeforeRegeneration("imposta", std::string(kCommissioneScopertura)));
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Imposta", "Bolli"));
    // A charge text on another operation survives the regeneration.
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Accredito", kCommissioneScopertura));
    EXPECT_FALSE(IsRegeneratedCharge("Accredito", kCommissioneScopertura));
    // Interest goes whatever it says; the notifications stay.
    EXPECT_TRUE(IsRemovedBeforeRegeneration("Interessi", "Interessi Creditore secondo trimestre"));
    EXPECT_TRUE(IsRemovedBeforeRegeneration("Interessi", ""));
    EXPECT_FALSE(IsRegeneratedCharge("Interessi", ""));
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Notifica", kVariazioneTassi));
    EXPECT_FALSE(IsRemovedBeforeRegeneration("Notifica", kSaldoAnnoPrecedente));
}

TEST(SystemWrittenRecognition, EditRefusesAnyChargeTextAndAllInterest) {
    EXPECT_TRUE(IsSystemWrittenForEdit("Imposta", kCommissionePOS));
    EXPECT_TRUE(IsSystemWrittenForEdit("Accredito", kCommissioneScopertura)); // whatever the operation
    EXPECT_TRUE(IsSystemWrittenForEdit("Interessi", "testo qualsiasi"));
    EXPECT_FALSE(IsSystemWrittenForEdit("Imposta", "Commissione pagamenti P.O.S"));
    EXPECT_FALSE(IsSystemWrittenForEdit("interessi", "testo qualsiasi"));
    EXPECT_FALSE(IsSystemWrittenForEdit("Notifica", kSaldoAnnoPrecedente));
    EXPECT_FALSE(IsSystemWrittenForEdit("Prelievo", ""));
}

} // namespace
} // namespace valmora
