#include "gui/HelpViewer.h"

#include "gui/CartellaDati.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace valmora::gui {

namespace {

struct Argomento {
    int contesto;
    const char* pagina;
};

// Context numbers as the windows carry them.
constexpr Argomento kArgomenti[] = {
    {1, "registro.html"},                 // the ledger grid
    {2, "tasso.html"},                    // the rate dialog
    {3, "impostazioni-condizioni.html"},  // settings: "Condizioni Generali"
    {4, "impostazioni-tassi.html"},       // settings: "Tassi d'interesse"
    {5, "impostazioni-automatiche.html"}, // settings: "Operazioni Automatiche"
    {6, "operazione.html"},               // the operation dialog
    {8, "menu-conto.html"},               // "&Conto" menu
    {9, "menu-modifica.html"},            // "&Modifica" menu (and the new-year offer)
    {10, "barra-operazioni.html"},        // operations toolbar
    {11, "menu-visualizza.html"},         // "&Visualizza" menu
    {12, "barra-filtri.html"},            // filter toolbar
    {13, "filtri.html"},                  // filter combos and search
    {14, "totali.html"},                  // totals grid
    {15, "grafici.html"},                 // charts
    {16, "barra-stato.html"},             // status bar
};

// Pages no context number opens directly, reached from the contents.
constexpr const char* kAltrePagine[] = {"password.html", "nuovo-anno.html", "conto.html", "informazioni.html"};

QUrl url(const char* pagina) {
    return QUrl::fromLocalFile(fileGuida(QString::fromLatin1(pagina)));
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent, Qt::Window), genitore_(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Guida di Valmora"));
    resize(620, 520);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenLinks(true);
    Browser->setOpenExternalLinks(false);
    // The pages' look, for every page the browser loads.
    QFile stile(fileGuida(QStringLiteral("stile.css")));
    if (stile.open(QIODevice::ReadOnly))
        Browser->document()->setDefaultStyleSheet(QString::fromUtf8(stile.readAll()));
    Indietro = new QPushButton(QStringLiteral("&Indietro"), this);
    Contenuti = new QPushButton(QStringLiteral("&Sommario"), this);
    for (QPushButton* b : {Indietro, Contenuti})
        b->setAutoDefault(false);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(Contenuti);
    pulsanti->addWidget(Indietro);
    pulsanti->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pulsanti);
    layout->addWidget(Browser);
    connect(Indietro, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(Browser, &QTextBrowser::backwardAvailable, Indietro, &QPushButton::setEnabled);
    connect(Contenuti, &QPushButton::clicked, this, [this] { Browser->setSource(paginaDiContesto(0)); });
    Indietro->setEnabled(false);
}

QUrl HelpViewer::paginaDiContesto(int contesto) {
    for (const Argomento& a : kArgomenti)
        if (a.contesto == contesto)
            return url(a.pagina);
    return url("indice.html");
}

QList<QUrl> HelpViewer::tuttePagine() {
    QList<QUrl> pagine{url("indice.html")};
    for (const Argomento& a : kArgomenti)
        pagine.append(url(a.pagina));
    for (const char* p : kAltrePagine)
        pagine.append(url(p));
    return pagine;
}

void HelpViewer::mostraArgomento(int contesto) {
    // Asked from a modal dialog, the window must belong to that dialog, or the dialog would block it.
    QWidget* modale = QApplication::activeModalWidget();
    QWidget* proprietario = (modale != nullptr && modale != this) ? modale : genitore_;
    if (parentWidget() != proprietario) {
        const QRect posto = geometry();
        setParent(proprietario, windowFlags());
        setGeometry(posto);
    }
    Browser->setSource(paginaDiContesto(contesto));
    show();
    raise();
    activateWindow();
}

} // namespace valmora::gui
