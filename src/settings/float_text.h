#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nexolant {

// A finite floating-point number in the general format with up to 15 significant digits: fixed
// notation ("46000.5", "-1", "0.00001") unless the number needs more than 15 digits before
// the point or is smaller than 0.00001, then scientific ("1.5E20", "1E-6"). The point is the
// given decimal separator.
std::string FloatToText(double value, char decimalSeparator);

// Reads what FloatToText writes and the usual variants: optional blanks around, an optional
// sign, digits with at most one decimal separator, an optional exponent ("E" or "e", optional
// sign, digits). None for anything else, and for numbers beyond the range of a double.
std::optional<double> TextToFloat(std::string_view text, char decimalSeparator);

}  // namespace nexolant
