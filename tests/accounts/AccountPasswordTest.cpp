#include "accounts/AccountPassword.h"

#include "dbase/TempDir.h"
#include "ledger/MasterState.h"
#include "model/AccountFileSet.h"
#include "model/ScriptedUserInterface.h"
#include "model/TDM.h"

#include <gtest/gtest.h>

namespace valmora {
namespace {

class PasswordTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    ScriptedUserInterface ui;
    FixedClock clock{*Date::fromYmd(2026, 3, 15)};
    TDM dm{ui, clock};
    MasterState state;

    void settingsWith(const std::string& password) {
        AccountSettings row = dm.ImpostazioniDefault();
        row.password = password;
        dm.NuovaTabImpostazioni(dm.TableImp, dir.folder(), "C.dbf", kSottocartellaImpostazioni, row);
    }
    // The password as a fresh reader finds it in the file.
    std::string storedPassword() {
        dbase::Table reader;
        reader.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaImpostazioni), "C.dbf");
        reader.open();
        reader.first();
        return reader.fieldByName("PASSWORD").asString();
    }
    bool check(std::vector<std::string> answers) {
        ui.queueAnswers(answers);
        return ControllaPasswordApertura(dm, ui, state);
    }
};

TEST_F(PasswordTest, NoPasswordAsksNothing) {
    for (std::string none : {"0", ""}) {
        settingsWith(none);
        state.PasswordAccettata = false;
        EXPECT_TRUE(ControllaPasswordApertura(dm, ui, state));
        EXPECT_TRUE(state.PasswordAccettata);
    }
    EXPECT_TRUE(ui.transcript().empty());
}

TEST_F(PasswordTest, OnlyTheExactPasswordOpensAndTheStoredOneIsAlwaysWrittenBack) {
    settingsWith("Segreto");
    EXPECT_FALSE(check({"password", "segreto"})); // case matters
    EXPECT_FALSE(state.PasswordAccettata);
    EXPECT_EQ(storedPassword(), "Segreto");
    EXPECT_FALSE(check({"annulla"}));
    EXPECT_EQ(storedPassword(), "Segreto");
    EXPECT_FALSE(check({"ok"})); // OK without typing compares the placeholder itself
    EXPECT_EQ(storedPassword(), "Segreto");
    EXPECT_TRUE(check({"password", "Segreto"}));
    EXPECT_TRUE(state.PasswordAccettata);
    EXPECT_EQ(storedPassword(), "Segreto");
    EXPECT_FALSE(dm.TableImp.isEditing());
}

TEST_F(PasswordTest, ThePlaceholderItselfOpensAnAccountProtectedByIt) {
    settingsWith(std::string(kPasswordSegnaposto));
    EXPECT_TRUE(check({"ok"}));
}

TEST_F(PasswordTest, OnlyEightCharactersCount) {
    settingsWith("abcdefgh");
    EXPECT_TRUE(check({"password", "abcdefghXYZ"}));
    EXPECT_EQ(TroncaPassword("àèìòùàèìòù"), "àèìòùàèì");
    EXPECT_EQ(TroncaPassword("abc"), "abc");
}

TEST_F(PasswordTest, PasswordCommandSetsChangesAndRemoves) {
    settingsWith("0");
    ui.queueAnswers({"password", "Nuova"});
    Password1Click(dm, ui);
    EXPECT_EQ(storedPassword(), "Nuova");
    ui.queueAnswers({"annulla"});
    Password1Click(dm, ui);
    EXPECT_EQ(storedPassword(), "Nuova");
    Password1Click(dm, ui, std::string("0"));
    EXPECT_EQ(storedPassword(), "0");
    state.PasswordAccettata = false;
    EXPECT_TRUE(ControllaPasswordApertura(dm, ui, state)); // "0" again: nothing asked
}

} // namespace
} // namespace valmora
