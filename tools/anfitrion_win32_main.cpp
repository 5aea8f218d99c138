// brisolt-anfitrion.exe exportar|importar [--programa RUTA] [--informe] [--aceptar] [--cerrar]
//
// The timetable generator stand-in in its role of host, on Windows. It opens a
// window of its own, starts the transfer program (brisolt.exe beside itself,
// or RUTA) with the mode word and the window's handle as eight hexadecimal
// digits, keeps its window answering while the program runs inside it, waits
// for it to end and prints the completion status the program left in
// Zentaro.ini beside itself, as the generator reads it.
//
// For tests it can also report and drive what it hosts, once the program's
// window shows:
//   --informe   prints the window's parent, its client rectangle in the host's
//               client coordinates and whether it has a caption or a frame;
//   --aceptar   clicks the program's visible "Aceptar" button and then answers
//               every box the program opens with its default button;
//   --cerrar    sends the window a close request.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "shell/arranque.h"
#include "shell/ini.h"
#include "sistema/sistema.h"

namespace {

constexpr UINT_PTR kTemporizador = 1;
constexpr UINT kCadaMs = 50;

struct Opciones {
    std::string modo;
    std::wstring programa;
    bool informe = false, aceptar = false, cerrar = false;
};

struct Estado {
    Opciones opciones;
    HWND anfitrion = nullptr;
    DWORD pid = 0;
    HWND hijo = nullptr;  // the program's window, once found
    bool informado = false, pulsado = false, cerrado = false;
};
Estado estado;

int Uso() {
    std::fprintf(stderr,
                 "uso: brisolt-anfitrion exportar|importar [--programa RUTA] [--informe] "
                 "[--aceptar] [--cerrar]\n");
    return 2;
}

std::wstring Ancho(const std::string& s) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) ::MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    return w;
}

std::string Estrecho(const std::wstring& w) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring Texto(HWND w) {
    wchar_t buf[256] = {};
    ::GetWindowTextW(w, buf, 256);
    return buf;
}

std::wstring Clase(HWND w) {
    wchar_t buf[128] = {};
    ::GetClassNameW(w, buf, 128);
    return buf;
}

bool DelPrograma(HWND w) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    return pid == estado.pid;
}

BOOL CALLBACK Recoger(HWND w, LPARAM lista) {
    reinterpret_cast<std::vector<HWND>*>(lista)->push_back(w);
    return TRUE;
}

// Every window under `raiz`, at any depth; with no root, the top-level ones.
std::vector<HWND> Ventanas(HWND raiz = nullptr) {
    std::vector<HWND> lista;
    if (raiz)
        ::EnumChildWindows(raiz, Recoger, reinterpret_cast<LPARAM>(&lista));
    else
        ::EnumWindows(Recoger, reinterpret_cast<LPARAM>(&lista));
    return lista;
}

// A box of the program: a dialog of the system's, or any window titled as
// every box of the program is.
bool EsCaja(HWND w) {
    return Clase(w) == L"#32770" || Texto(w) == L"Brisolt";
}

// The program's main window: a visible window of its process among the host's
// children, or a top-level one when it did not become a child. Its boxes are
// not it.
HWND BuscarVentana() {
    auto esSuya = [](HWND w) { return DelPrograma(w) && ::IsWindowVisible(w) && !EsCaja(w); };
    HWND hallada = nullptr;
    for (HWND w : Ventanas(estado.anfitrion))
        if (!hallada && esSuya(w)) hallada = w;
    for (HWND w : Ventanas())
        if (!hallada && esSuya(w)) hallada = w;
    // The host's children are listed at any depth: climb to the window that is
    // the host's direct child (or a top-level one).
    HWND w = hallada;
    while (w) {
        HWND padre = ::GetParent(w);
        if (!padre || padre == estado.anfitrion || !DelPrograma(padre)) break;
        w = padre;
    }
    return w;
}

void Informar(HWND w) {
    RECT r{};
    ::GetClientRect(w, &r);
    ::MapWindowPoints(w, estado.anfitrion, reinterpret_cast<POINT*>(&r), 2);
    const LONG_PTR estilo = ::GetWindowLongPtrW(w, GWL_STYLE);
    auto hex = [](HWND h) { return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(h)); };
    std::printf("ventana=%08X\n", hex(w));
    std::printf("anfitrion=%08X\n", hex(estado.anfitrion));
    std::printf("padre=%08X\n", hex(::GetParent(w)));
    std::printf("rectangulo=%ld,%ld,%ldx%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::printf("titulo=%s\n", (estilo & WS_CAPTION) == WS_CAPTION ? "si" : "no");
    std::printf("marco=%s\n", (estilo & (WS_THICKFRAME | WS_DLGFRAME | WS_BORDER)) ? "si" : "no");
    std::printf("hija=%s\n", (estilo & WS_CHILD) ? "si" : "no");
    std::fflush(stdout);
}

// A click as the button itself reports it: posted, so the handler (and the
// boxes it opens) runs without holding us.
void Pulsar(HWND boton) {
    ::PostMessageW(::GetParent(boton), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(boton), BN_CLICKED),
                   reinterpret_cast<LPARAM>(boton));
}

HWND BotonConTexto(HWND raiz, const wchar_t* texto) {
    for (HWND w : Ventanas(raiz)) {
        std::wstring t = Texto(w);
        std::erase(t, L'&');
        if (::IsWindowVisible(w) && ::IsWindowEnabled(w) &&
            _wcsicmp(Clase(w).c_str(), L"Button") == 0 && t == texto)
            return w;
    }
    return nullptr;
}

// Every dialog box of the program that shows: its default button (or its
// first button) pressed.
void AceptarCajas() {
    for (HWND caja : Ventanas()) {
        if (!DelPrograma(caja) || !::IsWindowVisible(caja) || !EsCaja(caja)) continue;
        HWND elegido = nullptr;
        for (HWND b : Ventanas(caja)) {
            if (_wcsicmp(Clase(b).c_str(), L"Button") != 0 || !::IsWindowVisible(b)) continue;
            const auto tipo = ::GetWindowLongPtrW(b, GWL_STYLE) & BS_TYPEMASK;
            if (tipo == BS_DEFPUSHBUTTON || !elegido) elegido = b;
            if (tipo == BS_DEFPUSHBUTTON) break;
        }
        if (elegido) Pulsar(elegido);
    }
}

void Vigilar() {
    if (!estado.hijo || !::IsWindow(estado.hijo)) estado.hijo = BuscarVentana();
    if (!estado.hijo) return;
    if (estado.opciones.informe && !estado.informado) {
        estado.informado = true;
        Informar(estado.hijo);
    }
    if (estado.opciones.aceptar) {
        if (!estado.pulsado) {
            if (HWND boton = BotonConTexto(estado.hijo, L"Aceptar")) {
                estado.pulsado = true;
                Pulsar(boton);
            }
        } else {
            AceptarCajas();
        }
    }
    if (estado.opciones.cerrar && !estado.cerrado) {
        estado.cerrado = true;
        ::PostMessageW(estado.hijo, WM_CLOSE, 0, 0);
    }
}

LRESULT CALLBACK Procedimiento(HWND w, UINT mensaje, WPARAM wp, LPARAM lp) {
    switch (mensaje) {
        case WM_TIMER:
            if (wp == kTemporizador) Vigilar();
            return 0;
        case WM_CLOSE:
            // The generator's window stays while the program runs in it.
            return 0;
    }
    return ::DefWindowProcW(w, mensaje, wp, lp);
}

std::optional<Opciones> LeerOpciones(const std::vector<std::string>& args) {
    Opciones o;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--programa" && i + 1 < args.size())
            o.programa = Ancho(args[++i]);
        else if (args[i] == "--informe")
            o.informe = true;
        else if (args[i] == "--aceptar")
            o.aceptar = true;
        else if (args[i] == "--cerrar")
            o.cerrar = true;
        else if (o.modo.empty() && !args[i].starts_with("-"))
            o.modo = args[i];
        else
            return std::nullopt;
    }
    if (o.modo.empty()) return std::nullopt;
    if (o.programa.empty()) {
        std::wstring yo = Ancho(brisolt::SO().RutaPrograma());
        yo.resize(yo.find_last_of(L"\\/") + 1);
        o.programa = yo + L"brisolt.exe";
    }
    wchar_t completa[MAX_PATH * 4];
    if (::GetFullPathNameW(o.programa.c_str(), MAX_PATH * 4, completa, nullptr))
        o.programa = completa;
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    const auto opciones = LeerOpciones(brisolt::SO().Argumentos(argc, argv));
    if (!opciones) return Uso();
    estado.opciones = *opciones;

    const HINSTANCE instancia = ::GetModuleHandleW(nullptr);
    WNDCLASSW clase{};
    clase.lpfnWndProc = Procedimiento;
    clase.hInstance = instancia;
    clase.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    clase.lpszClassName = L"BrisoltAnfitrion";
    ::RegisterClassW(&clase);
    // A client area of 640 by 300, room for the program at 2, 2.
    RECT r{0, 0, 640, 300};
    ::AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    estado.anfitrion =
        ::CreateWindowExW(0, clase.lpszClassName, L"Generador de horarios (sustituto)",
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                          r.right - r.left, r.bottom - r.top, nullptr, nullptr, instancia, nullptr);
    if (!estado.anfitrion) {
        std::fprintf(stderr, "brisolt-anfitrion: no se puede crear la ventana\n");
        return 1;
    }
    ::ShowWindow(estado.anfitrion, SW_SHOW);
    ::UpdateWindow(estado.anfitrion);

    // The handle as the program takes it: eight hexadecimal digits, the
    // handle's 32-bit pattern (a window handle always fits in 32 bits).
    wchar_t mango[16];
    std::swprintf(mango, 16, L"%08X",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(estado.anfitrion)));
    std::wstring linea =
        L"\"" + estado.opciones.programa + L"\" " + Ancho(estado.opciones.modo) + L" " + mango;
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION proceso{};
    if (!::CreateProcessW(estado.opciones.programa.c_str(), linea.data(), nullptr, nullptr, FALSE,
                          0, nullptr, nullptr, &inicio, &proceso)) {
        std::fprintf(stderr, "brisolt-anfitrion: no se puede iniciar %s (error %lu)\n",
                     Estrecho(estado.opciones.programa).c_str(), ::GetLastError());
        ::DestroyWindow(estado.anfitrion);
        return 1;
    }
    ::CloseHandle(proceso.hThread);
    estado.pid = proceso.dwProcessId;
    if (estado.opciones.informe || estado.opciones.aceptar || estado.opciones.cerrar)
        ::SetTimer(estado.anfitrion, kTemporizador, kCadaMs, nullptr);

    // Our window keeps answering while we wait: the program talks to it as it
    // makes itself our child.
    for (;;) {
        const DWORD r2 =
            ::MsgWaitForMultipleObjects(1, &proceso.hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (r2 == WAIT_OBJECT_0) break;
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
    ::CloseHandle(proceso.hProcess);
    ::KillTimer(estado.anfitrion, kTemporizador);
    ::DestroyWindow(estado.anfitrion);

    const std::string ini = brisolt::RutaIni(Estrecho(estado.opciones.programa));
    std::string contenido;
    std::optional<std::string> valor;
    if (brisolt::LeerArchivo(ini, &contenido) == 0)
        valor = brisolt::ValorEnPerfil(contenido, "Transformadores", "Transformado");
    if (!valor) {
        std::printf("Transformado: sin valor en %s\n", ini.c_str());
        return 1;
    }
    std::printf("Transformado=%s\n", valor->c_str());
    std::fflush(stdout);
    return 0;
}
