// brisolt-hijo-prueba.exe MODO VENTANA: a small stand-in for the transfer
// program on Windows, for the host stand-in's own check. With two parameters
// it does what the program does to be hosted: its window of 599 by 267 becomes
// a frameless child of the host window at 2, 2. Its one "Aceptar" button
// opens a box, sets the completion status to 1, opens "Proceso finalizado"
// and closes the window; closing writes the status to Zentaro.ini beside it
// through the program's own close handler.

#include <windows.h>

#include <string>

#include "comandos/estado.h"
#include "shell/arranque.h"
#include "sistema/sistema.h"
#include "tables/error.h"

namespace {

constexpr int kAceptar = 100;
brisolt::Estado estado;

void Caja(const char* texto) {
    ::MessageBoxA(nullptr, texto, "Brisolt", MB_OK);
}

LRESULT CALLBACK Procedimiento(HWND w, UINT mensaje, WPARAM wp, LPARAM lp) {
    switch (mensaje) {
        case WM_COMMAND:
            if (LOWORD(wp) == kAceptar && HIWORD(wp) == BN_CLICKED) {
                Caja("El proceso puede tardar");
                estado.EstadoTransformado = 1;
                Caja("Proceso finalizado");
                if (estado.ModoLlamada == 2) ::PostMessageW(w, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            try {
                brisolt::FormClose(estado, brisolt::RutaEjecutable());
            } catch (const brisolt::Error& e) {
                Caja(e.what());
                return 0;
            }
            ::DestroyWindow(w);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
    }
    return ::DefWindowProcW(w, mensaje, wp, lp);
}

}  // namespace

int main(int argc, char** argv) {
    auto parametros = brisolt::SO().Argumentos(argc, argv);
    parametros.erase(parametros.begin());
    uint32_t anfitriona = 0;
    if (brisolt::LlamadaIncrustada(parametros)) {
        anfitriona = brisolt::VentanaAnfitriona(parametros[1]);
        estado.ModoLlamada = 2;
    }

    const HINSTANCE instancia = ::GetModuleHandleW(nullptr);
    WNDCLASSW clase{};
    clase.lpfnWndProc = Procedimiento;
    clase.hInstance = instancia;
    clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    clase.lpszClassName = L"BrisoltHijoPrueba";
    ::RegisterClassW(&clase);
    const DWORD marco = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
    RECT r{0, 0, 599, 267};
    ::AdjustWindowRect(&r, marco, FALSE);
    HWND w = ::CreateWindowExW(0, clase.lpszClassName, L"Exportar e importar datos ", marco,
                               CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                               nullptr, nullptr, instancia, nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"Aceptar", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 71, 90,
                      89, 25, w, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAceptar)), instancia,
                      nullptr);
    if (estado.ModoLlamada == 2) {
        const HWND host = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(anfitriona));
        LONG_PTR estilo = ::GetWindowLongPtrW(w, GWL_STYLE);
        estilo &= ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME);
        if (::IsWindow(host)) {
            ::SetWindowLongPtrW(w, GWL_STYLE, estilo | WS_CHILD);
            ::SetParent(w, host);
        } else {
            ::SetWindowLongPtrW(w, GWL_STYLE, estilo | WS_POPUP);
        }
        ::SetWindowPos(w, nullptr, 2, 2, 599, 267, SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    ::ShowWindow(w, SW_SHOW);
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    return 0;
}
