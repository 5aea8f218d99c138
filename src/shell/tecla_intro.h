#pragma once
// Which "Aceptar" the Enter key presses in the main window, decided here once
// for every front end. Both buttons are default buttons; the one whose button
// has the focus always answers Enter. Elsewhere in the window Enter goes to
// the harmless one: the export, which only rebuilds the exchange tables. The
// import, which rewrites the school's timetables, answers Enter from anywhere
// only when its panel is the only one shown (embedded "importar").
// Controls that use Enter themselves keep it: the folder list opens the
// folder, and the folder field, which nothing reads, lets it go nowhere.

namespace brisolt {

enum class BotonIntro { Exportar, Importar };

constexpr BotonIntro BotonPorDefecto(bool panelExportar, bool panelImportar) {
    return panelImportar && !panelExportar ? BotonIntro::Importar : BotonIntro::Exportar;
}

}  // namespace brisolt
