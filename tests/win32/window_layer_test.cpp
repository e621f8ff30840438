#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/canvas/logo_canvas.h"
#include "shell/form/scaling.h"
#include "shell/win32/system_services.h"
#include "shell/win32/window.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

// What only the Win32 window shows: each window built from its layout at the screen's scale
// (the prefix's dpi, KP_WINE_DPI, set by the test's runner), each child's real messages reaching
// the model, the surfaces painting the canvas. Behaviour is the model's tests'.
namespace {

namespace fs = std::filesystem;

enum class Program { Kestrel, Plover };

// A child window's place in one window, and its place in the tab order; none: tab -1.
struct Place {
  int left = 0, top = 0, width = 0, height = 0, tab = -1;
};
// One child window as the layouts make it.
struct Placed {
  const char* name;
  const wchar_t* window_class;  // null: a class of the program's own
  DWORD style;                  // bits that must be set; a button's type exactly
  const wchar_t* text;          // null: no text of the layout's
  const wchar_t* tooltip;
  Place kestrel, plover;
};

constexpr DWORD kTab = WS_TABSTOP;
constexpr DWORD kList = WS_TABSTOP | LBS_NOTIFY;
constexpr DWORD kPush = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kIcon = WS_TABSTOP | BS_ICON;
constexpr DWORD kBox = WS_TABSTOP | BS_CHECKBOX;

const Placed kChildren[] = {
    {"Command1", L"Button", kPush, L"Koniec", L"", {8, 436, 57, 25, 0}, {4, 440, 49, 25, 0}},
    {"Command4", L"Button", kIcon, L"", L"Poprzedni", {292, 300, 25, 25, 1},
     {292, 300, 25, 25, 1}},
    {"Command3", L"Button", kIcon, L"", L"Następny", {320, 300, 25, 25, 2}, {320, 300, 25, 25, 2}},
    {"Picture1", nullptr, kTab, nullptr, L"", {4, 4, 509, 293, 3}, {4, 4, 509, 293, 3}},
    {"File1", L"ListBox", kList, nullptr, L"", {512, 4, 145, 461, 4}, {516, 4, 137, 461, 4}},
    {"Drive1", L"ComboBox", kTab | CBS_DROPDOWNLIST, nullptr, L"", {352, 300, 161, 21, 5},
     {348, 300, 169, 21, 5}},
    {"Dir1", L"ListBox", kList, nullptr, L"", {352, 323, 161, 141, 6}, {348, 323, 169, 141, 6}},
    {"Check1", L"Button", kBox, L"", L"", {8, 360, 17, 17, 8}, {8, 324, 13, 21, 10}},
    {"Picture2", nullptr, kTab, nullptr, L"", {4, 300, 86, 50, 9}, {}},
    {"Check2", L"Button", kBox, L"", L"", {8, 400, 17, 17, 10}, {8, 348, 13, 17, 13}},
    {"Command2", L"Button", kIcon, L"", L"", {72, 436, 33, 25, 11}, {64, 440, 33, 25, 9}},
    {"Command5", L"Button", kPush | WS_DISABLED, L"=> LogoManager", L"", {},
     {4, 400, 97, 25, 11}},
};

std::wstring TextOf(HWND window, bool class_name = false) {
  wchar_t text[80] = L"";
  class_name ? GetClassNameW(window, text, 80) : GetWindowTextW(window, text, 80);
  return text;
}

std::wstring TooltipOf(HWND main, HWND child) {
  wchar_t text[80] = L"";
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = main;
  tool.uId = reinterpret_cast<UINT_PTR>(child);
  tool.lpszText = text;
  SendMessageW(FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, 80,
               reinterpret_cast<LPARAM>(&tool));
  return text;
}

// The pixels a child window shows inside its border, read back from the screen.
shell::Raster Shown(HWND child, int border) {
  RECT client;
  GetClientRect(child, &client);
  const int width = client.right - 2 * border, height = client.bottom - 2 * border;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = GetDC(child), memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, border, border, SRCCOPY);
  shell::Raster shown(width, height, {});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto c = static_cast<const std::uint32_t*>(bits)[y * width + x];
      shown.SetPixel(x, y, {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    }
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(child, dc);
  DeleteObject(bitmap);
  return shown;
}

// Along one axis of a big screen's pixels, where each cell starts: the positions with the most
// grid colour across are grid lines, those with none lie outside the grid, the others are cells.
// All lines must be of one thickness and all cells of one `size`.
std::vector<int> CellStarts(const shell::Raster& shown, bool columns, int& size) {
  const int length = columns ? shown.Width() : shown.Height();
  std::vector<int> grid(std::size_t(length), 0);
  for (int i = 0; i < length; ++i) {
    for (int j = 0; j < (columns ? shown.Height() : shown.Width()); ++j) {
      grid[std::size_t(i)] += (columns ? shown.At(i, j) : shown.At(j, i)) == shell::kGridColor;
    }
  }
  std::string kinds;
  for (const int count : grid) {
    kinds += count == std::ranges::max(grid) ? 'l' : count == 0 ? ' ' : 'c';
  }
  std::vector<int> starts;
  std::set<std::size_t> lines, cells;
  for (std::size_t i = 0, end = 0; i < kinds.size(); i = end) {
    end = std::min(kinds.find_first_not_of(kinds[i], i), kinds.size());
    if (kinds[i] == 'l') {
      lines.insert(end - i);
    } else if (kinds[i] == 'c') {
      cells.insert(end - i);
      starts.push_back(int(i));
    }
  }
  EXPECT_EQ(kinds.find_first_not_of(' '), kinds.find('l'));  // the first and the last a line
  EXPECT_EQ(kinds.find_last_not_of(' '), kinds.rfind('l'));
  EXPECT_TRUE(lines.size() == 1 && cells.size() == 1) << kinds;
  size = cells.empty() ? 0 : int(*cells.begin());
  return starts;
}

// The dots of size x size cells starting at (xs, ys): '#' a cell all in `dot`, '.' one all in
// another colour, '?' a cell of two colours.
test_support::Art Cells(const shell::Raster& shown, const std::vector<int>& xs,
                        const std::vector<int>& ys, int size, shell::Rgb dot) {
  test_support::Art art;
  for (const int y : ys) {
    art.emplace_back();
    for (const int x : xs) {
      int other = 0;
      for (int i = 0; i < size * size; ++i) {
        other += !(shown.At(x + i % size, y + i / size) == shown.At(x, y));
      }
      art.back() += other ? '?' : shown.At(x, y) == dot ? '#' : '.';
    }
  }
  return art;
}

// Along one axis of a preview's pixels: where each of `count` dots starts, all of one size, from
// where the picture's outermost dark dots (`first`, `last`) lie on screen.
std::vector<int> DotStarts(const shell::Raster& shown, bool columns, int first, int last,
                           int count, shell::Rgb dot, int& size) {
  std::vector<int> dark;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      if (shown.At(x, y) == dot) {
        dark.push_back(columns ? x : y);
      }
    }
  }
  const auto [low, high] = std::ranges::minmax(dark);
  size = (high - low + 1) / (last - first + 1);
  EXPECT_EQ(size * (last - first + 1), high - low + 1);
  std::vector<int> starts;
  for (int i = 0; i < count; ++i) {
    starts.push_back(low + (i - first) * size);
  }
  return starts;
}

class Win32Window : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {  // the tooltips' class
    const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&common);
  }
  void SetUp() override {
    for (const char* sample : {"kestrel_bird.nsl", "hello_frame.nsl", "phone_suite_header.nsl",
                               "picture_wave.nlm", "startup_sunrise.nlm"}) {
      fs::copy_file(test_support::SamplePath(sample), folder_.Path() / sample);
    }
    fs::create_directory(folder_.Path() / "sub");
  }
  void TearDown() override {
    window_.reset();
    Pump();
  }

  // The form with the system faked and its window, built, loaded and shown as the program does;
  // the message loop is the test's.
  void Open(Program program, const fs::path& argument = {}) {
    window_.reset();
    shell::MessageBoxService& messages =
        real_boxes_ ? static_cast<shell::MessageBoxService&>(boxes_) : messages_;
    const shell::ViewerServices services{messages, [this] { return language_; },
                                         [this] { return drives_; },
                                         [this] { return folder_.Path(); }};
    program_ = program;
    if (program == Program::Kestrel) {
      form_ = std::make_unique<kestrel::Form1>(services);
    } else {
      const auto look_up = [this] { return nlm::LogoManagerLookup{"C:\\LM.exe", registered_}; };
      const auto start = [this](const std::string&, const fs::path& file) {
        exported_ = file;
        return true;
      };
      form_ = std::make_unique<plover::Form1>(services, plover::ExportServices{look_up, start});
    }
    window_ = std::make_unique<shell::win32::Window>(*form_);
    boxes_.Attach(Main(), L"Kestrel");
    form_->Form_Load(argument.native());
    window_->Show();
    Pump();
  }
  HWND Main() const { return window_->Handle(); }
  // This window's children in tab order, each with its place at the screen's scale by the
  // model's rule.
  std::vector<std::pair<const Placed*, shell::ScaledPlace>> Layout() const {
    std::vector<std::pair<const Placed*, shell::ScaledPlace>> layout;
    for (const Placed* child = kChildren; child != std::end(kChildren); ++child) {
      const Place& at = program_ == Program::Kestrel ? child->kestrel : child->plover;
      const shell::ControlSpec spec{.name = "", .kind = shell::ControlKind::Label, .left = at.left,
                                    .top = at.top, .width = at.width, .height = at.height};
      if (at.tab >= 0) {
        layout.emplace_back(child, shell::PlaceAtScale(spec, scale_));
      }
    }
    std::ranges::sort(layout, {}, [this](const auto& entry) {
      return (program_ == Program::Kestrel ? entry.first->kestrel : entry.first->plover).tab;
    });
    return layout;
  }
  // The child in the middle of the place the layout gives the named control.
  HWND Child(std::string_view name) const {
    for (const auto& [child, at] : Layout()) {
      if (child->name == name) {
        const POINT middle{at.left + at.width / 2, at.top + at.height / 2};
        return ChildWindowFromPointEx(Main(), middle, CWP_SKIPTRANSPARENT);
      }
    }
    ADD_FAILURE() << "no child " << name;
    return nullptr;
  }
  // Every child's class, style, place, text and tooltip, in tab order.
  void ExpectChildren() {
    HWND at = GetWindow(Main(), GW_CHILD);
    for (const auto& [expected, place] : Layout()) {
      SCOPED_TRACE(expected->name);
      ASSERT_TRUE(at);
      const std::wstring window_class = TextOf(at, true);
      if (expected->window_class) {
        EXPECT_EQ(window_class, expected->window_class);
      } else {
        EXPECT_EQ(GetClassLongPtrW(at, GCLP_HMODULE), LONG_PTR(GetModuleHandleW(nullptr)));
      }
      const DWORD mask = expected->style | (window_class == L"Button" ? BS_TYPEMASK : 0);
      EXPECT_EQ(DWORD(GetWindowLongW(at, GWL_STYLE)) & mask, expected->style);
      RECT r;
      GetWindowRect(at, &r);
      MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ((shell::ScaledPlace{r.left, r.top, r.right - r.left, r.bottom - r.top}), place);
      if (expected->text) {
        EXPECT_EQ(TextOf(at), expected->text);
      }
      EXPECT_EQ(TooltipOf(Main(), at), expected->tooltip);
      at = GetWindow(at, GW_HWNDNEXT);
    }
    EXPECT_FALSE(at) << "a child the layout lacks";
  }
  shell::FileList& File1() { return form_->ControlNamed<shell::FileList>("File1"); }
  std::string Selected() {
    return File1().SelectedIndex() < 0 ? "none" : form_->CurrentFile().filename().string();
  }
  // Check1's and Check2's values in the model, then as their boxes show them: "11/11".
  std::string Boxes() {
    std::string model, shown;
    for (const char* name : {"Check1", "Check2"}) {
      model += std::to_string(form_->ControlNamed<shell::CheckBox>(name).Value());
      shown += std::to_string(SendMessageW(Child(name), BM_GETCHECK, 0, 0));
    }
    return model + "/" + shown;
  }
  bool Closed() const { return form_->Closed() && !IsWindow(Main()); }

  // Runs the messages waiting as the program's loop does, Tab and Enter as dialog keys.
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!window_ || !IsDialogMessageW(Main(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  void Post(HWND to, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    PostMessageW(to, message, wparam, lparam);
    Pump();
  }
  void Key(HWND to, WPARAM key) {
    SetFocus(to);
    Post(to, WM_KEYDOWN, key, 1);
  }
  void Press(const char* button) {
    SendMessageW(Child(button), BM_CLICK, 0, 0);
    Pump();
  }
  // The left button pressed and released on the main window's client area.
  void Mouse(POINT down, POINT up, UINT press = WM_LBUTTONDOWN) {
    Post(Main(), press, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    Post(Main(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
  }

  test_support::TempFolder folder_;
  test_support::RecordingMessages messages_;
  shell::win32::MessageBoxes boxes_;  // the system's own, which take the window's activation
  bool real_boxes_ = false;
  std::optional<std::string> language_;
  std::vector<shell::Drive> drives_{{"C:\\", "c:"}, {"Z:\\", "z:"}};
  bool registered_ = false;
  fs::path exported_;
  Program program_ = Program::Kestrel;
  std::unique_ptr<shell::ViewerForm> form_;
  std::unique_ptr<shell::win32::Window> window_;
  const char* dpi_ = std::getenv("KP_WINE_DPI");
  double scale_ = (dpi_ ? std::atoi(dpi_) : 96) / 96.0;
};

// What is checked at each dpi the runner sets; the rest at 96 only.
class AtEveryScale : public Win32Window {};

TEST_F(AtEveryScale, EachWindowIsItsLayoutInTabOrderAndEachCaptionFits) {
  for (const auto& [program, title, width, height, minimize, tab_order] :
       {std::tuple{Program::Kestrel, L"Kestrel 1.0", 658, 466, true,
                   "Command1 Command4 Command3 Picture1 File1 Drive1 Dir1 Check1 Picture2 Check2 "
                   "Command2 Command1 "},
        std::tuple{Program::Plover, L"Plover 1.0", 655, 467, false,  // Command5 disabled
                   "Command1 Command4 Command3 Picture1 File1 Drive1 Dir1 Command2 Check1 Check2 "
                   "Command1 Command4 "}}) {
    Open(program);
    EXPECT_EQ(TextOf(Main()), title);
    RECT client, frame, work;
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, shell::Scaled(width, scale_));
    EXPECT_EQ(client.bottom, shell::Scaled(height, scale_));
    const LONG frame_style = WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
    EXPECT_EQ(GetWindowLongW(Main(), GWL_STYLE) & frame_style, minimize ? WS_MINIMIZEBOX : 0);
    GetWindowRect(Main(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);  // centred
    EXPECT_LE(std::abs(frame.left + frame.right - work.left - work.right), 1);
    EXPECT_LE(std::abs(frame.top + frame.bottom - work.top - work.bottom), 1);
    ExpectChildren();

    std::string order;  // from the first focus, Tab twelve times
    for (int i = 0; i < 12; ++i) {
      HWND focus = GetFocus();
      for (const auto& [child, place] : Layout()) {
        order += Child(child->name) == focus ? std::string(child->name) + " " : "";
      }
      Post(focus, WM_KEYDOWN, VK_TAB, 1);
    }
    EXPECT_EQ(order, tab_order);
    for (const auto& [child, place] : Layout()) {  // in the font made for the scale, whole
      if (!child->window_class) {
        continue;
      }
      const auto font = HFONT(SendMessageW(Child(child->name), WM_GETFONT, 0, 0));
      LOGFONTW shape{};
      GetObjectW(font, sizeof shape, &shape);
      EXPECT_EQ(shape.lfHeight, -shell::FontPixels(8.25, scale_)) << child->name;
      HDC dc = GetDC(Main());
      HGDIOBJ old = SelectObject(dc, font);
      SIZE extent{};
      const std::wstring text = TextOf(Child(child->name));
      GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
      EXPECT_LE(extent.cx, place.width - 2 * GetSystemMetrics(SM_CXEDGE)) << child->name;
      SelectObject(dc, old);
      ReleaseDC(Main(), dc);
    }
  }
  language_ = "en";  // the English captions come after the window is built
  Open(Program::Kestrel);
  EXPECT_EQ(TextOf(Child("Command1")), L"Exit");
}

struct Case {
  const char* what;
  Program program;
  std::function<void()> act;
  std::function<void()> check;  // reads the effect from the model
};

TEST_F(Win32Window, EachChildsRealMessagesReachTheModel) {
  const POINT label3{30, 368}, label4{30, 410}, red_hint{30, 384}, picture{200, 320};
  const auto row_of_sub = [this] {  // the last row of Dir1, scrolled into view
    const int last = int(SendMessageW(Child("Dir1"), LB_GETCOUNT, 0, 0)) - 1;
    SendMessageW(Child("Dir1"), LB_SETTOPINDEX, WPARAM(last), 0);
    RECT row;
    SendMessageW(Child("Dir1"), LB_GETITEMRECT, WPARAM(last), LPARAM(&row));
    return MAKELPARAM(row.left + 20, row.top + 2);
  };
  const Case cases[] = {
      {"Next", Program::Kestrel, [&] { Press("Command3"); },
       [&] { EXPECT_EQ(Selected(), "phone_suite_header.nsl"); }},
      {"Enter on a button", Program::Kestrel, [&] { Key(Child("Command4"), VK_RETURN); },
       [&] { EXPECT_EQ(Selected(), "hello_frame.nsl"); }},
      {"Exit", Program::Kestrel, [&] { Press("Command1"); }, [&] { EXPECT_TRUE(Closed()); }},
      {"the close box", Program::Plover, [&] { Post(Main(), WM_CLOSE); },
       [&] { EXPECT_TRUE(Closed()); }},
      {"About", Program::Plover, [&] { Press("Command2"); },
       [&] {
         ASSERT_EQ(messages_.shown.size(), 1u);
         EXPECT_EQ(messages_.shown[0].icon, shell::MessageIcon::Information);
       }},
      {"Check1's box", Program::Kestrel, [&] { Press("Check1"); },
       [&] { EXPECT_EQ(Boxes(), "01/01"); }},
      {"Label4, Check2's caption", Program::Kestrel, [&] { Mouse(label4, label4); },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"plover's Label5", Program::Plover, [&] { Mouse({30, 356}, {30, 356}); },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"no caption: the red hint, the picture", Program::Kestrel,
       [&] {
         Mouse(red_hint, red_hint);
         Mouse(picture, picture);
       },
       [&] { EXPECT_EQ(Boxes(), "11/11"); }},
      {"pressed on a caption, released on the picture", Program::Kestrel,
       [&] { Mouse(label3, picture); }, [&] { EXPECT_EQ(Boxes(), "11/11"); }},
      {"a double-click on a caption", Program::Kestrel,
       [&] {  // Windows makes the second press a double-click for a class that asks for one
         Mouse(label4, label4);
         const bool asks = GetClassLongW(Main(), GCL_STYLE) & CS_DBLCLKS;
         Mouse(label4, label4, asks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
       },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"a letter in the file list", Program::Kestrel, [&] { Key(Child("File1"), 'H'); },
       [&] { EXPECT_EQ(Selected(), "hello_frame.nsl"); }},
      {"a click on the file list's first row", Program::Plover,
       [&] {
         Post(Child("File1"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
         Post(Child("File1"), WM_LBUTTONUP, 0, MAKELPARAM(10, 4));
       },
       [&] { EXPECT_EQ(Selected(), "picture_wave.nlm"); }},
      {"End and Enter in the folder list", Program::Kestrel,
       [&] {
         Key(Child("Dir1"), VK_END);
         Key(Child("Dir1"), VK_RETURN);
       },
       [&] { EXPECT_EQ(File1().Path(), folder_.Path() / "sub"); }},
      {"a double-click in the folder list", Program::Plover,
       [&] {
         const LPARAM at = row_of_sub();
         for (const int message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
           Post(Child("Dir1"), UINT(message), message == WM_LBUTTONUP ? 0u : MK_LBUTTON, at);
         }
       },
       [&] { EXPECT_EQ(File1().Path(), folder_.Path() / "sub"); }},
      {"an arrow key in the drive list", Program::Kestrel, [&] { Key(Child("Drive1"), VK_DOWN); },
       [&] {
         EXPECT_EQ(form_->ControlNamed<shell::DriveList>("Drive1").CurrentIndex(), 1);
         EXPECT_EQ(File1().Path().root_name(), "Z:");
       }},
      {"the drive list read again as it opens", Program::Plover,
       [&] {
         drives_.push_back({"D:\\", "d:"});
         SendMessageW(Child("Drive1"), CB_SHOWDROPDOWN, TRUE, 0);
         SendMessageW(Child("Drive1"), CB_SHOWDROPDOWN, FALSE, 0);
       },
       [&] {
         EXPECT_EQ(SendMessageW(Child("Drive1"), CB_GETCOUNT, 0, 0), 3);
         EXPECT_EQ(SendMessageW(Child("Drive1"), CB_GETCURSEL, 0, 0), 0);
       }},
      {"a file dropped from Explorer", Program::Kestrel,
       [&] {  // the HDROP Explorer sends: DROPFILES, then the wide names, each ending in a NUL
         const std::wstring name = (folder_.Path() / "hello_frame.nsl").native();
         const SIZE_T bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
         HGLOBAL drop = GlobalAlloc(GHND, bytes);
         auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
         files->pFiles = sizeof(DROPFILES);
         files->fWide = TRUE;
         name.copy(reinterpret_cast<wchar_t*>(files + 1), name.size());
         GlobalUnlock(drop);
         Post(Main(), WM_DROPFILES, WPARAM(drop));
       },
       [&] { EXPECT_EQ(Selected(), "hello_frame.nsl"); }},
      {"=> LogoManager, then the timer", Program::Plover,
       [&] {
         Press("Command3");
         Press("Command5");
         for (int i = 0; i < 100 && !form_->Closed(); ++i) {  // the timer's messages, as they come
           MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
           Pump();
         }
       },
       [&] {
         EXPECT_EQ(exported_, folder_.Path() / "picture_wave.nlm");
         EXPECT_TRUE(Closed());
       }},
  };
  registered_ = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages_.shown.clear();
    drives_.resize(2);
    Open(c.program, folder_.Path() / "kestrel_bird.nsl");
    c.act();
    c.check();
  }
}

TEST_F(Win32Window, TheFocusComesBackAfterAMessageBoxAndWhenTheWindowIsActivatedAgain) {
  folder_.Write("0_short.nsl", std::vector<std::uint8_t>(573));  // a message when chosen
  real_boxes_ = true;
  Open(Program::Kestrel, folder_.Path() / "kestrel_bird.nsl");
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND box = FindWindowW(L"#32770", nullptr)) {  // the message box, once it is there
      KillTimer(nullptr, timer);
      PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
    }
  });
  Key(Child("File1"), VK_HOME);  // onto the short file: the box, until Enter
  EXPECT_EQ(Selected(), "0_short.nsl");
  Post(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(Selected(), "hello_frame.nsl");
  HWND other = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                               nullptr, nullptr, nullptr);  // another program's, as it were
  SetActiveWindow(other);
  SetActiveWindow(Main());
  DestroyWindow(other);
  Post(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(Selected(), "kestrel_bird.nsl");
}

TEST_F(AtEveryScale, TheSurfacesShowEveryDotInCellsOfOneWholeSize) {
  for (const auto& [program, file, immediate, shown] :  // immediate: Check1 cleared, then Next
       {std::tuple{Program::Kestrel, "kestrel_bird.nsl", false, "kestrel_bird"},
        std::tuple{Program::Kestrel, "kestrel_bird.nsl", true, "phone_suite_header"},
        std::tuple{Program::Plover, "startup_sunrise.nlm", false, "startup_sunrise"}}) {
    SCOPED_TRACE(std::string(file) + (immediate ? ", immediate" : ""));
    Open(program, folder_.Path() / file);
    if (immediate) {
      Press("Check1");
      Press("Command3");
    }
    RedrawWindow(Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const test_support::Art art = test_support::SampleArt(shown);
    const shell::Raster big = Shown(Child("Picture1"), 2);
    int width = 0, height = 0;
    const std::vector<int> xs = CellStarts(big, true, width), ys = CellStarts(big, false, height);
    EXPECT_EQ(width, height);
    EXPECT_EQ(Cells(big, xs, ys, width, shell::kDotColor), art);
    if (program == Program::Kestrel && !immediate) {
      const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
      const shell::Rgb dot{GetRValue(text), GetGValue(text), GetBValue(text)};
      const shell::Raster preview = Shown(Child("Picture2"), 1);
      int first = 84, last = 0, top = 48, bottom = 0;  // the picture's outermost dark dots
      for (int y = 0; y < 48; ++y) {
        const auto row = art[std::size_t(y)];
        if (row.find('#') != std::string::npos) {
          first = std::min(first, int(row.find('#')));
          last = std::max(last, int(row.rfind('#')));
          top = std::min(top, y);
          bottom = y;
        }
      }
      const std::vector<int> columns = DotStarts(preview, true, first, last, 84, dot, width);
      const std::vector<int> rows = DotStarts(preview, false, top, bottom, 48, dot, height);
      EXPECT_EQ(width, height);
      EXPECT_EQ(Cells(preview, columns, rows, width, dot), art);
    }
  }
}

TEST_F(Win32Window, AChangeOfDpiMovesTheWindowAndPlacesEveryChildAgain) {
  Open(Program::Plover);
  SIZE size{};
  SendMessageW(Main(), WM_GETDPISCALEDSIZE, 144, LPARAM(&size));
  const RECT suggested{10, 20, 10 + size.cx, 20 + size.cy};
  SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
  RECT frame;
  GetWindowRect(Main(), &frame);
  EXPECT_TRUE(EqualRect(&frame, &suggested));
  scale_ = 1.5;
  ExpectChildren();
}

}  // namespace
