#pragma once
// The main window: menus, the operations and filter toolbars, the ledger grid, the totals grid and
// the charts, the status bar. It holds no rule of its own: it owns the main window's engine
// (FormMaster: account state and commands, ledger, filter bar, operation entry), every command reads
// the controls and calls it, and the engine's view updates come back through the seam (LedgerViewTarget).

#include "gui/Preferenze.h"
#include "gui/QtUserInterface.h"
#include "mainwindow/FormMaster.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QSettings;
class QSplitter;
class QTableView;
class QToolBar;
class QToolButton;

namespace valmora::gui {

class ContiRecenti;
class GraficoLinea;
class GraficoTorta;
class GrigliaValori;
class LedgerTableModel;
class TFormCalendario;
class TFormScalare;
class TFormRiscontro;
class TInformazioni;

class TFormMaster : public QMainWindow, public LedgerViewTarget {
    Q_OBJECT
public:
    // `fileImpostazioni` non-empty: the preferences live in that file (tests); else the user's store.
    TFormMaster(QtUserInterface& ui, const Clock& clock, const QString& fileImpostazioni = {},
                QWidget* parent = nullptr);
    ~TFormMaster() override;

    // --- The engine the window owns ---
    FormMaster& motore() { return motore_; }
    TDM& dm() { return motore_.DM(); }
    MasterState& Stato() { return motore_.Stato(); }
    Ledger& ledger() { return motore_.ledger(); }
    FiltroMovimenti& filtro() { return motore_.Filtro(); }
    OperationEntry& entry() { return motore_.Entry(); }

    // --- Start-up, preferences, states ---
    void FormCreate();
    // The notice shown at start-up on a screen 640 pixels wide.
    static void AvvisoRisoluzione(UserInterface& ui, int larghezzaSchermo);
    void LeggiDaRegistro();
    void ScriviSuRegistro();
    void ColonneDefault();
    bool contoAperto() const { return motore_.ContoAperto(); }
    void Dettagli1Click(VoceVisualizza voce);
    void Splitter1Moved();
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
    // "Riassunto &scalare..." (menu "&Visualizza" and its toolbar button): the statement window, not modal.
    void RiassuntoScalare1Click();
    // "Riscontro con la banca...": the bank's file chosen, then the check in its own window.
    void RiscontroBanca1Click();
    // One of the last accounts listed in the "&Conto" menu, opened as "&Apri" opens it.
    void ApriRecente(const QString& file);
    // "Colonna Sa&ldo": the running balance shown or hidden, remembered for the next run.
    void ColonnaSaldo1Click(bool visibile);
    // "Im&postazioni...": the settings dialog's window, which is not part of this window; nothing
    // happens while unset.
    std::function<void()> Impostazioni1Click;

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
    void impostaTitolo(const std::string& caption) override;
    void impostaIstituto(const std::string& text) override;
    void contoApertoCambiato(bool open) override;
    void mostraNuovoAnno(bool visible) override;

    // The selected ledger row made the table's current movement (before modify, delete, print).
    void selezioneACorrente();

    // --- Controls, named as the program names them ---
    QWidget* CoolBar;
    QToolBar* BarraSpeed;
    QToolBar* BarraQuery;
    QToolButton *TEsci, *TSalva, *TDepositi, *TPrelievi, *TAddebiti, *TImposte, *TContante, *TCalendario, *TBCerca,
        *TScalare;
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
    QScrollArea* ScrollGrafici = nullptr;
    QWidget* ContenitoreGrafici = nullptr;
    GraficoLinea* Chart1 = nullptr;
    GraficoLinea* ChartFC = nullptr;
    GraficoTorta* ChartMovimenti = nullptr;
    QLabel* StatusPanel[4];
    QMenu *MenuConto, *MenuModifica, *MenuInserisci, *MenuVisualizza, *MenuHelp, *PopupGriglia;
    QAction *Nuovo1, *NuovoAnno1, *Apri1, *Salva1, *Esporta1, *Importa1, *Chiudi1, *StampaRiepilogo1, *RiscontroBanca1,
        *Password1, *Esci1;
    QAction *Accredito1, *Prelievo1, *Addebito1, *Imposta1, *FuoriConto1, *Elimina1, *Modifica1, *Impostazioni1;
    QAction *BarraOperazioni1, *BarraFiltri1, *SchermoIntero1, *Dettagli1, *GraficoSaldo1, *GraficoFC1,
        *PercentualeOperazioni1, *RiassuntoScalare1, *ColonnaSaldo1;
    QAction *Contenuti1, *CondizionidiUtilizzo1, *Informazionisu1;
    QAction *PopModifica, *PopElimina, *PopStampa;
    TInformazioni* Informazioni;
    TFormCalendario* Calendario;
    TFormScalare* Scalare = nullptr;     // made at its first showing
    TFormRiscontro* Riscontro = nullptr; // made the first time the check is run
    ContiRecenti* recenti_ = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void creaMenu();
    // creaMenu's parts, in the order it runs them: the menus as the menu bar shows them, their
    // commands, the ledger's popup menu.
    void creaMenuConto();
    void creaMenuModifica();
    void creaMenuVisualizza();
    void creaMenuHelp();
    void collegaMenu();
    void creaPopupGriglia();
    // An item of `menu` with its hint; its shortcut is on the window too.
    QAction* voceDiMenu(QMenu* menu, const QString& text, const QKeySequence& key, const QString& hint);
    // `action` runs `command` through comando().
    void collegaComando(QAction* action, std::function<void()> command);
    void creaBarraSpeed();
    void creaBarraQuery();
    void creaPannelli();
    // creaPannelli's two sides of the splitter: the movements grid, the totals and charts panel.
    void creaGrigliaMovimenti();
    void creaPannelloValori();
    void creaStatusBar();
    void comando(const std::function<void()>& command);
    void applicaVista();
    void impilaGrafici();
    // After the window got narrower: the ledger keeps its columns up to IMPORTO in view while the totals
    // panel can still give up width.
    void lasciaVedereImporti();
    // The screen's half of the two states; the engine's half runs in FormMaster.
    void mostraContoAperto();
    void mostraSenzaConto();
    QAction* azioneCrediti() const;

    QtUserInterface& ui_;
    const Clock& clock_;
    FormMaster motore_;
    std::unique_ptr<QSettings> store_;
    QString cartellaAvvio_;
    QString cartellaWindows_;
    bool syncingBar_ = false;
    bool colonneMostrate_ = false; // an account has laid the ledger's columns out since start-up
    int gridSuspended_ = 0;
    int larghezzaTipo_ = 0; // TIPO's width as last set; narrower only while the amounts need its room
};

} // namespace valmora::gui
