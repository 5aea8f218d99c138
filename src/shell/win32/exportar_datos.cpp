#include "shell/win32/exportar_datos.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <exception>

#include "export/exportar.h"
#include "help/sistema.h"
#include "import/importar.h"
#include "shell/tecla_intro.h"
#include "shell/win32/cajas.h"
#include "shell/win32/control_rejillas.h"
#include "shell/win32/dialogos/gdi.h"
#include "shell/win32/texto.h"
#include "tables/carpetas.h"

namespace brisolt::win32 {
namespace {

using controles::Tipo;

constexpr wchar_t kClaseVentana[] = L"TExportarDatos";
constexpr wchar_t kClasePanel[] = L"TDraw3D";
constexpr int kPrimerId = 100;
constexpr int kAltoFila = 16;
constexpr int kLadoIcono = 16;

HINSTANCE Instancia() {
    return ::GetModuleHandleW(nullptr);
}

// The panel's gradient, top to bottom, over its whole client area.
void PintarDegradado(HWND panel, HDC dc, const principal::Panel& p) {
    RECT r;
    ::GetClientRect(panel, &r);
    Degradado(dc, r, {{0, p.arriba}}, p.abajo);
}

// A label with no width of its own is as wide and high as its one line.
SIZE MedirTexto(HFONT fuente, const std::wstring& texto) {
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ anterior = ::SelectObject(dc, fuente);
    RECT r = {0, 0, 0, 0};
    ::DrawTextW(dc, texto.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    ::SelectObject(dc, anterior);
    ::ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// A combo box is as high as its font makes its selection field: this field
// height gives it the height of the description.
void AjustarAltoCombo(HWND combo, int alto) {
    // What the field reports and what it is set to need not agree (its
    // border may be counted in one and not the other): each round corrects
    // the height last asked for by what the combo box came out as.
    auto pedido = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int ronda = 0; ronda < 4; ++ronda) {
        RECT r;
        ::GetWindowRect(combo, &r);
        const int diferencia = alto - (r.bottom - r.top);
        if (diferencia == 0) return;
        pedido += diferencia;
        ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), pedido);
    }
}

// A click as the button itself reports it to its panel.
void Pulsar(HWND boton) {
    if (!boton || !::IsWindowEnabled(boton) || !::IsWindowVisible(boton)) return;
    ::SendMessageW(::GetParent(boton), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(boton), BN_CLICKED),
                   reinterpret_cast<LPARAM>(boton));
}

std::string TextoInicial(const principal::Control& c) {
    if (std::string_view(c.nombre) == "Label7") return principal::TextoProducto();
    return c.texto ? c.texto : "";
}

}  // namespace

TExportarDatos::TExportarDatos(const std::vector<std::string>& parametros)
    : rutaEjecutable_(RutaEjecutable()) {
    static const bool registradas = [] {
        INITCOMMONCONTROLSEX comunes = {sizeof comunes, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&comunes);
        WNDCLASSEXW clase = {};
        clase.cbSize = sizeof clase;
        clase.lpfnWndProc = &TExportarDatos::ProcedimientoVentana;
        clase.hInstance = Instancia();
        clase.hIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
        clase.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        clase.lpszClassName = kClaseVentana;
        ::RegisterClassExW(&clase);
        clase.lpfnWndProc = &TExportarDatos::ProcedimientoPanel;
        clase.hIcon = nullptr;
        clase.hbrBackground = nullptr;
        clase.lpszClassName = kClasePanel;
        ::RegisterClassExW(&clase);
        return true;
    }();
    (void)registradas;

    fuente_ = CrearFuente(11, false);
    negrita_ = CrearFuente(11, true);
    fuenteIdioma_ = CrearFuente(10, true);
    visto_ = IconoVisto();
    cerrar_ = IconoCerrar();
    carpetaAbierta_ = IconoCarpeta(true);
    carpetaCerrada_ = IconoCarpeta(false);

    // A fixed dialog frame: no sizing, no minimise or maximise box.
    const DWORD estilo = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD extendido = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT r = {0, 0, principal::kAncho, principal::kAlto};
    ::AdjustWindowRectEx(&r, estilo, FALSE, extendido);
    ::CreateWindowExW(extendido, kClaseVentana, Ancho(principal::kTitulo).c_str(), estilo,
                      CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr,
                      nullptr, Instancia(), this);
    if (!hwnd_) throw std::runtime_error("No se puede crear la ventana");
    CrearControles();

    estado_.carpetaGC = CarpetaTrabajo();
    MostrarCarpetaLista(estado_.carpetaGC);
    Proteger([&] { FormCreate(estado_, *this, parametros); });
}

TExportarDatos::~TExportarDatos() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

// ---- Windows and controls

LRESULT CALLBACK TExportarDatos::ProcedimientoVentana(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
    if (mensaje == WM_NCCREATE) {
        auto* yo =
            static_cast<TExportarDatos*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(yo));
        yo->hwnd_ = hwnd;
    }
    auto* yo = reinterpret_cast<TExportarDatos*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!yo || yo->hwnd_ != hwnd) return ::DefWindowProcW(hwnd, mensaje, w, l);
    if (mensaje == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        yo->hwnd_ = nullptr;
        yo->hijos_.clear();
        return ::DefWindowProcW(hwnd, mensaje, w, l);
    }
    return yo->Mensaje(mensaje, w, l);
}

LRESULT CALLBACK TExportarDatos::ProcedimientoPanel(HWND panel, UINT mensaje, WPARAM w, LPARAM l) {
    if (mensaje == WM_NCCREATE)
        ::SetWindowLongPtrW(
            panel, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* yo = reinterpret_cast<TExportarDatos*>(::GetWindowLongPtrW(panel, GWLP_USERDATA));
    if (!yo) return ::DefWindowProcW(panel, mensaje, w, l);
    switch (mensaje) {
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT:
            if (const Hijo* h = yo->Buscar(panel); h && h->panel) {
                PintarDegradado(panel, reinterpret_cast<HDC>(w), *h->panel);
                return 1;
            }
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(panel, GWLP_USERDATA, 0);
            break;
        default: {
            LRESULT resultado = 0;
            if (yo->MensajeDeControl(mensaje, w, l, &resultado)) return resultado;
        }
    }
    return ::DefWindowProcW(panel, mensaje, w, l);
}

void TExportarDatos::CrearControles() {
    int id = kPrimerId;
    for (const principal::Panel& p : principal::Paneles()) {
        const controles::Rect r = principal::GeometriaPanel(p.nombre, true, true);
        HWND panel = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClasePanel, Ancho(p.nombre).c_str(),
                                       WS_CHILD | WS_VISIBLE, r.x, r.y, r.ancho, r.alto, hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                       Instancia(), this);
        hijos_.push_back({p.nombre, panel, nullptr, &p});
        // The tab key follows the order in which the controls were made.
        std::vector<const principal::Control*> propios;
        for (const principal::Control& c : principal::Controles())
            if (std::string_view(c.panel) == p.nombre) propios.push_back(&c);
        std::stable_sort(propios.begin(), propios.end(), [](const auto* a, const auto* b) {
            auto orden = [](const principal::Control* c) {
                return c->tabulacion != 0 ? c->tabulacion : INT_MAX;
            };
            return orden(a) < orden(b);
        });
        for (const principal::Control* c : propios)
            if (HWND h = CrearControl(*c, panel, id++))
                hijos_.push_back({c->nombre, h, c, nullptr});
    }

    HWND unidades = Control("ListaUnidades");
    unidades_ = UnidadesLetra();
    for (const Unidad& u : unidades_) {
        actuales_.push_back(u.raiz);
        iconosUnidad_.push_back(IconoUnidad(Ancho(std::string{u.nombre, 0, 2} + "\\")));
        ::SendMessageW(unidades, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(Ancho(u.nombre).c_str()));
    }
    MostrarPaneles(true, true);
}

HWND TExportarDatos::CrearControl(const principal::Control& c, HWND panel, int id) {
    const std::wstring texto = Ancho(TextoInicial(c));
    DWORD estilo = WS_CHILD | (c.soloEnComando ? 0 : WS_VISIBLE) | (c.tabulacion ? WS_TABSTOP : 0);
    DWORD extendido = 0;
    const wchar_t* clase = nullptr;
    int ancho = c.sitio.ancho, alto = c.sitio.alto;
    HFONT fuente = (c.estilo & controles::kNegrita) ? negrita_.get() : fuente_.get();
    switch (c.tipo) {
        case Tipo::Etiqueta:
            clase = L"STATIC";
            estilo |=
                SS_NOPREFIX | ((c.estilo & controles::kAjustar) ? SS_LEFT : SS_LEFTNOWORDWRAP);
            if (ancho == 0) {
                const SIZE medida = MedirTexto(fuente, texto);
                ancho = medida.cx;
                alto = medida.cy;
            }
            break;
        case Tipo::Edicion:
            clase = L"EDIT";
            extendido = WS_EX_CLIENTEDGE;
            estilo |= ES_AUTOHSCROLL;
            break;
        case Tipo::ListaCarpetas:
            clase = L"LISTBOX";
            extendido = WS_EX_CLIENTEDGE;
            estilo |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                      WS_VSCROLL;
            break;
        case Tipo::ListaUnidades:
            clase = L"COMBOBOX";
            estilo |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;
            alto += 200;  // the drop-down part
            break;
        case Tipo::Combo:
            clase = L"COMBOBOX";
            estilo |= CBS_DROPDOWNLIST | WS_VSCROLL;
            alto += 200;
            break;
        case Tipo::ComboEditable:
            clase = L"COMBOBOX";
            estilo |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
            alto += 200;
            fuente = fuenteIdioma_.get();
            break;
        case Tipo::Boton:
            clase = L"BUTTON";
            estilo |= c.porDefecto ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            break;
        case Tipo::Progreso:
            clase = PROGRESS_CLASSW;
            break;
        default:
            return nullptr;
    }
    HWND h = ::CreateWindowExW(extendido, clase, texto.c_str(), estilo, c.sitio.x, c.sitio.y, ancho,
                               alto, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               Instancia(), nullptr);
    if (!h) return nullptr;
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(fuente), FALSE);
    switch (c.tipo) {
        case Tipo::ComboEditable:
            for (const char* idioma : principal::kIdiomas)
                ::SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Ancho(idioma).c_str()));
            ::SetWindowTextW(h, texto.c_str());
            AjustarAltoCombo(h, c.sitio.alto);
            break;
        case Tipo::Combo:
            AjustarAltoCombo(h, c.sitio.alto);
            break;
        case Tipo::ListaUnidades:
            // An owner-drawn field is as high as its owner says, whenever it asks.
            for (int ronda = 0; ronda < 4; ++ronda) {
                RECT r;
                ::GetWindowRect(h, &r);
                const int diferencia = c.sitio.alto - (r.bottom - r.top);
                if (diferencia == 0) break;
                campoUnidades_ += diferencia;
                ::SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), campoUnidades_);
            }
            break;
        case Tipo::Boton:
            if (c.icono != principal::Icono::Ninguno)
                ::SendMessageW(
                    h, BM_SETIMAGE, IMAGE_ICON,
                    reinterpret_cast<LPARAM>(c.icono == principal::Icono::Visto ? visto_.get()
                                                                                : cerrar_.get()));
            break;
        default:
            break;
    }
    return h;
}

const TExportarDatos::Hijo* TExportarDatos::Buscar(HWND hwnd) const {
    for (const Hijo& h : hijos_)
        if (h.hwnd == hwnd) return &h;
    return nullptr;
}

const TExportarDatos::Hijo* TExportarDatos::Buscar(std::string_view nombre) const {
    for (const Hijo& h : hijos_)
        if (h.nombre == nombre) return &h;
    return nullptr;
}

HWND TExportarDatos::Control(std::string_view nombre) const {
    const Hijo* h = Buscar(nombre);
    return h ? h->hwnd : nullptr;
}

std::string TExportarDatos::NombreDe(HWND control) const {
    const Hijo* h = Buscar(control);
    return h ? h->nombre : std::string();
}

int TExportarDatos::ContextoAyudaEfectivo(HWND control) const {
    for (HWND v = control; v; v = ::GetParent(v)) {
        if (v == hwnd_) return principal::kContextoVentana;
        if (const Hijo* h = Buscar(v)) {
            const int propio = h->control ? h->control->contextoAyuda : h->panel->contextoAyuda;
            if (propio != 0) return propio;
        }
    }
    return 0;
}

void TExportarDatos::Mostrar() {
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
    if (!foco_) foco_ = Control("EdNuevoDir");
    ::SetFocus(foco_);
}

int TExportarDatos::Bucle() {
    MSG m;
    while (hwnd_ && ::GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (PreTraducir(m)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
    return 0;
}

bool TExportarDatos::PreTraducir(MSG& m) {
    if (!hwnd_ || !(m.hwnd == hwnd_ || ::IsChild(hwnd_, m.hwnd))) return false;
    if (m.message == WM_KEYDOWN) {
        switch (m.wParam) {
            case VK_F1:
                AyudaF1();
                return true;
            case VK_ESCAPE:
                // Escape closes nothing; an open drop-down list closes.
                for (HWND v = m.hwnd; v && v != hwnd_; v = ::GetParent(v))
                    if (const Hijo* h = Buscar(v); h && h->control)
                        if (::SendMessageW(v, CB_GETDROPPEDSTATE, 0, 0)) return false;
                return true;
            case VK_RETURN:
                if (Intro(m.hwnd)) return true;
                break;
            default:
                break;
        }
    }
    return ::IsDialogMessageW(hwnd_, &m) != FALSE;
}

HWND TExportarDatos::BotonPorDefecto() const {
    return Control(::brisolt::BotonPorDefecto(panelExportar_, panelImportar_) ==
                           BotonIntro::Importar
                       ? "BImportar"
                       : "BExportar");
}

bool TExportarDatos::Intro(HWND foco) {
    const Hijo* h = nullptr;
    for (HWND v = foco; v && v != hwnd_ && !h; v = ::GetParent(v)) h = Buscar(v);
    if (h && h->control) {
        switch (h->control->tipo) {
            case Tipo::Combo:
            case Tipo::ComboEditable:
            case Tipo::ListaUnidades:
                // Enter picks the row of an open list.
                if (::SendMessageW(h->hwnd, CB_GETDROPPEDSTATE, 0, 0)) return false;
                break;
            case Tipo::Edicion:
                return true;  // nothing reads the folder field
            case Tipo::ListaCarpetas:
                AbrirCarpetaElegida();
                return true;
            case Tipo::Boton:
                Pulsar(h->hwnd);
                return true;
            default:
                break;
        }
    }
    Pulsar(BotonPorDefecto());
    return true;
}

LRESULT TExportarDatos::Mensaje(UINT mensaje, WPARAM w, LPARAM l) {
    LRESULT resultado = 0;
    if (MensajeDeControl(mensaje, w, l, &resultado)) return resultado;
    switch (mensaje) {
        case WM_SETCURSOR:
            if (espera_) {
                ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
                return TRUE;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(w) == WA_INACTIVE) {
                if (HWND f = ::GetFocus(); f && ::IsChild(hwnd_, f)) foco_ = f;
            } else {
                if (!foco_ || !::IsWindow(foco_)) foco_ = Control("EdNuevoDir");
                ::SetFocus(foco_);
            }
            return 0;
        case WM_CLOSE:
            if (ocupado_ && !cierreDelComando_) return 0;
            if (!Proteger([&] { FormClose(estado_, rutaEjecutable_); })) return 0;
            ::DestroyWindow(hwnd_);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, mensaje, w, l);
}

bool TExportarDatos::MensajeDeControl(UINT mensaje, WPARAM w, LPARAM l, LRESULT* resultado) {
    switch (mensaje) {
        case WM_COMMAND:
            if (const Hijo* h = Buscar(reinterpret_cast<HWND>(l)); h && h->control) {
                Comando(*h, HIWORD(w));
                *resultado = 0;
                return true;
            }
            return false;
        case WM_CTLCOLORSTATIC:
            if (const Hijo* h = Buscar(reinterpret_cast<HWND>(l));
                h && h->control && h->control->tipo == Tipo::Etiqueta) {
                // Labels are drawn straight on the panel's gradient.
                HDC dc = reinterpret_cast<HDC>(w);
                ::SetBkMode(dc, TRANSPARENT);
                ::SetTextColor(dc, h->control->color.definido ? Referencia(h->control->color)
                                                              : ::GetSysColor(COLOR_WINDOWTEXT));
                *resultado = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
                return true;
            }
            return false;
        case WM_MEASUREITEM: {
            auto* medida = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            // The drive list's selection field, or a row of either list.
            medida->itemHeight = medida->CtlType == ODT_COMBOBOX && medida->itemID == UINT(-1)
                                     ? static_cast<UINT>(campoUnidades_)
                                     : kAltoFila;
            *resultado = TRUE;
            return true;
        }
        case WM_DRAWITEM:
            if (const Hijo* h = Buscar(reinterpret_cast<DRAWITEMSTRUCT*>(l)->hwndItem);
                h && h->control) {
                DibujarFila(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
                *resultado = TRUE;
                return true;
            }
            return false;
        default:
            return false;
    }
}

void TExportarDatos::Comando(const Hijo& hijo, int notificacion) {
    const std::string_view nombre = hijo.nombre;
    switch (hijo.control->tipo) {
        case Tipo::Boton:
            if (notificacion != BN_CLICKED) return;
            if (nombre == "BClose")
                ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
            else if (nombre == "Button1")
                Button1Click();
            else if (nombre == "BExportar")
                BExportarClick();
            else if (nombre == "BImportar")
                BImportarClick();
            return;
        case Tipo::ListaCarpetas:
            if (notificacion == LBN_DBLCLK) AbrirCarpetaElegida();
            return;
        case Tipo::ListaUnidades:
            // Arrows in the closed list move at once; in the open list, the
            // row picked when it closes.
            if ((notificacion == CBN_SELCHANGE &&
                 !::SendMessageW(hijo.hwnd, CB_GETDROPPEDSTATE, 0, 0)) ||
                notificacion == CBN_CLOSEUP)
                UnidadElegida();
            return;
        default:
            return;
    }
}

void TExportarDatos::DibujarFila(const DRAWITEMSTRUCT& d) {
    const Hijo* h = Buscar(d.hwndItem);
    const bool elegida = d.itemState & ODS_SELECTED;
    RECT fila = d.rcItem;
    ::FillRect(d.hDC, &fila, ::GetSysColorBrush(elegida ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    HICON icono = nullptr;
    std::string texto;
    int sangria = 0;
    const auto i = static_cast<std::size_t>(d.itemID);
    if (h->control->tipo == Tipo::ListaCarpetas && d.itemID != UINT(-1) && i < carpetas_.size()) {
        const EntradaCarpeta& e = carpetas_[i];
        icono = e.abierta ? carpetaAbierta_.get() : carpetaCerrada_.get();
        texto = e.nombre;
        sangria = e.nivel * 8;
    } else if (h->control->tipo == Tipo::ListaUnidades && d.itemID != UINT(-1) &&
               i < unidades_.size()) {
        icono = iconosUnidad_[i].get();
        texto = unidades_[i].nombre;
    }
    if (!texto.empty()) {
        const int x = fila.left + 2 + sangria;
        if (icono)
            ::DrawIconEx(d.hDC, x, fila.top + (fila.bottom - fila.top - kLadoIcono) / 2, icono,
                         kLadoIcono, kLadoIcono, 0, nullptr, DI_NORMAL);
        RECT caja = fila;
        caja.left = x + kLadoIcono + 3;
        HGDIOBJ anterior = ::SelectObject(d.hDC, negrita_.get());
        ::SetBkMode(d.hDC, TRANSPARENT);
        ::SetTextColor(d.hDC, ::GetSysColor(elegida ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const std::wstring ancho = Ancho(texto);
        ::DrawTextW(d.hDC, ancho.c_str(), -1, &caja,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        ::SelectObject(d.hDC, anterior);
    }
    if ((d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT))
        ::DrawFocusRect(d.hDC, &fila);
}

// ---- Folders

void TExportarDatos::CambiarCarpeta(const std::string& carpeta) {
    // On failure the lists go back to the folder that stands.
    if (!Proteger([&] { FijarCarpetaLista(estado_, *this, carpeta); }))
        MostrarCarpetaLista(estado_.carpetaGC);
    SeguirCarpetaUnidades(estado_.carpetaGC);
}

void TExportarDatos::AbrirCarpetaElegida() {
    const auto fila = ::SendMessageW(Control("ListaDirectorios"), LB_GETCURSEL, 0, 0);
    if (fila < 0 || static_cast<std::size_t>(fila) >= carpetas_.size()) return;
    const std::string ruta = carpetas_[static_cast<std::size_t>(fila)].ruta;
    CambiarCarpeta(ruta);
}

void TExportarDatos::UnidadElegida() {
    const auto fila = ::SendMessageW(Control("ListaUnidades"), CB_GETCURSEL, 0, 0);
    if (fila < 0 || static_cast<std::size_t>(fila) >= actuales_.size()) return;
    if (fila == UnidadLetraDe(unidades_, estado_.carpetaGC)) return;
    const std::string carpeta = actuales_[static_cast<std::size_t>(fila)];
    CambiarCarpeta(carpeta);
}

void TExportarDatos::SeguirCarpetaUnidades(const std::string& carpeta) {
    const int i = UnidadLetraDe(unidades_, carpeta);
    if (i < 0) return;
    actuales_[static_cast<std::size_t>(i)] = carpeta;
    ::SendMessageW(Control("ListaUnidades"), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

// ---- Handlers

template <class F>
bool TExportarDatos::Proteger(F&& manejador) {
    try {
        manejador();
        return true;
    } catch (const std::exception& e) {
        CajaError(hwnd_, e.what());
        return false;
    }
}

void TExportarDatos::LeerEleccionesUsuario() {
    estado_.CBCentro = TextoDe(Control("CBCentro"));
    estado_.ComboBoxValCast = TextoDe(Control("ComboBoxValCast"));
}

void TExportarDatos::Ejecutar(void (*comando)(Estado&, Interfaz&)) {
    if (ocupado_) return;
    LeerEleccionesUsuario();
    ocupado_ = true;
    // A failed step stays on show while its error box is open.
    Proteger([&] { comando(estado_, *this); });
    OcultarProgreso();
    ocupado_ = false;
}

void TExportarDatos::BExportarClick() {
    Ejecutar(&::brisolt::BExportarClick);
}

void TExportarDatos::BImportarClick() {
    Ejecutar(&::brisolt::BImportarClick);
}

void TExportarDatos::Button1Click() {
    AyudaContenido(reinterpret_cast<VentanaId>(hwnd_), principal::kArchivoAyuda);
}

void TExportarDatos::AyudaF1() {
    HWND foco = ::GetFocus();
    if (!foco || !(foco == hwnd_ || ::IsChild(hwnd_, foco))) foco = hwnd_;
    AyudaContexto(reinterpret_cast<VentanaId>(hwnd_), ContextoAyudaEfectivo(foco));
}

// ---- Interfaz

void TExportarDatos::Informar(const std::string& texto) {
    CajaInformacion(hwnd_, texto);
}

void TExportarDatos::CursorEspera() {
    espera_ = true;
    ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
}

void TExportarDatos::CursorNormal() {
    espera_ = false;
    ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

void TExportarDatos::Paso(const std::string& texto, int numero, int pasos) {
    MostrarProgreso(texto, numero, pasos);
}

void TExportarDatos::Avance(const std::string& texto, int hecho, int total) {
    MostrarProgreso(texto, hecho, total);
}

void TExportarDatos::MostrarProgreso(const std::string& texto, int actual, int total) {
    HWND label = Control("LabelPaso");
    HWND barra = Control("BarraPaso");
    if (!label || !barra) return;
    ::SetWindowTextW(label, Ancho(texto).c_str());
    const int maximo = std::max(total, 1);
    ::SendMessageW(barra, PBM_SETRANGE32, 0, maximo);
    ::SendMessageW(barra, PBM_SETPOS, static_cast<WPARAM>(std::clamp(actual, 0, maximo)), 0);
    ::ShowWindow(label, SW_SHOWNA);
    ::ShowWindow(barra, SW_SHOWNA);
    // The label has no background of its own: the panel under it repaints first.
    RECT r;
    ::GetWindowRect(label, &r);
    HWND panel = ::GetParent(label);
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    ::RedrawWindow(panel, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Repintar();
}

void TExportarDatos::Repintar() {
    // The command runs on this thread: the window repaints, but clicks and
    // keys wait for its end.
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG m;
    for (int i = 0; i < 100 && ::PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageW(&m);
}

void TExportarDatos::OcultarProgreso() {
    HWND label = Control("LabelPaso");
    HWND barra = Control("BarraPaso");
    if (!label || !barra) return;
    ::ShowWindow(label, SW_HIDE);
    ::SetWindowTextW(label, L"");
    ::ShowWindow(barra, SW_HIDE);
    ::SendMessageW(barra, PBM_SETPOS, 0, 0);
}

void TExportarDatos::ControlProfesores(Tabla& wwTableProft) {
    CursorNormal();
    MostrarControlProfesores(hwnd_, wwTableProft);
}

void TExportarDatos::ControlPlantilla(Tabla& wwTablePlantilla) {
    CursorNormal();
    MostrarControlPlantilla(hwnd_, wwTablePlantilla);
}

void TExportarDatos::DesactivarBotones() {
    ::EnableWindow(Control("BExportar"), FALSE);
    ::EnableWindow(Control("BImportar"), FALSE);
}

void TExportarDatos::CerrarVentana() {
    cierreDelComando_ = true;
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    cierreDelComando_ = false;
}

// ---- VentanaArranque

void TExportarDatos::Incrustar(uint32_t anfitriona) {
    // A window handle is a 32-bit value, sign-extended where handles are wider.
    HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int32_t>(anfitriona)));
    const bool hija = anfitriona != 0 && ::IsWindow(host);
    auto estilo = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
    estilo &= ~DWORD(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_POPUP | WS_CHILD);
    estilo |= hija ? WS_CHILD : WS_POPUP;
    auto extendido = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    extendido &= ~DWORD(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
    ::SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(estilo));
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(extendido));
    if (hija) ::SetParent(hwnd_, host);
    ::SetWindowPos(hwnd_, nullptr, 2, 2, principal::kAncho, principal::kAlto,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TExportarDatos::MostrarPaneles(bool exportar, bool importar) {
    panelExportar_ = exportar;
    panelImportar_ = importar;
    for (const auto& [nombre, visible] : {std::pair{"Draw3D2", exportar}, {"Draw3D3", importar}}) {
        HWND panel = Control(nombre);
        const controles::Rect r = principal::GeometriaPanel(nombre, exportar, importar);
        ::MoveWindow(panel, r.x, r.y, r.ancho, r.alto, TRUE);
        ::ShowWindow(panel, visible ? SW_SHOWNA : SW_HIDE);
    }
    // Both are default buttons; the one Enter presses shows it.
    const bool importarPorDefecto =
        ::brisolt::BotonPorDefecto(exportar, importar) == BotonIntro::Importar;
    ::SendMessageW(Control("BExportar"), BM_SETSTYLE,
                   importarPorDefecto ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
    ::SendMessageW(Control("BImportar"), BM_SETSTYLE,
                   importarPorDefecto ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TExportarDatos::MostrarCarpetaLista(const std::string& carpeta) {
    HWND lista = Control("ListaDirectorios");
    carpetas_ = EntradasCarpeta(carpeta);
    ::SendMessageW(lista, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(lista, LB_RESETCONTENT, 0, 0);
    int actual = -1;
    for (std::size_t i = 0; i < carpetas_.size(); ++i) {
        ::SendMessageW(lista, LB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(Ancho(carpetas_[i].nombre).c_str()));
        if (carpetas_[i].abierta) actual = static_cast<int>(i);
    }
    ::SendMessageW(lista, LB_SETCURSEL, static_cast<WPARAM>(actual), 0);
    ::SendMessageW(lista, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(lista, nullptr, TRUE);
    SeguirCarpetaUnidades(carpeta);
}

void TExportarDatos::MostrarEdNuevoDir(const std::string& texto) {
    // In the spelling the person knows from the two Windows programs.
    ::SetWindowTextW(Control("EdNuevoDir"), Ancho(RutaVisible(texto)).c_str());
}

void TExportarDatos::AgregarCentro(const std::string& codigo) {
    ::SendMessageW(Control("CBCentro"), CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(Ancho(codigo).c_str()));
}

void TExportarDatos::SeleccionarCentro(int indice) {
    ::SendMessageW(Control("CBCentro"), CB_SETCURSEL, static_cast<WPARAM>(indice), 0);
}

}  // namespace brisolt::win32
