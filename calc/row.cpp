#include "calc/result_row.h"

#include "calc/design_check.h"
#include "runtime/fault.h"
#include "runtime/number_text.h"

namespace calc {
namespace {

void AppendNumber(double value, std::string& out) {
    out += runtime::NumberToText(value).view();
}

}  // namespace

runtime::Expected<RowResults, SpringFault> CalculateRow(const SpringInputs& in,
                                                        const RowColumns& columns) {
    const auto spring = CalculateSpring(in);
    if (!spring) {
        return spring.error();
    }
    if (!columns.stack) {
        return RowResults{*spring, std::nullopt};
    }
    const auto stack = CalculateStack(in, spring->F, *columns.stack);
    if (!stack) {
        return stack.error();
    }
    return RowResults{*spring, *stack};
}

void AppendRowFields(const runtime::Expected<RowResults, SpringFault>& row,
                     const SpringInputs* checked, const RowColumns& columns, std::string& out) {
    if (row) {
        const SpringResults& r = row->spring;
        for (const double value : {r.F, r.sigma_om, r.sigma1, r.sigma2}) {
            AppendNumber(value, out);
            out += '\t';
        }
        AppendNumber(r.sigma3, out);
        if (row->stack) {
            for (const double value : {row->stack->s, row->stack->F_stack, row->stack->L}) {
                out += '\t';
                AppendNumber(value, out);
            }
        }
    } else {
        const SpringFault& fault = row.error();
        out += "ERROR\t";
        out += std::to_string(runtime::FaultNumber(fault.fault.kind));
        out += '\t';
        out += runtime::FaultText(fault.fault.kind);
        out += '\t';
        out += QuantitySymbol(fault.quantity);
    }
    if (columns.check) {
        out += '\t';
        if (checked != nullptr) {
            AppendFindingCodes(CheckDesign(*checked), out);
        }
    }
}

void AppendUnreadableRow(std::string_view message, const RowColumns& columns, std::string& out) {
    out += "ERROR\t\t";
    out += message;
    if (columns.check) {
        out += '\t';
    }
}

}  // namespace calc
