// An adjustment of one of five combined totals by whole units (the window's spin buttons,
// the command line's --adjust): allowed while the 5% rule holds for the moved value,
// refused otherwise.
#pragma once

#include <cstdint>
#include <optional>

#include "report/file_table.h"
#include "totals/five_percent_rule.h"

namespace pcn {

// The five totals that may be adjusted.
enum class AdjustableTotal { kTaxableSales, kExemptSales, kSalesVat, kInputsVat, kAssetInputsVat };

struct AdjustmentResult {
  bool moved = false;  // the combined entry below holds the moved total
  // The pair whose rule refused the step, as the step would leave it: the moved total's
  // declared side, its records and their difference.
  std::optional<PairCheck> refused;
  FileEntry combined;  // the new combined entry when moved
};

// A step of `delta` whole units on `total`, whose display shows `shown` (the total rounded
// to whole units, see ShownTotal). The candidate is formed from the shown value, the
// stored field moves by delta. A total shown as 0 cannot be moved: neither moved nor
// refused.
AdjustmentResult AdjustTotal(const FileEntry& combined, AdjustableTotal total, Amount shown,
                             std::int64_t delta);

// The value a total's display shows.
Amount ShownTotal(const FileEntry& combined, AdjustableTotal total);

}  // namespace pcn
