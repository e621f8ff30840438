# kp_add_viewer(<program> <decoder library>): the program's window model as a toolkit-free
# library the tests link, and the Qt program built on it.
function(kp_add_viewer program decoder)
  add_library(${program}_form STATIC form1.cpp)
  target_link_libraries(${program}_form PUBLIC shell ${decoder})
  kp_set_warnings(${program}_form)

  if(KP_BUILD_GUI)
    add_executable(${program} main.cpp)
    target_link_libraries(${program} PRIVATE ${program}_form shell_qt)
    target_compile_definitions(${program} PRIVATE KP_VERSION="${PROJECT_VERSION}")
    kp_add_artwork(${program} ${program})
    kp_set_warnings(${program})
  endif()
endfunction()

# kp_add_artwork(<target> <program>): the program's icon and decorative picture as Qt resources
# under :/<program>/.
function(kp_add_artwork target program)
  kp_artwork_files(artwork ${program}-icon.png ${program}-decoration.jpg)
  qt_add_resources(${target} "${program}_artwork" PREFIX "/${program}"
    BASE ${PROJECT_SOURCE_DIR}/artwork FILES ${artwork})
endfunction()

# kp_artwork_files(<variable> <file>...): those files of artwork/, each followed by its rendering
# at twice the size (name@2x.png), which Qt picks on its own on a screen scaled by 2.
function(kp_artwork_files variable)
  set(files)
  foreach(file ${ARGN})
    string(REGEX REPLACE "\\.([a-z]+)$" "@2x.\\1" twice ${file})
    list(APPEND files ${PROJECT_SOURCE_DIR}/artwork/${file} ${PROJECT_SOURCE_DIR}/artwork/${twice})
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()
