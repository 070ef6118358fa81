// bench/rt_bench.cpp — the runtime's number, picture and date text: what one STR(), TRANSFORM()
// and CTOD()/DTOC() costs. These run inside index keys (STR of a numeric field, DTOS of a date)
// and on every redraw of a browse row, so their figure to compare with is the whole-key budget:
// an index key of five parts evaluated about 4 million times per second, i.e. well under
// 50 ns per part.
#include <benchmark/benchmark.h>

#include "rt/date_text.hpp"
#include "rt/number_text.hpp"
#include "rt/transform.hpp"

namespace {

void perSecond(benchmark::State& state) {
  state.counters["calls_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}

// STR(field) of an N(12,2) money field, the numeric part of an index key.
void BM_Str_MoneyField(benchmark::State& state) {
  const rt::Number n{1234567.891, 9, 2};
  for (auto _ : state) benchmark::DoNotOptimize(rt::str(n));
  perSecond(state);
}
BENCHMARK(BM_Str_MoneyField);

// STR(n, 10) of an integer quantity: the exact-integer path.
void BM_Str_Integer(benchmark::State& state) {
  double v = 123;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rt::str(v, 10));
    v += 1;
  }
  perSecond(state);
}
BENCHMARK(BM_Str_Integer);

void BM_Round_TwoPlaces(benchmark::State& state) {
  double v = 12.345;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rt::round(v, 2));
    v += 0.001;
  }
  perSecond(state);
}
BENCHMARK(BM_Round_TwoPlaces);

// A price column of a browse row: parsed picture, applied to each row's value.
void BM_Transform_MoneyPicture(benchmark::State& state) {
  const rt::Settings settings;
  const rt::Picture p = rt::parsePicture("@ZE 999,999,999.99");
  const rt::Value v = rt::Value::number(123456.78, 10, 2);
  for (auto _ : state) benchmark::DoNotOptimize(rt::transform(v, p, settings));
  perSecond(state);
}
BENCHMARK(BM_Transform_MoneyPicture);

// The same with the picture parsed on every call, as TRANSFORM() from an expression does.
void BM_Transform_PictureText(benchmark::State& state) {
  const rt::Settings settings;
  const rt::Value v = rt::Value::number(123456.78, 10, 2);
  for (auto _ : state) benchmark::DoNotOptimize(rt::transform(v, "@ZE 999,999,999.99", settings));
  perSecond(state);
}
BENCHMARK(BM_Transform_PictureText);

void BM_Date_CtodDtoc(benchmark::State& state) {
  const rt::Settings settings;
  for (auto _ : state) benchmark::DoNotOptimize(rt::dtoc(rt::ctod("31.12.49", settings), settings));
  perSecond(state);
}
BENCHMARK(BM_Date_CtodDtoc);

void BM_Date_Dtos(benchmark::State& state) {
  const rt::Date d = rt::Date::fromYmd(2024, 3, 5);
  for (auto _ : state) benchmark::DoNotOptimize(d.dtos());
  perSecond(state);
}
BENCHMARK(BM_Date_Dtos);

}  // namespace

BENCHMARK_MAIN();
