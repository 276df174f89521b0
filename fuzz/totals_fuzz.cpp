// Fuzzes the 5% rule on any combined totals: FirstFailingPair and every spin-button step must
// decide as an exact rational reading of the rule does (away from the rounding boundaries,
// where floating point may fall either way), show at most one message, and change nothing
// but the one total on an allowed step.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/adjust_command.h"
#include "app/show_totals.h"
#include "format/amount.h"
#include "reference.h"
#include "report/file_table.h"
#include "support/headless_dialog.h"
#include "text/messages.h"
#include "totals/five_percent_rule.h"
#include "wording/refusal_text.h"

namespace {

using namespace pcn::fuzz;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "totals: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

enum class Verdict { kPass, kFail, kUnsure };

// Told at exit, so that a run shows it met both outcomes and few cases too close to call.
long g_verdicts[3], g_steps[2];

void ReportCounts() {
  std::fprintf(stderr,
               "totals: pairs %ld passed, %ld failed, %ld too close to call; steps %ld allowed, "
               "%ld refused\n",
               g_verdicts[0], g_verdicts[1], g_verdicts[2], g_steps[0], g_steps[1]);
}

// p = 100 - 100 * numerator / denominator, in units of 1/10,000, as an exact fraction
// top / bottom with bottom > 0; nullopt for a zero denominator.
struct Fraction {
  Int128 top, bottom;
};
std::optional<Fraction> ExactP(std::int64_t numerator, std::int64_t denominator) {
  if (denominator == 0) return std::nullopt;
  Int128 top = static_cast<Int128>(1000000) * (static_cast<Int128>(denominator) - numerator);
  Int128 bottom = denominator;
  if (bottom < 0) top = -top, bottom = -bottom;
  return Fraction{top, bottom};
}

// Where a fraction stands against x + 1/2 (x whole): -1 below, +1 above, 0 too close to call
// (floating point may round it either way).
int Against(const Fraction& f, Int128 x) {
  const Int128 diff = 2 * f.top - (2 * x + 1) * f.bottom;  // 2 * bottom * (f - x - 1/2)
  const Int128 margin = f.bottom / 1000 + 1;               // a thousandth of a unit of p
  if (diff > margin) return 1;
  if (diff < -margin) return -1;
  return 0;
}

// The rule without exemptions: p must be held (|p| below 2^63 units) and, rounded to four
// decimals, lie within 5.
// A p of 2^63 units or more cannot be held; floating point blurs the edge a little.
const Int128 kHoldLimit = static_cast<Int128>(1) << 63;
const Int128 kHoldMargin = kHoldLimit >> 20;

Verdict Within5(const std::optional<Fraction>& p) {
  if (!p) return Verdict::kFail;
  const Int128 magnitude = (p->top < 0 ? -p->top : p->top) / p->bottom;
  if (magnitude > kHoldLimit + kHoldMargin) return Verdict::kFail;
  if (magnitude > kHoldLimit - kHoldMargin) return Verdict::kUnsure;
  const int upper = Against(*p, 50000);   // vs 5.00005
  const int lower = Against(*p, -50001);  // vs -5.00005
  if (upper == 0 || lower == 0) return Verdict::kUnsure;
  return upper < 0 && lower > 0 ? Verdict::kPass : Verdict::kFail;
}

Verdict RefPair(std::int64_t declared, std::int64_t summed, bool inputs) {
  if (inputs && declared == 0) return Verdict::kPass;
  const Int128 gap = static_cast<Int128>(summed) - declared;
  if (gap < 10000 && gap > -10000) return Verdict::kPass;
  const std::optional<Fraction> p = inputs ? ExactP(summed, declared) : ExactP(declared, summed);
  if (p) {
    // p of 100 or more (after rounding) counts as no difference, if it can be held at all.
    const int hundred = Against(*p, 999999);
    if (hundred == 0) return Verdict::kUnsure;
    if (hundred > 0) {
      const Int128 whole = p->top / p->bottom;
      if (whole < kHoldLimit - kHoldMargin) return Verdict::kPass;
      return whole > kHoldLimit + kHoldMargin ? Verdict::kFail : Verdict::kUnsure;
    }
  }
  return Within5(p);
}

std::int64_t Take(FuzzedDataProvider& in) {
  // Mostly amounts of everyday size, sometimes anything at all.
  if (in.ConsumeIntegralInRange<int>(0, 7) == 0) return in.ConsumeIntegral<std::int64_t>();
  return in.ConsumeIntegralInRange<std::int64_t>(-1000000000, 1000000000) *
         (in.ConsumeBool() ? 10000 : 1);
}

bool SameExcept(const pcn::FileEntry& a, const pcn::FileEntry& b, const std::int64_t* moved) {
  const std::int64_t pcn::FileEntry::*fields[] = {
      &pcn::FileEntry::taxableSales,      &pcn::FileEntry::exemptSales,
      &pcn::FileEntry::salesVat,          &pcn::FileEntry::inputsVat,
      &pcn::FileEntry::assetInputsVat,    &pcn::FileEntry::vatPayable,
      &pcn::FileEntry::salesRecordAmount, &pcn::FileEntry::salesRecordVat,
      &pcn::FileEntry::inputRecordVat,    &pcn::FileEntry::salesRecordCount,
      &pcn::FileEntry::inputRecordCount};
  for (auto field : fields) {
    if (&(b.*field) == moved || (moved != nullptr && field == &pcn::FileEntry::vatPayable)) {
      continue;
    }
    if (a.*field != b.*field) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(ReportCounts);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  pcn::FileTable table;
  pcn::FileEntry& c = table.Combined();
  c.salesRecordAmount = Take(in);
  c.salesRecordVat = Take(in);
  c.inputRecordVat = Take(in);
  // Declared sides either anywhere or close to the summed side, where the rule bites.
  auto near = [&](std::int64_t base) {
    return in.ConsumeBool() ? Take(in) : pcn::AddAmounts(base, Take(in) / 20);
  };
  c.taxableSales = near(c.salesRecordAmount);
  c.exemptSales = in.ConsumeBool() ? 0 : Take(in);
  c.salesVat = near(c.salesRecordVat);
  c.inputsVat = near(c.inputRecordVat);
  c.assetInputsVat = in.ConsumeBool() ? 0 : Take(in);
  pcn::RecomputeVatPayable(c);

  // The check before generating: the first failing pair and its message, or none.
  pcn::HeadlessDialog dialog;
  const Verdict verdicts[] = {
      RefPair(pcn::AddAmounts(c.taxableSales, c.exemptSales), c.salesRecordAmount, false),
      RefPair(c.salesVat, c.salesRecordVat, false),
      RefPair(pcn::AddAmounts(c.inputsVat, c.assetInputsVat), c.inputRecordVat, true)};
  const char* const messages[] = {pcn::text::kIncomeDiffers.hebrew,
                                  pcn::text::kSalesVatDiffers.hebrew,
                                  pcn::text::kInputsVatDiffers.hebrew};
  const std::optional<pcn::PairCheck> failing = pcn::FirstFailingPair(c);
  const std::string shown = failing ? pcn::MessageFor(failing->pair) : std::string();
  for (const Verdict verdict : verdicts) ++g_verdicts[static_cast<int>(verdict)];
  for (int i = 0; i < 3; ++i) {
    if (verdicts[i] == Verdict::kUnsure) break;
    if (verdicts[i] == Verdict::kFail) {
      Check(failing && shown == messages[i], "a failing pair passed");
      break;
    }
    Check(!failing || shown != messages[i], "a passing pair failed");
  }

  // Spin-button steps on what ShowTotals put on display.
  static const struct {
    pcn::ControlId spin;
    std::int64_t pcn::FileEntry::*field;
    int pair;
  } kSpins[] = {{pcn::ControlId::kSpinTaxableSales, &pcn::FileEntry::taxableSales, 0},
                {pcn::ControlId::kSpinExemptSales, &pcn::FileEntry::exemptSales, 0},
                {pcn::ControlId::kSpinSalesVat, &pcn::FileEntry::salesVat, 1},
                {pcn::ControlId::kSpinInputsVat, &pcn::FileEntry::inputsVat, 2},
                {pcn::ControlId::kSpinAssetInputsVat, &pcn::FileEntry::assetInputsVat, 2}};
  for (int step = 0; step < 4 && in.remaining_bytes() > 0; ++step) {
    const auto& spin = kSpins[in.ConsumeIntegralInRange<int>(0, 4)];
    const std::int64_t delta =
        in.ConsumeBool() ? (in.ConsumeBool() ? 1 : -1) : in.ConsumeIntegral<std::int32_t>();
    pcn::ShowTotals(dialog, table);
    dialog.messages.clear();
    const pcn::FileEntry before = c;
    pcn::AdjustMergedTotal(dialog, table, spin.spin, delta);

    const std::int64_t shownWhole = pcn::RoundToWhole(before.*spin.field);
    if (shownWhole == 0) {
      Check(dialog.messages.empty() && SameExcept(before, c, nullptr), "a zero total moved");
      continue;
    }
    const std::int64_t moved =
        pcn::AddAmounts(pcn::AmountFromWhole(delta), pcn::AmountFromWhole(shownWhole));
    std::int64_t candidate = moved;
    if (spin.field == &pcn::FileEntry::taxableSales)
      candidate = pcn::AddAmounts(moved, before.exemptSales);
    if (spin.field == &pcn::FileEntry::exemptSales)
      candidate = pcn::AddAmounts(moved, before.taxableSales);
    if (spin.field == &pcn::FileEntry::inputsVat)
      candidate = pcn::AddAmounts(moved, before.assetInputsVat);
    if (spin.field == &pcn::FileEntry::assetInputsVat)
      candidate = pcn::AddAmounts(moved, before.inputsVat);
    const Verdict verdict = spin.pair == 0   ? Within5(ExactP(candidate, before.salesRecordAmount))
                            : spin.pair == 1 ? Within5(ExactP(candidate, before.salesRecordVat))
                                             : Within5(ExactP(before.inputRecordVat, candidate));

    ++g_steps[dialog.messages.empty() ? 0 : 1];
    if (!dialog.messages.empty()) {
      // The pair's message, its figures on the line below.
      Check(dialog.messages.size() == 1 &&
                dialog.messages[0].text.starts_with(std::string(messages[spin.pair]) + '\r'),
            "a refused step shows its pair's message");
      Check(SameExcept(before, c, nullptr), "a refused step changed the totals");
      Check(verdict != Verdict::kPass, "a step within 5% was refused");
      continue;
    }
    Check(verdict != Verdict::kFail, "a step beyond 5% was allowed");
    Check(c.*spin.field == pcn::AddAmounts(before.*spin.field, pcn::AmountFromWhole(delta)),
          "the step moved its total by another amount");
    Check(SameExcept(before, c, &(c.*spin.field)), "a step changed another total");
    if (spin.pair == 0) {
      Check(c.vatPayable == before.vatPayable, "an income step moved vatPayable");
    } else {
      // Saturating at each subtraction, as all amount arithmetic does; only totals far too
      // wide for any record field ever reach the edge.
      const std::int64_t payable =
          Clamp(static_cast<Int128>(Clamp(static_cast<Int128>(c.salesVat) - c.inputsVat)) -
                c.assetInputsVat);
      Check(c.vatPayable == payable, "vatPayable not recomputed");
    }
  }
  return 0;
}
