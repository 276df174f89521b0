// The identifiers of the main dialog's 41 controls, the one list the control table, the
// layout, the dialog port and the test driver share. Portable: no Windows headers.
#pragma once

namespace pcn {

enum class ControlId : int {
  kGenerate = 0,  // the Generate button: the dialog's default command
  kMergedGroup = 1001,
  kTaxableSalesCaption = 1003,
  kExemptSalesCaption = 1004,
  kSalesVatCaption = 1005,
  kInputsVatCaption = 1006,
  kAssetInputsVatCaption = 1007,
  kVatPayableCaption = 1008,
  kTaxableSales = 1009,
  kExemptSales = 1010,
  kSalesVat = 1011,
  kInputsVat = 1012,
  kAssetInputsVat = 1013,
  kVatPayable = 1014,
  kDealerCombo = 1015,
  kSalesRecordCountCaption = 1017,
  kInputRecordCountCaption = 1018,
  kSalesRecordCount = 1019,
  kInputRecordCount = 1020,
  kRemoveFile = 1021,
  kAddFile = 1022,
  kFileList = 1023,
  kGenerationGroup = 1024,
  kOutputDirectory = 1025,
  kOutputDirectoryCaption = 1026,
  kBrowse = 1027,
  kDealerGroup = 1028,
  kFileListCaption = 1029,
  kDealerCaption = 1030,
  kReportMonthCaption = 1031,
  kReportMonth = 1032,
  kDealersUnionOption = 1033,
  kRepresentativeOption = 1034,
  kNumberCaption = 1035,
  kNumber = 1036,
  kOutputTypeGroup = 1037,
  kSpinTaxableSales = 1038,
  kSpinExemptSales = 1039,
  kSpinSalesVat = 1040,
  kSpinInputsVat = 1041,
  kSpinAssetInputsVat = 1042,
};

// The number the platform's control functions take.
constexpr int IdOf(ControlId id) {
  return static_cast<int>(id);
}

}  // namespace pcn
