#pragma once

#include "loan/LenderTerms.h"
#include "windows/WindowOptions.h"

#include <vector>

// The lender's schedule on the command line: --frequency, --first-payment, --compounding, --interest,
// --loan-date, --round-payment, --round-interest, --payment, --initial-repayment, --rate-change, --keep-payment,
// --balance-after and --lender. Any of them makes --csv and --pdf write the lender's schedule and --summary
// print the lender's figures.
class LenderOptions : public WindowOptions {
public:
    LenderOptions();

    QList<QCommandLineOption> options() const override;
    bool isGiven(const QCommandLineParser& parser) const override;
    QString name() const override { return QStringLiteral("the lender's schedule"); }
    QString needsSchedule() const override { return QStringLiteral("The lender's schedule"); }
    QString read(const QCommandLineParser& parser) override;
    int run(const std::optional<Schedule>& loan, const ScriptOutput& output) override;

    // The terms read, on a loan of no principal, rate or length.
    const LenderTerms& terms() const { return m_terms; }

private:
    std::vector<QCommandLineOption> m_options;
    LenderTerms m_terms;
};
