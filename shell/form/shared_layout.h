#pragma once

#include "shell/form/control_table.h"
#include "shell/texts/texts.h"

namespace shell {

// The controls that sit at the same place in both windows.
inline constexpr ControlSpec kBigScreenControl{.name = "Picture1", .kind = ControlKind::BigScreen,
                                               .left = 4, .top = 4, .width = 509, .height = 293,
                                               .tab = 3};
inline constexpr ControlSpec kPreviousControl{
    .name = "Command4", .kind = ControlKind::PictureButton, .left = 292, .top = 300, .width = 25,
    .height = 25, .tab = 1, .tooltip = kPreviousTooltip, .picture = "arrow-left",
    .picture_size = 15};
inline constexpr ControlSpec kNextControl{
    .name = "Command3", .kind = ControlKind::PictureButton, .left = 320, .top = 300, .width = 25,
    .height = 25, .tab = 2, .tooltip = kNextTooltip, .picture = "arrow-right",
    .picture_size = 15};

}  // namespace shell
