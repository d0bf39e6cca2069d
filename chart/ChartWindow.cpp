#include "chart/ChartWindow.h"

#include "chart/ChartText.h"
#include "windows/FileChooser.h"
#include "windows/MessagePath.h"
#include "windows/WindowColours.h"

#include <QDir>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int kWindowWidthPixels = 900;
constexpr int kWindowHeightPixels = 600;
constexpr qreal kMarkerSizePixels = 14.0;
constexpr qreal kLineWidthPixels = 2.5;
constexpr qreal kRotatedLabelsDegrees = -90.0;
// More categories than this do not fit side by side at the window's first width.
constexpr int kMostUprightLabels = 12;
// Told apart by lightness as well as hue.
constexpr QRgb kInterestColour = WindowColours::kChangedLine;
constexpr QRgb kPrincipalColour = 0x9cc96b;
constexpr QRgb kBalanceColour = WindowColours::kCalculatedLine;
constexpr QRgb kMarkerColour = 0xe8772e;
// Money on the axis in whole units; the locale groups the thousands.
const QString kMoneyAxisFormat = QStringLiteral("%.0f");

enum TableColumn { YearsColumn, InterestColumn, PrincipalColumn, BalanceColumn, ColumnCount };

QString spanName(int yearsPerBucket) {
    switch (yearsPerBucket) {
    case 1:
        return QStringLiteral("year");
    case 10:
        return QStringLiteral("decade");
    case 100:
        return QStringLiteral("century");
    default:
        return QStringLiteral("millennium");
    }
}

// A money axis from 0, or from below it when a figure is negative, to a round figure above the largest.
QValueAxis* moneyAxis(double lowest, double highest, const QString& title) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(kMoneyAxisFormat);
    axis->setRange(std::min(lowest, 0.0), std::max(highest, 0.0));
    axis->applyNiceNumbers();
    axis->setTitleText(title);
    return axis;
}

} // namespace

ChartWindow::ChartWindow(const MessagePath& messages, QWidget* parent)
    : ToolWindow(QStringLiteral("Chart"), QStringLiteral("Calculate a schedule to see its chart"), messages, parent) {
    setObjectName(QStringLiteral("ChartWindow"));
    resize(kWindowWidthPixels, kWindowHeightPixels);

    m_view = new QChartView;
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setAccessibleName(QStringLiteral("Chart of the loan"));
    m_crossing = new QLabel;
    auto* chartPage = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(m_view, 1);
    chartLayout->addWidget(m_crossing);

    m_table = new QTableWidget(0, ColumnCount);
    m_table->setAccessibleName(QStringLiteral("Figures of the chart"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Years"), QStringLiteral("Interest"),
                                        QStringLiteral("Principal"), QStringLiteral("Balance at the end")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* tabs = new QTabWidget;
    tabs->addTab(chartPage, QStringLiteral("Chart"));
    tabs->addTab(m_table, QStringLiteral("Figures"));

    setFiguresPage(tabs);
    // The chart takes no typing: the first stop is its tabs.
    setFirstField(tabs);

    m_save = new QPushButton(QStringLiteral("Save Image\u2026"));
    auto* close = new QPushButton(QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(close);

    windowLayout()->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, &ChartWindow::saveImage);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void ChartWindow::showEvent(QShowEvent* event) {
    // Drawn when it is seen, so the schedules of Calculates made while it was closed cost nothing here.
    if (m_stale)
        refresh();
    QWidget::showEvent(event);
}

void ChartWindow::setYears(std::vector<ScheduleYear> years) {
    m_years = std::move(years);
    m_stale = true;
    if (isVisible())
        refresh();
}

void ChartWindow::refresh() {
    m_stale = false;
    const std::vector<ScheduleYear>& years = m_years;
    m_buckets = YearBuckets::of(years);
    fillTable();
    m_save->setEnabled(!m_buckets.empty());
    if (m_buckets.empty()) {
        showMessage();
        m_crossing->clear();
        m_view->setAccessibleDescription(QString());
        return;
    }
    QChart* old = m_view->chart();
    m_view->setChart(makeChart());
    delete old;
    showFigures();

    const std::optional<double> crossing = YearBuckets::crossingYear(years);
    m_crossing->setText(crossing ? QStringLiteral("Principal first exceeds interest in %1.")
                                       .arg(ChartText::years({*crossing, *crossing, {}, {}, {}}))
                                 : QStringLiteral("Interest exceeds principal in every year."));

    QStringList description;
    for (const YearBucket& bucket : m_buckets)
        description << ChartText::describe(bucket, locale());
    m_view->setAccessibleDescription(m_crossing->text() + u'\n' + description.join(u'\n'));
}

QChart* ChartWindow::makeChart() {
    const std::vector<ScheduleYear>& years = m_years;
    const QLocale desktop = locale();
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setLocale(desktop);
    chart->setLocalizeNumbers(true);
    const QString span = spanName(YearBuckets::yearsPerBucket(years.size()));
    chart->setTitle(QStringLiteral("Interest and principal paid, and the balance left, by %1").arg(span));

    auto* interest = new QBarSet(QStringLiteral("Interest"));
    auto* principal = new QBarSet(QStringLiteral("Principal"));
    interest->setColor(QColor(kInterestColour));
    principal->setColor(QColor(kPrincipalColour));
    auto* balance = new QLineSeries;
    balance->setName(QStringLiteral("Balance at the end"));
    QStringList categories;
    double lowestPaid = 0.0;
    double highestPaid = 0.0;
    double lowestBalance = 0.0;
    double highestBalance = 0.0;
    for (std::size_t index = 0; index < m_buckets.size(); ++index) {
        const YearBucket& bucket = m_buckets[index];
        *interest << bucket.interest.toDouble();
        *principal << bucket.principal.toDouble();
        balance->append(qreal(index), bucket.balance.toDouble());
        categories << ChartText::years(bucket);
        lowestPaid = std::min({lowestPaid, bucket.interest.toDouble(), bucket.principal.toDouble()});
        highestPaid = std::max(highestPaid, bucket.interest.toDouble() + bucket.principal.toDouble());
        lowestBalance = std::min(lowestBalance, bucket.balance.toDouble());
        highestBalance = std::max(highestBalance, bucket.balance.toDouble());
    }
    auto* bars = new QStackedBarSeries;
    bars->append(interest);
    bars->append(principal);
    chart->addSeries(bars);
    chart->addSeries(balance);
    QPen line{QColor(kBalanceColour)};
    line.setWidthF(kLineWidthPixels);
    balance->setPen(line);

    auto* yearAxis = new QBarCategoryAxis;
    yearAxis->append(categories);
    if (categories.size() > kMostUprightLabels)
        yearAxis->setLabelsAngle(kRotatedLabelsDegrees);
    // A year's payments are a small part of the balance: each has its own scale, so the bars can be read.
    QValueAxis* balanceAxis = moneyAxis(lowestBalance, highestBalance, QStringLiteral("Balance at the end"));
    QValueAxis* paidAxis = moneyAxis(lowestPaid, highestPaid, QStringLiteral("Paid in each %1").arg(span));
    chart->addAxis(yearAxis, Qt::AlignBottom);
    chart->addAxis(balanceAxis, Qt::AlignLeft);
    chart->addAxis(paidAxis, Qt::AlignRight);
    for (QAbstractSeries* each : {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(balance)}) {
        each->attachAxis(yearAxis);
        each->attachAxis(each == bars ? paidAxis : balanceAxis);
    }

    // The mark sits on top of the bar of the year it names, where principal first outgrows interest.
    if (const std::optional<double> crossing = YearBuckets::crossingYear(years)) {
        const auto bucket = std::find_if(m_buckets.begin(), m_buckets.end(),
                                         [&](const YearBucket& b) { return b.lastYear >= *crossing; });
        auto* marker = new QScatterSeries;
        marker->setName(QStringLiteral("Principal first exceeds interest: %1")
                            .arg(ChartText::years({*crossing, *crossing, {}, {}, {}})));
        marker->setMarkerSize(kMarkerSizePixels);
        marker->setColor(QColor(kMarkerColour));
        marker->append(qreal(bucket - m_buckets.begin()), (bucket->interest + bucket->principal).toDouble());
        chart->addSeries(marker);
        marker->attachAxis(yearAxis);
        marker->attachAxis(paidAxis);
        connect(marker, &QScatterSeries::hovered, this,
                [this](const QPointF& point, bool shown) { showTip(qRound(point.x()), shown); });
    }

    connect(bars, &QStackedBarSeries::hovered, this,
            [this](bool shown, int index, QBarSet*) { showTip(index, shown); });
    connect(balance, &QLineSeries::hovered, this,
            [this](const QPointF& point, bool shown) { showTip(qRound(point.x()), shown); });
    return chart;
}

void ChartWindow::fillTable() {
    const QLocale desktop = locale();
    m_table->setRowCount(int(m_buckets.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const YearBucket& bucket = m_buckets[std::size_t(row)];
        const auto set = [&](int column, const QString& text, Qt::Alignment alignment) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(alignment | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        };
        set(YearsColumn, ChartText::years(bucket), Qt::AlignLeft);
        set(InterestColumn, ChartText::money(bucket.interest, desktop), Qt::AlignRight);
        set(PrincipalColumn, ChartText::money(bucket.principal, desktop), Qt::AlignRight);
        set(BalanceColumn, ChartText::money(bucket.balance, desktop), Qt::AlignRight);
    }
}

void ChartWindow::showTip(int bucket, bool shown) {
    if (!shown || bucket < 0 || std::size_t(bucket) >= m_buckets.size()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(), ChartText::describe(m_buckets[std::size_t(bucket)], locale()), m_view);
}

QString ChartWindow::writeImage(const QString& path) const {
    const auto failed = [&](const QString& why) {
        return QStringLiteral("The chart could not be saved as %1:\n%2").arg(QDir::toNativeSeparators(path), why);
    };
    const QImage image = m_view->grab().toImage();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return failed(file.error() != QFileDevice::NoError ? file.errorString()
                                                           : QStringLiteral("the image could not be encoded."));
    }
    if (!file.commit())
        return failed(file.errorString());
    return QString();
}

void ChartWindow::saveImage() {
    QString path = fileChooser()(QStringLiteral("Save Image"), QDir::home().filePath(QStringLiteral("loan-chart.png")),
                                 QStringLiteral("PNG images (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    const QString error = writeImage(path);
    if (!error.isEmpty())
        messages().report(*this, error);
}
