# kp_add_viewer(<program> <decoder library>): a viewer's window as a library the window tests
# link, its artwork as resources, and the program itself.
function(kp_add_viewer program decoder)
  add_library(${program}_form STATIC form1.cpp)
  target_link_libraries(${program}_form PUBLIC shell_qt ${decoder})
  qt_add_resources(${program}_form "${program}_artwork" PREFIX "/${program}"
    BASE ${PROJECT_SOURCE_DIR}/artwork
    FILES ${PROJECT_SOURCE_DIR}/artwork/${program}-icon.png
          ${PROJECT_SOURCE_DIR}/artwork/${program}-decoration.jpg)
  kp_set_warnings(${program}_form)

  add_executable(${program} main.cpp)
  target_link_libraries(${program} PRIVATE ${program}_form)
  target_compile_definitions(${program} PRIVATE KP_VERSION="${PROJECT_VERSION}")
  kp_set_warnings(${program})
endfunction()
