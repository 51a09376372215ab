#include "app/SchemePictureForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "app/QtImage.h"
#include "report/SchemePictures.h"

namespace vrx {

TSchemePictureForm::TSchemePictureForm() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("SchemePictureForm"));
  setAttribute(Qt::WA_DeleteOnClose);
}

QImage TSchemePictureForm::Load(const QStringList& folders, uint32_t pictureNumber) {
  return ToQImage(LoadJpegFile(SchemePicturePath(folders, pictureNumber)));
}

void TSchemePictureForm::ShowPicture(uint32_t schemeNumber, const QImage& picture) {
  setWindowTitle(QStringLiteral("Схема %1").arg(schemeNumber));
  picture_ = picture;
  resize(picture_.size());
  if (!placed_) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
    placed_ = true;
  }
  update();
  show();
}

void TSchemePictureForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (picture_.isNull())
    return;
  const QSize size = picture_.size().scaled(this->size(), Qt::KeepAspectRatio);
  QRect target(QPoint(), size);
  target.moveCenter(rect().center());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_);
}

void TSchemePictureForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vrx
