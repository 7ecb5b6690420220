#!/usr/bin/env python3
"""Plants faults one at a time and reports which ones the tests miss.

Each fault replaces the first occurrence of a text in one file. The script
builds the tests in build/mutate (with the Qt window tests when Qt is
installed), runs ctest there (tools/test-web.sh for a fault in the web
page; build/mutate-portable, which reads and writes numbers by strtod and
snprintf, for a fault described "portable path: ..."), restores the file and
goes on. A fault whose
text is no longer in its file is reported as stale, so the list can be kept
in step with the code. Usage: tools/mutate.py [FILTER]
"""
import os
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (file, text, replacement, what the fault is)
FAULTS = [
    ("window/stale_marks.cpp", "stale && form.TextLength(box) > 0", "stale",
     "an empty result marked stale"),
    ("window/stale_marks.cpp", 'StillHolds(form, "Text7", state.Shown->precision) &&', "",
     "the precision left out of the comparison"),
    ("window/static_form.cpp", "calculated ? false : ResultsStale(form, state_)", "calculated && false",
     "any click taken to make the results current"),
    ("window/static_form.cpp", 'if (box == "Text1" || box == "Text7")', 'if (box == "Text1")',
     "an edit of the precision not compared"),
    ("window/copy_command.cpp", "form.MsgBox(kClipboardPrompt", "form.MsgBox(kNothingToCopyPrompt",
     "refused clipboard told as stale results"),
    ("window/copy_command.cpp", " || !AnyResult(form)", " || (!AnyResult(form) && !state.Shown)",
     "empty results copied"),
    ("window/copy_command.cpp", "values.push_back(form.Text(\"Text7\"))",
     "values.push_back(form.Text(\"Text7\").substr(0, 32767))", "precision cut in the copy"),
    ("runtime/box_hint.cpp", "if (stale) told = kStaleNote;", "if (!stale) told = kStaleNote;",
     "stale note told of current results"),
    ("runtime/box_hint.h", "return textWidth > room;", "return textWidth >= room + 1;",
     "a fraction of a pixel not counted as cut"),
    ("calc/statistics.cpp", "s.ItemCount > 20", "s.ItemCount >= 20", "divisor switches at 20"),
    ("calc/statistics.cpp", "x + 0.5", "x + 0.49", "rounding constant"),
    ("calc/statistics.cpp", "* 100 * s.Factor", "* 10 * s.Factor", "standard deviation scale"),
    ("calc/statistics.cpp", "*part * s.Factor * 100", "*part * s.Factor", "percent factor"),
    ("calc/statistics.cpp", "s.ItemCount == 1", "s.ItemCount == 2", "one-item test"),
    ("calc/statistics.cpp", "std::fabs(deviation) + ", "deviation + ", "absolute deviation"),
    ("calc/calculate_command.cpp", "kMaxItemMessages = 10", "kMaxItemMessages = 11", "message cap"),
    ("calc/calculate_command.cpp", "!(*precision > 0)", "!(*precision > -1)", "negative precision"),
    ("calc/calculate_command.cpp", "total = value + total", "total = value", "sum step"),
    ("calc/calculate_command.cpp", '{"Text4", true', '{"Text4", false', "percent box"),
    ("calc/calculate_command.cpp", "if (troubles.oneItem) ShowOk(form, kOneItemPrompt",
     "if (troubles.oneItem) ShowOk(form, kMeanZeroPrompt", "swapped cause message"),
    ("calc/messages.h", "u\"输入正确数据\"", "u\"输入错误数据\"", "item message title"),
    ("calc/messages.h", "u\"另有\"", "u\"还有\"", "summary message"),
    ("calc/data_scanner.cpp", "(c == u'\\n')", "(c == u'\\t')", "line feed separates"),
    ("calc/data_scanner.cpp", "(next == u'\\n')", "(next == u'\\r')", "CR LF pair"),
    ("calc/display_text.cpp", "if (percent) text += u'%';", "", "percent sign"),
    ("runtime/numeric.cpp", "allBits > 0x7F", "allBits > 0xFFFF", "narrowed characters"),
    ("runtime/numeric.cpp", "c == u' ' || c == u'\\t'", "c == u' '", "tabs trimmed"),
    ("runtime/numeric.cpp", "DecimalMagnitude(first, end) > 0", "DecimalMagnitude(first, end) < 0",
     "overflow told from underflow"),
    ("runtime/numeric.cpp", "(IsDigit(*digits) || *digits == '.')", "IsDigit(*digits)", "leading point"),
    ("runtime/numeric.cpp", "*begin == '+' ? begin + 1 : begin", "begin", "plus sign"),
    ("runtime/number_text.cpp", "kSignificantDigits = 15", "kSignificantDigits = 16", "digits"),
    ("runtime/number_text.cpp", "kFirstExponentForm = 1e15", "kFirstExponentForm = 1e16",
     "exponent form"),
    ("runtime/number_text.cpp", "std::fabs(value) >= kFirstExponentForm", "exponent >= 15",
     "form by the rounded digits"),
    ("runtime/number_text.cpp", 'value < 0 ? u"-"', 'value > 0 ? u"-"', "sign"),
    ("runtime/number_text.cpp", 'u"0."', 'u"."', "zero before the point"),
    ("runtime/plain_decimal.h", "digits > kMaxExactInteger", "digits > 2 * kMaxExactInteger",
     "plain decimal rounded twice"),
    ("runtime/plain_decimal.h", "digitCount > kMaxDigits", "digitCount > kMaxDigits + 1",
     "plain decimal digits wrap"),
    ("calc/data_scanner.h", "separators >> (kScanBlock - 1)", "separators >> (kScanBlock - 2)",
     "item carried across blocks"),
    ("calc/statistics.cpp", "if (s.ItemCount == 1) {", "if (s.Mean && s.ItemCount == 1) {",
     "one item told only with a mean"),
    ("calc/statistics.cpp", "if (!s.Mean) return std::nullopt;\n  if (*s.Mean == 0)",
     "if (!s.Mean || !part) return std::nullopt;\n  if (*s.Mean == 0)",
     "mean zero told only with a part"),
    ("runtime/twips.cpp", "std::lround(", "std::trunc(", "pixel rounding"),
    ("runtime/tab_order.cpp", ": control->tabIndex;", ": -control->tabIndex;", "tab order"),
    ("runtime/recording_form.cpp", "if (it == boxes.end()) ThrowUnknownBox(box);",
     "if (it == boxes.end()) return boxes.begin()->second;", "unknown box read"),
    ("calc/calculate_command.cpp", "if (!firstBad) firstBad", "firstBad",
     "the first bad item selected"),
    ("calc/calculate_command.cpp", "s.DataText.data()), itemText.size()}",
     "s.DataText.data()) + 1, itemText.size()}", "bad item's place"),
    ("calc/calculate_command.cpp", '"Text7", 0, precisionText.size()', '"Text7", 0, 0',
     "precision selected"),
    ("calc/calculate_command.cpp", 'form.SelectText("Text1", 0, 0);', "", "focus after no data"),
    ("runtime/click_guard.cpp", "Tell(form, kOutOfMemoryPrompt);", "Tell(form, kUnexpectedPrompt);",
     "out-of-memory message"),
    ("window/static_form.cpp", "~Done() { running = false; }", "~Done() {}",
     "a throwing click blocks later clicks"),
    ("window/clear_command.cpp", '{"Text1", "Text2"', '{"Text2"', "data box not cleared"),
    ("window/clear_command.cpp", "!= MsgBoxAnswer::Yes", "!= MsgBoxAnswer::No", "answer test"),
    ("window/static_form.cpp", "if (running_) return;", "", "click during a message box"),
    ("window/static_form.cpp", '{"Command1", &calc::Calculate}', '{"Command2", &calc::Calculate}',
     "button dispatch"),
    ("runtime/plain_decimal.h", " 1e12,", " 1e13,", "a power of ten"),
    ("runtime/plain_decimal.h", "1e19};", "1e18};", "the largest power of ten"),
    ("runtime/qt/data_box.cpp", "if (in + 1 != end && in[1] == u'\\n') ++in;", "",
     "CR LF as one break"),
    ("runtime/qt/text_box.cpp", "line->setCursorPosition(0);\n    return;", "return;",
     "box shows its start"),
    ("runtime/qt/message_box.cpp", "FitTitle(box);", "", "title fits"),
    ("runtime/qt/text_box.cpp", "text.replace(QChar::ParagraphSeparator, u'\\n');", "",
     "Enter separates items"),
    ("runtime/qt/line_box.cpp", "setMaxLength(std::numeric_limits<int>::max());", "",
     "precision cut at 32767 characters"),
    ("runtime/qt/text_box.cpp", "  data.ReplaceText(",
     "  if (wasLarge) data.setDocument(nullptr);\n  data.ReplaceText(",
     "a cleared large data box gets a fresh document"),
    ("runtime/qt/text_box.cpp", "data.ReplaceText(InFewBlocks(text));",
     "data.setPlainText(InFewBlocks(text));", "clear undone"),
    ("runtime/qt/text_box.cpp", "data.ReplaceText(InFewBlocks(text));",
     "QTextCursor cursor(data.document());\n  cursor.select(QTextCursor::Document);\n"
     "  cursor.insertText(InFewBlocks(text));", "清空 keeps the undo steps before it"),
    ("runtime/qt/data_box.cpp", "if (pasted.size() < kLargePaste) {", "if (true) {",
     "a large paste keeps the undo steps before it"),
    ("runtime/qt/data_box.cpp", "// the document owns it", "// the document owns it\n  doc.clearUndoRedoStacks();",
     "the last write cleared from the undo history too"),
    ("runtime/qt/data_box.cpp", "doc.clear();", "", "old text kept beside the new"),
    ("calc/calculate_command.cpp", "std::u16string().swap(s.DataText);", "s.DataText.clear();",
     "data text kept after the click"),
    ("calc/calculate_command.cpp", "std::vector<double>().swap(s.ItemValue);", "",
     "values kept after the click"),
    ("calc/calculate_command.cpp", "    ~GiveBack() {",
     "    ~GiveBack() noexcept(false) {\n      if (std::uncaught_exceptions() > 0) return;",
     "data kept after a throw"),
    ("runtime/number_path.h", "#if defined(__EMSCRIPTEN__)", "#if !defined(_WIN32)",
     "portable path: the process locale trusted on every C library"),
    ("runtime/numeric.cpp", "[[maybe_unused]] const CNumericLocale point;", "",
     "portable path: read by the process locale"),
    ("runtime/qt/line_box.cpp", "HintFor(ToU16String(text()), Overflows(), stale_",
     "HintFor(ToU16String(text()), false, stale_", "whole text told"),
    ("runtime/qt/text_box.cpp", "characterCount() - 1;", "characterCount();",
     "data box length counts the document's last separator"),
    ("runtime/qt/form_window.cpp", "Qt::ControlModifier | Qt::ShiftModifier", "Qt::ControlModifier",
     "copy shortcut without Shift"),
    ("runtime/qt/line_box.cpp", "if (endHidden) sign(", "if (!endHidden) sign(", "sign drawn"),
    ("runtime/qt/line_box.cpp", "leavesWindow ? FocusGoes::OutOfTheWindow : FocusGoes::ToAnotherControl",
     "FocusGoes::OutOfTheWindow", "start shown after the focus"),
    ("runtime/qt/form_window.cpp", "setWindowTitle(ToQString(description.caption));", "",
     "window without its caption"),
    ("runtime/qt/qt_translation.cpp", "!QCoreApplication::installTranslator(translator.get())",
     "false", "Qt's own texts left in English"),
    ("runtime/qt/form_window.cpp", "Qt::WindowMinimizeButtonHint |", "Qt::WindowMinMaxButtonsHint |",
     "no maximise button"),
    ("tools/utf8.cpp", "c -= 0x10000;", "", "surrogate pair offset"),
    ("tools/utf8.cpp", "smallest = 0x800", "smallest = 0x80", "overlong three-byte sequence"),
    ("cmake/debian_package.cmake", 'deviation and the RSD.")',
     'deviation and the RSD, each of them rounded by the precision that is set below the results.")',
     "package description past 80 columns"),
    ("app/CMakeLists.txt", "install(FILES debian/copyright ", "install(FILES ",
     "package without its copyright file"),
    ("app/web/quorvel.js", "document.title = caption;", "", "page without the window's caption"),
    ("app/web/quorvel.js", "element.setAttribute('aria-label', control.accessibleName)", "0",
     "controls without their accessible names"),
    ("app/web/quorvel.js", "room - Number.parseFloat(style[edge])", "room + Number.parseFloat(style[edge])",
     "padding counted as room for a result's text"),
    ("app/web/quorvel.js", "setOrRemove(box, 'title', tooltip)", "setOrRemove(box, 'title', description)",
     "the command's tip left out of a result's tooltip"),
    ("app/web/quorvel.js", "Math.min(1, document", "Math.max(1, document", "window scaled up, never down"),
    ("app/web/quorvel.js", "window.addEventListener('resize', fitToWidth);", "",
     "window not fitted again when the screen narrows"),
    ("app/web/quorvel.js", "for (let i = 0; i < piece.length; ++i)", "for (let i = 1; i < piece.length; ++i)",
     "each piece of the data box read without its first unit"),
    ("app/web/quorvel.js", "'files-error' : 'wasm-error'", "'wasm-error' : 'files-error'",
     "load failure blamed on WebAssembly"),
    ("app/web/data_editor.js", "scrollIntoView: true});\n  };", "scrollIntoView: false});\n  };",
     "selected bad item not scrolled into view"),
    ("app/web/data_editor.js", "'aria-label': accessibleName, ", "", "data box without its name"),
    ("app/web/service-worker.js", "name !== kCache", "name === kCache", "the release's own cache deleted"),
    ("app/web/service-worker.js", "|| 'index.html'", "|| './'", "the site's root not answered offline"),
    ("app/web/site_release.cmake", "string(APPEND digests ${digest})", "",
     "release named without its files' content"),
]

# Faults in the web page are run against its tests in the browser.
WEB = ("app/web/", "runtime/web/")
PORTABLE = "portable path: "


def run(args, **kw):
    return subprocess.run(args, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


def main():
    only = sys.argv[1] if len(sys.argv) > 1 else ""
    qt = "ON" if run(["pkg-config", "--exists", "Qt6Widgets"]).returncode == 0 else "OFF"
    locale = ROOT / "build" / "locale"
    if not (locale / "de_DE.UTF-8").exists():
        locale.mkdir(parents=True, exist_ok=True)
        run(["localedef", "-i", "de_DE", "-f", "UTF-8", str(locale / "de_DE.UTF-8")])
    env = dict(os.environ, LOCPATH=str(locale))

    # Each build is configured and checked fault-free the first time a fault needs it.
    builds = {}

    def passes(flags):
        build = ROOT / "build" / ("mutate-portable" if "-DQUORVEL_PORTABLE_NUMBERS=ON" in flags else "mutate")
        if flags not in builds:
            run(["cmake", "-S", ".", "-B", str(build), "-G", "Ninja", "-DQUORVEL_BENCH=OFF"] + list(flags),
                check=True)
            builds[flags] = build
        ctest = ["ctest", "--test-dir", str(build), "-j2", "--timeout", "120"]
        return run(["cmake", "--build", str(build), "-j2"]).returncode == 0 and \
            run(ctest, env=env).returncode == 0

    full = (f"-DQUORVEL_QT={qt}",)
    portable = ("-DQUORVEL_QT=OFF", "-DQUORVEL_PORTABLE_NUMBERS=ON")
    for flags in {portable if what.startswith(PORTABLE) else full
                  for path, _, _, what in FAULTS if only in path + what and not path.startswith(WEB)}:
        if not passes(flags):
            sys.exit(f"mutate: the tests fail without any fault planted ({' '.join(flags)})")
    survived = []
    for path, text, replacement, what in FAULTS:
        if only not in path + what:
            continue
        file = ROOT / path
        original = file.read_text() if file.exists() else ""
        if text not in original:
            print(f"stale    {path}: {what}")
            continue
        file.write_text(original.replace(text, replacement, 1))
        try:
            if path.startswith(WEB):
                caught = run(["tools/test-web.sh"]).returncode != 0
            else:
                caught = not passes(portable if what.startswith(PORTABLE) else full)
        finally:
            file.write_text(original)
        print(f"{'caught ' if caught else 'SURVIVED'} {path}: {what}", flush=True)
        if not caught:
            survived.append(what)
    print(f"{len(survived)} survived")
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())
