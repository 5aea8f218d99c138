#include "shell/win32/cajas.h"

#include "shell/win32/dialogos/gdi.h"
#include "tables/error.h"

namespace brisolt::win32 {
namespace {

// The box's one button says "Aceptar" whatever the language of Windows: a
// hook on this thread renames it as the box becomes active, before it shows.
thread_local HHOOK gancho = nullptr;

LRESULT CALLBACK AlActivar(int codigo, WPARAM w, LPARAM l) {
    if (codigo == HCBT_ACTIVATE) {
        auto* caja = reinterpret_cast<HWND>(w);
        wchar_t clase[16] = {};
        ::GetClassNameW(caja, clase, 16);
        if (std::wstring(clase) == L"#32770") ::SetDlgItemTextW(caja, IDOK, L"Aceptar");
    }
    return ::CallNextHookEx(gancho, codigo, w, l);
}

class Gancho {
  public:
    Gancho() : anterior_(gancho) {
        gancho = ::SetWindowsHookExW(WH_CBT, AlActivar, nullptr, ::GetCurrentThreadId());
    }
    ~Gancho() {
        if (gancho) ::UnhookWindowsHookEx(gancho);
        gancho = anterior_;
    }
    Gancho(const Gancho&) = delete;
    Gancho& operator=(const Gancho&) = delete;

  private:
    HHOOK anterior_;
};

void Mostrar(HWND padre, UINT icono, const std::string& texto) {
    // A hidden owner (the window still being created) would keep the box
    // out of sight; the box then stands on its own.
    if (padre && !::IsWindowVisible(padre)) padre = nullptr;
    Gancho gancho;
    ::MessageBoxW(padre, Ancho(texto).c_str(), L"Brisolt", MB_OK | icono | MB_SETFOREGROUND);
}

}  // namespace

void CajaInformacion(HWND padre, const std::string& texto) {
    Mostrar(padre, 0, texto);
}

void CajaError(HWND padre, const std::string& mensaje) {
    Mostrar(padre, MB_ICONHAND, TextoCajaError(mensaje));
}

}  // namespace brisolt::win32
