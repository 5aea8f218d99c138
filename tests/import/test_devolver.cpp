// The copy back into the school folder: both files or neither, whatever point
// it fails at.

#include "import/devolver.h"

#include <cerrno>
#include <fstream>

#include "import/entorno.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt::prueba {
namespace {

void Escribir(const std::string& ruta, const std::string& bytes) {
    std::ofstream(ruta, std::ios::binary) << bytes;
}

class Devolver : public EntornoImportacion {
  protected:
    void SetUp() override {
        EntornoImportacion::SetUp();
        // Larger than one block, so a failure while writing leaves a partial copy.
        Escribir(Staging("horgrup.dbf"), std::string(150000, 'g'));
        Escribir(Staging("horprof.dbf"), std::string(90000, 'p'));
        // The school's own spelling, and files that must not travel.
        Escribir(Gc("HORGRUP.DBF"), "grupos de antes");
        Escribir(Gc("Horprof.dbf"), "profesores de antes");
        Escribir(Gc("HORGRUP.CDX"), "indice");
        antes_ = ArchivosDe(Gc(""));
    }
    std::vector<std::string> antes_;
};

TEST_F(Devolver, AmbosArchivosEnSuSitioConSuNombre) {
    DevolverHorarios(estado_->carpetaGC);
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.DBF")), LeerBytes(Staging("horgrup.dbf")));
    EXPECT_EQ(LeerBytes(Gc("Horprof.dbf")), LeerBytes(Staging("horprof.dbf")));
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.CDX")), "indice");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
}

struct PuntoDeFallo {
    const char* nombre;
    PuntoDevolucion punto;
    const char* archivo;
};

class DevolverConFallo : public Devolver, public ::testing::WithParamInterface<PuntoDeFallo> {};

TEST_P(DevolverConFallo, DejaLosOriginalesIntactos) {
    const PuntoDeFallo& fallo = GetParam();
    FijarFalloDevolucion([&](PuntoDevolucion punto, const std::string& archivo) {
        return punto == fallo.punto && archivo == fallo.archivo ? ENOSPC : 0;
    });
    try {
        DevolverHorarios(estado_->carpetaGC);
        FAIL() << "el fallo inyectado no llegó";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), MensajeErrorES(CodigoWindows(ENOSPC)));
    }
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(LeerBytes(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.CDX")), "indice");
    // Nothing written beside them is left behind.
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
}

INSTANTIATE_TEST_SUITE_P(
    Puntos, DevolverConFallo,
    ::testing::Values(
        PuntoDeFallo{"CrearGrupos", PuntoDevolucion::CrearTemporal, "horgrup.dbf"},
        PuntoDeFallo{"CrearProfesores", PuntoDevolucion::CrearTemporal, "horprof.dbf"},
        PuntoDeFallo{"EscribirGrupos", PuntoDevolucion::Escribir, "horgrup.dbf"},
        PuntoDeFallo{"EscribirProfesores", PuntoDevolucion::Escribir, "horprof.dbf"},
        PuntoDeFallo{"SincronizarGrupos", PuntoDevolucion::Sincronizar, "horgrup.dbf"},
        PuntoDeFallo{"SincronizarProfesores", PuntoDevolucion::Sincronizar, "horprof.dbf"},
        PuntoDeFallo{"AntesDeRenombrar", PuntoDevolucion::Renombrar, "horgrup.dbf"},
        // The first file is already in place: it is put back.
        PuntoDeFallo{"EntreLosRenombres", PuntoDevolucion::Renombrar, "horprof.dbf"}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Without a hard link for the first original (a share or stick that has none,
// or a name a crashed run left taken) a copy of it must stand in, or a failed
// second rename would leave one new file beside one old.
TEST_F(Devolver, SinEnlaceElPrimerOriginalSigueGuardado) {
    struct Caso {
        const char* nombre;
        PuntoDevolucion punto;  // what else fails, for horprof.dbf
        bool completa;
    };
    for (const Caso& caso : {Caso{"EntreLosRenombres", PuntoDevolucion::Renombrar, false},
                             Caso{"SinOtroFallo", PuntoDevolucion::CrearTemporal, true}}) {
        SCOPED_TRACE(caso.nombre);
        Escribir(Gc("HORGRUP.DBF"), "grupos de antes");
        Escribir(Gc("Horprof.dbf"), "profesores de antes");
        FijarFalloDevolucion([&](PuntoDevolucion punto, const std::string& archivo) {
            if (punto == PuntoDevolucion::Enlazar) return EPERM;
            return caso.completa || punto != caso.punto || archivo != "horprof.dbf" ? 0 : ENOSPC;
        });
        if (caso.completa) {
            DevolverHorarios(estado_->carpetaGC);
            EXPECT_EQ(LeerBytes(Gc("HORGRUP.DBF")), LeerBytes(Staging("horgrup.dbf")));
            EXPECT_EQ(LeerBytes(Gc("Horprof.dbf")), LeerBytes(Staging("horprof.dbf")));
        } else {
            EXPECT_THROW(DevolverHorarios(estado_->carpetaGC), Error);
            EXPECT_EQ(LeerBytes(Gc("HORGRUP.DBF")), "grupos de antes");
            EXPECT_EQ(LeerBytes(Gc("Horprof.dbf")), "profesores de antes");
        }
        EXPECT_EQ(ArchivosDe(Gc("")), antes_);
    }
}

TEST_F(Devolver, SinCopiaPreparadaNadaCambia) {
    std::remove(Staging("horprof.dbf").c_str());
    try {
        DevolverHorarios(estado_->carpetaGC);
        FAIL() << "sin horprof.dbf preparado no hay nada que devolver";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "No se encuentra el archivo");
    }
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(LeerBytes(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
}

}  // namespace
}  // namespace brisolt::prueba
