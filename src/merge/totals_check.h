// The 5% rule between the declared totals and the sums of the detail records, checked
// before generating and on every spin-button step.
#pragma once

#include <optional>

#include "app/dialog_port.h"
#include "report/amount.h"
#include "report/file_table.h"

namespace pcn {

enum class TotalsPair { kIncome, kSalesVat, kInputsVat };

struct PairCheck {
  TotalsPair pair;
  Amount declared = 0;           // T
  Amount summed = 0;             // D
  std::optional<Amount> p;       // percentage difference, 4 decimals; none when it cannot
                                 // be held (zero divisor, out of range)
  bool passes = false;
};

// One pair of the combined entry, with the exemptions of the check before generating.
PairCheck CheckPair(const FileEntry& combined, TotalsPair pair);
// p = 100 - 100 * numerator / denominator, rounded to four decimals (a tie to even); none
// when it cannot be held as an amount.
std::optional<Amount> PercentDifference(Amount numerator, Amount denominator);
const char* PairMessage(TotalsPair pair);

// 0 when all three pairs pass; otherwise shows the first failing pair's message, returns 1.
int CheckMergedTotals(Dialog& dialog, const FileTable& table);

// A spin button reported `delta` (whole units); moves the total beside it when the 5% rule
// allows, else shows the pair's message.
void AdjustMergedTotal(Dialog& dialog, FileTable& table, ControlId spinButton,
                       std::int64_t delta);

}  // namespace pcn
