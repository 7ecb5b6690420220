// Runs the Calculate command as the window would, on data read from standard
// input, and prints what happened: one line per message box, box write or
// selection.

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "runtime/recording_form.h"
#include "tools/read_all.h"
#include "tools/utf8.h"
#include "window/static_form.h"

namespace {

using quorvel::Utf16ToUtf8;
using quorvel::Utf8ToUtf16;
using quorvel::runtime::RecordingForm;

int Usage() {
  std::fputs("usage: quorvel-probe [--precision TEXT] [--previous TEXT] < data\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Bytes pass unchanged, so CR LF in the data reaches the command as CR LF.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::string precision = "0.0001";
  std::string previous;
  for (int i = 1; i < argc; ++i) {
    if (i + 1 < argc && std::strcmp(argv[i], "--precision") == 0) {
      precision = argv[++i];
    } else if (i + 1 < argc && std::strcmp(argv[i], "--previous") == 0) {
      previous = argv[++i];
    } else {
      return Usage();
    }
  }
  const std::string data = quorvel::ReadAll(stdin);

  RecordingForm form(quorvel::window::Static::Description());
  form.Type("Text1", Utf8ToUtf16(data));
  form.Type("Text7", Utf8ToUtf16(precision));
  for (const char* box : {"Text2", "Text3", "Text4", "Text5", "Text6"}) {
    form.Type(box, Utf8ToUtf16(previous));
  }
  quorvel::window::Static window;
  window.Click("Command1", form);

  std::string out;
  for (const RecordingForm::Event& e : form.Events()) {
    if (e.kind == RecordingForm::Event::Kind::MsgBox) {
      out += "msgbox\t" + Utf16ToUtf8(e.title) + "\t" + Utf16ToUtf8(e.text) + "\n";
    } else if (e.kind == RecordingForm::Event::Kind::SelectText) {
      out += "select\t" + e.box + "\t" + std::to_string(e.start) + "+" + std::to_string(e.length) +
             "\n";
    } else {
      out += "set\t" + e.box + "\t" + Utf16ToUtf8(e.text) + "\n";
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
