#pragma once
// "Options": the three pages General, Web Page View and Advanced over one copy each of the
// album's settings blocks. OK and Apply read the page in front (its fields checked) and hand
// the three blocks to the album; Cancel keeps what an earlier Apply did.

#include <QDialog>
#include <array>

class CPageAdv;
class CPageGeneral;
class CPageWebView;
class CPixDir;
class COptionPage;
class QPushButton;
class QTabWidget;

class COptionSheet : public QDialog {
  Q_OBJECT
 public:
  COptionSheet(CPixDir& album, QWidget* parent = nullptr);

  CPageAdv* advancedPage;
  CPageGeneral* generalPage;
  CPageWebView* webViewPage;

  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* ApplyButton() const { return apply_; }
  // The album takes over the three pages: rebuild, repaint, record out of date.
  void ApplyToAlbum();
  void accept() override;

 private:
  COptionPage* PageAt(int index) const;
  void PageChanged(int index);
  void OnApply();
  void UpdateApplyButton();

  CPixDir& album_;
  QTabWidget* tabs_;
  QPushButton* apply_;
  int shownPage_ = 0;
};
