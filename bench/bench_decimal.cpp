#include "numbers/Decimal.h"
#include "numbers/NumberText.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

// Operands as the schedule meets them: balances of a 200000 loan, the monthly rate 0.005 and the
// unrounded payment 1199.101050305…, each month's interest carrying 28 places.
namespace {

const Decimal kRate = Decimal::fromString(u"0.005");
const Decimal kPayment = Decimal::fromString(u"1199.1010503054497755218060233");

std::vector<Decimal> balances() {
    std::vector<Decimal> values;
    Decimal balance = Decimal::fromInteger(200000);
    for (int month = 0; month < 360; ++month) {
        values.push_back(balance);
        balance = balance - (kPayment - balance * kRate);
    }
    return values;
}

void BM_Add(benchmark::State& state) {
    const std::vector<Decimal> values = balances();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values[i] + kPayment);
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_Add);

void BM_Multiply(benchmark::State& state) {
    const std::vector<Decimal> values = balances();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values[i] * kRate);
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_Multiply);

// 28 places times 28 places: the product must be rounded back into range.
void BM_MultiplyRounding(benchmark::State& state) {
    const std::vector<Decimal> values = balances();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values[i] * kPayment);
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_MultiplyRounding);

void BM_Divide(benchmark::State& state) {
    const std::vector<Decimal> values = balances();
    const Decimal divisor = Decimal::fromString(u"0.99599409728617");
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values[i] / divisor);
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_Divide);

void BM_FromDouble(benchmark::State& state) {
    std::vector<double> values;
    for (const Decimal& balance : balances())
        values.push_back(balance.toDouble() * 1.0000001);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Decimal::fromDouble(values[i]));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FromDouble);

void BM_ToDouble(benchmark::State& state) {
    const std::vector<Decimal> values = balances();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(values[i].toDouble());
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_ToDouble);

void BM_DecimalText(benchmark::State& state) {
    const std::vector<Decimal> values = balances();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decimalText(values[i].roundedTo(2)));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_DecimalText);

void BM_ReadNumber(benchmark::State& state) {
    const QString text = QStringLiteral(" 200000.75 ");
    const QString source = QStringLiteral("the principal (Text3)");
    for (auto _ : state)
        benchmark::DoNotOptimize(readNumber(text, source));
}
BENCHMARK(BM_ReadNumber);

} // namespace
