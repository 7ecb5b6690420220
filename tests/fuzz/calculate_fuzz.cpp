// Feeds arbitrary UTF-16 to the Calculate click and checks every rule a click
// keeps. An input is read as little-endian 16-bit code units (an odd last
// byte is dropped): the first unit tells how many of the following units
// make the precision text, the rest is the data text. Nothing is decoded, so
// lone surrogates, NULs and every other unit reach the command as typed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "outcome_check.h"
#include "runtime/recording_form.h"
#include "window/static_form.h"

namespace {

using quorvel::check::BoxTexts;
using quorvel::runtime::RecordingForm;

std::u16string CodeUnits(const std::uint8_t* bytes, std::size_t size) {
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), bytes, 2 * units.size());  // little-endian, as x86 is
  return units;
}

[[noreturn]] void Fail(const std::string& fault) {
  std::fprintf(stderr, "rule broken: %s\n", fault.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::u16string units = CodeUnits(bytes, size);
  const std::u16string_view rest = units.empty() ? u"" : std::u16string_view(units).substr(1);
  const std::size_t precisionLength =
      units.empty() ? 0 : std::min<std::size_t>(units[0], rest.size());

  // Earlier results no calculation writes, so a lost or touched one shows.
  const BoxTexts before{std::u16string(rest.substr(precisionLength)),
                        std::u16string(rest.substr(0, precisionLength)),
                        {u"earlier 2", u"earlier 3", u"earlier 4", u"earlier 5", u"earlier 6"}};
  RecordingForm form(quorvel::window::Static::Description());
  quorvel::check::TypeInto(form, before);
  quorvel::window::Static window;
  window.Click("Command1", form);
  if (std::string fault = quorvel::check::OutcomeFault(before, form); !fault.empty()) Fail(fault);

  // The same click again on the same window does exactly the same, whatever
  // the first one left in the window's state.
  const std::vector<RecordingForm::Event> first = form.Events();
  form.ClearEvents();
  window.Click("Command1", form);
  if (form.Events() != first) Fail("a second click on the same input did something else");
  return 0;
}
