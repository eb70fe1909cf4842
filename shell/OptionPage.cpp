#include "shell/OptionPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <limits>

#include "album/Settings.h"

COptionPage::COptionPage(QWidget* parent) : QWidget(parent) {}

void COptionPage::ShowMembers() {
  showing_ = true;
  for (const BoundField& bound : fields_) {
    bound.field->setText(QString::number(*bound.member));
  }
  for (const BoundCheck& bound : checks_) {
    bound.box->setChecked(*bound.member == 1);
  }
  ShowOthers();
  showing_ = false;
}

namespace {

bool Refuse(QLineEdit* field, const QString& message) {
  QMessageBox::warning(field->window(), QApplication::applicationName(), message);
  field->setFocus();
  field->selectAll();
  return false;
}

}  // namespace

bool COptionPage::Exchange() {
  for (const BoundField& bound : fields_) {
    bool ok = false;
    const int value = bound.field->text().trimmed().toInt(&ok);
    if (!ok) {
      return Refuse(bound.field, "Please enter an integer.");
    }
    if (value < bound.min || value > bound.max) {
      return Refuse(
          bound.field,
          QString("Please enter an integer between %1 and %2.").arg(bound.min).arg(bound.max));
    }
    *bound.member = value;
  }
  for (const BoundCheck& bound : checks_) {
    *bound.member = bound.box->isChecked() ? 1 : 0;
  }
  return ExchangeOthers();
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

QLineEdit* COptionPage::IntegerField(const char* name, int32_t& member, bool checkRange) {
  const SettingRange* range = checkRange ? FindSettingRange(name) : nullptr;
  const int min = range != nullptr ? range->min : std::numeric_limits<int>::min();
  const int max = range != nullptr ? range->max : std::numeric_limits<int>::max();
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0000000") + 12);
  connect(field, &QLineEdit::textEdited, this, &COptionPage::MarkModified);
  fields_.push_back({field, &member, min, max});
  return field;
}

QCheckBox* COptionPage::CheckBox(const char* text, const char* name, int32_t& member) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(name);
  connect(box, &QCheckBox::clicked, this, &COptionPage::MarkModified);
  checks_.push_back({box, &member});
  return box;
}

void COptionPage::ControlsBeside(QWidget* controls) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(controls, 0, 0, 3, 1);
  const QPixmap picture = DecorationPicture();
  for (int row = 0; row < 3; ++row) {
    auto* label = new QLabel(this);
    label->setPixmap(picture);
    layout->addWidget(label, row, 1, Qt::AlignCenter);
  }
  layout->setColumnStretch(0, 1);
}

QPixmap DecorationPicture() {
  QPixmap picture(48, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  // The frame, and the picture inside it: sky, sun, a far and a near hill.
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
  const auto hill = [&painter](qreal left, QPointF crest, qreal right, const QColor& color) {
    QPainterPath path;
    path.moveTo(7, left);
    path.quadTo(crest, QPointF(41, right));
    path.lineTo(41, 57);
    path.lineTo(7, 57);
    painter.setBrush(color);
    painter.drawPath(path);
  };
  hill(40, QPointF(20, 22), 38, QColor(0, 128, 0));
  hill(50, QPointF(28, 36), 52, QColor(0, 255, 0));
  painter.setClipping(false);
  painter.setPen(QPen(QColor(0, 0, 0), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(6.5, 6.5, 35, 51));
  return picture;
}
