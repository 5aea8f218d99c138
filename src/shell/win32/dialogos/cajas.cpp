#include "shell/win32/cajas.h"

#include <utility>

#include "shell/ventana_principal.h"
#include "shell/win32/texto.h"
#include "tables/error.h"

namespace brisolt::win32 {
namespace {

ObservadorCajas observador;

// The box's one button is the system's OK, which speaks the language of
// Windows: a hook on the thread renames it once the box has made its controls.
class BotonAceptar {
  public:
    BotonAceptar() {
        gancho_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &BotonAceptar::Gancho, nullptr,
                                      ::GetCurrentThreadId());
        anterior_ = activo_;
        activo_ = this;
    }
    ~BotonAceptar() {
        activo_ = anterior_;
        if (gancho_) ::UnhookWindowsHookEx(gancho_);
    }
    BotonAceptar(const BotonAceptar&) = delete;
    BotonAceptar& operator=(const BotonAceptar&) = delete;

  private:
    static LRESULT CALLBACK Gancho(int codigo, WPARAM w, LPARAM l) {
        BotonAceptar* yo = activo_;
        const auto* llamada = reinterpret_cast<const CWPRETSTRUCT*>(l);
        if (codigo == HC_ACTION && yo && !yo->caja_ && llamada->message == WM_INITDIALOG) {
            wchar_t clase[16] = {};
            ::GetClassNameW(llamada->hwnd, clase, 16);
            if (std::wstring(clase) == L"#32770") {
                yo->caja_ = llamada->hwnd;
                ::SetDlgItemTextW(yo->caja_, IDOK, L"Aceptar");
                if (observador) observador(yo->caja_);
            }
        }
        return ::CallNextHookEx(yo ? yo->gancho_ : nullptr, codigo, w, l);
    }

    static inline BotonAceptar* activo_ = nullptr;
    HHOOK gancho_ = nullptr;
    BotonAceptar* anterior_ = nullptr;
    HWND caja_ = nullptr;
};

void Mostrar(HWND propietario, const std::string& texto, UINT icono) {
    // A hidden owner (the window while it is still being created) would keep
    // the box out of sight; the box then stands on its own.
    if (propietario && !::IsWindowVisible(propietario)) propietario = nullptr;
    const BotonAceptar aceptar;
    ::MessageBoxW(propietario, Ancho(texto).c_str(), Ancho(principal::kAplicacion).c_str(),
                  MB_OK | icono | (propietario ? 0 : MB_TASKMODAL));
}

}  // namespace

void CajaError(HWND propietario, const std::string& mensaje) {
    Mostrar(propietario, TextoCajaError(mensaje), MB_ICONHAND);
}

void CajaInformacion(HWND propietario, const std::string& texto) {
    Mostrar(propietario, texto, 0);
}

ObservadorCajas FijarObservadorCajas(ObservadorCajas nuevo) {
    return std::exchange(observador, std::move(nuevo));
}

}  // namespace brisolt::win32
