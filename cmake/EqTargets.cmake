# One precompiled header for the whole tree: every library reuses it, so Qt's headers are parsed
# once per build instead of once per target.
# Every target sees the same Qt include folders and QT_<module>_LIB macros, whichever modules it
# links, because GCC uses a precompiled header only where those macros agree.
add_library(eq_qt_headers INTERFACE)
foreach(module Core Gui Widgets Sql)
  target_include_directories(eq_qt_headers INTERFACE
    $<TARGET_PROPERTY:Qt6::${module},INTERFACE_INCLUDE_DIRECTORIES>)
endforeach()
target_compile_definitions(eq_qt_headers INTERFACE
  QT_CORE_LIB QT_GUI_LIB QT_WIDGETS_LIB QT_SQL_LIB $<$<NOT:$<CONFIG:Debug>>:QT_NO_DEBUG>)
target_compile_options(eq_qt_headers INTERFACE $<TARGET_PROPERTY:Qt6::Core,INTERFACE_COMPILE_OPTIONS>)
add_library(eq_pch STATIC ${CMAKE_SOURCE_DIR}/cmake/pch_anchor.cpp)
target_link_libraries(eq_pch PUBLIC eq_qt_headers)
target_precompile_headers(eq_pch PRIVATE ${CMAKE_SOURCE_DIR}/cmake/eq_pch.h)
set_target_properties(eq_pch PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

# eq_library(NAME SOURCES... [LINKS ...]) makes the static library of one folder.
function(eq_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} eq_qt_headers)
  target_precompile_headers(${name} REUSE_FROM eq_pch)
endfunction()

# eq_executable(NAME SOURCES... [LINKS ...])
function(eq_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} eq_qt_headers)
  target_precompile_headers(${name} REUSE_FROM eq_pch)
endfunction()
