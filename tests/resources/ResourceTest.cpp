// Checks the resources linked into the program (bitmaps, icons, dialog
// templates, version, manifest) and the skins folder laid out beside it.
// Runs under Wine with the dist folder as working directory.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"

namespace {

struct Blob {
  const uint8_t* data = nullptr;
  DWORD size = 0;
};

Blob FindBlob(int id, LPCWSTR type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, info);
  if (loaded == nullptr) return {};
  return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(module, info)};
}

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// ---------------------------------------------------------------------------
// Bitmaps

struct BitmapCase {
  int id;
  int width;
  int height;
};

const BitmapCase kBitmaps[] = {
    {IDB_MAIN_NORMAL, 822, 544},         {IDB_MAIN_OVER, 822, 544},
    {IDB_MAIN_PRESSED, 822, 544},        {IDB_BUTTON_NORMAL, 822, 342},
    {IDB_BUTTON_OVER, 822, 342},         {IDB_BUTTON_PRESSED, 822, 342},
    {IDB_PERFORMANCE_NORMAL, 822, 342},  {IDB_PERFORMANCE_OVER, 822, 342},
    {IDB_PERFORMANCE_PRESSED, 822, 342}, {IDB_LIGHTING_NORMAL, 822, 342},
    {IDB_LIGHTING_OVER, 822, 342},       {IDB_LIGHTING_PRESSED, 822, 342},
    {IDB_MACRO_NORMAL, 822, 458},        {IDB_MACRO_OVER, 822, 458},
    {IDB_MACRO_PRESSED, 822, 458},       {IDB_INFO_OK_NORMAL, 330, 160},
    {IDB_INFO_OK_OVER, 330, 160},        {IDB_INFO_OK_PRESSED, 330, 160},
    {IDB_INFO_OKCANCEL_NORMAL, 330, 160}, {IDB_INFO_OKCANCEL_OVER, 330, 160},
    {IDB_INFO_OKCANCEL_PRESSED, 330, 160}, {IDB_COMBO_NORMAL, 349, 185},
    {IDB_COMBO_OVER, 349, 185},          {IDB_COMBO_PRESSED, 349, 185},
    // The macro manager is sized to hold its controls: the close button ends
    // at x 241 and the OK button at y 256.
    {IDB_MANAGER_NORMAL, 242, 257},      {IDB_MANAGER_OVER, 242, 257},
    {IDB_MANAGER_PRESSED, 242, 257},
};

// A bitmap loaded as a DIB section, so its pixels can be read back.
class Dib {
 public:
  explicit Dib(int id)
      : handle_(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
    if (handle_ != nullptr && GetObjectW(handle_, sizeof section_, &section_) != sizeof section_)
      section_ = {};
  }
  ~Dib() {
    if (handle_ != nullptr) DeleteObject(handle_);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  bool ok() const { return handle_ != nullptr && section_.dsBm.bmBits != nullptr; }
  const BITMAP& bitmap() const { return section_.dsBm; }
  // The pixel at (x, y) from the top-left corner, as a COLORREF.
  COLORREF At(int x, int y) const {
    const BITMAP& bm = section_.dsBm;
    int row = section_.dsBmih.biHeight > 0 ? bm.bmHeight - 1 - y : y;
    const uint8_t* p = static_cast<const uint8_t*>(bm.bmBits) + row * bm.bmWidthBytes + x * 3;
    return RGB(p[2], p[1], p[0]);
  }

 private:
  HBITMAP handle_;
  DIBSECTION section_{};
};

TEST(Bitmaps, EveryIdExistsWithItsSizeAndTwentyFourBits) {
  for (const BitmapCase& c : kBitmaps) {
    SCOPED_TRACE("bitmap " + std::to_string(c.id));
    // The stored header: 24 bits, uncompressed.
    Blob blob = FindBlob(c.id, RT_BITMAP);
    ASSERT_NE(blob.data, nullptr);
    ASSERT_GE(blob.size, sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, blob.data, sizeof header);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biWidth, c.width);
    EXPECT_EQ(std::abs(header.biHeight), c.height);

    // And as the windows load it.
    Dib dib(c.id);
    ASSERT_TRUE(dib.ok());
    EXPECT_EQ(dib.bitmap().bmWidth, c.width);
    EXPECT_EQ(dib.bitmap().bmHeight, c.height);
    EXPECT_EQ(dib.bitmap().bmBitsPixel, 24);
  }
}

TEST(Bitmaps, ThreeLooksOfAWindowAreDifferentPictures) {
  // Guards against a look rendered from the wrong stylesheet or copied over.
  const int looks[][3] = {
      {IDB_MAIN_NORMAL, IDB_MAIN_OVER, IDB_MAIN_PRESSED},
      {IDB_BUTTON_NORMAL, IDB_BUTTON_OVER, IDB_BUTTON_PRESSED},
      {IDB_PERFORMANCE_NORMAL, IDB_PERFORMANCE_OVER, IDB_PERFORMANCE_PRESSED},
      {IDB_LIGHTING_NORMAL, IDB_LIGHTING_OVER, IDB_LIGHTING_PRESSED},
      {IDB_MACRO_NORMAL, IDB_MACRO_OVER, IDB_MACRO_PRESSED},
      {IDB_INFO_OK_NORMAL, IDB_INFO_OK_OVER, IDB_INFO_OK_PRESSED},
      {IDB_INFO_OKCANCEL_NORMAL, IDB_INFO_OKCANCEL_OVER, IDB_INFO_OKCANCEL_PRESSED},
      {IDB_COMBO_NORMAL, IDB_COMBO_OVER, IDB_COMBO_PRESSED},
      {IDB_MANAGER_NORMAL, IDB_MANAGER_OVER, IDB_MANAGER_PRESSED},
  };
  for (const auto& set : looks) {
    Blob a = FindBlob(set[0], RT_BITMAP);
    for (int k = 1; k < 3; ++k) {
      SCOPED_TRACE("bitmaps " + std::to_string(set[0]) + " and " + std::to_string(set[k]));
      Blob b = FindBlob(set[k], RT_BITMAP);
      ASSERT_NE(a.data, nullptr);
      ASSERT_NE(b.data, nullptr);
      ASSERT_EQ(a.size, b.size);
      EXPECT_NE(std::memcmp(a.data, b.data, a.size), 0);
    }
  }
}

// The preset swatches of the lighting page, in swatch order (COLORREF).
const COLORREF kSwatches[26] = {
    0x7E05FA, 0x0012FA, 0x0179F8, 0x00EDF9, 0x09F0C1, 0x00F927, 0x2AA418, 0x93E713, 0xDFE90D,
    0xFAC101, 0xFA8E05, 0xF96F00, 0xF80024, 0xE3185A, 0xE21B7F, 0xE218C1, 0x54FAE6, 0x30B900,
    0x7D63FA, 0x233BC4, 0x1603DE, 0xAD7A17, 0x12B900, 0xC05A4A, 0xEE4E6F, 0xB95401,
};

TEST(Bitmaps, LightingPageShowsEverySwatchInItsExactColourInEveryLook) {
  const int rows[4][2] = {{48, 78}, {81, 111}, {113, 143}, {144, 177}};
  for (int id : {IDB_LIGHTING_NORMAL, IDB_LIGHTING_OVER, IDB_LIGHTING_PRESSED}) {
    Dib dib(id);
    ASSERT_TRUE(dib.ok());
    for (int k = 0; k < 26; ++k) {
      int left = 108 + 32 * (k % 8);
      int top = rows[k / 8][0];
      int bottom = rows[k / 8][1];
      int cx = left + 33 / 2;
      int cy = (top + bottom) / 2;
      // The centre and a few pixels around it: the tile, not a border.
      for (auto [dx, dy] : {std::pair{0, 0}, {-8, -6}, {8, 6}, {-8, 6}, {8, -6}}) {
        SCOPED_TRACE("bitmap " + std::to_string(id) + " swatch " + std::to_string(k));
        EXPECT_EQ(dib.At(cx + dx, cy + dy), kSwatches[k]);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Icons

// Pixel sizes held by an icon group (0 stands for 256).
std::vector<int> IconSizes(int id) {
  std::vector<int> sizes;
  Blob blob = FindBlob(id, RT_GROUP_ICON);
  if (blob.data == nullptr || blob.size < 6) return sizes;
  uint16_t count = U16(blob.data + 4);
  for (uint16_t k = 0; k < count && 6u + 14u * (k + 1u) <= blob.size; ++k) {
    int width = blob.data[6 + 14 * k];
    sizes.push_back(width == 0 ? 256 : width);
  }
  return sizes;
}

TEST(Icons, ProgramIconHasItsSizesAndTheMenuIconsAreSixteenPixels) {
  EXPECT_EQ(IconSizes(IDI_PROGRAM), (std::vector<int>{16, 24, 32, 48, 256}));
  EXPECT_EQ(IconSizes(IDI_TRAY_EXIT), std::vector<int>{16});
  EXPECT_EQ(IconSizes(IDI_TRAY_SHOW), std::vector<int>{16});
  for (int id : {IDI_PROGRAM, IDI_TRAY_EXIT, IDI_TRAY_SHOW}) {
    SCOPED_TRACE("icon " + std::to_string(id));
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    ASSERT_NE(GetObjectW(info.hbmColor, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.bmWidth, 16);
    EXPECT_EQ(colour.bmHeight, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

// ---------------------------------------------------------------------------
// Dialog templates

// The parts of a DLGTEMPLATEEX that the windows rely on.
struct Template {
  bool found = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  int cx = 0;
  int cy = 0;
  struct Item {
    DWORD id;
    DWORD style;
    std::u16string cls;  // class name, or "#<atom>" for a predefined class
  };
  std::vector<Item> items;
};

// Skips a sz_Or_Ord field; returns its text (or "#<ordinal>").
const uint8_t* ReadSzOrOrd(const uint8_t* p, std::u16string* out) {
  if (U16(p) == 0xFFFF) {
    if (out) {
      out->assign(1, u'#');
      out->push_back(static_cast<char16_t>(U16(p + 2)));
    }
    return p + 4;
  }
  std::u16string s;
  while (U16(p) != 0) {
    s.push_back(static_cast<char16_t>(U16(p)));
    p += 2;
  }
  if (out) *out = s;
  return p + 2;
}

const uint8_t* AlignDword(const uint8_t* base, const uint8_t* p) {
  return base + ((p - base + 3) & ~static_cast<ptrdiff_t>(3));
}

Template ReadTemplate(int id) {
  Template t;
  Blob blob = FindBlob(id, RT_DIALOG);
  if (blob.data == nullptr || blob.size < 26) return t;
  const uint8_t* base = blob.data;
  if (U16(base) != 1 || U16(base + 2) != 0xFFFF) return t;  // not a DIALOGEX
  t.found = true;
  t.exStyle = U32(base + 8);
  t.style = U32(base + 12);
  uint16_t count = U16(base + 16);
  t.cx = static_cast<int16_t>(U16(base + 22));
  t.cy = static_cast<int16_t>(U16(base + 24));
  const uint8_t* p = base + 26;
  p = ReadSzOrOrd(p, nullptr);  // menu
  p = ReadSzOrOrd(p, nullptr);  // class
  p = ReadSzOrOrd(p, nullptr);  // title
  if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
    p += 6;  // point size, weight, italic, charset
    p = ReadSzOrOrd(p, nullptr);
  }
  for (uint16_t k = 0; k < count; ++k) {
    p = AlignDword(base, p);
    Template::Item item{};
    item.style = U32(p + 8);
    item.id = U32(p + 20);
    p += 24;
    p = ReadSzOrOrd(p, &item.cls);
    p = ReadSzOrOrd(p, nullptr);  // title
    p += 2 + U16(p);              // creation data
    t.items.push_back(item);
  }
  return t;
}

TEST(Dialogs, EveryTemplateExistsAndIsEmptyExceptTheMacroPage) {
  struct Case {
    int id;
    bool child;
  };
  const Case cases[] = {{IDD_MAIN, false},        {IDD_BUTTON_PAGE, true},
                        {IDD_PERFORMANCE_PAGE, true}, {IDD_LIGHTING_PAGE, true},
                        {IDD_INFO, false},        {IDD_PROGRESS, false},
                        {IDD_COMBO, false},       {IDD_MACRO_MANAGER, false},
                        {IDD_MACRO_PAGE, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE("dialog " + std::to_string(c.id));
    Template t = ReadTemplate(c.id);
    ASSERT_TRUE(t.found);
    // Skinned windows: no caption bar and no frame of the system's.
    EXPECT_EQ(t.style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | DS_MODALFRAME), 0u);
    EXPECT_EQ((t.style & WS_CHILD) != 0, c.child);
    EXPECT_EQ((t.style & WS_POPUP) != 0, !c.child);
    // Pages are created hidden and shown one at a time.
    if (c.child) {
      EXPECT_EQ(t.style & WS_VISIBLE, 0u);
    }
    if (c.id != IDD_MACRO_PAGE) {
      EXPECT_TRUE(t.items.empty());
    }
  }
}

TEST(Dialogs, MacroPageHoldsItsTwoEditFieldsAndTheManagerItsSize) {
  Template page = ReadTemplate(IDD_MACRO_PAGE);
  ASSERT_EQ(page.items.size(), 2u);
  EXPECT_EQ(page.items[0].id, static_cast<DWORD>(IDC_MACRO_REPEAT));
  EXPECT_EQ(page.items[1].id, static_cast<DWORD>(IDC_MACRO_VALUE));
  for (const auto& item : page.items) {
    EXPECT_EQ(item.cls, (std::u16string{u'#', char16_t{0x0081}}));  // the edit class
    EXPECT_EQ(item.style & WS_BORDER, 0u);                                     // drawn on the skin
  }
  Template manager = ReadTemplate(IDD_MACRO_MANAGER);
  EXPECT_EQ(manager.cx, 257);
  EXPECT_EQ(manager.cy, 164);
}

// ---------------------------------------------------------------------------
// Version and manifest

TEST(Program, CarriesAVersionAndAManifestForCommonControlsSix) {
  Blob version = FindBlob(1, RT_VERSION);
  ASSERT_NE(version.data, nullptr);
  std::string bytes(reinterpret_cast<const char*>(version.data), version.size);
  const uint32_t signature = 0xFEEF04BD;  // VS_FIXEDFILEINFO
  size_t at = bytes.find(std::string(reinterpret_cast<const char*>(&signature), 4));
  ASSERT_NE(at, std::string::npos);
  const uint8_t* fixed = version.data + at;
  EXPECT_EQ(U32(fixed + 8), 0x00010000u);   // file version 1.0
  EXPECT_EQ(U32(fixed + 36), static_cast<uint32_t>(VFT_APP));   // dwFileType

  Blob manifest = FindBlob(1, RT_MANIFEST);
  ASSERT_NE(manifest.data, nullptr);
  std::string text(reinterpret_cast<const char*>(manifest.data), manifest.size);
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false"),
            std::string::npos);
}

// ---------------------------------------------------------------------------
// The skins folder beside the program

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t BE32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

struct SkinFile {
  const char* path;
  int width;
  int height;
};

const SkinFile kPngs[] = {
    {"skins/Icon/Slider.png", 14, 15},
    {"skins/Macro_editor/up_normal.png", 16, 16},
    {"skins/Macro_editor/up_select.png", 16, 16},
    {"skins/Macro_editor/down_normal.png", 16, 16},
    {"skins/Macro_editor/down_select.png", 16, 16},
    {"skins/Macro_editor/delay_normal.png", 16, 16},
    {"skins/Macro_editor/delay_select.png", 16, 16},
    // The progress dialog takes its size from the normal image; the bar sits
    // at (35,47)-(295,56) and the text at x 35 to 345, y 20 to 60.
    {"skins/Progress_Bar/Progress_Normal.png", 330, 80},
    {"skins/Progress_Bar/Progress_Over.png", 330, 80},
};

const SkinFile kMenuBitmaps[] = {
    {"skins/Menu/MenuNor.BMP", 150, 26},         {"skins/Menu/MenuOver.BMP", 150, 26},
    {"skins/Menu/MenuDown.BMP", 150, 26},        {"skins/Menu/MenuNorHaveSub.BMP", 150, 26},
    {"skins/Menu/MenuOverHaveSub.BMP", 150, 26}, {"skins/Menu/MenuDownHaveSub.BMP", 150, 26},
};

TEST(SkinsFolder, EveryPngExistsWithItsSize) {
  const uint8_t magic[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const SkinFile& f : kPngs) {
    SCOPED_TRACE(f.path);
    std::vector<uint8_t> bytes = ReadFile(f.path);
    ASSERT_GE(bytes.size(), 33u);
    EXPECT_EQ(std::memcmp(bytes.data(), magic, 8), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(BE32(bytes.data() + 16), static_cast<uint32_t>(f.width));
    EXPECT_EQ(BE32(bytes.data() + 20), static_cast<uint32_t>(f.height));
  }
}

TEST(SkinsFolder, EveryMenuImageIsATwentyFourBitBitmapOfItsSize) {
  for (const SkinFile& f : kMenuBitmaps) {
    SCOPED_TRACE(f.path);
    std::vector<uint8_t> bytes = ReadFile(f.path);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes.data() + 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<int32_t>(U32(bytes.data() + 18)), f.width);
    EXPECT_EQ(std::abs(static_cast<int32_t>(U32(bytes.data() + 22))), f.height);
    EXPECT_EQ(U16(bytes.data() + 28), 24);
    EXPECT_EQ(U32(bytes.data() + 30), 0u);  // BI_RGB
  }
}

// GDI+ for the duration of one test: it reads the PNGs the way the program does.
class GdiPlus : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
  }
  void TearDown() override {
    if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
  }
  ULONG_PTR token_ = 0;
};

TEST_F(GdiPlus, SliderThumbIsShapedByItsTransparentTopLeftPixel) {
  // The slider composes the thumb over black and cuts away every pixel of the
  // top-left pixel's colour: that pixel must be transparent, every pixel must
  // be either fully transparent or fully opaque (no dark fringe), and no
  // visible pixel may be pure black.
  Gdiplus::Bitmap* thumb = Gdiplus::Bitmap::FromFile(L"skins\\Icon\\Slider.png");
  ASSERT_NE(thumb, nullptr);
  ASSERT_EQ(thumb->GetLastStatus(), Gdiplus::Ok);
  ASSERT_EQ(thumb->GetWidth(), 14u);
  ASSERT_EQ(thumb->GetHeight(), 15u);
  Gdiplus::Color corner;
  ASSERT_EQ(thumb->GetPixel(0, 0, &corner), Gdiplus::Ok);
  EXPECT_EQ(corner.GetA(), 0);
  int visible = 0;
  for (INT y = 0; y < 15; ++y) {
    for (INT x = 0; x < 14; ++x) {
      Gdiplus::Color c;
      ASSERT_EQ(thumb->GetPixel(x, y, &c), Gdiplus::Ok);
      EXPECT_TRUE(c.GetA() == 0 || c.GetA() == 255) << x << "," << y;
      if (c.GetA() == 255) {
        ++visible;
        EXPECT_FALSE(c.GetR() == 0 && c.GetG() == 0 && c.GetB() == 0) << x << "," << y;
      }
    }
  }
  EXPECT_GT(visible, 14 * 15 / 2);
  delete thumb;
}

TEST_F(GdiPlus, ProgressImagesDifferOnlyInsideTheBar) {
  // The dialog paints the normal image whole and the bar shows the over
  // image's part under the bar's rectangle as the progress made.
  Gdiplus::Bitmap* normal = Gdiplus::Bitmap::FromFile(L"skins\\Progress_Bar\\Progress_Normal.png");
  Gdiplus::Bitmap* over = Gdiplus::Bitmap::FromFile(L"skins\\Progress_Bar\\Progress_Over.png");
  ASSERT_NE(normal, nullptr);
  ASSERT_NE(over, nullptr);
  ASSERT_EQ(normal->GetLastStatus(), Gdiplus::Ok);
  ASSERT_EQ(over->GetLastStatus(), Gdiplus::Ok);
  int insideDifferent = 0;
  for (INT y = 0; y < 80; ++y) {
    for (INT x = 0; x < 330; ++x) {
      Gdiplus::Color a, b;
      ASSERT_EQ(normal->GetPixel(x, y, &a), Gdiplus::Ok);
      ASSERT_EQ(over->GetPixel(x, y, &b), Gdiplus::Ok);
      bool inside = x >= 35 && x < 295 && y >= 47 && y < 56;
      if (a.GetValue() != b.GetValue()) {
        EXPECT_TRUE(inside) << x << "," << y;
        ++insideDifferent;
      }
    }
  }
  EXPECT_GT(insideDifferent, 200);
  delete normal;
  delete over;
}

}  // namespace
