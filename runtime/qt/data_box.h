#pragma once

#include <QPlainTextEdit>

namespace quorvel::runtime::qt {

// The multi-line box. Pasting inserts the plain text straight into the
// document: the default paste first builds a whole second document from the
// text and then copies it block by block, which for a million lines keeps the
// window frozen several times as long.
class DataBox final : public QPlainTextEdit {
 public:
  DataBox(const QString& text, QWidget* parent);

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace quorvel::runtime::qt
