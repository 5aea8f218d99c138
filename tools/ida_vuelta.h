#pragma once
// The round trip a head of studies makes, on the sample school: the school in
// C:\GC, the export, the generator stand-in, and the import with the missing
// DNIs typed in. Shared by brisolt-cli demo and the round-trip benchmark.

#include <cstdint>
#include <functional>
#include <string>

namespace brisolt {

struct IdaVuelta {
    double escuela = 0, exportar = 0, generador = 0, importar = 0;  // seconds
    int dnisTecleados = 0;
    std::string centro;     // the centre the import used
    bool completa = false;  // both commands ended with "Proceso finalizado"
};

// The DNIs typed into the identity dialog: numbers no sample teacher has.
inline constexpr int32_t kPrimerDniTecleado = 70000001;

// Runs in drive C: as it is mapped now. `alMensaje` sees each information
// message and `alComando` the name of each command as it starts. Stops at the
// first command that does not finish; engine errors are thrown.
IdaVuelta RecorrerIdaVuelta(uint32_t semilla, int escala,
                            const std::function<void(const std::string&)>& alComando,
                            const std::function<void(const std::string&)>& alMensaje);

}  // namespace brisolt
