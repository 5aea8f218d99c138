#pragma once
// The program's texts are UTF-8; the window's calls take UTF-16.

#include <windows.h>

#include <string>

namespace brisolt::win32 {

inline std::wstring Ancho(const std::string& s) {
    if (s.empty()) return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

inline std::string Estrecho(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                        0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                          nullptr);
    return s;
}

// A window's text (a control's caption, an edit's contents) in UTF-8.
inline std::string TextoDe(HWND ventana) {
    const int n = ::GetWindowTextLengthW(ventana);
    if (n <= 0) return {};
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    const int m = ::GetWindowTextW(ventana, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(m > 0 ? m : 0));
    return Estrecho(w);
}

}  // namespace brisolt::win32
