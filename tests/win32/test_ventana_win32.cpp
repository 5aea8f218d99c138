// The Win32 main window, created in the test process and driven with
// messages: its controls against the shared description, the call modes, the
// lists, the keys, help, and the two commands through their buttons.

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "apoyo.h"
#include "archivos_prueba.h"
#include "generador.h"
#include "help/control_html_help.h"
#include "help/grabadora.h"
#include "help/sistema.h"
#include "shell/ventana_principal.h"
#include "shell/win32/dialogos/gdi.h"
#include "shell/win32/texto.h"
#include "sistema/fallos.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt::prueba {
namespace {

namespace fs = std::filesystem;
using controles::Tipo;
using win32::TExportarDatos;

const char* const kAvisoExportar =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en nuestra Gestión de Centros.";
const char* const kAvisoImportar =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en nuestro Horario.";

RECT EnPadre(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Clase(HWND h) {
    wchar_t clase[64] = {};
    ::GetClassNameW(h, clase, 64);
    std::string c = win32::Estrecho(clase);
    std::transform(c.begin(), c.end(), c.begin(), [](unsigned char x) { return std::tolower(x); });
    return c;
}

bool Negrita(HWND h) {
    LOGFONTW fuente{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)), sizeof fuente,
                 &fuente);
    return fuente.lfWeight >= FW_BOLD;
}

LONG_PTR Estilo(HWND h) {
    return ::GetWindowLongPtrW(h, GWL_STYLE);
}

// The text colour a label is drawn in, as its panel answers the label's question.
COLORREF ColorTexto(HWND label) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(label));
    const COLORREF color = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return color;
}

std::string Fila(HWND combo, int i) {
    const auto n = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<std::size_t>(n));
    return win32::Estrecho(w);
}

// A command's notification as the control sends it to its panel.
void Notificar(HWND control, int notificacion) {
    ::SendMessageW(::GetParent(control), WM_COMMAND,
                   MAKEWPARAM(::GetDlgCtrlID(control), notificacion),
                   reinterpret_cast<LPARAM>(control));
}

int FilaDe(const TExportarDatos& v, const std::string& ruta) {
    for (std::size_t i = 0; i < v.Carpetas().size(); ++i)
        if (v.Carpetas()[i].ruta == ruta) return static_cast<int>(i);
    ADD_FAILURE() << "no row " << ruta;
    return -1;
}

int64_t Registros(const std::string& ruta) {
    Tabla t;
    t.SetTableName(ruta);
    t.Open();
    return t.RecordCount();
}

class VentanaWin32 : public ::testing::Test {
  protected:
    UnidadVentana unidad;
    Contestador contestador;
};

TEST_F(VentanaWin32, EveryControlIsBuiltFromTheSharedDescription) {
    TExportarDatos ventana({});
    ventana.Mostrar();
    HWND v = ventana.Handle();
    EXPECT_EQ(Texto(v), "Exportar e importar datos ");
    RECT cliente;
    ::GetClientRect(v, &cliente);
    EXPECT_EQ(cliente.right, 599);
    EXPECT_EQ(cliente.bottom, 267);
    EXPECT_TRUE(Estilo(v) & WS_CAPTION);
    EXPECT_FALSE(Estilo(v) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    for (const principal::Panel& p : principal::Paneles()) {
        HWND panel = ventana.Control(p.nombre);
        ASSERT_NE(panel, nullptr) << p.nombre;
        EXPECT_EQ(::GetParent(panel), v);
        const controles::Rect esperado = principal::GeometriaPanel(p.nombre, true, true);
        const RECT r = EnPadre(panel);
        EXPECT_EQ(r.left, esperado.x) << p.nombre;
        EXPECT_EQ(r.top, esperado.y) << p.nombre;
        EXPECT_EQ(r.right - r.left, esperado.ancho) << p.nombre;
        EXPECT_EQ(r.bottom - r.top, esperado.alto) << p.nombre;
    }

    auto clase = [](Tipo tipo) -> std::string {
        switch (tipo) {
            case Tipo::Etiqueta:
                return "static";
            case Tipo::Edicion:
                return "edit";
            case Tipo::ListaCarpetas:
                return "listbox";
            case Tipo::ListaUnidades:
            case Tipo::Combo:
            case Tipo::ComboEditable:
                return "combobox";
            case Tipo::Boton:
                return "button";
            case Tipo::Progreso:
                return "msctls_progress32";
            default:
                return "?";
        }
    };
    for (const principal::Control& c : principal::Controles()) {
        SCOPED_TRACE(c.nombre);
        HWND h = ventana.Control(c.nombre);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(ventana.NombreDe(h), c.nombre);
        EXPECT_EQ(::GetParent(h), ventana.Control(c.panel));
        EXPECT_EQ(Clase(h), clase(c.tipo));
        const RECT r = EnPadre(h);
        EXPECT_EQ(r.left, c.sitio.x);
        EXPECT_EQ(r.top, c.sitio.y);
        if (c.sitio.ancho > 0) {
            EXPECT_EQ(r.right - r.left, c.sitio.ancho);
            EXPECT_EQ(r.bottom - r.top, c.sitio.alto);
        } else {
            EXPECT_GT(r.right - r.left, 0);
        }
        if (c.texto) {
            EXPECT_EQ(Texto(h), c.texto);
        }
        EXPECT_EQ(Negrita(h), (c.estilo & controles::kNegrita) != 0);
        if (c.tipo == Tipo::Etiqueta) {
            const COLORREF color = ColorTexto(h);
            if (c.color.definido) {
                EXPECT_EQ(color, RGB(c.color.r, c.color.g, c.color.b));
            }
            EXPECT_EQ((Estilo(h) & SS_TYPEMASK) == SS_LEFT, (c.estilo & controles::kAjustar) != 0);
        }
        EXPECT_EQ(::IsWindowVisible(h) != FALSE, !c.soloEnComando);
        EXPECT_TRUE(::IsWindowEnabled(h));
        EXPECT_EQ((Estilo(h) & WS_TABSTOP) != 0, c.tabulacion != 0);
        if (c.icono != principal::Icono::Ninguno) {
            EXPECT_NE(::SendMessageW(h, BM_GETIMAGE, IMAGE_ICON, 0), 0);
        }
    }

    // What the description leaves to each front end, and the texts it gives.
    EXPECT_EQ(Texto(ventana.Control("Label7")), principal::TextoProducto());
    EXPECT_EQ(principal::TextoProducto().rfind("Brisolt ", 0), 0u);
    HWND idioma = ventana.Control("ComboBoxValCast");
    EXPECT_EQ(Estilo(idioma) & 3, CBS_DROPDOWN);
    EXPECT_EQ(Estilo(ventana.Control("CBCentro")) & 3, CBS_DROPDOWNLIST);
    ASSERT_EQ(::SendMessageW(idioma, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Fila(idioma, 0), "VALENCIÁ");
    EXPECT_EQ(Fila(idioma, 1), "CASTELLANO");
    EXPECT_EQ(Texto(idioma), "VALENCIÁ");
    EXPECT_EQ(Estilo(ventana.Control("BExportar")) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Estilo(ventana.Control("BImportar")) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(::GetFocus(), ventana.Control("EdNuevoDir"));
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(VentanaWin32, TabGoesThroughFolderExportAndImportPanelsInOrder) {
    TExportarDatos ventana({});
    ventana.Mostrar();
    std::vector<std::string> orden;
    HWND inicio = ventana.Control("EdNuevoDir");
    HWND h = inicio;
    do {
        orden.push_back(ventana.NombreDe(h));
        h = ::GetNextDlgTabItem(ventana.Handle(), h, FALSE);
    } while (h && h != inicio && orden.size() < 20);
    EXPECT_EQ(orden, (std::vector<std::string>{"EdNuevoDir", "ListaDirectorios", "ListaUnidades",
                                               "CBCentro", "BClose", "Button1", "BExportar",
                                               "ComboBoxValCast", "BImportar"}));
}

// A plain window standing in for the timetable generator's.
class Anfitriona {
  public:
    Anfitriona() {
        hwnd_ = ::CreateWindowExW(0, L"STATIC", L"anfitriona", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                  10, 700, 400, nullptr, nullptr, nullptr, nullptr);
    }
    ~Anfitriona() { ::DestroyWindow(hwnd_); }
    Anfitriona(const Anfitriona&) = delete;
    Anfitriona& operator=(const Anfitriona&) = delete;
    HWND Handle() const { return hwnd_; }
    std::string Hex() const {
        char texto[20];
        std::snprintf(texto, sizeof texto, "%08lX",
                      static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd_)));
        return texto;
    }

  private:
    HWND hwnd_ = nullptr;
};

TEST_F(VentanaWin32, TheCallModeDecidesTheFrameTheParentAndThePanels) {
    const Anfitriona anfitriona;
    ASSERT_NE(anfitriona.Handle(), nullptr);
    struct Modo {
        std::vector<std::string> parametros;
        bool incrustada, hija, exportar, importar;
    };
    const Modo kModos[] = {
        {{}, false, false, true, true},
        {{"exportar"}, false, false, true, true},
        {{"exportar", "0", "x"}, false, false, true, true},
        {{"exportar", "0"}, true, false, true, false},
        {{"IMPORTAR", anfitriona.Hex()}, true, true, false, true},
        {{"otra", anfitriona.Hex()}, true, true, true, true},
        // A handle that names no window: top-level, frameless.
        {{"importar", "7FFFFFF0"}, true, false, false, true},
    };
    for (const Modo& m : kModos) {
        SCOPED_TRACE(m.parametros.empty() ? "(none)" : m.parametros[0] + " " + m.parametros.back());
        TExportarDatos ventana(m.parametros);
        ventana.Mostrar();
        HWND v = ventana.Handle();
        EXPECT_EQ(ventana.EstadoVentana().ModoLlamada, m.incrustada ? 2 : 0);
        EXPECT_EQ((Estilo(v) & WS_CAPTION) == 0, m.incrustada);
        EXPECT_EQ((Estilo(v) & WS_CHILD) != 0, m.hija);
        EXPECT_EQ(::GetParent(v), m.hija ? anfitriona.Handle() : nullptr);
        if (m.incrustada) {
            // The client area at 2, 2 of the host's (or of the screen).
            POINT origen = {0, 0};
            ::ClientToScreen(v, &origen);
            if (m.hija) ::ScreenToClient(anfitriona.Handle(), &origen);
            EXPECT_EQ(origen.x, 2);
            EXPECT_EQ(origen.y, 2);
            RECT cliente;
            ::GetClientRect(v, &cliente);
            EXPECT_EQ(cliente.right, 599);
            EXPECT_EQ(cliente.bottom, 267);
        }
        HWND exportar = ventana.Control("Draw3D2");
        HWND importar = ventana.Control("Draw3D3");
        EXPECT_EQ(EnPadre(ventana.Control("Draw3D1")).top, 117);
        EXPECT_EQ(::IsWindowVisible(exportar) != FALSE, m.exportar);
        EXPECT_EQ(::IsWindowVisible(importar) != FALSE, m.importar);
        const RECT r = EnPadre(m.exportar ? exportar : importar);
        EXPECT_EQ(r.right - r.left, m.exportar && m.importar ? 299 : 599);
        EXPECT_EQ(r.bottom - r.top, 117);
    }
    EXPECT_TRUE(contestador.cajas.empty());
}

// Errors end in the error box: title, stop icon, one "Aceptar", the full stop.
TEST_F(VentanaWin32, AHandleThatIsNoNumberLeavesTheWindowStandAlone) {
    TExportarDatos ventana({"exportar", "0x1F"});
    ASSERT_EQ(contestador.cajas.size(), 1u);
    const Caja& caja = contestador.cajas[0];
    EXPECT_EQ(caja.titulo, "Brisolt");
    EXPECT_TRUE(caja.pare);
    EXPECT_EQ(caja.botones, std::vector<std::string>{"Aceptar"});
    EXPECT_EQ(caja.texto, "'$0x1F' no es un valor entero válido.");
    EXPECT_EQ(ventana.EstadoVentana().ModoLlamada, 0);
    EXPECT_TRUE(Estilo(ventana.Handle()) & WS_CAPTION);
    EXPECT_EQ(Texto(ventana.Control("EdNuevoDir")), "");
    EXPECT_EQ(::SendMessageW(ventana.Control("CBCentro"), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(VentanaWin32, TheFolderListMovesTheSchoolFolderAndReportsWhatCannotBeEntered) {
    fs::create_directories(fs::u8path(unidad / "GC/otra"));
    fs::create_directories(fs::u8path(unidad / "GC/perdida"));
    TExportarDatos ventana({});
    ventana.Mostrar();
    const std::string gc = RutaNativa("C:\\GC");
    EXPECT_EQ(Texto(ventana.Control("EdNuevoDir")), "C:\\GC");
    EXPECT_GT(::SendMessageW(ventana.Control("CBCentro"), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(ventana.Control("CBCentro"), CB_GETCURSEL, 0, 0), 0);

    // The drive first, spelt as the Windows programs spell it, then the
    // folder, then its subfolders, each row a row of the list.
    HWND lista = ventana.Control("ListaDirectorios");
    const auto& filas = ventana.Carpetas();
    ASSERT_GE(filas.size(), 4u);
    EXPECT_EQ(filas[0].nombre, "C:\\");
    EXPECT_EQ(filas[1].nombre, "GC");
    EXPECT_EQ(filas[1].ruta, gc);
    EXPECT_EQ(filas[2].nombre, "otra");
    EXPECT_EQ(::SendMessageW(lista, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(filas.size()));
    EXPECT_EQ(::SendMessageW(lista, LB_GETCURSEL, 0, 0), 1);

    // A double click opens a folder and makes it the working folder.
    ::SendMessageW(lista, LB_SETCURSEL, static_cast<WPARAM>(FilaDe(ventana, gc + "/otra")), 0);
    Notificar(lista, LBN_DBLCLK);
    EXPECT_EQ(ventana.EstadoVentana().carpetaGC, gc + "/otra");
    EXPECT_EQ(Texto(ventana.Control("EdNuevoDir")), "C:\\GC\\otra");
    EXPECT_EQ(RutaVisible(SO().CarpetaActual()), "C:\\GC\\otra");
    EXPECT_FALSE(fs::exists(fs::u8path(unidad / "ZTEMP/VALENCIA/centro.dbf")));
    EXPECT_TRUE(contestador.cajas.empty());

    // A folder gone since the list was read: the error, and nothing moves.
    ::SendMessageW(lista, LB_SETCURSEL, static_cast<WPARAM>(FilaDe(ventana, gc)), 0);
    Notificar(lista, LBN_DBLCLK);
    fs::remove_all(fs::u8path(gc + "/perdida"));
    ::SendMessageW(lista, LB_SETCURSEL, static_cast<WPARAM>(FilaDe(ventana, gc + "/perdida")), 0);
    Notificar(lista, LBN_DBLCLK);
    ASSERT_EQ(contestador.cajas.size(), 1u);
    EXPECT_EQ(contestador.cajas[0].texto, "No se encuentra el archivo.");
    EXPECT_TRUE(contestador.cajas[0].pare);
    EXPECT_EQ(ventana.EstadoVentana().carpetaGC, gc);
    EXPECT_EQ(Texto(ventana.Control("EdNuevoDir")), "C:\\GC");
    EXPECT_EQ(
        ventana.Carpetas()[static_cast<std::size_t>(::SendMessageW(lista, LB_GETCURSEL, 0, 0))]
            .ruta,
        gc);
}

TEST_F(VentanaWin32, TheDriveListLeadsToEachDrivesLastFolderAndRefusesOneThatCannotBeEntered) {
    TExportarDatos ventana({});
    ventana.Mostrar();
    HWND unidades = ventana.Control("ListaUnidades");
    const auto& lista = ventana.Unidades();
    ASSERT_GE(lista.size(), 2u) << "Wine gives drives C: and Z: at least";
    ASSERT_EQ(lista[0].nombre, "c:");
    EXPECT_EQ(::SendMessageW(unidades, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(lista.size()));
    EXPECT_EQ(::SendMessageW(unidades, CB_GETCURSEL, 0, 0), 0);
    const std::string gc = RutaNativa("C:\\GC");
    const WPARAM otra = lista.size() - 1;

    {
        // A drive that cannot be entered (a drive without its medium, say).
        SistemaConFallos fallos;
        fallos.Programar({Operacion::CambiarCarpeta, "", 1, 21});
        ::SendMessageW(unidades, CB_SETCURSEL, otra, 0);
        Notificar(unidades, CBN_SELCHANGE);
    }
    ASSERT_EQ(contestador.cajas.size(), 1u);
    EXPECT_EQ(contestador.cajas[0].texto, "Error de E/S 21.");
    EXPECT_EQ(ventana.EstadoVentana().carpetaGC, gc);
    EXPECT_EQ(::SendMessageW(unidades, CB_GETCURSEL, 0, 0), 0);

    ::SendMessageW(unidades, CB_SETCURSEL, otra, 0);
    Notificar(unidades, CBN_SELCHANGE);
    // The drive's folder: the one it was last shown in (where the process
    // started, when that is there), else its root.
    EXPECT_EQ(UnidadLetraDe(lista, ventana.EstadoVentana().carpetaGC), static_cast<int>(otra));
    EXPECT_EQ(ventana.Carpetas().front().nombre,
              std::string(1, static_cast<char>(std::toupper(lista[otra].nombre[0]))) + ":\\");
    // Back on drive C:, the folder it was left in.
    ::SendMessageW(unidades, CB_SETCURSEL, 0, 0);
    Notificar(unidades, CBN_SELCHANGE);
    EXPECT_EQ(ventana.EstadoVentana().carpetaGC, gc);
    EXPECT_EQ(contestador.cajas.size(), 1u);
}

// Records the steps as they are announced, and what the window showed then.
class VentanaGrabada : public TExportarDatos {
  public:
    using TExportarDatos::TExportarDatos;
    void Paso(const std::string& texto, int numero, int pasos) override {
        TExportarDatos::Paso(texto, numero, pasos);
        HWND barra = Control("BarraPaso");
        RECT pendiente;
        vistos.push_back({texto, Texto(Control("LabelPaso")),
                          static_cast<int>(::SendMessageW(barra, PBM_GETPOS, 0, 0)),
                          static_cast<int>(::SendMessageW(barra, PBM_GETRANGE, FALSE, 0)),
                          ::IsWindowVisible(barra) && ::IsWindowVisible(Control("LabelPaso")),
                          !::GetUpdateRect(barra, &pendiente, FALSE) &&
                              !::GetUpdateRect(Control("LabelPaso"), &pendiente, FALSE),
                          EnEspera() && ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT)});
    }
    struct Visto {
        std::string paso, texto;
        int valor, maximo;
        bool visible, pintado, espera;
    };
    std::vector<Visto> vistos;
};

const char* const kIntercambio[] = {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF",
                                    "AULAT.DBF",    "ALUMNOST.DBF", "ASIGCURT.DBF",
                                    "GRUPOST.DBF",  "CURSOST.DBF",  "ASIGT.DBF"};

TEST_F(VentanaWin32, ExportThroughTheButtonBuildsTheTablesAndDisablesTheButtons) {
    VentanaGrabada ventana(std::vector<std::string>{});
    ventana.Mostrar();
    ::SendMessageW(ventana.Control("BExportar"), BM_CLICK, 0, 0);
    Bombear(ventana);

    EXPECT_EQ(contestador.Textos(),
              (std::vector<std::string>{kAvisoExportar, "Proceso finalizado"}));
    for (const Caja& c : contestador.cajas) {
        EXPECT_EQ(c.titulo, "Brisolt");
        EXPECT_EQ(c.botones, std::vector<std::string>{"Aceptar"});
        EXPECT_FALSE(c.pare);
    }
    for (const char* tabla : kIntercambio)
        EXPECT_TRUE(fs::exists(fs::u8path(unidad / ("ZTEMP/" + std::string(tabla))))) << tabla;
    EXPECT_GT(Registros(unidad / "ZTEMP/PROFT.DBF"), 0);

    ASSERT_EQ(ventana.vistos.size(), 7u);
    EXPECT_EQ(ventana.vistos[3].paso, "Exportando alumnos (4 de 7)");
    for (std::size_t i = 0; i < ventana.vistos.size(); ++i) {
        const VentanaGrabada::Visto& v = ventana.vistos[i];
        SCOPED_TRACE(v.paso);
        EXPECT_EQ(v.texto, v.paso);
        EXPECT_EQ(v.valor, static_cast<int>(i) + 1);
        EXPECT_EQ(v.maximo, 7);
        EXPECT_TRUE(v.visible);
        EXPECT_TRUE(v.pintado);
        EXPECT_TRUE(v.espera);
    }
    // At rest the window shows neither, and the cursor is the normal one.
    EXPECT_FALSE(::IsWindowVisible(ventana.Control("BarraPaso")));
    EXPECT_FALSE(::IsWindowVisible(ventana.Control("LabelPaso")));
    EXPECT_FALSE(ventana.EnEspera());
    EXPECT_FALSE(::IsWindowEnabled(ventana.Control("BExportar")));
    EXPECT_FALSE(::IsWindowEnabled(ventana.Control("BImportar")));
    EXPECT_TRUE(::IsWindowEnabled(ventana.Control("BClose")));
    EXPECT_TRUE(ventana.Abierta());
    EXPECT_EQ(ventana.EstadoVentana().EstadoTransformado, 1);
}

TEST_F(VentanaWin32, EmbeddedTheStatusIsWrittenOnCloseAndAnExportClosesTheWindow) {
    fs::create_directories(fs::u8path(unidad / "programa"));
    const std::string programa = unidad / "programa/brisolt.exe";
    const std::string ini = unidad / "programa/Zentaro.ini";
    {
        TExportarDatos ventana({});
        ventana.FijarRutaEjecutable(programa);
        ventana.Mostrar();
        ::SendMessageW(ventana.Control("BClose"), BM_CLICK, 0, 0);
        EXPECT_FALSE(ventana.Abierta());
    }
    EXPECT_FALSE(fs::exists(fs::u8path(ini)));
    {
        TExportarDatos ventana({"exportar", "0"});
        ventana.FijarRutaEjecutable(programa);
        ventana.Mostrar();
        ::SendMessageW(ventana.Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(ventana.Abierta());
    }
    EXPECT_EQ(Leer(ini), "[Transformadores]\r\nTransformado=0\r\n");
    {
        TExportarDatos ventana({"exportar", "0"});
        ventana.FijarRutaEjecutable(programa);
        ventana.Mostrar();
        ::SendMessageW(ventana.Control("BExportar"), BM_CLICK, 0, 0);
        EXPECT_FALSE(ventana.Abierta());
    }
    EXPECT_EQ(Leer(ini), "[Transformadores]\r\nTransformado=1\r\n");
    EXPECT_EQ(contestador.Textos(),
              (std::vector<std::string>{kAvisoExportar, "Proceso finalizado"}));

    // An INI that cannot be written keeps the window open.
    fs::remove(fs::u8path(ini));
    fs::create_directories(fs::u8path(ini));
    contestador.cajas.clear();
    TExportarDatos ventana({"importar", "0"});
    ventana.FijarRutaEjecutable(programa);
    ventana.Mostrar();
    ::SendMessageW(ventana.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ventana.Abierta());
    ASSERT_EQ(contestador.cajas.size(), 1u);
    EXPECT_EQ(contestador.cajas[0].texto, "Unable to write to " + ini + ".");
    EXPECT_TRUE(contestador.cajas[0].pare);
}

// Enter presses the export's "Aceptar" from anywhere in the window; the
// import's only from its own button, or when its panel is the only one. The
// folder field and the folder list keep Enter to themselves, and Escape
// closes nothing.
TEST_F(VentanaWin32, EnterStartsTheExportAndTheImportOnlyFromItsOwnButton) {
    fs::create_directories(fs::u8path(unidad / "GC/otra"));
    fs::create_directories(fs::u8path(unidad / "programa"));
    const std::string gc = RutaNativa("C:\\GC");
    TExportarDatos ventana({});
    ventana.Mostrar();
    auto intro = [&](const char* nombre) {
        ::SetFocus(ventana.Control(nombre));
        Tecla(ventana, VK_RETURN);
    };

    EXPECT_EQ(::GetFocus(), ventana.Control("EdNuevoDir"));
    Tecla(ventana, VK_RETURN);
    Tecla(ventana, VK_RETURN);
    Tecla(ventana, VK_ESCAPE);
    EXPECT_TRUE(ventana.Abierta());
    EXPECT_TRUE(contestador.cajas.empty());

    // The folder list opens the folder under its cursor, and only that.
    HWND lista = ventana.Control("ListaDirectorios");
    for (const std::string& ruta : {gc + "/otra", gc}) {
        ::SendMessageW(lista, LB_SETCURSEL, static_cast<WPARAM>(FilaDe(ventana, ruta)), 0);
        intro("ListaDirectorios");
        EXPECT_EQ(ventana.EstadoVentana().carpetaGC, ruta);
    }
    Tecla(ventana, VK_ESCAPE);
    EXPECT_TRUE(contestador.cajas.empty());

    // The import's own button starts it (it stops at once: no solution yet).
    intro("BImportar");
    ASSERT_FALSE(contestador.cajas.empty());
    EXPECT_EQ(contestador.cajas[0].texto, kAvisoImportar);
    contestador.cajas.clear();

    // Elsewhere, the language box included, Enter is the export.
    intro("ComboBoxValCast");
    ASSERT_FALSE(contestador.cajas.empty());
    EXPECT_EQ(contestador.cajas.front().texto, kAvisoExportar);
    EXPECT_EQ(contestador.cajas.back().texto, "Proceso finalizado");
    contestador.cajas.clear();

    // With the import panel alone, Enter is the import's from anywhere.
    TExportarDatos incrustada({"importar", "0"});
    incrustada.FijarRutaEjecutable(unidad / "programa/brisolt.exe");
    incrustada.Mostrar();
    ::SetFocus(incrustada.Control("CBCentro"));
    Tecla(incrustada, VK_RETURN);
    ASSERT_FALSE(contestador.cajas.empty());
    EXPECT_EQ(contestador.cajas[0].texto, kAvisoImportar);
}

TEST_F(VentanaWin32, HelpButtonShowsTheContentsAndF1TheFocusedControlsContext) {
    Grabadora grabadora;
    // The program's own viewer over a recording control, for this test only.
    RegistrarAyudaDelPrograma(grabadora.Cargador());
    struct Reponer {
        ~Reponer() {
            RegistrarAyudaDelPrograma([] { return CargarControlHtmlHelp(); });
        }
    } reponer;
    TExportarDatos ventana({});
    ventana.Mostrar();
    const auto id = reinterpret_cast<VentanaId>(ventana.Handle());

    ::SendMessageW(ventana.Control("Button1"), BM_CLICK, 0, 0);
    ::SetFocus(ventana.Control("CBCentro"));
    Tecla(ventana, VK_F1);
    ASSERT_EQ(grabadora.llamadas.size(), 2u);
    EXPECT_EQ(grabadora.llamadas[0].llamante, id);
    EXPECT_EQ(grabadora.llamadas[0].comando, kDisplayToc);
    EXPECT_EQ(grabadora.llamadas[1].comando, kHelpContext);
    EXPECT_EQ(grabadora.llamadas[1].numero, 1u);
    for (const Llamada& l : grabadora.llamadas) {
        ASSERT_TRUE(l.archivo);
        EXPECT_NE(l.archivo->find("GESCEN.chm"), std::string::npos) << *l.archivo;
    }

    // Controls without a context of their own defer to their containers.
    struct Caso {
        const char* nombre;
        int propio;
    };
    for (const Caso& c : {Caso{"Label4", 0}, Caso{"Label6", 1}, Caso{"Label1", 0},
                          Caso{"BImportar", 1}, Caso{"ComboBoxValCast", 1}}) {
        const principal::Control* d = principal::BuscarControl(c.nombre);
        ASSERT_NE(d, nullptr) << c.nombre;
        EXPECT_EQ(d->contextoAyuda, c.propio) << c.nombre;
        EXPECT_EQ(ventana.ContextoAyudaEfectivo(ventana.Control(c.nombre)), 1) << c.nombre;
    }
    // The language box's own edit field is inside it.
    HWND edicion = ::GetWindow(ventana.Control("ComboBoxValCast"), GW_CHILD);
    ASSERT_NE(edicion, nullptr);
    EXPECT_EQ(ventana.ContextoAyudaEfectivo(edicion), 1);
    EXPECT_EQ(principal::BuscarPanel("Draw3D3")->contextoAyuda, 0);
}

}  // namespace
}  // namespace brisolt::prueba

namespace brisolt::prueba {
namespace {

// The person at the two check dialogs, one step per tick of a timer: in the
// teachers' one, types a DNI into the cell the cursor starts on and presses
// "Salir" with the cell still being typed; in the hour template, "Salir".
struct PersonaEnDialogos {
    HWND ventana = nullptr;
    std::vector<std::string> vistos;  // the dialogs' names, as each first showed
    int pasos = 0;
};
PersonaEnDialogos persona;

void CALLBACK PasoDePersona(HWND, UINT, UINT_PTR, DWORD) {
    HWND d = ::GetActiveWindow();
    if (!d || d == persona.ventana || !win32::Nombre(d)) return;
    const std::string nombre = win32::Nombre(d);
    if (persona.vistos.empty() || persona.vistos.back() != nombre) {
        persona.vistos.push_back(nombre);
        persona.pasos = 0;
    }
    const int paso = persona.pasos++;
    if (nombre == "ControlProfesores" && paso < 4) {
        ::PostMessageW(::GetFocus(), WM_CHAR, L"4321"[paso], 1);
        return;
    }
    if (paso == 4 || nombre != "ControlProfesores")
        ::PostMessageW(win32::BuscarControl(d, "BitBtn1"), BM_CLICK, 0, 0);
}

TEST_F(VentanaWin32, ImportThroughTheButtonWithBothDialogsAnswered) {
    VentanaGrabada ventana(std::vector<std::string>{});
    ventana.Mostrar();
    ::SendMessageW(ventana.Control("BExportar"), BM_CLICK, 0, 0);
    Bombear(ventana);
    GenerarSolucion(unidad / "ZTEMP");
    // Exactly one teacher without a DNI, the first, for the person to give one.
    {
        Tabla proft;
        proft.SetTableName(unidad / "ZTEMP/PROFT.DBF");
        proft.Open();
        int32_t otro = 90000000;
        for (proft.First(); !proft.Eof(); proft.Next()) {
            const bool primero = proft.RecNo() == 1;
            if (!primero && proft.FieldByName("DNI").AsInteger() != 0) continue;
            proft.Edit();
            proft.FieldByName("DNI").SetAsInteger(primero ? 0 : ++otro);
            proft.Post();
        }
        proft.Close();
    }
    const int64_t antes = Registros(unidad / "GC/horprof.dbf");
    contestador.cajas.clear();

    persona = {};
    persona.ventana = ventana.Handle();
    const UINT_PTR reloj = ::SetTimer(nullptr, 0, 20, PasoDePersona);
    ::SendMessageW(ventana.Control("BImportar"), BM_CLICK, 0, 0);
    ::KillTimer(nullptr, reloj);
    Bombear(ventana);

    EXPECT_EQ(persona.vistos, (std::vector<std::string>{"ControlProfesores", "ControlPlantilla"}));
    ASSERT_FALSE(contestador.cajas.empty());
    EXPECT_EQ(contestador.cajas.front().texto, kAvisoImportar);
    EXPECT_EQ(contestador.cajas.back().texto, "Proceso finalizado");
    for (const Caja& c : contestador.cajas) EXPECT_FALSE(c.pare) << c.texto;
    Tabla proft;
    proft.SetTableName(unidad / "ZTEMP/PROFT.DBF");
    proft.Open();
    proft.First();
    EXPECT_EQ(proft.FieldByName("DNI").AsInteger(), 4321);
    EXPECT_NE(Registros(unidad / "GC/horprof.dbf"), antes);
    EXPECT_EQ(ventana.EstadoVentana().EstadoTransformado, 1);
    EXPECT_FALSE(ventana.EnEspera());
}

}  // namespace
}  // namespace brisolt::prueba
