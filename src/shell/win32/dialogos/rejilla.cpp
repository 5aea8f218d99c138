#include "shell/win32/dialogos/rejilla.h"

#include <commctrl.h>

#include <algorithm>

namespace brisolt::win32 {
namespace {

constexpr wchar_t kClase[] = L"BrisoltRejilla";
constexpr int kMargenTexto = 3;  // pixels between a cell's edge and its text
constexpr COLORREF kLineas = RGB(192, 192, 192);
constexpr int kPasoHorizontal = 20;  // pixels per click on the horizontal arrows

bool Control() {
    return ::GetKeyState(VK_CONTROL) < 0;
}

void Rellenar(HDC dc, const RECT& r, COLORREF color) {
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

Rejilla::Rejilla(HWND padre, int id, const dialogos::Dialogo& d, Tabla& tabla)
    : dialogo_(d),
      datos_(tabla, d.columnas),
      fuente_(CrearFuente(11, false)),
      negrita_(CrearFuente(11, true)) {
    RegistrarClase(kClase, Proc, CS_DBLCLKS);
    ventana_ = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, kClase, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN, d.rejilla.x,
        d.rejilla.y, d.rejilla.ancho, d.rejilla.alto, padre,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), this);
    FijarNombre(ventana_, d.nombreRejilla);
    Medir();

    datos_.alCambiarFila = [this](int fila) {
        RECT r = Celda(fila, 0);
        r.left = 0;
        r.right = 1 << 15;
        ::InvalidateRect(ventana_, &r, FALSE);
    };
    datos_.alCambiarEstado = [this] { Avisar(); };
    datos_.alAcabarLectura = [this] {
        fila_ = std::min(fila_, datos_.Filas() - 1);
        primera_ = std::clamp(primera_, 0, std::max(0, datos_.Filas() - 1));
        AjustarBarras();
        ::InvalidateRect(ventana_, nullptr, FALSE);
    };

    // The first row still waiting for the person, or the first of all, in
    // the middle of the view.
    columna_ = datos_.PrimeraEditable();
    if (datos_.Filas() > 0) {
        fila_ = std::max(0, datos_.PrimeraPendiente());
        datos_.Posicionar(fila_);
        primera_ =
            std::max(0, std::min(fila_ - FilasVisibles() / 2, datos_.Filas() - FilasVisibles()));
    }
    AjustarBarras();
}

Rejilla::~Rejilla() {
    if (ventana_) ::DestroyWindow(ventana_);
}

void Rejilla::Medir() {
    HDC dc = ::GetDC(ventana_);
    TEXTMETRICW tm{};
    SIZE titulo{};
    {
        Seleccion s(dc, fuente_.get());
        ::GetTextMetricsW(dc, &tm);
    }
    altoFila_ = tm.tmHeight + 4;
    altoTitulos_ = dialogos::kLineasTitulo * tm.tmHeight + 6;
    // A column is as wide as its characters (of the face's average width),
    // and never narrower than its bold title, so "ABREV" and "DEPARTAMENTO"
    // read whole.
    Seleccion s(dc, negrita_.get());
    for (const ColumnaRejilla& c : datos_.Columnas()) {
        const std::wstring t = Ancho(c.titulo);
        ::GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &titulo);
        anchos_.push_back(std::max<int>(c.ancho * tm.tmAveCharWidth + 4, titulo.cx + 8));
    }
    ::ReleaseDC(ventana_, dc);
}

int Rejilla::FilasVisibles() const {
    RECT c{};
    ::GetClientRect(ventana_, &c);
    return std::max(1, static_cast<int>(c.bottom - altoTitulos_) / std::max(1, altoFila_));
}

RECT Rejilla::Celda(int fila, int columna) const {
    int x = -desplazamiento_;
    for (int c = 0; c < columna; ++c) x += anchos_[static_cast<std::size_t>(c)];
    const int y = altoTitulos_ + (fila - primera_) * altoFila_;
    return {x, y, x + anchos_[static_cast<std::size_t>(columna)], y + altoFila_};
}

RECT Rejilla::SitioEditor() const {
    // Inside the cell's lines, its text where the cell shows it.
    RECT r = Celda(fila_, columna_);
    r.right -= 1;
    r.top += 1;
    r.bottom -= 1;
    return r;
}

int Rejilla::FilaEn(int y) const {
    if (y < altoTitulos_) return -1;
    const int fila = primera_ + (y - altoTitulos_) / altoFila_;
    return fila < datos_.Filas() ? fila : -1;
}

int Rejilla::ColumnaEn(int x) const {
    x += desplazamiento_;
    for (int c = 0; c < datos_.NumColumnas(); ++c) {
        x -= anchos_[static_cast<std::size_t>(c)];
        if (x < 0) return c;
    }
    return -1;
}

void Rejilla::AjustarBarras() {
    RECT c{};
    ::GetClientRect(ventana_, &c);
    SCROLLINFO v{
        sizeof v, SIF_ALL, 0, std::max(0, datos_.Filas() - 1), static_cast<UINT>(FilasVisibles()),
        primera_, 0};
    ::SetScrollInfo(ventana_, SB_VERT, &v, TRUE);
    ::GetClientRect(ventana_, &c);
    int total = 0;
    for (int a : anchos_) total += a;
    desplazamiento_ = std::clamp(desplazamiento_, 0, std::max(0, total - int(c.right)));
    // The horizontal bar is always there, greyed while the columns fit.
    SCROLLINFO h{sizeof h,
                 SIF_ALL | SIF_DISABLENOSCROLL,
                 0,
                 std::max(0, total - 1),
                 static_cast<UINT>(c.right),
                 desplazamiento_,
                 0};
    ::SetScrollInfo(ventana_, SB_HORZ, &h, TRUE);
}

void Rejilla::Desplazar(int barra, int accion) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(ventana_, barra, &si);
    const int paso = barra == SB_VERT ? 1 : kPasoHorizontal;
    int pos = si.nPos;
    switch (accion) {
        case SB_LINEUP:
            pos -= paso;
            break;
        case SB_LINEDOWN:
            pos += paso;
            break;
        case SB_PAGEUP:
            pos -= static_cast<int>(si.nPage);
            break;
        case SB_PAGEDOWN:
            pos += static_cast<int>(si.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            pos = si.nTrackPos;
            break;
        case SB_TOP:
            pos = si.nMin;
            break;
        case SB_BOTTOM:
            pos = si.nMax;
            break;
        default:
            return;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1));
    if (barra == SB_VERT)
        primera_ = pos;
    else
        desplazamiento_ = pos;
    // The editor stays over its cell.
    if (editor_) {
        const RECT r = SitioEditor();
        ::MoveWindow(editor_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    AjustarBarras();
    ::InvalidateRect(ventana_, nullptr, FALSE);
}

void Rejilla::Mostrar(int fila) {
    const int visibles = FilasVisibles();
    if (fila < primera_) primera_ = fila;
    if (fila >= primera_ + visibles) primera_ = fila - visibles + 1;
    if (columna_ >= 0) {
        RECT c{};
        ::GetClientRect(ventana_, &c);
        const RECT r = Celda(fila, columna_);
        if (r.right > c.right) desplazamiento_ += r.right - c.right;
        if (r.left < 0) desplazamiento_ += r.left;
    }
    AjustarBarras();
    ::InvalidateRect(ventana_, nullptr, FALSE);
}

void Rejilla::Avisar() {
    if (alCambiar) alCambiar();
}

bool Rejilla::IrA(int fila, int columna) {
    if (datos_.Filas() == 0) return false;
    fila = std::clamp(fila, 0, datos_.Filas() - 1);
    if (!datos_.Editable(columna))
        columna = datos_.Editable(columna_) ? columna_ : datos_.PrimeraEditable();
    if (columna < 0) return false;
    if (fila == fila_ && columna == columna_) return true;
    // The cell being typed goes into its field before the cell is left; a
    // refused text keeps the cursor on it, as after Enter.
    if (editor_) {
        Confirmar(true);
        if (datos_.TomarEscrituraRechazada()) return false;
    }
    if (fila != fila_ && !datos_.Posicionar(fila)) return false;
    fila_ = fila;
    columna_ = columna;
    Mostrar(fila_);
    Avisar();
    return true;
}

bool Rejilla::Confirmar(bool foco) {
    if (!editor_) return true;
    const std::wstring texto = TextoVentana(editor_);
    HWND editor = std::exchange(editor_, nullptr);
    if (foco && ::GetFocus() == editor) ::SetFocus(ventana_);
    ::DestroyWindow(editor);
    const bool escrito = datos_.Escribir(fila_, columna_, Estrecho(texto));
    ::InvalidateRect(ventana_, nullptr, FALSE);
    return escrito;
}

void Rejilla::CerrarEditor() {
    HWND editor = std::exchange(editor_, nullptr);
    if (!editor) return;
    if (::GetFocus() == editor) ::SetFocus(ventana_);
    ::DestroyWindow(editor);
    ::InvalidateRect(ventana_, nullptr, FALSE);
}

void Rejilla::Siguiente() {
    // A refused text keeps the cursor on its cell and the row in edit.
    if (editor_) {
        Confirmar(true);
        if (datos_.TomarEscrituraRechazada()) return;
    }
    int fila = fila_, columna = columna_;
    if (fila >= 0 && datos_.Siguiente(fila, columna)) IrA(fila, columna);
}

bool Rejilla::Dejar() {
    Confirmar(::GetFocus() == editor_);
    if (!datos_.TomarEscrituraRechazada() && datos_.Salir()) return true;
    ::SetFocus(ventana_);
    return false;
}

bool Rejilla::Grabar() {
    Confirmar(::GetFocus() == editor_);
    if (datos_.TomarEscrituraRechazada()) return false;
    return datos_.Grabar();
}

void Rejilla::Cancelar() {
    CerrarEditor();
    datos_.Cancelar();
}

void Rejilla::Editar(const std::wstring& texto) {
    if (fila_ < 0 || !datos_.Editable(columna_)) return;
    Mostrar(fila_);
    if (!editor_) {
        const RECT r = SitioEditor();
        editor_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, r.left,
                                    r.top, r.right - r.left, r.bottom - r.top, ventana_, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(fuente_.get()), FALSE);
        ::SendMessageW(editor_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                       MAKELPARAM(kMargenTexto - 1, kMargenTexto - 1));
        ::SetWindowSubclass(editor_, ProcEditor, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ::SetWindowTextW(editor_, texto.c_str());
    const auto fin = static_cast<WPARAM>(texto.size());
    ::SendMessageW(editor_, EM_SETSEL, fin, static_cast<LPARAM>(fin));
    ::SetFocus(editor_);
}

void Rejilla::FocoPerdido(HWND nuevo) {
    if (!nuevo || nuevo == ventana_ || nuevo == editor_) return;
    // Another window taking the activation (a message box) is no move
    // inside this one.
    HWND raiz = ::GetAncestor(ventana_, GA_ROOT);
    if (nuevo == raiz || ::GetAncestor(nuevo, GA_ROOT) != raiz) return;
    // A refused text stays for the box (or "Salir") to deal with.
    if (editor_ && !Confirmar(false)) return;
    datos_.Salir();
}

bool Rejilla::Tecla(WPARAM tecla) {
    const int ultima = datos_.Filas() - 1;
    auto columnaEn = [&](int paso) {
        for (int c = columna_ + paso; c >= 0 && c < datos_.NumColumnas(); c += paso)
            if (datos_.Editable(c)) return c;
        return columna_;
    };
    auto extremo = [&](int desde, int paso) {
        for (int c = desde; c >= 0 && c < datos_.NumColumnas(); c += paso)
            if (datos_.Editable(c)) return c;
        return columna_;
    };
    switch (tecla) {
        case VK_RETURN:
            Siguiente();
            return true;
        // An open editor takes Escape itself and drops what was typed;
        // without one there is nothing to cancel, and the key goes no further.
        case VK_ESCAPE:
            return true;
        case VK_UP:
            IrAFila(fila_ - 1);
            return true;
        case VK_DOWN:
            IrAFila(fila_ + 1);
            return true;
        case VK_PRIOR:
            IrAFila(fila_ - FilasVisibles());
            return true;
        case VK_NEXT:
            IrAFila(fila_ + FilasVisibles());
            return true;
        case VK_LEFT:
            IrA(fila_, columnaEn(-1));
            return true;
        case VK_RIGHT:
            IrA(fila_, columnaEn(+1));
            return true;
        case VK_HOME:
            Control() ? IrAFila(0) : IrA(fila_, extremo(0, +1));
            return true;
        case VK_END:
            Control() ? IrAFila(ultima) : IrA(fila_, extremo(datos_.NumColumnas() - 1, -1));
            return true;
        case VK_F2:
            if (fila_ >= 0 && columna_ >= 0) Editar(Ancho(datos_.Valor(fila_, columna_)));
            return true;
        default:
            return false;
    }
}

void Rejilla::Pintar(HDC dc, const RECT& cliente) {
    Rellenar(dc, cliente, Referencia(dialogos::kFilaClara));
    ::SetBkMode(dc, TRANSPARENT);
    Pluma lineas(::CreatePen(PS_SOLID, 1, kLineas));
    Seleccion pluma(dc, lineas.get());
    auto bordes = [&](const RECT& r) {
        ::MoveToEx(dc, r.right - 1, r.top, nullptr);
        ::LineTo(dc, r.right - 1, r.bottom - 1);
        ::LineTo(dc, r.left - 1, r.bottom - 1);
    };

    // Titles: bold on their own colour, wrapped onto their two lines.
    {
        Seleccion s(dc, negrita_.get());
        ::SetTextColor(dc, RGB(0, 0, 0));
        for (int c = 0; c < datos_.NumColumnas(); ++c) {
            RECT r = Celda(0, c);
            r.top = 0;
            r.bottom = altoTitulos_;
            Rellenar(dc, r, Referencia(dialogos::kFondoTitulos));
            ::SetBkMode(dc, TRANSPARENT);
            bordes(r);
            const std::wstring t = Ancho(datos_.Columnas()[static_cast<std::size_t>(c)].titulo);
            RECT texto{r.left + kMargenTexto, 0, r.right - kMargenTexto, 0};
            ::DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &texto,
                        DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            const int alto = texto.bottom - texto.top;
            texto = {r.left + kMargenTexto, (altoTitulos_ - alto) / 2, r.right - kMargenTexto,
                     (altoTitulos_ + alto) / 2};
            ::DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &texto,
                        DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
        }
    }

    const bool conFoco = ::GetFocus() == ventana_;
    for (int f = primera_; f < datos_.Filas(); ++f) {
        const COLORREF fondoFila = Referencia(f % 2 ? dialogos::kFilaOscura : dialogos::kFilaClara);
        for (int c = 0; c < datos_.NumColumnas(); ++c) {
            const RECT r = Celda(f, c);
            if (r.top >= cliente.bottom) break;
            if (r.right <= 0 || r.left >= cliente.right) continue;
            COLORREF fondo = fondoFila, tinta = RGB(0, 0, 0);
            HFONT fuente = fuente_.get();
            if (datos_.Pendiente(f, c)) {
                fondo = Referencia(dialogos::kFondoPendiente);
                tinta = Referencia(dialogos::kTextoPendiente);
                fuente = negrita_.get();
            }
            const bool cursor = f == fila_ && c == columna_;
            if (cursor && conFoco) {
                fondo = ::GetSysColor(COLOR_HIGHLIGHT);
                tinta = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            }
            Rellenar(dc, r, fondo);
            ::SetBkMode(dc, TRANSPARENT);
            bordes(r);
            if (cursor && !conFoco) {
                RECT marco{r.left, r.top, r.right - 1, r.bottom - 1};
                ::DrawFocusRect(dc, &marco);
            }
            Seleccion s(dc, fuente);
            ::SetTextColor(dc, tinta);
            const std::wstring t = Ancho(datos_.Valor(f, c));
            RECT texto{r.left + kMargenTexto, r.top, r.right - kMargenTexto, r.bottom - 1};
            ::DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &texto,
                        DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
}

LRESULT CALLBACK Rejilla::Proc(HWND v, UINT m, WPARAM w, LPARAM l) {
    Rejilla* r = Objeto<Rejilla>(v, m, l);
    if (!r) return ::DefWindowProcW(v, m, w, l);
    if (m == WM_NCDESTROY) {
        r->ventana_ = nullptr;
        r->editor_ = nullptr;
        return ::DefWindowProcW(v, m, w, l);
    }
    if (!r->ventana_) return ::DefWindowProcW(v, m, w, l);  // still being created
    return r->Mensaje(m, w, l);
}

LRESULT Rejilla::Mensaje(UINT m, WPARAM w, LPARAM l) {
    switch (m) {
        case WM_PAINT: {
            Pintura p(ventana_);
            Pintar(p.dc(), p.Cliente());
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT cliente{};
            ::GetClientRect(ventana_, &cliente);
            Pintar(reinterpret_cast<HDC>(w), cliente);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            AjustarBarras();
            return 0;
        case WM_SETFOCUS:
            ::InvalidateRect(ventana_, nullptr, FALSE);
            datos_.Entrar();
            return 0;
        case WM_KILLFOCUS:
            ::InvalidateRect(ventana_, nullptr, FALSE);
            if (reinterpret_cast<HWND>(w) != editor_) FocoPerdido(reinterpret_cast<HWND>(w));
            return 0;
        case WM_GETDLGCODE: {
            LRESULT codigo = DLGC_WANTARROWS | DLGC_WANTCHARS;
            const auto* msg = reinterpret_cast<const MSG*>(l);
            if (msg && msg->message == WM_KEYDOWN &&
                (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
                codigo |= DLGC_WANTMESSAGE;
            return codigo;
        }
        case WM_KEYDOWN:
            if (Tecla(w)) return 0;
            break;
        case WM_CHAR:
            // Any key that types a character starts the cell afresh with it.
            if (w >= 0x20 && w != 0x7f) Editar(std::wstring(1, static_cast<wchar_t>(w)));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (::GetFocus() != ventana_) ::SetFocus(ventana_);
            const int fila = FilaEn(static_cast<short>(HIWORD(l)));
            const int columna = ColumnaEn(static_cast<short>(LOWORD(l)));
            if (fila < 0 || columna < 0) return 0;
            if (IrA(fila, columna) && m == WM_LBUTTONDBLCLK && columna == columna_)
                Editar(Ancho(datos_.Valor(fila_, columna_)));
            return 0;
        }
        case WM_MOUSEWHEEL: {
            const int muescas = GET_WHEEL_DELTA_WPARAM(w) / WHEEL_DELTA;
            for (int i = 0; i < 3 * std::abs(muescas); ++i)
                Desplazar(SB_VERT, muescas > 0 ? SB_LINEUP : SB_LINEDOWN);
            return 0;
        }
        case WM_VSCROLL:
            Desplazar(SB_VERT, LOWORD(w));
            return 0;
        case WM_HSCROLL:
            Desplazar(SB_HORZ, LOWORD(w));
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(ventana_, m, w, l);
}

LRESULT CALLBACK Rejilla::ProcEditor(HWND v, UINT m, WPARAM w, LPARAM l, UINT_PTR,
                                     DWORD_PTR datos) {
    auto* r = reinterpret_cast<Rejilla*>(datos);
    switch (m) {
        case WM_GETDLGCODE: {
            const auto* msg = reinterpret_cast<const MSG*>(l);
            if (msg && msg->message == WM_KEYDOWN &&
                (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
                return DLGC_WANTALLKEYS;
            break;
        }
        case WM_KEYDOWN:
            switch (w) {
                case VK_RETURN:
                    r->Siguiente();
                    return 0;
                case VK_ESCAPE:
                    r->CerrarEditor();
                    return 0;
                case VK_UP:
                case VK_DOWN:
                case VK_PRIOR:
                case VK_NEXT:
                    r->Tecla(w);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CHAR:
            if (w == L'\r' || w == 0x1b || w == L'\t') return 0;  // no beep
            break;
        case WM_KILLFOCUS: {
            const LRESULT resultado = ::DefSubclassProc(v, m, w, l);
            if (reinterpret_cast<HWND>(w) != r->ventana_) r->FocoPerdido(reinterpret_cast<HWND>(w));
            return resultado;
        }
        default:
            break;
    }
    return ::DefSubclassProc(v, m, w, l);
}

}  // namespace brisolt::win32
