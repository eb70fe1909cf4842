#include "tests/gui/GuiFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "tests/support/TestPictures.h"
#include "views/TessalyView.h"

namespace {

QSettings Profile() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brackenfold", "Quillaran");
}

}  // namespace

void GuiFixture::SetUp() {
  // The profile file lives in this test's own directory.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString((temp / "config").string()));
}

void GuiFixture::TearDown() {
  if (app != nullptr && app->Frame() != nullptr && app->Frame()->isVisible()) {
    Album().Record().MarkRecordCurrent();  // nothing to ask at the end of a test
    app->Frame()->close();
  }
  app.reset();
}

void GuiFixture::Start(int learning, const std::string& directory) {
  QSettings settings = Profile();
  settings.setValue("Parameters/Learning", learning);
  settings.sync();
  app = std::make_unique<CTessalyApp>();
  app->Ui().openHandler = [this](const std::string& target) {
    opened.push_back(target);
    return true;
  };
  app->Start(QString::fromStdString(directory));
  Frame().resize(1000 + Frame().width() - View().viewport()->width(), 700);
  QApplication::processEvents();
  WaitForLoad();
}

void GuiFixture::WaitForLoad() {
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Album().Loader().IsLoading(); }, 20000));
}

std::string GuiFixture::MakeAlbum(int n) {
  const std::filesystem::path dir = temp / "album";
  std::filesystem::create_directories(dir);
  for (int i = 0; i < n; ++i) {
    const uint8_t tag = static_cast<uint8_t>(40 * i);
    CImageWrap picture = MakePicture24(60, 40, [tag](int x, int y) {
      return Rgb{tag, static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 6)};
    });
    picture.Save((dir / ("p" + std::to_string(i) + ".png")).string());
  }
  return dir.string();
}

void GuiFixture::Trigger(int id) { Action(id).trigger(); }

namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  QMouseEvent event(type, point, target->mapToGlobal(point), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

}  // namespace

void GuiFixture::MouseMove(QPoint p, bool leftDown) {
  View().verticalScrollBar()->setValue(0);
  SendMouse(View().viewport(), QEvent::MouseMove, p, Qt::NoButton,
            leftDown ? Qt::LeftButton : Qt::NoButton);
}

void GuiFixture::MousePress(QPoint p) {
  View().verticalScrollBar()->setValue(0);
  SendMouse(View().viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}

void GuiFixture::MouseRelease(QPoint p) {
  View().verticalScrollBar()->setValue(0);
  SendMouse(View().viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

void GuiFixture::DragOn(QWidget* target, QPoint from, QPoint to) {
  SendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  SendMouse(target, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  SendMouse(target, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void GuiFixture::KeyOn(QWidget* window, char character) {
  window->activateWindow();
  QApplication::setActiveWindow(window);
  QTest::keyClick(window, character);
}

QPoint GuiFixture::SketchCentre(int position) {
  const Rect r = Album().Pictures().EntryAtPosition(position).sketchRect;
  return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void GuiFixture::WhenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [this, timer, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      return;
    }
    timer->stop();
    timer->deleteLater();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      modalTexts.push_back(box->text());
    }
    act(modal);
  });
  timer->start();
}

void GuiFixture::AnswerMessage(const QString& button) {
  WhenModal([button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == button) {
        b->click();
        return;
      }
    }
    ADD_FAILURE() << "no button " << button.toStdString();
    box->reject();
  });
}
