// The copy back into the school folder: both files or neither, whatever point
// it fails at.

#include "import/devolver.h"

#include <cerrno>
#include <fstream>

#include "import/entorno.h"
#include "sistema/fallos.h"
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

// A system call of the copy back, by what it does and the file it touches.
struct PuntoDeFallo {
    const char* nombre;
    Operacion operacion;
    const char* ruta;
    int enesima;
};

SistemaConFallos::Fallo FalloEn(Operacion operacion, const char* ruta, int enesima,
                                CodigoES codigo) {
    SistemaConFallos::Fallo f;
    f.operacion = operacion;
    f.ruta = ruta;
    f.enesima = static_cast<uint64_t>(enesima);
    f.codigo = codigo;
    return f;
}

class DevolverConFallo : public Devolver, public ::testing::WithParamInterface<PuntoDeFallo> {};

TEST_P(DevolverConFallo, DejaLosOriginalesIntactos) {
    const PuntoDeFallo& p = GetParam();
    SistemaConFallos sistema;
    sistema.Programar(FalloEn(p.operacion, p.ruta, p.enesima, codigo_es::kDiscoLleno));
    try {
        DevolverHorarios(estado_->carpetaGC);
        FAIL() << "el fallo inyectado no llegó";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Error de E/S 112");
    }
    EXPECT_EQ(sistema.Fallidas(), 1u);
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(LeerBytes(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(LeerBytes(Gc("HORGRUP.CDX")), "indice");
    // Nothing written beside them is left behind.
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
}

INSTANTIATE_TEST_SUITE_P(
    Puntos, DevolverConFallo,
    ::testing::Values(
        PuntoDeFallo{"CrearGrupos", Operacion::Abrir, ".HORGRUP.DBF.nuevo", 1},
        PuntoDeFallo{"CrearProfesores", Operacion::Abrir, ".Horprof.dbf.nuevo", 1},
        // After part of the file was written.
        PuntoDeFallo{"EscribirGrupos", Operacion::Escribir, ".HORGRUP.DBF.nuevo", 2},
        PuntoDeFallo{"EscribirProfesores", Operacion::Escribir, ".Horprof.dbf.nuevo", 2},
        PuntoDeFallo{"SincronizarGrupos", Operacion::Sincronizar, ".HORGRUP.DBF.nuevo", 1},
        PuntoDeFallo{"SincronizarProfesores", Operacion::Sincronizar, ".Horprof.dbf.nuevo", 1},
        PuntoDeFallo{"AntesDeRenombrar", Operacion::Renombrar, "/HORGRUP.DBF", 1},
        // The first file is already in place: it is put back.
        PuntoDeFallo{"EntreLosRenombres", Operacion::Renombrar, "/Horprof.dbf", 1}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Without a hard link for the first original (a share or stick that has none,
// or a name a crashed run left taken) a copy of it must stand in, or a failed
// second rename would leave one new file beside one old.
TEST_F(Devolver, SinEnlaceElPrimerOriginalSigueGuardado) {
    for (const bool completa : {false, true}) {
        SCOPED_TRACE(completa ? "SinOtroFallo" : "EntreLosRenombres");
        Escribir(Gc("HORGRUP.DBF"), "grupos de antes");
        Escribir(Gc("Horprof.dbf"), "profesores de antes");
        SistemaConFallos sistema;
        sistema.Programar(FalloEn(Operacion::Enlazar, "", 1, codigo_es::kAccesoDenegado));
        if (!completa)
            sistema.Programar(
                FalloEn(Operacion::Renombrar, "/Horprof.dbf", 1, codigo_es::kDiscoLleno));
        if (completa) {
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
