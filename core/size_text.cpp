#include "core/size_text.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>

namespace tarnwick {

namespace {

// A non-negative decimal number: `digits` (no sign, most significant first) divided by 10^scale.
// Dividing a count by a power of two is exact in extended precision; working on the exact decimal
// digits of that quotient gives the same value on every compiler, whatever its long double.
struct Decimal {
  std::string digits;
  std::size_t scale = 0;
};

// n / 2^k exactly, as n * 5^k / 10^k.
Decimal Quotient(std::uint64_t n, unsigned k) {
  Decimal value{std::to_string(n), k};
  for (unsigned i = 0; i < k; ++i) {
    int carry = 0;
    for (auto it = value.digits.rbegin(); it != value.digits.rend(); ++it) {
      int d = (*it - '0') * 5 + carry;
      *it = static_cast<char>('0' + d % 10);
      carry = d / 10;
    }
    if (carry) value.digits.insert(value.digits.begin(), static_cast<char>('0' + carry));
  }
  return value;
}

// Drops the last `count` digits, rounding half up on the first one dropped.
void DropDigits(std::string& digits, std::size_t count) {
  if (count == 0) return;
  if (count > digits.size()) {
    digits.assign(1, '0');
    return;
  }
  const bool roundUp = digits[digits.size() - count] >= '5';
  digits.resize(digits.size() - count);
  if (digits.empty()) digits.assign(1, '0');
  if (!roundUp) return;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The pattern "0.##": two places, half up, after taking the value to 18 significant digits.
std::string TwoPlaces(Decimal value, char decimalSeparator) {
  constexpr std::size_t significant = 18;
  if (value.digits.size() > significant) {
    const std::size_t dropped = value.digits.size() - significant;
    DropDigits(value.digits, dropped);
    value.digits.append(dropped, '0');
  }
  if (value.scale > 2) {
    DropDigits(value.digits, value.scale - 2);
    value.scale = 2;
  }
  if (value.digits.size() <= value.scale)
    value.digits.insert(0, value.scale + 1 - value.digits.size(), '0');
  std::string integer = value.digits.substr(0, value.digits.size() - value.scale);
  std::string fraction = value.digits.substr(value.digits.size() - value.scale);
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return fraction.empty() ? integer : integer + decimalSeparator + fraction;
}

}  // namespace

std::string SizeToText(std::int64_t count, char decimalSeparator) {
  // Counts are never negative here; one would be written as bytes, as the smallest unit is.
  if (count < 0) return std::to_string(count) + " bytes";
  const auto n = static_cast<std::uint64_t>(count);
  if (n > 1073741824u) return TwoPlaces(Quotient(n, 30), decimalSeparator) + " GB";
  if (n > 1048576u) return TwoPlaces(Quotient(n, 20), decimalSeparator) + " MB";
  if (n > 1024u) return TwoPlaces(Quotient(n, 10), decimalSeparator) + " KB";
  return std::to_string(n) + " bytes";
}

std::optional<SizeFromText> ReadSizeText(std::string_view text) {
  constexpr std::pair<std::string_view, unsigned> kUnits[] = {
      {" bytes", 0}, {" KB", 10}, {" MB", 20}, {" GB", 30}};
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  for (const auto& [unit, shift] : kUnits) {
    if (!text.ends_with(unit)) continue;
    std::string_view number = text.substr(0, text.size() - unit.size());
    std::size_t whole = 0;
    while (whole < number.size() && isDigit(number[whole])) ++whole;
    // At most 19 digits before the separator keeps the arithmetic below within 64 bits.
    if (whole == 0 || whole > 19) return std::nullopt;
    std::uint64_t integer = 0;
    for (char c : number.substr(0, whole)) integer = integer * 10 + static_cast<unsigned>(c - '0');
    std::uint64_t hundredths = 0;
    if (whole < number.size()) {
      // The separator, then one or two digits: the text drops a trailing zero.
      const std::string_view fraction = number.substr(whole + 1);
      if (shift == 0 || number[whole] == ' ' || fraction.empty() || fraction.size() > 2 ||
          !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return std::nullopt;
      hundredths = static_cast<unsigned>(fraction[0] - '0') * 10 +
                   (fraction.size() == 2 ? static_cast<unsigned>(fraction[1] - '0') : 0);
    }
    if (integer > (std::numeric_limits<std::uint64_t>::max() >> shift)) return std::nullopt;
    const std::uint64_t unitBytes = std::uint64_t{1} << shift;
    const std::uint64_t bytes = (integer << shift) + (hundredths * unitBytes + 50) / 100;
    return SizeFromText{bytes, shift == 0 ? 0 : (unitBytes + 199) / 200};
  }
  return std::nullopt;
}

}  // namespace tarnwick
