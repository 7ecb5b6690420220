#include "message_box_watch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

QStringList Describe(const QMessageBox& box) {
  QList<QAbstractButton*> buttons = box.buttons();
  std::ranges::sort(buttons, {},
                    [&box](const QAbstractButton* b) { return b->mapTo(&box, QPoint()).x(); });
  QStringList captions;
  for (const QAbstractButton* button : buttons) captions << button->text();
  return {box.windowTitle(),
          box.text(),
          box.icon() == QMessageBox::NoIcon ? "no icon" : "icon",
          box.isModal() ? "modal" : "modeless",
          captions.join('|'),
          box.defaultButton() ? "default " + box.defaultButton()->text() : "no default"};
}

QList<QStringList> AnswerBoxes(const std::function<void()>& act,
                               const std::function<void(QMessageBox&)>& answer) {
  QList<QStringList> shown;
  // A modal box runs its own event loop, so a timer is what still gets to it.
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, &watcher, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool()) return;
    box->setProperty("answered", true);
    shown << Describe(*box);
    answer(*box);
  });
  watcher.start(10);
  act();
  return shown;
}
