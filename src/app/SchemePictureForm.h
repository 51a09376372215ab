#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <cstdint>

namespace vrx {

// The picture of a measuring scheme: a tool window that stays on top, white, resizable, with
// the picture centred and scaled to fit. Esc closes it, and closing destroys it.
class TSchemePictureForm : public QWidget {
  Q_OBJECT

 public:
  TSchemePictureForm();

  // The picture of a picture number from the first data folder that has it; a missing or
  // unreadable file throws EOwned with the loader's message.
  static QImage Load(const QStringList& folders, uint32_t pictureNumber);

  // Captions the window "Схема N", sizes it to the picture and shows it without blocking;
  // the first time it is centred on the screen.
  void ShowPicture(uint32_t schemeNumber, const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage picture_;
  bool placed_ = false;
};

}  // namespace vrx
