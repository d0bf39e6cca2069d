#include "whatif/WhatIfOptions.h"

#include "whatif/ExtraOptions.h"
#include "whatif/ExtraScheduleModel.h"
#include "whatif/WhatIfText.h"

#include <QCommandLineParser>

WhatIfOptions::WhatIfOptions()
    : m_monthly(QStringLiteral("extra-monthly"),
                QStringLiteral("Pay AMOUNT more every month, from the first payment or from the month YYYY-MM on. With "
                               "any extra, --csv and --pdf write the schedule with extras instead of the grid."),
                QStringLiteral("AMOUNT[@YYYY-MM]"))
    , m_yearly(QStringLiteral("extra-yearly"),
               QStringLiteral("Pay AMOUNT more once a year, in month MM (1 to 12; 12 when left out)."),
               QStringLiteral("AMOUNT[@MM]"))
    , m_lump(QStringLiteral("lump"),
             QStringLiteral("Pay AMOUNT once, with the payment of month YYYY-MM; may be repeated."),
             QStringLiteral("YYYY-MM=AMOUNT"))
    , m_payLess(QStringLiteral("pay-less"),
                QStringLiteral("Keep the end date and pay less after each extra, instead of "
                               "keeping the payment and finishing sooner.")) {}

QList<QCommandLineOption> WhatIfOptions::options() const {
    return {m_monthly, m_yearly, m_lump, m_payLess};
}

bool WhatIfOptions::isGiven(const QCommandLineParser& parser) const {
    return parser.isSet(m_monthly) || parser.isSet(m_yearly) || parser.isSet(m_lump) || parser.isSet(m_payLess);
}

QString WhatIfOptions::read(const QCommandLineParser& parser) {
    const std::array<std::pair<const QCommandLineOption*, QString (*)(const QString&, ExtraPayments&)>, 3> readers{{
        {&m_monthly, ExtraOptions::readMonthly},
        {&m_yearly, ExtraOptions::readYearly},
        {&m_lump, ExtraOptions::readLump},
    }};
    for (const auto& [option, reader] : readers) {
        for (const QString& value : parser.values(*option)) {
            if (const QString problem = reader(value, m_extras); !problem.isEmpty())
                return problem;
        }
    }
    if (parser.isSet(m_payLess))
        m_extras.effect = ExtraPayments::Effect::PayLess;
    return {};
}

int WhatIfOptions::run(const std::optional<Schedule>& loan, const ScriptOutput& output) {
    if (!loan) {
        ScriptOutput::printError(QStringLiteral("The loan gives no schedule to work the extra payments into.\n"));
        return ScriptOutput::kExitFailed;
    }
    ExtraScheduleModel model;
    model.setSchedule(ExtraSchedule::compute(*loan, m_extras));
    const ExtraSchedule& schedule = model.schedule();
    if (schedule.error) {
        ScriptOutput::printError(schedule.error->userText() + u'\n');
        return ScriptOutput::kExitFailed;
    }
    for (const std::size_t index : schedule.lumpsOutside) {
        const LumpSum& lump = m_extras.lumps[index];
        ScriptOutput::printError(QStringLiteral("pellmarsh: --lump %1-%2 falls outside the loan; it is left out.\n")
                                     .arg(lump.year)
                                     .arg(lump.month, 2, 10, QChar(u'0')));
    }
    if (output.summary) {
        const QStringList lines =
            WhatIfText::summaryLines(WhatIfText::comparison(LoanOutcome::of(*loan), schedule.outcome()));
        ScriptOutput::printOut(lines.join(u'\n') + u'\n');
    }
    return output.write(ScriptOutput::tableOf(model, QStringLiteral("Loan schedule with extra payments")));
}
