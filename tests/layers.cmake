# The layering test: every #include in src/ and tools/ names the including
# file's own layer or one below it, never climbs out of a folder with "../"
# (which would pass by the layers' include roots), and a toolkit's headers
# appear only where that toolkit draws. Prints each include that crosses, with
# its file, and fails when there is one.
#
#   cmake -DROOT=<repository> -P tests/layers.cmake
cmake_minimum_required(VERSION 3.25)

# The layers each layer may include, from its folder below src/ (tools: the
# demo library generator). A project include names its layer as its first
# folder ("front/layout.h"); others ("demo_library/...", a file beside the
# includer) are the includer's own.
set(sees_core core)
set(sees_front core front check)
set(sees_qt core front check qt)
set(sees_win32 core front check win32)
set(sees_check core check)
set(sees_app core front check qt win32)
set(sees_tools core tools)
set(layers core front qt win32 check app)
# Within the core, its folders in their order from the bottom: a file sees
# its own folder and those before it.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/core_folders.cmake)

# Toolkit headers, and where each may appear: Qt's where Qt draws; Windows'
# in the Win32 window, the program's start-up, the core's hosts
# (src/core/platform) and its audio (src/core/audio); SDL's in the audio.
set(qt_header "^Q[A-Za-z]*$")
set(qt_allowed qt app tools)
set(windows_allowed win32 app platform audio)
set(sdl_header "^sdl")
set(sdl_allowed audio)

# A Windows header is the project's wrapper of windows.h, or a system header
# of the Windows API, known by its family's name in any letter case. The C
# runtime's own headers (io.h, process.h) belong to the C library, not to the
# window system: any layer may use them.
set(windows_wrapper "(^|/)windows_headers\\.h$")
string(JOIN "|" windows_families
  "win[a-z0-9_]*" "[a-z0-9]+api[0-9]*"  # the API and its sets: windows, winuser, shellapi, fileapi ...
  "comm(ctrl|dlg)" "richedit[0-9]*" "uxtheme" "dwm[a-z]*"  # controls, dialogs and themes
  "sh(l|obj|ell)[a-z0-9_]*" "shtypes" "knownfolders"  # the shell
  "ole[a-z0-9]*" "obj(base|idl[a-z]*)" "oaidl" "ocidl" "unknwn" "guiddef" "wtypes[a-z]*" "propidl"  # COM, OLE
  "mm(system|reg)" "dsound" "xaudio[0-9]*" "audioclient"  # sound
  "d2d1[a-z0-9_]*" "d3d[a-z0-9_]*" "dxgi[a-z0-9_]*" "gdiplus[a-z]*"  # drawing
  "minwin[a-z]*" "basetsd" "nt(def|status|secapi)" "ws2[a-z0-9_]*" "imm" "tlhelp32" "dbghelp" "strsafe"
  "versionhelpers")  # base types and helpers
set(windows_header "^(${windows_families})\\.h$")

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
  if(source MATCHES "^src/core/(platform|audio)/")
    list(APPEND places ${CMAKE_MATCH_1})
  endif()
  # The floor of a core file's folder (-1: a file of the core in no folder
  # of the order).
  set(floor -1)
  if(source MATCHES "^src/core/([^/]+)/")
    list(FIND MODSETUP_CORE_FOLDERS ${CMAKE_MATCH_1} floor)
  endif()

  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    set(problem "")
    set(toolkit "")
    if(NOT line MATCHES "#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
      continue()
    endif()
    set(named ${CMAKE_MATCH_1})
    string(TOLOWER "${named}" lower)
    if(named MATCHES "(^|/)\\.\\.(/|$)")
      set(problem "a relative include climbs out of its folder")
    elseif(lower MATCHES "${windows_wrapper}")
      set(toolkit windows)
    elseif(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
      set(first ${CMAKE_MATCH_1})
      if(first IN_LIST layers AND NOT first IN_LIST sees_${layer})
        set(problem "the ${layer} layer reaches up into ${first}")
      elseif(layer STREQUAL core AND named MATCHES "^core/([^/]+)/")
        list(FIND MODSETUP_CORE_FOLDERS ${CMAKE_MATCH_1} to)
        if(floor LESS 0)
          set(problem "a core file outside the folders of cmake/core_folders.cmake")
        elseif(to GREATER floor)
          set(problem "a core folder reaches up into core/${CMAKE_MATCH_1}")
        endif()
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<")
      if(named MATCHES "${qt_header}")
        set(toolkit qt)
      elseif(lower MATCHES "${windows_header}")
        set(toolkit windows)
      elseif(lower MATCHES "${sdl_header}")
        set(toolkit sdl)
      endif()
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
