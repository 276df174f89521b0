// What makes a detail record an invoice of its own: its type and columns 2-31 (counterparty,
// date, reference group and number), packed exactly into 16 bytes, so that two records are
// the same invoice only when those columns are the same to the digit.
#pragma once

#include <cstdint>
#include <string_view>

#include "format/record_format.h"

namespace pcn {

struct InvoiceKey {
  std::uint64_t high = 0;  // the type, then the digits of columns 2-9 and 26-31
  std::uint64_t low = 0;   // the digits of columns 10-25
  bool operator==(const InvoiceKey&) const = default;
};

// A record's key and its line, as a file's keys are kept to be counted again.
struct KeyedRecord {
  InvoiceKey key;
  std::int64_t line = 0;
};

// The key of a record that can repeat an invoice: a detail record other than petty cash (K:
// it sums many receipts, and its reference is their number), at least 31 characters, whose
// columns 2-31 are digits and whose reference (columns 23-31) is not all zeros. False for
// any other line: one with other characters there has a finding of its own already.
bool InvoiceKeyOf(std::string_view line, InvoiceKey& key);

// A sales record (S L M Y I) is an invoice of the dealer who reports it: the same columns in
// two dealers' sales are two invoices. An input record's invoice is its supplier's, whoever
// deducts it.
inline bool IsSaleKey(const InvoiceKey& key) {
  return kRecordKindOfType[key.high >> 56] == RecordKind::kTransaction;
}

}  // namespace pcn
