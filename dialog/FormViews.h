// The form as the dialog's rules see it: one adapter per rule interface, each view carrying them out on its TForm1's controls.
#pragma once

#include "dialog/ConversionRun.h"
#include "dialog/DialogModes.h"
#include "dialog/FontList.h"
#include "dialog/FormattingRules.h"
#include "dialog/ShowAndClose.h"

// Both views implement these in their FormViews.cpp (qt/, win32/), each over
// its own TForm1.
class TForm1;

namespace vx {

// The rich-text box Memo1 for the run, the formatting rules and the preview.
class BoxEditor final : public RunEditor, public FormattingEditor {
 public:
  explicit BoxEditor(TForm1& form) : form_(form) {}
  std::u16string Text() const override;
  int SelStart() const override;
  int SelLength() const override;
  void SetSelStart(int position) override;
  CharStyle CaretStyle() const override { return SelAttributes(); }
  CharStyle SelAttributes() const override;
  void SetSelFace(const std::string& face) override;
  void SetSelSize(int points) override;
  void SetSelStyle(bool bold, bool italic) override;
  std::vector<std::u16string> Lines() const override;

 private:
  TForm1& form_;
};

// The window title, the two buttons, Panel5, AcadBtn and the border icons.
class FormModeView final : public ModeView {
 public:
  explicit FormModeView(TForm1& form) : form_(form) {}
  void SetTitle(std::u16string_view title) override;
  void SetOkCaptionAndHint(std::u16string_view caption, std::u16string_view hint) override;
  void SetCancelCaption(std::u16string_view caption) override;
  void HideSizeBoxesAndAcad() override;
  void SetMinimizeBox(bool present) override;

 private:
  TForm1& form_;
};

// The form around the conversion run.
class FormRunView final : public RunView {
 public:
  explicit FormRunView(TForm1& form) : form_(form), editor_(form) {}
  RunEditor& Editor() override { return editor_; }
  std::u16string WidthBoxText() const override;
  void ShowWaitCursor(bool shown) override;
  void ShowMessage(std::u16string_view text) override;
  std::optional<std::string> AskDxfFileName() override;
  void CloseWithOk() override;
  void SelectionChanged() override;
  void RepaintPreview() override;

 private:
  TForm1& form_;
  BoxEditor editor_;
};

// cName, cHeight, cWidth, sbBold, sbItalic and Label1.
class FormFormattingControls final : public FormattingControls {
 public:
  explicit FormFormattingControls(TForm1& form) : form_(form), editor_(form) {}
  FormattingEditor& Editor() override { return editor_; }
  std::u16string FaceBoxText() const override;
  void SetFaceBoxText(std::u16string_view text) override;
  std::u16string HeightBoxText() const override;
  void SetHeightBoxText(std::u16string_view text) override;
  std::u16string WidthBoxText() const override;
  void SetWidthBoxText(std::u16string_view text) override;
  void RefocusHeightBox() override;
  void RefocusWidthBox() override;
  bool BoldDown() const override;
  bool ItalicDown() const override;
  void SetStyleButtons(bool boldDown, bool italicDown) override;
  void SetPrecisionLabel(std::u16string_view text) override;
  void SelectionChanged() override;
  void RefreshPreview() override;

 private:
  TForm1& form_;
  BoxEditor editor_;
};

// The track bar, cSymbol, sbSymbol, the window state, the palette and Memo1
// as showing and closing the dialog use them.
class FormShowCloseView final : public ShowCloseView {
 public:
  explicit FormShowCloseView(TForm1& form) : form_(form), formatting_(form) {}
  FormattingControls& Formatting() override { return formatting_; }
  void SetTrackBarPosition(int position) override;
  int TrackBarPosition() const override;
  int SymbolCount() const override;
  int DefaultSymbol() const override;
  void ChooseSymbol(int index) override;
  int ChosenSymbol() const override;
  void SetPaletteButtonDown(bool down) override;
  bool PaletteButtonDown() const override;
  void SetMaximized(bool maximized) override;
  bool Maximized() const override;
  void FollowPaletteButton() override;
  bool ApplySymbolFont() override;
  void ForgetSelectedCell() override;
  void EmptyTextBox() override;
  void FocusTextBox() override;

 private:
  TForm1& form_;
  FormFormattingControls formatting_;
};

// The start-up window Form2 while it exists; its absence shows nothing.
class StartUpProgress final : public CatalogueProgress {
 public:
  void ShowCaption(int phase, std::u16string_view caption) override;
  void StartBar(int phase, int maximum) override;
  void StepBar(int phase) override;
};

}  // namespace vx
