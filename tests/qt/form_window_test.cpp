// The window Static on the Qt host: its layout derived from the window
// description, and every window row of the case table pasted and clicked
// through the real controls, under a German locale.

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

  QWidget& Control(std::string_view name) {
    return *window_.findChild<QWidget*>(QString::fromUtf8(name.data(), name.size()));
  }
  // The result boxes' texts; a box not showing the start of its text says so.
  QStringList Results() {
    QStringList texts;
    for (const char* box : {"Text2", "Text3", "Text4", "Text5", "Text6"})
      texts << ToQString(window_.Text(box)) +
                   (static_cast<QLineEdit&>(Control(box)).cursorPosition() ? " (start hidden)"
                                                                           : "");
    return texts;
  }
  // Clicks the button with Alt+key, answers each message box with answerKey
  // and records it as "title=prompt", followed by anything it does wrong. A
  // title bar needs room for the title and an icon and three buttons, each
  // a square about one and a half lines high.
  void Click(const char* button, Qt::Key key, Qt::Key answerKey, QStringList& shown) {
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, &watcher, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box->property("seen").toBool()) return;
      box->setProperty("seen", true);
      const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
      QString faults;
      if (box->width() < title.horizontalAdvance(box->windowTitle()) + 6 * title.height())
        faults += " (title cut)";
      if (const QCursor* c = QApplication::overrideCursor(); c && c->shape() != Qt::ArrowCursor)
        faults += " (busy cursor)";
      shown << box->windowTitle() + "=" + box->text() + faults;
      QTest::keyClick(box, answerKey);
    });
    watcher.start(10);
    // The spy hears of the click, which follows a short press animation,
    // once everything the click ran has finished.
    QSignalSpy clicked(static_cast<QAbstractButton*>(&Control(button)), &QAbstractButton::clicked);
    QTest::keyClick(window_.focusWidget(), key, Qt::AltModifier);
    QTRY_COMPARE(clicked.count(), 1);
  }

 private slots:
  void initTestCase() {
    QVERIFY2(QByteArray(std::localeconv()->decimal_point) == ",", "run under de_DE.UTF-8");
    QVERIFY(runtime::qt::InstallChineseQtTexts(*qApp));
    window_.show();
    QVERIFY(QTest::qWaitForWindowActive(&window_));
    const std::unique_ptr<QMenu> menu(
        static_cast<QLineEdit&>(Control("Text2")).createStandardContextMenu());
    QCOMPARE(menu->actions().first()->text().front().script(), QChar::Script_Han);  // Qt's texts
  }

  void controlsFollowTheDescription() {
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
    for (const cases::Case& c : cases::ReadCases(QUORVEL_CASES))
      if (c.window) QTest::newRow(c.name.c_str()) << c;
  }

  void everyWindowRowOfTheCaseTable() {
    QFETCH(cases::Case, c);
    window_.activateWindow();  // a closed message box may leave no window active
    QVERIFY(QTest::qWaitForWindowActive(&window_));
    for (int i = 0; i < 5; ++i) window_.SetText(std::string("Text") + char('2' + i), u"earlier");
    window_.SetText("Text7", c.precision);
    window_.SetText("Text1", u"");
    QApplication::clipboard()->setText(ToQString(c.data));
    QTest::keyClick(&Control("Text1"), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&Control("Text1"), Qt::Key_Z, Qt::ControlModifier);  // one step undoes all
    QCOMPARE(window_.Text("Text1"), u"");
    QTest::keyClick(&Control("Text1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ToQString(window_.Text("Text1")), ToQString(c.data).replace("\r\n", "\n"));

    QStringList shown, expected, results(5, "earlier");
    Click("Command1", Qt::Key_M, Qt::Key_Return, shown);
    for (const auto& m : c.messages) expected << ToQString(m.title) + "=" + ToQString(m.prompt);
    for (int i = 0; i < 5 && c.writesResults; ++i) results[i] = ToQString(c.results[i]);
    if (c.clearAnswer)
      Click("Command2", Qt::Key_C, c.clearAnswer == 'y' ? Qt::Key_Y : Qt::Key_N, shown);
    if (c.clearAnswer == 'y') results = QStringList(5, "");
    QCOMPARE(shown, expected);
    QCOMPARE(Results(), results);
    QVERIFY(!QApplication::overrideCursor());
  }
};

QTEST_MAIN(FormWindowTest)
#include "form_window_test.moc"
