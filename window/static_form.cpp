#include "window/static_form.h"

#include "calc/calculate_command.h"
#include "quorvel_version.h"
#include "window/clear_command.h"
#include "window/copy_command.h"
#include "window/stale_marks.h"

namespace quorvel::window {
namespace {

using runtime::ControlDescription;
using runtime::ControlKind;
using runtime::FontDescription;

// Windows knows 宋体 by name. Linux knows neither 宋体 nor SimSun; the later
// families are Song faces that Debian ships, so captions never fall back to a
// sans face or to boxes.
constexpr std::u16string_view kSongFamilies[] = {u"SimSun", u"宋体", u"Noto Serif CJK SC",
                                                 u"AR PL UMing CN"};
constexpr FontDescription kSong105{u"宋体", kSongFamilies, 10.5, 400, 134};

constexpr ControlKind kText = ControlKind::TextBox;
constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kButton = ControlKind::CommandButton;
constexpr ControlKind kImage = ControlKind::Image;

// Columns: name, kind, {left, top, width, height} in twips, caption or initial
// text, font (nullptr: the window's default), tab index, multi-line,
// accessible name.
// clang-format off
constexpr ControlDescription kControls[] = {
    {"Text1",    kText,   {240, 600, 6135, 1935},  u"",                 nullptr,   0,  true,  u"原始数据"},
    {"Label1",   kLabel,  {240, 240, 6135, 255},
     u"请在下面方框中输入数据（不同数据间请用空格或回车隔开）",                   &kSong105, 1,  false, u""},
    {"Label2",   kLabel,  {240, 2760, 735, 255},   u"平均值",            &kSong105, 2,  false, u""},
    {"Text2",    kText,   {1560, 2760, 1215, 270}, u"",                 nullptr,   3,  false, u"平均值"},
    {"Text3",    kText,   {5040, 2760, 1215, 270}, u"",                 nullptr,   4,  false, u"平均偏差"},
    {"Label3",   kLabel,  {3720, 2760, 1215, 255}, u"平均偏差",          &kSong105, 5,  false, u""},
    {"Text4",    kText,   {5040, 3240, 1215, 270}, u"",                 nullptr,   6,  false, u"相对平均偏差(%)"},
    {"Label4",   kLabel,  {3240, 3240, 1695, 255}, u"相对平均偏差(%)",    &kSong105, 7,  false, u""},
    {"Text5",    kText,   {1560, 3240, 1215, 270}, u"",                 nullptr,   8,  false, u"标准偏差(S)"},
    {"Label5",   kLabel,  {240, 3240, 1215, 255},  u"标准偏差(S)",        &kSong105, 9,  false, u""},
    {"Text6",    kText,   {2280, 3720, 1215, 270}, u"",                 nullptr,   10, false, u"相对标准偏差(RSD%)"},
    {"Label6",   kLabel,  {240, 3720, 2055, 255},  u"相对标准偏差(RSD%)", &kSong105, 11, false, u""},
    {"Command1", kButton, {240, 4200, 1215, 375},  u"计算(&M)",          &kSong105, 12, false, u""},
    {"Command2", kButton, {2640, 4200, 1215, 375}, u"清空(&C)",          &kSong105, 13, false, u""},
    {"Label7",   kLabel,  {4800, 4320, 1575, 255}, u"Quorvel " QUORVEL_VERSION_TEXT, nullptr,   14, false, u""},
    {"Text7",    kText,   {5040, 3720, 1215, 270}, u"0.0001",           nullptr,   15, false, u"精度"},
    {"Label8",   kLabel,  {3840, 3720, 735, 255},  u"精度",              &kSong105, 16, false, u""},
    {"Image1",   kImage,  {4440, 4200, 300, 375},  u"",                 nullptr,   -1, false, u""},
};
// clang-format on

constexpr runtime::MenuCommand kCommands[] = {
    {"CopyResults", u"复制全部结果", 'C', kResultBoxes},
};

constexpr runtime::FormDescription kStatic{"Static", u"Quorvel1.2", 6645,
                                           4785,     kControls,     kCommands};

// Columns: the control clicked, the procedure it runs. A procedure returns
// whether it has just written the results from the texts on show.
struct ClickRow {
  std::string_view control;
  bool (*run)(runtime::FormServices&, calc::CalcState&);
};

constexpr ClickRow kClicks[] = {
    {"Command1", &calc::Calculate},
    {"Command2",
     [](runtime::FormServices& form, calc::CalcState&) {
       Clear(form);
       return false;
     }},
    {"CopyResults",
     [](runtime::FormServices& form, calc::CalcState& s) {
       CopyResults(form, s);
       return false;
     }},
};

}  // namespace

const runtime::FormDescription& Static::Description() {
  return kStatic;
}

void Static::Click(std::string_view control, runtime::FormServices& form) {
  // A procedure waiting in its modal message box still works on the state, so
  // a click that reaches the window then (a screen reader can press a button
  // behind the box) is dropped, as the modal box means it to be.
  if (running_) return;
  running_ = true;
  // A procedure that throws must not leave every later click dropped.
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  bool calculated = false;
  for (const ClickRow& row : kClicks) {
    if (row.control == control) calculated = row.run(form, state_);
  }
  // The boxes the procedure wrote changed while it ran; their marks follow
  // once it is done. Results just calculated are current: reading a million
  // items again to say so would cost as much as a paste.
  stale_ = calculated ? false : ResultsStale(form, state_);
  MarkResults(form, stale_);
}

// Only the data and the precision decide whether the results are current:
// a key typed in a result box must not read a million items again.
void Static::Change(std::string_view box, runtime::FormServices& form) {
  if (running_) return;
  if (box == "Text1" || box == "Text7") stale_ = ResultsStale(form, state_);
  MarkResults(form, stale_);
}

}  // namespace quorvel::window
