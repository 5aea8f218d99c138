// Cursor operations: walks, Eof, settling of the pending record, Post with
// nothing pending, field lookup and the component's name in messages.

#include <gtest/gtest.h>

#include "tables/conversion.h"
#include "tables/error.h"
#include "tables/tabla.h"
#include "test_tabla_comun.h"

namespace brisolt {
namespace {

using namespace prueba;

class Cursor : public ::testing::Test {
  protected:
    void SetUp() override {
        ruta = dir / "PROFT.DBF";
        Crear(ruta, {Cadena("ABREV", 5), Cadena("NOMBRE", 20), Entero("DNI")},
              {{"ABREV", "ABREV"}});
        Llenar(ruta, {{"GLJ", "GARCIA LOPEZ, JUAN", "111"},
                      {"RA", "ROS, ANA", "222"},
                      {"PPM", "PEREZ PEREZ, MARIA", "333"}});
        t.SetTableName(ruta);
        t.Open();
    }
    Carpeta dir;
    std::string ruta;
    Tabla t;
};

TEST_F(Cursor, WalksInFileOrderAndStaysOnTheLastRecordAtEof) {
    EXPECT_EQ(Recorrer(t, "ABREV"), (std::vector<std::string>{"GLJ", "RA", "PPM"}));
    ASSERT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("ABREV").AsString(), "PPM");
    EXPECT_EQ(t.RecNo(), 3);
    t.Next();  // a second Next past the end changes nothing
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("DNI").AsInteger(), 333);
}

TEST_F(Cursor, FirstOnAnEmptyTableGivesEofAtOnce) {
    const std::string vacia = dir / "vacia.dbf";
    Crear(vacia, {Cadena("COD", 4)});
    Tabla v;
    v.SetTableName(vacia);
    v.Open();
    EXPECT_TRUE(v.Eof());
    v.First();
    EXPECT_TRUE(v.Eof());
    EXPECT_EQ(v.RecNo(), 0);
    EXPECT_EQ(v.FieldByName("COD").AsString(), "");
}

TEST_F(Cursor, MovingOnWritesAnAppendedRecordOnlyWhenAFieldWasSet) {
    // Settling happens in Append, First, Next, Locate, FindKey, GoTo and
    // SetIndexName; each of them must write a touched record and drop an
    // untouched one. FindKey needs an index in force: the walk keeps one
    // until the SetIndexName row takes it away.
    using Paso = std::function<void(Tabla&)>;
    const std::vector<std::pair<const char*, Paso>> pasos = {
        {"Append",
         [](Tabla& x) {
             x.Append();
             x.Post();
         }},
        {"First", [](Tabla& x) { x.First(); }},
        {"Next", [](Tabla& x) { x.Next(); }},
        {"Locate", [](Tabla& x) { x.Locate("ABREV", "GLJ"); }},
        {"FindKey", [](Tabla& x) { EXPECT_TRUE(x.FindKey({"RA"})); }},
        {"GoTo", [](Tabla& x) { x.GoTo(1); }},
        {"SetIndexName", [](Tabla& x) { x.SetIndexName(""); }},
    };
    t.SetIndexName("ABREV");
    for (const auto& [nombre, paso] : pasos) {
        SCOPED_TRACE(nombre);
        const int64_t antes = t.RecordCount();
        t.Append();
        paso(t);  // untouched: dropped (the Append case posts its own blank one)
        const int64_t blancos = std::string(nombre) == "Append" ? 1 : 0;
        EXPECT_EQ(t.RecordCount(), antes + blancos);
        t.Append();
        t.FieldByName("abrev").SetAsString("NEW");
        paso(t);
        EXPECT_EQ(t.RecordCount(), antes + blancos + 1 + blancos);
        EXPECT_TRUE(t.Locate("ABREV", "NEW"));
        t.Edit();
        t.FieldByName("ABREV").SetAsString("OLD");
        t.Post();
    }
}

TEST_F(Cursor, EditSettlesOnNextAndAnUntouchedEditLeavesTheFileAlone) {
    const std::string antes = Leer(ruta);
    t.First();
    t.Edit();
    t.Next();
    EXPECT_EQ(Leer(ruta), antes);
    t.First();
    t.Edit();
    t.FieldByName("NOMBRE").SetAsString("OTRO");
    t.Next();
    Tabla otra;
    otra.SetTableName(ruta);
    otra.Open();
    EXPECT_EQ(otra.FieldByName("NOMBRE").AsString(), "OTRO");
}

TEST_F(Cursor, CloseDropsThePendingRecord) {
    t.Append();
    t.FieldByName("ABREV").SetAsString("XX");
    t.Close();
    t.Open();
    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_FALSE(t.Locate("ABREV", "XX"));
}

TEST_F(Cursor, CancelDropsThePendingRecordAndStaysWhereItWas) {
    t.First();
    t.Next();
    t.Edit();
    t.FieldByName("NOMBRE").SetAsString("CAMBIADO");
    t.Cancel();
    EXPECT_FALSE(t.Editing());
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.FieldByName("NOMBRE").AsString(), "ROS, ANA");
    t.Append();
    t.FieldByName("ABREV").SetAsString("XX");
    t.Cancel();
    t.Next();  // nothing left to settle
    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_EQ(Recorrer(t, "NOMBRE")[1], "ROS, ANA");
    EXPECT_EQ(MensajeDeError([&] { t.Post(); }),
              "La fuente de datos no está en modo de edición o inserción");
}

TEST_F(Cursor, PostWithNothingPendingFailsWithTheComponentsName) {
    EXPECT_EQ(MensajeDeError([&] { t.Post(); }),
              "La fuente de datos no está en modo de edición o inserción");
    Tabla nombrada("wwTableAsignat");
    nombrada.SetTableName(ruta);
    nombrada.Open();
    EXPECT_EQ(MensajeDeError([&] { nombrada.Post(); }),
              "wwTableAsignat: La fuente de datos no está en modo de edición o inserción");
    // A Post writes once: the second one has nothing left.
    nombrada.Append();
    nombrada.FieldByName("ABREV").SetAsString("Z");
    nombrada.Post();
    EXPECT_THROW(nombrada.Post(), Error);
}

TEST_F(Cursor, FieldNamesMatchWithoutCaseAndAMissingOneIsNamedAsAsked) {
    EXPECT_EQ(t.FieldByName("Nombre").AsString(), "GARCIA LOPEZ, JUAN");
    EXPECT_TRUE(t.HasField("dni"));
    EXPECT_EQ(MensajeDeError([&] { t.FieldByName("Apenomprof"); }),
              "No se encuentra el campo 'Apenomprof'");
    Tabla nombrada("wwTableProfesor");
    nombrada.SetTableName(ruta);
    nombrada.Open();
    EXPECT_EQ(MensajeDeError([&] { nombrada.FieldByName("Apenomprof"); }),
              "wwTableProfesor: No se encuentra el campo 'Apenomprof'");
}

TEST_F(Cursor, LocateConvertsTextForAnIntegerField) {
    EXPECT_TRUE(t.Locate("DNI", "222"));
    EXPECT_EQ(t.FieldByName("ABREV").AsString(), "RA");
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_FALSE(t.Locate("DNI", "999"));
    EXPECT_EQ(t.RecNo(), 2);  // a failed Locate does not move
    Tabla nombrada("wwTablePro");
    nombrada.SetTableName(ruta);
    nombrada.Open();
    // Conversion texts carry no component name.
    EXPECT_EQ(MensajeDeError([&] { nombrada.Locate("DNI", "12A"); }),
              "'12A' no es un valor entero válido");
    EXPECT_EQ(MensajeDeError([&] { nombrada.Locate("DNI", ""); }),
              "'' no es un valor entero válido");
}

TEST_F(Cursor, LocateReadsAFloatFieldsTextWithTheDecimalSeparator) {
    const std::string horas = dir / "HORAS.DBF";
    struct Coma {
        Coma() { FijarSeparadorDecimal(','); }
        ~Coma() { FijarSeparadorDecimal('\0'); }
    } coma;
    Crear(horas, {Cadena("COD", 4), Flotante("NHORAS")});
    Llenar(horas, {{"A", "3"}, {"B", "2,5"}});
    Tabla h;
    h.SetTableName(horas);
    h.Open();
    EXPECT_TRUE(h.Locate("NHORAS", "2,5"));
    EXPECT_EQ(h.FieldByName("COD").AsString(), "B");
    EXPECT_TRUE(h.Locate("NHORAS", "3"));
    EXPECT_EQ(h.FieldByName("COD").AsString(), "A");
    EXPECT_EQ(MensajeDeError([&] { h.Locate("NHORAS", "2.5"); }),
              "'2.5' no es un valor punto flotante válido");
}

TEST_F(Cursor, LocateIsWholeValueCaseSensitiveAndTakesTheFirstMatch) {
    Llenar(ruta, {{"RA", "SEGUNDA RA", "444"}});
    EXPECT_FALSE(t.Locate("ABREV", "ra"));
    EXPECT_FALSE(t.Locate("ABREV", "R"));
    ASSERT_TRUE(t.Locate("ABREV", "RA"));
    EXPECT_EQ(t.RecNo(), 2);
    // A record appended through this cursor is found by the next Locate.
    t.Append();
    t.FieldByName("ABREV").SetAsString("NUEVO");
    t.Post();
    EXPECT_TRUE(t.Locate("ABREV", "NUEVO"));
    EXPECT_EQ(t.RecNo(), 5);
}

TEST_F(Cursor, TwoCursorsOnOneFileSeeEachOthersPosts) {
    Tabla otra;
    otra.SetTableName(ruta);
    otra.Open();
    otra.First();
    t.First();
    t.Next();
    t.Edit();
    t.FieldByName("ABREV").SetAsString("RA2");
    t.Post();
    otra.Next();
    EXPECT_EQ(otra.RecNo(), t.RecNo());
    EXPECT_EQ(otra.FieldByName("ABREV").AsString(), "RA2");
    t.Append();
    t.FieldByName("ABREV").SetAsString("Q");
    t.Post();
    EXPECT_EQ(Recorrer(otra, "ABREV").back(), "Q");
}

TEST_F(Cursor, TextIsReadWithoutTrailingBlanksAndCutToTheWidth) {
    t.Append();
    t.FieldByName("ABREV").SetAsString("  AB  ");
    t.FieldByName("NOMBRE").SetAsString("UN NOMBRE MUCHO MAS LARGO QUE VEINTE");
    t.Post();
    EXPECT_EQ(t.FieldByName("ABREV").AsString(), "  AB");
    // Cut to the width of 20, then read without the blank the cut left last.
    EXPECT_EQ(t.FieldByName("NOMBRE").AsString(), "UN NOMBRE MUCHO MAS");
}

}  // namespace
}  // namespace brisolt
