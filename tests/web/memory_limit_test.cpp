// The node build caps its memory at 64 MiB (tests/web/CMakeLists.txt), as
// the page caps its own at 2 GiB: a click that needs more is told as out of
// memory, and the next click works.

#include <gtest/gtest.h>

#include "runtime/click_guard.h"
#include "runtime/recording_form.h"
#include "window/static_form.h"

TEST(MemoryLimit, AClickPastItIsToldAndTheNextClickWorks) {
  quorvel::window::Static window;
  quorvel::runtime::RecordingForm form(quorvel::window::Static::Description());
  // 4 million items: 16 MiB of text here, as much in the form and once more
  // as the click reads it, then 32 MiB of values.
  std::u16string data(8'000'000, u'\n');
  for (std::size_t i = 0; i < data.size(); i += 2) data[i] = u'1';
  form.Type("Text1", data);
  quorvel::runtime::DeliverClick(window, "Command1", form);
  form.Type("Text1", u"1 2 3 4 5");
  quorvel::runtime::DeliverClick(window, "Command1", form);
  EXPECT_EQ(form.Events()[0].text, u"内存不足，无法完成计算。");
  EXPECT_EQ(form.Text("Text6"), u"52.7046%");
}
