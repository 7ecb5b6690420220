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
  // Answers every message box until it closes (a question with answer_,
  // any other box with Enter), and records each as "title=prompt", followed
  // by anything it does wrong. A title bar needs room for the title and an
  // icon and three buttons, each a square about one and a half lines high.
  QTimer watcher_;
  QStringList shown_;
  std::function<Qt::Key()> answer_;

  static std::string Box(int number) { return "Text" + std::to_string(number); }
  template <class Widget = QWidget>
  Widget& Control(std::string_view name, QWidget* window = nullptr) {
    return *(window ? window : &window_)->findChild<Widget*>(QString::fromUtf8(name));
  }
  QPlainTextEdit& DataBox() { return Control<QPlainTextEdit>("Text1"); }
  // The boxes' texts. Marked, each result box's text is followed by what
  // else the box shows: that its start is hidden, the sign that the text goes
  // on (the only colour drawn inside the frame of a box without the focus),
  // and a tooltip or accessible description.
  QStringList Texts(bool marked = false) {
    QStringList texts;
    for (int number = 1; number <= 7; ++number) {
      QString& text = texts.emplace_back(ToQString(window_.Text(Box(number))));
      if (!marked || number == 1 || number == 7) continue;
      auto& box = Control<QLineEdit>(Box(number));
      if (box.cursorPosition()) text += " (start hidden)";
      if (!box.grab(box.rect().adjusted(3, 3, -3, -3)).toImage().allGray()) text += " (sign)";
      for (const QString& told : {box.toolTip(), box.accessibleDescription()})
        if (!told.isEmpty()) text += told == box.text() ? " (told)" : " (told " + told + ")";
    }
    return texts;
  }
  // Where the focus is, as the case table writes it; a data box selection out
  // of view says so.
  QString Focus() {
    QWidget* focus = window_.focusWidget();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(focus);
    if (!box || !box->textInterface()) return focus ? focus->objectName() : "nowhere";
    int start = box->textInterface()->cursorPosition(), end = start;
    if (box->textInterface()->selectionCount()) box->textInterface()->selection(0, &start, &end);
    auto* data = qobject_cast<QPlainTextEdit*>(focus);
    return QString("%1@%2+%3").arg(focus->objectName()).arg(start).arg(end - start) +
           (data && !data->viewport()->rect().contains(data->cursorRect()) ? " (out of view)" : "");
  }
  // Clicks a button of the window with its mnemonic, or else the mouse.
  void Click(const char* name, bool byKey, QWidget* window = nullptr) {
    auto& button = Control<QAbstractButton>(name, window);
    button.window()->activateWindow();  // a closed message box may leave no window active
    QVERIFY(QTest::qWaitForWindowActive(button.window()));
    // The spy hears of the click, which follows a short press animation,
    // once everything the click ran has finished.
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    byKey ? QTest::keySequence(button.window(), QKeySequence::mnemonic(button.text()))
          : QTest::mouseClick(&button, Qt::LeftButton);
    QTRY_COMPARE(clicked.count(), 1);
  }
  const int sessionSeconds_ = qEnvironmentVariable("SESSION_SECONDS", "3").toInt();

 public:
  // A long random session is no hung test.
  FormWindowTest() {
    qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number((sessionSeconds_ + 300) * 1000));
  }

 private slots:
  void initTestCase() {
    QVERIFY2(QByteArray(std::localeconv()->decimal_point) == ",", "run under de_DE.UTF-8");
    QVERIFY(runtime::qt::InstallChineseQtTexts(*qApp));
    // As a desktop theme may, plain text boxes get a font of their own; the
    // data box must keep it whatever it holds.
    QApplication::setFont(QFont("Monospace", 15), "QPlainTextEdit");
    window_.show();
    QVERIFY(QTest::qWaitForWindowActive(&window_));
    const std::unique_ptr<QMenu> menu(Control<QLineEdit>("Text2").createStandardContextMenu());
    QCOMPARE(menu->actions().first()->text().front().script(), QChar::Script_Han);  // Qt's texts
    connect(&watcher_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      const int ticks = box->property("ticks").toInt();
      box->setProperty("ticks", ticks + 1);
      if (ticks == 0) {
        const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
        const int room = title.horizontalAdvance(box->windowTitle()) + 6 * title.height();
        const QCursor* cursor = QApplication::overrideCursor();
        shown_ << box->windowTitle() + "=" + box->text() +
                      (box->width() < room ? " (title cut)" : "") +
                      (cursor && cursor->shape() != Qt::ArrowCursor ? " (busy cursor)" : "");
      }
      // A mnemonic clicks its button after a short animation, which a key
      // pressed again in that time starts over.
      if (ticks % 20 == 0)
        QTest::keyClick(box, box->buttons().size() > 1 ? answer_() : Qt::Key_Return);
    });
    watcher_.start(10);
  }

  // Layout, names, tab order and window flags; on the way, a result wider
  // than its box is marked and told whole, and shows its start again once
  // the focus has passed through it.
  void controlsFollowTheDescription() {
    // A fixed-size window: minimised and closed, never maximised.
    QCOMPARE(
        window_.windowHandle()->flags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // A screen reader meets a window named by its caption, and a name
    // without the "&" of a mnemonic for every control in it.
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window_);
    QCOMPARE(form->text(QAccessible::Name), ToQString(description_.caption));
    QStringList names;
    for (int i = 0; i < form->childCount(); ++i) names << form->child(i)->text(QAccessible::Name);
    QVERIFY2(!names.contains("") && !names.join("").contains('&'), qPrintable(names.join('|')));

    window_.SetText("Text2", u"1.66666666666667E+299");
    // By the tab index column itself; the picture takes no focus and is painted.
    std::multimap<int, const runtime::ControlDescription*> byTab;
    for (const auto& c : description_.controls)
      if (c.tabIndex >= 0) byTab.emplace(c.tabIndex, &c);
    for (const auto& [tab, c] : byTab) {
      const runtime::PixelRect r = runtime::TwipsToPixels(c->rect, window_.logicalDpiX());
      QCOMPARE(Control(c->name).geometry(), QRect(r.left, r.top, r.width, r.height));
      if (c->font) QCOMPARE(QFontInfo(Control(c->name).font()).pointSizeF(), c->font->pointSize);
      if (c->kind == runtime::ControlKind::Label) continue;
      QCOMPARE(window_.focusWidget(), &Control(c->name));  // Tab goes in tab index order
      QTest::keySequence(window_.focusWidget(), QKeySequence(Qt::Key_End, Qt::Key_Tab));
    }
    QCOMPARE(Texts(true).sliced(1, 5),
             (QStringList{"1.66666666666667E+299 (sign) (told) (told)", "", "", "", ""}));
  }

  void everyWindowRowOfTheCaseTable_data() {
    QTest::addColumn<cases::Case>("c");
    QTest::addColumn<bool>("typed");
    for (const cases::Case& c : cases::ReadCases(QUORVEL_CASES))
      for (const bool typed : {false, true})  // people type all but the largest pastes
        if (c.window && !(typed && c.data.size() >= 50'000))
          QTest::addRow("%s %s", c.name.c_str(), typed ? "typed" : "pasted") << c << typed;
  }

  void everyWindowRowOfTheCaseTable() {
    QFETCH(cases::Case, c);
    QFETCH(bool, typed);
    for (int box = 1; box <= 7; ++box) window_.SetText(Box(box), box % 6 == 1 ? u"" : u"earlier");
    const QString data = ToQString(c.data), precision = ToQString(c.precision);
    const QString lines = QString(data).replace("\r\n", "\n").replace('\r', '\n');
    // A line edit lays its whole text out again at every key, so a long
    // precision is pasted but for its last characters, typed past 32767.
    const qsizetype head = std::max<qsizetype>(precision.size() - 300, 0);
    Control<QLineEdit>("Text7").insert(precision.first(head));
    QTest::keyClicks(&Control("Text7"), precision.sliced(head));
    DataBox().setFocus();
    QApplication::clipboard()->setText(data);
    if (typed)  // key by key, Enter between lines
      QTest::keyClicks(&DataBox(), QString(lines).replace('\n', '\r'));
    else  // pasted, undone in one step and pasted again
      QTest::keySequence(&DataBox(), QKeySequence(data.isEmpty() ? "" : "Ctrl+V, Ctrl+Z, Ctrl+V"));
    QCOMPARE(Texts().first() + '|' + Texts().last(), lines + '|' + precision);
    QCOMPARE(DataBox().document()->defaultFont(), QApplication::font("QPlainTextEdit"));

    // Where the focus was, unless the row says; the data box holds a CR LF as
    // one position.
    const QString& text = c.focus && c.focus->box == "Text1" ? data : precision;
    const auto at = [&](qsizetype unit) { return unit - text.first(unit).count("\r\n"); };
    const QString focus = !c.focus
                              ? Focus()
                              : QString("%1@%2+%3")
                                    .arg(c.focus->box.c_str())
                                    .arg(at(c.focus->start))
                                    .arg(at(c.focus->start + c.focus->length) - at(c.focus->start));
    shown_.clear();
    Click("Command1", true);
    QCOMPARE(Focus(), focus);
    QStringList expected, texts = {lines};
    for (const auto& m : c.messages) expected << ToQString(m.title) + "=" + ToQString(m.prompt);
    for (const auto& r : c.results)
      texts << (c.clearAnswer == 'y' ? "" : c.writesResults ? ToQString(r) : "earlier");
    if (c.clearAnswer) {
      answer_ = [yes = c.clearAnswer == 'y'] { return yes ? Qt::Key_Y : Qt::Key_N; };
      Click("Command2", true);
      QCOMPARE(window_.Text("Text1").empty(), c.clearAnswer == 'y');
      if (c.clearAnswer == 'y') QTest::keySequence(&DataBox(), QKeySequence::Undo);  // all back
    }
    QCOMPARE(shown_, expected);
    QCOMPARE(Texts(true), texts << precision);
    QVERIFY(!QApplication::overrideCursor());
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
    for (int i = 0; i < 3; ++i) Click("Command1", false, &window);
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
    const QString seed = qEnvironmentVariable(
        "SESSION_SEED", QString::number(QRandomGenerator::system()->generate()));
    qInfo("SESSION_SEED=%s", qPrintable(seed));
    QRandomGenerator random(seed.toUInt());
    const auto pick = [&](const auto& options) {
      return options[random.bounded(int(std::size(options)))];
    };
    const Qt::Key answers[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Y, Qt::Key_N};
    QList<QKeySequence> keys = {Qt::Key_Return,     Qt::Key_Backspace,   Qt::Key_Tab,
                                QKeySequence::Undo, QKeySequence::Paste, QKeySequence::Paste};
    for (const char c : std::string_view("0123456789., -E")) keys << QKeySequence(c);
    const QStringList pieces = QString("1|2.5|-3e2|1e299| |\n|\r\n|\t|abc|1..2|１２|0,5").split('|')
                               << QString(QChar(0xD800)) << QString(QChar(0xDC00));
    Qt::Key answered = Qt::Key_unknown;
    answer_ = [&] { return answered = pick(answers); };
    QSignalSpy calculated(&Control<QAbstractButton>("Command1"), &QAbstractButton::clicked);
    QSignalSpy cleared(&Control<QAbstractButton>("Command2"), &QAbstractButton::clicked);
    for (QDeadlineTimer end(sessionSeconds_ * 1000); !end.hasExpired();) {
      if (DataBox().document()->characterCount() > 1'000'000) window_.SetText("Text1", u"");
      QStringList before = Texts();
      calculated.clear(), cleared.clear();
      QString text;  // for a paste
      for (int n = random.bounded(1, 9); n > 0; --n) text += pick(pieces);
      if (random.bounded(30) == 0) text += QString(40'000, u'7');  // a huge item
      QApplication::clipboard()->setText(text);
      if (random.bounded(5))
        QTest::keySequence(window_.windowHandle(), pick(keys));  // to the focus
      else
        Click(random.bounded(2) ? "Command1" : "Command2", random.bounded(2));
      const QStringList after = Texts();
      if (!calculated.isEmpty()) QCOMPARE(after[0] + '|' + after[6], before[0] + '|' + before[6]);
      if (!cleared.isEmpty() && (answered == Qt::Key_Return || answered == Qt::Key_Y))
        std::fill_n(before.begin(), 6, "");
      if (!cleared.isEmpty()) QCOMPARE(after, before);
    }
  }
};

QTEST_MAIN(FormWindowTest)
#include "form_window_test.moc"
