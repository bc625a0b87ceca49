// The search for a requirement's candidates, and their ranking.
#include "calc/selection_search.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "calc/selection_shortfall.h"
#include "calc/selection_space.h"

namespace calc {

namespace {

// The ranking: fewest springs, lowest σOM ÷ Rm, shortest stack, then lighter, then smaller D.
bool Better(const Candidate& a, const Candidate& b) {
    const auto key = [](const Candidate& c) {
        return std::tuple(c.Springs(), c.utilisation, c.L0, c.mass, c.spring.spring.D,
                          c.spring.spring.d, c.spring.spring.t, c.spring.spring.H, c.stack.series);
    };
    return key(a) < key(b);
}

// Of special springs that differ only in H, the one whose points lie nearest what was asked: a
// maker grinds one height, and the list then offers different springs.
void KeepNearestHeight(std::vector<Candidate>& special) {
    const auto family = [](const Candidate& c) {
        const SpringInputs& s = c.spring.spring;
        return std::tuple(s.D, s.d, s.t, c.stack.series, c.stack.parallel);
    };
    const auto misfit = [](const Candidate& c) {
        double worst = 0;
        for (const PointOutcome& point : c.points) {
            worst = std::max(worst, std::abs(point.deviation));
        }
        return worst;
    };
    std::sort(special.begin(), special.end(), [&](const Candidate& a, const Candidate& b) {
        return std::tuple(family(a), misfit(a), a.spring.spring.H) <
               std::tuple(family(b), misfit(b), b.spring.spring.H);
    });
    special.erase(
        std::unique(special.begin(), special.end(),
                    [&](const Candidate& a, const Candidate& b) { return family(a) == family(b); }),
        special.end());
}

}  // namespace

Selection Select(const Requirement& requirement, const std::vector<CatalogueSpring>& catalogue) {
    Selection selection;
    detail::SelectionSpace search(requirement);
    std::vector<detail::SpaceSpring> springs;
    for (std::size_t index = 0; index < catalogue.size(); ++index) {
        const CatalogueSpring& spring = catalogue[index];
        if (search.Fits(spring.spring.spring)) {
            if (auto s = search.Prepare(spring.spring, spring.flats, index)) {
                springs.push_back(std::move(*s));
            }
        }
    }
    const std::size_t from_catalogue = springs.size();
    if (requirement.special > 0 && requirement.material.Rm) {
        search.Outline(springs);
    }
    for (std::size_t k = 0; k < from_catalogue; ++k) {
        search.Stacks(springs[k], [&](StackLayout stack) {
            if (auto c = search.Offered(springs[k], stack)) {
                selection.catalogue.push_back(std::move(*c));
            }
        });
    }
    // Special springs by the fewest springs first, the ranking's first key: once the specials
    // to show are among those found, none with more springs can displace them.
    std::vector<std::pair<std::size_t, StackLayout>> stacks;
    for (std::size_t k = from_catalogue; k < springs.size(); ++k) {
        search.Stacks(springs[k], [&](StackLayout stack) { stacks.emplace_back(k, stack); });
    }
    const auto count = [](const std::pair<std::size_t, StackLayout>& at) {
        return at.second.series * at.second.parallel;
    };
    std::stable_sort(stacks.begin(), stacks.end(),
                     [&](const auto& a, const auto& b) { return count(a) < count(b); });
    for (std::size_t k = 0; k < stacks.size(); ++k) {
        if (auto c = search.Offered(springs[stacks[k].first], stacks[k].second)) {
            selection.special.push_back(std::move(*c));
        }
        const bool settled = k + 1 == stacks.size() || count(stacks[k + 1]) > count(stacks[k]);
        if (settled && selection.special.size() >= static_cast<std::size_t>(requirement.special)) {
            KeepNearestHeight(selection.special);
            if (selection.special.size() >= static_cast<std::size_t>(requirement.special)) {
                break;
            }
        }
    }
    std::sort(selection.catalogue.begin(), selection.catalogue.end(), Better);
    KeepNearestHeight(selection.special);
    std::sort(selection.special.begin(), selection.special.end(), Better);
    if (selection.special.size() > static_cast<std::size_t>(requirement.special)) {
        selection.special.resize(static_cast<std::size_t>(requirement.special));
    }
    if (selection.catalogue.empty() && selection.special.empty()) {
        // Stacks that met all but the life are the nearest there are: say why the lines fail.
        const Shortfall::FatigueMisses misses = search.fatigue_misses();
        selection.shortfall =
            misses.no_line + misses.outside + misses.short_ > 0
                ? Shortfall{Shortfall::Kind::kFatigue, 0, false, *requirement.life, 0,
                            requirement.bore,          0, misses}
                : detail::FindShortfall(search, springs);
    }
    return selection;
}

}  // namespace calc
