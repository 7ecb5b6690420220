// The web page's program: builds the window's elements when the WebAssembly
// module starts, then stays loaded and takes the clicks the page passes in.

#include <emscripten/emscripten.h>

#include "runtime/click_guard.h"
#include "runtime/web/page_form.h"
#include "window/static_form.h"

namespace {

struct Page {
  quorvel::window::Static window;
  quorvel::runtime::web::PageForm form{quorvel::window::Static::Description()};
};

Page& ThePage() {
  static Page page;
  return page;
}

}  // namespace

// Called by the page, by control name, for a button clicked or its Alt key.
extern "C" EMSCRIPTEN_KEEPALIVE void quorvel_click(const char* control) {
  Page& page = ThePage();
  quorvel::runtime::DeliverClick(page.window, control, page.form);
}

int main() {
  ThePage();
}
