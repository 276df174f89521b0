// The 5% rule between the declared totals and the sums of the detail records, checked
// before generating.
#pragma once

#include <optional>

#include "format/amount.h"
#include "report/file_table.h"

namespace pcn {

enum class TotalsPair { kIncome, kSalesVat, kInputsVat };

struct PairCheck {
  TotalsPair pair = TotalsPair::kIncome;
  Amount declared = 0;      // T
  Amount summed = 0;        // D
  std::optional<Amount> p;  // percentage difference, 4 decimals; none when it cannot
                            // be held (zero divisor, out of range)
  bool passes = false;
};

// One pair of the combined entry, with the exemptions of the check before generating.
PairCheck CheckPair(const FileEntry& combined, TotalsPair pair);
// p = 100 - 100 * numerator / denominator, rounded to four decimals (a tie to even); none
// when it cannot be held as an amount.
std::optional<Amount> PercentDifference(Amount numerator, Amount denominator);
// |p| within 5, exactly 5 included; a p that cannot be held fails.
bool WithinFivePercent(const std::optional<Amount>& p);

// The verdict before generating: the first pair, in the order income, VAT on transactions,
// VAT on inputs, that fails, with its figures; none when all three pass.
std::optional<PairCheck> FirstFailingPair(const FileEntry& combined);

}  // namespace pcn
