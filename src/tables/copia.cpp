#include "tables/copia.h"

#include <string_view>

#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

constexpr std::size_t kBloque = 2048;

// What the school's runtime reports when a destination takes fewer bytes than
// it was offered without the system naming an error.
constexpr int kCodigoDiscoLleno = 101;

[[noreturn]] void FallarCodigo(int codigo) {
    throw Error(MensajeErrorES(codigo));
}

void Comprobar(CodigoES codigo) {
    if (codigo != 0) FallarCodigo(codigo);
}

std::size_t InicioNombre(std::string_view ruta) {
    const auto pos = ruta.find_last_of("\\/:");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string_view ParteNombre(std::string_view ruta) {
    return ruta.substr(InicioNombre(ruta));
}

std::string CarpetaDe(const std::string& rutaNativa) {
    const auto pos = rutaNativa.find_last_of('/');
    if (pos == std::string::npos) return ".";
    return pos == 0 ? "/" : rutaNativa.substr(0, pos);
}

// Another program's exclusive hold forbids what we ask, as a sharing violation
// does; shared holders read and write beside us. A file that cannot be created
// because a folder on its way is missing is an invalid name to the school's
// runtime, not a missing file.
void Abrir(Archivo& archivo, const std::string& rutaNativa, Acceso acceso, Creacion creacion) {
    const CodigoES e = archivo.Abrir(rutaNativa, acceso, creacion, Comparticion::Compartida);
    if (e == codigo_es::kNoEncontrado && !ExisteCarpeta(CarpetaDe(rutaNativa)))
        FallarCodigo(codigo_es::kRutaNoEncontrada);
    Comprobar(e);
}

}  // namespace

void CopiarArchivo(const std::string& destino, const std::string& origen) {
    std::string rutaDestino = destino;
    if (ParteNombre(rutaDestino).empty()) rutaDestino += ParteNombre(origen);

    if (!ExisteArchivo(origen)) return;

    const std::string nativaOrigen = RutaNativa(origen);
    VolcarTablaAbierta(nativaOrigen);
    // Read only: a read-only file or medium in the school folder stages fine.
    Archivo fuente;
    Abrir(fuente, nativaOrigen, Acceso::Lectura, Creacion::Existente);

    // Truncated only once we know nobody holds it exclusively, so a refused
    // copy leaves the other program's file whole.
    const std::string nativaDestino = RutaNativa(rutaDestino);
    Archivo copia;
    Abrir(copia, nativaDestino, Acceso::LecturaEscritura, Creacion::Crear);
    Comprobar(SO().Truncar(copia.Manejador(), 0));

    char bufer[kBloque];
    for (uint64_t pos = 0;;) {
        std::size_t n = 0;
        Comprobar(SO().LeerEn(fuente.Manejador(), bufer, kBloque, pos, &n));
        if (n == 0) break;
        std::size_t escritos = 0;
        Comprobar(SO().EscribirEn(copia.Manejador(), bufer, n, pos, &escritos));
        if (escritos != n) FallarCodigo(kCodigoDiscoLleno);
        pos += n;
    }

    Comprobar(copia.Cerrar());
    Comprobar(fuente.Cerrar());
}

void ReemplazarArchivo(const std::string& destino, const std::string& origen) {
    // The engine's deletion leaves a file that a table object holds, as the
    // system refuses to delete a file open without shared deletion; the copy
    // then reports the conflict when it creates the destination.
    if (ExisteArchivo(destino)) BorrarArchivoTabla(RutaNativa(destino));
    CopiarArchivo(destino, origen);
}

std::string MensajeErrorES(int codigo) {
    switch (codigo) {
        case 2:
            return "No se encuentra el archivo";
        case 3:
            return "Nombre de archivo inválido";
        case 4:
            return "Demasiados archivos abiertos";
        case 5:
            return "Acceso al archivo denegado";
        case 100:
            return "Se intenta leer después del fin del archivo";
        case 101:
            return "Disco lleno";
        case 106:
            return "Valor numérico de entrada inválido";
        default:
            return "Error de E/S " + std::to_string(codigo);
    }
}

}  // namespace brisolt
