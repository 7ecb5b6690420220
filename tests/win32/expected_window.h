#pragma once

#include <string_view>

namespace quorvel::wine_driver {

// The window as a user sees it at 96 DPI, written out in pixels here rather
// than taken from the description, so that a wrong conversion cannot agree
// with itself.

inline constexpr int kBaseDpi = 96;

// A length at another DPI, rounded half up as Windows rounds.
constexpr int AtDpi(int pixelsAtBaseDpi, int dpi) {
  return (pixelsAtBaseDpi * dpi * 2 + kBaseDpi) / (kBaseDpi * 2);
}

inline constexpr std::wstring_view kCaption = L"Quorvel1.2";
inline constexpr int kClientWidth = 443;
inline constexpr int kClientHeight = 319;

enum class ExpectedFont { Song, WindowDefault, None };

// Columns: name, window class, left, top, width, height, font. The row is the
// control's place in the description, which sets its control ID.
struct ExpectedControl {
  std::string_view name;
  std::wstring_view windowClass;
  int left, top, width, height;
  ExpectedFont font;
};

inline constexpr ExpectedFont kSong = ExpectedFont::Song;
inline constexpr ExpectedFont kDefault = ExpectedFont::WindowDefault;

inline constexpr ExpectedControl kExpectedControls[] = {
    {"Text1", L"Edit", 16, 40, 409, 129, kDefault},
    {"Label1", L"Static", 16, 16, 409, 17, kSong},
    {"Label2", L"Static", 16, 184, 49, 17, kSong},
    {"Text2", L"Edit", 104, 184, 81, 18, kDefault},
    {"Text3", L"Edit", 336, 184, 81, 18, kDefault},
    {"Label3", L"Static", 248, 184, 81, 17, kSong},
    {"Text4", L"Edit", 336, 216, 81, 18, kDefault},
    {"Label4", L"Static", 216, 216, 113, 17, kSong},
    {"Text5", L"Edit", 104, 216, 81, 18, kDefault},
    {"Label5", L"Static", 16, 216, 81, 17, kSong},
    {"Text6", L"Edit", 152, 248, 81, 18, kDefault},
    {"Label6", L"Static", 16, 248, 137, 17, kSong},
    {"Command1", L"Button", 16, 280, 81, 25, kSong},
    {"Command2", L"Button", 176, 280, 81, 25, kSong},
    {"Label7", L"Static", 320, 288, 105, 17, kDefault},
    {"Text7", L"Edit", 336, 248, 81, 18, kDefault},
    {"Label8", L"Static", 256, 248, 49, 17, kSong},
    {"Image1", L"Static", 296, 280, 20, 25, ExpectedFont::None},
};

// Rows of the controls the behaviour checks use.
inline constexpr int kText1 = 0, kText2 = 3, kText3 = 4, kText4 = 6, kText5 = 8, kText6 = 10,
                     kCommand1 = 12, kCommand2 = 13, kText7 = 15, kImage1 = 17;
inline constexpr int kResultBoxes[] = {kText2, kText3, kText4, kText5, kText6};
// The order in which Tab moves the focus, starting where the window starts.
inline constexpr int kFocusOrder[] = {kText1, kText2,    kText3,    kText4, kText5,
                                      kText6, kCommand1, kCommand2, kText7};

// 宋体 at 10.5 pt: characters 14 pixels high at 96 DPI, regular, in GB2312.
inline constexpr std::wstring_view kSongFace = L"宋体";
inline constexpr int kSongCharacterHeight = 14;
inline constexpr int kSongWeight = 400;
inline constexpr int kSongCharset = 134;

}  // namespace quorvel::wine_driver
