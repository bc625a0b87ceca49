// The design file: a design's every input as typed, as JSON.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "design/inputs.h"
#include "runtime/expected.h"

namespace design {

/// The version of the design files this program writes, and the newest it reads. Version 2
/// added Rm; a file of version 1 reads with Rm blank. Version 3 added the requirement of a
/// selection; a file of an older version reads with the example requirement. Version 4 added the
/// fatigue lines and the requirement's life; an older file reads with both blank. Version 5 added
/// the load (static or dynamic) and the requirement's long stacks; an older file reads dynamic
/// when it has two working points, as it was judged then, and without long stacks. Version 6
/// added σIV as a column of the tables; an older file reads without it. Version 7 added the
/// packets of a progressive stack; an older file reads without any (its i × n stack is a column
/// of like packets).
inline constexpr int kDesignFileVersion = 7;

/// Why a design file, a link's design or a form's view cannot be read: the first thing wrong,
/// with the key it concerns ("inputs.Dm", "points[0].by", "requirement.life").
struct DesignFileProblem {
    enum class Kind {
        kTooLarge,     ///< more than kMaxDesignFileBytes (a link: longer than its base64)
        kNul,          ///< a NUL byte, which JSON has no place for
        kNotJson,      ///< not JSON (nor UTF-8): `at` is the byte where it stops being JSON
        kTooDeep,      ///< nested more than 64 deep
        kRepeatedKey,  ///< `key` stands twice in one object
        kNotADesign,   ///< no "format": "disc-spring-design"
        kVersion,      ///< "version" is not a positive whole number
        kNewer,        ///< saved by a newer version, `at`
        kUnknownKey,   ///< `key` is not its version's
        kMissing,      ///< `key` is missing
        kWrongKind,    ///< `key`'s value is not what `wanted` says
        kNotBase64,    ///< a link's design is not base64url
        kNotAView,     ///< a form's view lacks its parts
    };
    /// What a value should be.
    enum class Wanted {
        kText,               ///< a text
        kBoolean,            ///< true or false
        kObject,             ///< an object {…}
        kPoint,              ///< a working point {"by", "value"}
        kPoints,             ///< a list of at most two working points
        kPointBy,            ///< "f" or "F"
        kLoad,               ///< "static" or "dynamic"
        kRequirementPoint,   ///< a requirement's point {"given", "s", "F", "tolerance"}
        kRequirementPoints,  ///< a list of at most two of them
        kGiven,              ///< "s" or "F"
        kLines,              ///< a text of fatigue lines
        kPacket,             ///< a packet {"n", "spring", "stop"}
        kPackets,            ///< a list of packets
    };
    Kind kind;
    std::string key = {};
    std::size_t at = 0;
    Wanted wanted = Wanted::kText;

    friend bool operator==(const DesignFileProblem&, const DesignFileProblem&) = default;
};

/// A problem in the words every face says it in, the key quoted as a stranger's text:
/// "设计文件中有不认识的键 \"inputs.Dm\"".
std::string DesignFileProblemText(const DesignFileProblem& problem,
                                  Language language = Language::kChinese);

/// The most a design file may hold; a design is a few hundred bytes.
inline constexpr std::size_t kMaxDesignFileBytes = 1 << 20;

/// A design as a small JSON document (UTF-8): every input as the user typed it, so that opening
/// it gives the very same design, and the format's name and version:
///   {"format": "disc-spring-design", "version": 7,
///    "inputs": {"D": "100", …, "points": [{"by": "f", "value": "1.4"}, {"by": "F", …}],
///               "load": "static", "outer_edge": false,
///               "packets": [{"n": "2", "spring": "B 40", "stop": ""}, …]},
///    "fatigue_lines": "2\t2e6\t0\t500\t600\t800\t手册 A 图 1\n",
///    "requirement": {"bore": "40", …, "life": "", "dynamic": false, "long_stacks": false,
///                    "points": [{"given": "s", "s": "1.2", "F": "5000", "tolerance": ""}, …]}}
/// The keys of the inputs are kInputs' own, those of the requirement kRequirementInputs'.
/// `indented`: four spaces a level and a closing newline, as a file is saved; otherwise one line,
/// as a link carries it.
std::string DesignToJson(const DesignTexts& texts, bool indented = true);

/// Reads a design file's bytes, all or nothing. Refused, with the problem naming the key where
/// there is one: more than kMaxDesignFileBytes, not JSON (UTF-8 only; nested more than
/// 64 deep counts as not JSON), not a design, a newer version, a key its version has missing, a
/// key repeated or unknown, a value of the wrong kind.
runtime::Expected<DesignTexts, DesignFileProblem> DesignFromJson(std::string_view json);

}  // namespace design
