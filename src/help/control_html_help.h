#pragma once
// The HTML Help control of Windows as the compiled-help viewer's backend:
// "HHCtrl.ocx", loaded at run time through the system layer, and its entry
// point "HtmlHelpA". The library stays loaded as long as the entry point is
// held.

#include <cstdint>
#include <string>

#include "help/quen_html_help.h"
#include "sistema/sistema.h"

namespace brisolt {

// HtmlHelpA's own signature: HWND HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR).
// A window handle and DWORD_PTR are both pointer-sized integers here.
using FuncionHtmlHelpA = VentanaId(BRISOLT_WINAPI*)(VentanaId llamante, const char* archivo,
                                                    unsigned comando, std::uintptr_t datos);

inline constexpr const char* kBibliotecaHtmlHelp = "HHCtrl.ocx";
inline constexpr const char* kFuncionHtmlHelp = "HtmlHelpA";

// Both empty when the library or the function is missing, so that every
// request then does nothing. The names are parameters for tests only.
ControlHtmlHelp CargarControlHtmlHelp(const std::string& biblioteca = kBibliotecaHtmlHelp,
                                      const std::string& funcion = kFuncionHtmlHelp);

}  // namespace brisolt
