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
  // The boxes' texts. Marked, each result box's text is followed by what else
  // the box shows: that its start is hidden, the sign that the text goes on
  // (the one colour drawn in a box without the focus), a text colour but black,
  // and a tooltip or accessible description but the copy command's tip.
  QStringList Texts(bool marked = false) {
    QStringList texts;
    for (int number = 1; number <= 7; ++number) {
      QString& text = texts.emplace_back(ToQString(window_.Text(Box(number))));
      if (!marked || number % 6 == 1) continue;
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
    // As a desktop theme may, plain text boxes get a font of their own; the
    // data box must keep it whatever it holds.
    QApplication::setFont(QFont("Monospace", 15), "QPlainTextEdit");
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
      if (c->font) QCOMPARE(QFontInfo(Control(c->name).font()).pointSizeF(), c->font->pointSize);
      if (c->kind == runtime::ControlKind::Label) continue;
      QCOMPARE(window_.focusWidget(), &Control(c->name));  // Tab goes in tab index order
      QTest::keySequence(window_.focusWidget(), QKeySequence(Qt::Key_End, Qt::Key_Tab));
    }
    QCOMPARE(Texts(true)[1], "1.66666666666667E+299 (sign) (told) (told)");
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
    // A line edit lays its whole text out again at every key, so a long
    // precision is pasted but for its last characters, typed past 32767.
    Control<QLineEdit>("Text7").insert(precision.chopped(precision.right(300).size()));
    QTest::keyClicks(&Control("Text7"), precision.right(300));
    DataBox().setFocus();
    QApplication::clipboard()->setText(data);
    // Typed with Enter between lines, or pasted, undone in one step and
    // pasted again.
    const bool typed = QByteArray(QTest::currentDataTag()).endsWith("typed");
    typed ? QTest::keyClicks(&DataBox(), QString(lines).replace('\n', '\r'))
          : QTest::keySequence(&DataBox(), QKeySequence("Ctrl+V, Ctrl+Z, Ctrl+V"));
    QCOMPARE(DataBox().document()->defaultFont(), QApplication::font("QPlainTextEdit"));

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
    // A blank added to the data greys each result and says why; taken away
    // again, it leaves them current.
    if (c.editsAfter) {
      const QString note = "结果已过期：原始数据或精度已改动，请重新计算。";
      QStringList stale;
      for (auto& r : c.results)
        stale << (r.empty() ? ""
                            : ToQString(r) + " (#767676) (told " + note + ") (told " + note + ")");
      QTest::keyClick(&DataBox(), Qt::Key_Space);
      QCOMPARE(Texts(true).mid(1, 5), stale);
      QTest::keyClick(&DataBox(), Qt::Key_Backspace);
    }
    // Copied with the focus in a line edit or in the data box.
    if (c.copiedCount) {
      QTest::keySequence(&Control(typed ? "Text7" : "Text1"), QKeySequence("Ctrl+Shift+C"));
      QString copied =
          "平均值\t平均偏差\t相对平均偏差(%)\t标准偏差(S)\t相对标准偏差(RSD%)\t数据个数\t精度\n";
      for (auto& r : c.results) copied += ToQString(r) + "\t";
      QCOMPARE(QApplication::clipboard()->text(),
               copied + QString::number(*c.copiedCount) + "\t" + precision + "\n");
    }
    expected << lines;
    for (auto& r : c.results)
      expected << (c.clearAnswer == 'y' ? "" : c.writesResults ? ToQString(r) : "earlier");
    answer_ = c.clearAnswer == 'y' ? Qt::Key_Y : Qt::Key_N;
    if (c.clearAnswer) Click("Command2", true);
    // All back with one undo, and a second finds no earlier step: 清空 drops
    // them, so the history stays bounded.
    if (c.clearAnswer == 'y') QTest::keySequence(&DataBox(), QKeySequence("Ctrl+Z, Ctrl+Z"));
    QCOMPARE(shown_ + Texts(true), expected << precision);
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
  // session. Calculate never changes the data or the precision, 清空
  // answered 否 changes nothing, and a result changes by a click or by keys
  // typed into it, never by being marked stale.
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
      QSignalSpy calculated(&Control<QAbstractButton>("Command1"), &QAbstractButton::clicked);
      QSignalSpy cleared(&Control<QAbstractButton>("Command2"), &QAbstractButton::clicked);
      if (DataBox().document()->characterCount() > 1'000'000) window_.SetText("Text1", u"");
      QStringList was = Texts();
      QWidget* const typedInto = window_.focusWidget();
      QString paste = random.bounded(30) ? "" : QString(40'000, u'7');  // a huge item
      for (int n = random.bounded(1, 9); n > 0; --n) paste += pick(pieces);
      QApplication::clipboard()->setText(paste);
      answer_ = std::array{Qt::Key_Return, Qt::Key_Escape, Qt::Key_Y, Qt::Key_N}[random.bounded(4)];
      random.bounded(5) ? QTest::keySequence(window_.windowHandle(), pick(keys))  // to the focus
                        : Click(random.bounded(2) ? "Command1" : "Command2", random.bounded(2));
      if (!calculated.isEmpty()) QCOMPARE(Texts()[0] + '|' + Texts()[6], was[0] + '|' + was[6]);
      for (int number = 2; number <= 6 && calculated.isEmpty() && cleared.isEmpty(); ++number)
        QVERIFY(Texts()[number - 1] == was[number - 1] || typedInto == &Control(Box(number)));
      if (answer_ == Qt::Key_Return || answer_ == Qt::Key_Y) std::fill_n(was.begin(), 6, "");
      if (!cleared.isEmpty()) QCOMPARE(Texts(), was);
    }
  }
};

QTEST_MAIN(FormWindowTest)
#include "form_window_test.moc"
