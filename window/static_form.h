#pragma once

#include <string_view>

#include "calc/calc_state.h"
#include "runtime/form_description.h"

namespace quorvel::window {

// The one window, Static: its description for the hosts, and the state and
// click procedures behind it.
class Static final : public runtime::ClickTarget {
 public:
  static const runtime::FormDescription& Description();

  void Click(std::string_view control, runtime::FormServices& form) override;
  // Any edit may make the results on show stale, or current again.
  void Change(std::string_view box, runtime::FormServices& form) override;

 private:
  calc::CalcState state_;
  bool running_ = false;  // a click procedure is under way
  bool stale_ = false;    // the results on show came from texts since changed
};

}  // namespace quorvel::window
