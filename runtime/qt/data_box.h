#pragma once

#include <QPlainTextEdit>

namespace quorvel::runtime::qt {

// The multi-line box. Pasting inserts the plain text straight into the
// document: the default paste first builds a whole second document from the
// text and then copies it block by block, which for a million lines keeps the
// window frozen several times as long.
//
// Its undo history stays bounded through a long session: a write the user
// did not type, the host's (清空) or a paste of kLargePaste units or more,
// drops every step before it and is itself the one step Ctrl+Z takes back.
// The document keeps every text it ever held until it is cleared, removed
// text included, so emptying its undo stacks alone would free little.
class DataBox final : public QPlainTextEdit {
 public:
  static constexpr qsizetype kLargePaste = 64 * 1024;

  DataBox(const QString& text, QWidget* parent);

  // Puts `text` (in few blocks) in place of the whole text, as above.
  void ReplaceText(const QString& text);

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};

// The text as the data box holds it: its lines, however they were ended
// (LF, CR LF or a lone CR, as Qt reads them), mostly joined by line separators
// into blocks of a few dozen lines. The document walks its trees for every
// block it creates, which for a million one-line blocks freezes the window for
// seconds; laying out the one short block being typed in stays cheap.
// BoxText reads both kinds of break back as line feeds.
QString InFewBlocks(QString text);

}  // namespace quorvel::runtime::qt
