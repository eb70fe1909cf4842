#pragma once
// The About box: the program icon, "Quillaran Version %s" and our copyright line.

#include <QDialog>
#include <string>

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  CAboutDlg(const std::string& version, QWidget* parent = nullptr);
};
