#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/checks.h"

namespace quorvel::wine_driver {
namespace {

// The layout of an icon group resource, which windows.h does not declare.
#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconGroupHeader {
  WORD reserved, type, count;
  IconGroupEntry entries[1];
};
#pragma pack(pop)

std::wstring StringValue(const std::vector<BYTE>& block, const std::wstring& name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\080404b0\\" + name;
  if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return L"(missing)";
  }
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

void CheckVersionBlock(const std::wstring& exePath, CheckLog& log) {
  std::vector<BYTE> block(GetFileVersionInfoSizeW(exePath.c_str(), nullptr));
  log.Expect(!block.empty() && GetFileVersionInfoW(exePath.c_str(), 0,
                                                   static_cast<DWORD>(block.size()), block.data()),
             "the exe has a version block");
  if (block.empty()) return;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length);
  log.Expect(fixed != nullptr && fixed->dwFileVersionMS == 0x00010002 &&
                 fixed->dwFileVersionLS == 0 && fixed->dwProductVersionMS == 0x00010002 &&
                 fixed->dwProductVersionLS == 0,
             "fixed file and product version 1.2.0.0");

  WORD* translation = nullptr;
  VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                 reinterpret_cast<void**>(&translation), &length);
  log.Expect(
      translation != nullptr && length == 4 && translation[0] == 0x0804 && translation[1] == 1200,
      "translation Chinese (PRC), Unicode (0x0804, 1200)");

  // The Chinese texts also show that the resource compiler read the script
  // as UTF-8.
  const std::pair<const wchar_t*, const wchar_t*> kStrings[] = {
      {L"FileVersion", L"1.02"},
      {L"ProductVersion", L"1.02"},
      {L"CompanyName", L"Quorvel 开发组"},
      {L"ProductName", L"Quorvel 实验数据计算器"},
      {L"LegalCopyright", L"版权所有 (C) Quorvel 开发组"},
  };
  for (const auto& [name, value] : kStrings)
    log.ExpectText(StringValue(block, name), value, Utf8(name));
}

// Copies the name: it is only valid during the callback.
BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  *reinterpret_cast<std::wstring*>(param) =
      IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(name)) : name;
  return FALSE;
}

// The exe's icon is its first icon group: a 16 x 16 and a 32 x 32 image in
// 16 colours.
void CheckIconGroup(const std::wstring& exePath, CheckLog& log) {
  const HMODULE exe = LoadLibraryExW(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  std::wstring name;
  if (exe != nullptr) {
    EnumResourceNamesW(exe, RT_GROUP_ICON, &TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
  }
  const HRSRC resource = name.empty() ? nullptr : FindResourceW(exe, name.c_str(), RT_GROUP_ICON);
  const auto* group =
      resource != nullptr
          ? static_cast<const IconGroupHeader*>(LockResource(LoadResource(exe, resource)))
          : nullptr;
  std::set<std::pair<int, int>> sizes;
  bool sixteenColours = group != nullptr;
  for (int i = 0; group != nullptr && i < group->count; ++i) {
    sizes.emplace(group->entries[i].width, group->entries[i].height);
    sixteenColours = sixteenColours && group->entries[i].bitCount == 4;
  }
  log.Expect(sizes == std::set<std::pair<int, int>>{{16, 16}, {32, 32}} && sixteenColours,
             "the exe's icon has a 16 x 16 and a 32 x 32 image in 16 colours");
  if (exe != nullptr) FreeLibrary(exe);
}

// Wine treats every program as DPI aware, so the manifest's request is read
// from the file; its request for the version 6 controls is checked in the
// running program.
void CheckManifest(const std::wstring& exePath, CheckLog& log) {
  const HMODULE exe = LoadLibraryExW(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HRSRC resource =
      exe != nullptr ? FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
  std::string manifest;
  if (resource != nullptr) {
    manifest.assign(static_cast<const char*>(LockResource(LoadResource(exe, resource))),
                    SizeofResource(exe, resource));
  }
  log.Expect(manifest.find(">true</dpiAware>") != std::string::npos,
             "the manifest asks for system DPI awareness");
  if (exe != nullptr) FreeLibrary(exe);
}

}  // namespace

void CheckResources(const std::wstring& exePath, CheckLog& log) {
  CheckVersionBlock(exePath, log);
  CheckIconGroup(exePath, log);
  CheckManifest(exePath, log);
}

}  // namespace quorvel::wine_driver
