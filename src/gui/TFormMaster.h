#pragma once
// The main window: menus, the operations and filter toolbars, the ledger grid, the totals grid and
// the charts, the status bar. It holds no rule of its own: every command reads the controls and calls
// the engine (ledger, filter bar, operation entry), and the engine's view updates come back through
// the seam (LedgerViewTarget).

#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"
#include "gui/Preferenze.h"
#include "gui/QtUserInterface.h"
#include "ledger/Ledger.h"
#include "ledger/MasterState.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QSettings;
class QSplitter;
class QTableView;
class QToolBar;
class QToolButton;

namespace valmora {
class TDM;
}

namespace valmora::gui {

class GraficoLinea;
class GraficoTorta;
class GrigliaValori;
class LedgerTableModel;
class TFormCalendario;
class TInformazioni;

class TFormMaster : public QMainWindow, public LedgerViewTarget {
    Q_OBJECT
public:
    // `fileImpostazioni` non-empty: the preferences live in that file (tests); else the user's store.
    TFormMaster(QtUserInterface& ui, TDM& dm, const Clock& clock, const QString& fileImpostazioni = {},
                QWidget* parent = nullptr);
    ~TFormMaster() override;

    // --- The engine objects the window owns ---
    MasterState& Stato() { return stato_; }
    Ledger& ledger() { return ledger_; }
    FiltroMovimenti& filtro() { return filtro_; }
    OperationEntry& entry() { return entry_; }

    // --- Start-up, preferences, states ---
    void FormCreate();
    void LeggiDaRegistro();
    void ScriviSuRegistro();
    const Preferenze& preferenzeLette() const { return prefs_; }
    void ColonneDefault();
    // Brings the window into the account-open state (the account's tables bound).
    void Attiva();
    // The window changes of the no-account state (start-up, close).
    void StatoSenzaConto(bool daMenuChiudi);
    bool contoAperto() const { return contoAperto_; }
    void Dettagli1Click(QAction* sender);
    void Splitter1Moved();
    int LarghezzaGriglia() const { return larghezzaGriglia_; }
    // The status panel 0 text for a hint: the part after the first "|", or the whole hint.
    static QString parteLunga(const QString& hint);
    static QString parteBreve(const QString& hint);

    // --- Commands ---
    void InserisciComando(TipoInserimento tipo);
    void SpeedModificaClick();
    void SpeedEliminaClick();
    void File1Click();
    void Esci1Click();
    void Informazionisu1Click();
    void CondizionidiUtilizzo1Click();
    void TCalendarioClick(bool pressed);
    void StampaRiepilogo1Click();
    // Account commands, wired when the account layer provides them.
    std::function<void()> Nuovo1Click, Apri1Click, Salva1Click, Esporta1Click, Importa1Click, Chiudi1Click,
        NuovoAnno1Click, Password1Click, Impostazioni1Click, StampaRiepilogo;

    // --- Filter bar ---
    void sincronizzaBarra();
    void ComboDataChange(MittenteFiltro mittente);
    void ComboOperazioniChange();
    void ComboTipoChange();
    void TBCercaClick();

    // --- LedgerViewTarget ---
    void mostraTotali(const TotalsGrid& grid) override;
    void svuotaGrafico(LedgerChart chart) override;
    void aggiungiPunto(LedgerChart chart, const ChartPoint& point) override;
    void aggiungiFetta(const PieSlice& slice) override;
    void StatoTabella(const StatusNotices& notices) override;
    void larghezzaColonnaTipo(int pixels) override;
    void sospendiGriglia(bool suspended) override;
    void impostaTitolo(const QString& caption);
    void impostaIstituto(const QString& text);
    void mostraNuovoAnno(bool visible);

    // The selected ledger row made the table's current movement (before modify, delete, print).
    void selezioneACorrente();

    // --- Controls, named as the program names them ---
    QWidget* CoolBar;
    QToolBar* BarraSpeed;
    QToolBar* BarraQuery;
    QToolButton *TEsci, *TSalva, *TDepositi, *TPrelievi, *TAddebiti, *TImposte, *TContante, *TCalendario, *TBCerca;
    QLabel* LLogo;
    QLabel* LabelCrediti;
    QLabel *LabelPeriodo, *Label1, *LabelOperazione, *Label4, *LabelCerca;
    QComboBox *ComboData, *ComboData2, *ComboOperazioni, *ComboTipo;
    QLineEdit* EditCerca;
    QSplitter* Splitter1;
    QTableView* DBGrid1;
    LedgerTableModel* modello;
    QWidget* PannelloValori;
    GrigliaValori* Griglia;
    QScrollArea* ScrollGrafici;
    QWidget* ContenitoreGrafici;
    GraficoLinea* Chart1;
    GraficoLinea* ChartFC;
    GraficoTorta* ChartMovimenti;
    QLabel* StatusPanel[4];
    QMenu *MenuConto, *MenuModifica, *MenuInserisci, *MenuVisualizza, *MenuHelp, *PopupGriglia;
    QAction *Nuovo1, *NuovoAnno1, *Apri1, *Salva1, *Esporta1, *Importa1, *Chiudi1, *StampaRiepilogo1, *Password1,
        *Esci1;
    QAction *Accredito1, *Prelievo1, *Addebito1, *Imposta1, *FuoriConto1, *Elimina1, *Modifica1, *Impostazioni1;
    QAction *BarraOperazioni1, *BarraFiltri1, *SchermoIntero1, *Dettagli1, *GraficoSaldo1, *GraficoFC1,
        *PercentualeOperazioni1;
    QAction *Contenuti1, *CondizionidiUtilizzo1, *Informazionisu1;
    QAction *PopModifica, *PopElimina, *PopStampa;
    TInformazioni* Informazioni;
    TFormCalendario* Calendario;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void creaMenu();
    void creaBarraSpeed();
    void creaBarraQuery();
    void creaPannelli();
    void creaStatusBar();
    void comando(const std::function<void()>& command);
    void impilaGrafici();
    void StatusBar1Resize();

    QtUserInterface& ui_;
    TDM& dm_;
    const Clock& clock_;
    MasterState stato_;
    Ledger ledger_;
    FiltroMovimenti filtro_;
    OperationEntry entry_;
    std::unique_ptr<QSettings> store_;
    Preferenze prefs_;
    QString cartellaAvvio_;
    QString cartellaWindows_;
    int larghezzaGriglia_ = 500;
    bool contoAperto_ = false;
    bool syncingBar_ = false;
    int gridSuspended_ = 0;
};

} // namespace valmora::gui
