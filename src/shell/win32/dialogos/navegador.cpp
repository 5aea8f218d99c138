#include "shell/win32/dialogos/navegador.h"

#include <commctrl.h>

#include <algorithm>

#include "shell/win32/dialogos/rejilla.h"

namespace brisolt::win32 {
namespace {

constexpr wchar_t kClase[] = L"BrisoltNavegador";
constexpr wchar_t kClaseBoton[] = L"BrisoltBotonNavegador";
constexpr int kPrimerId = 1;

// A button's state between its press and its release.
constexpr wchar_t kPulsado[] = L"BrisoltPulsado";

bool Pulsado(HWND b) {
    return ::GetPropW(b, kPulsado) != nullptr;
}

void FijarPulsado(HWND b, bool si) {
    if (si)
        ::SetPropW(b, kPulsado, reinterpret_cast<HANDLE>(1));
    else
        ::RemovePropW(b, kPulsado);
    ::InvalidateRect(b, nullptr, FALSE);
}

// The glyphs, drawn as shapes so they need no font: triangles for the moves,
// a bar at the far end, a pencil-like wedge for edit, a tick, a cross and a
// round arrow.
void Triangulo(HDC dc, int cx, int cy, int t, bool izquierda) {
    const int m = (t * 3 + 2) / 5;  // half the width
    const POINT p[3] = {{cx + (izquierda ? m : -m), cy - t},
                        {cx + (izquierda ? m : -m), cy + t},
                        {cx + (izquierda ? -m : m), cy}};
    ::Polygon(dc, p, 3);
}

void Barra(HDC dc, int x, int cy, int t) {
    ::Rectangle(dc, x, cy - t, x + 2, cy + t + 1);
}

void Glifo(HDC dc, int boton, const RECT& r, COLORREF color) {
    Pincel relleno(::CreateSolidBrush(color));
    Pluma trazo(::CreatePen(PS_SOLID, 1, color));
    Pluma grueso(::CreatePen(PS_SOLID, 2, color));
    Seleccion s1(dc, relleno.get());
    Seleccion s2(dc, trazo.get());
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, t = 5;
    switch (boton) {
        case dialogos::kPrimero:
            Barra(dc, cx - 5, cy, t);
            Triangulo(dc, cx + 1, cy, t, true);
            break;
        case dialogos::kAtras10:
            Triangulo(dc, cx - 3, cy, t, true);
            Triangulo(dc, cx + 3, cy, t, true);
            break;
        case dialogos::kAnterior:
            Triangulo(dc, cx, cy, t, true);
            break;
        case dialogos::kSiguiente:
            Triangulo(dc, cx, cy, t, false);
            break;
        case dialogos::kAdelante10:
            Triangulo(dc, cx - 3, cy, t, false);
            Triangulo(dc, cx + 3, cy, t, false);
            break;
        case dialogos::kUltimo:
            Triangulo(dc, cx - 1, cy, t, false);
            Barra(dc, cx + 3, cy, t);
            break;
        case dialogos::kEditar: {
            const POINT cuerpo[4] = {
                {cx - 3, cy + 2}, {cx + 3, cy - 4}, {cx + 5, cy - 2}, {cx - 1, cy + 4}};
            const POINT punta[3] = {{cx - 3, cy + 2}, {cx - 1, cy + 4}, {cx - 5, cy + 6}};
            ::Polygon(dc, cuerpo, 4);
            ::Polygon(dc, punta, 3);
            break;
        }
        case dialogos::kGrabar: {
            Seleccion s(dc, grueso.get());
            const POINT p[3] = {{cx - 5, cy}, {cx - 2, cy + 4}, {cx + 5, cy - 5}};
            ::Polyline(dc, p, 3);
            break;
        }
        case dialogos::kCancelar: {
            Seleccion s(dc, grueso.get());
            ::MoveToEx(dc, cx - 4, cy - 4, nullptr);
            ::LineTo(dc, cx + 5, cy + 5);
            ::MoveToEx(dc, cx + 4, cy - 4, nullptr);
            ::LineTo(dc, cx - 5, cy + 5);
            break;
        }
        case dialogos::kRefrescar: {
            // Three quarters of a circle, from the top round by the left to
            // the right, where an arrowhead points on upwards.
            Seleccion s(dc, grueso.get());
            ::Arc(dc, cx - 5, cy - 5, cx + 6, cy + 6, cx, cy - 6, cx + 6, cy);
            Seleccion f(dc, trazo.get());
            const POINT p[3] = {{cx + 2, cy}, {cx + 9, cy}, {cx + 5, cy - 4}};
            ::Polygon(dc, p, 3);
            break;
        }
        default:
            break;
    }
}

}  // namespace

Navegador::Navegador(HWND padre, int id, const dialogos::Dialogo& d, Rejilla& rejilla)
    : rejilla_(rejilla) {
    RegistrarClase(kClase, Proc);
    RegistrarClase(kClaseBoton, ProcBoton);
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    ventana_ = ::CreateWindowExW(0, kClase, L"", WS_CHILD | WS_VISIBLE, d.navegador.x,
                                 d.navegador.y, d.navegador.ancho, d.navegador.alto, padre,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, this);
    FijarNombre(ventana_, d.nombreNavegador);
    pistas_ =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, ventana_, nullptr, inst, nullptr);
    const int n = dialogos::kBotonesNavegador;
    for (int i = 0; i < n; ++i) {
        // The buttons share the width evenly, to the pixel.
        const int x0 = d.navegador.ancho * i / n, x1 = d.navegador.ancho * (i + 1) / n;
        const dialogos::BotonNavegador& b = dialogos::kNavegador[static_cast<std::size_t>(i)];
        HWND boton = ::CreateWindowExW(
            0, kClaseBoton, Ancho(b.glifo).c_str(), WS_CHILD | WS_VISIBLE, x0, 0, x1 - x0,
            d.navegador.alto, ventana_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPrimerId + i)), inst, nullptr);
        FijarNombre(boton, b.nombre);
        botones_[static_cast<std::size_t>(i)] = boton;
        std::wstring pista = Ancho(b.pista);
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = ventana_;
        ti.uId = reinterpret_cast<UINT_PTR>(boton);
        ti.lpszText = pista.data();
        ::SendMessageW(pistas_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    Actualizar();
}

Navegador::~Navegador() {
    if (pistas_ && ::IsWindow(pistas_)) ::DestroyWindow(pistas_);
    if (ventana_ && ::IsWindow(ventana_)) ::DestroyWindow(ventana_);
}

void Navegador::IrA(int fila) {
    if (rejilla_.Datos().Filas() == 0) return;
    rejilla_.IrAFila(std::clamp(fila, 0, rejilla_.Datos().Filas() - 1));
}

void Navegador::Pulsar(int i) {
    RejillaTabla& datos = rejilla_.Datos();
    const int fila = rejilla_.Fila();
    switch (i) {
        case dialogos::kPrimero:
            IrA(0);
            break;
        case dialogos::kAtras10:
            IrA(fila - dialogos::kFilasPagina);
            break;
        case dialogos::kAnterior:
            IrA(fila - 1);
            break;
        case dialogos::kSiguiente:
            IrA(fila + 1);
            break;
        case dialogos::kAdelante10:
            IrA(fila + dialogos::kFilasPagina);
            break;
        case dialogos::kUltimo:
            IrA(datos.Filas() - 1);
            break;
        case dialogos::kEditar:
            datos.Editar();
            break;
        case dialogos::kGrabar:
            rejilla_.Grabar();
            break;
        case dialogos::kCancelar:
            rejilla_.Cancelar();
            break;
        case dialogos::kRefrescar:
            datos.Refrescar();
            break;
        default:
            break;
    }
    Actualizar();
}

void Navegador::Actualizar() {
    RejillaTabla& datos = rejilla_.Datos();
    const int fila = rejilla_.Fila(), filas = datos.Filas();
    const bool editando = datos.Editando();
    const bool alPrincipio = filas == 0 || fila <= 0;
    const bool alFinal = filas == 0 || fila >= filas - 1;
    auto activar = [&](int i, bool si) {
        HWND b = botones_[static_cast<std::size_t>(i)];
        if (b && bool(::IsWindowEnabled(b)) != si) {
            ::EnableWindow(b, si);
            ::InvalidateRect(b, nullptr, FALSE);
        }
    };
    for (int i : {dialogos::kPrimero, dialogos::kAtras10, dialogos::kAnterior})
        activar(i, !alPrincipio);
    for (int i : {dialogos::kSiguiente, dialogos::kAdelante10, dialogos::kUltimo})
        activar(i, !alFinal);
    activar(dialogos::kEditar, !editando && filas > 0);
    activar(dialogos::kGrabar, editando);
    activar(dialogos::kCancelar, editando);
    activar(dialogos::kRefrescar, !editando);
}

LRESULT CALLBACK Navegador::Proc(HWND v, UINT m, WPARAM w, LPARAM l) {
    Navegador* n = Objeto<Navegador>(v, m, l);
    if (n && m == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
        const int i = LOWORD(w) - kPrimerId;
        if (i >= 0 && i < dialogos::kBotonesNavegador) n->Pulsar(i);
        return 0;
    }
    if (n && m == WM_NCDESTROY) {
        n->ventana_ = nullptr;
        n->pistas_ = nullptr;
    }
    return ::DefWindowProcW(v, m, w, l);
}

// A flat push button drawn with its glyph. It never takes the focus: a press
// is a WM_COMMAND to the navigator, as a button's click would be.
LRESULT CALLBACK Navegador::ProcBoton(HWND v, UINT m, WPARAM w, LPARAM l) {
    auto avisar = [v] {
        ::SendMessageW(::GetParent(v), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(v), BN_CLICKED),
                       reinterpret_cast<LPARAM>(v));
    };
    switch (m) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ::SetCapture(v);
            FijarPulsado(v, true);
            return 0;
        case WM_LBUTTONUP: {
            const bool pulsado = Pulsado(v);
            FijarPulsado(v, false);
            ::ReleaseCapture();
            RECT r{};
            ::GetClientRect(v, &r);
            const POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
            if (pulsado && ::PtInRect(&r, p) && ::IsWindowEnabled(v)) avisar();
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (Pulsado(v)) FijarPulsado(v, false);
            return 0;
        case BM_CLICK:
            if (::IsWindowEnabled(v)) avisar();
            return 0;
        case WM_ENABLE:
            ::InvalidateRect(v, nullptr, FALSE);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            Pintura p(v);
            RECT r = p.Cliente();
            ::FillRect(p.dc(), &r, ::GetSysColorBrush(COLOR_BTNFACE));
            ::DrawEdge(p.dc(), &r, Pulsado(v) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            if (Pulsado(v)) ::OffsetRect(&r, 1, 1);
            const int i = ::GetDlgCtrlID(v) - kPrimerId;
            if (!::IsWindowEnabled(v)) {
                RECT luz = r;
                ::OffsetRect(&luz, 1, 1);
                Glifo(p.dc(), i, luz, ::GetSysColor(COLOR_BTNHIGHLIGHT));
                Glifo(p.dc(), i, r, ::GetSysColor(COLOR_GRAYTEXT));
            } else {
                Glifo(p.dc(), i, r, RGB(0, 0, 0));
            }
            return 0;
        }
        case WM_NCDESTROY:
            ::RemovePropW(v, kPulsado);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(v, m, w, l);
}

}  // namespace brisolt::win32
