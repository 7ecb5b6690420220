#include "runtime/web/page_form.h"

#include <emscripten/emscripten.h>

#include <string>

#include "runtime/tab_order.h"
#include "runtime/twips.h"

namespace quorvel::runtime::web {
namespace {

// CSS pixels are those of a 96 DPI screen: 15 twips each.
constexpr int kCssDpi = 96;

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
  }
}

std::u16string PageForm::Text(std::string_view box) const {
  // The text is sized here, so a box too large for the memory throws
  // std::bad_alloc like any other allocation of the click.
  std::u16string text(ReadBoxOnPage(Name(box).c_str()), u'\0');
  CopyBoxTextFromPage(text.data());
  return text;
}

void PageForm::SetText(std::string_view box, std::u16string_view text) {
  SetBoxTextOnPage(Name(box).c_str(), text.data(), text.size());
}

void PageForm::SelectText(std::string_view box, std::size_t start, std::size_t length) {
  SelectBoxTextOnPage(Name(box).c_str(), start, length);
}

MsgBoxAnswer PageForm::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                              std::u16string_view title) {
  return static_cast<MsgBoxAnswer>(AskOnPage(
      prompt.data(), prompt.size(), static_cast<int>(buttons), title.data(), title.size()));
}

}  // namespace quorvel::runtime::web
