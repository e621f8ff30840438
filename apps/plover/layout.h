#pragma once

#include <array>

#include "shell/form/control_table.h"
#include "shell/form/shared_layout.h"
#include "shell/texts/texts.h"

namespace plover {

using shell::ControlKind;
using shell::FontKind;

// plover's window: no preview and no big-screen option; the export controls and a timer. Labels
// keep their place in the tab order but, like the decorative picture, take no focus.
inline constexpr std::array<shell::ControlSpec, 18> kControls{{
    {.name = "Image1", .kind = ControlKind::Image, .left = 84, .top = 300, .width = 264,
     .height = 170, .picture = "decoration"},
    shell::kBigScreenControl,
    {.name = "File1", .kind = ControlKind::FileList, .left = 516, .top = 4, .width = 137,
     .height = 461, .tab = 4},
    {.name = "Drive1", .kind = ControlKind::DriveList, .left = 348, .top = 300, .width = 169,
     .height = 21, .tab = 5},
    {.name = "Dir1", .kind = ControlKind::FolderList, .left = 348, .top = 323, .width = 169,
     .height = 141, .tab = 6},
    shell::kPreviousControl,
    shell::kNextControl,
    {.name = "Label1", .kind = ControlKind::Label, .left = 8, .top = 300, .width = 273,
     .height = 21, .tab = 7, .caption = shell::PolishCaption(shell::kPloverCaptions, "Label1"),
     .font = FontKind::Bold975, .align = shell::TextAlign::Centre},
    {.name = "Check1", .kind = ControlKind::CheckBox, .left = 8, .top = 324, .width = 13,
     .height = 21, .tab = 10, .checked = true},
    {.name = "Label4", .kind = ControlKind::Label, .left = 24, .top = 328, .width = 153,
     .height = 17, .tab = 14, .caption = shell::PolishCaption(shell::kPloverCaptions, "Label4")},
    {.name = "Check2", .kind = ControlKind::CheckBox, .left = 8, .top = 348, .width = 13,
     .height = 17, .tab = 13, .checked = true},
    {.name = "Label5", .kind = ControlKind::Label, .left = 24, .top = 348, .width = 169,
     .height = 17, .tab = 15, .caption = shell::PolishCaption(shell::kPloverCaptions, "Label5")},
    {.name = "Label2", .kind = ControlKind::Label, .left = 8, .top = 380, .width = 49,
     .height = 17, .tab = 12, .caption = shell::PolishCaption(shell::kPloverCaptions, "Label2"),
     .font = FontKind::Bold825},
    {.name = "Command5", .kind = ControlKind::TextButton, .left = 4, .top = 400, .width = 97,
     .height = 25, .tab = 11, .caption = "=> LogoManager", .enabled = false},
    {.name = "Command1", .kind = ControlKind::TextButton, .left = 4, .top = 440, .width = 49,
     .height = 25, .tab = 0, .caption = shell::PolishCaption(shell::kPloverCaptions, "Command1")},
    {.name = "Command2", .kind = ControlKind::PictureButton, .left = 64, .top = 440, .width = 33,
     .height = 25, .tab = 9, .picture = "info", .picture_size = 14},
    {.name = "Label3", .kind = ControlKind::Label, .left = 168, .top = 452, .width = 177,
     .height = 25, .tab = 8, .caption = shell::kEmailLine, .font = FontKind::Bold975},
    {.name = "Timer1", .kind = ControlKind::Timer, .interval = 2000},
}};

inline constexpr shell::WindowSpec kWindow{
    .program = "plover",
    .title = "Plover 1.0",
    .application_title = "Plover",
    .client_width = 655,
    .client_height = 467,
    .minimize_button = false,
    .controls = kControls,
};

}  // namespace plover
