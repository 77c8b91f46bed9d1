// The Qt form as the dialog's rules see it: the rule interfaces carried out on TForm1's widgets.
#include "dialog/FormViews.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <array>

#include "dialog/qt/DialogWidgets.h"
#include "dialog/qt/InitProgress.h"
#include "dialog/qt/MainDlg.h"
#include "dialog/qt/RichEditBox.h"
#include "richtext/LayoutInput.h"

namespace vx {
namespace {

QString ToQString(std::u16string_view text) { return QStringView(text).toString(); }

// After the focus change under way has finished.
void RefocusLater(QWidget* box) {
  QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
}

}  // namespace

// ---- Memo1 ---------------------------------------------------------------------------

std::u16string BoxEditor::Text() const { return form_.Memo1->Text(); }
int BoxEditor::SelStart() const { return form_.Memo1->SelStart(); }
int BoxEditor::SelLength() const { return form_.Memo1->SelLength(); }
void BoxEditor::SetSelStart(int position) { form_.Memo1->SetSelStart(position); }

CharStyle BoxEditor::SelAttributes() const {
  return StyleOf(ToCharFormat(form_.Memo1->SelAttributes()));
}

void BoxEditor::SetSelFace(const std::string& face) { form_.Memo1->SetSelFace(QString::fromStdString(face)); }
void BoxEditor::SetSelSize(int points) { form_.Memo1->SetSelSize(points); }
void BoxEditor::SetSelStyle(bool bold, bool italic) { form_.Memo1->SetSelStyle(bold, italic); }

std::vector<std::u16string> BoxEditor::Lines() const {
  std::vector<std::u16string> lines;
  for (QTextBlock block = form_.Memo1->document()->begin(); block.isValid(); block = block.next()) {
    lines.push_back(block.text().toStdU16String());
  }
  return lines;
}

// ---- Modes ---------------------------------------------------------------------------

void FormModeView::SetTitle(std::u16string_view title) { form_.setWindowTitle(ToQString(title)); }

void FormModeView::SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) {
  form_.OkBtn->setText(ToQString(caption));
  form_.OkBtn->setToolTip(ToQString(hint));
}

void FormModeView::SetCancelCaption(std::u16string_view caption) { form_.CancelBtn->setText(ToQString(caption)); }

void FormModeView::HideSizeBoxesAndAcad() {
  form_.Panel5->hide();
  form_.AcadBtn->hide();
}

void FormModeView::SetMinimizeBox(bool present) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
  if (present) flags |= Qt::WindowMinimizeButtonHint;
  if (form_.windowFlags() != flags) form_.setWindowFlags(flags);
}

// ---- The conversion run -----------------------------------------------------------------

std::u16string FormRunView::WidthBoxText() const { return form_.cWidth->currentText().toStdU16String(); }

void FormRunView::ShowWaitCursor(bool shown) {
  if (shown) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

void FormRunView::ShowMessage(std::u16string_view text) { form_.ShowMessage(ToQString(text)); }

std::optional<std::string> FormRunView::AskDxfFileName() {
  // The name filter offers *.dxf; a literal "*.dxf" in the name box would be
  // saved as a file of that name, so the box starts empty.
  QFileDialog& save = *form_.SaveDialog2;
  save.selectFile(QString());
  if (save.exec() != QDialog::Accepted || save.selectedFiles().isEmpty()) return std::nullopt;
  return save.selectedFiles().first().toStdString();
}

void FormRunView::CloseWithOk() { form_.accept(); }
void FormRunView::SelectionChanged() { form_.Memo1SelectionChange(form_.Memo1); }
void FormRunView::RepaintPreview() { form_.PreviewBox->update(); }

// ---- Formatting controls ------------------------------------------------------------------

std::u16string FormFormattingControls::FaceBoxText() const { return form_.cName->currentText().toStdU16String(); }
void FormFormattingControls::SetFaceBoxText(std::u16string_view text) { form_.cName->setEditText(ToQString(text)); }
std::u16string FormFormattingControls::HeightBoxText() const {
  return form_.cHeight->currentText().toStdU16String();
}
void FormFormattingControls::SetHeightBoxText(std::u16string_view text) {
  form_.cHeight->setEditText(ToQString(text));
}
std::u16string FormFormattingControls::WidthBoxText() const { return form_.cWidth->currentText().toStdU16String(); }
void FormFormattingControls::SetWidthBoxText(std::u16string_view text) { form_.cWidth->setEditText(ToQString(text)); }
void FormFormattingControls::RefocusHeightBox() { RefocusLater(form_.cHeight); }
void FormFormattingControls::RefocusWidthBox() { RefocusLater(form_.cWidth); }
bool FormFormattingControls::BoldDown() const { return form_.sbBold->isChecked(); }
bool FormFormattingControls::ItalicDown() const { return form_.sbItalic->isChecked(); }

void FormFormattingControls::SetStyleButtons(bool boldDown, bool italicDown) {
  form_.sbBold->setChecked(boldDown);
  form_.sbItalic->setChecked(italicDown);
}

void FormFormattingControls::SetPrecisionLabel(std::u16string_view text) { form_.Label1->setText(ToQString(text)); }
void FormFormattingControls::SelectionChanged() { form_.Memo1SelectionChange(form_.Memo1); }
void FormFormattingControls::RefreshPreview() { form_.PreviewStep(); }

// ---- Show and close -----------------------------------------------------------------------

void FormShowCloseView::SetTrackBarPosition(int position) { form_.TrackBar1->setValue(position); }
int FormShowCloseView::TrackBarPosition() const { return form_.TrackBar1->value(); }
int FormShowCloseView::SymbolCount() const { return form_.cSymbol->count(); }
int FormShowCloseView::DefaultSymbol() const { return form_.FullestSymbol(); }
void FormShowCloseView::ChooseSymbol(int index) { form_.cSymbol->setCurrentIndex(index); }
int FormShowCloseView::ChosenSymbol() const { return form_.cSymbol->currentIndex(); }
void FormShowCloseView::SetPaletteButtonDown(bool down) { form_.sbSymbol->setChecked(down); }
bool FormShowCloseView::PaletteButtonDown() const { return form_.sbSymbol->isChecked(); }

void FormShowCloseView::SetMaximized(bool maximized) {
  Qt::WindowStates state = form_.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
  if (maximized) state |= Qt::WindowMaximized;
  form_.setWindowState(state);
}

bool FormShowCloseView::Maximized() const {
  const Qt::WindowStates state = form_.windowState();
  return state.testFlag(Qt::WindowMaximized) && !state.testFlag(Qt::WindowMinimized);
}

void FormShowCloseView::FollowPaletteButton() { form_.sbSymbolClick(nullptr); }
bool FormShowCloseView::ApplySymbolFont() { return form_.ApplySymbolFont(); }
void FormShowCloseView::ForgetSelectedCell() { form_.SelectedCell = nullptr; }

void FormShowCloseView::EmptyTextBox() {
  // Emptying the box is no selection change: the font box keeps the name
  // just restored until the user moves in the text.
  const QSignalBlocker quiet(form_.Memo1);
  form_.Memo1->Clear();
}

void FormShowCloseView::FocusTextBox() { form_.Memo1->setFocus(); }

// ---- The start-up window ------------------------------------------------------------------

namespace {

struct PhaseControls {
  QLabel* caption;
  QProgressBar* bar;
};

PhaseControls ControlsOf(TForm2& window, int phase) {
  const std::array<PhaseControls, 3> phases{{{window.Label1, window.ProgressBar1},
                                              {window.Label2, window.ProgressBar2},
                                              {window.Label3, window.ProgressBar3}}};
  return phases.at(static_cast<std::size_t>(phase));
}

}  // namespace

void StartUpProgress::ShowCaption(int phase, std::u16string_view caption) {
  if (Form2) TForm2::ShowCaption(ControlsOf(*Form2, phase).caption, ToQString(caption));
}

void StartUpProgress::StartBar(int phase, int maximum) {
  if (Form2) TForm2::StartBar(ControlsOf(*Form2, phase).bar, maximum);
}

void StartUpProgress::StepBar(int phase) {
  if (Form2) TForm2::StepBar(ControlsOf(*Form2, phase).bar);
}

}  // namespace vx
