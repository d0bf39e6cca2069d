#pragma once

#include "compare/CompareText.h"
#include "loan/Offer.h"
#include "loan/Schedule.h"
#include "windows/ToolWindow.h"

#include <optional>
#include <vector>

class CheckedField;
class CompareModel;
class OutOfDateNote;
class QChart;
class QChartView;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QLineSeries;
class QValueAxis;
struct OfferComparison;
class QPushButton;
class QSpinBox;
class QTableView;
class TableActions;

// "Which offer is cheaper?": two to four loan offers side by side, a column each, with their points, fees,
// monthly fee and a rate change; for each the payment, cash at closing, APR, effective annual rate, the cost
// over the years the borrower keeps the loan and over the whole term, and from when it is cheaper than the
// first offer. Offer 1 starts from the last Calculate and follows later ones until the user edits it. While a
// field does not read, the figures stay those of the last offers that read, marked as out of date.
class CompareWindow : public ToolWindow {
    Q_OBJECT

public:
    static constexpr int kFewestOffers = 2;
    static constexpr int kMostOffers = 4;

    // One offer's fields, a column of the window.
    struct OfferFields {
        QLineEdit* name = nullptr;
        CheckedField* principal = nullptr;
        CheckedField* years = nullptr;
        CheckedField* rate = nullptr;
        CheckedField* points = nullptr;
        CheckedField* fees = nullptr;
        CheckedField* monthlyFee = nullptr;
        QSpinBox* changeYear = nullptr; // the special value "none" is no change
        QComboBox* changeMonth = nullptr;
        CheckedField* changeRate = nullptr;
    };

    explicit CompareWindow(const MessagePath& messages, QWidget* parent = nullptr);
    ~CompareWindow() override;

    // The loan offer 1 starts from, until the user edits offer 1.
    void setLoan(const Schedule& schedule);

    bool isOutOfDate() const;
    const CompareModel& comparisonModel() const { return *m_model; }
    // The figure named `name` of offer `offer` (0 for offer 1), as the table shows it.
    QString figure(const QString& name, std::size_t offer) const;
    // The comparison as text, as the screen reader reads it.
    QString comparisonText() const;
    QChartView* chartView() const { return m_chartView; }

    const std::vector<OfferFields>& offers() const { return m_offers; }
    QPushButton* addOffer = nullptr;
    QPushButton* removeOffer = nullptr;
    QSpinBox* horizon = nullptr;
    QLabel* likeForLike = nullptr;
    QTableView* comparisonView = nullptr;
    TableActions* actions = nullptr;

    // A new offer, a copy of the last one, named "Offer N".
    void addOfferColumn();
    void removeOfferColumn();

private:
    QWidget* makeOffers();
    QWidget* makeResults();
    OfferFields makeOfferFields(int index);
    std::optional<Offer> readOffer(OfferFields& fields);
    void update();
    // The chart's axes, a line for each offer there may be and the horizon's mark.
    QChart* makeChart();
    void fillChart(const OfferComparison& comparison);

    std::optional<Schedule> m_loan;
    std::vector<OfferFields> m_offers;
    bool m_offer1Edited = false;
    bool m_horizonEdited = false;
    bool m_updating = false;

    QGridLayout* m_grid = nullptr;
    OutOfDateNote* m_outOfDate = nullptr;
    CompareModel* m_model = nullptr;
    QChartView* m_chartView = nullptr;
    QValueAxis* m_xAxis = nullptr;
    QValueAxis* m_yAxis = nullptr;
    std::vector<QLineSeries*> m_series; // an offer's each, then the horizon's mark
};
