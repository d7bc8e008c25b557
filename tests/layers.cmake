# The layering test: every #include in src/ and tools/ names the including
# file's own layer or one below it, and a toolkit's headers appear only where
# that toolkit draws. Prints each include that crosses, with its file, and
# fails when there is one.
#
#   cmake -DROOT=<repository> -P tests/layers.cmake
cmake_minimum_required(VERSION 3.25)

# The layers each layer may include, from its folder below src/ (tools: the
# demo library generator). A project include names its layer as its first
# folder ("front/layout.h"); others ("demo_library/...", a file beside the
# includer) are the includer's own.
set(sees_core core)
set(sees_front core front)
set(sees_qt core front qt)
set(sees_win32 core front win32)
set(sees_check core check)
set(sees_app core front qt win32)
set(sees_tools core tools)
set(layers core front qt win32 check app)

# Toolkit headers, and where each may appear: Qt's where Qt draws; the
# system's window, shell and sound headers in the Win32 window, the program's
# start-up and the core's hosts (src/core/platform); SDL's in the hosts.
set(qt_header "^Q[A-Za-z]*$")
set(qt_allowed qt app tools)
set(windows_header "^(windows|windowsx|winuser|wingdi|commctrl|shellapi|shlobj|objbase|winver|mmsystem)\\.h$")
set(windows_allowed win32 app platform)
set(sdl_header "^sdl")
set(sdl_allowed platform)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<repository> -P layers.cmake")
endif()
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp)
list(SORT sources)

set(crossings 0)
foreach(source ${sources})
  if(source MATCHES "^src/([^/]+)/")
    set(layer ${CMAKE_MATCH_1})
  else()
    set(layer tools)
  endif()
  set(places ${layer})
  if(source MATCHES "^src/core/platform/")
    list(APPEND places platform)
  endif()

  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    set(problem "")
    if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
      set(named ${CMAKE_MATCH_1})
      if(named IN_LIST layers AND NOT named IN_LIST sees_${layer})
        set(problem "the ${layer} layer reaches up into ${named}")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
      set(header ${CMAKE_MATCH_1})
      string(TOLOWER "${header}" lower)
      set(toolkit "")
      if(header MATCHES "${qt_header}")
        set(toolkit qt)
      elseif(lower MATCHES "${windows_header}")
        set(toolkit windows)
      elseif(lower MATCHES "${sdl_header}")
        set(toolkit sdl)
      endif()
      if(toolkit)
        set(allowed FALSE)
        foreach(place ${places})
          if(place IN_LIST ${toolkit}_allowed)
            set(allowed TRUE)
          endif()
        endforeach()
        if(NOT allowed)
          set(problem "a ${toolkit} header in the ${layer} layer")
        endif()
      endif()
    endif()
    if(problem)
      string(STRIP "${line}" shown)
      message("${source}: ${shown}: ${problem}")
      math(EXPR crossings "${crossings} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(crossings GREATER 0)
  message(FATAL_ERROR "${crossings} of the includes in ${count} files cross the layers")
endif()
message("The includes of ${count} files keep to the layers")
