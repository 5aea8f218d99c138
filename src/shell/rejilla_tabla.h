#pragma once
// A data grid over one open table object, without the toolkit: one row per
// record in the cursor's order, the chosen fields as columns. The cursor
// follows the grid's current row; typed text goes to the field as the user
// typed it, so the field's own conversion decides what it accepts. The Qt
// model and the Win32 grid both keep one of these and only draw it.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace brisolt {

class Tabla;

struct ColumnaRejilla {
    std::string campo;
    int ancho = 10;  // in characters
    std::string titulo;
    bool fija = false;  // shown, never edited or given the cursor
    // With the cursor on a record: whether this cell still waits for the
    // person to fill it (a teacher's DNI still 0). Such cells are marked.
    std::function<bool(Tabla&)> pendiente;
};

class RejillaTabla {
  public:
    RejillaTabla(Tabla& tabla, std::vector<ColumnaRejilla> columnas);

    int Filas() const { return static_cast<int>(registros_.size()); }
    int NumColumnas() const { return static_cast<int>(columnas_.size()); }
    const std::vector<ColumnaRejilla>& Columnas() const { return columnas_; }
    Tabla& TablaDatos() { return tabla_; }

    // What a cell shows, and whether it is marked as still to fill.
    const std::string& Valor(int fila, int columna) const;
    bool Pendiente(int fila, int columna) const;
    bool Editable(int columna) const;
    // The first row with a marked cell, -1 when none.
    int PrimeraPendiente() const;
    // The first editable column, -1 when every column is fixed.
    int PrimeraEditable() const;
    // The editable cell after (or before) a cell, in reading order; false
    // when there is none, at the grid's last (or first) editable cell.
    bool Siguiente(int& fila, int& columna) const;
    bool Anterior(int& fila, int& columna) const;

    // The text typed into a cell goes into its field; the row is positioned
    // first. An unchanged text leaves the record as it was.
    bool Escribir(int fila, int columna, const std::string& texto);

    // The cursor onto a row; a pending row is written first.
    bool Posicionar(int fila);
    int FilaActual() const;  // the cursor's row, -1 when none
    // The grid gaining and losing the focus.
    bool Entrar();
    bool Salir();
    // The navigator's edit, post, cancel and refresh.
    bool Editar();
    bool Grabar() { return Salir(); }
    bool Cancelar();
    // Reads every row again; the cursor stays on its row when it can.
    // Refused while a row is being edited.
    bool Refrescar();
    bool Editando() const;

    // Whether the last operation was refused.
    bool Rechazado() const { return rechazado_; }
    // Whether the last text typed into a cell was refused by its field, not
    // asked since: whoever deals with the refusal takes it, once.
    bool TomarEscrituraRechazada() { return std::exchange(escrituraRechazada_, false); }

    // What the front end hears: a row's values read again, the engine's
    // refusal (its message, for the error box; the box must not open while
    // the grid is still closing its editor) and any change of state.
    std::function<void(int fila)> alCambiarFila;
    std::function<void(const std::string& mensaje)> alRechazar;
    std::function<void()> alCambiarEstado;
    // Around the rows being read again: the rows change under the views.
    std::function<void()> alEmpezarLectura;
    std::function<void()> alAcabarLectura;

  private:
    void Leer();
    void LeerRegistro(int fila);
    void LeerFila(int fila);
    template <class F>
    bool Intentar(F&& operacion);

    Tabla& tabla_;
    bool rechazado_ = false;
    bool escrituraRechazada_ = false;
    std::vector<ColumnaRejilla> columnas_;
    std::vector<int64_t> registros_;                 // record number per row
    std::vector<std::vector<std::string>> valores_;  // what the grid shows
    std::vector<std::vector<char>> pendientes_;      // the marked cells
};

}  // namespace brisolt
