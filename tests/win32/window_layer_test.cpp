#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/win32/system_services.h"
#include "shell/win32/window.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

// What only the Win32 window shows: each window built from its layout, each child's real
// messages reaching the model, the surfaces painting the canvas. Behaviour is the model's tests'.
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

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[80] = L"";
  GetWindowTextW(window, text, 80);
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

// The pixels a child window shows, from (border, border).
shell::Raster Shown(HWND child, int border, int width, int height) {
  HDC dc = GetDC(child);
  shell::Raster shown(width, height, {});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = GetPixel(dc, border + x, border + y);
      shown.SetPixel(x, y, {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  ReleaseDC(child, dc);
  return shown;
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
  // This window's children in tab order, each with its place.
  std::vector<std::pair<const Placed*, Place>> Layout() const {
    std::vector<std::pair<const Placed*, Place>> layout;
    for (const Placed& child : kChildren) {
      const Place& place = program_ == Program::Kestrel ? child.kestrel : child.plover;
      if (place.tab >= 0) {
        layout.emplace_back(&child, place);
      }
    }
    std::ranges::sort(layout, {}, [](const auto& entry) { return entry.second.tab; });
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
};

TEST_F(Win32Window, EachWindowIsItsLayoutInTabOrder) {
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
    EXPECT_TRUE(client.right == width && client.bottom == height);
    const LONG frame_style = WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
    EXPECT_EQ(GetWindowLongW(Main(), GWL_STYLE) & frame_style, minimize ? WS_MINIMIZEBOX : 0);
    GetWindowRect(Main(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);  // centred
    EXPECT_LE(std::abs(frame.left + frame.right - work.left - work.right), 1);
    EXPECT_LE(std::abs(frame.top + frame.bottom - work.top - work.bottom), 1);

    HWND at = GetWindow(Main(), GW_CHILD);
    for (const auto& [expected, place] : Layout()) {
      SCOPED_TRACE(expected->name);
      ASSERT_TRUE(at);
      const std::wstring window_class = ClassOf(at);
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
      EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                (std::array<LONG, 4>{place.left, place.top, place.width, place.height}));
      if (expected->text) {
        EXPECT_EQ(TextOf(at), expected->text);
      }
      EXPECT_EQ(TooltipOf(Main(), at), expected->tooltip);
      at = GetWindow(at, GW_HWNDNEXT);
    }
    EXPECT_FALSE(at) << "a child the layout lacks";

    std::string order;  // from the first focus, Tab twelve times
    for (int i = 0; i < 12; ++i) {
      HWND focus = GetFocus();
      for (const auto& [child, place] : Layout()) {
        order += Child(child->name) == focus ? std::string(child->name) + " " : "";
      }
      Post(focus, WM_KEYDOWN, VK_TAB, 1);
    }
    EXPECT_EQ(order, tab_order);
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
      {"Previous", Program::Kestrel, [&] { Press("Command4"); },
       [&] { EXPECT_EQ(Selected(), "hello_frame.nsl"); }},
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
      {"Check2's box", Program::Plover, [&] { Press("Check2"); },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"Label3, Check1's caption", Program::Kestrel, [&] { Mouse(label3, label3); },
       [&] { EXPECT_EQ(Boxes(), "01/01"); }},
      {"Label4, Check2's caption", Program::Kestrel, [&] { Mouse(label4, label4); },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"plover's Label4", Program::Plover, [&] { Mouse({30, 336}, {30, 336}); },
       [&] { EXPECT_EQ(Boxes(), "01/01"); }},
      {"plover's Label5", Program::Plover, [&] { Mouse({30, 356}, {30, 356}); },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"no caption: the red hint, the picture", Program::Kestrel,
       [&] {
         Mouse(red_hint, red_hint);
         Mouse(picture, picture);
       },
       [&] { EXPECT_EQ(Boxes(), "11/11"); }},
      {"pressed on the picture, released on a caption", Program::Kestrel,
       [&] { Mouse(picture, label3); }, [&] { EXPECT_EQ(Boxes(), "11/11"); }},
      {"pressed on a caption, released on the picture", Program::Kestrel,
       [&] { Mouse(label3, picture); }, [&] { EXPECT_EQ(Boxes(), "11/11"); }},
      {"a double-click on a caption", Program::Kestrel,
       [&] {  // Windows makes the second press a double-click for a class that asks for one
         Mouse(label4, label4);
         const bool asks = GetClassLongW(Main(), GCL_STYLE) & CS_DBLCLKS;
         Mouse(label4, label4, asks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
       },
       [&] { EXPECT_EQ(Boxes(), "10/10"); }},
      {"an arrow key in the file list", Program::Kestrel, [&] { Key(Child("File1"), VK_DOWN); },
       [&] { EXPECT_EQ(Selected(), "phone_suite_header.nsl"); }},
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

TEST_F(Win32Window, TheSurfacesShowTheCanvasPixelForPixel) {
  for (const auto& [program, file, immediate] :  // immediate: Check1 cleared, then Next
       {std::tuple{Program::Kestrel, "kestrel_bird.nsl", false},
        std::tuple{Program::Kestrel, "kestrel_bird.nsl", true},
        std::tuple{Program::Plover, "picture_wave.nlm", false},
        std::tuple{Program::Plover, "picture_wave.nlm", true}}) {
    SCOPED_TRACE(std::string(file) + (immediate ? ", immediate" : ""));
    Open(program, folder_.Path() / file);
    if (immediate) {
      Press("Check1");
      Press("Command3");
    }
    RedrawWindow(Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const shell::Raster& big = form_->Canvas().BigScreen().Screen();
    EXPECT_EQ(test_support::Difference(Shown(Child("Picture1"), 2, 505, 289), big), "");
    if (program == Program::Kestrel && !immediate) {  // the canvas holds the logo
      const shell::Raster bird =
          test_support::ScreenOf(test_support::SampleArt("kestrel_bird"), 0, 0, shell::kGridColor);
      EXPECT_EQ(test_support::Difference(big, bird), "");
    }
    if (const shell::Surface* preview = form_->Canvas().PreviewSurface()) {
      EXPECT_EQ(test_support::Difference(Shown(Child("Picture2"), 1, 84, 48), preview->Screen()),
                "");
      const shell::Raster frame = Shown(Child("Picture2"), 0, 86, 50);  // in the text colour
      const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
      const shell::Rgb colour{GetRValue(text), GetGValue(text), GetBValue(text)};
      EXPECT_TRUE(frame.At(0, 0) == colour && frame.At(85, 49) == colour);
    }
  }
}

}  // namespace
