#pragma once

#include "loan/Extras.h"
#include "windows/WindowOptions.h"

// The what-if window's command line: --extra-monthly, --extra-yearly, --lump and --pay-less work the extras into
// the calculated loan; with any of them --csv and --pdf write the schedule with extras, and --summary, with them
// or alone, prints the loan as calculated beside the loan with the extras.
class WhatIfOptions : public WindowOptions {
public:
    WhatIfOptions();

    QList<QCommandLineOption> options() const override;
    bool isGiven(const QCommandLineParser& parser) const override;
    bool takesSummaryAlone() const override { return true; }
    QString name() const override { return QStringLiteral("extra payments"); }
    QString needsSchedule() const override { return QStringLiteral("Extra payments and --summary"); }
    QString read(const QCommandLineParser& parser) override;
    int run(const std::optional<Schedule>& loan, const ScriptOutput& output) override;

    const ExtraPayments& extras() const { return m_extras; }

private:
    QCommandLineOption m_monthly;
    QCommandLineOption m_yearly;
    QCommandLineOption m_lump;
    QCommandLineOption m_payLess;
    ExtraPayments m_extras;
};
