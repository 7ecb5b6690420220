// The node build caps its memory at 64 MiB (tests/web/CMakeLists.txt), as the
// page caps its own: a click that needs more is told as out of memory, and
// the page goes on.

#include <gtest/gtest.h>

#include "runtime/click_guard.h"
#include "runtime/recording_form.h"
#include "window/static_form.h"

namespace quorvel {
namespace {

TEST(MemoryLimit, AClickPastItIsToldAndTheNextClickWorks) {
  window::Static window;
  runtime::RecordingForm form(window::Static::Description());
  {
    // 16 MiB of text, read once more by the click, then 32 MiB of values.
    constexpr int kItems = 4'000'000;
    std::u16string data;
    data.reserve(2 * kItems);
    for (int i = 0; i < kItems; ++i) data += u"1\n";
    form.Type("Text1", data);
  }
  runtime::DeliverClick(window, "Command1", form);
  ASSERT_EQ(form.Events().size(), 1u);
  EXPECT_EQ(form.Events()[0].text, u"内存不足，无法完成计算。");

  form.Type("Text1", u"1 2 3 4 5");
  runtime::DeliverClick(window, "Command1", form);
  EXPECT_EQ(form.Text("Text6"), u"52.7046%");
}

}  // namespace
}  // namespace quorvel
