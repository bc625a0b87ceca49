// A column of packets: each takes the deflection that carries the one force, up to its stop.
#include "calc/column.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "calc/disc_spring_steps.h"
#include "calc/force_deflection.h"
#include "runtime/checked_math.h"

namespace calc {
namespace {

RowOptions PacketOptions(const Packet& packet, const Column& column) {
    RowOptions options;
    options.material = column.material;
    options.outer_edge = column.outer_edge;
    options.flats = packet.flats;
    options.rate = true;
    options.stack = StackLayout{1, packet.count};
    options.check = column.check;
    return options;
}

RowInputs At(const Packet& packet, double f) {
    RowInputs in = packet.spring;
    in.spring.f = f;
    return in;
}

// A sum formed smallest first: the same bits whatever order the packets come in.
double SortedSum(runtime::CheckedMath& m, std::vector<double> terms) {
    std::sort(terms.begin(), terms.end());
    double sum = 0;
    for (const double term : terms) {
        sum = m.Add(sum, term);
    }
    return sum;
}

// Each packet's deflection at `force` (shown), and whether it stands at its stop; the first
// packet's error when one cannot carry it.
struct Deflections {
    std::vector<double> f;
    std::vector<bool> at_stop;
    std::optional<RowError> error;
};

Deflections DeflectionsAt(const PreparedColumn& column, double force) {
    Deflections out;
    const auto& packets = column.column.packets;
    for (std::size_t j = 0; j < packets.size(); ++j) {
        const bool stopped = force >= column.stop_forces[j];
        double f = column.stops[j];
        if (!stopped) {
            const auto found = column.searches[j].Deflection(force);
            if (!found) {
                if (!out.error) {
                    out.error = found.error();
                }
                f = 0;
            } else {
                f = std::min(*found, column.stops[j]);
            }
        }
        out.f.push_back(f);
        out.at_stop.push_back(stopped);
    }
    return out;
}

std::optional<double> TravelOf(const Deflections& d) {
    runtime::CheckedMath m;
    const double travel = SortedSum(m, d.f);
    if (d.error || m.fault()) {
        return std::nullopt;
    }
    return travel;
}

// 1 ÷ Σ 1 ÷ (n × R) over the packets `deflecting` picks; none when it picks none.
std::optional<double> ColumnRate(const std::vector<PacketAt>& packets,
                                 const std::function<bool(std::size_t)>& deflecting) {
    std::vector<double> compliances;
    for (std::size_t j = 0; j < packets.size(); ++j) {
        if (!deflecting(j)) {
            continue;
        }
        const auto& results = packets[j].row.results;
        if (!results || !results->stack_rate) {
            return std::nullopt;
        }
        if (*results->stack_rate == 0) {
            return 0.0;  // a packet flat at h0/t = √2 gives way without more force
        }
        compliances.push_back(1 / *results->stack_rate);
    }
    if (compliances.empty()) {
        return std::nullopt;
    }
    runtime::CheckedMath m;
    const double rate = m.Div(1, SortedSum(m, compliances));
    if (m.fault()) {
        return std::nullopt;
    }
    return rate;
}

// The same springs, count and stop (f is not the packet's).
bool SamePacket(const Packet& a, const Packet& b) {
    const SpringInputs &p = a.spring.spring, &q = b.spring.spring;
    return p.D == q.D && p.d == q.d && p.t == q.t && p.H == q.H && a.flats == b.flats &&
           (!a.flats || a.spring.t_reduced == b.spring.t_reduced) && a.count == b.count &&
           a.stop == b.stop;
}

}  // namespace

std::optional<StackLayout> UniformLayout(const Column& column) {
    if (column.packets.empty() || static_cast<int>(column.packets.size()) > kMaxStackCount) {
        return std::nullopt;
    }
    for (const Packet& packet : column.packets) {
        if (!SamePacket(packet, column.packets.front())) {
            return std::nullopt;
        }
    }
    return StackLayout{static_cast<int>(column.packets.size()), column.packets.front().count};
}

runtime::Expected<PreparedColumn, ColumnProblem> PrepareColumn(const Column& column) {
    using Kind = ColumnProblem::Kind;
    if (column.packets.empty()) {
        return ColumnProblem{Kind::kNoPacket};
    }
    if (static_cast<int>(column.packets.size()) > kMaxPackets) {
        return ColumnProblem{Kind::kTooMany, kMaxPackets + 1,
                             static_cast<double>(column.packets.size()), kMaxPackets};
    }
    const bool uniform = UniformLayout(column).has_value();
    PreparedColumn out{column, {}, {}, 0, 0, {}};
    std::vector<double> lengths;
    for (std::size_t j = 0; j < column.packets.size(); ++j) {
        const Packet& packet = column.packets[j];
        const int number = static_cast<int>(j) + 1;
        if (packet.count < 1 || packet.count > kMaxStackCount) {
            return ColumnProblem{Kind::kCount, number, static_cast<double>(packet.count),
                                 kMaxStackCount};
        }
        const RowOptions options = PacketOptions(packet, column);
        const auto t_reduced = packet.flats ? std::optional(packet.spring.t_reduced) : std::nullopt;
        const double flat = ShowQuantities(packet.spring.spring, t_reduced).flat;
        if (!(flat > 0) || !std::isfinite(flat)) {
            return ColumnProblem{Kind::kSpring, number, 0, 0,
                                 RowError{Refusal{Refusal::Kind::kNoConeHeight, 0, 0}}};
        }
        const double stop = packet.stop ? runtime::ShownValue(*packet.stop) : flat;
        if (!(stop > 0 && stop <= flat)) {
            return ColumnProblem{Kind::kStop, number, packet.stop.value_or(0), flat};
        }
        const Row row = CalculateRow(At(packet, stop), options);
        if (!row.results) {
            return ColumnProblem{Kind::kSpring, number, 0, 0, row.results.error()};
        }
        const double stop_force = runtime::ShownValue(row.results->stack->F_stack);
        if (!(stop_force > 0)) {
            return ColumnProblem{Kind::kNoForce, number, stop_force, 0};
        }
        if (!uniform && *row.results->rate < 0) {
            // The rate is least at the stop (it falls towards h0): find where it turns.
            double rising = 0, falling = stop;
            while (std::nextafter(rising, falling) < falling) {
                const double middle = rising + (falling - rising) / 2;
                const Row probe = CalculateRow(At(packet, middle), options);
                (probe.results && *probe.results->rate >= 0 ? rising : falling) = middle;
            }
            return ColumnProblem{Kind::kFalls, number, stop, runtime::ShownValue(rising)};
        }
        const auto search = ForceSearch::For(packet.spring, options);
        if (!search) {
            return ColumnProblem{Kind::kSpring, number, 0, 0, search.error()};
        }
        SpringInputs unloaded = packet.spring.spring;
        unloaded.f = 0;
        const auto free = CalculateStack(unloaded, 0, StackLayout{1, packet.count}, t_reduced);
        if (!free) {
            return ColumnProblem{Kind::kSpring, number, 0, 0, RowError{free.error()}};
        }
        out.searches.push_back(*search);
        out.stops.push_back(stop);
        out.stop_forces.push_back(stop_force);
        lengths.push_back(free->L);
    }
    runtime::CheckedMath m;
    out.free_length = SortedSum(m, lengths);
    if (m.fault()) {
        return ColumnProblem{Kind::kSpring, 0, 0, 0, RowError{detail::Stopped(m, Quantity::kL0)}};
    }
    out.end_force = *std::max_element(out.stop_forces.begin(), out.stop_forces.end());
    return out;
}

ColumnPoint ColumnAtForce(const PreparedColumn& column, double force) {
    ColumnPoint point{runtime::ShownValue(force), {}, RowError{Refusal{}}, {}, {}, false};
    const Deflections d = DeflectionsAt(column, point.force);
    const auto& packets = column.column.packets;
    for (std::size_t j = 0; j < packets.size(); ++j) {
        point.packets.push_back(
            {d.f[j], CalculateRow(At(packets[j], d.f[j]), PacketOptions(packets[j], column.column)),
             d.at_stop[j]});
    }
    if (d.error) {
        point.stack = *d.error;
        return point;
    }
    runtime::CheckedMath m;
    const double travel = SortedSum(m, d.f);
    if (m.fault()) {
        point.stack = RowError{detail::Stopped(m, Quantity::kS)};
        return point;
    }
    const double length = m.Sub(column.free_length, travel);
    if (m.fault()) {
        point.stack = RowError{detail::Stopped(m, Quantity::kL)};
        return point;
    }
    point.stack = StackResults{travel, point.force, length};
    const auto& limits = column.stop_forces;
    point.rate = ColumnRate(point.packets, [&](std::size_t j) { return point.force <= limits[j]; });
    for (const double limit : limits) {
        point.kink = point.kink || limit == point.force;
    }
    if (point.kink) {
        point.rate_after =
            ColumnRate(point.packets, [&](std::size_t j) { return point.force < limits[j]; });
    }
    return point;
}

runtime::Expected<ColumnPoint, Refusal> ColumnAtTravel(const PreparedColumn& column,
                                                       double travel) {
    if (travel < 0) {
        return Refusal{Refusal::Kind::kNegativeTravel, travel, 0};
    }
    const auto travel_at = [&](double force) {
        return TravelOf(DeflectionsAt(column, runtime::ShownValue(force)));
    };
    const auto most = travel_at(column.end_force);
    if (!most) {
        return ColumnAtForce(column, column.end_force);  // carries its packet's error
    }
    if (!(travel <= *most) && !(runtime::ShownValue(travel) <= runtime::ShownValue(*most))) {
        return Refusal{Refusal::Kind::kBeyondTravel, travel, *most};
    }
    double low = 0, high = column.end_force;  // travel at low < travel ≤ travel at high
    if (travel == 0) {
        high = 0;
    }
    while (std::nextafter(low, high) < high) {
        const double middle = low + (high - low) / 2;
        const auto s = travel_at(middle);
        (s && *s < travel ? low : high) = middle;
    }
    double best = runtime::ShownValue(high);
    double best_gap = std::fabs(travel_at(best).value_or(INFINITY) - travel);
    const double other = runtime::ShownValue(low);
    const double other_gap = std::fabs(travel_at(other).value_or(INFINITY) - travel);
    if (other_gap <= best_gap) {
        best = other;
    }
    return ColumnAtForce(column, best);
}

std::vector<double> CharacteristicForces(const PreparedColumn& column, int steps) {
    std::vector<double> forces = column.stop_forces;
    forces.push_back(0);
    for (int k = 1; k < steps; ++k) {
        forces.push_back(runtime::ShownValue(column.end_force * k / steps));
    }
    std::sort(forces.begin(), forces.end());
    forces.erase(std::unique(forces.begin(), forces.end()), forces.end());
    return forces;
}

std::vector<PacketJudgement> JudgeColumn(const PreparedColumn& column,
                                         const std::array<const ColumnPoint*, 2>& points, Load load,
                                         const std::vector<FatigueLine>* lines) {
    std::vector<PacketJudgement> out;
    const auto& packets = column.column.packets;
    for (std::size_t j = 0; j < packets.size(); ++j) {
        const Packet& packet = packets[j];
        PacketJudgement judged;
        std::array<std::optional<double>, 2> f;
        std::array<const SpringResults*, 2> results{};
        for (std::size_t p = 0; p < 2; ++p) {
            if (points[p] == nullptr || j >= points[p]->packets.size()) {
                continue;
            }
            const PacketAt& at = points[p]->packets[j];
            if (at.row.results) {
                f[p] = at.f;
                results[p] = &at.row.results->spring;
            }
        }
        judged.points = CheckWorkingPoints(
            packet.spring.spring,
            packet.flats ? std::optional(packet.spring.t_reduced) : std::nullopt, f, load);
        const std::size_t upper = f[1] && (!f[0] || *f[1] >= *f[0]) ? 1 : 0;
        if (results[upper] != nullptr) {
            if (const auto strength =
                    CheckStrength(static_cast<int>(upper), *f[upper], results[upper]->sigma_om,
                                  column.column.material)) {
                judged.points.push_back(*strength);
            }
        }
        for (const PointFinding& finding : judged.points) {
            judged.needs_stop =
                judged.needs_stop || finding.check == PointCheck::kBeyondThreeQuarters;
        }
        if (load == Load::kDynamic && results[0] != nullptr && results[1] != nullptr) {
            const bool rising = *f[1] >= *f[0];
            judged.cycle =
                JudgeCycle(rising ? *results[0] : *results[1], rising ? *results[1] : *results[0],
                           packet.spring.spring.t, lines);
        }
        out.push_back(std::move(judged));
    }
    return out;
}

runtime::Expected<ColumnPoint, Refusal> ColumnAtPoint(const PreparedColumn& column, bool by_force,
                                                      double value) {
    if (!by_force) {
        return ColumnAtTravel(column, value);
    }
    if (value < 0) {
        return Refusal{Refusal::Kind::kNegativeForce, value, 0};
    }
    if (!(value <= column.end_force) && !(runtime::ShownValue(value) <= column.end_force)) {
        return Refusal{Refusal::Kind::kBeyondStops, value, column.end_force};
    }
    return ColumnAtForce(column, value);
}

}  // namespace calc
