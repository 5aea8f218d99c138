#pragma once
// The window's GDI resources, each released with its owner: fonts, icons.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace brisolt::win32 {

struct BorrarObjeto {
    void operator()(HGDIOBJ objeto) const { ::DeleteObject(objeto); }
};
using Fuente = std::unique_ptr<std::remove_pointer_t<HFONT>, BorrarObjeto>;

struct DestruirIcono {
    void operator()(HICON icono) const { ::DestroyIcon(icono); }
};
using Icono = std::unique_ptr<std::remove_pointer_t<HICON>, DestruirIcono>;

// The face of every text of the window, 11 pixels high; bold on demand.
Fuente CrearFuente(bool negrita, int pixeles = 11);

// The glyphs of the two kinds of button, drawn here at 16 by 16: a green tick
// for the OK kind, a red cross for the close kind.
Icono IconoVisto();
Icono IconoCerrar();

// The shell's small icons: a folder, closed or open; a drive by its root
// ("C:\"), chosen by the kind of drive without touching the medium.
Icono IconoCarpeta(bool abierta);
Icono IconoUnidad(const std::wstring& raiz);

}  // namespace brisolt::win32
