#include "compare/CompareOptions.h"

#include "compare/CompareModel.h"
#include "compare/CompareText.h"
#include "loan/OfferComparison.h"
#include "numbers/NumberText.h"
#include "numbers/RuntimeError.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

const QString kRateChange = QStringLiteral("rate-change");

// "YYYY-MM" then the separator then the rate: 2014-01=7.5 on the command line, 2014-01@7.5 inside --offer.
std::optional<LenderTerms::RateChange> rateChangeOf(const QString& text, QChar separator, QString& problem) {
    static const QRegularExpression kChange(QStringLiteral("^([0-9]{1,9})-([0-9]{1,2})[=@](.*)$"));
    const QRegularExpressionMatch match = kChange.match(text);
    LenderTerms::RateChange change;
    change.year = match.captured(1).toLongLong();
    change.month = match.captured(2).toInt();
    if (!match.hasMatch() || text.at(match.capturedStart(3) - 1) != separator || change.month < 1 ||
        change.month > Calendar::kMonthsPerYear) {
        problem = QStringLiteral("\"%1\" is not a rate change, as YYYY-MM%2PERCENT.").arg(text, separator);
        return std::nullopt;
    }
    try {
        change.ratePercent = readAmount(match.captured(3), QStringLiteral("the new rate of \"%1\"").arg(text));
    } catch (const RuntimeError& error) {
        problem = error.message();
        return std::nullopt;
    }
    return change;
}

} // namespace

CompareOptions::CompareOptions()
    : m_points(QStringLiteral("points"),
               QStringLiteral("Compare offers: the calculated loan is offer 1, and pays PERCENT of its principal in "
                              "points at closing."),
               QStringLiteral("PERCENT"))
    , m_fees(QStringLiteral("fees"), QStringLiteral("Offer 1's closing fees."), QStringLiteral("AMOUNT"))
    , m_monthlyFee(QStringLiteral("monthly-fee"), QStringLiteral("Offer 1's fee paid with each payment."),
                   QStringLiteral("AMOUNT"))
    , m_offer(QStringLiteral("offer"),
              QStringLiteral("Add an offer, a copy of offer 1 with these changes; may be repeated. Keys: name, "
                             "principal, years, rate, points, fees, monthly-fee and rate-change (YYYY-MM@PERCENT). In "
                             "a comparison --rate-change is offer 1's, --csv writes the comparison and --summary "
                             "prints a block of figures for each offer."),
              QStringLiteral("KEY=VALUE[,KEY=VALUE...]"))
    , m_horizon(QStringLiteral("horizon"),
                QStringLiteral("The years the loan is kept, for the costs compared; the longest offer's length when "
                               "left out."),
                QStringLiteral("YEARS")) {}

QList<QCommandLineOption> CompareOptions::options() const {
    return {m_points, m_fees, m_monthlyFee, m_offer, m_horizon};
}

bool CompareOptions::isGiven(const QCommandLineParser& parser) const {
    return parser.isSet(m_points) || parser.isSet(m_fees) || parser.isSet(m_monthlyFee) || parser.isSet(m_offer) ||
           parser.isSet(m_horizon);
}

QString CompareOptions::readOffer(const QString& value, OfferText& offer) const {
    for (const QString& pair : value.split(u',')) {
        const qsizetype equals = pair.indexOf(u'=');
        const QString key = pair.left(equals).trimmed();
        const QString text = pair.mid(equals + 1);
        if (equals < 0)
            return QStringLiteral("--offer \"%1\": \"%2\" is not KEY=VALUE.").arg(value, pair);
        const auto amount = [&](std::optional<Decimal>& field) -> QString {
            try {
                field = readAmount(text, QStringLiteral("--offer's %1").arg(key));
                return {};
            } catch (const RuntimeError& error) {
                return error.message();
            }
        };
        QString problem;
        if (key == QStringLiteral("name"))
            offer.name = text;
        else if (key == QStringLiteral("principal"))
            problem = amount(offer.principal);
        else if (key == QStringLiteral("years"))
            problem = amount(offer.years);
        else if (key == QStringLiteral("rate"))
            problem = amount(offer.rate);
        else if (key == QStringLiteral("points"))
            problem = amount(offer.points);
        else if (key == QStringLiteral("fees"))
            problem = amount(offer.fees);
        else if (key == QStringLiteral("monthly-fee"))
            problem = amount(offer.monthlyFee);
        else if (key == kRateChange)
            offer.rateChange = rateChangeOf(text, u'@', problem);
        else
            problem = QStringLiteral("--offer \"%1\": \"%2\" is not one of its keys.").arg(value, key);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

QString CompareOptions::read(const QCommandLineParser& parser) {
    const auto amount = [&](const QCommandLineOption& option, Decimal& field) -> QString {
        if (!parser.isSet(option))
            return {};
        try {
            field = readAmount(parser.value(option), QStringLiteral("--") + option.names().constFirst());
            return {};
        } catch (const RuntimeError& error) {
            return error.message();
        }
    };
    for (const QString& problem : {amount(m_points, m_first.pointsPercent), amount(m_fees, m_first.closingFees),
                                   amount(m_monthlyFee, m_first.monthlyFee)}) {
        if (!problem.isEmpty())
            return problem;
    }
    if (isGiven(parser) && parser.isSet(kRateChange)) {
        const QStringList changes = parser.values(kRateChange);
        if (changes.size() > 1)
            return QStringLiteral("--rate-change is given more than once: an offer has one rate change.");
        QString problem;
        m_first.rateChange = rateChangeOf(changes.front(), u'=', problem);
        if (!problem.isEmpty())
            return QStringLiteral("--rate-change: %1").arg(problem);
    }
    for (const QString& value : parser.values(m_offer)) {
        OfferText offer;
        if (const QString problem = readOffer(value, offer); !problem.isEmpty())
            return problem;
        m_more.push_back(offer);
    }
    if (m_more.size() + 1 > 4)
        return QStringLiteral("--offer is given more than three times: at most four offers are compared.");
    if (parser.isSet(m_horizon)) {
        bool read = false;
        const QString value = parser.value(m_horizon);
        const int years = value.toInt(&read);
        if (!read || years < 1 || value.startsWith(u'+'))
            return QStringLiteral("--horizon \"%1\" is not a whole number of years from 1.").arg(value);
        m_horizonYears = years;
    }
    return {};
}

int CompareOptions::run(const std::optional<Schedule>& loan, const ScriptOutput& output) {
    if (!loan) {
        ScriptOutput::printError(QStringLiteral("The loan gives no schedule to compare offers with.\n"));
        return ScriptOutput::kExitFailed;
    }
    std::vector<Offer> offers{m_first};
    Offer& first = offers.front();
    first.name = QStringLiteral("Offer 1");
    first.principal = toDecimal(loan->principal, QStringLiteral("the principal"));
    first.lengthInYears = toDecimal(loan->lengthInYears, QStringLiteral("the length"));
    first.ratePercent = toDecimal(loan->ratePercent, QStringLiteral("the rate"));
    for (const OfferText& text : m_more) {
        Offer offer = offers.front();
        offer.name = text.name.isEmpty() ? QStringLiteral("Offer %1").arg(offers.size() + 1) : text.name;
        offer.principal = text.principal.value_or(offer.principal);
        offer.lengthInYears = text.years.value_or(offer.lengthInYears);
        offer.ratePercent = text.rate.value_or(offer.ratePercent);
        offer.pointsPercent = text.points.value_or(offer.pointsPercent);
        offer.closingFees = text.fees.value_or(offer.closingFees);
        offer.monthlyFee = text.monthlyFee.value_or(offer.monthlyFee);
        if (text.rateChange)
            offer.rateChange = text.rateChange;
        offers.push_back(offer);
    }
    const OfferComparison comparison = OfferComparison::compute(offers, std::int64_t(loan->startYear), m_horizonYears);
    for (std::size_t i = 0; i < comparison.offers.size(); ++i) {
        for (const QString& note : comparison.offers[i].notes)
            ScriptOutput::printError(QStringLiteral("pellmarsh: %1: %2\n").arg(offers[i].name, note));
    }
    if (output.summary)
        ScriptOutput::printOut(CompareText::summaryLines(comparison, offers).join(u'\n') + u'\n');
    CompareModel model;
    model.setRows(CompareText::rows(comparison, offers), comparison.cheapest);
    const int written = output.write(ScriptOutput::tableOf(model, QStringLiteral("Comparison of loan offers")));
    const bool allFigures = std::all_of(comparison.offers.begin(), comparison.offers.end(),
                                        [](const OfferComparison::Figures& figures) { return figures.hasFigures(); });
    return written != ScriptOutput::kExitDone || allFigures ? written : ScriptOutput::kExitFailed;
}
