#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/form_description.h"
#include "runtime/form_services.h"

namespace quorvel::runtime::qt {

// Hosts any window description as a fixed-size Qt window: builds its controls
// at the screen's logical DPI, hands every button click and menu command to
// the click target by name, and every change of a box's text, and gives the
// target the window's boxes, the clipboard and message boxes. Assistive
// technology meets it as a window named by its caption.
class FormWindow final : public QWidget, public FormServices {
  Q_OBJECT

 public:
  // The target must outlive the window.
  FormWindow(const FormDescription& description, ClickTarget& target, QWidget* parent = nullptr);

  std::u16string Text(std::string_view box) const override;
  std::size_t TextLength(std::string_view box) const override;
  void SetText(std::string_view box, std::u16string_view text) override;
  void SelectText(std::string_view box, std::size_t start, std::size_t length) override;
  void SetStale(std::string_view box, bool stale) override;
  bool CopyToClipboard(std::u16string_view text) override;
  MsgBoxAnswer MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                      std::u16string_view title) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Picture {
    QRect rect;
    QPixmap pixmap;
  };

  void AddControl(const ControlDescription& description, int dpi);
  void AddCommand(const MenuCommand& command);
  void Deliver(const std::string& name);
  QWidget& Box(std::string_view name) const;

  ClickTarget& target_;
  std::map<std::string, QWidget*, std::less<>> boxes_;  // owned by the window as children
  std::vector<Picture> pictures_;
};

}  // namespace quorvel::runtime::qt
