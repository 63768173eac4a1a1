// Generic POSIX: the conversions of strftime as POSIX and glibc define them.
#include "platform/posix/locale_formats.h"

#include <vector>

namespace tarnwick::platform {

namespace {

constexpr std::string_view kDefaultAmPmFormat = "%I:%M:%S %p";

// A piece of a strftime format: literal text, or one conversion with its padding flag.
struct Piece {
  bool conversion = false;
  char letter = 0;
  char flag = 0;
  std::string text;
};

void AddLiteral(std::vector<Piece>& pieces, std::string_view text) {
  if (pieces.empty() || pieces.back().conversion) pieces.push_back({});
  pieces.back().text += text;
}

// The pieces of `format`, with the conversions that stand for others (%D, %F, %T, %R, %r)
// replaced by what they stand for.
void Split(std::string_view format, std::string_view amPmFormat, std::vector<Piece>& pieces) {
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format[at] != '%') {
      AddLiteral(pieces, format.substr(at, 1));
      continue;
    }
    char flag = 0;
    while (++at < format.size() &&
           std::string_view("-_0^#").find(format[at]) != std::string_view::npos)
      flag = format[at];
    while (at < format.size() && format[at] >= '0' && format[at] <= '9') ++at;  // field width
    if (at < format.size() && (format[at] == 'E' || format[at] == 'O')) ++at;  // other eras, digits
    if (at >= format.size()) break;
    const char letter = format[at];
    switch (letter) {
      case 'D':
        Split("%m/%d/%y", amPmFormat, pieces);
        break;
      case 'F':
        Split("%Y-%m-%d", amPmFormat, pieces);
        break;
      case 'T':
        Split("%H:%M:%S", amPmFormat, pieces);
        break;
      case 'R':
        Split("%H:%M", amPmFormat, pieces);
        break;
      case 'r':
        // %r inside t_fmt_ampm itself would never end: the POSIX form stands in.
        Split(amPmFormat.find("%r") == std::string_view::npos ? amPmFormat : kDefaultAmPmFormat,
              kDefaultAmPmFormat, pieces);
        break;
      case '%':
        AddLiteral(pieces, "%");
        break;
      case 'n':
      case 't':
        AddLiteral(pieces, " ");
        break;
      default:
        pieces.push_back({true, letter, flag, {}});
    }
  }
}

std::vector<Piece> Pieces(std::string_view format,
                          std::string_view amPmFormat = kDefaultAmPmFormat) {
  std::vector<Piece> pieces;
  Split(format, amPmFormat, pieces);
  return pieces;
}

bool Unpadded(char flag) { return flag == '-' || flag == '_'; }

// The pattern field of a date conversion; empty for conversions a date pattern has no field for.
std::string DateField(const Piece& piece) {
  switch (piece.letter) {
    case 'd':
      return Unpadded(piece.flag) ? "d" : "dd";
    case 'e':
      return piece.flag == '0' ? "dd" : "d";
    case 'm':
      return Unpadded(piece.flag) ? "M" : "MM";
    case 'y':
    case 'g':
      return "yy";
    case 'Y':
    case 'G':
      return "yyyy";
    case 'b':
    case 'h':
      return "MMM";
    case 'B':
      return "MMMM";
    case 'a':
      return "ddd";
    case 'A':
      return "dddd";
    default:
      return {};
  }
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Literal text of the format as pattern text: letters, quotes, and a "/" that is not the date
// separator are quoted, since the pattern would read them otherwise.
std::string PatternLiteral(const std::string& text, const std::string& separator) {
  bool quote = false;
  for (char c : text)
    quote = quote || IsAsciiLetter(c) || c == '\'' || c == '"' || (c == '/' && separator != "/");
  if (!quote) return text;
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  quoted += '\'';
  return quoted;
}

bool IsHours(const Piece& piece) {
  return piece.conversion && std::string_view("HkIl").find(piece.letter) != std::string_view::npos;
}

std::optional<std::size_t> FirstHours(const std::vector<Piece>& pieces) {
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (IsHours(pieces[i])) return i;
  return std::nullopt;
}

// Whether the AM/PM marker comes before the hours; nothing when the format has no marker.
std::optional<bool> MarkerBeforeHours(const std::vector<Piece>& pieces) {
  const std::optional<std::size_t> hour = FirstHours(pieces);
  for (std::size_t i = 0; i < pieces.size(); ++i)
    if (pieces[i].conversion && (pieces[i].letter == 'p' || pieces[i].letter == 'P'))
      return hour && i < *hour;
  return std::nullopt;
}

}  // namespace

std::optional<DateConventions> DateConventionsFromStrftime(std::string_view dateFormat) {
  std::vector<Piece> pieces = Pieces(dateFormat);
  // Conversions without a field drop out, with the literal text around them joined up.
  std::vector<Piece> kept;
  for (Piece& piece : pieces) {
    if (piece.conversion && DateField(piece).empty()) continue;
    if (!piece.conversion && !kept.empty() && !kept.back().conversion)
      kept.back().text += piece.text;
    else
      kept.push_back(std::move(piece));
  }
  // The separator is the text between the first two fields.
  int fields = 0;
  const std::string* between = nullptr;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (kept[i].conversion)
      ++fields;
    else if (fields == 1 && i + 1 < kept.size() && !between)
      between = &kept[i].text;
  }
  if (fields == 0) return std::nullopt;
  DateConventions date{{}, between ? *between : std::string(1, '/')};
  for (const Piece& piece : kept)
    date.pattern +=
        piece.conversion ? DateField(piece) : PatternLiteral(piece.text, date.separator);
  return date;
}

std::optional<TimeConventions> TimeConventionsFromStrftime(std::string_view timeFormat,
                                                           std::string_view amPmFormat) {
  if (amPmFormat.empty()) amPmFormat = kDefaultAmPmFormat;
  const std::vector<Piece> pieces = Pieces(timeFormat, amPmFormat);
  const std::optional<std::size_t> hour = FirstHours(pieces);
  if (!hour) return std::nullopt;
  const Piece& hours = pieces[*hour];

  TimeConventions time;
  time.hoursLeadingZero =
      hours.letter == 'H' || hours.letter == 'I' ? !Unpadded(hours.flag) : hours.flag == '0';
  time.twelveHour = hours.letter == 'I' || hours.letter == 'l';

  // The texts between hours and minutes and between minutes and seconds; one separator serves
  // both places, so a format with two different texts keeps ":".
  auto textBefore = [&](std::size_t field, char letter) -> std::string {
    if (field >= pieces.size() || !pieces[field].conversion || pieces[field].letter != letter)
      return {};
    return pieces[field - 1].conversion ? std::string() : pieces[field - 1].text;
  };
  const std::string first = textBefore(*hour + 2, 'M');
  const std::string second = first.empty() ? std::string() : textBefore(*hour + 4, 'S');
  if (!first.empty() && (second.empty() || second == first)) time.separator = first;

  // Where the marker stands: in t_fmt when it has one, else in the twelve-hour format.
  if (const std::optional<bool> before = MarkerBeforeHours(pieces)) {
    time.twelveHour = true;
    time.markerBeforeTime = *before;
  } else if (const std::optional<bool> before = MarkerBeforeHours(Pieces(amPmFormat))) {
    time.markerBeforeTime = *before;
  }
  return time;
}

}  // namespace tarnwick::platform
