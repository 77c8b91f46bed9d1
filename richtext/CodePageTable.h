// The code pages documents name that the decoder reads, and the converter that reads each.
#pragma once

namespace vx {

struct CodePageEntry {
  int codePage;           // as a document names it (RTF \ansicpg, \cpg)
  int windowsPage;        // the Windows page that decodes it
  const char* converter;  // the glibc converter that decodes it; also names
                          // the page's double-byte layout (DoubleByteCodePages.h)
};

// Windows and Mac code pages. Mac pages without a converter of their own on
// both systems use the nearest one that exists (the Far-East Mac pages match
// their Windows siblings), so that both systems read a document alike.
inline constexpr CodePageEntry kCodePages[] = {
    {437, 437, "CP437"},        {850, 850, "CP850"},        {874, 874, "CP874"},
    {932, 932, "CP932"},        {936, 936, "CP936"},        {949, 949, "CP949"},
    {950, 950, "CP950"},        {1250, 1250, "CP1250"},     {1251, 1251, "CP1251"},
    {1252, 1252, "CP1252"},     {1253, 1253, "CP1253"},     {1254, 1254, "CP1254"},
    {1255, 1255, "CP1255"},     {1256, 1256, "CP1256"},     {1257, 1257, "CP1257"},
    {1258, 1258, "CP1258"},     {1361, 1361, "JOHAB"},      {10000, 10000, "MACINTOSH"},
    {10001, 932, "CP932"},      {10002, 950, "CP950"},      {10003, 949, "CP949"},
    {10007, 10007, "MAC-CYRILLIC"}, {10008, 936, "CP936"},  {10029, 10029, "MAC-CENTRALEUROPE"},
    {20127, 20127, "ASCII"},    {28591, 28591, "ISO-8859-1"}, {28592, 28592, "ISO-8859-2"},
    {28595, 28595, "ISO-8859-5"}, {28597, 28597, "ISO-8859-7"}, {20866, 20866, "KOI8-R"},
    {21866, 21866, "KOI8-U"},
};

// The table's entry for a page; the entry of 1252 for a page not in it.
inline const CodePageEntry& CodePageEntryFor(int codePage) {
  const CodePageEntry* windows1252 = nullptr;
  for (const CodePageEntry& entry : kCodePages) {
    if (entry.codePage == codePage) return entry;
    if (entry.codePage == 1252) windows1252 = &entry;
  }
  return *windows1252;
}

}  // namespace vx
