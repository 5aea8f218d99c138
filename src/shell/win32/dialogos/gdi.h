#pragma once
// Small RAII helpers over the Windows API for the dialogs: GDI objects,
// selections into a device context, a double-buffered paint, UTF-8 and
// UTF-16 texts, window classes and control names.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "shell/controles.h"
#include "shell/win32/texto.h"

namespace brisolt::win32 {

// A GDI object deleted with its owner.
template <class H>
class ObjetoGdi {
  public:
    explicit ObjetoGdi(H h = nullptr) : h_(h) {}
    ~ObjetoGdi() {
        if (h_) ::DeleteObject(h_);
    }
    ObjetoGdi(ObjetoGdi&& otro) noexcept : h_(std::exchange(otro.h_, nullptr)) {}
    ObjetoGdi& operator=(ObjetoGdi&& otro) noexcept {
        std::swap(h_, otro.h_);
        return *this;
    }
    ObjetoGdi(const ObjetoGdi&) = delete;
    ObjetoGdi& operator=(const ObjetoGdi&) = delete;
    H get() const { return h_; }

  private:
    H h_;
};
using Fuente = ObjetoGdi<HFONT>;
using Pincel = ObjetoGdi<HBRUSH>;
using Pluma = ObjetoGdi<HPEN>;

// The dialogs' face at a size in pixels.
Fuente CrearFuente(int pixeles, bool negrita, bool subrayada = false);

COLORREF Referencia(controles::Color c);

// An object selected into a device context for the scope.
class Seleccion {
  public:
    Seleccion(HDC dc, HGDIOBJ objeto) : dc_(dc), antes_(::SelectObject(dc, objeto)) {}
    ~Seleccion() { ::SelectObject(dc_, antes_); }
    Seleccion(const Seleccion&) = delete;
    Seleccion& operator=(const Seleccion&) = delete;

  private:
    HDC dc_;
    HGDIOBJ antes_;
};

// WM_PAINT drawn into a bitmap of the client area and copied out at the end,
// so a repaint never flickers.
class Pintura {
  public:
    explicit Pintura(HWND ventana);
    ~Pintura();
    Pintura(const Pintura&) = delete;
    Pintura& operator=(const Pintura&) = delete;
    HDC dc() const { return memoria_; }
    const RECT& Cliente() const { return cliente_; }

  private:
    HWND ventana_;
    PAINTSTRUCT ps_{};
    RECT cliente_{};
    HDC memoria_ = nullptr;
    HBITMAP mapa_ = nullptr;
    HGDIOBJ antes_ = nullptr;
};

// A vertical gradient through colours at given heights; the last reaches
// the bottom of `r`.
void Degradado(HDC dc, const RECT& r,
               std::initializer_list<std::pair<int, controles::Color>> paradas,
               controles::Color abajo);

std::wstring TextoVentana(HWND ventana);

// Registers a window class of this program once; the window's object comes
// from the creation parameters into GWLP_USERDATA.
void RegistrarClase(const wchar_t* clase, WNDPROC proc, UINT estilo = 0, HBRUSH fondo = nullptr);

template <class T>
T* Objeto(HWND ventana, UINT mensaje, LPARAM l) {
    if (mensaje == WM_NCCREATE) {
        auto* objeto = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(ventana, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(objeto));
        return objeto;
    }
    return reinterpret_cast<T*>(::GetWindowLongPtrW(ventana, GWLP_USERDATA));
}

// Controls carry their names from the shared layout, so tests and tools find
// them as the other front end does.
void FijarNombre(HWND control, const char* nombre);
const char* Nombre(HWND control);
// The window named `nombre` among `raiz`'s descendants, or null.
HWND BuscarControl(HWND raiz, const char* nombre);

}  // namespace brisolt::win32
