# Toolbar pictures: every SVG source in buttons/ becomes <name>.bmp in buttons/
# of the build folder, the fixed names the windows load. 24 x 24, 32 bits with
# the alpha channel, so transparent parts stay transparent: rsvg-convert draws
# the picture, ImageMagick writes it as BMP. Without those tools the SVG source
# itself is copied, and the program loads that instead.
find_program(MUX6_RSVG_CONVERT rsvg-convert)
# On Windows, convert.exe is the system's file-system tool: only ImageMagick 7's magick there.
# The tools run on the build machine, so its system decides, not the target's.
if(CMAKE_HOST_WIN32)
  find_program(MUX6_IMAGEMAGICK magick)
else()
  find_program(MUX6_IMAGEMAGICK NAMES magick convert)
endif()
if(NOT MUX6_RSVG_CONVERT OR NOT MUX6_IMAGEMAGICK)
  message(WARNING "rsvg-convert or ImageMagick missing: the toolbar pictures stay SVG")
endif()

file(GLOB MUX6_BUTTON_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/buttons/*.svg)
set(MUX6_BUTTONS_DIR ${PROJECT_BINARY_DIR}/buttons)
# The drawn pictures before their conversion, kept for the tests to compare.
set(MUX6_BUTTONS_PNG_DIR ${PROJECT_BINARY_DIR}/buttons_png)
file(MAKE_DIRECTORY ${MUX6_BUTTONS_DIR} ${MUX6_BUTTONS_PNG_DIR})
set(MUX6_BUTTON_FILES)
foreach(svg ${MUX6_BUTTON_SOURCES})
  get_filename_component(stem ${svg} NAME_WE)
  if(MUX6_RSVG_CONVERT AND MUX6_IMAGEMAGICK)
    set(png ${MUX6_BUTTONS_PNG_DIR}/${stem}.png)
    set(out ${MUX6_BUTTONS_DIR}/${stem}.bmp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${MUX6_RSVG_CONVERT} -w 24 -h 24 -o ${png} ${svg}
      COMMAND ${MUX6_IMAGEMAGICK} ${png} -type TrueColorAlpha BMP:${out}
      DEPENDS ${svg} VERBATIM)
  else()
    set(out ${MUX6_BUTTONS_DIR}/${stem}.svg)
    add_custom_command(OUTPUT ${out} COMMAND ${CMAKE_COMMAND} -E copy ${svg} ${out}
      DEPENDS ${svg} VERBATIM)
  endif()
  list(APPEND MUX6_BUTTON_FILES ${out})
endforeach()
add_custom_target(buttons ALL DEPENDS ${MUX6_BUTTON_FILES})
