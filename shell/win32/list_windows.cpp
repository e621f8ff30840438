#include "shell/win32/list_windows.h"

#include "shell/base/display_name.h"
#include "shell/form/scaling.h"
#include "shell/win32/artwork.h"
#include "shell/win32/dpi.h"
#include "shell/win32/text.h"

namespace shell::win32 {

namespace {

constexpr int kIconSize = 16;
constexpr int kIndentPerLevel = 8;

// A list row as classic lists draw it: highlighted when selected, an optional icon, the text.
// The icon is the artwork's at its own size or twice it, the spaces scaled with the screen.
void DrawRow(const DRAWITEMSTRUCT& item, const char* icon, int indent, const std::wstring& text) {
  const double scale = ScaleOf(DpiOf(item.hwndItem));
  const bool selected = item.itemState & ODS_SELECTED;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT text_place = item.rcItem;
  text_place.left += Scaled(2 + indent, scale);
  if (icon) {
    const int size = kIconSize * GlyphFactor(scale);
    const int top = (item.rcItem.top + item.rcItem.bottom - size) / 2;
    DrawIconEx(dc, text_place.left, top, LoadGlyph(icon, size), size, size, 0, nullptr,
               DI_NORMAL);
    text_place.left += Scaled(kIconSize + 4, scale);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_place,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) {
    DrawFocusRect(dc, &item.rcItem);
  }
}

class DriveBinding : public Binding {
 public:
  DriveBinding(DriveList& model, HWND window) : Binding(window), model_(model) {
    model_.SetView([this] { Show(); });
    Show();
  }

  void Command(WORD notification) override {
    if (notification == CBN_DROPDOWN) {
      model_.Reread();
    } else if (notification == CBN_SELCHANGE) {
      model_.SetCurrentIndex(static_cast<int>(SendMessageW(Window(), CB_GETCURSEL, 0, 0)));
    }
  }
  void Draw(const DRAWITEMSTRUCT& item) override {
    if (item.itemID < model_.Drives().size()) {
      DrawRow(item, "drive", 0, Wide(model_.Drives()[item.itemID].label));
    }
  }

 private:
  void Show() {
    SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
    for (const Drive& drive : model_.Drives()) {
      SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(drive.label).c_str()));
    }
    SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(model_.CurrentIndex()), 0);
  }

  DriveList& model_;
};

// A list box whose rows the model holds; Windows keeps only their number.
class RowsBinding : public Binding {
 public:
  using Binding::Binding;

 protected:
  void ShowRows(unsigned listing, int count, int selected) {
    if (listing != listing_shown_) {
      listing_shown_ = listing;
      SendMessageW(Window(), LB_SETCOUNT, static_cast<WPARAM>(count), 0);
    }
    SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
  int Selected() const { return static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0)); }

 private:
  unsigned listing_shown_ = ~0u;
};

class FolderBinding : public RowsBinding {
 public:
  FolderBinding(FolderList& model, HWND window) : RowsBinding(window), model_(model) {
    model_.SetView([this] { ShowRows(model_.ListingNumber(), static_cast<int>(model_.Rows().size()),
                                     model_.SelectedIndex()); });
  }

  void Command(WORD notification) override {
    if (notification == LBN_SELCHANGE) {
      model_.SetSelectedIndex(Selected());
    } else if (notification == LBN_DBLCLK) {
      model_.Open(Selected());
    }
  }
  void Enter() override { model_.Open(Selected()); }
  void Draw(const DRAWITEMSTRUCT& item) override {
    if (item.itemID < model_.Rows().size()) {
      const FolderRow& row = model_.Rows()[item.itemID];
      DrawRow(item, row.open ? "folder-open" : "folder-closed",
              kIndentPerLevel * row.level, Wide(row.text));
    }
  }

 private:
  FolderList& model_;
};

class FileBinding : public RowsBinding {
 public:
  FileBinding(FileList& model, HWND window) : RowsBinding(window), model_(model) {
    model_.SetView(
        [this] { ShowRows(model_.ListingNumber(), model_.Count(), model_.SelectedIndex()); });
  }

  void Command(WORD notification) override {
    if (notification == LBN_SELCHANGE) {
      model_.SetSelectedIndex(Selected());
    }
  }
  bool Character(wchar_t typed) override {
    if (typed < L' ') {
      return false;
    }
    model_.TypeLetter(typed);
    return true;
  }
  void Draw(const DRAWITEMSTRUCT& item) override {
    if (static_cast<int>(item.itemID) < model_.Count()) {
      DrawRow(item, nullptr, 0, Wide(DisplayText(model_.Entry(static_cast<int>(item.itemID)))));
    }
  }

 private:
  FileList& model_;
};

constexpr DWORD kListStyle = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NODATA |
                             LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;

}  // namespace

std::unique_ptr<Binding> BindDriveList(DriveList& model, const ChildSlot& slot) {
  HWND window = CreateChild(slot, L"COMBOBOX",
                            WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                CBS_HASSTRINGS);
  return std::make_unique<DriveBinding>(model, window);
}

std::unique_ptr<Binding> BindFolderList(FolderList& model, const ChildSlot& slot) {
  return std::make_unique<FolderBinding>(
      model, CreateChild(slot, L"LISTBOX", kListStyle, WS_EX_CLIENTEDGE));
}

std::unique_ptr<Binding> BindFileList(FileList& model, const ChildSlot& slot) {
  // Typed letters come to the window as WM_CHARTOITEM, for the model's search.
  return std::make_unique<FileBinding>(
      model,
      CreateChild(slot, L"LISTBOX", kListStyle | LBS_WANTKEYBOARDINPUT, WS_EX_CLIENTEDGE));
}

}  // namespace shell::win32
