#include "shell/OptionPage.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>

COptionPage::COptionPage(QWidget* parent) : QWidget(parent) {}

void COptionPage::ShowMembers() {
  showing_ = true;
  ShowControls();
  showing_ = false;
}

void COptionPage::SetModified(bool modified) {
  if (modified_ != modified) {
    modified_ = modified;
    emit modifiedChanged();
  }
}

void COptionPage::MarkModified() {
  if (!showing_) {
    SetModified(true);
  }
}

QGridLayout* COptionPage::ControlsBeside(QWidget* controls) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(controls, 0, 0, 3, 1);
  const QPixmap picture = DecorationPicture();
  for (int row = 0; row < 3; ++row) {
    auto* label = new QLabel(this);
    label->setPixmap(picture);
    layout->addWidget(label, row, 1, Qt::AlignCenter);
  }
  layout->setColumnStretch(0, 1);
  return layout;
}

QLineEdit* COptionPage::IntegerField(const char* name) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0000000") + 12);
  return field;
}

namespace {

bool Refuse(QLineEdit* field, const QString& message) {
  QMessageBox::warning(field->window(), QApplication::applicationName(), message);
  field->setFocus();
  field->selectAll();
  return false;
}

}  // namespace

bool COptionPage::ReadInteger(QLineEdit* field, int& value) {
  bool ok = false;
  const int read = field->text().trimmed().toInt(&ok);
  if (!ok) {
    return Refuse(field, "Please enter an integer.");
  }
  value = read;
  return true;
}

bool COptionPage::ReadInteger(QLineEdit* field, int& value, int min, int max) {
  int read = 0;
  if (!ReadInteger(field, read)) {
    return false;
  }
  if (read < min || read > max) {
    return Refuse(field, QString("Please enter an integer between %1 and %2.").arg(min).arg(max));
  }
  value = read;
  return true;
}

void COptionPage::ShowInteger(QLineEdit* field, int value) { field->setText(QString::number(value)); }

QPixmap DecorationPicture() {
  QPixmap picture(48, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  // The frame, and the picture inside it.
  painter.setPen(QPen(QColor(128, 0, 0), 1));
  painter.setBrush(QColor(192, 192, 192));
  painter.drawRect(QRectF(1.5, 1.5, 45, 61));
  const QRectF inside(7, 7, 34, 50);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 255, 255));
  painter.drawRect(inside);
  painter.setClipRect(inside);
  painter.setBrush(QColor(255, 255, 0));
  painter.drawEllipse(QPointF(31, 17), 6, 6);
  QPainterPath far;
  far.moveTo(7, 40);
  far.quadTo(20, 22, 41, 38);
  far.lineTo(41, 57);
  far.lineTo(7, 57);
  painter.setBrush(QColor(0, 128, 0));
  painter.drawPath(far);
  QPainterPath near;
  near.moveTo(7, 50);
  near.quadTo(28, 36, 41, 52);
  near.lineTo(41, 57);
  near.lineTo(7, 57);
  painter.setBrush(QColor(0, 255, 0));
  painter.drawPath(near);
  painter.setClipping(false);
  painter.setPen(QPen(QColor(0, 0, 0), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(6.5, 6.5, 35, 51));
  return picture;
}
