// The web page's program: builds the window's elements when the WebAssembly
// module starts, then stays loaded and takes the clicks the page passes in.

#include <emscripten/emscripten.h>

#include <new>

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

// Called by the page, by control name, for a button clicked or its Alt key,
// and by command name for a menu command or its shortcut.
extern "C" EMSCRIPTEN_KEEPALIVE void quorvel_click(const char* control) {
  Page& page = ThePage();
  quorvel::runtime::DeliverClick(page.window, control, page.form);
}

// Called by the page after the user changed a box's text (not while a click
// runs: the window marks its results itself when the click ends).
extern "C" EMSCRIPTEN_KEEPALIVE void quorvel_change(const char* box) {
  Page& page = ThePage();
  quorvel::runtime::DeliverChange(page.window, box, page.form);
  try {
    page.form.UpdateHint(box);
  } catch (const std::bad_alloc&) {
    // No memory to read the box's text: it keeps its last hint.
  }
}

int main() {
  ThePage();
}
