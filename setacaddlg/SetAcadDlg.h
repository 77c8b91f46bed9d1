// The registration window TSetACAD: finds AutoCAD releases and registers the host module with them.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

#include "dialog/HostExports.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;

// The window "Set AutoCAD ARX command". Showing it looks up the installed
// releases (FormShow); OK registers the checked ones (OkBtnClick) and closes
// the window with the Accepted result only when every one succeeded. Cancel
// and Escape close it with the Rejected result. Registry errors are shown in
// a message box and never leave the window.
class TSetACAD : public QDialog {
  Q_OBJECT

 public:
  explicit TSetACAD(QWidget* owner = nullptr);
  ~TSetACAD() override;

  QPushButton* OkBtn;
  QPushButton* BitBtn2;
  QGroupBox* CheckCad;
  QCheckBox* CheckR14;
  QCheckBox* CheckR2000;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Image1;
  QCheckBox* CheckR2002;
  QCheckBox* CheckR2004;
  QCheckBox* CheckR2005;
  QCheckBox* CheckR2006;
  // Folder of the running executable with its trailing delimiter (UTF-8).
  std::string FExePath;

  // Discovery: enables the check box of each release found, re-captions the
  // others, and disables OkBtn when nothing is found at all.
  void FormShow(QObject* sender);
  // Registration of every checked release in order, one message per failure.
  void OkBtnClick(QObject* sender);

  bool FindAcad(std::string_view releaseKey, std::string_view wantedProduct, bool productCompared) const;
  bool RegisterArxR14(std::string_view releaseKey, std::string_view moduleSuffix, std::string_view wantedProduct,
                      bool productCompared) const;
  bool RegisterArxR16(std::string_view releaseKey, std::string_view moduleSuffix, std::string_view wantedProduct,
                      bool productCompared) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QCheckBox* ReleaseBox(std::size_t row) const;
  void ShowMessage(const QString& text, bool isError);
};

// SetACAD, the open registration window, is declared with the other names
// of the host contract in dialog/HostExports.h.

// Creates a window, keeps it in SetACAD while it runs modally, then destroys
// it and empties SetACAD again; returns the modal result.
int ExecSetACAD();
