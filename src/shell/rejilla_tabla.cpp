#include "shell/rejilla_tabla.h"

#include <exception>

#include "import/rejilla.h"
#include "tables/tabla.h"

namespace brisolt {

RejillaTabla::RejillaTabla(Tabla& tabla, std::vector<ColumnaRejilla> columnas)
    : tabla_(tabla), columnas_(std::move(columnas)) {
    Leer();
}

template <class F>
bool RejillaTabla::Intentar(F&& operacion) {
    bool hecho = true;
    std::string mensaje;
    try {
        operacion();
    } catch (const std::exception& e) {
        hecho = false;
        mensaje = e.what();
    }
    rechazado_ = !hecho;
    if (!hecho && alRechazar) alRechazar(mensaje);
    if (alCambiarEstado) alCambiarEstado();
    return hecho;
}

void RejillaTabla::Leer() {
    registros_.clear();
    valores_.clear();
    pendientes_.clear();
    if (!tabla_.Active()) return;
    for (tabla_.First(); !tabla_.Eof(); tabla_.Next()) {
        registros_.push_back(tabla_.RecNo());
        valores_.emplace_back(columnas_.size());
        pendientes_.emplace_back(columnas_.size());
        LeerRegistro(Filas() - 1);
    }
    tabla_.First();
}

void RejillaTabla::LeerRegistro(int fila) {
    auto& valores = valores_[static_cast<std::size_t>(fila)];
    auto& pendientes = pendientes_[static_cast<std::size_t>(fila)];
    for (std::size_t c = 0; c < columnas_.size(); ++c) {
        valores[c] = tabla_.FieldByName(columnas_[c].campo).AsString();
        pendientes[c] = columnas_[c].pendiente && columnas_[c].pendiente(tabla_);
    }
}

void RejillaTabla::LeerFila(int fila) {
    LeerRegistro(fila);
    if (alCambiarFila) alCambiarFila(fila);
}

const std::string& RejillaTabla::Valor(int fila, int columna) const {
    return valores_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(columna)];
}

bool RejillaTabla::Pendiente(int fila, int columna) const {
    return pendientes_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(columna)] != 0;
}

bool RejillaTabla::Editable(int columna) const {
    return columna >= 0 && columna < NumColumnas() &&
           !columnas_[static_cast<std::size_t>(columna)].fija;
}

int RejillaTabla::PrimeraPendiente() const {
    for (std::size_t f = 0; f < pendientes_.size(); ++f)
        for (const char marcada : pendientes_[f])
            if (marcada) return static_cast<int>(f);
    return -1;
}

int RejillaTabla::PrimeraEditable() const {
    for (int c = 0; c < NumColumnas(); ++c)
        if (Editable(c)) return c;
    return -1;
}

bool RejillaTabla::Siguiente(int& fila, int& columna) const {
    for (int f = fila, c = columna + 1; f < Filas(); ++f, c = 0)
        for (; c < NumColumnas(); ++c)
            if (Editable(c)) {
                fila = f;
                columna = c;
                return true;
            }
    return false;
}

bool RejillaTabla::Anterior(int& fila, int& columna) const {
    for (int f = fila, c = columna - 1; f >= 0; --f, c = NumColumnas() - 1)
        for (; c >= 0; --c)
            if (Editable(c)) {
                fila = f;
                columna = c;
                return true;
            }
    return false;
}

bool RejillaTabla::Escribir(int fila, int columna, const std::string& texto) {
    if (fila < 0 || fila >= Filas() || !Editable(columna)) return false;
    // An unchanged cell leaves the record as it was.
    if (FilaActual() == fila && Valor(fila, columna) == texto) {
        escrituraRechazada_ = false;
        return true;
    }
    if (FilaActual() != fila && !Posicionar(fila)) {
        escrituraRechazada_ = true;
        return false;
    }
    // Set before the refusal is told, so whoever hears it can take it.
    escrituraRechazada_ = true;
    const bool escrito = Intentar([&] {
        EntrarRejilla(tabla_);
        tabla_.FieldByName(columnas_[static_cast<std::size_t>(columna)].campo).SetText(texto);
        LeerFila(fila);
    });
    if (escrito) escrituraRechazada_ = false;
    return escrito;
}

int RejillaTabla::FilaActual() const {
    const int64_t recno = tabla_.Active() ? tabla_.RecNo() : 0;
    for (std::size_t i = 0; i < registros_.size(); ++i)
        if (registros_[i] == recno) return static_cast<int>(i);
    return -1;
}

bool RejillaTabla::Posicionar(int fila) {
    if (fila < 0 || fila >= Filas() || FilaActual() == fila) return true;
    const int anterior = FilaActual();
    return Intentar([&] {
        // Moving the cursor writes the row being edited, as leaving it does.
        SalirRejilla(tabla_);
        if (anterior >= 0) LeerFila(anterior);
        tabla_.GoTo(registros_[static_cast<std::size_t>(fila)]);
    });
}

bool RejillaTabla::Entrar() {
    return Intentar([&] { EntrarRejilla(tabla_); });
}

bool RejillaTabla::Salir() {
    const int fila = FilaActual();
    return Intentar([&] {
        SalirRejilla(tabla_);
        if (fila >= 0) LeerFila(fila);
    });
}

bool RejillaTabla::Editar() {
    return Intentar([&] { tabla_.Edit(); });
}

bool RejillaTabla::Cancelar() {
    if (!tabla_.Editing()) return true;
    const int fila = FilaActual();
    return Intentar([&] {
        tabla_.Cancel();
        if (fila >= 0) LeerFila(fila);
    });
}

bool RejillaTabla::Refrescar() {
    if (Editando()) return false;
    const int fila = FilaActual();
    if (alEmpezarLectura) alEmpezarLectura();
    const bool leido = Intentar([&] { Leer(); });
    if (alAcabarLectura) alAcabarLectura();
    if (leido && fila >= 0 && fila < Filas()) Posicionar(fila);
    return leido;
}

bool RejillaTabla::Editando() const {
    return tabla_.Active() && tabla_.Editing();
}

}  // namespace brisolt
