#include "apoyo.h"

#include <gtest/gtest.h>

#include "escuela_muestra.h"
#include "shell/win32/texto.h"

namespace brisolt::prueba {

UnidadVentana::UnidadVentana(bool escuela)
    : cwd_(SO().CarpetaActual()), anterior_(SO().Entorno("BRISOLT_DRIVE_C")) {
    FijarEntorno("BRISOLT_DRIVE_C", carpeta_.Ruta());
    std::filesystem::create_directories(std::filesystem::u8path(carpeta_ / "ZTEMP/VALENCIA"));
    if (escuela) ConstruirEscuelaMuestra(carpeta_ / "GC", 7, 1);
}

UnidadVentana::~UnidadVentana() {
    // The window leaves the working folder inside the drive, which could not
    // go while it is in use.
    if (SO().CambiarCarpeta(cwd_) != 0) ADD_FAILURE() << "cannot go back to " << cwd_;
    FijarEntorno("BRISOLT_DRIVE_C", anterior_.value_or(""));
}

std::string Texto(HWND ventana) {
    return win32::TextoDe(ventana);
}

Contestador::Contestador() {
    anterior_ = win32::FijarObservadorCajas([this](HWND caja) {
        Caja vista{Texto(caja), {}, {}, false};
        const HICON pare = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_HAND));
        HWND primero = nullptr;
        for (HWND h = ::GetWindow(caja, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            wchar_t clase[32] = {};
            ::GetClassNameW(h, clase, 32);
            const std::wstring c = clase;
            // The box itself is not on show yet: its buttons' own style says
            // which of them will be.
            const auto estilo = ::GetWindowLongPtrW(h, GWL_STYLE);
            if (_wcsicmp(c.c_str(), L"Button") == 0 && (estilo & WS_VISIBLE)) {
                vista.botones.push_back(Texto(h));
                if (!primero) primero = h;
            } else if (_wcsicmp(c.c_str(), L"Static") == 0) {
                if ((estilo & SS_TYPEMASK) == SS_ICON) {
                    vista.pare = vista.pare || reinterpret_cast<HICON>(
                                                   ::SendMessageW(h, STM_GETICON, 0, 0)) == pare;
                } else if (const std::string t = Texto(h); !t.empty()) {
                    vista.texto = t;
                }
            }
        }
        cajas.push_back(vista);
        if (primero)
            ::PostMessageW(caja, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(primero), BN_CLICKED),
                           reinterpret_cast<LPARAM>(primero));
    });
}

Contestador::~Contestador() {
    win32::FijarObservadorCajas(std::move(anterior_));
}

std::vector<std::string> Contestador::Textos() const {
    std::vector<std::string> t;
    for (const Caja& c : cajas) t.push_back(c.texto);
    return t;
}

void Bombear(win32::TExportarDatos& ventana) {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (ventana.PreTraducir(m)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
}

void Tecla(win32::TExportarDatos& ventana, WPARAM tecla) {
    HWND foco = ::GetFocus();
    ASSERT_NE(foco, nullptr) << "nothing has the focus";
    ::PostMessageW(foco, WM_KEYDOWN, tecla, 1);
    ::PostMessageW(foco, WM_KEYUP, tecla, 0xC0000001);
    Bombear(ventana);
}

}  // namespace brisolt::prueba
