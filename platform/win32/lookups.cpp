// Windows API: folder locations, the environment and the computer's name, through the ANSI
// functions so that every answer is in the ANSI code page; the registry through the wide ones on
// the NT family.
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <memory>
#include <mutex>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

namespace {

constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

RegistryType TypeOf(DWORD type) {
  switch (type) {
    case REG_SZ:
      return RegistryType::String;
    case REG_EXPAND_SZ:
      return RegistryType::ExpandString;
    case REG_BINARY:
      return RegistryType::Binary;
    case REG_DWORD:
      return RegistryType::DWord;
    case REG_QWORD:
      return RegistryType::QWord;
    case REG_MULTI_SZ:
      return RegistryType::MultiString;
    default:
      return RegistryType::Other;
  }
}

bool IsNtFamily() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// The two calls of a value query, first for its type and size, then for its data, through the
// wide or the ANSI functions.
template <typename Open, typename Query, typename Char>
std::optional<RegistryValue> QueryValue(Open open, Query query, const Char* key, const Char* name,
                                        bool wide) {
  HKEY handle = nullptr;
  if (open(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  std::optional<RegistryValue> value;
  DWORD type = 0, size = 0;
  if (query(handle, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<std::uint8_t> data(size);
    if (query(handle, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
      data.resize(size);
      value = RegistryValue{TypeOf(type), std::move(data), wide};
    }
  }
  RegCloseKey(handle);
  return value;
}

// The size-then-fill calls of GetWindowsDirectoryA and GetSystemDirectoryA.
template <typename Call>
std::optional<std::string> SizeThenFill(Call call) {
  UINT size = call(nullptr, 0);
  if (size == 0) return std::nullopt;
  std::string text(size, '\0');
  call(text.data(), size);
  return text;
}

using GetLongPathNameAFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// Looked up by name on first use and kept for the run: systems before Windows 98 and NT 5 lack it.
GetLongPathNameAFunction LongPathNameFunction() {
  static GetLongPathNameAFunction function = [] {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<GetLongPathNameAFunction>(
                        reinterpret_cast<void*>(GetProcAddress(kernel, "GetLongPathNameA")))
                  : nullptr;
  }();
  return function;
}

struct ItemListDeleter {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using ItemList = std::unique_ptr<ITEMIDLIST, ItemListDeleter>;

// The file-system path of an item identifier list, as SHGetPathFromIDListA writes it into its
// buffer of MAX_PATH characters.
std::optional<std::string> PathOfItemList(const ItemList& list) {
  std::string buffer(MAX_PATH, '\0');
  if (!SHGetPathFromIDListA(list.get(), buffer.data())) return std::nullopt;
  return buffer;
}

}  // namespace

std::unique_ptr<Platform> makeSystemPlatform() { return std::make_unique<Win32Platform>(); }

std::optional<RegistryValue> Win32Platform::readCurrentVersionValue(std::string_view name) {
  if (IsNtFamily()) {
    std::wstring key = win32::WideFromAnsi(kCurrentVersionKey);
    std::wstring wideName = win32::WideFromAnsi(name);
    return QueryValue(RegOpenKeyExW, RegQueryValueExW, key.c_str(), wideName.c_str(), true);
  }
  std::string ansiName(name);
  return QueryValue(RegOpenKeyExA, RegQueryValueExA, kCurrentVersionKey, ansiName.c_str(), false);
}

std::optional<std::string> Win32Platform::windowsDirectory() {
  return SizeThenFill([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); });
}

std::optional<std::string> Win32Platform::systemDirectory() {
  return SizeThenFill([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); });
}

// Through the wide function and the ANSI code page, which is what GetEnvironmentVariableA does on
// Windows: Wine's ANSI function cuts values short in a double-byte code page.
std::optional<std::string> Win32Platform::environmentVariable(std::string_view name) {
  const std::wstring variable = win32::WideFromAnsi(name);
  DWORD size = GetEnvironmentVariableW(variable.c_str(), nullptr, 0);
  // The value may grow between the two calls; then the second asks for more room again.
  while (size != 0) {
    std::wstring value(size, L'\0');
    DWORD count = GetEnvironmentVariableW(variable.c_str(), value.data(), size);
    if (count == 0) return std::nullopt;
    if (count < size) {
      value.resize(count);
      return win32::AnsiFromWide(value);
    }
    size = count;
  }
  return std::nullopt;
}

std::string Win32Platform::defaultTempDirectory() {
  std::string buffer(MAX_PATH + 1, '\0');
  DWORD count = GetCurrentDirectoryA(MAX_PATH + 1, buffer.data());
  if (count <= MAX_PATH) return buffer;
  // A longer current directory was not written: ask again with the room it needs.
  buffer.assign(count, '\0');
  DWORD written = GetCurrentDirectoryA(count, buffer.data());
  if (written == 0 || written >= count) return {};
  buffer.resize(written);
  return buffer;
}

std::optional<std::string> Win32Platform::longPathName(const std::string& path) {
  GetLongPathNameAFunction getLongPathName = LongPathNameFunction();
  if (!getLongPathName) return std::nullopt;
  std::string buffer(MAX_PATH, '\0');
  DWORD count = getLongPathName(path.c_str(), buffer.data(), MAX_PATH);
  if (count >= MAX_PATH) {
    // A long form of MAX_PATH characters or more left the buffer unwritten; read it whole.
    buffer.assign(count, '\0');
    DWORD written = getLongPathName(path.c_str(), buffer.data(), count);
    count = written < count ? written : 0;
  }
  buffer.resize(count);
  return buffer;
}

std::optional<std::string> Win32Platform::shellParsePath(const std::string& path) {
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return std::nullopt;
  std::optional<std::string> result;
  wchar_t wide[MAX_PATH] = {};
  if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path.c_str(), -1, wide, MAX_PATH) > 0) {
    ITEMIDLIST* parsed = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &parsed, nullptr)) &&
        parsed) {
      ItemList list(parsed);
      result = PathOfItemList(list);
    }
  }
  desktop->Release();
  return result;
}

std::optional<std::string> Win32Platform::shellFolderPath(int csidl) {
  ITEMIDLIST* found = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &found))) return std::nullopt;
  ItemList list(found);
  return PathOfItemList(list);
}

std::optional<std::string> Win32Platform::computerName() {
  // Room for the 15 characters of a NetBIOS name and the terminator.
  char buffer[16] = {};
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return std::nullopt;
  return std::string(buffer, sizeof buffer);
}

}  // namespace tarnwick::platform
