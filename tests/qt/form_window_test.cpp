// The window Static on the Qt host: its layout derived from the window
// description, every window row of the case table pasted (and typed where
// ASCII) and clicked through the real controls, under a German locale, and a
// random session of a person at the window.

#include <QtTest>
#include <QtWidgets>

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
  runtime::qt::FormWindow window_{window::Static::Description(), form_};
  QStringList shown_;                // each message box as "title=prompt", and what it did wrong
  Qt::Key answer_ = Qt::Key_Return;  // to a question

  static std::string Box(int number) { return "Text" + std::to_string(number); }
  template <class Widget = QWidget>
  Widget& Control(std::string_view name) {
    return *window_.findChild<Widget*>(QString::fromUtf8(name));
  }
  QPlainTextEdit& DataBox() { return Control<QPlainTextEdit>("Text1"); }
  // The boxes' texts, each result box's followed by what else it shows: that
  // its start is hidden, the sign that the text goes on (the one colour drawn
  // in a box without the focus), a text colour but black, and a tooltip or
  // accessible description but the copy command's tip.
  QStringList Texts() {
    QStringList texts;
    for (int number = 1; number <= 7; ++number) {
      QString& text = texts.emplace_back(ToQString(window_.Text(Box(number))));
      if (number % 6 == 1) continue;
      auto& box = Control<QLineEdit>(Box(number));
      if (box.cursorPosition()) text += " (start hidden)";
      if (!box.grab(box.rect().adjusted(3, 3, -3, -3)).toImage().allGray()) text += " (sign)";
      if (QColor ink = box.palette().color(QPalette::Text); ink != Qt::black)
        text += " (" + ink.name() + ")";
      for (const QString& told : {box.toolTip(), box.accessibleDescription()})
        if (!told.isEmpty() && told != "复制全部结果 (Ctrl+Shift+C)")
          text += told == box.text() ? " (told)" : " (told " + told + ")";
    }
    return texts;
  }
  // Where the focus is: the box, and the selection from-to; a data box
  // selection out of view says so.
  QString Focus() {
    QWidget* focus = window_.focusWidget();
    QAccessibleTextInterface* box = QAccessible::queryAccessibleInterface(focus)->textInterface();
    if (!box) return focus->objectName();
    int start = box->cursorPosition(), end = start;
    if (box->selectionCount()) box->selection(0, &start, &end);
    const QRect cursor = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return QString("%1@%2-%3").arg(focus->objectName()).arg(start).arg(end) +
           (focus->rect().contains(cursor) ? "" : " (out of view)");
  }
  // Clicks a button of the window with its mnemonic, or else the mouse.
  void Click(const char* name, bool byKey) {
    auto& button = Control<QAbstractButton>(name);
    window_.activateWindow();  // a closed message box may leave no window active
    QVERIFY(QTest::qWaitForWindowActive(&window_));
    // The spy hears of the click, which follows a short press animation,
    // once everything the click ran has finished.
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    byKey ? QTest::keySequence(&window_, QKeySequence::mnemonic(button.text()))
          : QTest::mouseClick(&button, Qt::LeftButton);
    QTRY_COMPARE(clicked.count(), 1);
  }
  // Answers every message box until it closes (a question with answer_, any
  // other box with Enter), and records it. A title bar needs room for the
  // title and an icon and three buttons, each a square about one and a half
  // lines high.
  void timerEvent(QTimerEvent*) override {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    const int ticks = box->property("ticks").toInt();
    box->setProperty("ticks", ticks + 1);
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    const int room = title.horizontalAdvance(box->windowTitle()) + 6 * title.height();
    if (ticks == 0)
      shown_ << box->windowTitle() + "=" + box->text() +
                    (box->width() < room ? " (title cut)" : "") +
                    (QApplication::overrideCursor()->shape() != Qt::ArrowCursor ? " (busy)" : "");
    // A mnemonic clicks its button after a short animation, which a key
    // pressed again in that time starts over.
    if (ticks % 20 == 0) QTest::keyClick(box, box->buttons().size() > 1 ? answer_ : Qt::Key_Return);
  }
  const int sessionSeconds_ = qEnvironmentVariable("SESSION_SECONDS", "3").toInt();

 private slots:
  void init() { shown_.clear(); }
  void initTestCase() {
    QVERIFY2(std::to_string(0.5) == "0,500000", "run under de_DE.UTF-8");
    QVERIFY(runtime::qt::InstallChineseQtTexts(*qApp));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo").front().script(), QChar::Script_Han);
    window_.show();
    QVERIFY(QTest::qWaitForWindowActive(&window_));
    startTimer(10);
    // A long random session is no hung test.
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number((sessionSeconds_ + 300) * 1000));
  }

  // Layout, names, tab order and window flags; on the way, a result wider
  // than its box is marked and told whole, and shows its start again once
  // the focus has passed through it.
  void controlsFollowTheDescription() {
    // A fixed-size window: minimised and closed, never maximised.
    const Qt::WindowFlags buttons = Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    QCOMPARE(window_.windowHandle()->flags() & buttons, buttons ^ Qt::WindowMaximizeButtonHint);
    // A screen reader meets a window (not a filler panel) named by its
    // caption, and a name without the "&" of a mnemonic for every control in it.
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window_);
    QVERIFY(form->role() == QAccessible::Window &&
            form->text(QAccessible::Name) == ToQString(window::Static::Description().caption));
    for (int i = 0; i < form->childCount(); ++i)
      QVERIFY(!form->child(i)->text(QAccessible::Name).contains(QRegularExpression("^$|&")));

    window_.SetText("Text2", u"1.66666666666667E+299");
    // By the tab index column itself; the picture, at -1, takes no focus and
    // is painted.
    std::multimap<int, const runtime::ControlDescription*> byTab;
    for (const auto& c : window::Static::Description().controls) byTab.emplace(c.tabIndex, &c);
    for (const auto& [tab, c] : std::ranges::subrange(byTab.lower_bound(0), byTab.end())) {
      const runtime::PixelRect r = runtime::TwipsToPixels(c->rect, window_.logicalDpiX());
      QCOMPARE(Control(c->name).geometry(), QRect(r.left, r.top, r.width, r.height));
      if (c->kind == runtime::ControlKind::Label) continue;
      QCOMPARE(window_.focusWidget(), &Control(c->name));  // Tab goes in tab index order
      QTest::keySequence(window_.focusWidget(), QKeySequence(Qt::Key_End, Qt::Key_Tab));
    }
    QCOMPARE(Texts()[1], "1.66666666666667E+299 (sign) (told) (told)");
    // A result box names the copy command, whose entry ends its menu; with
    // nothing calculated, there is nothing to copy.
    QCOMPARE(Control("Text3").toolTip(), "复制全部结果 (Ctrl+Shift+C)");
    QTest::mouseClick(window_.windowHandle(), Qt::RightButton, {},
                      Control("Text3").geometry().center());
    QTest::keySequence(window_.windowHandle(), QKeySequence("Up, Return"));
    QCOMPARE(shown_, QStringList{"复制结果=结果已过期或尚未计算，请先计算。"});
  }

  // Rows tagged "typed" are typed key by key; people type all but the
  // largest pastes. QTest types ASCII only (it asserts on any other
  // character), so the other rows are pasted alone.
  void everyWindowRowOfTheCaseTable_data() {
    QTest::addColumn<cases::Case>("c");
    for (const cases::Case& c : cases::ReadCases(QUORVEL_CASES)) {
      if (!c.window) continue;
      const bool ascii = std::ranges::all_of(c.data, [](char16_t unit) { return unit < 0x80; });
      if (!c.data.empty()) QTest::addRow("%s pasted", c.name.c_str()) << c;
      if (ascii && c.data.size() < 50'000) QTest::addRow("%s typed", c.name.c_str()) << c;
    }
  }

  void everyWindowRowOfTheCaseTable() {
    QFETCH(cases::Case, c);
    form_ = window::Static();  // nothing calculated, so the earlier results are not stale
    for (int box = 1; box <= 7; ++box) window_.SetText(Box(box), box % 6 == 1 ? u"" : u"earlier");
    const QString data = ToQString(c.data), precision = ToQString(c.precision);
    const QString lines = QString(data).replace("\r\n", "\n").replace('\r', '\n');
    // Inserted at once: a line edit lays its whole text out again at every
    // key. It still holds a precision past 32767 characters.
    Control<QLineEdit>("Text7").insert(precision);
    DataBox().setFocus();
    QApplication::clipboard()->setText(data);
    // Typed with Enter between lines, or pasted, undone in one step and
    // pasted again.
    const bool typed = QByteArray(QTest::currentDataTag()).endsWith("typed");
    typed ? QTest::keyClicks(&DataBox(), QString(lines).replace('\n', '\r'))
          : QTest::keySequence(&DataBox(), QKeySequence("Ctrl+V, Ctrl+Z, Ctrl+V"));

    // Where the focus was, unless the row says; the data box holds a CR LF as
    // one position.
    QString focus = Focus();
    if (const auto& f = c.focus) {
      const QString& text = f->box == "Text1" ? data : precision;
      const auto at = [&](qsizetype unit) { return unit - text.first(unit).count("\r\n"); };
      focus = f->box.c_str() + QString("@%1-%2").arg(at(f->start)).arg(at(f->start + f->length));
    }
    Click("Command1", true);
    QCOMPARE(Focus(), focus);
    QStringList expected;
    for (const auto& m : c.messages) expected << ToQString(m.title) + "=" + ToQString(m.prompt);
    // A blank added to the data greys each result, keeping its text, and
    // says why; taken away again, it leaves them current.
    if (c.editsAfter) {
      const QString told = " (told 结果已过期：原始数据或精度已改动，请重新计算。)";
      QStringList stale;
      for (auto& r : c.results) stale << ToQString(r) + " (#767676)" + told + told;
      QTest::keyClick(&DataBox(), Qt::Key_Space);
      QCOMPARE(Texts().mid(1, 5), stale);
      QTest::keyClick(&DataBox(), Qt::Key_Backspace);
    }
    // Copied with the focus in a line edit or in the data box: the clipboard,
    // which held the data, holds the results (what they read, the core test
    // checks).
    if (c.copiedCount)
      QTest::keySequence(&Control(typed ? "Text7" : "Text1"), QKeySequence("Ctrl+Shift+C"));
    QCOMPARE(QApplication::clipboard()->text().startsWith("平均值\t"), c.copiedCount.has_value());
    expected << lines;
    for (auto& r : c.results)
      expected << (c.clearAnswer == 'y' ? "" : c.writesResults ? ToQString(r) : "earlier");
    answer_ = c.clearAnswer == 'y' ? Qt::Key_Y : Qt::Key_N;
    if (c.clearAnswer) Click("Command2", true);
    // All back with one undo, and a second finds no earlier step: 清空 drops
    // them, so the history stays bounded.
    if (c.clearAnswer == 'y') QTest::keySequence(&DataBox(), QKeySequence("Ctrl+Z, Ctrl+Z"));
    QCOMPARE(shown_ + Texts(), expected << precision);
    QVERIFY(!QApplication::overrideCursor());
  }

  // A large paste is undone by one Ctrl+Z, and drops the steps before it.
  void aLargePasteIsTheLastStep() {
    window_.SetText("Text1", u"");
    QTest::keyClicks(&DataBox(), "1 ");
    QApplication::clipboard()->setText(QString(70'000, u'7'));
    QTest::keySequence(&DataBox(), QKeySequence("Ctrl+V, Ctrl+Z, Ctrl+Z"));
    QCOMPARE(window_.Text("Text1"), u"1 ");
  }

  // A person at the window for SESSION_SECONDS (3 unless set): random keys,
  // pastes (numbers, separators, bad and huge items, lone surrogates),
  // clicks and answers through the real controls; SESSION_SEED replays a
  // session. It must neither crash nor hang; what each step does, the rows
  // and the core test check.
  void randomSession() {
    const auto seed = qEnvironmentVariable("SESSION_SEED", QString::number(std::random_device()()));
    qInfo("SESSION_SEED=%s", qPrintable(seed));
    QRandomGenerator random(seed.toUInt());
    const auto pick = [&](const auto& list) { return list[random.bounded(int(list.size()))]; };
    const auto keys =
        QString("Return|Backspace|Tab|Ctrl+Z|Ctrl+V|Ctrl+Shift+C|1|5|.|,|Space|-|E").split('|');
    const auto pieces =
        QStringView(u"1|2.5|-3e2|1e299| |\n|\r\n|\t|abc|1..2|１２|0,5|\xD800|\xDC00").split(u'|');
    for (QDeadlineTimer end(sessionSeconds_ * 1000); !end.hasExpired();) {
      if (DataBox().document()->characterCount() > 1'000'000) window_.SetText("Text1", u"");
      QString paste = random.bounded(30) ? "" : QString(40'000, u'7');  // a huge item
      for (int n = random.bounded(1, 9); n > 0; --n) paste += pick(pieces);
      QApplication::clipboard()->setText(paste);
      answer_ = std::array{Qt::Key_Return, Qt::Key_Escape, Qt::Key_Y, Qt::Key_N}[random.bounded(4)];
      // A stale result changes only by a click (a focused button takes Space
      // as one), or by keys typed into it.
      std::map<QLineEdit*, QString> stale;
      for (int number = 2; number <= 6; ++number) {
        auto& box = Control<QLineEdit>(Box(number));
        if (box.accessibleDescription().startsWith(u"结果已过期") && window_.focusWidget() != &box)
          stale[&box] = box.text();
      }
      if (qobject_cast<QAbstractButton*>(window_.focusWidget())) stale.clear();
      if (random.bounded(5) == 0) {
        Click(random.bounded(2) ? "Command1" : "Command2", random.bounded(2));
        continue;
      }
      QTest::keySequence(window_.windowHandle(), pick(keys));  // to the focus
      for (const auto& [box, text] : stale) QCOMPARE(box->text(), text);
    }
  }
};

QTEST_MAIN(FormWindowTest)
#include "form_window_test.moc"
