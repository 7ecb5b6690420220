// The window Static on the Qt host: its layout derived from the window
// description, every window row of the case table pasted and typed and
// clicked through the real controls, under a German locale, and a random
// session of a person at the window.

#include <QtTest>
#include <QtWidgets>
#include <clocale>

#include "case_table.h"
#include "runtime/qt/form_window.h"
#include "runtime/qt/qt_text.h"
#include "runtime/qt/qt_translation.h"
#include "runtime/twips.h"
#include "window/static_form.h"

using namespace quorvel;
using runtime::qt::ToQString;
Q_DECLARE_METATYPE(cases::Case)

class FormWindowTest : public QObject {
  Q_OBJECT
  window::Static form_;
  const runtime::FormDescription& description_ = window::Static::Description();
  runtime::qt::FormWindow window_{description_, form_};
  // Answers every message box until it closes, and records each as
  // "title=prompt", followed by anything it does wrong. A title bar needs
  // room for the title and an icon and three buttons, each a square about
  // one and a half lines high.
  QTimer watcher_;
  QStringList shown_;
  std::function<Qt::Key()> answer_;

  QWidget& Control(std::string_view name, QWidget* window = nullptr) {
    return *(window ? window : &window_)
                ->findChild<QWidget*>(QString::fromUtf8(name.data(), name.size()));
  }
  QPlainTextEdit& DataBox() { return static_cast<QPlainTextEdit&>(Control("Text1")); }
  QStringList Texts() {
    QStringList texts;
    for (char box = '1'; box <= '7'; ++box)
      texts << ToQString(window_.Text(std::string("Text") + box));
    return texts;
  }
  // The result boxes' texts, each followed by what else the box shows: that
  // its start is hidden, the sign that the text goes on (whatever is drawn
  // inside the frame with the text in the background colour), and a tooltip,
  // accessible description or value.
  QStringList Results() {
    QStringList texts;
    for (const char* name : {"Text2", "Text3", "Text4", "Text5", "Text6"}) {
      auto& box = static_cast<QLineEdit&>(Control(name));
      QString shown = box.text() + (box.cursorPosition() ? " (start hidden)" : "");
      const QPalette palette = box.palette();
      QPalette hidingText = palette;
      hidingText.setColor(QPalette::Text, palette.color(QPalette::Base));
      box.setPalette(hidingText);
      const QImage inside = box.grab(box.rect().adjusted(3, 3, -3, -3)).toImage();
      box.setPalette(palette);
      QImage blank(inside.size(), inside.format());
      blank.fill(palette.color(QPalette::Base));
      if (inside != blank) shown += " (sign)";
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&box);
      for (const QString& told : {box.toolTip(), a->text(QAccessible::Description)})
        if (!told.isEmpty()) shown += told == box.text() ? " (told)" : " (told " + told + ")";
      if (a->text(QAccessible::Value) != box.text()) shown += " (value differs)";
      texts << shown;
    }
    return texts;
  }
  // Where the focus is, as the case table writes it; a data box selection out
  // of view says so.
  QString Focus() {
    QWidget* focus = window_.focusWidget();
    auto* line = qobject_cast<QLineEdit*>(focus);
    auto* data = qobject_cast<QPlainTextEdit*>(focus);
    if (!line && !data) return focus ? focus->objectName() : "nowhere";
    const QTextCursor c = data ? data->textCursor() : QTextCursor();
    return QString("%1@%2+%3")
               .arg(focus->objectName())
               .arg(data ? c.selectionStart()
                         : (line->hasSelectedText() ? line->selectionStart()
                                                    : line->cursorPosition()))
               .arg(data ? c.selectedText().size() : line->selectedText().size()) +
           (data && !data->viewport()->rect().contains(data->cursorRect()) ? " (out of view)" : "");
  }
  // Clicks a button of the window with Alt+key, or the mouse for no key.
  void Click(const char* button, Qt::Key key, QWidget* window = nullptr) {
    auto& target = static_cast<QAbstractButton&>(Control(button, window));
    // The spy hears of the click, which follows a short press animation,
    // once everything the click ran has finished.
    QSignalSpy clicked(&target, &QAbstractButton::clicked);
    if (key)
      QTest::keyClick(target.window(), key, Qt::AltModifier);
    else
      QTest::mouseClick(&target, Qt::LeftButton);
    QTRY_COMPARE(clicked.count(), 1);
    target.window()->activateWindow();  // a closed message box may leave no window active
    QVERIFY(QTest::qWaitForWindowActive(target.window()));
  }
  static std::function<Qt::Key()> Answer(Qt::Key key) {
    return [key] { return key; };
  }
  static int SessionSeconds() {
    return qEnvironmentVariableIsSet("SESSION_SECONDS")
               ? qEnvironmentVariableIntValue("SESSION_SECONDS")
               : 3;
  }

 public:
  // A long random session is no hung test.
  FormWindowTest() {
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number((SessionSeconds() + 300) * 1000));
  }

 private slots:
  void initTestCase() {
    QVERIFY2(QByteArray(std::localeconv()->decimal_point) == ",", "run under de_DE.UTF-8");
    QVERIFY(runtime::qt::InstallChineseQtTexts(*qApp));
    // As a desktop theme may, plain text boxes get a font of their own; the
    // data box must keep it whatever it holds.
    QFont themed = QApplication::font();
    themed.setPointSizeF(themed.pointSizeF() + 2);
    QApplication::setFont(themed, "QPlainTextEdit");
    window_.show();
    QVERIFY(QTest::qWaitForWindowActive(&window_));
    const std::unique_ptr<QMenu> menu(
        static_cast<QLineEdit&>(Control("Text2")).createStandardContextMenu());
    QCOMPARE(menu->actions().first()->text().front().script(), QChar::Script_Han);  // Qt's texts
    connect(&watcher_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      const int ticks = box->property("ticks").toInt();
      box->setProperty("ticks", ticks + 1);
      if (ticks == 0) {
        const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
        QString faults;
        if (box->width() < title.horizontalAdvance(box->windowTitle()) + 6 * title.height())
          faults += " (title cut)";
        if (const QCursor* c = QApplication::overrideCursor(); c && c->shape() != Qt::ArrowCursor)
          faults += " (busy cursor)";
        shown_ << box->windowTitle() + "=" + box->text() + faults;
      }
      // A mnemonic clicks its button after a short animation, which a key
      // pressed again in that time starts over.
      if (ticks % 20 == 0) QTest::keyClick(box, answer_());
    });
    watcher_.start(10);
  }

  void controlsFollowTheDescription() {
    // A fixed-size window: minimised and closed, never maximised.
    const Qt::WindowFlags flags = window_.windowHandle()->flags();
    QCOMPARE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                      Qt::WindowCloseButtonHint),
             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // A screen reader meets a window named by its caption, and a name
    // without the "&" of a mnemonic for every control in it.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&window_);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), ToQString(description_.caption));
    QStringList names;
    for (int i = 0; i < window->childCount(); ++i)
      names << window->child(i)->text(QAccessible::Name);
    QVERIFY2(!names.contains("") && !names.join("").contains('&'), qPrintable(names.join('|')));

    const int dpi = window_.logicalDpiX();
    // By the tab index column itself; the picture takes no focus and is painted.
    std::vector<const runtime::ControlDescription*> byTab;
    for (const auto& c : description_.controls)
      if (c.tabIndex >= 0) byTab.push_back(&c);
    std::ranges::sort(byTab, {}, &runtime::ControlDescription::tabIndex);
    for (const runtime::ControlDescription* c : byTab) {
      const runtime::PixelRect r = runtime::TwipsToPixels(c->rect, dpi);
      QCOMPARE(Control(c->name).geometry(), QRect(r.left, r.top, r.width, r.height));
      if (c->font) QCOMPARE(QFontInfo(Control(c->name).font()).pointSizeF(), c->font->pointSize);
      if (c->kind == runtime::ControlKind::Label) continue;
      QCOMPARE(window_.focusWidget(), &Control(c->name));  // Tab goes in tab index order
      QTest::keyClick(window_.focusWidget(), Qt::Key_Tab);
    }
  }

  void everyWindowRowOfTheCaseTable_data() {
    QTest::addColumn<cases::Case>("c");
    QTest::addColumn<bool>("typed");
    for (const cases::Case& c : cases::ReadCases(QUORVEL_CASES)) {
      if (!c.window) continue;
      QTest::newRow((c.name + " pasted").c_str()) << c << false;
      // People type all but the largest pastes.
      if (c.data.size() < 50'000) QTest::newRow((c.name + " typed").c_str()) << c << true;
    }
  }

  void everyWindowRowOfTheCaseTable() {
    QFETCH(cases::Case, c);
    QFETCH(bool, typed);
    for (int i = 0; i < 5; ++i) window_.SetText(std::string("Text") + char('2' + i), u"earlier");
    const QString data = ToQString(c.data), precision = ToQString(c.precision);
    const QString lines = QString(data).replace("\r\n", "\n").replace('\r', '\n');
    window_.SetText("Text7", typed ? u"" : c.precision);
    window_.SetText("Text1", u"");
    DataBox().setFocus();
    if (typed) {  // key by key, Enter between lines
      // A line edit lays its whole text out again at every key, so a long
      // precision is pasted but for its last characters, typed past 32767.
      const qsizetype head = std::max<qsizetype>(precision.size() - 300, 0);
      QApplication::clipboard()->setText(precision.first(head));
      QTest::keyClick(&Control("Text7"), Qt::Key_V, Qt::ControlModifier);
      QTest::keyClicks(&Control("Text7"), precision.sliced(head));
      const QStringList typedLines = lines.split('\n');
      for (qsizetype i = 0; i < typedLines.size(); ++i) {
        if (i) QTest::keyClick(&DataBox(), Qt::Key_Return);
        QTest::keyClicks(&DataBox(), typedLines[i]);
      }
    } else {
      QApplication::clipboard()->setText(data);
      QTest::keyClick(&DataBox(), Qt::Key_V, Qt::ControlModifier);
      if (!data.isEmpty()) {
        QTest::keyClick(&DataBox(), Qt::Key_Z, Qt::ControlModifier);  // one step undoes all
        QCOMPARE(window_.Text("Text1"), u"");
        QTest::keyClick(&DataBox(), Qt::Key_V, Qt::ControlModifier);
      }
    }
    QCOMPARE(ToQString(window_.Text("Text1")), lines);
    QCOMPARE(ToQString(window_.Text("Text7")), precision);
    QCOMPARE(DataBox().document()->defaultFont(), QApplication::font("QPlainTextEdit"));

    QString focus = Focus();  // where it was, unless the row says
    if (c.focus) {
      // The data box holds a CR LF as one position.
      const QString& text = c.focus->box == "Text1" ? data : precision;
      const auto position = [&](qsizetype unit) { return unit - text.first(unit).count("\r\n"); };
      const qsizetype start = position(c.focus->start);
      focus = QString("%1@%2+%3")
                  .arg(c.focus->box.c_str())
                  .arg(start)
                  .arg(position(c.focus->start + c.focus->length) - start);
    }
    shown_.clear();
    answer_ = Answer(Qt::Key_Return);
    Click("Command1", Qt::Key_M);
    QCOMPARE(Focus(), focus);
    QStringList expected, results(5, "earlier");
    for (const auto& m : c.messages) expected << ToQString(m.title) + "=" + ToQString(m.prompt);
    for (int i = 0; i < 5 && c.writesResults; ++i) results[i] = ToQString(c.results[i]);
    if (c.clearAnswer) {
      answer_ = Answer(c.clearAnswer == 'y' ? Qt::Key_Y : Qt::Key_N);
      Click("Command2", Qt::Key_C);
    }
    if (c.clearAnswer == 'y') {
      results = QStringList(5, "");
      QCOMPARE(window_.Text("Text1"), u"");
      QTest::keyClick(&DataBox(), Qt::Key_Z, Qt::ControlModifier);  // one step brings it back
    }
    QCOMPARE(ToQString(window_.Text("Text1")), lines);
    QCOMPARE(shown_, expected);
    QCOMPARE(Results(), results);
    QVERIFY(!QApplication::overrideCursor());
  }

  // A result wider than its box is marked and told whole, and shows its start
  // again once the focus has passed through it; one that fits is not.
  void aLongResultIsReadable() {
    window_.SetText("Text7", u"0.0001");
    window_.SetText("Text1", u"1e299 2e299 2e299");
    answer_ = Answer(Qt::Key_Return);
    Click("Command1", Qt::Key(0));
    Control("Text2").setFocus();
    QTest::keyClick(&Control("Text2"), Qt::Key_End);
    QTest::keyClick(&Control("Text2"), Qt::Key_Backtab);
    QCOMPARE(Results(),
             (QStringList{"1.66666666666667E+299 (sign) (told) (told)",
                          "4.44444444444444E+298 (sign) (told) (told)", "26.6667%", "", ""}));
  }

  // Whatever a click throws is told in a message box; the boxes keep their
  // texts and the next click works.
  void aClickThatThrowsIsTold() {
    struct Throwing final : runtime::ClickTarget {
      int clicks = 0;
      void Click(std::string_view, runtime::FormServices&) override {
        if (++clicks == 1) throw std::bad_alloc();
        if (clicks == 2) throw std::out_of_range("an index");
      }
    } target;
    runtime::qt::FormWindow window(description_, target);
    window.SetText("Text1", u"1 2");
    window.SetText("Text7", u"0.01");
    window.show();
    shown_.clear();
    answer_ = Answer(Qt::Key_Return);
    for (int i = 0; i < 3; ++i) Click("Command1", Qt::Key(0), &window);
    QCOMPARE(shown_,
             (QStringList{"无法计算=内存不足，无法完成计算。",
                          "无法计算=计算时发生意外错误，未能完成。原始数据和精度保持不变。"}));
    QCOMPARE(target.clicks, 3);
    QCOMPARE(window.Text("Text1") + window.Text("Text7"), u"1 20.01");
  }

  // A person at the window for SESSION_SECONDS (3 unless set): random keys,
  // pastes, clicks and answers through the real controls; SESSION_SEED
  // replays a session. Calculate never changes the data or the precision,
  // and 清空 answered 否 changes nothing.
  void randomSession() {
    const QByteArray seedText = qgetenv("SESSION_SEED");
    const quint32 seed =
        seedText.isEmpty() ? QRandomGenerator::system()->generate() : seedText.toUInt();
    qInfo("SESSION_SEED=%u", seed);
    QRandomGenerator random(seed);
    const auto pick = [&](const auto& options) {
      return options[random.bounded(int(std::size(options)))];
    };
    const Qt::Key answers[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Y, Qt::Key_N};
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Z};
    const QStringList pieces = QString("1|2.5|-3e2|1e299| |\n|\r\n|\t|abc|1..2|１２|0,5").split('|')
                               << QString(QChar(0xD800)) << QString(QChar(0xDC00));
    Qt::Key answered = Qt::Key_unknown;
    answer_ = [&] { return answered = pick(answers); };
    QSignalSpy calculated(&static_cast<QAbstractButton&>(Control("Command1")),
                          &QAbstractButton::clicked);
    QSignalSpy cleared(&static_cast<QAbstractButton&>(Control("Command2")),
                       &QAbstractButton::clicked);
    QElapsedTimer clock;
    clock.start();
    int steps = 0;
    for (; clock.elapsed() < SessionSeconds() * 1000; ++steps) {
      window_.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&window_));
      if (DataBox().document()->characterCount() > 1'000'000) window_.SetText("Text1", u"");
      QWidget* at = window_.focusWidget() ? window_.focusWidget() : &window_;
      const QStringList before = Texts();
      const qsizetype calculations = calculated.count(), clears = cleared.count();
      const int action = random.bounded(20);
      if (action < 10) {
        QTest::keyClick(at, pick(std::string_view("0123456789., -e")));
      } else if (action < 14) {
        const Qt::Key key = pick(keys);
        QTest::keyClick(at, key, key == Qt::Key_Z ? Qt::ControlModifier : Qt::NoModifier);
      } else if (action < 16) {
        QString text;
        for (int n = random.bounded(1, 9); n > 0; --n) text += pick(pieces);
        if (random.bounded(30) == 0) text += QString(40'000, u'7');  // a huge item
        QApplication::clipboard()->setText(text);
        QTest::keyClick(at, Qt::Key_V, Qt::ControlModifier);
      } else {
        Click(action < 18 ? "Command1" : "Command2",
              random.bounded(2) ? (action < 18 ? Qt::Key_M : Qt::Key_C) : Qt::Key(0));
      }
      const QStringList after = Texts();
      if (calculated.count() > calculations)
        QCOMPARE(after[0] + '|' + after[6], before[0] + '|' + before[6]);
      if (cleared.count() > clears) {
        QStringList expected = before;
        if (answered == Qt::Key_Return || answered == Qt::Key_Y) expected.fill("", 6) << before[6];
        QCOMPARE(after, expected);
      }
    }
    qInfo("%d steps", steps);
  }
};

QTEST_MAIN(FormWindowTest)
#include "form_window_test.moc"
