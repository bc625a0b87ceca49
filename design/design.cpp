// Reading a design from its texts by the calculator's box rules.
#include "design/design.h"

#include "calc/materials.h"
#include "runtime/text_number.h"

namespace design {
namespace {

constexpr std::string_view kPointKeys[] = {"point1", "point2"};

void NotePartialRead(Phrase name, std::string_view key, const std::string& text,
                     std::vector<PartialRead>& notes) {
    if (runtime::IsBlank(text)) {
        return;
    }
    const runtime::NumberReading read = runtime::ReadNumber(text);
    if (read.value && !read.whole) {
        notes.push_back({name, key, text, *read.value});
    }
}

// A field's value typed by the box rules, `blank` when the field is blank; it must lie in the
// range the inputs' table gives the field.
runtime::Expected<double, calc::OptionProblem> ReadValue(const DesignTexts& texts,
                                                         std::string DesignTexts::*field,
                                                         double blank) {
    const calc::OptionValue value = *FieldOf(field).range;
    const calc::OptionProblem outside{calc::OptionProblem::Kind::kOutOfRange, value};
    const std::string& text = texts.*field;
    if (runtime::IsBlank(text)) {
        return blank;
    }
    const auto number = runtime::TextToNumber(text);
    if (!number || !calc::InRange(*number, calc::RangeOf(value))) {
        return outside;
    }
    return *number;
}

runtime::Expected<Design, calc::OptionProblem> ReadOptions(const DesignTexts& texts) {
    Design design;
    calc::RowOptions& options = design.options;
    options.rate = true;
    const auto series = ReadValue(texts, &DesignTexts::series, 1);
    const auto parallel = ReadValue(texts, &DesignTexts::parallel, 1);
    const auto steps = ReadValue(texts, &DesignTexts::steps, kDefaultSteps);
    for (const auto* count : {&series, &parallel, &steps}) {
        if (!*count) {
            return count->error();
        }
    }
    design.steps = static_cast<int>(*steps);
    if (*series != 1 || *parallel != 1) {
        options.stack = calc::StackLayout{static_cast<int>(*series), static_cast<int>(*parallel)};
    }
    options.flats = !runtime::IsBlank(texts.t_reduced);
    const auto material = ReadMaterialAndFriction(texts);
    if (!material) {
        return material.error();
    }
    options.material = material->material;
    options.friction = material->friction;
    if (const auto problem = calc::CheckRowOptions(options)) {
        return *problem;
    }
    return design;
}

}  // namespace

runtime::Expected<MaterialAndFriction, calc::OptionProblem> ReadMaterialAndFriction(
    const DesignTexts& texts) {
    MaterialAndFriction read;
    const auto E = ReadValue(texts, &DesignTexts::E, calc::kE);
    if (!E) {
        return E.error();
    }
    const auto mu = ReadValue(texts, &DesignTexts::mu, calc::kMu);
    if (!mu) {
        return mu.error();
    }
    read.material = calc::MaterialOf(*E, *mu);  // with a named material's Rm
    if (!runtime::IsBlank(texts.Rm)) {
        const auto Rm = ReadValue(texts, &DesignTexts::Rm, 0);
        if (!Rm) {
            return Rm.error();
        }
        read.material.Rm = *Rm;
    }
    if (!runtime::IsBlank(texts.w_M) || !runtime::IsBlank(texts.w_R)) {
        const auto w_M = ReadValue(texts, &DesignTexts::w_M, 0);
        if (!w_M) {
            return w_M.error();
        }
        const auto w_R = ReadValue(texts, &DesignTexts::w_R, 0);
        if (!w_R) {
            return w_R.error();
        }
        read.friction = calc::Friction{*w_M, *w_R};
    }
    return read;
}

std::optional<std::size_t> MaterialPicked(const DesignTexts& texts) {
    const auto E = ReadValue(texts, &DesignTexts::E, calc::kE);
    const auto mu = ReadValue(texts, &DesignTexts::mu, calc::kMu);
    if (!E || !mu) {
        return std::nullopt;
    }
    // Rm tells apart the steels of one E and μ; blank or unreadable, E and μ alone decide.
    std::optional<double> Rm;
    if (!runtime::IsBlank(texts.Rm)) {
        const auto read = ReadValue(texts, &DesignTexts::Rm, 0);
        Rm = read ? std::optional(*read) : std::nullopt;
    }
    return calc::FindMaterial({*E, *mu, Rm});
}

DesignReading ReadDesign(const DesignTexts& texts) {
    DesignReading reading;
    for (const InputField& input : kInputs) {
        NotePartialRead(input.name, input.key, texts.*input.text, reading.partial_reads);
    }
    for (std::size_t k = 0; k < texts.points.size(); ++k) {
        NotePartialRead(kPointNames[k], kPointKeys[k], texts.points[k].value,
                        reading.partial_reads);
    }
    auto design = ReadOptions(texts);
    if (!design) {
        reading.design = design.error();
        return reading;
    }
    design->curve =
        calc::ReadCurve({texts.D, texts.d, texts.t, texts.H, texts.t_reduced, texts.f_end},
                        design->steps, design->options);
    design->load = texts.load;
    design->options.outer_edge = texts.outer_edge;
    for (std::size_t k = 0; k < texts.points.size(); ++k) {
        PointRequest& point = design->points[k];
        point.by = texts.points[k].by;
        if (runtime::IsBlank(texts.points[k].value)) {
            continue;
        }
        const auto value = runtime::TextToNumber(texts.points[k].value);
        point.value = value ? runtime::Expected<double, calc::SpringFault>(*value)
                            : calc::SpringFault{value.error(), calc::Quantity::kf};
    }
    reading.design = std::move(*design);
    return reading;
}

}  // namespace design
