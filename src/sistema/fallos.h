#pragma once
// A system that passes every call on to another and fails the ones a test
// chose: the Nth call of an operation (or of any), optionally every one from
// then on, or a write that takes fewer bytes than offered. So a test can walk
// every system call of a command and see what each failure leaves behind.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sistema/sistema.h"

namespace brisolt {

enum class Operacion {
    Cualquiera,
    Abrir,
    Cerrar,
    Leer,
    Escribir,
    Sincronizar,
    Tamano,
    Truncar,
    Identidad,
    CopiarPermisos,
    Borrar,
    Renombrar,
    Enlazar,
    Canonica,
    CrearCarpeta,
    BorrarCarpeta,
    Listar,
    SincronizarCarpeta,
    CambiarCarpeta,
    CarpetaTemporal,
    EscribirPerfil,
    CargarBiblioteca,
    LiberarBiblioteca,
};

class SistemaConFallos final : public Sistema {
  public:
    struct Fallo {
        Operacion operacion = Operacion::Cualquiera;
        // Only calls on a path containing this (empty: all); on Windows in any
        // case and with either separator, as names are there.
        std::string ruta;
        uint64_t enesima = 1;  // counted among the calls that match, from 1
        CodigoES codigo = codigo_es::kErrorGeneral;
        bool desdeEntonces = false;  // that call and every matching one after it
        // For writes: instead of failing, take at most this many bytes.
        std::size_t bytes = SIZE_MAX;
        // The program stops here: this call and every later one, of any
        // operation, fail, as if the process had been killed.
        bool parar = false;
    };
    struct Llamada {
        Operacion operacion;
        std::string ruta;
        std::size_t bytes = 0;  // asked to read or write
    };

    // Installs itself over the system in force; the destructor puts that back.
    SistemaConFallos();
    ~SistemaConFallos() override;
    SistemaConFallos(const SistemaConFallos&) = delete;
    SistemaConFallos& operator=(const SistemaConFallos&) = delete;

    void Programar(const Fallo& fallo) { fallos_.push_back({fallo, 0}); }
    // A library of the test's own: loading `nombre` (exactly so spelt) gives
    // these functions instead of asking the system. Loads and unloads of it
    // are recorded (the path is the library's name) and can be failed.
    void FingirBiblioteca(const std::string& nombre,
                          std::map<std::string, FuncionBiblioteca> funciones) {
        fingidas_[nombre] = std::move(funciones);
    }
    void Olvidar() { fallos_.clear(); }
    // Every call made so far, in order; fallidas() how many were failed.
    const std::vector<Llamada>& Llamadas() const { return llamadas_; }
    uint64_t Fallidas() const { return fallidas_; }

    CodigoES Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                   Comparticion comparticion, Manejador* m) override;
    CodigoES Cerrar(Manejador m) override;
    CodigoES LeerEn(Manejador m, void* datos, std::size_t n, uint64_t pos,
                    std::size_t* leidos) override;
    CodigoES EscribirEn(Manejador m, const void* datos, std::size_t n, uint64_t pos,
                        std::size_t* escritos) override;
    CodigoES Sincronizar(Manejador m) override;
    CodigoES Tamano(Manejador m, uint64_t* tamano) override;
    CodigoES Truncar(Manejador m, uint64_t tamano) override;
    CodigoES Identidad(Manejador m, IdentidadArchivo* id) override;
    CodigoES Version(Manejador m, IdentidadArchivo* id) override;
    CodigoES CopiarPermisos(const std::string& modelo, Manejador m) override;
    CodigoES IdentidadDe(const std::string& ruta, IdentidadArchivo* id) override;
    CodigoES VersionDe(const std::string& ruta, IdentidadArchivo* id) override;
    TipoEntrada Tipo(const std::string& ruta) override { return real_.Tipo(ruta); }
    bool ExisteEntrada(const std::string& ruta) override { return real_.ExisteEntrada(ruta); }
    bool SoloLectura(const std::string& ruta) override { return real_.SoloLectura(ruta); }
    bool AbiertoPorOtro(const std::string& ruta) override { return real_.AbiertoPorOtro(ruta); }
    CodigoES Borrar(const std::string& ruta) override;
    CodigoES Renombrar(const std::string& de, const std::string& a) override;
    CodigoES Enlazar(const std::string& existente, const std::string& nuevo) override;
    CodigoES Canonica(const std::string& ruta, std::string* canonica) override;
    CodigoES CrearCarpeta(const std::string& ruta) override;
    CodigoES BorrarCarpeta(const std::string& ruta) override;
    CodigoES Listar(const std::string& carpeta, std::vector<std::string>* nombres) override;
    CodigoES SincronizarCarpeta(const std::string& carpeta) override;
    CodigoES CambiarCarpeta(const std::string& carpeta) override;
    std::string CarpetaActual() override { return real_.CarpetaActual(); }
    CodigoES CarpetaTemporal(const std::string& prefijo, std::string* ruta) override;
    std::vector<std::string> Unidades() override { return real_.Unidades(); }
    std::string RutaPrograma() override { return real_.RutaPrograma(); }
    std::optional<std::string> Entorno(const std::string& nombre) override {
        return real_.Entorno(nombre);
    }
    void FijarEntorno(const std::string& nombre, const std::string& valor) override {
        real_.FijarEntorno(nombre, valor);
    }
    std::tm HoraLocal() override { return real_.HoraLocal(); }
    int IdProceso() override { return real_.IdProceso(); }
    std::vector<std::string> Argumentos(int argc, char** argv) override {
        return real_.Argumentos(argc, argv);
    }
    void ConsolaUtf8() override { real_.ConsolaUtf8(); }
    CodigoES CargarBiblioteca(const std::string& nombre, ManejadorBiblioteca* b) override;
    FuncionBiblioteca FuncionDe(ManejadorBiblioteca b, const std::string& nombre) override;
    void LiberarBiblioteca(ManejadorBiblioteca b) override;
    CodigoES EscribirPerfilSistema(const std::string& ruta, const std::string& seccion,
                                   const std::string& clave, const std::string& valor) override;
    CodigoES Ejecutar(const std::vector<std::string>& argumentos, const std::string& salida,
                      const std::string& errores,
                      const std::vector<std::pair<std::string, std::string>>& entorno,
                      int* estado) override {
        return real_.Ejecutar(argumentos, salida, errores, entorno, estado);
    }

  private:
    struct Programado {
        Fallo fallo;
        uint64_t vistas;
    };
    // Records the call; the failure chosen for it, if any.
    const Fallo* Anotar(Operacion op, const std::string& ruta, std::size_t bytes = 0);
    const std::string& RutaDe(Manejador m) const;

    Sistema& real_;
    Sistema* anterior_;
    std::vector<Programado> fallos_;
    std::vector<Llamada> llamadas_;
    std::map<Manejador, std::string> rutas_;
    // A made-up library's handle is its entry here (std::map nodes stay put).
    std::map<std::string, std::map<std::string, FuncionBiblioteca>> fingidas_;
    uint64_t fallidas_ = 0;
    const Fallo* parado_ = nullptr;
};

}  // namespace brisolt
