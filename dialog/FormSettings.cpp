// The dialog's remembered settings carried between the controls of TForm1 and the per-user store.
#include "dialog/FormSettings.h"

#include <QComboBox>
#include <QSlider>
#include <QToolButton>

#include "dialog/DialogSettings.h"
#include "dialog/MainDlg.h"
#include "dialog/RichEditBox.h"

namespace vx {

void RestoreFormSettings(TForm1& form) {
  const DialogSettings settings = ReadDialogSettings(form.Memo1->SelAttributes().face.toStdString());
  // The track bar brings the value into its range and raises its change event.
  form.TrackBar1->setValue(settings.precision);
  // Set by code: no change event, so nothing is applied to the text.
  form.cName->setEditText(QString::fromStdString(settings.fontName));
  // An index outside the list leaves no item chosen.
  const int index = settings.symbolIndex;
  form.cSymbol->setCurrentIndex(index >= 0 && index < form.cSymbol->count() ? index : -1);
  form.sbSymbol->setChecked(settings.showSymbol);
  Qt::WindowStates state = form.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
  if (settings.maximized) state |= Qt::WindowMaximized;
  form.setWindowState(state);
}

void StoreFormSettings(const TForm1& form) {
  DialogSettings settings;
  settings.precision = form.TrackBar1->value();
  settings.fontName = form.cName->currentText().toStdString();
  settings.symbolIndex = form.cSymbol->currentIndex();  // -1 when none is chosen
  settings.showSymbol = form.sbSymbol->isChecked();
  // Only a maximized window counts; a minimized one is stored as normal.
  const Qt::WindowStates state = form.windowState();
  settings.maximized = state.testFlag(Qt::WindowMaximized) && !state.testFlag(Qt::WindowMinimized);
  WriteDialogSettings(settings);
}

}  // namespace vx
