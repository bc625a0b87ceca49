// Any bytes as a progressive stack's file: refused in words, or a column whose characteristic
// rises, whose packets stay between unloaded and their stops, and whose every point and
// judgement can be worded.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "batch/stack.h"
#include "rows/column_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    batch::BatchOptions options;
    options.row.check = true;
    const auto column = batch::ReadStack(bytes, options);
    if (!column) {
        if (column.error().empty()) {
            __builtin_trap();
        }
        return 0;
    }
    double last = -1;
    std::string out;
    const calc::ColumnPoint* previous = nullptr;
    std::optional<calc::ColumnPoint> kept;
    for (const double force : calc::CharacteristicForces(*column, 6)) {
        if (!(force > last) || force > column->end_force) {
            __builtin_trap();  // ascending, each once, none past the last stop
        }
        last = force;
        calc::ColumnPoint point = calc::ColumnAtForce(*column, force);
        rows::TabJoined joined(out);
        rows::ColumnPointCells(point, true, joined);
        if (!point.stack) {
            continue;
        }
        for (std::size_t j = 0; j < point.packets.size(); ++j) {
            const double f = point.packets[j].f;
            if (!(f >= 0 && f <= column->stops[j])) {
                __builtin_trap();
            }
        }
        if (previous != nullptr && previous->stack && point.stack->s < previous->stack->s) {
            __builtin_trap();  // more force never shortens the travel
        }
        const auto judged =
            calc::JudgeColumn(*column, {previous, &point}, calc::Load::kDynamic, nullptr);
        rows::PacketJudgementCodes(judged);
        kept.emplace(std::move(point));
        previous = &*kept;
    }
    if (previous != nullptr && previous->stack) {
        const auto back = calc::ColumnAtTravel(*column, previous->stack->s / 2);
        if (!back && back.error().kind != calc::Refusal::Kind::kBeyondTravel) {
            __builtin_trap();
        }
    }
    return 0;
}
