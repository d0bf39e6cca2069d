#include "compare/CompareWindow.h"

#include "compare/CompareModel.h"
#include "loan/Calendar.h"
#include "loan/OfferComparison.h"
#include "numbers/NumberText.h"
#include "windows/CheckedField.h"
#include "windows/OutOfDateNote.h"
#include "windows/TableActions.h"
#include "windows/WindowColours.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int kWindowWidthPixels = 1000;
constexpr int kWindowHeightPixels = 900;
constexpr int kLongestLoanYears = 2183;
constexpr int kLatestYear = 32767;
constexpr qreal kLineWidthPixels = 2.0;
// More points than this a line are drawn a year apart.
constexpr std::size_t kMostPointsALine = 1200;
// Told apart by lightness as well as hue, offer 1 darkest.
constexpr std::array<QRgb, 4> kOfferColours = {WindowColours::kCalculatedLine, WindowColours::kChangedLine, 0xe8772e,
                                               0x6aa84f};

// The fields' captions, down the first column.
enum FieldRow {
    NameRow = 1,
    PrincipalRow,
    YearsRow,
    RateRow,
    PointsRow,
    FeesRow,
    MonthlyFeeRow,
    ChangeYearRow,
    ChangeMonthRow,
    ChangeRateRow,
};
const std::array<QString, 10> kCaptions = {QStringLiteral("Name"),
                                           QStringLiteral("Principal"),
                                           QStringLiteral("Length in years"),
                                           QStringLiteral("Annual rate %"),
                                           QStringLiteral("Points %"),
                                           QStringLiteral("Closing fees"),
                                           QStringLiteral("Monthly fee"),
                                           QStringLiteral("Rate change from the year"),
                                           QStringLiteral("and the month"),
                                           QStringLiteral("New rate %")};

QString offerLabel(int index) {
    return QStringLiteral("Offer %1").arg(index + 1);
}

} // namespace

CompareWindow::CompareWindow(const MessagePath& messages, QWidget* parent)
    : ToolWindow(QStringLiteral("Compare Offers"), QStringLiteral("Calculate a loan to compare offers for it"),
                 messages, parent) {
    setObjectName(QStringLiteral("compareWindow"));
    resize(kWindowWidthPixels, kWindowHeightPixels);
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(makeOffers());
    splitter->addWidget(makeResults());
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    setFiguresPage(page);
    for (int i = 0; i < kFewestOffers; ++i)
        m_offers.push_back(makeOfferFields(i));
    setFirstField(m_offers.front().name);
    windowLayout()->setContentsMargins(0, 0, 0, 0);
}

CompareWindow::~CompareWindow() = default;

QWidget* CompareWindow::makeOffers() {
    auto* group = new QGroupBox(QStringLiteral("Offers"));
    auto* outer = new QVBoxLayout(group);
    m_grid = new QGridLayout;
    for (std::size_t row = 0; row < kCaptions.size(); ++row)
        m_grid->addWidget(new QLabel(kCaptions[row] + u':', group), int(row) + NameRow, 0);
    outer->addLayout(m_grid);

    auto* buttons = new QHBoxLayout;
    addOffer = new QPushButton(QStringLiteral("&Add Offer"), group);
    removeOffer = new QPushButton(QStringLiteral("&Remove Offer"), group);
    removeOffer->setAccessibleName(QStringLiteral("Remove the last offer"));
    auto* horizonLabel = new QLabel(QStringLiteral("&Keep the loan for"), group);
    horizon = new QSpinBox(group);
    horizon->setRange(1, kLongestLoanYears);
    horizon->setSuffix(QStringLiteral(" years"));
    horizon->setAccessibleName(QStringLiteral("Keep the loan for this many years"));
    horizonLabel->setBuddy(horizon);
    buttons->addWidget(addOffer);
    buttons->addWidget(removeOffer);
    buttons->addSpacing(24);
    buttons->addWidget(horizonLabel);
    buttons->addWidget(horizon);
    buttons->addStretch();
    outer->addLayout(buttons);

    connect(addOffer, &QPushButton::clicked, this, &CompareWindow::addOfferColumn);
    connect(removeOffer, &QPushButton::clicked, this, &CompareWindow::removeOfferColumn);
    connect(horizon, &QSpinBox::valueChanged, this, [this] {
        if (!m_updating) {
            m_horizonEdited = true;
            update();
        }
    });
    return group;
}

QWidget* CompareWindow::makeResults() {
    auto* results = new QWidget;
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    m_outOfDate = new OutOfDateNote(QStringLiteral("offers"), results);
    layout->addWidget(m_outOfDate);
    likeForLike = new QLabel(results);
    likeForLike->setStyleSheet(WindowColours::kProblemStyle);
    likeForLike->hide();
    layout->addWidget(likeForLike);

    auto* tabs = new QTabWidget(results);
    auto* tablePage = new QWidget(tabs);
    auto* tableLayout = new QVBoxLayout(tablePage);
    m_model = new CompareModel(this);
    comparisonView = new QTableView(tablePage);
    comparisonView->setAccessibleName(QStringLiteral("Comparison of the offers"));
    comparisonView->setModel(m_model);
    comparisonView->verticalHeader()->hide();
    comparisonView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    comparisonView->setTabKeyNavigation(false);
    tableLayout->addWidget(comparisonView);
    actions = new TableActions(
        *m_model, QStringLiteral("the comparison"), QStringLiteral("offer-comparison"),
        [] { return QStringLiteral("Comparison of loan offers"); }, *this);
    tableLayout->addWidget(actions);
    tabs->addTab(tablePage, QStringLiteral("Comparison"));

    m_chartView = new QChartView(makeChart(), tabs);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setAccessibleName(QStringLiteral("Chart of each offer's cost to date"));
    m_chartView->setFocusPolicy(Qt::StrongFocus);
    tabs->addTab(m_chartView, QStringLiteral("Cost over time"));
    layout->addWidget(tabs, 1);
    return results;
}

CompareWindow::OfferFields CompareWindow::makeOfferFields(int index) {
    QWidget* parent = m_grid->parentWidget();
    const QString offer = offerLabel(index);
    const int column = index + 1;
    OfferFields fields;
    auto* heading = new QLabel(QStringLiteral("<b>%1</b>").arg(offer), parent);
    m_grid->addWidget(heading, 0, column);
    fields.name = new QLineEdit(offer, parent);
    fields.name->setAccessibleName(offer + QStringLiteral(" name"));
    const auto amount = [&](const QString& caption, const QString& words, int row) {
        auto* field = new CheckedField(CheckedField::Accepts::Amount, offer + u' ' + caption.toLower(),
                                       QStringLiteral("%1's %2").arg(offer, words), parent);
        // The reason a field does not read stands under it, in its offer's column.
        auto* cell = new QVBoxLayout;
        cell->setSpacing(0);
        cell->addWidget(field);
        cell->addWidget(field->reasonLabel());
        m_grid->addLayout(cell, row, column);
        return field;
    };
    m_grid->addWidget(fields.name, NameRow, column);
    fields.principal = amount(QStringLiteral("Principal"), QStringLiteral("principal"), PrincipalRow);
    fields.years = amount(QStringLiteral("Length in years"), QStringLiteral("length in years"), YearsRow);
    fields.rate = amount(QStringLiteral("Annual rate %"), QStringLiteral("annual rate"), RateRow);
    fields.points = amount(QStringLiteral("Points %"), QStringLiteral("points"), PointsRow);
    fields.fees = amount(QStringLiteral("Closing fees"), QStringLiteral("closing fees"), FeesRow);
    fields.monthlyFee = amount(QStringLiteral("Monthly fee"), QStringLiteral("monthly fee"), MonthlyFeeRow);
    fields.changeYear = new QSpinBox(parent);
    fields.changeYear->setRange(0, kLatestYear);
    fields.changeYear->setSpecialValueText(QStringLiteral("no change"));
    fields.changeYear->setAccessibleName(offer + QStringLiteral(" rate change from the year"));
    m_grid->addWidget(fields.changeYear, ChangeYearRow, column);
    fields.changeMonth = new QComboBox(parent);
    for (const QString& month : Calendar::kMonthNames)
        fields.changeMonth->addItem(month);
    fields.changeMonth->setAccessibleName(offer + QStringLiteral(" rate change in the month"));
    m_grid->addWidget(fields.changeMonth, ChangeMonthRow, column);
    fields.changeRate = amount(QStringLiteral("New rate %"), QStringLiteral("new rate"), ChangeRateRow);

    for (QLineEdit* field :
         std::initializer_list<QLineEdit*>{fields.name, fields.principal, fields.years, fields.rate, fields.points,
                                           fields.fees, fields.monthlyFee, fields.changeRate}) {
        connect(field, &QLineEdit::textChanged, this, &CompareWindow::update);
        if (index == 0)
            connect(field, &QLineEdit::textEdited, this, [this] { m_offer1Edited = true; });
    }
    connect(fields.changeYear, &QSpinBox::valueChanged, this, &CompareWindow::update);
    connect(fields.changeMonth, &QComboBox::currentIndexChanged, this, &CompareWindow::update);
    return fields;
}

void CompareWindow::setLoan(const Schedule& schedule) {
    m_loan = schedule;
    if (!m_offer1Edited) {
        const bool wasUpdating = std::exchange(m_updating, true);
        OfferFields& first = m_offers.front();
        first.principal->setText(doubleText(schedule.principal));
        first.years->setText(doubleText(schedule.lengthInYears));
        first.rate->setText(doubleText(schedule.ratePercent));
        // A new offer begins as a copy of the one before it, here of the calculated loan.
        for (std::size_t i = 1; i < m_offers.size(); ++i) {
            if (m_offers[i].principal->text().isEmpty()) {
                m_offers[i].principal->setText(first.principal->text());
                m_offers[i].years->setText(first.years->text());
                m_offers[i].rate->setText(first.rate->text());
            }
        }
        m_updating = wasUpdating;
    }
    showFigures();
    update();
}

bool CompareWindow::isOutOfDate() const {
    return m_outOfDate->isOutOfDate();
}

QString CompareWindow::figure(const QString& name, std::size_t offer) const {
    for (const CompareText::Row& row : m_model->figureRows()) {
        if (row.name == name && offer < row.values.size())
            return row.values[offer];
    }
    return QStringLiteral("no figure named ") + name;
}

QString CompareWindow::comparisonText() const {
    return CompareText::describe(m_model->figureRows());
}

void CompareWindow::addOfferColumn() {
    if (m_offers.size() >= std::size_t(kMostOffers))
        return;
    const OfferFields& last = m_offers.back();
    OfferFields fields = makeOfferFields(int(m_offers.size()));
    {
        const bool wasUpdating = std::exchange(m_updating, true);
        for (auto [from, to] : {std::pair{last.principal, fields.principal}, std::pair{last.years, fields.years},
                                std::pair{last.rate, fields.rate}, std::pair{last.points, fields.points},
                                std::pair{last.fees, fields.fees}, std::pair{last.monthlyFee, fields.monthlyFee},
                                std::pair{last.changeRate, fields.changeRate}})
            to->setText(from->text());
        fields.changeYear->setValue(last.changeYear->value());
        fields.changeMonth->setCurrentIndex(last.changeMonth->currentIndex());
        m_updating = wasUpdating;
    }
    m_offers.push_back(fields);
    setTabOrder(m_offers[m_offers.size() - 2].changeRate, fields.name);
    addOffer->setEnabled(m_offers.size() < std::size_t(kMostOffers));
    removeOffer->setEnabled(true);
    // A column added to a window on screen shows at once, so the cursor can go into its name.
    for (QWidget* widget : std::initializer_list<QWidget*>{fields.name, fields.principal, fields.years, fields.rate,
                                                           fields.points, fields.fees, fields.monthlyFee,
                                                           fields.changeYear, fields.changeMonth, fields.changeRate})
        widget->show();
    if (QLayoutItem* heading = m_grid->itemAtPosition(0, int(m_offers.size())))
        heading->widget()->show();
    fields.name->setFocus();
    fields.name->selectAll();
    update();
}

void CompareWindow::removeOfferColumn() {
    if (m_offers.size() <= std::size_t(kFewestOffers))
        return;
    const int column = int(m_offers.size());
    // Each field stands in a cell of its own with its reason under it; the rest stand alone.
    for (int row = 0; row <= ChangeRateRow; ++row) {
        QLayoutItem* item = m_grid->itemAtPosition(row, column);
        if (!item)
            continue;
        if (QLayout* cell = item->layout()) {
            while (QLayoutItem* inner = cell->takeAt(0)) {
                delete inner->widget();
                delete inner;
            }
            m_grid->removeItem(cell);
            delete cell;
        } else {
            delete item->widget();
        }
    }
    m_offers.pop_back();
    addOffer->setEnabled(true);
    removeOffer->setEnabled(m_offers.size() > std::size_t(kFewestOffers));
    update();
}

std::optional<Offer> CompareWindow::readOffer(OfferFields& fields) {
    Offer offer;
    offer.name = fields.name->text().trimmed();
    bool allRead = true;
    const auto required = [&allRead](CheckedField* field, const QString& missing) {
        if (field->text().trimmed().isEmpty()) {
            field->mark(missing);
            allRead = false;
            return Decimal();
        }
        const std::optional<Decimal> value = field->readAmount();
        allRead = allRead && value;
        return value.value_or(Decimal());
    };
    const auto optional = [&allRead](CheckedField* field) {
        const std::optional<Decimal> value = field->readAmount();
        allRead = allRead && value;
        return value.value_or(Decimal());
    };
    offer.principal = required(fields.principal, QStringLiteral("Type the principal."));
    offer.lengthInYears = required(fields.years, QStringLiteral("Type the length in years."));
    offer.ratePercent = required(fields.rate, QStringLiteral("Type the annual rate."));
    offer.pointsPercent = optional(fields.points);
    offer.closingFees = optional(fields.fees);
    offer.monthlyFee = optional(fields.monthlyFee);
    if (fields.changeYear->value() == 0) {
        fields.changeRate->mark({});
    } else {
        const Decimal rate = required(fields.changeRate, QStringLiteral("Type the new rate, or choose no change."));
        offer.rateChange =
            LenderTerms::RateChange{fields.changeYear->value(), fields.changeMonth->currentIndex() + 1, rate};
    }
    if (!allRead)
        return std::nullopt;
    return offer;
}

void CompareWindow::update() {
    if (!m_loan || m_updating)
        return;
    m_updating = true;
    std::vector<Offer> offers;
    bool allRead = true;
    for (std::size_t i = 0; i < m_offers.size(); ++i) {
        std::optional<Offer> offer = readOffer(m_offers[i]);
        allRead = allRead && offer;
        if (offer) {
            if (offer->name.isEmpty())
                offer->name = offerLabel(int(i));
            offers.push_back(*offer);
        }
    }
    m_outOfDate->setOutOfDate(!allRead);
    if (!allRead) {
        m_updating = false;
        return;
    }
    const OfferComparison comparison = OfferComparison::compute(
        offers, std::int64_t(m_loan->startYear), m_horizonEdited ? std::optional<int>(horizon->value()) : std::nullopt);
    // A rate change left out is marked at its offer's new rate.
    for (std::size_t i = 0; i < offers.size(); ++i) {
        const QStringList& notes = comparison.offers[i].notes;
        if (!notes.isEmpty())
            m_offers[i].changeRate->mark(notes.join(u' '));
    }
    if (!m_horizonEdited)
        horizon->setValue(std::max(1, CompareText::horizonYears(comparison)));
    likeForLike->setText(
        QStringLiteral("Not like for like: the offers' principals differ, so their costs are for loans of "
                       "different sizes."));
    likeForLike->setVisible(comparison.principalsDiffer);
    m_model->setRows(CompareText::rows(comparison, offers), comparison.cheapest);
    comparisonView->setAccessibleDescription(comparisonText());
    fillChart(comparison);
    m_updating = false;
}

QChart* CompareWindow::makeChart() {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Cost to date: interest and fees"));
    m_xAxis = new QValueAxis(chart);
    m_xAxis->setTitleText(QStringLiteral("Year"));
    m_xAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_yAxis = new QValueAxis(chart);
    m_yAxis->setTitleText(QStringLiteral("Cost"));
    m_yAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_xAxis, Qt::AlignBottom);
    chart->addAxis(m_yAxis, Qt::AlignLeft);
    // A line for each offer there may be, and the horizon's mark; lines of offers not shown are hidden.
    for (std::size_t i = 0; i <= kOfferColours.size(); ++i) {
        auto* series = new QLineSeries(chart);
        const bool mark = i == kOfferColours.size();
        series->setPen(mark ? QPen(QColor(WindowColours::kProblem), kLineWidthPixels, Qt::DashLine)
                            : QPen(QColor(kOfferColours[i]), kLineWidthPixels));
        chart->addSeries(series);
        series->attachAxis(m_xAxis);
        series->attachAxis(m_yAxis);
        m_series.push_back(series);
    }
    return chart;
}

void CompareWindow::fillChart(const OfferComparison& comparison) {
    const double start = m_loan->startYear;
    double highest = 0.0;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < kOfferColours.size(); ++i) {
        QLineSeries* series = m_series[i];
        series->setVisible(i < comparison.offers.size());
        if (i >= comparison.offers.size()) {
            series->clear();
            continue;
        }
        const std::vector<Decimal>& costs = comparison.offers[i].costToDate;
        const std::size_t step = costs.size() > kMostPointsALine ? std::size_t(Calendar::kMonthsPerYear) : 1;
        QList<QPointF> points;
        points.reserve(qsizetype(costs.size() / step + 1));
        for (std::size_t k = 0; k < costs.size(); k += step) {
            points.append({start + double(k) / Calendar::kMonthsPerYear, costs[k].toDouble()});
            highest = std::max(highest, points.back().y());
        }
        longest = std::max(longest, costs.size());
        series->setName(m_model->headerData(int(i) + 1, Qt::Horizontal).toString());
        series->replace(points);
    }
    const double horizonYear = start + double(comparison.horizonMonths) / Calendar::kMonthsPerYear;
    QLineSeries* mark = m_series.back();
    mark->setName(QStringLiteral("Keep the loan for %1 years").arg(CompareText::horizonYears(comparison)));
    mark->replace({{horizonYear, 0.0}, {horizonYear, highest}});
    m_xAxis->setRange(start, start + std::max<double>(1.0, double(longest) / Calendar::kMonthsPerYear));
    m_yAxis->setRange(0.0, std::max(1.0, highest));
    m_chartView->setAccessibleDescription(comparisonText());
}
