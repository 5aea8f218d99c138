#include "shell/win32/dialogos/gdi.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

namespace brisolt::win32 {
namespace {

constexpr wchar_t kPropiedadNombre[] = L"BrisoltNombre";

int CALLBACK Hallada(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM l) {
    *reinterpret_cast<bool*>(l) = true;
    return 0;
}

bool HayCara(const wchar_t* cara) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, cara, LF_FACESIZE - 1);
    bool hallada = false;
    HDC dc = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(dc, &lf, Hallada, reinterpret_cast<LPARAM>(&hallada), 0);
    ::ReleaseDC(nullptr, dc);
    return hallada;
}

// The layouts are given in pixels, and at 11 pixels their labels read whole
// in a narrow face: the one the Qt window uses, which schools running the
// programs under Wine on Linux have; else MS Sans Serif, which every Windows has.
const wchar_t* Cara() {
    static const wchar_t* const cara =
        HayCara(L"DejaVu Sans Condensed") ? L"DejaVu Sans Condensed" : L"MS Sans Serif";
    return cara;
}

struct Busqueda {
    const char* nombre;
    HWND hallado;
};

BOOL CALLBACK Comparar(HWND w, LPARAM l) {
    auto* b = reinterpret_cast<Busqueda*>(l);
    const char* n = Nombre(w);
    if (n && std::strcmp(n, b->nombre) == 0) {
        b->hallado = w;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Fuente CrearFuente(int pixeles, bool negrita, bool subrayada) {
    return Fuente(::CreateFontW(-pixeles, 0, 0, 0, negrita ? FW_BOLD : FW_NORMAL, FALSE,
                                subrayada ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, Cara()));
}

COLORREF Referencia(controles::Color c) {
    return RGB(c.r, c.g, c.b);
}

Pintura::Pintura(HWND ventana) : ventana_(ventana) {
    HDC pantalla = ::BeginPaint(ventana, &ps_);
    ::GetClientRect(ventana, &cliente_);
    memoria_ = ::CreateCompatibleDC(pantalla);
    mapa_ = ::CreateCompatibleBitmap(pantalla, std::max<LONG>(cliente_.right, 1),
                                     std::max<LONG>(cliente_.bottom, 1));
    antes_ = ::SelectObject(memoria_, mapa_);
}

Pintura::~Pintura() {
    ::BitBlt(ps_.hdc, 0, 0, cliente_.right, cliente_.bottom, memoria_, 0, 0, SRCCOPY);
    ::SelectObject(memoria_, antes_);
    ::DeleteObject(mapa_);
    ::DeleteDC(memoria_);
    ::EndPaint(ventana_, &ps_);
}

void Degradado(HDC dc, const RECT& r,
               std::initializer_list<std::pair<int, controles::Color>> paradas,
               controles::Color abajo) {
    std::vector<std::pair<int, controles::Color>> puntos(paradas);
    puntos.emplace_back(r.bottom - r.top, abajo);
    auto vertice = [](LONG x, LONG y, controles::Color c) {
        TRIVERTEX v{};
        v.x = x;
        v.y = y;
        v.Red = static_cast<COLOR16>(c.r << 8);
        v.Green = static_cast<COLOR16>(c.g << 8);
        v.Blue = static_cast<COLOR16>(c.b << 8);
        return v;
    };
    // One stretch from each stop to the next, from the left edge at the one
    // to the right edge at the other.
    std::vector<TRIVERTEX> vertices;
    std::vector<GRADIENT_RECT> tramos;
    for (std::size_t i = 0; i + 1 < puntos.size(); ++i) {
        const LONG y0 = r.top + puntos[i].first, y1 = r.top + puntos[i + 1].first;
        if (y1 <= y0) continue;
        const auto n = static_cast<ULONG>(vertices.size());
        vertices.push_back(vertice(r.left, y0, puntos[i].second));
        vertices.push_back(vertice(r.right, y1, puntos[i + 1].second));
        tramos.push_back({n, n + 1});
    }
    if (!tramos.empty())
        ::GradientFill(dc, vertices.data(), static_cast<ULONG>(vertices.size()), tramos.data(),
                       static_cast<ULONG>(tramos.size()), GRADIENT_FILL_RECT_V);
}

std::wstring TextoVentana(HWND ventana) {
    std::wstring texto(static_cast<std::size_t>(::GetWindowTextLengthW(ventana)) + 1, L'\0');
    texto.resize(static_cast<std::size_t>(
        ::GetWindowTextW(ventana, texto.data(), static_cast<int>(texto.size()))));
    return texto;
}

void RegistrarClase(const wchar_t* clase, WNDPROC proc, UINT estilo, HBRUSH fondo) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE instancia = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instancia, clase, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = estilo;
    wc.lpfnWndProc = proc;
    wc.hInstance = instancia;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = fondo;
    wc.lpszClassName = clase;
    ::RegisterClassExW(&wc);
}

void FijarNombre(HWND control, const char* nombre) {
    // The names are the layout's static texts, which outlive every window.
    ::SetPropW(control, kPropiedadNombre, const_cast<char*>(nombre));
}

const char* Nombre(HWND control) {
    return static_cast<const char*>(::GetPropW(control, kPropiedadNombre));
}

HWND BuscarControl(HWND raiz, const char* nombre) {
    Busqueda b{nombre, nullptr};
    ::EnumChildWindows(raiz, Comparar, reinterpret_cast<LPARAM>(&b));
    return b.hallado;
}

}  // namespace brisolt::win32
