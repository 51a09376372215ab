#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace vrx {

// The icon a dialog shows.
enum class DialogKind : uint8_t {
  Warning = 0,
  Error = 1,
  Information = 2,
  Confirmation = 3,
  Custom = 4
};

// Colours as the dialogs take them: 0x00BBGGRR for a plain colour, or a system colour.
inline constexpr uint32_t kColorNone = 0x1FFFFFFF;  // the dialog keeps its own colour
inline constexpr uint32_t kColorButtonFace = 0xFF00000F;
inline constexpr uint32_t kColorWindowText = 0xFF000008;
inline constexpr uint32_t kColorRed = 0x000000FF;

struct DialogFont {
  QString family = QStringLiteral("Arial");
  int pointSize = 10;
  bool bold = false;
  uint32_t colour = kColorWindowText;
  bool operator==(const DialogFont&) const = default;
};

// Every message of the tool goes through this interface: the window shows dialogs, the command
// line prints, tests record and answer from a script.
class Messages {
 public:
  virtual ~Messages() = default;

  // Returns the number of the pressed button counted from 1; 0 for the appended "Отмена" (when
  // addCancel is set) and for Esc on a dialog that has it.
  virtual int CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                           const std::optional<DialogFont>& font, uint32_t colour, bool addCancel,
                           int defaultIndex, const QStringList& buttons) = 0;

  void ShowError(const QString& text);
  void ShowInfo(const QString& text);
  // True when "Да" was pressed.
  bool Confirm(const QString& text);
};

// Keeps every dialog shown and answers from a script: each dialog takes the next scripted answer,
// or 1 (the first button) when the script is used up.
class RecordingMessages : public Messages {
 public:
  struct Shown {
    DialogKind kind;
    QString text;
    QString caption;
    std::optional<DialogFont> font;
    uint32_t colour;
    bool addCancel;
    int defaultIndex;
    QStringList buttons;
  };

  int CustomDialog(DialogKind kind, const QString& text, const QString& caption,
                   const std::optional<DialogFont>& font, uint32_t colour, bool addCancel,
                   int defaultIndex, const QStringList& buttons) override;

  void Answer(int button) { script_.push_back(button); }
  const std::vector<Shown>& All() const { return shown_; }
  // The texts of all dialogs shown, in order.
  QStringList Texts() const;
  void Clear() { shown_.clear(); }

 private:
  std::vector<Shown> shown_;
  std::vector<int> script_;
  size_t nextAnswer_ = 0;
};

}  // namespace vrx
