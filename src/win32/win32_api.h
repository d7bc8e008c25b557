#pragma once
// windows.h as the Win32 window includes it (the ANSI calls are named
// explicitly everywhere: names are text of the system's 8-bit code page), and
// an owner for GDI objects.

#include "core/platform/win32/windows_headers.h"

#include <memory>
#include <type_traits>

namespace modsetup::win32 {

struct GdiObjectDeleter {
    void operator()(void* object) const {
        if (object != nullptr) DeleteObject(static_cast<HGDIOBJ>(object));
    }
};

// A font, bitmap or brush deleted with its owner.
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

}  // namespace modsetup::win32
