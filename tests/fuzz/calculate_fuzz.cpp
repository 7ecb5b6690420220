// Feeds arbitrary UTF-16 to the Calculate click and checks every rule a click
// keeps. An input is read as little-endian 16-bit code units (an odd last
// byte is dropped): the first unit tells how many of the following units
// make the precision text, the rest is the data text. Nothing is decoded, so
// lone surrogates, NULs and every other unit reach the command as typed.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "outcome_check.h"
#include "runtime/recording_form.h"
#include "window/static_form.h"

using Event = quorvel::runtime::RecordingForm::Event;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  // An empty input reads as a lone unit 0: no precision and no data.
  std::u16string units(std::max<std::size_t>(size / 2, 1), u'\0');
  std::memcpy(units.data(), bytes, size / 2 * 2);  // little-endian, as x86 is
  const std::size_t precisionLength = std::min<std::size_t>(units[0], units.size() - 1);
  quorvel::runtime::RecordingForm form(quorvel::window::Static::Description());
  form.Type("Text1", units.substr(1 + precisionLength));
  form.Type("Text7", units.substr(1, precisionLength));
  quorvel::window::Static window;
  window.Click("Command1", form);
  std::string fault = quorvel::check::OutcomeFault(form);

  // The same click again on the same window does exactly the same, whatever
  // the first one left in the window's state.
  const auto first = form.Events();
  form.ClearEvents();
  window.Click("Command1", form);
  if (fault.empty() && form.Events() != first) fault = "a second click did something else";

  // Results just written are current whatever the texts held: none is
  // marked stale, and they copy; with none shown there is nothing to copy.
  const bool wrote = std::any_of(first.begin(), first.end(), [](const Event& e) {
    return e.kind == Event::Kind::SetText && !e.text.empty();
  });
  window.Click("CopyResults", form);
  if (fault.empty() && (form.Events().back().kind == Event::Kind::Copy) != wrote)
    fault = "copy all results did not follow the calculation";
  if (fault.empty() && form.IsStale("Text2")) fault = "a result just written is marked stale";
  if (fault.empty()) return 0;
  std::fprintf(stderr, "rule broken: %s\n", fault.c_str());
  std::abort();
}
