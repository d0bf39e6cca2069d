// The schedule's arithmetic with no window: the input is the length, the rate, the principal and the start
// year as UTF-8 texts separated by '|' (missing ones are empty; the last takes the rest). Whatever schedule
// they give must keep the rules of ScheduleReference: exact interest and principal, exact sums, a balance
// that never rises while the payment exceeds the interest, and a loan paid off to the cent. To keep the
// runs short, a length from 5 to 2731 years (where the month count fails at once) is cut to its rest after
// 5 years.
#include "loan/LoanTerms.h"
#include "loan/Payment.h"
#include "loan/Schedule.h"
#include "numbers/NumberText.h"
#include "tests/loan/ScheduleReference.h"

#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList texts = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split(u'|');
    texts = texts.mid(0, 3) + QStringList{texts.mid(3).join(u'|')};
    try {
        const double years = readNumber(texts[0], {});
        if (years > 5 && years < 2731)
            texts[0] = QString::number(std::fmod(years, 5), 'g', 17);
    } catch (const RuntimeError&) {
    }
    const LoanTerms terms = LoanTerms::read({texts.value(0), texts.value(1), texts.value(2), {}, {}, texts.value(3)});
    Decimal rate;
    Decimal payment;
    try {
        rate = Payment::monthlyRate(terms.rate);
        payment = Payment::monthlyPayment(terms.principal, rate, Payment::paymentCount(terms.length));
    } catch (const RuntimeError&) {
        return 0; // no payment, so no schedule
    }
    const std::string broken = ScheduleReference::brokenRule(Schedule::compute(terms, rate, payment));
    if (!broken.empty()) {
        std::fprintf(stderr, "%s, for \"%s\"\n", broken.c_str(), qPrintable(texts.join(u'|').left(200)));
        std::abort();
    }
    return 0;
}
