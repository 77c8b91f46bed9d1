// The fixed control IDs and window class names of the Windows windows, by the controls' own names.
#pragma once

// Every control of every window has one ID here, so that a host or a test
// finds it with GetDlgItem(window, id). The IDs of different windows do not
// overlap: an ID names one control of one window. Plain constants without
// any Windows header, so that a host program can include this file alone.
namespace vx::win32 {

// Window class names (RegisterClassW), one per window.
inline constexpr const wchar_t* kForm1Class = L"TForm1";
inline constexpr const wchar_t* kForm2Class = L"TForm2";
inline constexpr const wchar_t* kAboutClass = L"TAboutDLG";
inline constexpr const wchar_t* kSetAcadClass = L"TSetACAD";
// The symbol palette's cells and the preview box draw themselves.
inline constexpr const wchar_t* kSymbolCellClass = L"TSymbolCell";
inline constexpr const wchar_t* kPreviewBoxClass = L"TPreviewBox";
// The palette's scrolling grid of cells (ScrollBox2).
inline constexpr const wchar_t* kScrollBoxClass = L"TScrollBox";
// The panels that hold other controls.
inline constexpr const wchar_t* kPanelClass = L"TPanel";

// TForm1, the text dialog.
namespace form1 {
// Top tool bar.
inline constexpr int ToolBar1 = 1001;
inline constexpr int SpeedButton1 = 1002;  // "Open text file"
inline constexpr int SpeedButton2 = 1003;  // "Save text to file"
inline constexpr int sbSymbol = 1004;      // "Open symbol list", a toggle
inline constexpr int Panel5 = 1005;        // font height and width factor
inline constexpr int Label5 = 1006;        // "Font height"
inline constexpr int cHeight = 1007;
inline constexpr int Label4 = 1008;  // "Font width factor"
inline constexpr int cWidth = 1009;
inline constexpr int Panel6 = 1010;  // precision
inline constexpr int Label6 = 1011;  // "Precision:"
inline constexpr int Label1 = 1012;  // the track bar's position
inline constexpr int TrackBar1 = 1013;
inline constexpr int About = 1014;
// Centre.
inline constexpr int Panel3 = 1020;
inline constexpr int ToolBar3 = 1021;
inline constexpr int Label3 = 1022;  // "Select Font :    "
inline constexpr int cName = 1023;
inline constexpr int sbItalic = 1024;
inline constexpr int sbBold = 1025;
inline constexpr int Memo1 = 1026;
// Right panel: the symbol palette.
inline constexpr int Panel2 = 1030;
inline constexpr int ToolBar2 = 1031;
inline constexpr int Label2 = 1032;  // "Symbols:   "
inline constexpr int cSymbol = 1033;
inline constexpr int ScrollBox2 = 1034;
// Bottom panel.
inline constexpr int Panel1 = 1040;
inline constexpr int Panel4 = 1041;  // the navy frame around the preview
inline constexpr int PreviewBox = 1042;
inline constexpr int AcadBtn = 1043;
inline constexpr int SpeedButton3 = 1044;  // "Help"
inline constexpr int bInsSym = 1045;
inline constexpr int OkBtn = 1046;
inline constexpr int CancelBtn = 1047;
// PopupMenu1's items, as menu command IDs.
inline constexpr int Cut1 = 1051;
inline constexpr int Copy1 = 1052;
inline constexpr int Paste1 = 1053;
inline constexpr int Undo1 = 1054;
// The palette's 224 cells, children of ScrollBox2: the cell of character
// code c (32 to 255) has the ID SymbolCellFirst + c - 32.
inline constexpr int SymbolCellFirst = 1100;
inline constexpr int SymbolCellCount = 224;
inline constexpr int SymbolCell(int code) { return SymbolCellFirst + code - 32; }
}  // namespace form1

// TForm2, the start-up window with its three progress bars.
namespace form2 {
inline constexpr int Panel1 = 2001;
inline constexpr int Panel2 = 2002;
inline constexpr int Image1 = 2003;
inline constexpr int Label4 = 2004;
inline constexpr int Label5 = 2005;
inline constexpr int Label1 = 2006;
inline constexpr int ProgressBar1 = 2007;  // the TrueType faces
inline constexpr int Label2 = 2008;
inline constexpr int ProgressBar2 = 2009;  // the symbol faces
inline constexpr int Label3 = 2010;
inline constexpr int ProgressBar3 = 2011;  // the palette's cells
}  // namespace form2

// TAboutDLG, the about box.
namespace aboutdlg {
inline constexpr int Panel1 = 3001;
inline constexpr int Image1 = 3002;
inline constexpr int Label1 = 3003;  // product name
inline constexpr int Label5 = 3004;  // version
inline constexpr int Label2 = 3005;  // copyright, first line
inline constexpr int Label3 = 3006;  // copyright, second line
inline constexpr int Bevel1 = 3007;
inline constexpr int Label6 = 3008;   // the web site
inline constexpr int Label10 = 3009;  // the support mail address
inline constexpr int Label12 = 3010;  // newer versions
inline constexpr int BitBtn1 = 3011;  // help
inline constexpr int Button1 = 3012;  // "&Ok"
}  // namespace aboutdlg

// TSetACAD, the registration window.
namespace setacad {
inline constexpr int OkBtn = 4001;
inline constexpr int BitBtn2 = 4002;
inline constexpr int CheckCad = 4003;  // the group of release boxes
inline constexpr int CheckR14 = 4004;
inline constexpr int CheckR2000 = 4005;
inline constexpr int CheckR2002 = 4006;
inline constexpr int CheckR2004 = 4007;
inline constexpr int CheckR2005 = 4008;
inline constexpr int CheckR2006 = 4009;
inline constexpr int Label1 = 4010;
inline constexpr int Label2 = 4011;
inline constexpr int Image1 = 4012;
}  // namespace setacad

}  // namespace vx::win32
