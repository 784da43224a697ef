// The pictures and the information-page prose as Windows itself loads them: image lists
// with their colour key, the splash palette, icons at both sizes, the link cursor's hot
// spot. A file Windows cannot parse, a key colour that shows, or a text cut short shows
// up here rather than as a grey box or a red square on screen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/GdiObjects.h"
#include "framework/TransparentDraw.h"
#include "res/ImageIds.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

struct Rgb {
  BYTE r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A 32-bit top-down DIB section filled with one colour, to draw on and read back.
class Canvas {
 public:
  Canvas(int width, int height, Rgb fill) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i)
      bits_[i] = RGB(fill.b, fill.g, fill.r);  // DIB order is blue, green, red
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  Rgb At(int x, int y) const {
    GdiFlush();
    DWORD v = bits_[y * width_ + x];
    return {GetBValue(v), GetGValue(v), GetRValue(v)};
  }
  int Count(Rgb colour) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += At(x, y) == colour;
    return n;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  DWORD* bits_ = nullptr;
};

SIZE BitmapSize(int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP info = {};
  if (bitmap) GetObjectA(bitmap, sizeof(info), &info);
  if (bitmap) DeleteObject(bitmap);
  return {info.bmWidth, info.bmHeight};
}

void ExpectBitmapSize(int id, LONG width, LONG height) {
  SIZE size = BitmapSize(id);
  EXPECT_EQ(width, size.cx) << "bitmap " << id;
  EXPECT_EQ(height, size.cy) << "bitmap " << id;
}

const Rgb kRed = {255, 0, 0};
const Rgb kBlue = {0, 0, 255};
const Rgb kWhite = {255, 255, 255};

// The tree's image list, loaded with and without a DIB section: fourteen images whose red
// is transparent and whose drawings keep some of the background and cover the rest.
TEST(ImageResourcesTest, TreeImagesMaskTheirRedWhicheverWayTheListIsLoaded) {
  for (UINT flags : {UINT(LR_DEFAULTCOLOR), UINT(LR_CREATEDIBSECTION)}) {
    HIMAGELIST list = ImageList_LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TREE_IMAGES), 16, 1,
                                           RGB(255, 0, 0), IMAGE_BITMAP, flags);
    ASSERT_NE(nullptr, list) << "flags " << flags;
    EXPECT_EQ(14, ImageList_GetImageCount(list));
    for (int image = 0; image < 14; ++image) {
      Canvas canvas(16, 16, kBlue);
      ASSERT_TRUE(ImageList_Draw(list, image, canvas.Dc(), 0, 0, ILD_NORMAL));
      int background = canvas.Count(kBlue);
      EXPECT_EQ(0, canvas.Count(kRed)) << "image " << image << " flags " << flags;
      EXPECT_GT(background, 0) << "image " << image << " hides the whole row";
      EXPECT_LT(background, 256 * 3 / 4) << "image " << image << " is nearly empty";
    }
    ImageList_Destroy(list);
  }
}

// The tool bar takes its bitmap through the system's colour mapping, which works on a colour
// table only: the grey background must come out as the button face, the glyphs not.
TEST(ImageResourcesTest, ToolBarBackgroundBecomesTheButtonFace) {
  HBITMAP mapped = CreateMappedBitmap(Module(), IDB_TOOLBAR, 0, nullptr, 0);
  ASSERT_NE(nullptr, mapped);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mapped);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int button = 0; button < 2; ++button) {
    EXPECT_EQ(face, GetPixel(dc, button * 16, 0)) << "button " << button;
    EXPECT_EQ(face, GetPixel(dc, button * 16 + 15, 14)) << "button " << button;
    EXPECT_NE(face, GetPixel(dc, button * 16 + 8, 7)) << "button " << button;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mapped);
}

TEST(ImageResourcesTest, BitmapsHaveTheSizesTheWindowsAreLaidOutFor) {
  ExpectBitmapSize(IDB_TOOLBAR, 32, 15);
  ExpectBitmapSize(IDB_TREE_IMAGES, 224, 16);
  ExpectBitmapSize(IDB_SPLASH_TITLE, 248, 64);
  ExpectBitmapSize(IDB_SPLASH_PICTURE, 360, 150);
  ExpectBitmapSize(IDB_SPLASH_EMBLEM, 64, 64);
  ExpectBitmapSize(IDB_WIZARD_ART, 120, 220);
  ExpectBitmapSize(IDB_DIAL_LINE, 236, 48);
  std::vector<int> dial = {IDB_DIAL_CONNECTED1_LEFT, IDB_DIAL_CONNECTED1_RIGHT,
                           IDB_DIAL_CONNECTED2_LEFT, IDB_DIAL_CONNECTED2_RIGHT,
                           IDB_DIAL_HUNG_UP_LEFT,    IDB_DIAL_HUNG_UP_RIGHT};
  for (int frame = 0; frame < DIAL_FRAME_COUNT; ++frame) {
    dial.push_back(IDB_DIAL_LEFT_FIRST + frame);
    dial.push_back(IDB_DIAL_RIGHT_FIRST + frame);
  }
  for (int id : dial) ExpectBitmapSize(id, 64, 64);
}

// The dial view's and the wizard's pictures, loaded as those windows load them (no DIB
// section, so Windows converts their colour tables): drawn with their key on blue, the
// blue shows exactly where the key is and every other pixel keeps its own colour; the
// animation frames stand on the view's exact white.
TEST(ImageResourcesTest, DialAndWizardPicturesKeepTheirKeyAndBackgroundExact) {
  struct Keyed { int id; Rgb key; int width, height; };
  for (Keyed picture : {Keyed{IDB_WIZARD_ART, kRed, 120, 220}, Keyed{IDB_DIAL_LINE, kWhite, 236, 48}}) {
    OwnedBitmap bitmap(LoadResourceBitmap(picture.id));
    ASSERT_TRUE(bitmap.Get() != nullptr) << "bitmap " << picture.id;
    Canvas plain(picture.width, picture.height, kBlue);
    Canvas keyed(picture.width, picture.height, kBlue);
    {
      MemoryDC source(plain.Dc());
      SelectedObject selection(source.Get(), bitmap.Get());
      BitBlt(plain.Dc(), 0, 0, picture.width, picture.height, source.Get(), 0, 0, SRCCOPY);
    }
    const Rgb& key = picture.key;
    DrawTransparentBitmap(keyed.Dc(), 0, 0, bitmap.Get(), RGB(key.r, key.g, key.b));
    int wrong = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        wrong += !(keyed.At(x, y) == (plain.At(x, y) == key ? kBlue : plain.At(x, y)));
    EXPECT_EQ(0, wrong) << "bitmap " << picture.id;
    EXPECT_GT(plain.Count(key), 0) << "bitmap " << picture.id;
  }
  for (int first : {IDB_DIAL_LEFT_FIRST, IDB_DIAL_RIGHT_FIRST}) {
    for (int id = first; id < first + DIAL_FRAME_COUNT; ++id) {
      OwnedBitmap frame(LoadResourceBitmap(id));
      MemoryDC dc(nullptr);
      SelectedObject selection(dc.Get(), frame.Get());
      EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 0, 0)) << "frame " << id;
      EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc.Get(), 63, 63)) << "frame " << id;
    }
  }
}

// The splash realises its palette from the picture's colour table: a full table of 256
// entries, white among them for the transparent parts.
TEST(ImageResourcesTest, SplashPictureCarriesAFullColourTable) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
      Module(), MAKEINTRESOURCEA(IDB_SPLASH_PICTURE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(nullptr, bitmap);
  DIBSECTION section = {};
  ASSERT_EQ(int(sizeof(section)), GetObjectA(bitmap, sizeof(section), &section));
  EXPECT_EQ(8, section.dsBm.bmBitsPixel);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RGBQUAD table[256] = {};
  EXPECT_EQ(256u, GetDIBColorTable(dc, 0, 256, table));
  int whites = 0;
  for (const RGBQUAD& entry : table)
    whites += entry.rgbRed == 255 && entry.rgbGreen == 255 && entry.rgbBlue == 255;
  EXPECT_EQ(1, whites);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

void ExpectIcon(int id, int size) {
  HICON icon = static_cast<HICON>(
      LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
  ASSERT_NE(nullptr, icon) << "icon " << id << " at " << size;
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(size, colour.bmWidth) << "icon " << id;
  EXPECT_NE(nullptr, info.hbmMask);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}

TEST(ImageResourcesTest, IconsLoadAtEverySizeTheyAreShownAt) {
  for (int id : {IDI_VELOTUNE, IDI_PAGE_AUTO, IDI_PAGE_MANUAL, IDI_PAGE_MTU, IDI_PAGE_RWIN,
                 IDI_PAGE_TTL, IDI_PAGE_CACHE}) {
    ExpectIcon(id, 16);
    ExpectIcon(id, 32);
  }
  for (int frame = 0; frame < DIAL_FRAME_COUNT; ++frame) {
    ExpectIcon(IDI_DIAL_LEFT_FIRST + frame, 32);
    ExpectIcon(IDI_DIAL_RIGHT_FIRST + frame, 32);
  }
  for (int id : {IDI_DIAL_CONNECTED1_LEFT, IDI_DIAL_CONNECTED1_RIGHT, IDI_DIAL_CONNECTED2_LEFT,
                 IDI_DIAL_CONNECTED2_RIGHT, IDI_DIAL_DISCONNECTED_LEFT,
                 IDI_DIAL_DISCONNECTED_RIGHT})
    ExpectIcon(id, 32);
}

TEST(ImageResourcesTest, LinkCursorPointsWithItsFingerTip) {
  HCURSOR cursor = LoadCursorA(Module(), MAKEINTRESOURCEA(IDCUR_LINK_HAND));
  ASSERT_NE(nullptr, cursor);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(6u, info.xHotspot);  // the top of the index finger
  EXPECT_EQ(0u, info.yHotspot);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

std::string LoadText(int id) {
  char buffer[2048] = {};
  int length = LoadStringA(Module(), id, buffer, sizeof(buffer));
  return std::string(buffer, length > 0 ? length : 0);
}

// Each text loads whole; none carries an '&' the page's statics would swallow; each
// "What's Next?" text sends the reader to the next item of the tree.
TEST(ImageResourcesTest, ProseLoadsWholeAndPointsToTheNextSetting) {
  for (int id : {IDS_INFO_32777, IDS_INFO_32778, IDS_INFO_32779, IDS_INFO_32781,
                 IDS_INFO_32782, IDS_INFO_32783, IDS_INFO_32784, IDS_INFO_32785,
                 IDS_INFO_32786, IDS_INFO_32787, IDS_INFO_32788}) {
    std::string text = LoadText(id);
    EXPECT_GT(text.size(), 100u) << id;
    EXPECT_LT(text.size(), 1000u) << id;
    EXPECT_EQ(std::string::npos, text.find('&')) << id;
    EXPECT_EQ('.', text.back()) << id;
  }
  EXPECT_TRUE(LoadText(32780).empty());
  struct Next { int id; const char* item; };
  for (Next next : {Next{IDS_INFO_32783, "RWIN"}, Next{IDS_INFO_32785, "TTL"},
                    Next{IDS_INFO_32787, "Cache Size"}}) {
    std::string text = LoadText(next.id);
    EXPECT_NE(std::string::npos, text.find(next.item)) << next.id;
    EXPECT_NE(std::string::npos, text.find("icon")) << next.id;
  }
  EXPECT_NE(std::string::npos, LoadText(IDS_INFO_32779).find("one to two hours"));
}

}  // namespace
