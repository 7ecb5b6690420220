// The window Static on the Qt host, driven by keyboard as a user would.

#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRawFont>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <memory>

#include "message_box_watch.h"
#include "runtime/qt/form_window.h"
#include "window/static_form.h"

namespace {

using quorvel::runtime::qt::FormWindow;
using quorvel::window::Static;

const QStringList kResultBoxes = {"Text2", "Text3", "Text4", "Text5", "Text6"};
const QStringList kSongFamilies = {"SimSun", "宋体", "Noto Serif CJK SC", "AR PL UMing CN"};

QStringList OkBox(const QString& title, const QString& prompt) {
  return {title, prompt, "no icon", "modal", "确定", "default 确定"};
}

}  // namespace

class FormWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void windowHasCaptionIconAndFixedClientSize();
  void controlsArePlacedAndCaptioned_data();
  void controlsArePlacedAndCaptioned();
  void tabVisitsDataResultsButtonsThenPrecision();
  void textBoxesHaveAccessibleNames();
  void boxesKeepTextsOfAnyLength();
  void altMCalculatesTypedDataAndEnterClicksNothing();
  void badItemsShowTheirMessagesAndKeepTheResults();
  void altCAsksThenClears_data();
  void altCAsksThenClears();
  void yesStaysFirstWhereTheDesktopPutsItLast();
  void germanLocaleGivesTheSameTexts();

 private:
  QWidget& Control(const QString& name) const;
  QStringList Texts(const QStringList& boxes) const;
  // Replaces a box's text by typing; a "\n" presses Enter.
  void Type(const QString& box, const QString& text);
  void PressAlt(Qt::Key key);

  std::unique_ptr<Static> form_;
  std::unique_ptr<FormWindow> window_;
};

void FormWindowTest::init() {
  form_ = std::make_unique<Static>();
  window_ = std::make_unique<FormWindow>(Static::Description(), *form_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void FormWindowTest::cleanup() {
  window_.reset();
  form_.reset();
}

QWidget& FormWindowTest::Control(const QString& name) const {
  auto* control = window_->findChild<QWidget*>(name);
  if (!control) qFatal("no control %s", qPrintable(name));
  return *control;
}

QStringList FormWindowTest::Texts(const QStringList& boxes) const {
  QStringList texts;
  for (const QString& box : boxes) {
    const QWidget& control = Control(box);
    texts << control.property(qobject_cast<const QPlainTextEdit*>(&control) ? "plainText" : "text")
                 .toString();
  }
  return texts;
}

void FormWindowTest::Type(const QString& box, const QString& text) {
  QWidget& control = Control(box);
  control.setFocus();
  QTest::keyClick(&control, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&control, Qt::Key_Delete);
  const QStringList lines = text.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(&control, Qt::Key_Return);
    QTest::keyClicks(&control, lines[i]);
  }
}

void FormWindowTest::PressAlt(Qt::Key key) {
  // A mnemonic clicks its button after a short press animation; wait until
  // the click and everything it runs have finished.
  const QKeySequence mnemonic(QKeyCombination(Qt::AltModifier, key));
  const QList<QAbstractButton*> buttons = window_->findChildren<QAbstractButton*>();
  const auto button = std::ranges::find(buttons, mnemonic, &QAbstractButton::shortcut);
  QVERIFY2(button != buttons.end(), qPrintable(mnemonic.toString()));
  QSignalSpy clicked(*button, &QAbstractButton::clicked);
  QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
  QTRY_COMPARE(clicked.count(), 1);
}

void FormWindowTest::windowHasCaptionIconAndFixedClientSize() {
  QCOMPARE(window_->logicalDpiX(), 96);
  QCOMPARE(window_->windowTitle(), "Quorvel1.2");
  QCOMPARE(window_->size(), QSize(443, 319));
  QCOMPARE(window_->minimumSize(), window_->maximumSize());
  const QList<QSize> iconSizes = window_->windowIcon().availableSizes();
  QVERIFY(iconSizes.contains(QSize(16, 16)));
  QVERIFY(iconSizes.contains(QSize(32, 32)));
  QCOMPARE(qobject_cast<QLabel*>(&Control("Image1"))->pixmap().size(), QSize(20, 25));
}

void FormWindowTest::controlsArePlacedAndCaptioned_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QRect>("pixels");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("song");
  // At 96 DPI, 15 twips per pixel.
  QTest::newRow("Text1") << "QPlainTextEdit" << QRect(16, 40, 409, 129) << "" << false;
  QTest::newRow("Label1") << "QLabel" << QRect(16, 16, 409, 17)
                          << "请在下面方框中输入数据（不同数据间请用空格或回车隔开）" << true;
  QTest::newRow("Label2") << "QLabel" << QRect(16, 184, 49, 17) << "平均值" << true;
  QTest::newRow("Text2") << "QLineEdit" << QRect(104, 184, 81, 18) << "" << false;
  QTest::newRow("Text3") << "QLineEdit" << QRect(336, 184, 81, 18) << "" << false;
  QTest::newRow("Label3") << "QLabel" << QRect(248, 184, 81, 17) << "平均偏差" << true;
  QTest::newRow("Text4") << "QLineEdit" << QRect(336, 216, 81, 18) << "" << false;
  QTest::newRow("Label4") << "QLabel" << QRect(216, 216, 113, 17) << "相对平均偏差(%)" << true;
  QTest::newRow("Text5") << "QLineEdit" << QRect(104, 216, 81, 18) << "" << false;
  QTest::newRow("Label5") << "QLabel" << QRect(16, 216, 81, 17) << "标准偏差(S)" << true;
  QTest::newRow("Text6") << "QLineEdit" << QRect(152, 248, 81, 18) << "" << false;
  QTest::newRow("Label6") << "QLabel" << QRect(16, 248, 137, 17) << "相对标准偏差(RSD%)" << true;
  QTest::newRow("Command1") << "QPushButton" << QRect(16, 280, 81, 25) << "计算(&M)" << true;
  QTest::newRow("Command2") << "QPushButton" << QRect(176, 280, 81, 25) << "清空(&C)" << true;
  QTest::newRow("Label7") << "QLabel" << QRect(320, 288, 105, 17) << "Quorvel 1.02" << false;
  QTest::newRow("Text7") << "QLineEdit" << QRect(336, 248, 81, 18) << "0.0001" << false;
  QTest::newRow("Label8") << "QLabel" << QRect(256, 248, 49, 17) << "精度" << true;
  QTest::newRow("Image1") << "QLabel" << QRect(296, 280, 20, 25) << "" << false;
}

void FormWindowTest::controlsArePlacedAndCaptioned() {
  QFETCH(QString, kind);
  QFETCH(QRect, pixels);
  QFETCH(QString, text);
  QFETCH(bool, song);
  const QString name = QTest::currentDataTag();
  const QWidget& control = Control(name);
  QCOMPARE(control.metaObject()->className(), kind);
  QCOMPARE(control.geometry(), pixels);
  QCOMPARE(Texts({name}).front(), text);

  const QFont font = control.font();
  if (!song) {
    QCOMPARE(font, window_->font());
    return;
  }
  QCOMPARE(font.families(), kSongFamilies);
  const QFontInfo face(font);
  QVERIFY2(kSongFamilies.contains(face.family()), qPrintable(face.family()));
  QCOMPARE(face.pointSizeF(), 10.5);
  QCOMPARE(face.weight(), QFont::Normal);
  QVERIFY(!face.italic() && !font.underline() && !font.strikeOut());
  // Every character comes from the Song face itself, not from a fallback face
  // or as a box.
  const QRawFont raw = QRawFont::fromFont(font);
  const QString shown = QString(text).remove('&');
  for (const QChar c : shown) {
    QVERIFY2(raw.supportsCharacter(c), qPrintable(QString(c)));
  }
}

void FormWindowTest::tabVisitsDataResultsButtonsThenPrecision() {
  QStringList visited = {QApplication::focusWidget()->objectName()};
  for (int i = 0; i < 9; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(visited, QStringList({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Command1",
                                 "Command2", "Text7", "Text1"}));
}

void FormWindowTest::textBoxesHaveAccessibleNames() {
  const QStringList boxes = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
  QStringList names;
  for (const QString& box : boxes) {
    names << QAccessible::queryAccessibleInterface(&Control(box))->text(QAccessible::Name);
  }
  QCOMPARE(names, QStringList({"原始数据", "平均值", "平均偏差", "相对平均偏差(%)", "标准偏差(S)",
                               "相对标准偏差(RSD%)", "精度"}));
}

void FormWindowTest::boxesKeepTextsOfAnyLength() {
  // Longer than the 32767 characters a line edit keeps unless told otherwise.
  const std::u16string longText = std::u16string(40'000, u'0') + u"1";
  for (const char* box : {"Text1", "Text2", "Text7"}) {
    window_->SetText(box, longText);
    QVERIFY2(window_->Text(box) == longText, box);
  }
}

void FormWindowTest::altMCalculatesTypedDataAndEnterClicksNothing() {
  Type("Text1", "1 2 3\n4 5");
  QCOMPARE(window_->Text("Text1"), u"1 2 3\n4 5");
  Control("Text2").setFocus();
  QTest::keyClick(&Control("Text2"), Qt::Key_Return);
  QTest::qWait(250);  // longer than a button's click animation
  QCOMPARE(Texts(kResultBoxes), QStringList({"", "", "", "", ""}));

  PressAlt(Qt::Key_M);
  QCOMPARE(Texts(kResultBoxes), QStringList({"3", "1.2", "40%", "1.581139", "52.7046%"}));
}

void FormWindowTest::badItemsShowTheirMessagesAndKeepTheResults() {
  Type("Text1", "1 2 3 4 5");
  PressAlt(Qt::Key_M);
  Type("Text1", "1 x 3 y");
  const auto pressEnter = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); };
  const QList<QStringList> shown = AnswerBoxes([this] { PressAlt(Qt::Key_M); }, pressEnter);
  QCOMPARE(shown, QList<QStringList>({OkBox("输入正确数据", "第2个数据输入有误，请重新输入"),
                                      OkBox("输入正确数据", "第4个数据输入有误，请重新输入")}));
  QCOMPARE(Texts(kResultBoxes), QStringList({"3", "1.2", "40%", "1.581139", "52.7046%"}));
}

void FormWindowTest::altCAsksThenClears_data() {
  QTest::addColumn<int>("key");  // 0 closes the box from its title bar
  QTest::addColumn<bool>("cleared");
  QTest::newRow("Enter takes the default Yes") << int(Qt::Key_Return) << true;
  QTest::newRow("Y answers Yes") << int(Qt::Key_Y) << true;
  QTest::newRow("N answers No") << int(Qt::Key_N) << false;
  QTest::newRow("Escape answers No") << int(Qt::Key_Escape) << false;
  QTest::newRow("closing answers No") << 0 << false;
}

void FormWindowTest::altCAsksThenClears() {
  QFETCH(int, key);
  QFETCH(bool, cleared);
  Type("Text7", "0.01");
  Type("Text1", "1 2 3 4 5");
  PressAlt(Qt::Key_M);
  const QStringList boxes = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
  const QStringList before = Texts(boxes);
  QCOMPARE(before, QStringList({"1 2 3 4 5", "3", "1.2", "40%", "1.5811", "52.7%", "0.01"}));

  const QList<QStringList> shown = AnswerBoxes([this] { PressAlt(Qt::Key_C); },
                                               [key](QMessageBox& box) {
                                                 if (key == 0) return void(box.close());
                                                 QTest::keyClick(&box, Qt::Key(key));
                                               });
  QCOMPARE(shown, QList<QStringList>({{"提示", "是否要清除包括原始数据在内的所有数据？", "no icon",
                                       "modal", "是(&Y)|否(&N)", "default 是(&Y)"}}));
  QCOMPARE(Texts(boxes), cleared ? QStringList({"", "", "", "", "", "", "0.01"}) : before);
}

void FormWindowTest::yesStaysFirstWhereTheDesktopPutsItLast() {
  // A style that orders dialog buttons as GNOME does: No, then Yes.
  class GnomeOrder final : public QProxyStyle {
   public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
      if (hint == SH_DialogButtonLayout) return QDialogButtonBox::GnomeLayout;
      return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
  };
  const QString previous = QApplication::style()->name();
  QApplication::setStyle(new GnomeOrder);  // the application takes it
  const QList<QStringList> shown =
      AnswerBoxes([this] { PressAlt(Qt::Key_C); },
                  [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  QApplication::setStyle(previous);
  QCOMPARE(shown.value(0).value(4), "是(&Y)|否(&N)");
}

void FormWindowTest::germanLocaleGivesTheSameTexts() {
  QVERIFY2(QByteArray(std::localeconv()->decimal_point) == ",",
           "run under de_DE.UTF-8: tools/test.sh generates it and ctest sets LC_ALL");
  Type("Text7", "0.001");
  Type("Text1", "0.5 1.25\n2.75");
  PressAlt(Qt::Key_M);
  QCOMPARE(Texts(kResultBoxes), QStringList({"1.5", "0.833", "55.533%", "1.14564", "76.376%"}));
}

QTEST_MAIN(FormWindowTest)
#include "form_window_test.moc"
