#pragma once
// The window's icons, each released with its owner (fonts: dialogos/gdi.h).

#include <windows.h>

#include <memory>
#include <type_traits>

#include "shell/win32/dialogos/gdi.h"

namespace brisolt::win32 {

struct DestruirIcono {
    void operator()(HICON icono) const { ::DestroyIcon(icono); }
};
using Icono = std::unique_ptr<std::remove_pointer_t<HICON>, DestruirIcono>;

// The glyphs of the two kinds of button, drawn here at 16 by 16: a green tick
// for the OK kind, a red cross for the close kind.
Icono IconoVisto();
Icono IconoCerrar();

// The shell's small icons: a folder, closed or open; a drive by its root
// ("C:\"), chosen by the kind of drive without touching the medium.
Icono IconoCarpeta(bool abierta);
Icono IconoUnidad(const std::wstring& raiz);

}  // namespace brisolt::win32
