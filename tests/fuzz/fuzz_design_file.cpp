// Any bytes as a design file, and as the fragment of a page's address: refused with a reason, or
// read to a design that writes a file (and an address) reading back to the same design, all of
// it (the requirement too), and whose sheet and selection compute and are worded. Nothing in
// between: a refusal leaves no design.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "design/data_sheet.h"
#include "design/design_address.h"
#include "design/design_file.h"
#include "design/selection.h"
#include "design/sheet.h"
#include "runtime/text_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto from_address = design::DesignFromAddress(bytes); from_address) {
        const auto again = design::DesignFromAddress(design::DesignAddress(*from_address));
        if (!again || !(*again == *from_address)) {
            __builtin_trap();
        }
    } else if (design::DesignFileProblemText(from_address.error()).empty()) {
        __builtin_trap();
    }
    const auto read = design::DesignFromJson(bytes);
    if (!read) {
        if (design::DesignFileProblemText(read.error()).empty()) {
            __builtin_trap();  // a refusal always says why
        }
        return 0;
    }
    const std::string written = design::DesignToJson(*read);
    const auto again = design::DesignFromJson(written);
    if (!again || !(*again == *read) || design::DesignToJson(*again) != written) {
        __builtin_trap();
    }
    // The sheet and the selection of whatever was read, kept small enough to fuzz quickly:
    // long curves and wide limits are the benchmarks' and the tests' business.
    design::DesignTexts texts = *read;
    const auto steps = runtime::TextToNumber(texts.steps);
    if (!steps || *steps > 200) {
        texts.steps = "200";
    }
    for (std::string* limit : {&texts.requirement.max_series, &texts.requirement.max_parallel}) {
        const auto value = runtime::TextToNumber(*limit);
        if (!value || *value > 5) {
            *limit = "5";
        }
    }
    const design::Sheet sheet = design::ComputeSheet(texts);
    const design::SelectionSheet selection = design::ComputeSelection(texts);
    if (!selection.problem && selection.Shown().empty() && !selection.selection.shortfall) {
        __builtin_trap();  // nothing found always says why
    }
    if (!sheet.complete) {
        __builtin_trap();  // without a stop request a sheet is always finished
    }
    // Worded as every face words it, a progressive stack's packets too.
    const std::string copied = design::CopyText(sheet);
    if (copied.empty() != !design::NoTable(sheet).empty() ||
        design::FindingSentences(sheet).empty()) {
        __builtin_trap();  // a table to copy, or why there is none
    }
    for (std::size_t k = 0; k < design::TableRowCount(sheet); ++k) {
        design::TableRowAt(sheet, k);
    }
    design::DataSheetOf(sheet, "fuzz");
    design::RecordPairs(sheet);
    return 0;
}
