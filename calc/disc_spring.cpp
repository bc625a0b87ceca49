// The measurements, results, faults and material of a disc spring, and their symbols.
#include "calc/disc_spring.h"

namespace calc {

std::string_view QuantitySymbol(Quantity quantity) {
    switch (quantity) {
        case Quantity::kD:
            return "D";
        case Quantity::kd:
            return "d";
        case Quantity::kt:
            return "t";
        case Quantity::kTReduced:
            return "t′";
        case Quantity::kH:
            return "H";
        case Quantity::kf:
            return "f";
        case Quantity::kh0:
            return "h0";
        case Quantity::kDelta:
            return "δ";
        case Quantity::kLnDelta:
            return "ln δ";
        case Quantity::kK1:
            return "K1";
        case Quantity::kK2:
            return "K2";
        case Quantity::kK3:
            return "K3";
        case Quantity::kN:
            return "N";
        case Quantity::kF:
            return "F";
        case Quantity::kSigmaOm:
            return "σom";
        case Quantity::kSigma1:
            return "σ1";
        case Quantity::kSigma2:
            return "σ2";
        case Quantity::kSigma3:
            return "σ3";
        case Quantity::kS:
            return "s";
        case Quantity::kFStack:
            return "F_stack";
        case Quantity::kL0:
            return "L0";
        case Quantity::kL:
            return "L";
        case Quantity::kK4:
            return "K4";
        case Quantity::kh0Flat:
            return "h0′";
        case Quantity::kRate:
            return "R";
        case Quantity::kFLoad:
            return "F_load";
        case Quantity::kFUnload:
            return "F_unload";
        case Quantity::kWork:
            return "W";
        case Quantity::kStackRate:
            return "R_stack";
        case Quantity::kSigma4:
            return "σIV";
    }
    return {};
}

}  // namespace calc
