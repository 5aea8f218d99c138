#include "import/devolver.h"

#include <algorithm>

#include "import/copias.h"
#include "import/diario.h"
#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt {

namespace {

[[noreturn]] void Fallo(CodigoES e, const std::string& nativa) {
    throw Error(MensajeErrorES(e) + ": " + RutaVisible(nativa));
}

std::string Carpeta(const std::string& ruta) {
    const auto barra = ruta.find_last_of('/');
    return barra == std::string::npos ? std::string(".") : ruta.substr(0, barra);
}

std::string Nombre(const std::string& ruta) {
    const auto barra = ruta.find_last_of('/');
    return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

bool Conflicto(CodigoES e) {
    return e == codigo_es::kViolacionCompartir || e == codigo_es::kViolacionBloqueo;
}

IdentidadArchivo IdentidadDe(const std::string& ruta) {
    IdentidadArchivo i;
    return SO().IdentidadDe(ruta, &i) == 0 ? i : IdentidadArchivo{};
}

// One file on its way in: where its new content comes from and the school's
// file it replaces (a link's target, in the target's folder).
struct Envio {
    std::string origen;
    std::string enCarpeta;  // the file in the school folder, in its spelling there
    std::string destino;    // what is replaced: that file, or a link's target
};

// The school's own spelling is looked up in its folder: a folder that cannot
// be read must not make a second file beside the first.
std::string EnCarpeta(const std::string& carpetaGC, const std::string& nombre) {
    const std::string carpeta = RutaNativa(carpetaGC);
    std::string hallado;
    if (CodigoES e = BuscarEnCarpeta(carpeta, nombre, &hallado)) Fallo(e, carpeta);
    return carpeta + "/" + (hallado.empty() ? nombre : hallado);
}

Envio Enviar(const std::string& origen, const std::string& carpetaGC, const std::string& nombre) {
    Envio e{origen, EnCarpeta(carpetaGC, nombre), {}};
    e.destino = e.enCarpeta;
    std::string real;
    // A link is followed to its target (Windows folders have none to follow).
    if (!kEsWindows && SO().ExisteEntrada(e.enCarpeta) && SO().Canonica(e.enCarpeta, &real) == 0)
        e.destino = real;
    return e;
}

// What the copy keeps: the files replaced and, beside the timetables, their
// index and memo files.
std::vector<std::string> ACopiar(const std::string& carpetaGC, const std::vector<Envio>& envios) {
    std::vector<std::string> archivos;
    for (const Envio& e : envios) {
        if (SO().Tipo(e.enCarpeta) == TipoEntrada::Archivo) archivos.push_back(e.enCarpeta);
    }
    for (const char* horario : kHorarios) {
        const std::string base = std::string(horario).substr(0, std::string(horario).size() - 4);
        for (const char* ext : {".cdx", ".fpt", ".mdx"}) {
            const std::string ruta = EnCarpeta(carpetaGC, base + ext);
            if (SO().Tipo(ruta) == TipoEntrada::Archivo &&
                std::find(archivos.begin(), archivos.end(), ruta) == archivos.end())
                archivos.push_back(ruta);
        }
    }
    return archivos;
}

// Files the school protects stop everything before anything is written.
void Comprobar(const std::string& destino) {
    if (SO().Tipo(destino) != TipoEntrada::Archivo) return;
    if (SO().SoloLectura(destino)) Fallo(codigo_es::kAccesoDenegado, destino);
    if (SO().AbiertoPorOtro(destino)) Fallo(codigo_es::kViolacionCompartir, destino);
}

std::string Fecha() {
    const std::tm t = SO().HoraLocal();
    auto dos = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return dos(t.tm_mday) + "/" + dos(t.tm_mon + 1) + "/" + std::to_string(t.tm_year + 1900) + " " +
           dos(t.tm_hour) + ":" + dos(t.tm_min) + ":" + dos(t.tm_sec);
}

// Writes `origen` whole into the new file `nuevo` beside `original`, with the
// original's permissions, and flushes it.
void EscribirNuevo(const std::string& origen, const std::string& nuevo,
                   const std::string& original) {
    SO().Borrar(nuevo);  // left by a run whose process number we now have
    CopiarCompleto(origen, nuevo, original);
}

void SincronizarCarpetas(const Diario& d) {
    for (const auto& a : d.archivos)
        if (CodigoES e = SO().SincronizarCarpeta(Carpeta(a.original)))
            Fallo(e, Carpeta(a.original));
}

// Puts each original back from its copy where the new file took its place
// (or the original changed), and removes the new files. The copies stay
// where they are, whatever happens. Failures raise Error; the journal stays.
void Deshacer(const Diario& d) {
    for (const auto& a : d.archivos) {
        SO().Borrar(a.nuevo + ".copia");  // left by an undo that was itself cut short
        const bool intacto =
            a.existia ? IdentidadDe(a.original) == a.antes : !SO().ExisteEntrada(a.original);
        if (!intacto) {
            if (!a.existia) {
                if (CodigoES e = SO().Borrar(a.original)) Fallo(e, a.original);
            } else {
                const std::string repuesto = a.nuevo + ".copia";
                try {
                    EscribirNuevo(a.copia, repuesto, a.original);
                } catch (...) {
                    SO().Borrar(repuesto);
                    throw;
                }
                if (CodigoES e = SO().Renombrar(repuesto, a.original)) {
                    SO().Borrar(repuesto);
                    Fallo(e, a.original);
                }
            }
        }
        if (SO().ExisteEntrada(a.nuevo))
            if (CodigoES e = SO().Borrar(a.nuevo)) Fallo(e, a.nuevo);
    }
    SincronizarCarpetas(d);
}

void QuitarNuevos(const Diario& d) {
    for (const auto& a : d.archivos) SO().Borrar(a.nuevo);
}

void TerminarDiario() {
    if (CodigoES e = BorrarDiario()) Fallo(e, RutaDiario());
}

void Reemplazar(const std::string& carpetaGC, const std::vector<Envio>& envios,
                const std::string& copiaRepuesta = {}) {
    for (const Envio& e : envios) Comprobar(e.destino);
    // Where the system's locks are advisory, hold the originals against
    // programs that ask, until the new files are in place.
    std::vector<Archivo> retenidos;
    if (!kEsWindows)
        for (const Envio& e : envios) {
            if (SO().Tipo(e.destino) != TipoEntrada::Archivo) continue;
            Archivo a;
            const CodigoES c =
                a.Abrir(e.destino, Acceso::Lectura, Creacion::Existente, Comparticion::Exclusiva);
            if (Conflicto(c)) Fallo(codigo_es::kViolacionCompartir, e.destino);
            if (c == 0) retenidos.push_back(std::move(a));
        }

    CodigoES error = 0;
    if (!CrearCarpetas(kCarpetaStaging, &error)) Fallo(error, RutaNativa(kCarpetaStaging));
    const Copia copia = CopiarHorarios(ACopiar(carpetaGC, envios), copiaRepuesta);

    Diario d;
    d.fecha = Fecha();
    d.carpeta = carpetaGC;
    for (const Envio& e : envios) {
        Diario::Archivo a;
        a.original = e.destino;
        a.nuevo = Carpeta(e.destino) + "/." + Nombre(e.destino) + ".nuevo" +
                  std::to_string(SO().IdProceso());
        a.existia = SO().Tipo(e.destino) == TipoEntrada::Archivo;
        if (a.existia) {
            // The copy keeps the name the file has in the school folder.
            a.copia = copia.carpeta + "/" + Nombre(e.enCarpeta);
            a.antes = IdentidadDe(e.destino);
        }
        d.archivos.push_back(a);
    }
    if (CodigoES e = GuardarDiario(d)) Fallo(e, RutaDiario());

    // Until both new files are complete on disk nothing of the school's is touched.
    try {
        for (std::size_t i = 0; i < envios.size(); ++i) {
            EscribirNuevo(envios[i].origen, d.archivos[i].nuevo, d.archivos[i].original);
            d.archivos[i].despues = IdentidadDe(d.archivos[i].nuevo);
        }
        d.fase = Diario::Fase::Renombrando;
        if (CodigoES e = GuardarDiario(d)) Fallo(e, RutaDiario());
    } catch (...) {
        QuitarNuevos(d);
        BorrarDiario();
        throw;
    }

    for (const auto& a : d.archivos) {
        if (CodigoES e = SO().Renombrar(a.nuevo, a.original)) {
            // Both stay of one age: what was renamed goes back to its copy.
            // Should that fail too, the journal stays for the next command.
            try {
                Deshacer(d);
            } catch (const Error& otro) {
                throw Error(MensajeErrorES(e) + ": " + RutaVisible(a.original) + ". " +
                            otro.what() +
                            ". Se repondrán los horarios anteriores al volver a empezar");
            }
            TerminarDiario();
            Fallo(e, a.original);
        }
    }
    retenidos.clear();
    SincronizarCarpetas(d);
    TerminarDiario();
}

}  // namespace

void DevolverHorarios(const std::string& carpetaGC) {
    std::vector<Envio> envios;
    for (const char* nombre : kHorarios)
        envios.push_back(Enviar(RutaNativa(UnirRuta(kCarpetaStaging, nombre)), carpetaGC, nombre));
    // A missing staged file is found before anything is copied.
    for (const Envio& e : envios)
        if (SO().Tipo(e.origen) != TipoEntrada::Archivo) Fallo(codigo_es::kNoEncontrado, e.origen);
    Reemplazar(carpetaGC, envios);
}

void ReponerCopia(const std::string& carpetaGC, const std::string& nombre) {
    std::string carpeta;
    for (const Copia& c : ListarCopias())
        if (c.nombre == nombre) carpeta = c.carpeta;
    if (carpeta.empty())
        throw Error("No hay ninguna copia " + nombre + " en " +
                    RutaVisible(RutaNativa(kCarpetaCopias)));
    std::vector<Envio> envios;
    std::vector<std::string> nombres;
    SO().Listar(carpeta, &nombres);
    for (const std::string& n : nombres) {
        const std::string origen = carpeta + "/" + n;
        if (SO().Tipo(origen) == TipoEntrada::Archivo)
            envios.push_back(Enviar(origen, carpetaGC, n));
    }
    if (envios.empty()) throw Error("La copia " + nombre + " está vacía");
    Reemplazar(carpetaGC, envios, nombre);
}

std::optional<std::string> TerminarDevolucionInterrumpida() {
    const std::optional<Diario> d = LeerDiario();
    if (!d) return std::nullopt;
    if (d->fase == Diario::Fase::Preparando) {
        // Nothing of the school's was touched yet.
        for (const auto& a : d->archivos)
            if (SO().ExisteEntrada(a.nuevo))
                if (CodigoES e = SO().Borrar(a.nuevo)) Fallo(e, a.nuevo);
        TerminarDiario();
        return "La importación interrumpida del " + d->fecha +
               " no llegó a cambiar los horarios del centro; se han retirado sus archivos "
               "temporales.";
    }
    bool hechos = true, pendientes = true;
    for (const auto& a : d->archivos) {
        const IdentidadArchivo ahora = IdentidadDe(a.original);
        hechos = hechos && ahora == a.despues;
        const bool intacto = a.existia ? ahora == a.antes : !SO().ExisteEntrada(a.original);
        pendientes = pendientes && intacto && IdentidadDe(a.nuevo) == a.despues;
    }
    if (!hechos && pendientes) {
        for (const auto& a : d->archivos)
            if (CodigoES e = SO().Renombrar(a.nuevo, a.original)) Fallo(e, a.original);
        SincronizarCarpetas(*d);
        hechos = true;
    }
    if (hechos) {
        TerminarDiario();
        return "Se completó la importación interrumpida del " + d->fecha + ".";
    }
    Deshacer(*d);
    TerminarDiario();
    return "Se deshizo la importación interrumpida del " + d->fecha +
           ": los horarios del centro vuelven a ser los de antes.";
}

}  // namespace brisolt
