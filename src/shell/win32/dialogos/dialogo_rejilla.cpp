#include "shell/win32/dialogos/dialogo_rejilla.h"

#include <commctrl.h>

#include "shell/win32/cajas.h"

namespace brisolt::win32 {
namespace {

constexpr wchar_t kClaseDialogo[] = L"BrisoltDialogoRejilla";
constexpr wchar_t kClasePanel[] = L"BrisoltDraw3D";
constexpr UINT kMensajeRechazo = WM_APP + 1;
constexpr int kIdEtiquetas = 10, kIdRejilla = 20, kIdNavegador = 21, kIdSalir = 22;
constexpr int kPixelesFuente = 11;

HMENU Id(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

DialogoRejilla::DialogoRejilla(const dialogos::Dialogo& d, Tabla& tabla, HWND propietario)
    : d_(d), propietario_(propietario), negrita_(CrearFuente(kPixelesFuente, true)) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    RegistrarClase(kClaseDialogo, Proc);
    RegistrarClase(kClasePanel, Proc);
    HINSTANCE inst = ::GetModuleHandleW(nullptr);

    const DWORD estilo = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD extendido = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT marco{0, 0, d.ancho, d.alto};
    ::AdjustWindowRectEx(&marco, estilo, FALSE, extendido);
    ventana_ = ::CreateWindowExW(extendido, kClaseDialogo, Ancho(d.titulo).c_str(), estilo, d.x,
                                 d.y, marco.right - marco.left, marco.bottom - marco.top,
                                 propietario, nullptr, inst, this);
    FijarNombre(ventana_, d.nombre);
    panel_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClasePanel, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, d.ancho, d.alto,
                               ventana_, nullptr, inst, this);
    FijarNombre(panel_, d.panel);
    CrearFondo();

    for (std::size_t i = 0; i < d.etiquetas.size(); ++i) {
        const dialogos::Etiqueta& e = d.etiquetas[i];
        DWORD estiloEtiqueta = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
        if (e.alineacion == dialogos::Alineacion::Centro)
            estiloEtiqueta |= SS_CENTER;
        else
            estiloEtiqueta |= (e.estilo & controles::kAjustar) ? SS_LEFT : SS_LEFTNOWORDWRAP;
        HWND etiqueta = ::CreateWindowExW(0, L"STATIC", Ancho(e.texto).c_str(), estiloEtiqueta,
                                          e.sitio.x, e.sitio.y, e.sitio.ancho, e.sitio.alto, panel_,
                                          Id(kIdEtiquetas + static_cast<int>(i)), inst, nullptr);
        FijarNombre(etiqueta, e.nombre);
        fuentes_.push_back(CrearFuente(e.pixeles ? e.pixeles : kPixelesFuente,
                                       e.estilo & controles::kNegrita, e.subrayada));
        ::SendMessageW(etiqueta, WM_SETFONT, reinterpret_cast<WPARAM>(fuentes_.back().get()),
                       FALSE);
        fondos_.emplace_back(e.fondo.definido ? ::CreateSolidBrush(Referencia(e.fondo)) : nullptr);
        etiquetas_.push_back(etiqueta);
    }

    rejilla_ = std::make_unique<Rejilla>(panel_, kIdRejilla, d, tabla);
    navegador_ = std::make_unique<Navegador>(panel_, kIdNavegador, d, *rejilla_);
    rejilla_->alCambiar = [this] { navegador_->Actualizar(); };
    // The box must not open while the grid is still closing its editor.
    rejilla_->Datos().alRechazar = [this](const std::string& mensaje) {
        rechazos_.push_back(mensaje);
        ::PostMessageW(ventana_, kMensajeRechazo, 0, 0);
    };

    salir_ =
        ::CreateWindowExW(0, L"BUTTON", Ancho(d.textoSalir).c_str(),
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, d.salir.x, d.salir.y,
                          d.salir.ancho, d.salir.alto, panel_, Id(kIdSalir), inst, nullptr);
    FijarNombre(salir_, d.nombreSalir);
    ::SendMessageW(salir_, WM_SETFONT, reinterpret_cast<WPARAM>(negrita_.get()), FALSE);
    foco_ = rejilla_->Ventana();
}

DialogoRejilla::~DialogoRejilla() {
    if (modal_ && propietario_) ::EnableWindow(propietario_, TRUE);
    if (ventana_) ::DestroyWindow(ventana_);
}

void DialogoRejilla::CrearFondo() {
    // The gradient drawn once into a bitmap: the panel paints from it, and
    // the labels without a colour of their own take their piece of it as
    // their background.
    HDC pantalla = ::GetDC(panel_);
    HDC memoria = ::CreateCompatibleDC(pantalla);
    degradado_ = ObjetoGdi<HBITMAP>(::CreateCompatibleBitmap(pantalla, d_.ancho, d_.alto));
    {
        Seleccion s(memoria, degradado_.get());
        Degradado(
            memoria, RECT{0, 0, d_.ancho, d_.alto},
            {{0, dialogos::kEscritorio}, {dialogos::kFinBandaEscritorio, dialogos::kPanelClaro}},
            dialogos::kAguamarina);
    }
    ::DeleteDC(memoria);
    ::ReleaseDC(panel_, pantalla);
    pincelDegradado_ = Pincel(::CreatePatternBrush(degradado_.get()));
}

void DialogoRejilla::Mostrar() {
    ::ShowWindow(ventana_, SW_SHOWNORMAL);
    ::SetForegroundWindow(ventana_);
    ::SetFocus(rejilla_->Ventana());
    ::UpdateWindow(ventana_);
}

void DialogoRejilla::Modal() {
    modal_ = true;
    const bool desactivado = propietario_ && ::IsWindowEnabled(propietario_);
    if (desactivado) ::EnableWindow(propietario_, FALSE);
    // The person works here: the normal arrow, whatever the command showed.
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    Mostrar();
    MSG m;
    while (!cerrado_) {
        const BOOL r = ::GetMessageW(&m, nullptr, 0, 0);
        if (r == 0) {
            // The program is ending: the quit goes on to the outer loop.
            ::PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (r < 0) break;
        if (!::IsDialogMessageW(ventana_, &m)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
    if (desactivado) ::EnableWindow(propietario_, TRUE);
    ::ShowWindow(ventana_, SW_HIDE);
    modal_ = false;
}

bool DialogoRejilla::Cerrar() {
    if (cerrado_) return true;
    if (!rejilla_->Dejar()) return false;
    cerrado_ = true;
    // The owner first, so the activation goes back to it.
    if (modal_ && propietario_) ::EnableWindow(propietario_, TRUE);
    ::ShowWindow(ventana_, SW_HIDE);
    return true;
}

void DialogoRejilla::PintarSalir(const DRAWITEMSTRUCT& di) {
    RECT r = di.rcItem;
    const bool pulsado = di.itemState & ODS_SELECTED;
    ::DrawFrameControl(di.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pulsado ? DFCS_PUSHED : 0));
    if (pulsado) ::OffsetRect(&r, 1, 1);
    // The close glyph: a red cross left of the text.
    const std::wstring texto = TextoVentana(di.hwndItem);
    Seleccion fuente(di.hDC, negrita_.get());
    SIZE medida{};
    ::GetTextExtentPoint32W(di.hDC, texto.c_str(), static_cast<int>(texto.size()), &medida);
    const int glifo = 9, separacion = 6;
    const int x = r.left + (r.right - r.left - (glifo + separacion + medida.cx)) / 2;
    const int cy = (r.top + r.bottom) / 2;
    {
        Pluma roja(::CreatePen(PS_SOLID, 2, RGB(192, 0, 0)));
        Seleccion pluma(di.hDC, roja.get());
        ::MoveToEx(di.hDC, x, cy - glifo / 2, nullptr);
        ::LineTo(di.hDC, x + glifo, cy + glifo / 2 + 1);
        ::MoveToEx(di.hDC, x + glifo, cy - glifo / 2, nullptr);
        ::LineTo(di.hDC, x, cy + glifo / 2 + 1);
    }
    ::SetBkMode(di.hDC, TRANSPARENT);
    ::SetTextColor(di.hDC, ::GetSysColor(COLOR_BTNTEXT));
    RECT t{x + glifo + separacion, r.top, r.right, r.bottom};
    ::DrawTextW(di.hDC, texto.c_str(), static_cast<int>(texto.size()), &t,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    if (di.itemState & ODS_FOCUS) {
        RECT foco = di.rcItem;
        ::InflateRect(&foco, -4, -4);
        ::DrawFocusRect(di.hDC, &foco);
    }
}

LRESULT CALLBACK DialogoRejilla::Proc(HWND v, UINT m, WPARAM w, LPARAM l) {
    DialogoRejilla* d = Objeto<DialogoRejilla>(v, m, l);
    if (!d) return ::DefWindowProcW(v, m, w, l);
    if (m == WM_NCDESTROY) {
        if (v == d->ventana_) d->ventana_ = nullptr;
        if (v == d->panel_) d->panel_ = nullptr;
        return ::DefWindowProcW(v, m, w, l);
    }
    if (v == d->ventana_) return d->Dialogo(m, w, l);
    if (v == d->panel_) return d->Panel(m, w, l);
    return ::DefWindowProcW(v, m, w, l);  // still being created
}

LRESULT DialogoRejilla::Dialogo(UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_CLOSE:
            Cerrar();
            return 0;
        case WM_ACTIVATE:
            // The focus goes back where it was, the grid at first.
            if (LOWORD(w) == WA_INACTIVE) {
                HWND foco = ::GetFocus();
                if (foco && ::IsChild(ventana_, foco)) foco_ = foco;
            } else if (!cerrado_) {
                ::SetFocus(foco_ && ::IsWindow(foco_) && ::IsChild(ventana_, foco_)
                               ? foco_
                               : rejilla_->Ventana());
            }
            return 0;
        case WM_COMMAND:
            // Enter on "Salir" presses it, as the dialog manager reports it;
            // elsewhere Enter belongs to the grid, and Escape never closes
            // the dialog.
            if (LOWORD(w) == kIdSalir || (LOWORD(w) == IDOK && ::GetFocus() == salir_)) {
                Cerrar();
                return 0;
            }
            if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL) return 0;
            break;
        case kMensajeRechazo:
            while (!rechazos_.empty()) {
                const std::string mensaje = rechazos_.front();
                rechazos_.pop_front();
                // The box is the answer to a refused cell: the refusal must
                // not hold back the next "Salir" as well.
                rejilla_->Datos().TomarEscrituraRechazada();
                CajaError(ventana_, mensaje);
            }
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(ventana_, m, w, l);
}

LRESULT DialogoRejilla::Panel(UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(panel_, &ps);
            ::FillRect(dc, &ps.rcPaint, pincelDegradado_.get());
            ::EndPaint(panel_, &ps);
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            auto* dc = reinterpret_cast<HDC>(w);
            auto* control = reinterpret_cast<HWND>(l);
            for (std::size_t i = 0; i < etiquetas_.size(); ++i) {
                if (etiquetas_[i] != control) continue;
                const dialogos::Etiqueta& e = d_.etiquetas[i];
                ::SetTextColor(dc, Referencia(e.color));
                if (fondos_[i].get()) {
                    ::SetBkColor(dc, Referencia(e.fondo));
                    return reinterpret_cast<LRESULT>(fondos_[i].get());
                }
                ::SetBkMode(dc, TRANSPARENT);
                // The gradient's piece under the label.
                ::SetBrushOrgEx(dc, -e.sitio.x, -e.sitio.y, nullptr);
                return reinterpret_cast<LRESULT>(pincelDegradado_.get());
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (di->hwndItem == salir_) {
                PintarSalir(*di);
                return TRUE;
            }
            break;
        }
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(l) == salir_ && HIWORD(w) == BN_CLICKED) {
                Cerrar();
                return 0;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(panel_, m, w, l);
}

}  // namespace brisolt::win32
