#pragma once

#include <QList>
#include <QStringList>
#include <functional>

class QMessageBox;

// What a message box showed: title, prompt, icon, modality, its buttons from
// left to right and the default one.
QStringList Describe(const QMessageBox& box);

// Runs act, answering every modal message box shown meanwhile with answer;
// returns what each box showed, in order.
QList<QStringList> AnswerBoxes(const std::function<void()>& act,
                               const std::function<void(QMessageBox&)>& answer);
