#include "lender/LenderOptions.h"

#include "lender/LenderScheduleModel.h"
#include "lender/LenderText.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <array>

namespace {

enum OptionIndex {
    FrequencyOption,
    FirstPaymentOption,
    CompoundingOption,
    InterestOption,
    LoanDateOption,
    RoundPaymentOption,
    RoundInterestOption,
    PaymentOption,
    InitialRepaymentOption,
    RateChangeOption,
    KeepPaymentOption,
    BalanceAfterOption,
    LenderOption,
};

// The words of a choice, in the order of its values in the terms.
const QStringList kFrequencies = {QStringLiteral("monthly"),
                                  QStringLiteral("semi-monthly"),
                                  QStringLiteral("biweekly"),
                                  QStringLiteral("weekly"),
                                  QStringLiteral("accelerated-biweekly"),
                                  QStringLiteral("accelerated-weekly"),
                                  QStringLiteral("quarterly"),
                                  QStringLiteral("annually")};
const QStringList kCompoundings = {QStringLiteral("with-payments"), QStringLiteral("monthly"),
                                   QStringLiteral("quarterly"), QStringLiteral("semi-annually"),
                                   QStringLiteral("annually")};
const QStringList kInterestCounts = {QStringLiteral("per-period"), QStringLiteral("actual-365")};
const QStringList kPaymentRoundings = {QStringLiteral("none"), QStringLiteral("nearest"), QStringLiteral("up"),
                                       QStringLiteral("down"), QStringLiteral("unit-up")};
const QStringList kInterestRoundings = {QStringLiteral("none"), QStringLiteral("half-up"), QStringLiteral("half-even"),
                                        QStringLiteral("down")};

QCommandLineOption option(const QString& name, const QString& description, const QString& value = {}) {
    return value.isEmpty() ? QCommandLineOption(name, description) : QCommandLineOption(name, description, value);
}

QString choices(const QStringList& words) {
    return words.join(u'|');
}

} // namespace

LenderOptions::LenderOptions()
    : m_options{
          option(QStringLiteral("frequency"),
                 QStringLiteral("Write the schedule as a lender bills it, paid this often (monthly when left out)."),
                 choices(kFrequencies)),
          option(QStringLiteral("first-payment"),
                 QStringLiteral("The first payment's date; 1 January of the start year when left out."),
                 QStringLiteral("YYYY-MM-DD")),
          option(QStringLiteral("compounding"),
                 QStringLiteral("How the annual rate compounds (with-payments when left out)."),
                 choices(kCompoundings)),
          option(QStringLiteral("interest"),
                 QStringLiteral("Interest for each payment period, or by the day, actual/365 (per-period when left "
                                "out)."),
                 choices(kInterestCounts)),
          option(QStringLiteral("loan-date"),
                 QStringLiteral("The date interest runs from, with --interest actual-365; one payment period before "
                                "the first payment when left out."),
                 QStringLiteral("YYYY-MM-DD")),
          option(QStringLiteral("round-payment"),
                 QStringLiteral("How the payment is rounded (nearest cent, halves up, when left out)."),
                 choices(kPaymentRoundings)),
          option(QStringLiteral("round-interest"),
                 QStringLiteral("How each period's interest is rounded (half-up to the cent when left out)."),
                 choices(kInterestRoundings)),
          option(QStringLiteral("payment"),
                 QStringLiteral("Pay this fixed amount, as typed; the loan runs until paid."),
                 QStringLiteral("AMOUNT")),
          option(QStringLiteral("initial-repayment"),
                 QStringLiteral("Pay the rate plus this initial repayment rate of the principal a year."),
                 QStringLiteral("PERCENT")),
          option(QStringLiteral("rate-change"),
                 QStringLiteral("From the first payment on or after the 1st of that month, charge this annual rate; "
                                "may be repeated. In a comparison of offers, offer 1's one rate change."),
                 QStringLiteral("YYYY-MM=PERCENT")),
          option(QStringLiteral("keep-payment"),
                 QStringLiteral("At a rate change keep the payment and move the end, instead of working the payment "
                                "out again.")),
          option(QStringLiteral("balance-after"),
                 QStringLiteral("Also give the balance after this many years, as the end of a fixed-rate period "
                                "needs."),
                 QStringLiteral("YEARS")),
          option(QStringLiteral("lender"),
                 QStringLiteral("Write the lender's schedule with the defaults: monthly, payment and interest to the "
                                "cent, halves up. With any lender's option, --csv and --pdf write the lender's "
                                "schedule and --summary prints its figures.")),
      } {}

QList<QCommandLineOption> LenderOptions::options() const {
    return QList<QCommandLineOption>(m_options.begin(), m_options.end());
}

bool LenderOptions::isGiven(const QCommandLineParser& parser) const {
    return std::any_of(m_options.begin(), m_options.end(),
                       [&parser](const QCommandLineOption& each) { return parser.isSet(each); });
}

QString LenderOptions::read(const QCommandLineParser& parser) {
    const auto malformed = [](const QCommandLineOption& which, const QString& value, const QString& accepts) {
        return QStringLiteral("--%1 \"%2\" is not %3.").arg(which.names().constFirst(), value, accepts);
    };
    const auto choice = [&](OptionIndex index, const QStringList& words, auto& field) -> QString {
        const QCommandLineOption& which = m_options[index];
        if (!parser.isSet(which))
            return {};
        const qsizetype found = words.indexOf(parser.value(which));
        if (found < 0)
            return malformed(which, parser.value(which), QStringLiteral("one of ") + words.join(QStringLiteral(", ")));
        field = std::remove_reference_t<decltype(field)>(found);
        return {};
    };
    const auto date = [&](OptionIndex index, std::optional<Calendar::Date>& field) -> QString {
        const QCommandLineOption& which = m_options[index];
        if (!parser.isSet(which))
            return {};
        field = Calendar::Date::fromIso(parser.value(which));
        return field ? QString() : malformed(which, parser.value(which), QStringLiteral("a date, as YYYY-MM-DD"));
    };
    const auto amount = [&](OptionIndex index, Decimal& field) -> QString {
        const QCommandLineOption& which = m_options[index];
        try {
            field = readAmount(parser.value(which), QStringLiteral("--") + which.names().constFirst());
            return {};
        } catch (const RuntimeError& error) {
            return error.message();
        }
    };
    for (const QString& problem :
         {choice(FrequencyOption, kFrequencies, m_terms.frequency), date(FirstPaymentOption, m_terms.firstPayment),
          choice(CompoundingOption, kCompoundings, m_terms.compounding),
          choice(InterestOption, kInterestCounts, m_terms.interestCount), date(LoanDateOption, m_terms.loanDate),
          choice(RoundPaymentOption, kPaymentRoundings, m_terms.paymentRounding),
          choice(RoundInterestOption, kInterestRoundings, m_terms.interestRounding)}) {
        if (!problem.isEmpty())
            return problem;
    }
    if (parser.isSet(m_options[PaymentOption]) && parser.isSet(m_options[InitialRepaymentOption]))
        return QStringLiteral("Give either --payment or --initial-repayment.");
    if (parser.isSet(m_options[PaymentOption])) {
        m_terms.paymentBasis = LenderTerms::PaymentBasis::Typed;
        if (const QString problem = amount(PaymentOption, m_terms.typedPayment); !problem.isEmpty())
            return problem;
    }
    if (parser.isSet(m_options[InitialRepaymentOption])) {
        m_terms.paymentBasis = LenderTerms::PaymentBasis::InitialRepayment;
        if (const QString problem = amount(InitialRepaymentOption, m_terms.initialRepaymentPercent); !problem.isEmpty())
            return problem;
    }
    static const QRegularExpression kChange(QStringLiteral("^([0-9]{1,9})-([0-9]{1,2})=(.*)$"));
    for (const QString& value : parser.values(m_options[RateChangeOption])) {
        const QRegularExpressionMatch match = kChange.match(value);
        LenderTerms::RateChange change;
        change.year = match.captured(1).toLongLong();
        change.month = match.captured(2).toInt();
        if (!match.hasMatch() || change.month < 1 || change.month > Calendar::kMonthsPerYear)
            return malformed(m_options[RateChangeOption], value, QStringLiteral("YYYY-MM=PERCENT"));
        try {
            change.ratePercent = readAmount(match.captured(3), QStringLiteral("--rate-change"));
        } catch (const RuntimeError& error) {
            return error.message();
        }
        m_terms.rateChanges.push_back(change);
    }
    if (parser.isSet(m_options[KeepPaymentOption]))
        m_terms.atRateChange = LenderTerms::AtRateChange::KeepPayment;
    if (parser.isSet(m_options[BalanceAfterOption])) {
        bool read = false;
        const QString value = parser.value(m_options[BalanceAfterOption]);
        const int years = value.toInt(&read);
        if (!read || years < 1 || value.startsWith(u'+'))
            return malformed(m_options[BalanceAfterOption], value, QStringLiteral("a whole number of years from 1"));
        m_terms.balanceAfterYears = years;
    }
    return {};
}

int LenderOptions::run(const std::optional<Schedule>& loan, const ScriptOutput& output) {
    if (!loan) {
        ScriptOutput::printError(QStringLiteral("The loan gives no schedule to bill as a lender would.\n"));
        return ScriptOutput::kExitFailed;
    }
    LenderTerms terms = m_terms;
    terms.principal = toDecimal(loan->principal, QStringLiteral("the principal"));
    terms.ratePercent = toDecimal(loan->ratePercent, QStringLiteral("the rate"));
    terms.lengthInYears = toDecimal(loan->lengthInYears, QStringLiteral("the length"));
    terms.startYear = std::int64_t(loan->startYear);
    LenderScheduleModel model;
    model.setSchedule(LenderSchedule::compute(terms));
    const LenderSchedule& schedule = model.schedule();
    // Terms that give no schedule at all are a command line whose options do not go together.
    if (!schedule.problems.isEmpty()) {
        ScriptOutput::printError(QStringLiteral("pellmarsh: %1\nTry 'pellmarsh --help' for more information.\n")
                                     .arg(schedule.problems.join(u' ')));
        return ScriptOutput::kExitUsage;
    }
    for (const std::size_t index : schedule.outsideChanges) {
        const LenderTerms::RateChange& change = terms.rateChanges[index];
        ScriptOutput::printError(
            QStringLiteral("pellmarsh: --rate-change %1-%2 falls outside the loan; it is left out.\n")
                .arg(change.year)
                .arg(change.month, 2, 10, QChar(u'0')));
    }
    if (output.summary)
        ScriptOutput::printOut(
            LenderText::summaryLines(LenderText::summary(schedule, terms.balanceAfterYears, nullptr)).join(u'\n') +
            u'\n');
    const int written = output.write(ScriptOutput::tableOf(model, QStringLiteral("Lender's schedule")));
    const QString stop = schedule.error ? schedule.error->userText() : schedule.stopMessage;
    if (stop.isEmpty())
        return written;
    ScriptOutput::printError(QStringLiteral("Stopped: %1\n").arg(stop));
    return ScriptOutput::kExitFailed;
}
