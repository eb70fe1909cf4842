#include "shell/AboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

CAboutDlg::CAboutDlg(const std::string& version, QWidget* parent) : QDialog(parent) {
  setWindowTitle("About Quillaran");
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(":/icons/quillaran.svg").pixmap(48, 48));
  auto* versionLine = new QLineEdit(QString("Quillaran Version %1").arg(QString::fromStdString(version)), this);
  versionLine->setObjectName("VersionLine");
  versionLine->setReadOnly(true);
  versionLine->setFrame(false);
  auto* copyright = new QLabel("Copyright \u00A9 2026 the Brackenfold developers", this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(versionLine, 0, 1);
  layout->addWidget(copyright, 1, 1);
  layout->addWidget(buttons, 0, 2, Qt::AlignTop);
  layout->setColumnMinimumWidth(1, 260);
}
