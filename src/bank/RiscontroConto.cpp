#include "bank/RiscontroConto.h"

#include "bank/BankListFile.h"
#include "bank/RiscontroInteressi.h"
#include "model/LetturaCompleta.h"
#include "model/TDM.h"

namespace valmora {

ContoRiscontro LeggiContoRiscontro(TDM& dm) {
    ContoRiscontro conto;
    {
        LetturaCompleta lettura(dm.MainTable);
        conto.movimenti.reserve(static_cast<std::size_t>(dm.MainTable.recordCount()));
        for (dm.MainTable.first(); !dm.MainTable.eof(); dm.MainTable.next())
            conto.movimenti.push_back(Movement::read(dm.MainTable));
    }
    if (dm.TableTassi.isOpen()) {
        LetturaCompleta lettura(dm.TableTassi);
        for (dm.TableTassi.first(); !dm.TableTassi.eof(); dm.TableTassi.next())
            conto.tassi.push_back(RatePeriod::read(dm.TableTassi));
    }
    return conto;
}

RiscontroCompleto RiscontraLista(const ContoRiscontro& conto, std::vector<BankLine> banca, int giorni) {
    RiscontroCompleto esito;
    esito.riscontro = Riscontra(std::move(banca), conto.movimenti, giorni);
    const SaldoPerValuta saldo(conto.movimenti);
    for (const RigaRiscontro& riga : esito.riscontro.righe) {
        Money interesse;
        if (riga.esito == RigaRiscontro::Esito::ValutaDiversa)
            interesse = InteresseValuta(esito.riscontro.movimenti[*riga.movimento],
                                        esito.riscontro.banca[riga.banca], saldo, conto.tassi);
        esito.interessi.push_back(interesse);
        esito.totaleInteressi += interesse;
    }
    return esito;
}

RiscontroCompleto RiscontraFile(TDM& dm, const std::string& percorso, dbase::FileSystem& fs, int giorni) {
    // The file first: a list that cannot be read says so before the account is touched at all.
    std::vector<BankLine> banca = bank::readBankList(percorso, fs);
    return RiscontraLista(LeggiContoRiscontro(dm), std::move(banca), giorni);
}

} // namespace valmora
