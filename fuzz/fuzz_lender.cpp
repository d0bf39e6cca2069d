// The lender's schedule with no window: the input's bytes choose every term (principal, rate (negative too), length,
// frequency, compounding, day count, both roundings, how the payment is set, first payment and loan dates,
// up to three rate changes and what they do to the payment, the balance after some years). Whatever the
// schedule, it must keep the rules of LenderReference against exact rationals, never let an exception
// escape, and, for a payment from the length at a rate charged exactly, start with the exact annuity kept
// as a decimal and rounded by the terms' rule. Loans are kept short (at most 1.2 years, a typed payment of at least
// 8 % of the principal, an initial repayment of at least 60 %: at most about 90 payments) so that a thousand or
// more inputs run a second.
#include "loan/LenderSchedule.h"
#include "tests/loan/LenderReference.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxLengthTenthsOfYears = 12;
constexpr int kMinTypedPercentOfPrincipal = 8;
constexpr int kMinInitialRepaymentPercent = 60;

// coefficient * 10^-scale.
Decimal decimalOf(std::uint64_t coefficient, int scale, bool negative = false) {
    return Decimal::fromParts(negative, Decimal::Coefficient(coefficient), scale);
}

// An annual rate in percent up to 40,000, below zero now and then (to -400 %, past where 1 + j/m is no
// longer positive).
Decimal rateOf(FuzzedDataProvider& input) {
    const bool negative = input.ConsumeIntegralInRange<int>(0, 7) == 0;
    return decimalOf(input.ConsumeIntegralInRange<std::uint64_t>(0, negative ? 400 : 40'000),
                     input.ConsumeIntegralInRange<int>(0, 3), negative);
}

template <class Enum> Enum pick(FuzzedDataProvider& input, Enum last) {
    return Enum(input.ConsumeIntegralInRange<int>(0, int(last)));
}

Calendar::Date dateOf(FuzzedDataProvider& input) {
    const std::int64_t year = input.ConsumeIntegralInRange<std::int64_t>(1999, 2030);
    const int month = input.ConsumeIntegralInRange<int>(1, 12);
    const int day = input.ConsumeIntegralInRange<int>(1, 31);
    return Calendar::Date::of(year, month, day).value_or(Calendar::Date{year, month, 28});
}

LenderTerms termsOf(FuzzedDataProvider& input) {
    using Terms = LenderTerms;
    Terms terms;
    terms.principal = decimalOf(input.ConsumeIntegralInRange<std::uint64_t>(0, 100'000'000'000'000),
                                input.ConsumeIntegralInRange<int>(0, 4));
    terms.ratePercent = rateOf(input);
    terms.lengthInYears = decimalOf(input.ConsumeIntegralInRange<std::uint64_t>(1, kMaxLengthTenthsOfYears), 1);
    terms.frequency = pick(input, Terms::Frequency::Annually);
    terms.compounding = pick(input, Terms::Compounding::Annually);
    terms.interestCount = pick(input, Terms::InterestCount::Actual365);
    terms.paymentRounding = pick(input, Terms::PaymentRounding::UpToWholeUnit);
    terms.interestRounding = pick(input, Terms::InterestRounding::CentDown);
    terms.paymentBasis = pick(input, Terms::PaymentBasis::InitialRepayment);
    terms.atRateChange = pick(input, Terms::AtRateChange::KeepPayment);
    const Calendar::Date first = dateOf(input);
    terms.startYear = first.year;
    if (input.ConsumeBool())
        terms.firstPayment = first;
    if (input.ConsumeBool())
        terms.loanDate = Calendar::addDays(first, -input.ConsumeIntegralInRange<int>(-2, 60));
    // A typed payment in percent of the principal, to the cent or with more places.
    terms.typedPayment = Money::rounded(
        terms.principal *
            decimalOf(input.ConsumeIntegralInRange<std::uint64_t>(kMinTypedPercentOfPrincipal * 100, 12'000), 4),
        input.ConsumeIntegralInRange<int>(0, 4), Money::Rounding::HalfEven);
    terms.initialRepaymentPercent =
        decimalOf(input.ConsumeIntegralInRange<std::uint64_t>(kMinInitialRepaymentPercent, 200), 0);
    const int changes = input.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < changes; ++i)
        terms.rateChanges.push_back({first.year + input.ConsumeIntegralInRange<int>(-1, 2),
                                     input.ConsumeIntegralInRange<int>(0, 13), rateOf(input)});
    if (input.ConsumeBool())
        terms.balanceAfterYears = input.ConsumeIntegralInRange<int>(0, 4);
    return terms;
}

// The first payment of a loan set by its length at a rate charged exactly (j / p), against the exact
// annuity kept as a decimal and rounded by the terms' rule; empty when it agrees or does not apply.
std::string wrongPayment(const LenderTerms& terms, const LenderSchedule& schedule) {
    using Terms = LenderTerms;
    if (schedule.rates.empty() || terms.paymentBasis != Terms::PaymentBasis::FromLength ||
        terms.frequency == Terms::Frequency::AcceleratedBiweekly ||
        terms.frequency == Terms::Frequency::AcceleratedWeekly || !schedule.rates.front().periodRateExact ||
        terms.paymentRounding == Terms::PaymentRounding::None)
        return {};
    const int periods = schedule.periodsPerYear;
    const Rational years = exact(terms.lengthInYears) * periods;
    // The number of payments: the length times p, halves to even.
    Int count = numerator(years) / denominator(years);
    const Rational rest = years - count;
    count += rest > Rational(1, 2) || (rest == Rational(1, 2) && bit_test(count, 0)) ? 1 : 0;
    const Rational rate = exact(terms.ratePercent) / (100 * periods);
    const Rational principal = exact(terms.principal);
    const Rational exactAnnuity =
        rate == 0 ? principal / count : LenderReference::annuity(principal, rate, count.convert_to<unsigned>());
    // The annuity is kept as a decimal before it is rounded: an annuity 10^-75 above a cent, as an annual
    // rate of 34892 % over 78 biweekly payments gives, stays on the cent when rounded up.
    const Rational annuity(LenderReference::keptUnits(Int(numerator(exactAnnuity) * LenderReference::tenTo<Int>(28)),
                                                      Int(denominator(exactAnnuity))),
                           LenderReference::tenTo<Int>(28));
    const Rational expected = terms.paymentRounding == Terms::PaymentRounding::NearestCent
                                  ? LenderReference::roundedBy(annuity, Money::Rounding::HalfUp)
                              : terms.paymentRounding == Terms::PaymentRounding::UpToCent
                                  ? LenderReference::roundedBy(annuity, Money::Rounding::Up)
                              : terms.paymentRounding == Terms::PaymentRounding::DownToCent
                                  ? LenderReference::roundedBy(annuity, Money::Rounding::Down)
                                  : LenderReference::roundedBy(annuity, Money::Rounding::Up, 0);
    if (exact(schedule.rates.front().payment) != expected)
        return "the payment " + schedule.rates.front().payment.toString().toStdString() +
               " is not the annuity rounded as the terms say, " + rounded(expected, 2) + " (" + rounded(annuity, 12) +
               " exactly, " + std::to_string(periods) + " payments a year)";
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const LenderTerms terms = termsOf(input);
    const LenderSchedule schedule = LenderSchedule::compute(terms);
    std::string broken = LenderReference::brokenRule(terms, schedule);
    if (broken.empty() && !schedule.error)
        broken = wrongPayment(terms, schedule);
    if (!broken.empty()) {
        std::fprintf(stderr, "%s, for %s at %s %% over %s years\n", broken.c_str(),
                     qPrintable(terms.principal.toString()), qPrintable(terms.ratePercent.toString()),
                     qPrintable(terms.lengthInYears.toString()));
        std::abort();
    }
    return 0;
}
