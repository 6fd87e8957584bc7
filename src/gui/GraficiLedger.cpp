#include "gui/GraficiLedger.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPieSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace valmora::gui {

namespace {

QFont fontTitolo() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    f.setBold(true);
    return f;
}

void preparaGrafico(QChart* chart, const QString& titolo, const QColor& fondo) {
    chart->setTitle(titolo);
    chart->setTitleFont(fontTitolo());
    chart->setTitleBrush(QColor(0, 0, 128));
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, fondo);
    chart->setBackgroundBrush(gradient);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setAnimationOptions(QChart::NoAnimation);
}

} // namespace

QColor colore(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

GraficoLinea::GraficoLinea(const QString& titolo, const QColor& fondo, QWidget* parent)
    : QChartView(parent), series_(new QLineSeries), axisX_(new QCategoryAxis), axisY_(new QValueAxis) {
    auto* chart = new QChart;
    preparaGrafico(chart, titolo, fondo);
    chart->legend()->hide();
    chart->setPlotAreaBackgroundVisible(true);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundPen(QPen(Qt::gray));
    series_->setColor(Qt::red);
    series_->setPointsVisible(false);
    series_->setPointLabelsVisible(false);
    chart->addSeries(series_);

    // Both axes fixed from 0 to 100: the chart never rescales itself.
    axisX_->setRange(0, 100);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisX_->setLabelsAngle(90);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(9);
    axisX_->setLabelsFont(small);
    axisX_->setMinorGridLineVisible(false);
    axisY_->setRange(0, 100);
    // Ticks at multiples of a round step from 0, whatever range a zoom or a pan leaves.
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(0);
    axisY_->setTickInterval(passoTacche(0, 100));
    connect(axisY_, &QValueAxis::rangeChanged, this,
            [this](qreal minimo, qreal massimo) { axisY_->setTickInterval(passoTacche(minimo, massimo)); });
    axisY_->setMinorTickCount(1);
    axisY_->setLabelsFont(small);
    axisY_->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisX_, Qt::AlignBottom);
    chart->addAxis(axisY_, Qt::AlignLeft);
    series_->attachAxis(axisX_);
    series_->attachAxis(axisY_);

    // The view came with a chart of its own, which it releases without deleting.
    QChart* iniziale = this->chart();
    setChart(chart);
    delete iniziale;
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    // Esc reaches the chart once it was clicked.
    setFocusPolicy(Qt::ClickFocus);
    setToolTip(QStringLiteral("Trascinare il grafico con il mouse tenendo premuto il tasto destro!"));
    setStatusTip(toolTip());
}

void GraficoLinea::svuota() {
    inAttesa_.clear();
    coloriInAttesa_.clear();
    colori_.clear();
    series_->clear();
    for (const QString& label : axisX_->categoriesLabels())
        axisX_->remove(label);
    ripristinaZoom();
}

void GraficoLinea::ripristinaZoom() {
    chart()->zoomReset();
    axisX_->setRange(0, 100);
    axisY_->setRange(0, 100);
}

double GraficoLinea::passoTacche(double minimo, double massimo) {
    const double ampiezza = massimo - minimo;
    if (!(ampiezza > 0) || !std::isfinite(ampiezza))
        return 25;
    const double grezzo = ampiezza / 4;
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double normale = grezzo / potenza;
    const double fattore = normale < 1.5 ? 1 : normale < 3.5 ? 2.5 : normale < 7.5 ? 5 : 10;
    return fattore * potenza;
}

void GraficoLinea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ripristinaZoom();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

void GraficoLinea::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        ripristinaZoom();
        event->accept();
        return;
    }
    QChartView::keyPressEvent(event);
}

void GraficoLinea::aggiungi(const ChartPoint& point) {
    inAttesa_.append(QPointF(point.x, point.y));
    coloriInAttesa_.append(colore(point.colour));
    if (!scaricoPrevisto_) {
        scaricoPrevisto_ = true;
        QMetaObject::invokeMethod(this, [this] { scarica(); }, Qt::QueuedConnection);
    }
    // A month label marks its point's x on the bottom axis (one label per month name).
    const QString label = QString::fromStdString(point.label);
    if (!label.isEmpty() && !axisX_->categoriesLabels().contains(label) &&
        (axisX_->count() == 0 || point.x > axisX_->endValue(axisX_->categoriesLabels().constLast())))
        axisX_->append(label, point.x);
    axisX_->setRange(0, 100);
}

void GraficoLinea::scarica() const {
    scaricoPrevisto_ = false;
    if (inAttesa_.isEmpty())
        return;
    // Points stay in ascending order of x, a point after those of equal x; a scan adds them in that order,
    // so each one goes at the end.
    QList<QPointF> punti = series_->points();
    for (qsizetype i = 0; i < inAttesa_.size(); ++i) {
        qsizetype at = punti.size();
        while (at > 0 && punti[at - 1].x() > inAttesa_[i].x())
            --at;
        punti.insert(at, inAttesa_[i]);
        colori_.insert(at, coloriInAttesa_[i]);
    }
    inAttesa_.clear();
    coloriInAttesa_.clear();
    series_->replace(punti);
    // Clearing signals a change to the series even when there was nothing to clear; and only a point whose colour
    // differs from the line's needs a configuration (a heavy account's line would otherwise build one per point).
    if (!series_->pointsConfiguration().isEmpty())
        series_->clearPointsConfiguration();
    for (qsizetype i = 0; i < colori_.size(); ++i) {
        if (colori_[i] == series_->color())
            continue;
        QHash<QXYSeries::PointConfiguration, QVariant> config;
        config[QXYSeries::PointConfiguration::Color] = colori_[i];
        series_->setPointConfiguration(static_cast<int>(i), config);
    }
}

void GraficoLinea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        panning_ = true;
        lastPan_ = event->pos();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void GraficoLinea::mouseMoveEvent(QMouseEvent* event) {
    if (panning_) {
        const QPoint delta = event->pos() - lastPan_;
        lastPan_ = event->pos();
        chart()->scroll(-delta.x(), delta.y());
        event->accept();
        return;
    }
    QChartView::mouseMoveEvent(event);
}

void GraficoLinea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // Right button only pans (the view would otherwise zoom out on its release).
        panning_ = false;
        event->accept();
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

GraficoTorta::GraficoTorta(QWidget* parent)
    : QChartView(parent), series_(new QPieSeries), legenda_(new LegendaTorta(this)) {
    auto* chart = new QChart;
    preparaGrafico(chart, QStringLiteral("Percentuale Operazioni"), QColor(255, 176, 176));
    chart->addSeries(series_);
    series_->setPieSize(0.42);
    series_->setVerticalPosition(0.78);
    // The chart's own legend runs along one edge and has no room for the labels in 190 pixels: the
    // legend is drawn above the pie instead, one line per slice.
    chart->legend()->hide();
    // The view came with a chart of its own, which it releases without deleting.
    QChart* iniziale = this->chart();
    setChart(chart);
    delete iniziale;
    setRenderHint(QPainter::Antialiasing);
    setToolTip(QStringLiteral("Movimenti in percentuale"));
    setStatusTip(QStringLiteral("Rappresentazione grafica delle percentuali di operazioni effettuate"));
}

void GraficoTorta::svuota() {
    series_->clear();
    labels_.clear();
    legenda_->update();
}

void GraficoTorta::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    legenda_->setGeometry(4, 26, width() - 8, kRigaLegenda * 7 + 2);
}

QList<GraficoTorta::VoceLegenda> GraficoTorta::legenda() const {
    QList<VoceLegenda> voci;
    const double total = series_->sum();
    const QList<QPieSlice*> slices = series_->slices();
    for (qsizetype i = 0; i < slices.size(); ++i) {
        const double percent = total > 0 ? slices[i]->value() * 100.0 / total : 0.0;
        voci.push_back({labels_[i], QStringLiteral("%1%").arg(percent, 0, 'f', 0), slices[i]->color()});
    }
    return voci;
}

void GraficoTorta::LegendaTorta::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(9);
    painter.setFont(f);
    const QList<VoceLegenda> voci = owner->legenda();
    int y = 0;
    for (const VoceLegenda& v : voci) {
        const QRect riga(0, y, width(), kRigaLegenda);
        painter.fillRect(QRect(2, y + 2, 15, kRigaLegenda - 4), v.colore);
        painter.setPen(Qt::black);
        painter.drawRect(QRect(2, y + 2, 15, kRigaLegenda - 4));
        painter.drawText(riga.adjusted(21, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, v.etichetta);
        painter.drawText(riga.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, v.percentuale);
        // Dividing lines between the entries.
        painter.setPen(QColor(160, 160, 160));
        painter.drawLine(riga.bottomLeft(), riga.bottomRight());
        y += kRigaLegenda;
    }
}

void GraficoTorta::aggiungi(const PieSlice& slice) {
    // Descending order of value; equal values keep their order of arrival.
    const QList<QPieSlice*> slices = series_->slices();
    qsizetype at = slices.size();
    while (at > 0 && slices[at - 1]->value() < slice.value)
        --at;
    auto* s = new QPieSlice(QString::fromStdString(slice.label), slice.value);
    s->setColor(colore(slice.colour));
    s->setBorderColor(colore(slice.colour).darker(130));
    s->setLabelVisible(false);
    series_->insert(static_cast<int>(at), s);
    labels_.insert(at, QString::fromStdString(slice.label));
    legenda_->update();
}

} // namespace valmora::gui
