// The two check dialogs as Windows windows, created in this process over
// small tables and driven with messages: their layout against the shared
// description, the cell being typed when "Salir" is pressed, the refused
// DNI, the fixed columns, Enter, the navigator and the grid's colours.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "shell/dialogos.h"
#include "shell/win32/cajas.h"
#include "shell/win32/control_rejillas.h"
#include "shell/win32/dialogos/dialogo_rejilla.h"
#include "sistema_prueba.h"
#include "tablas_rejilla.h"
#include "tables/tabla.h"

namespace brisolt::prueba {
namespace {

using win32::Ancho;
using win32::BuscarControl;
using win32::DialogoRejilla;

using Profesor = ProfesorPrueba;

std::unique_ptr<Tabla> Proft(const std::string& carpeta, std::initializer_list<Profesor> filas) {
    EscribirProft(carpeta, filas);
    return AbrirProft(carpeta);
}

std::unique_ptr<Tabla> Plantilla(const std::string& carpeta) {
    EscribirPlantilla(carpeta, 6, false);
    return AbrirPlantilla(carpeta);
}

// A DNI on disk, as another cursor on the file sees it: only what was posted.
int32_t DniEscrito(const std::string& carpeta, int registro) {
    Tabla t;
    t.SetTableName(carpeta + "/PROFT.DBF");
    t.Open();
    t.GoTo(registro);
    return t.FieldByName("DNI").AsInteger();
}

// What a message box showed, read once it has made its controls, before it
// shows; then it is answered.
struct Caja {
    std::wstring titulo, texto;
    std::vector<std::wstring> botones;
    bool stop = false;
};

class Contestador {
  public:
    Contestador() {
        anterior_ = win32::FijarObservadorCajas([this](HWND v) { Leer(v); });
    }
    ~Contestador() { win32::FijarObservadorCajas(std::move(anterior_)); }
    Contestador(const Contestador&) = delete;
    Contestador& operator=(const Contestador&) = delete;

    std::vector<Caja> cajas;

  private:
    void Leer(HWND v) {
        Caja caja;
        caja.titulo = win32::TextoVentana(v);
        HICON stop = ::LoadIconW(nullptr, IDI_HAND);
        for (HWND h = ::GetWindow(v, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            wchar_t c[16] = {};
            ::GetClassNameW(h, c, 16);
            const std::wstring texto = win32::TextoVentana(h);
            // Not shown yet: the buttons the box keeps are the ones it will show.
            if (_wcsicmp(c, L"Button") == 0 && (::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE))
                caja.botones.push_back(texto);
            if (_wcsicmp(c, L"Static") == 0) {
                if (reinterpret_cast<HICON>(::SendMessageW(h, STM_GETICON, 0, 0)) == stop)
                    caja.stop = true;
                else if (!texto.empty())
                    caja.texto = texto;
            }
        }
        cajas.push_back(caja);
        ::PostMessageW(v, WM_COMMAND, IDOK, 0);
    }

    win32::ObservadorCajas anterior_;
};

// Runs whatever is waiting, as the dialog's own loop would.
void Bombear(HWND dialogo) {
    MSG m;
    while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (dialogo && ::IsWindow(dialogo) && ::IsDialogMessageW(dialogo, &m)) continue;
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
    }
}

// Keys to whatever has the focus, as the keyboard would send them.
void Teclear(HWND dialogo, const std::wstring& texto) {
    for (wchar_t c : texto) {
        ::PostMessageW(::GetFocus(), WM_CHAR, c, 1);
        Bombear(dialogo);
    }
}
void Pulsar(HWND dialogo, WPARAM tecla) {
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, tecla, 1);
    Bombear(dialogo);
}
void Clic(HWND dialogo, HWND boton) {
    ::PostMessageW(boton, BM_CLICK, 0, 0);
    Bombear(dialogo);
}

RECT Sitio(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void EsperarSitio(HWND control, const controles::Rect& esperado, const char* nombre) {
    const RECT r = Sitio(control);
    EXPECT_EQ(r.left, esperado.x) << nombre;
    EXPECT_EQ(r.top, esperado.y) << nombre;
    EXPECT_EQ(r.right - r.left, esperado.ancho) << nombre;
    EXPECT_EQ(r.bottom - r.top, esperado.alto) << nombre;
}

// The label's text, wrapped as the label wraps it, fits inside the label.
void ComprobarTextoEntero(HWND etiqueta, const char* nombre) {
    RECT sitio{};
    ::GetClientRect(etiqueta, &sitio);
    const std::wstring texto = win32::TextoVentana(etiqueta);
    HDC dc = ::GetDC(etiqueta);
    HGDIOBJ antes =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(etiqueta, WM_GETFONT, 0, 0)));
    RECT medida{0, 0, sitio.right, 0};
    UINT forma = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    if (!(::GetWindowLongW(etiqueta, GWL_STYLE) & SS_LEFTNOWORDWRAP)) forma |= DT_WORDBREAK;
    ::DrawTextW(dc, texto.c_str(), static_cast<int>(texto.size()), &medida, forma);
    ::SelectObject(dc, antes);
    ::ReleaseDC(etiqueta, dc);
    EXPECT_LE(medida.right, sitio.right) << nombre;
    EXPECT_LE(medida.bottom, sitio.bottom) << nombre;
}

class DialogosWin32 : public ::testing::Test {
  protected:
    CarpetaTemporal carpeta;
    Contestador contestador;
};

TEST_F(DialogosWin32, BothDialogsAreLaidOutAsTheSharedDescriptionSays) {
    auto proft = Proft(carpeta.Ruta(), {{"ANA", "ROS, ANA", "MATEMÀTIQUES", 111},
                                        {"JOS", "PÉREZ, JOSÉ", "MATEMÀTIQUES", 0}});
    auto plantilla = Plantilla(carpeta.Ruta());
    struct Caso {
        const dialogos::Dialogo& d;
        Tabla& tabla;
    };
    for (const Caso& caso : {Caso{dialogos::ControlProfesores(), *proft},
                             Caso{dialogos::ControlPlantilla(), *plantilla}}) {
        const dialogos::Dialogo& d = caso.d;
        SCOPED_TRACE(d.nombre);
        DialogoRejilla dialogo(d, caso.tabla, nullptr);
        dialogo.Mostrar();
        HWND v = dialogo.Ventana();
        EXPECT_EQ(win32::TextoVentana(v), Ancho(d.titulo));
        RECT cliente{}, marco{};
        ::GetClientRect(v, &cliente);
        ::GetWindowRect(v, &marco);
        EXPECT_EQ(cliente.right, d.ancho);
        EXPECT_EQ(cliente.bottom, d.alto);
        EXPECT_EQ(marco.left, d.x);
        EXPECT_EQ(marco.top, d.y);
        // Fixed dialog frame: no sizing border, no minimise or maximise box.
        const LONG_PTR estilo = ::GetWindowLongPtrW(v, GWL_STYLE);
        EXPECT_FALSE(estilo & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(estilo & WS_CAPTION);

        HWND panel = BuscarControl(v, d.panel);
        ASSERT_NE(panel, nullptr);
        EsperarSitio(panel, {0, 0, d.ancho, d.alto}, d.panel);
        for (const dialogos::Etiqueta& e : d.etiquetas) {
            HWND etiqueta = BuscarControl(v, e.nombre);
            ASSERT_NE(etiqueta, nullptr) << e.nombre;
            EXPECT_EQ(::GetParent(etiqueta), panel) << e.nombre;
            EsperarSitio(etiqueta, e.sitio, e.nombre);
            EXPECT_EQ(win32::TextoVentana(etiqueta), Ancho(e.texto)) << e.nombre;
            ComprobarTextoEntero(etiqueta, e.nombre);
        }
        EXPECT_EQ(::GetParent(BuscarControl(v, d.nombreRejilla)), panel);
        EsperarSitio(BuscarControl(v, d.nombreRejilla), d.rejilla, d.nombreRejilla);
        EsperarSitio(BuscarControl(v, d.nombreNavegador), d.navegador, d.nombreNavegador);
        HWND salir = BuscarControl(v, d.nombreSalir);
        ASSERT_NE(salir, nullptr);
        EsperarSitio(salir, d.salir, d.nombreSalir);
        EXPECT_EQ(win32::TextoVentana(salir), Ancho(d.textoSalir));

        // Ten buttons side by side filling the navigator, each with its hint.
        win32::Navegador& n = dialogo.NavegadorDatos();
        int x = 0;
        for (int i = 0; i < dialogos::kBotonesNavegador; ++i) {
            const dialogos::BotonNavegador& b = dialogos::kNavegador[static_cast<std::size_t>(i)];
            HWND boton = BuscarControl(v, b.nombre);
            ASSERT_EQ(boton, n.Boton(i)) << b.nombre;
            const RECT r = Sitio(boton);
            EXPECT_EQ(r.left, x) << b.nombre;
            EXPECT_EQ(r.bottom - r.top, d.navegador.alto) << b.nombre;
            x = r.right;
            wchar_t pista[128] = {};
            TTTOOLINFOW ti{};
            ti.cbSize = TTTOOLINFOW_V2_SIZE;
            ti.hwnd = n.Ventana();
            ti.uId = reinterpret_cast<UINT_PTR>(boton);
            ti.lpszText = pista;
            ::SendMessageW(n.Pistas(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
            EXPECT_EQ(std::wstring(pista), Ancho(b.pista)) << b.nombre;
        }
        EXPECT_EQ(x, d.navegador.ancho);

        // Each column at least as wide as its characters, and all of them
        // in view without scrolling; the rows as read.
        win32::Rejilla& r = dialogo.RejillaDatos();
        HDC dc = ::GetDC(r.Ventana());
        win32::Fuente fuente = win32::CrearFuente(11, false);
        TEXTMETRICW tm{};
        {
            win32::Seleccion s(dc, fuente.get());
            ::GetTextMetricsW(dc, &tm);
        }
        ::ReleaseDC(r.Ventana(), dc);
        ASSERT_EQ(r.Datos().NumColumnas(), static_cast<int>(d.columnas.size()));
        for (std::size_t c = 0; c < d.columnas.size(); ++c)
            EXPECT_GE(r.AnchoColumna(static_cast<int>(c)), d.columnas[c].ancho * tm.tmAveCharWidth)
                << c;
        RECT vista{};
        ::GetClientRect(r.Ventana(), &vista);
        const int ultima = r.Datos().NumColumnas() - 1;
        EXPECT_LE(r.Celda(0, ultima).right, vista.right);
        EXPECT_EQ(r.Datos().Filas(), caso.tabla.RecordCount());
    }
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(DialogosWin32, TheCursorStartsOnTheFirstTeacherWithoutADniAndInView) {
    auto tabla = Proft(carpeta.Ruta(), {});
    {
        Tabla t;
        t.SetTableName(carpeta / "PROFT.DBF");
        t.Open();
        for (int i = 0; i < 120; ++i) {
            t.Append();
            t.FieldByName("ABREV").SetAsString("P" + std::to_string(i));
            if (i != 87) t.FieldByName("DNI").SetAsInteger(1000 + i);
            t.Post();
        }
    }
    tabla->Close();
    tabla->Open();
    DialogoRejilla d(dialogos::ControlProfesores(), *tabla, nullptr);
    d.Mostrar();
    win32::Rejilla& r = d.RejillaDatos();
    EXPECT_EQ(r.Fila(), 87);
    EXPECT_EQ(r.Columna(), 3);
    EXPECT_EQ(tabla->RecNo(), 88);
    EXPECT_GE(r.Fila(), r.PrimeraVisible());
    EXPECT_LT(r.Fila(), r.PrimeraVisible() + r.FilasVisibles());
    EXPECT_EQ(::GetFocus(), r.Ventana());
    EXPECT_TRUE(tabla->Editing());  // the grid has the focus: the row is in edit
}

// What is typed into the open editor counts: "Salir" and the close box write
// it and post the row; a text the field refuses keeps the dialog open on its
// cell with one error box, and the next "Salir" closes it.
TEST_F(DialogosWin32, TheCellBeingTypedIsWrittenBeforeTheDialogCloses) {
    struct Caso {
        bool cierre;  // the close box, else "Salir"
        const wchar_t* tecleado;
        bool aceptado;
    };
    for (const Caso& caso : {Caso{false, L"123", true}, Caso{true, L"123", true},
                             Caso{false, L"12AB", false}, Caso{true, L"12AB", false}}) {
        SCOPED_TRACE(std::string(caso.cierre ? "close box " : "Salir ") +
                     win32::Estrecho(caso.tecleado));
        contestador.cajas.clear();
        auto tabla = Proft(carpeta.Ruta(), {{"ANA", "ROS, ANA", "MATEMÀTIQUES", 0},
                                            {"JOS", "PÉREZ, JOSÉ", "MATEMÀTIQUES", 0}});
        DialogoRejilla d(dialogos::ControlProfesores(), *tabla, nullptr);
        d.Mostrar();
        HWND v = d.Ventana();
        Teclear(v, caso.tecleado);
        ASSERT_NE(d.RejillaDatos().Editor(), nullptr);  // the editor is still open
        EXPECT_EQ(::GetFocus(), d.RejillaDatos().Editor());

        auto salir = [&] {
            if (caso.cierre) {
                ::PostMessageW(v, WM_CLOSE, 0, 0);
                Bombear(v);
            } else {
                Clic(v, d.BotonSalir());
            }
        };
        salir();
        if (caso.aceptado) {
            EXPECT_TRUE(d.Cerrado());
            EXPECT_FALSE(::IsWindowVisible(v));
            EXPECT_EQ(DniEscrito(carpeta.Ruta(), 1), 123);
            EXPECT_FALSE(tabla->Editing());
            EXPECT_TRUE(contestador.cajas.empty());
            continue;
        }
        EXPECT_FALSE(d.Cerrado());
        EXPECT_TRUE(::IsWindowVisible(v));
        ASSERT_EQ(contestador.cajas.size(), 1u);
        const Caja& caja = contestador.cajas[0];
        EXPECT_EQ(caja.titulo, L"Brisolt");
        EXPECT_EQ(caja.texto, L"'12AB' no es un valor entero válido para el campo 'DNI'");
        EXPECT_EQ(caja.botones, std::vector<std::wstring>{L"Aceptar"});
        EXPECT_TRUE(caja.stop);
        EXPECT_EQ(d.RejillaDatos().Fila(), 0);
        EXPECT_EQ(d.RejillaDatos().Columna(), 3);
        EXPECT_EQ(DniEscrito(carpeta.Ruta(), 1), 0);
        // Having seen the box, the person may leave: nothing more is refused.
        salir();
        EXPECT_TRUE(d.Cerrado());
        EXPECT_EQ(contestador.cajas.size(), 1u);
    }
}

TEST_F(DialogosWin32, FixedColumnsTakeNoCursor) {
    auto tabla = Proft(carpeta.Ruta(), {{"ANA", "ROS, ANA", "MATEMÀTIQUES", 1},
                                        {"JOS", "PÉREZ, JOSÉ", "MATEMÀTIQUES", 2},
                                        {"LUZ", "GIL, LUZ", "MATEMÀTIQUES", 3}});
    DialogoRejilla d(dialogos::ControlProfesores(), *tabla, nullptr);
    d.Mostrar();
    HWND v = d.Ventana();
    win32::Rejilla& r = d.RejillaDatos();
    ASSERT_EQ(r.Fila(), 0);
    ASSERT_EQ(r.Columna(), 3);
    // A click on a teacher's name moves to the row, not into the name.
    const RECT nombre = r.Celda(2, 1);
    ::PostMessageW(r.Ventana(), WM_LBUTTONDOWN, MK_LBUTTON,
                   MAKELPARAM(nombre.left + 5, nombre.top + 3));
    ::PostMessageW(r.Ventana(), WM_LBUTTONUP, 0, MAKELPARAM(nombre.left + 5, nombre.top + 3));
    Bombear(v);
    EXPECT_EQ(r.Fila(), 2);
    EXPECT_EQ(r.Columna(), 3);
    EXPECT_EQ(tabla->RecNo(), 3);
    for (WPARAM tecla : {VK_LEFT, VK_HOME}) {
        Pulsar(v, tecla);
        EXPECT_EQ(r.Columna(), 3) << tecla;
    }
    // Typing never opens an editor over a fixed column, F2 neither.
    Pulsar(v, VK_F2);
    ASSERT_NE(r.Editor(), nullptr);
    const RECT dni = r.Celda(2, 3);
    RECT editor{};
    ::GetWindowRect(r.Editor(), &editor);
    ::MapWindowPoints(HWND_DESKTOP, r.Ventana(), reinterpret_cast<POINT*>(&editor), 2);
    EXPECT_TRUE(editor.left >= dni.left && editor.right <= dni.right && editor.top >= dni.top &&
                editor.bottom <= dni.bottom);
    EXPECT_EQ(win32::TextoVentana(r.Editor()), L"3");
    Pulsar(v, VK_ESCAPE);
    EXPECT_EQ(r.Editor(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(v));  // Escape never closes the dialog
    Pulsar(v, VK_ESCAPE);
    EXPECT_FALSE(d.Cerrado());

    // The hour template: the hour is fixed, both times are not.
    auto plantilla = Plantilla(carpeta.Ruta());
    DialogoRejilla p(dialogos::ControlPlantilla(), *plantilla, nullptr);
    p.Mostrar();
    win32::Rejilla& h = p.RejillaDatos();
    EXPECT_EQ(h.Columna(), 1);
    Pulsar(p.Ventana(), VK_RIGHT);
    EXPECT_EQ(h.Columna(), 2);
    Pulsar(p.Ventana(), VK_RIGHT);
    EXPECT_EQ(h.Columna(), 2);
    Pulsar(p.Ventana(), VK_HOME);
    EXPECT_EQ(h.Columna(), 1);
    Pulsar(p.Ventana(), VK_LEFT);
    EXPECT_EQ(h.Columna(), 1);
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(DialogosWin32, EnterWritesTheCellAndMovesToTheNextOne) {
    auto tabla = Plantilla(carpeta.Ruta());
    DialogoRejilla d(dialogos::ControlPlantilla(), *tabla, nullptr);
    d.Mostrar();
    HWND v = d.Ventana();
    win32::Rejilla& r = d.RejillaDatos();
    struct Paso {
        const wchar_t* tecleado;
        int fila, columna;  // where the cursor is after Enter
    };
    for (const Paso& p :
         {Paso{L"8:05", 0, 2}, Paso{L"", 1, 1}, Paso{L"9:10", 1, 2}, Paso{L"9:58", 2, 1}}) {
        Teclear(v, p.tecleado);
        Pulsar(v, VK_RETURN);
        EXPECT_EQ(r.Fila(), p.fila) << win32::Estrecho(p.tecleado);
        EXPECT_EQ(r.Columna(), p.columna) << win32::Estrecho(p.tecleado);
        EXPECT_EQ(r.Editor(), nullptr);
    }
    // Each row was written as the cursor left it.
    Tabla leida;
    leida.SetTableName(carpeta / "PLANTILLA.DBF");
    leida.Open();
    leida.First();
    EXPECT_EQ(leida.FieldByName("HORAINI").AsString(), "8:05");
    EXPECT_EQ(leida.FieldByName("HORAFIN").AsString(), "8:55");
    leida.Next();
    EXPECT_EQ(leida.FieldByName("HORAINI").AsString(), "9:10");
    EXPECT_EQ(leida.FieldByName("HORAFIN").AsString(), "9:58");

    // On the grid's last cell, Enter writes and stays.
    r.IrA(19, 2);
    Teclear(v, L"3:00");
    Pulsar(v, VK_RETURN);
    EXPECT_EQ(r.Fila(), 19);
    EXPECT_EQ(r.Columna(), 2);
    EXPECT_EQ(r.Datos().Valor(19, 2), "3:00");
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(DialogosWin32, TheNavigatorMovesPostsAndCancels) {
    auto tabla = Plantilla(carpeta.Ruta());
    DialogoRejilla d(dialogos::ControlPlantilla(), *tabla, nullptr);
    d.Mostrar();
    HWND v = d.Ventana();
    win32::Rejilla& r = d.RejillaDatos();
    win32::Navegador& n = d.NavegadorDatos();
    auto pulsar = [&](int i) { Clic(v, n.Boton(i)); };
    struct Paso {
        int boton, fila;
    };
    for (const Paso& p :
         {Paso{dialogos::kUltimo, 19}, Paso{dialogos::kAtras10, 9}, Paso{dialogos::kAnterior, 8},
          Paso{dialogos::kAdelante10, 18}, Paso{dialogos::kSiguiente, 19},
          Paso{dialogos::kPrimero, 0}, Paso{dialogos::kSiguiente, 1}}) {
        pulsar(p.boton);
        EXPECT_EQ(r.Fila(), p.fila) << p.boton;
        EXPECT_EQ(tabla->RecNo(), p.fila + 1) << p.boton;
        EXPECT_EQ(::GetFocus(), r.Ventana()) << p.boton;  // the grid keeps the focus
    }
    // Each move wrote the row it left: nothing is in edit.
    EXPECT_FALSE(tabla->Editing());
    EXPECT_TRUE(::IsWindowEnabled(n.Boton(dialogos::kEditar)));
    EXPECT_FALSE(::IsWindowEnabled(n.Boton(dialogos::kGrabar)));

    // Cancel drops a typed time; post writes one.
    Teclear(v, L"9:99");
    Pulsar(v, VK_RETURN);
    EXPECT_EQ(r.Datos().Valor(1, 1), "9:99");
    ASSERT_TRUE(::IsWindowEnabled(n.Boton(dialogos::kCancelar)));
    pulsar(dialogos::kCancelar);
    EXPECT_EQ(r.Datos().Valor(1, 1), "9:00");
    EXPECT_FALSE(tabla->Editing());
    EXPECT_FALSE(::IsWindowEnabled(n.Boton(dialogos::kGrabar)));
    pulsar(dialogos::kEditar);
    EXPECT_TRUE(tabla->Editing());
    r.IrA(1, 2);
    Teclear(v, L"9:50");
    pulsar(dialogos::kGrabar);  // with the editor still open
    EXPECT_FALSE(tabla->Editing());
    EXPECT_EQ(r.Datos().Valor(1, 2), "9:50");
    pulsar(dialogos::kRefrescar);
    EXPECT_EQ(r.Datos().Filas(), 20);
    EXPECT_EQ(r.Datos().Valor(1, 2), "9:50");
    EXPECT_EQ(r.Fila(), 1);
    EXPECT_TRUE(contestador.cajas.empty());
}

// The grid drawn into a bitmap: a pixel inside a cell, clear of its text.
class Dibujo {
  public:
    explicit Dibujo(win32::Rejilla& r) : r_(r) {
        RECT c{};
        ::GetClientRect(r.Ventana(), &c);
        HDC pantalla = ::GetDC(nullptr);
        dc_ = ::CreateCompatibleDC(pantalla);
        mapa_ = ::CreateCompatibleBitmap(pantalla, c.right, c.bottom);
        ::ReleaseDC(nullptr, pantalla);
        antes_ = ::SelectObject(dc_, mapa_);
        ::SendMessageW(r.Ventana(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~Dibujo() {
        ::SelectObject(dc_, antes_);
        ::DeleteObject(mapa_);
        ::DeleteDC(dc_);
    }
    COLORREF Fondo(int fila, int columna) const {
        const RECT c = r_.Celda(fila, columna);
        return ::GetPixel(dc_, c.right - 4, c.top + 2);
    }
    COLORREF Titulo(int columna) const {
        const RECT c = r_.Celda(0, columna);
        return ::GetPixel(dc_, c.right - 4, 2);
    }

  private:
    win32::Rejilla& r_;
    HDC dc_;
    HBITMAP mapa_;
    HGDIOBJ antes_;
};

COLORREF Ref(controles::Color c) {
    return RGB(c.r, c.g, c.b);
}

TEST_F(DialogosWin32, RowsAlternateAndMissingDnisAreMarkedUntilOneIsPosted) {
    auto tabla = Proft(carpeta.Ruta(), {{"ANA", "ROS, ANA", "MATEMÀTIQUES", 111},
                                        {"JOS", "PÉREZ, JOSÉ", "MATEMÀTIQUES", 0},
                                        {"LUZ", "GIL, LUZ", "MATEMÀTIQUES", 222},
                                        {"PAU", "SOLER, PAU", "MATEMÀTIQUES", 0}});
    DialogoRejilla d(dialogos::ControlProfesores(), *tabla, nullptr);
    d.Mostrar();
    HWND v = d.Ventana();
    win32::Rejilla& r = d.RejillaDatos();
    {
        Dibujo dibujo(r);
        EXPECT_EQ(dibujo.Titulo(0), Ref(dialogos::kFondoTitulos));
        EXPECT_EQ(dibujo.Fondo(0, 1), Ref(dialogos::kFilaClara));
        EXPECT_EQ(dibujo.Fondo(1, 1), Ref(dialogos::kFilaOscura));
        EXPECT_EQ(dibujo.Fondo(2, 3), Ref(dialogos::kFilaClara));
        EXPECT_EQ(dibujo.Fondo(3, 3), Ref(dialogos::kFondoPendiente));
        EXPECT_EQ(dibujo.Fondo(3, 1), Ref(dialogos::kFilaOscura));  // only the DNI cell
    }
    ASSERT_EQ(r.Fila(), 1);
    Teclear(v, L"555");
    Pulsar(v, VK_RETURN);  // to the next row, which posts this one
    EXPECT_EQ(DniEscrito(carpeta.Ruta(), 2), 555);
    EXPECT_FALSE(r.Datos().Pendiente(1, 3));
    EXPECT_TRUE(r.Datos().Pendiente(3, 3));
    r.IrA(3, 3);
    Dibujo dibujo(r);
    EXPECT_EQ(dibujo.Fondo(1, 3), Ref(dialogos::kFilaOscura));
}

// Both kinds of box: the title, one "Aceptar", the stop icon only for errors,
// and the full stop an error message gets when it ends in a letter.
TEST_F(DialogosWin32, BoxesSayBrisoltAndHaveOneAceptar) {
    struct Caso {
        bool error;
        const char* mensaje;
        const wchar_t* mostrado;
    };
    for (const Caso& caso :
         {Caso{false, "Proceso finalizado", L"Proceso finalizado"},
          Caso{true, "No se encuentra el campo 'DNI'", L"No se encuentra el campo 'DNI'"},
          Caso{true, "Tabla dañada", L"Tabla dañada."}}) {
        SCOPED_TRACE(caso.mensaje);
        contestador.cajas.clear();
        if (caso.error)
            win32::CajaError(nullptr, caso.mensaje);
        else
            win32::CajaInformacion(nullptr, caso.mensaje);
        ASSERT_EQ(contestador.cajas.size(), 1u);
        const Caja& caja = contestador.cajas[0];
        EXPECT_EQ(caja.titulo, L"Brisolt");
        EXPECT_EQ(caja.texto, caso.mostrado);
        EXPECT_EQ(caja.botones, std::vector<std::wstring>{L"Aceptar"});
        EXPECT_EQ(caja.stop, caso.error);
    }
}

// The person at the modal dialog, one step per tick of a timer: types a DNI,
// then presses "Salir".
HWND propietario;
bool desactivado;
int pasos;

void CALLBACK Persona(HWND, UINT, UINT_PTR, DWORD) {
    HWND d = ::GetActiveWindow();
    if (!d || d == propietario) return;
    desactivado = !::IsWindowEnabled(propietario);
    switch (pasos++) {
        case 0:
        case 1:
        case 2:
        case 3:
            ::PostMessageW(::GetFocus(), WM_CHAR, L"4321"[pasos - 1], 1);
            break;
        case 4:
            ::PostMessageW(BuscarControl(d, "BitBtn1"), BM_CLICK, 0, 0);
            break;
        default:
            break;
    }
}

// The modal call, as the import makes it: the owner is disabled while the
// dialog runs, and the person's DNI and "Salir" end it.
TEST_F(DialogosWin32, TheModalDialogReturnsOnceSalirIsPressed) {
    auto tabla = Proft(carpeta.Ruta(), {{"ANA", "ROS, ANA", "MATEMÀTIQUES", 0}});
    HWND duenio = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                    nullptr, nullptr, nullptr, nullptr);
    propietario = duenio;
    desactivado = false;
    pasos = 0;
    const UINT_PTR reloj = ::SetTimer(nullptr, 0, 20, Persona);
    win32::MostrarControlProfesores(duenio, *tabla);
    ::KillTimer(nullptr, reloj);
    EXPECT_TRUE(desactivado);
    EXPECT_TRUE(::IsWindowEnabled(duenio));
    EXPECT_EQ(DniEscrito(carpeta.Ruta(), 1), 4321);
    ::DestroyWindow(duenio);
    EXPECT_TRUE(contestador.cajas.empty());
}

}  // namespace
}  // namespace brisolt::prueba
