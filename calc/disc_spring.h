// A disc spring's measurements, results, faults and material, and the quantities they name.
#pragma once

#include <optional>
#include <string_view>

#include "runtime/expected.h"
#include "runtime/fault.h"

namespace calc {

/// The five measurements of a disc spring, in millimetres.
struct SpringInputs {
    double D;  ///< outer diameter
    double d;  ///< inner diameter
    double t;  ///< material thickness
    double H;  ///< free overall height of the unloaded spring
    double f;  ///< deflection at which force and stresses are wanted
};

/// Force and stresses of a disc spring at deflection f.
struct SpringResults {
    double F;         ///< spring force, N
    double sigma_om;  ///< stress σom, positive sign, MPa
    double sigma1;    ///< stress at point I, MPa
    double sigma2;    ///< stress at point II, MPa
    double sigma3;    ///< stress at point III, MPa
};

/// The quantities of a calculation, in the order they are read or formed; a fault names the
/// one it struck in.
enum class Quantity {
    kD,
    kd,
    kt,
    kTReduced,  ///< t′ of a spring with contact flats
    kH,
    kf,
    kh0,
    kDelta,
    kLnDelta,
    kK1,
    kK2,
    kK3,
    kN,
    kF,
    kSigmaOm,
    kSigma1,
    kSigma2,
    kSigma3,
    kS,          ///< a stack's travel
    kFStack,     ///< a stack's force
    kL0,         ///< a stack's free length
    kL,          ///< a stack's loaded length
    kK4,         ///< the factor of a spring with contact flats
    kh0Flat,     ///< h0′ = H − t′ of a spring with contact flats
    kRate,       ///< the spring rate dF/df
    kFLoad,      ///< a stack's force when loaded, with friction
    kFUnload,    ///< a stack's force when unloaded, with friction
    kWork,       ///< the work taken up from f = 0
    kStackRate,  ///< a stack's rate n·R ÷ i
    kSigma4,     ///< σIV, the stress at the outer upper edge
};

/// The engineering symbol of a quantity ("D", "h0", "δ", "ln δ", "K1", "σom", …).
std::string_view QuantitySymbol(Quantity quantity);

/// Why a calculation produced no results: the fault and the quantity it struck in.
struct SpringFault {
    runtime::Fault fault;
    Quantity quantity;

    friend bool operator==(const SpringFault&, const SpringFault&) = default;
};

/// Material constants (spring steel) and the π of the model.
inline constexpr int kE = 206000;            ///< elastic modulus, MPa
inline constexpr double kMu = 0.3;           ///< Poisson's ratio
inline constexpr double kPi = 3.1415926535;  ///< π to ten decimals, used throughout

/// The tensile strength of spring steel (50CrV4, Ck67) as hardened for disc springs, MPa.
inline constexpr double kSpringSteelRm = 1600;

/// The spring's material. Spring steel by default, for which every result has exactly the bits
/// of CalculateSpring (calc/spring_pass.h): E × 4, E × 12 and E × −4 are exact for it as for the
/// integer constant.
struct Material {
    double E = kE;    ///< elastic modulus, MPa
    double mu = kMu;  ///< Poisson's ratio
    /// Tensile strength Rm, MPa, which σOM is held to; none when it is not known, and then the
    /// strength is not judged. It takes no part in the force and stresses.
    std::optional<double> Rm = kSpringSteelRm;

    friend bool operator==(const Material&, const Material&) = default;
};

}  // namespace calc
