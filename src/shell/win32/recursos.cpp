#include "shell/win32/recursos.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <vector>

namespace brisolt::win32 {
namespace {

struct Punto {
    double x, y;
};
struct Trazo {
    Punto a, b;
};

double Distancia(Punto p, const Trazo& t) {
    const double dx = t.b.x - t.a.x, dy = t.b.y - t.a.y;
    const double largo = dx * dx + dy * dy;
    double u = largo > 0 ? ((p.x - t.a.x) * dx + (p.y - t.a.y) * dy) / largo : 0;
    u = std::clamp(u, 0.0, 1.0);
    const double ex = t.a.x + u * dx - p.x, ey = t.a.y + u * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

// Strokes of the given width, antialiased, on a transparent 16 by 16 icon.
Icono Dibujar(const std::vector<Trazo>& trazos, double grosor, COLORREF color) {
    constexpr int kLado = 16;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kLado;
    info.bmiHeader.biHeight = -kLado;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colores = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colores) return nullptr;
    auto* pixeles = static_cast<uint32_t*>(bits);
    for (int y = 0; y < kLado; ++y)
        for (int x = 0; x < kLado; ++x) {
            double d = 1e9;
            for (const Trazo& t : trazos) d = std::min(d, Distancia({x + 0.5, y + 0.5}, t));
            const double cobertura = std::clamp(grosor / 2 + 0.5 - d, 0.0, 1.0);
            const auto alfa = static_cast<uint32_t>(std::lround(cobertura * 255));
            pixeles[y * kLado + x] = (alfa << 24) | (uint32_t{GetRValue(color)} << 16) |
                                     (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
        }
    // With an alpha channel the mask only matters to old drawing code.
    const std::vector<uint8_t> ceros(kLado * kLado / 8, 0);
    HBITMAP mascara = ::CreateBitmap(kLado, kLado, 1, 1, ceros.data());
    ICONINFO icono{};
    icono.fIcon = TRUE;
    icono.hbmColor = colores;
    icono.hbmMask = mascara;
    HICON h = ::CreateIconIndirect(&icono);
    ::DeleteObject(colores);
    ::DeleteObject(mascara);
    return Icono(h);
}

}  // namespace

Icono IconoVisto() {
    return Dibujar({{{2.5, 8.5}, {6.0, 12.0}}, {{6.0, 12.0}, {13.5, 3.5}}}, 2.4, RGB(0, 140, 0));
}

Icono IconoCerrar() {
    return Dibujar({{{4, 4}, {12, 12}}, {{12, 4}, {4, 12}}}, 2.2, RGB(190, 0, 0));
}

Icono IconoCarpeta(bool abierta) {
    SHFILEINFOW info{};
    const UINT pedido =
        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | (abierta ? SHGFI_OPENICON : 0u);
    if (!::SHGetFileInfoW(L"carpeta", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info, pedido))
        return nullptr;
    return Icono(info.hIcon);
}

Icono IconoUnidad(const std::wstring& raiz) {
    SHSTOCKICONID id = SIID_DRIVEFIXED;
    switch (::GetDriveTypeW(raiz.c_str())) {
        case DRIVE_REMOVABLE:
            id = SIID_DRIVEREMOVE;
            break;
        case DRIVE_CDROM:
            id = SIID_DRIVECD;
            break;
        case DRIVE_REMOTE:
            id = SIID_DRIVENET;
            break;
        case DRIVE_RAMDISK:
            id = SIID_DRIVERAM;
            break;
        default:
            break;
    }
    SHSTOCKICONINFO info{};
    info.cbSize = sizeof info;
    if (SUCCEEDED(::SHGetStockIconInfo(id, SHGSI_ICON | SHGSI_SMALLICON, &info)) && info.hIcon)
        return Icono(info.hIcon);
    // Where the shell has no stock icons, the drive's own.
    SHFILEINFOW archivo{};
    if (!::SHGetFileInfoW(raiz.c_str(), 0, &archivo, sizeof archivo, SHGFI_ICON | SHGFI_SMALLICON))
        return nullptr;
    return Icono(archivo.hIcon);
}

}  // namespace brisolt::win32
