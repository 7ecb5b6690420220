#include "runtime/web/page_form.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <string>

#include "runtime/box_hint.h"
#include "runtime/tab_order.h"
#include "runtime/twips.h"

namespace quorvel::runtime::web {
namespace {

// CSS pixels are those of a 96 DPI screen: 15 twips each.
constexpr int kCssDpi = 96;

// The page's one key for a window command. Browsers keep Ctrl+Shift+C, the
// desktop's key, for their developer tools; Ctrl+Shift+Enter is left to the
// page by every browser and types nothing on any layout. quorvel.js catches
// it and names it to assistive technology.
constexpr std::u16string_view kCommandShortcut = u"Ctrl+Shift+Enter";

// Each text crosses as a pointer to UTF-16 units and their count; the page
// reads them from the heap before anything can move it.
// clang-format off
EM_JS(void, ShowFormOnPage, (const char16_t* caption, std::size_t captionLength, int width,
                             int height), {
  Module.page.showForm(Module.page.decode(HEAPU16, caption, captionLength), width, height);
});
EM_JS(void, AddControlToPage, (const char* name, int kind, int left, int top, int width,
                               int height, const char16_t* text, std::size_t textLength,
                               const char16_t* fontFamilies, std::size_t familiesLength,
                               double pointSize, int weight, int focusable, int multiLine,
                               const char16_t* accessibleName, std::size_t accessibleNameLength), {
  const decode = Module.page.decode;
  Module.page.addControl({
    name: UTF8ToString(name), kind, left, top, width, height,
    text: decode(HEAPU16, text, textLength),
    fontFamilies: decode(HEAPU16, fontFamilies, familiesLength), pointSize, weight,
    focusable: focusable != 0, multiLine: multiLine != 0,
    accessibleName: decode(HEAPU16, accessibleName, accessibleNameLength)});
});
EM_JS(void, OfferCommandOnPage, (const char* box, const char* name, const char16_t* caption,
                                 std::size_t captionLength), {
  Module.page.offerCommand(UTF8ToString(box), UTF8ToString(name),
                           Module.page.decode(HEAPU16, caption, captionLength));
});
EM_JS(std::size_t, BoxLengthOnPage, (const char* box), {
  return Module.page.boxLength(UTF8ToString(box));
});
EM_JS(std::size_t, ReadBoxOnPage, (const char* box), {
  return Module.page.readBox(UTF8ToString(box));
});
EM_JS(void, CopyBoxTextFromPage, (char16_t* destination), {
  Module.page.copyReadText(HEAPU16, destination);
});
EM_JS(void, SetBoxTextOnPage, (const char* box, const char16_t* text, std::size_t length), {
  Module.page.setBox(UTF8ToString(box), Module.page.decode(HEAPU16, text, length));
});
EM_JS(void, SelectBoxTextOnPage, (const char* box, std::size_t start, std::size_t length), {
  Module.page.select(UTF8ToString(box), start, length);
});
EM_JS(void, MarkStaleOnPage, (const char* box, int stale), {
  Module.page.markStale(UTF8ToString(box), stale != 0);
});
EM_JS(double, TextWidthOnPage, (const char* box), {
  return Module.page.textWidth(UTF8ToString(box));
});
EM_JS(double, RoomOnPage, (const char* box), {
  return Module.page.room(UTF8ToString(box));
});
EM_JS(void, ShowHintOnPage, (const char* box, const char16_t* tooltip, std::size_t tooltipLength,
                             const char16_t* description, std::size_t descriptionLength), {
  const decode = Module.page.decode;
  Module.page.showHint(UTF8ToString(box), decode(HEAPU16, tooltip, tooltipLength),
                       decode(HEAPU16, description, descriptionLength));
});
EM_JS(void, AnnounceOnPage, (const char16_t* text, std::size_t length), {
  Module.page.announce(Module.page.decode(HEAPU16, text, length));
});
EM_ASYNC_JS(int, CopyOnPage, (const char16_t* text, std::size_t length), {
  return await Module.page.copy(Module.page.decode(HEAPU16, text, length));
});
EM_ASYNC_JS(int, AskOnPage, (const char16_t* prompt, std::size_t promptLength, int buttons,
                             const char16_t* title, std::size_t titleLength), {
  const decode = Module.page.decode;
  return await Module.page.ask(decode(HEAPU16, prompt, promptLength), buttons,
                               decode(HEAPU16, title, titleLength));
});
// clang-format on

// The face the description names, then its families, then the generic
// serif face, which a browser set to Chinese draws in a Song face.
std::u16string FontFamilies(const FontDescription& font) {
  std::u16string families = u"\"" + std::u16string(font.face) + u"\"";
  for (const std::u16string_view family : font.families) {
    if (family != font.face) families += u", \"" + std::u16string(family) + u"\"";
  }
  return families + u", serif";
}

// The page takes names as C strings.
std::string Name(std::string_view box) {
  return std::string(box);
}

}  // namespace

PageForm::PageForm(const FormDescription& form) {
  ShowFormOnPage(form.caption.data(), form.caption.size(),
                 TwipsToPixels(form.clientWidthTwips, kCssDpi),
                 TwipsToPixels(form.clientHeightTwips, kCssDpi));
  // The page's focus follows the elements' order, so they go in tab order.
  for (const ControlDescription* control : InTabOrder(form)) {
    const PixelRect rect = TwipsToPixels(control->rect, kCssDpi);
    const std::u16string families = control->font ? FontFamilies(*control->font) : u"";
    AddControlToPage(Name(control->name).c_str(), static_cast<int>(control->kind), rect.left,
                     rect.top, rect.width, rect.height, control->text.data(), control->text.size(),
                     families.data(), families.size(), control->font ? control->font->pointSize : 0,
                     control->font ? control->font->weight : 0, control->tabIndex >= 0,
                     control->multiLine, control->accessibleName.data(),
                     control->accessibleName.size());
    if (control->kind == ControlKind::TextBox && !control->multiLine) {
      lineBoxes_.push_back({control->name, u""});
    }
  }
  // The description's key is the desktop's; the page has its own.
  for (const MenuCommand& command : form.commands) {
    for (const std::string_view box : command.boxes) {
      OfferCommandOnPage(Name(box).c_str(), Name(command.name).c_str(), command.caption.data(),
                         command.caption.size());
      if (LineBox* lineBox = Find(box))
        lineBox->commandTip = CommandTip(command.caption, kCommandShortcut);
    }
  }
  for (const LineBox& lineBox : lineBoxes_) UpdateHint(lineBox.name);
}

std::u16string PageForm::Text(std::string_view box) const {
  // The text is sized here, so a box too large for the memory throws
  // std::bad_alloc like any other allocation of the click.
  std::u16string text(ReadBoxOnPage(Name(box).c_str()), u'\0');
  CopyBoxTextFromPage(text.data());
  return text;
}

std::size_t PageForm::TextLength(std::string_view box) const {
  return BoxLengthOnPage(Name(box).c_str());
}

void PageForm::SetText(std::string_view box, std::u16string_view text) {
  SetBoxTextOnPage(Name(box).c_str(), text.data(), text.size());
  UpdateHint(box);
}

void PageForm::SelectText(std::string_view box, std::size_t start, std::size_t length) {
  SelectBoxTextOnPage(Name(box).c_str(), start, length);
}

void PageForm::SetStale(std::string_view box, bool stale) {
  // The window marks every result after every edit: only a mark that
  // changes costs a hint, so typing in a large data box stays quick.
  LineBox* lineBox = Find(box);
  if (!lineBox || lineBox->stale == stale) return;
  const bool noneWasStale =
      std::none_of(lineBoxes_.begin(), lineBoxes_.end(), [](const LineBox& b) { return b.stale; });
  lineBox->stale = stale;
  MarkStaleOnPage(Name(box).c_str(), stale);
  UpdateHint(box);
  // Said once, when the results on show stop matching the boxes.
  if (stale && noneWasStale) AnnounceOnPage(kStaleNote.data(), kStaleNote.size());
}

bool PageForm::CopyToClipboard(std::u16string_view text) {
  return CopyOnPage(text.data(), text.size()) != 0;
}

void PageForm::UpdateHint(std::string_view box) {
  const LineBox* lineBox = Find(box);
  if (!lineBox) return;
  const std::string name = Name(box);
  const BoxHint hint =
      HintFor(Text(box), IsCut(TextWidthOnPage(name.c_str()), RoomOnPage(name.c_str())),
              lineBox->stale, lineBox->commandTip);
  ShowHintOnPage(name.c_str(), hint.tooltip.data(), hint.tooltip.size(), hint.description.data(),
                 hint.description.size());
}

PageForm::LineBox* PageForm::Find(std::string_view box) {
  const auto found = std::find_if(lineBoxes_.begin(), lineBoxes_.end(),
                                  [box](const LineBox& lineBox) { return lineBox.name == box; });
  return found == lineBoxes_.end() ? nullptr : &*found;
}

MsgBoxAnswer PageForm::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                              std::u16string_view title) {
  return static_cast<MsgBoxAnswer>(AskOnPage(
      prompt.data(), prompt.size(), static_cast<int>(buttons), title.data(), title.size()));
}

}  // namespace quorvel::runtime::web
