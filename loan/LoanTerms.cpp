#include "loan/LoanTerms.h"

#include "loan/LoanInput.h"

LoanTerms LoanTerms::read(const LoanTexts& texts) {
    using namespace LoanInputs;
    return {
        NumberReading::of(texts.length, kLength.words()),       NumberReading::of(texts.rate, kRate.words()),
        NumberReading::of(texts.principal, kPrincipal.words()), NumberReading::of(texts.tax, kTax.words()),
        NumberReading::of(texts.insurance, kInsurance.words()), NumberReading::of(texts.startYear, kStartYear.words())};
}
