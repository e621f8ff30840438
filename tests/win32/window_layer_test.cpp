#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/canvas/device_image.h"
#include "shell/canvas/logo_canvas.h"
#include "shell/form/scaling.h"
#include "shell/win32/system_services.h"
#include "shell/win32/window.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

// What only the Win32 window shows: each window built from its layout at the screen's scale
// (the prefix's dpi, KP_WINE_DPI, set by the test's runner), each child's real messages reaching
// the model, the surfaces painting the canvas. Behaviour is the model's tests'.
namespace {

namespace fs = std::filesystem;

enum class Program { Kestrel, Plover };

// One child window as the layouts make it: its class (null: the program's own), the style bits
// that must be set besides WS_TABSTOP, which every child has (a button's type exactly), its text,
// and in each window its place in the tab order (none: -1) and its place at 96 dpi.
struct Placed {
  const char* name;
  const wchar_t* window_class;
  DWORD style;
  const wchar_t* text;
  std::array<int, 5> kestrel, plover;  // tab, left, top, width, height
};

const Placed kChildren[] = {
    {"Command1", L"Button", BS_PUSHBUTTON, L"Koniec", {0, 8, 436, 57, 25}, {0, 4, 440, 49, 25}},
    {"Command4", L"Button", BS_ICON, L"", {1, 292, 300, 25, 25}, {1, 292, 300, 25, 25}},
    {"Command3", L"Button", BS_ICON, L"", {2, 320, 300, 25, 25}, {2, 320, 300, 25, 25}},
    {"Picture1", nullptr, 0, L"", {3, 4, 4, 509, 293}, {3, 4, 4, 509, 293}},
    {"File1", L"ListBox", LBS_NOTIFY, L"", {4, 512, 4, 145, 461}, {4, 516, 4, 137, 461}},
    {"Drive1", L"ComboBox", CBS_DROPDOWNLIST, L"c:", {5, 352, 300, 161, 21},
     {5, 348, 300, 169, 21}},
    {"Dir1", L"ListBox", LBS_NOTIFY, L"", {6, 352, 323, 161, 141}, {6, 348, 323, 169, 141}},
    {"Check1", L"Button", BS_CHECKBOX, L"", {8, 8, 360, 17, 17}, {10, 8, 324, 13, 21}},
    {"Picture2", nullptr, 0, L"", {9, 4, 300, 86, 50}, {-1}},
    {"Check2", L"Button", BS_CHECKBOX, L"", {10, 8, 400, 17, 17}, {13, 8, 348, 13, 17}},
    {"Command2", L"Button", BS_ICON, L"", {11, 72, 436, 33, 25}, {9, 64, 440, 33, 25}},
    {"Command5", L"Button", BS_PUSHBUTTON | WS_DISABLED, L"=> LogoManager", {-1},
     {11, 4, 400, 97, 25}},
};

std::wstring TextOf(HWND window, bool class_name = false) {
  wchar_t text[80] = L"";
  class_name ? GetClassNameW(window, text, 80) : GetWindowTextW(window, text, 80);
  return text;
}

// The pixels a window shows in a box of its client area, read back from the screen.
shell::Raster Capture(HWND window, const RECT& box) {
  const int width = box.right - box.left, height = box.bottom - box.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, dc, box.left, box.top, SRCCOPY);
  shell::Raster shown(width, height, {});
  for (int i = 0; i < width * height; ++i) {
    const auto c = static_cast<const std::uint32_t*>(bits)[i];
    shown.SetPixel(i % width, i / width, {GetBValue(c), GetGValue(c), GetRValue(c)});  // BGRX
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  DeleteObject(bitmap);
  return shown;
}

// The pixels a child window shows in a box of that size centred inside its border.
shell::Raster Shown(HWND child, int border, int width, int height) {
  RECT client;
  GetClientRect(child, &client);
  const int left = border + (client.right - 2 * border - width) / 2;
  const int top = border + (client.bottom - 2 * border - height) / 2;
  return Capture(child, {left, top, left + width, top + height});
}

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sample : {"kestrel_bird.nsl", "hello_frame.nsl", "phone_suite_header.nsl",
                               "picture_wave.nlm", "startup_sunrise.nlm"}) {
      fs::copy_file(test_support::SamplePath(sample), folder_.Path() / sample);
    }
    folder_.Write("0_short.nsl", std::vector<std::uint8_t>(573));  // a message when chosen
    fs::create_directory(folder_.Path() / "sub");
  }
  ~Win32Window() override {
    window_.reset();
    Pump();
  }

  // The form with the system faked and its window, built, loaded and shown as the program does;
  // the message loop is the test's.
  void Open(Program program, const fs::path& argument = {}) {
    window_.reset();
    const shell::ViewerServices services{boxes_, [this] { return language_; },
                                         [this] { return drives_; },
                                         [this] { return folder_.Path(); }};
    program_ = program;
    if (program == Program::Kestrel) {
      form_ = std::make_unique<kestrel::Form1>(services);
    } else {
      const auto look_up = [] { return nlm::LogoManagerLookup{"C:\\LM.exe", false}; };
      const auto start = [](const std::string&, const fs::path&) { return true; };
      form_ = std::make_unique<plover::Form1>(services, plover::ExportServices{look_up, start});
    }
    window_ = std::make_unique<shell::win32::Window>(*form_);
    boxes_.Attach(Main(), L"Kestrel");
    form_->Form_Load(argument.native());
    window_->Show();
    Pump();
  }
  HWND Main() const { return window_->Handle(); }
  // This window's children by tab order, each with its place at the screen's scale by the
  // model's rule.
  std::map<int, std::pair<const Placed*, shell::ScaledPlace>> Layout() const {
    std::map<int, std::pair<const Placed*, shell::ScaledPlace>> layout;
    for (const Placed& child : kChildren) {
      const auto [tab, left, top, width, height] =
          program_ == Program::Kestrel ? child.kestrel : child.plover;
      const shell::ControlSpec spec{.name = {}, .kind = {}, .left = left, .top = top,
                                    .width = width, .height = height};
      if (tab >= 0) {
        layout[tab] = {&child, shell::PlaceAtScale(spec, scale_)};
      }
    }
    return layout;
  }
  // The child in the middle of the place the layout gives the named control.
  HWND Child(std::string_view name) const {
    for (const auto& [tab, laid] : Layout()) {
      if (const auto& [child, at] = laid; child->name == name) {
        const POINT middle{at.left + at.width / 2, at.top + at.height / 2};
        return ChildWindowFromPointEx(Main(), middle, CWP_SKIPTRANSPARENT);
      }
    }
    ADD_FAILURE() << "no child " << name;
    return nullptr;
  }
  // Every child's class, style, place, text and font, in tab order.
  void ExpectChildren() {
    HWND at = GetWindow(Main(), GW_CHILD);
    for (const auto& [tab, laid] : Layout()) {
      const auto& [expected, place] = laid;
      SCOPED_TRACE(expected->name);
      ASSERT_TRUE(at);
      const std::wstring window_class = TextOf(at, true);
      if (expected->window_class) {
        EXPECT_EQ(window_class, expected->window_class);
      } else {
        EXPECT_EQ(GetClassLongPtrW(at, GCLP_HMODULE), LONG_PTR(GetModuleHandleW(nullptr)));
      }
      const DWORD style = WS_TABSTOP | expected->style;
      const DWORD mask = style | (window_class == L"Button" ? BS_TYPEMASK : 0);
      EXPECT_EQ(DWORD(GetWindowLongW(at, GWL_STYLE)) & mask, style);
      RECT r;
      GetWindowRect(at, &r);
      MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ((shell::ScaledPlace{r.left, r.top, r.right - r.left, r.bottom - r.top}), place);
      EXPECT_EQ(TextOf(at), expected->text);
      if (expected->window_class) {  // in the font made for the scale, the text whole
        const auto font = HFONT(SendMessageW(at, WM_GETFONT, 0, 0));
        LOGFONTW shape{};
        GetObjectW(font, sizeof shape, &shape);
        EXPECT_EQ(shape.lfHeight, -shell::FontPixels(8.25, scale_));
        HDC dc = GetDC(at);
        SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32W(dc, TextOf(at).c_str(), int(TextOf(at).size()), &extent);
        EXPECT_LE(extent.cx, place.width - 2 * GetSystemMetrics(SM_CXEDGE));
        ReleaseDC(at, dc);
      }
      at = GetWindow(at, GW_HWNDNEXT);
    }
    EXPECT_FALSE(at) << "a child the layout lacks";
  }
  shell::FileList& File1() { return form_->ControlNamed<shell::FileList>("File1"); }
  std::string Selected() {
    return File1().SelectedIndex() < 0 ? "none" : form_->CurrentFile().filename().string();
  }
  // What a case leaves: "closed", or the file selected, Check1's and Check2's values in the model
  // and as their boxes show them ("11/11"), and the folder open when not the samples' one.
  std::string State() {
    if (form_->Closed() && !IsWindow(Main())) {
      return "closed";
    }
    std::string model, shown;
    for (const char* name : {"Check1", "Check2"}) {
      model += std::to_string(form_->ControlNamed<shell::CheckBox>(name).Value());
      shown += std::to_string(SendMessageW(Child(name), BM_GETCHECK, 0, 0));
    }
    const fs::path open = File1().Path();
    const fs::path at = open.parent_path() == folder_.Path() ? open.filename() : open.root_name();
    return Selected() + " " + model + "/" + shown +
           (open == folder_.Path() ? "" : " " + at.string());
  }

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
  void Key(HWND to, std::initializer_list<WPARAM> keys) {
    SetFocus(to);
    for (const WPARAM key : keys) {
      Post(to, WM_KEYDOWN, key, 1);
    }
  }
  void Press(const char* button) {
    SendMessageW(Child(button), BM_CLICK, 0, 0);
    Pump();
  }
  // The left button pressed and released on a window's client area.
  void Mouse(POINT down, POINT up, UINT press = WM_LBUTTONDOWN, HWND on = nullptr) {
    Post(on ? on : Main(), press, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    Post(on ? on : Main(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
  }
  // Windows makes the second press a double-click for a class that asks for one.
  void DoubleClick(POINT at, HWND on) {
    Mouse(at, at, WM_LBUTTONDOWN, on);
    Mouse(at, at, GetClassLongW(on, GCL_STYLE) & CS_DBLCLKS ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN,
          on);
  }

  test_support::TempFolder folder_;
  shell::win32::MessageBoxes boxes_;  // the system's own, which take the window's activation
  std::optional<std::string> language_;
  std::vector<shell::Drive> drives_{{"C:\\", "c:"}, {"Z:\\", "z:"}};
  Program program_ = Program::Kestrel;
  std::unique_ptr<shell::ViewerForm> form_;
  std::unique_ptr<shell::win32::Window> window_;
  double scale_ = (std::getenv("KP_WINE_DPI") ? std::atoi(std::getenv("KP_WINE_DPI")) : 96) / 96.0;
};

// What is checked at each dpi the runner sets; the rest at 96 only.
class AtEveryScale : public Win32Window {};

TEST_F(AtEveryScale, EachWindowIsItsLayoutInTabOrderAndEachCaptionFits) {
  for (const auto& [program, title, width, height, minimize] :
       {std::tuple{Program::Kestrel, L"Kestrel 1.0", 658, 466, true},
        std::tuple{Program::Plover, L"Plover 1.0", 655, 467, false}}) {
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
    EXPECT_TRUE(std::abs(frame.left + frame.right - work.left - work.right) <= 1 &&
                std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1);
    ExpectChildren();
    // The decorative picture: its bird, which nothing covers, has hundreds of pixels far darker
    // than the window's grey.
    RedrawWindow(Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const RECT bird = program == Program::Kestrel ? RECT{96, 296, 286, 356}
                                                  : RECT{200, 330, 344, 450};
    const shell::Raster shown = Capture(
        Main(), {shell::Scaled(bird.left, scale_), shell::Scaled(bird.top, scale_),
                 shell::Scaled(bird.right, scale_), shell::Scaled(bird.bottom, scale_)});
    EXPECT_GT(std::count_if(shown.Pixels(), shown.Pixels() + shown.Width() * shown.Height(),
                            [](std::uint32_t c) { return shell::FromPixel(c).g < 160; }),
              100);
    if (scale_ == 1) {  // a change of dpi: the window moved, every child placed again
      SIZE size{};
      SendMessageW(Main(), WM_GETDPISCALEDSIZE, 144, LPARAM(&size));
      const RECT suggested{10, 20, 10 + size.cx, 20 + size.cy};
      SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
      GetWindowRect(Main(), &frame);
      EXPECT_TRUE(EqualRect(&frame, &suggested));
      scale_ = 1.5;
      ExpectChildren();
      scale_ = 1;
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
  const char* state;  // what it leaves in the model and on screen
};

TEST_F(Win32Window, EachChildsRealMessagesReachTheModel) {
  const POINT label3{30, 368}, label4{30, 410}, picture{200, 320};
  const auto row_of_sub = [this] {  // the last row of Dir1, scrolled into view
    const int last = int(SendMessageW(Child("Dir1"), LB_GETCOUNT, 0, 0)) - 1;
    SendMessageW(Child("Dir1"), LB_SETTOPINDEX, WPARAM(last), 0);
    RECT row;
    SendMessageW(Child("Dir1"), LB_GETITEMRECT, WPARAM(last), LPARAM(&row));
    return POINT{row.left + 20, row.top + 2};
  };
  const Case cases[] = {
      {"Next", Program::Kestrel, [&] { Press("Command3"); }, "phone_suite_header.nsl 11/11"},
      {"Enter on a button", Program::Kestrel, [&] { Key(Child("Command4"), {VK_RETURN}); },
       "hello_frame.nsl 11/11"},
      {"Exit", Program::Kestrel, [&] { Press("Command1"); }, "closed"},
      {"the close box", Program::Plover, [&] { Post(Main(), WM_CLOSE); }, "closed"},
      {"Check1's box", Program::Kestrel, [&] { Press("Check1"); }, "kestrel_bird.nsl 01/01"},
      {"Label4, Check2's caption", Program::Kestrel, [&] { Mouse(label4, label4); },
       "kestrel_bird.nsl 10/10"},
      {"pressed on a caption, released on the picture", Program::Kestrel,
       [&] { Mouse(label3, picture); }, "kestrel_bird.nsl 11/11"},
      {"a double-click on a caption", Program::Kestrel, [&] { DoubleClick(label4, Main()); },
       "kestrel_bird.nsl 10/10"},
      {"a letter in the file list", Program::Kestrel, [&] { Key(Child("File1"), {'H'}); },
       "hello_frame.nsl 11/11"},
      {"a click on the file list's first row", Program::Plover,
       [&] { Mouse({10, 4}, {10, 4}, WM_LBUTTONDOWN, Child("File1")); }, "picture_wave.nlm 11/11"},
      {"End and Enter in the folder list", Program::Kestrel,
       [&] { Key(Child("Dir1"), {VK_END, VK_RETURN}); }, "none 11/11 sub"},
      {"a double-click in the folder list", Program::Plover,
       [&] { DoubleClick(row_of_sub(), Child("Dir1")); }, "none 11/11 sub"},
      {"an arrow key in the drive list", Program::Kestrel, [&] { Key(Child("Drive1"), {VK_DOWN}); },
       "none 11/11 Z:"},
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
       "hello_frame.nsl 11/11"},
      {"a message box, then the window activated again: the focus back each time",
       Program::Kestrel,
       [&] {
         SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
           if (HWND box = FindWindowW(L"#32770", nullptr)) {  // the message box, once it is there
             KillTimer(nullptr, timer);
             PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
           }
         });
         Key(Child("File1"), {VK_HOME});  // onto the short file: the box, until Enter
         Post(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
         EXPECT_EQ(Selected(), "hello_frame.nsl");
         HWND other = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                      nullptr, nullptr, nullptr);  // another program's, as it were
         SetActiveWindow(other);
         SetActiveWindow(Main());
         DestroyWindow(other);
         Post(GetFocus(), WM_KEYDOWN, VK_DOWN, 1);
       },
       "kestrel_bird.nsl 11/11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.program, folder_.Path() / "kestrel_bird.nsl");
    c.act();
    EXPECT_EQ(State(), c.state);
  }
}

// Made when the pointer first comes over the window, the tooltips of Previous and Next.
TEST_F(Win32Window, ThePointerOverTheWindowBringsTheButtonsTooltips) {
  Open(Program::Kestrel);
  SendMessageW(Child("Command3"), WM_SETCURSOR, WPARAM(Child("Command3")),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  for (const auto& [button, tip] :
       {std::pair{"Command4", L"Poprzedni"}, {"Command3", L"Następny"}}) {
    wchar_t text[80] = L"";
    TOOLINFOW tool{sizeof tool, 0, Main(), UINT_PTR(Child(button)), {}, {}, text, 0, {}};
    SendMessageW(FindWindowW(TOOLTIPS_CLASSW, nullptr), TTM_GETTEXTW, 80, LPARAM(&tool));
    EXPECT_STREQ(text, tip);
  }
}

// The surfaces' pixels on screen, every one: the sample's dots as the file format gives them,
// at the screen's scale in cells of one whole size (the model's rule, worked by hand in its test),
// centred in the box.
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
    const shell::Raster big = shell::BigScreenAtScale(
        test_support::ScreenOf(art, 0, 0, shell::kGridColor), scale_);
    EXPECT_EQ(test_support::Difference(
                  Shown(Child("Picture1"), 2, big.Width(), big.Height()), big), "");
    if (program == Program::Kestrel && !immediate) {
      const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
      const shell::Raster preview = shell::PreviewAtScale(
          test_support::PreviewOf(art, {GetRValue(text), GetGValue(text), GetBValue(text)}),
          scale_);
      EXPECT_EQ(test_support::Difference(
                    Shown(Child("Picture2"), 1, preview.Width(), preview.Height()), preview), "");
    }
  }
}

}  // namespace
