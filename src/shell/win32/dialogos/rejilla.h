#pragma once
// A data grid of our own over one open table object, drawn with GDI: the
// titles on two lines, the rows in two alternating colours, the cells still
// to fill marked, and a cell cursor that never stops on a fixed column.
// Typing into a cell opens an edit control over it; Enter writes it and
// moves on to the next cell, Escape drops it. The row goes into edit when
// the grid gets the focus and is written when the focus moves to another
// control of the dialog; a text the field refuses keeps the cursor on its
// cell. The rows, values and the cursor's moves are the shared grid's.

#include <windows.h>

#include <functional>
#include <vector>

#include "shell/dialogos.h"
#include "shell/rejilla_tabla.h"
#include "shell/win32/dialogos/gdi.h"

namespace brisolt::win32 {

class Rejilla {
  public:
    Rejilla(HWND padre, int id, const dialogos::Dialogo& d, Tabla& tabla);
    ~Rejilla();
    Rejilla(const Rejilla&) = delete;
    Rejilla& operator=(const Rejilla&) = delete;

    HWND Ventana() const { return ventana_; }
    // The edit control open over the current cell, or null.
    HWND Editor() const { return editor_; }
    RejillaTabla& Datos() { return datos_; }
    int Fila() const { return fila_; }
    int Columna() const { return columna_; }
    // Geometry, in the grid's client coordinates.
    RECT Celda(int fila, int columna) const;
    int AnchoColumna(int columna) const { return anchos_[static_cast<std::size_t>(columna)]; }
    int AltoTitulos() const { return altoTitulos_; }
    int AltoFila() const { return altoFila_; }
    int PrimeraVisible() const { return primera_; }
    int FilasVisibles() const;

    // The cursor onto a cell (an editable one: a fixed column keeps the
    // current one). What is being typed goes into its field first; false,
    // with the cursor where it was, when the field or the row's write
    // refused it.
    bool IrA(int fila, int columna);
    bool IrAFila(int fila) { return IrA(fila, columna_); }
    // Leaving the grid (the dialog closing): the cell being typed goes into
    // its field, then the row is written. False, with the cursor and the
    // focus on the cell, when the field or the write refused it.
    bool Dejar();
    // The navigator's post and cancel, which also take the cell being typed.
    bool Grabar();
    void Cancelar();
    // Opens the editor over the current cell with `texto`, the caret at its end.
    void Editar(const std::wstring& texto);

    // The cursor moved or the table's state changed: the navigator follows.
    std::function<void()> alCambiar;

  private:
    static LRESULT CALLBACK Proc(HWND v, UINT m, WPARAM w, LPARAM l);
    static LRESULT CALLBACK ProcEditor(HWND v, UINT m, WPARAM w, LPARAM l, UINT_PTR id,
                                       DWORD_PTR datos);
    LRESULT Mensaje(UINT m, WPARAM w, LPARAM l);
    bool Tecla(WPARAM tecla);
    void Pintar(HDC dc, const RECT& cliente);
    void Medir();
    void Desplazar(int barra, int accion);
    void AjustarBarras();
    void Mostrar(int fila);
    void Avisar();
    // The editor's text into its field; the editor closes. False when the
    // field refused the text. `foco`: give the focus back to the grid.
    bool Confirmar(bool foco);
    void CerrarEditor();
    // The focus went from the grid or its editor to `nuevo`.
    void FocoPerdido(HWND nuevo);
    // Enter: the cell into its field, then the next cell.
    void Siguiente();
    RECT SitioEditor() const;
    int FilaEn(int y) const;
    int ColumnaEn(int x) const;

    const dialogos::Dialogo& dialogo_;
    RejillaTabla datos_;
    HWND ventana_ = nullptr;
    HWND editor_ = nullptr;
    Fuente fuente_, negrita_;
    std::vector<int> anchos_;
    int altoTitulos_ = 0, altoFila_ = 0;
    int fila_ = -1, columna_ = -1;
    int primera_ = 0;         // first row in view
    int desplazamiento_ = 0;  // pixels scrolled to the right
};

}  // namespace brisolt::win32
