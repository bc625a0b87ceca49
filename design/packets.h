// A design's packets read into a progressive stack.
#pragma once

#include <string>
#include <vector>

#include "calc/column.h"
#include "design/inputs.h"
#include "runtime/expected.h"

namespace design {

/// Why a design's packets cannot be read: the first thing wrong, with its packet (from 1).
struct PacketProblem {
    enum class Kind {
        kTooMany,        ///< more than calc::kMaxPackets packets
        kCount,          ///< n is not a whole number from 1 to calc::kMaxStackCount
        kSpring,         ///< the spring is neither a name nor 4 or 5 plain numbers
        kUnknownSpring,  ///< a name the DIN 2093 catalogue lacks
        kStop,           ///< the stop is not a plain number
        kFriction,       ///< friction with packets that are not all alike: not computed
    };
    Kind kind;
    int packet = 0;

    friend bool operator==(const PacketProblem&, const PacketProblem&) = default;
};

/// The packets as a column of `material`: n blank is 1; the spring a DIN 2093 name ("B 40",
/// "B40") or D d t H [t′] in mm; the stop blank for flat. Numbers are plain (as a requirement's:
/// "1 2" and "&H29" are not numbers). All or nothing.
runtime::Expected<calc::Column, PacketProblem> ReadPackets(const std::vector<PacketText>& packets,
                                                           const calc::Material& material);

/// A problem in words: "第 2 组的碟簧应为 DIN 2093 的名称或 D d t H [t′]".
std::string PacketProblemText(const PacketProblem& problem, Language language = Language::kChinese);

}  // namespace design
