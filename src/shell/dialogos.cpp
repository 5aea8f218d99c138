#include "shell/dialogos.h"

#include "import/control_profesores.h"

namespace brisolt::dialogos {

using controles::kAjustar;
using controles::kNegrita;

const std::array<BotonNavegador, kBotonesNavegador> kNavegador{{
    {"nbFirst", "|◀", "Move to first record"},
    {"nbPriorPage", "◀◀", "Move backward 10 records"},
    {"nbPrior", "◀", "Move to prior record"},
    {"nbNext", "▶", "Move to next record"},
    {"nbNextPage", "▶▶", "Move forward 10 records"},
    {"nbLast", "▶|", "Move to last record"},
    {"nbEdit", "✎", "Edit current record"},
    {"nbPost", "✔", "Post changes of current record"},
    {"nbCancel", "✖", "Cancel changes made to current record"},
    {"nbRefresh", "↻", "Refresh the contents of the dataset"},
}};

namespace {

constexpr Color kSinColor{};

// The dialog's title, top left: large, bold, in the hot-track blue.
Etiqueta Titulo(Rect sitio, const char* texto) {
    return {"Label1",  sitio,
            texto,     kResalte,
            kSinColor, kNegrita | kAjustar,
            false,     Alineacion::Izquierda,
            13};
}

// The notes' heading: red, bold, underlined, centred on its own colour.
Etiqueta Cabecera(Rect sitio, const char* texto) {
    return {"Label3", sitio, texto, kRojo, kFondoAviso, kNegrita, true, Alineacion::Centro, 0};
}

// The notes: navy, bold, wrapped.
Etiqueta Notas(Rect sitio, const char* texto) {
    return {"Label2",  sitio,
            texto,     kAzulMarino,
            kSinColor, kNegrita | kAjustar,
            false,     Alineacion::Izquierda,
            0};
}

}  // namespace

const Dialogo& ControlProfesores() {
    static const Dialogo d{
        "ControlProfesores",
        "Control de Profesores",
        726,
        499,
        24,
        25,
        "Draw3D1",
        {Titulo({9, 20, 202, 32}, "CONTROL DEL D.N.I DE LOS PROFESORES"),
         Cabecera({521, 66, 190, 13}, "INCIDENCIAS EN EL TRASPASO"),
         Notas({517, 91, 201, 104},
               "Se ha detectado que existe algún Profesor sin D.N.I. Para poder realizar "
               "correctamente la integración del Horario en GESCEN, deberán asignarlo en esta "
               "rejilla. Los Profesores deberán estar creados previamente en GESCEN, con los "
               "mismos D.N.I's.")},
        "ProftDBGrid",
        {9, 56, 504, 433},
        {{"ABREV", 4, "ABREV", true, {}},
         {"NOMBRE", 40, "NOMBRE", true, {}},
         {"DEPART", 12, "DEPARTAMENTO", true, {}},
         // A teacher without a DNI is the reason the dialog opens: marked.
         {"DNI", 10, "DNI", false, SinDni}},
        "wwDBNavigator1",
        {236, 29, 275, 24},
        "BitBtn1",
        {584, 216, 75, 25},
        "Salir",
        kNegrita,
    };
    return d;
}

const Dialogo& ControlPlantilla() {
    static const Dialogo d{
        "ControlPlantilla",
        "Control de Plantilla Horaria",
        726,
        463,
        24,
        25,
        "Draw3D1",
        {Titulo({9, 12, 151, 64}, "COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"),
         Cabecera({505, 57, 210, 13}, "PLANTILLA HORARIA DEL CENTRO"),
         Notas({504, 91, 209, 130},
               "Se ha recogido la siguiente Plantilla Horaria desde GESCEN. Compruébela y "
               "modifique, en caso necesario, las Horas de Inicio y Final de Clase, en la "
               "presente rejilla. Deben ser iguales que la Plantilla Horaria que estén "
               "utilizando en GESCEN. Una vez adaptada la Rejilla Horaria, Pulse sobre el Botón "
               "Salir.")},
        "PlantiHorDBGrid",
        {156, 56, 330, 385},
        {{"HORA", 7, "HORA", true, {}},
         {"HORAINI", 20, "HORA INICIO CLASE", false, {}},
         {"HORAFIN", 19, "HORA FINAL CLASE", false, {}}},
        "wwDBNavigator1",
        {180, 29, 275, 24},
        "BitBtn1",
        {576, 312, 75, 25},
        "Salir",
        kNegrita,
    };
    return d;
}

}  // namespace brisolt::dialogos
