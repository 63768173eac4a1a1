// Windows API: conversions between the ANSI code page and UTF-16, and the path scheme of the walk.
#include <windows.h>

#include <cwctype>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

bool Win32Platform::isLeadByte(unsigned char byte) const { return IsDBCSLeadByte(byte) != 0; }

std::string Win32Platform::wideToCodePage(std::u16string_view text) const {
  return win32::AnsiFromWide(
      std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

bool Win32Platform::standardErrorIsTerminal() const {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

namespace win32 {

namespace {

constexpr char kNameMark = '\x01';

std::wstring Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  int count = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  if (count > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), count);
  return wide;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// A path the wide functions take as it is behind "\\?\": a drive, then backslash-separated
// components none of which the system would rewrite (".", "..", empty, trailing dot or blank).
bool IsPlainAbsolute(std::wstring_view dir) {
  if (dir.size() < 3 || !std::iswalpha(dir[0]) || dir[1] != L':' || dir[2] != L'\\') return false;
  std::size_t start = 3;
  while (start < dir.size()) {
    std::size_t end = dir.find(L'\\', start);
    if (end == std::wstring_view::npos) end = dir.size();
    std::wstring_view part = dir.substr(start, end - start);
    if (part.empty() || part == L"." || part == L".." || part.back() == L'.' ||
        part.back() == L' ' || part.find(L'/') != std::wstring_view::npos)
      return false;
    start = end + 1;
  }
  return true;
}

std::wstring FullPath(const std::wstring& dir) {
  DWORD size = GetFullPathNameW(dir.c_str(), 0, nullptr, nullptr);
  if (size == 0) return dir;
  std::wstring full(size, L'\0');
  DWORD count = GetFullPathNameW(dir.c_str(), size, full.data(), nullptr);
  if (count == 0 || count >= size) return dir;
  full.resize(count);
  return full;
}

}  // namespace

std::wstring WideFromAnsi(std::string_view text) { return Widen(CP_ACP, text); }

std::string AnsiFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  int count = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(count), '\0');
  if (count > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), count, nullptr, nullptr);
  return ansi;
}

std::string ListingName(std::wstring_view name) {
  std::string ansi = AnsiFromWide(name);
  // A name ending in a dot or a blank is kept out of the ANSI text too: the system trims those
  // from paths it is given, so the name would not name its own directory again.
  const bool trimmed = !name.empty() && (name.back() == L'.' || name.back() == L' ');
  if (!trimmed && ansi.find(kNameMark) == std::string::npos && Widen(CP_ACP, ansi) == name)
    return ansi;
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string marked(1, kNameMark);
  for (wchar_t unit : name)
    for (int shift = 12; shift >= 0; shift -= 4) marked += kDigits[(unit >> shift) & 0xF];
  marked += kNameMark;
  return marked;
}

std::wstring WidePath(std::string_view path) {
  std::wstring wide;
  while (!path.empty()) {
    std::size_t open = path.find(kNameMark);
    wide += Widen(CP_ACP, path.substr(0, open));
    if (open == std::string_view::npos) break;
    std::size_t close = path.find(kNameMark, open + 1);
    std::string_view digits =
        path.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
    bool wellFormed = close != std::string_view::npos && digits.size() % 4 == 0;
    for (char c : digits) wellFormed = wellFormed && IsHex(c);
    if (!wellFormed) {
      // Not one of ours: keep the bytes as they are; the path then names nothing.
      wide += Widen(CP_ACP, path.substr(open));
      break;
    }
    for (std::size_t i = 0; i < digits.size(); i += 4) {
      int unit = 0;
      for (std::size_t j = 0; j < 4; ++j) unit = unit * 16 + HexValue(digits[i + j]);
      wide += static_cast<wchar_t>(unit);
    }
    path.remove_prefix(close + 1);
  }
  return wide;
}

std::wstring ExtendedDirectoryPath(std::string_view path) {
  if (path.empty()) return {};
  // Only the part the caller gave goes through the system's rewriting of paths; the names a
  // listing gave, from the first marked one on, are appended exactly as listed.
  std::size_t mark = path.find(kNameMark);
  std::wstring dir = WidePath(path.substr(0, mark));
  std::wstring listed =
      mark == std::string_view::npos ? std::wstring() : WidePath(path.substr(mark));
  if (dir.empty() || dir.back() != L'\\') {
    dir += listed;
    listed.clear();
    if (dir.empty()) return {};
    if (dir.back() != L'/') dir += L'\\';
  }
  if (!listed.empty() && listed.back() != L'\\') listed += L'\\';
  if (dir.starts_with(L"\\\\.\\")) dir = L"\\\\?\\" + dir.substr(4);
  if (dir.starts_with(L"\\\\?\\")) return dir + listed;
  if (IsPlainAbsolute(dir)) return L"\\\\?\\" + dir + listed;
  dir = FullPath(dir);
  if (dir.empty() || dir.back() != L'\\') dir += L'\\';
  if (dir.starts_with(L"\\\\?\\")) return dir + listed;
  if (dir.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + dir.substr(2) + listed;
  return L"\\\\?\\" + dir + listed;
}

}  // namespace win32

}  // namespace tarnwick::platform
