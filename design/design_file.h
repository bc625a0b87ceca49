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
/// when it has two working points, as it was judged then, and without long stacks.
inline constexpr int kDesignFileVersion = 5;

/// The most a design file may hold; a design is a few hundred bytes.
inline constexpr std::size_t kMaxDesignFileBytes = 1 << 20;

/// A design as a small JSON document (UTF-8): every input as the user typed it, so that opening
/// it gives the very same design, and the format's name and version:
///   {"format": "disc-spring-design", "version": 5,
///    "inputs": {"D": "100", …, "points": [{"by": "f", "value": "1.4"}, {"by": "F", …}],
///               "load": "static"},
///    "fatigue_lines": "2\t2e6\t0\t500\t600\t800\t手册 A 图 1\n",
///    "requirement": {"bore": "40", …, "life": "", "dynamic": false, "long_stacks": false,
///                    "points": [{"given": "s", "s": "1.2", "F": "5000", "tolerance": ""}, …]}}
/// The keys of the inputs are kInputs' own, those of the requirement kRequirementInputs'.
/// `indented`: four spaces a level and a closing newline, as a file is saved; otherwise one line,
/// as a link carries it.
std::string DesignToJson(const DesignTexts& texts, bool indented = true);

/// Reads a design file's bytes, all or nothing. Refused, with the reason in Chinese naming the
/// key where there is one: more than kMaxDesignFileBytes, not JSON (UTF-8 only; nested more than
/// 64 deep counts as not JSON), not a design, a newer version, a key its version has missing, a
/// key repeated or unknown, a value of the wrong kind.
runtime::Expected<DesignTexts, std::string> DesignFromJson(std::string_view json);

}  // namespace design
