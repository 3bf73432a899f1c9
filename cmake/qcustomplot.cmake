# QCustomPlot where no package of it is installed (the Windows build): built
# with the program, as a static library, from Debian's source of it with
# Debian's patches (the Qt 6 build of its header among them).
set(MUX6_QCUSTOMPLOT_SOURCES "${PROJECT_SOURCE_DIR}/../shared/qt6-mingw/sources"
  CACHE PATH "Folder with Debian's qcustomplot source tarballs")
set(MUX6_QCUSTOMPLOT_VERSION 2.1.0+dfsg1)
set(orig ${MUX6_QCUSTOMPLOT_SOURCES}/qcustomplot_${MUX6_QCUSTOMPLOT_VERSION}.orig.tar.gz)
set(debian ${MUX6_QCUSTOMPLOT_SOURCES}/qcustomplot_${MUX6_QCUSTOMPLOT_VERSION}-3.1.debian.tar.xz)
set(dir ${CMAKE_BINARY_DIR}/qcustomplot)
set(src ${dir}/qcustomplot-${MUX6_QCUSTOMPLOT_VERSION})

if(NOT EXISTS ${src}/.patched)
  foreach(f ${orig} ${debian})
    if(NOT EXISTS ${f})
      message(FATAL_ERROR "QCustomPlot's source is missing: ${f} (set MUX6_QCUSTOMPLOT_SOURCES)")
    endif()
  endforeach()
  find_program(MUX6_PATCH patch REQUIRED)
  file(REMOVE_RECURSE ${dir})
  file(ARCHIVE_EXTRACT INPUT ${orig} DESTINATION ${dir}
    PATTERNS "*/qcustomplot.cpp" "*/qcustomplot.h")
  file(ARCHIVE_EXTRACT INPUT ${debian} DESTINATION ${src} PATTERNS "debian/patches/*")
  file(STRINGS ${src}/debian/patches/series patches REGEX "^[^#]")
  foreach(p ${patches})
    execute_process(COMMAND ${MUX6_PATCH} -p1 -s -i debian/patches/${p} WORKING_DIRECTORY ${src}
      RESULT_VARIABLE r OUTPUT_QUIET)
    if(NOT r EQUAL 0)
      message(FATAL_ERROR "QCustomPlot: Debian's patch ${p} does not apply")
    endif()
  endforeach()
  file(TOUCH ${src}/.patched)
endif()

add_library(mux6_qcustomplot STATIC ${src}/qcustomplot.cpp ${src}/qcustomplot.h)
set_target_properties(mux6_qcustomplot PROPERTIES AUTOMOC ON COMPILE_WARNING_AS_ERROR OFF)
# Its own warnings are not the program's.
target_compile_options(mux6_qcustomplot PRIVATE -w)
target_include_directories(mux6_qcustomplot SYSTEM PUBLIC ${src})
target_link_libraries(mux6_qcustomplot PUBLIC Qt6::Widgets Qt6::PrintSupport)
add_library(QCustomPlotQt6::QCustomPlotQt6 ALIAS mux6_qcustomplot)
