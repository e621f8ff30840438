#pragma once

#include <array>

#include "shell/form/control_table.h"
#include "shell/form/shared_layout.h"
#include "shell/texts/texts.h"

namespace kestrel {

using shell::ControlKind;

// kestrel's window. Labels keep their place in the tab order but, like the decorative picture,
// take no focus.
inline constexpr std::array<shell::ControlSpec, 16> kControls{{
    {.name = "Image1", .kind = ControlKind::Image, .left = 36, .top = 296, .width = 349,
     .height = 169, .picture = "decoration"},
    shell::kBigScreenControl,
    {.name = "File1", .kind = ControlKind::FileList, .left = 512, .top = 4, .width = 145,
     .height = 461, .tab = 4},
    {.name = "Drive1", .kind = ControlKind::DriveList, .left = 352, .top = 300, .width = 161,
     .height = 21, .tab = 5},
    {.name = "Dir1", .kind = ControlKind::FolderList, .left = 352, .top = 323, .width = 161,
     .height = 141, .tab = 6},
    shell::kPreviousControl,
    shell::kNextControl,
    {.name = "Picture2", .kind = ControlKind::Preview, .left = 4, .top = 300, .width = 86,
     .height = 50, .tab = 9},
    {.name = "Check1", .kind = ControlKind::CheckBox, .left = 8, .top = 360, .width = 17,
     .height = 17, .tab = 8, .checked = true},
    {.name = "Label3", .kind = ControlKind::Label, .left = 24, .top = 360, .width = 153,
     .height = 17, .tab = 13, .caption = shell::PolishCaption(shell::kKestrelCaptions, "Label3")},
    {.name = "Label2", .kind = ControlKind::Label, .left = 24, .top = 376, .width = 321,
     .height = 17, .tab = 12, .caption = shell::PolishCaption(shell::kKestrelCaptions, "Label2"),
     .text_colour = shell::Rgb{255, 0, 0}},
    {.name = "Check2", .kind = ControlKind::CheckBox, .left = 8, .top = 400, .width = 17,
     .height = 17, .tab = 10, .checked = true},
    {.name = "Label4", .kind = ControlKind::Label, .left = 24, .top = 400, .width = 117,
     .height = 21, .tab = 14, .caption = shell::PolishCaption(shell::kKestrelCaptions, "Label4")},
    {.name = "Command1", .kind = ControlKind::TextButton, .left = 8, .top = 436, .width = 57,
     .height = 25, .tab = 0, .caption = shell::PolishCaption(shell::kKestrelCaptions, "Command1")},
    {.name = "Command2", .kind = ControlKind::PictureButton, .left = 72, .top = 436, .width = 33,
     .height = 25, .tab = 11, .picture = "info", .picture_size = 14},
    {.name = "Label1", .kind = ControlKind::Label, .left = 172, .top = 448, .width = 181,
     .height = 17, .tab = 7, .caption = shell::kEmailLine, .font = shell::FontKind::Bold975},
}};

inline constexpr shell::WindowSpec kWindow{
    .program = "kestrel",
    .title = "Kestrel 1.0",
    .application_title = "Kestrel",
    .client_width = 658,
    .client_height = 466,
    .minimize_button = true,
    .controls = kControls,
};

}  // namespace kestrel
