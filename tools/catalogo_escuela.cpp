#include "catalogo_escuela.h"

namespace brisolt::muestra {

namespace {
// Course bits: 1-4 ESO, then 1-2 BAC.
constexpr uint8_t E1 = 1, E2 = 2, E3 = 4, E4 = 8, B1 = 16, B2 = 32;
constexpr uint8_t ESO = E1 | E2 | E3 | E4, BAC = B1 | B2, TOTS = ESO | BAC;
}  // namespace

const std::vector<MateriaCatalogo>& Materias() {
    static const std::vector<MateriaCatalogo> materias = {
        {"VAL", "Valencià: Llengua i Literatura", "Lengua y Literatura Valenciana", 3, "Valencià",
         TOTS},
        {"CAS", "Castellà: Llengua i Literatura", "Lengua Castellana y Literatura", 3, "Castellà",
         TOTS},
        {"ING", "Llengua Estrangera: Anglés", "Lengua Extranjera: Inglés", 3, "Anglés", TOTS},
        {"MAT", "Matemàtiques", "Matemáticas", 4, "Matemàtiques", TOTS},
        {"BIO", "Biologia i Geologia", "Biología y Geología", 3, "Biologia i Geologia", ESO},
        {"FIQ", "Física i Química", "Física y Química", 3, "Física i Química", E2 | E3 | E4 | B1},
        {"GEH", "Geografia i Història", "Geografía e Historia", 3, "Geografia i Història", ESO},
        {"EFI", "Educació Física", "Educación Física", 2, "Educació Física", ESO | B1},
        {"MUS", "Música", "Música", 2, "Música", ESO},
        {"EPV", "Educació Plàstica i Visual", "Educación Plástica y Visual", 2, "Dibuix", ESO},
        {"TEC", "Tecnologia i Digitalització", "Tecnología y Digitalización", 2, "Tecnologia",
         E1 | E2 | E3},
        {"TUT", "Tutoria", "Tutoría", 1, "Orientació", TOTS},
        {"REL", "Religió", "Religión", 1, "Religió", TOTS},
        {"ATE", "Atenció Educativa", "Atención Educativa", 1, "Filosofia", TOTS},
        {"EVC", "Educació en Valors Cívics", "Educación en Valores Cívicos", 1, "Filosofia", E2},
        {"FRA", "Francés", "Francés", 2, "Francés", TOTS},
        {"ALE", "Alemany", "Alemán", 2, "Alemany", TOTS},
        {"ITA", "Italià", "Italiano", 2, "Francés", TOTS},
        {"ORA", "Oratòria", "Oratoria", 2, "Castellà", ESO},
        {"TMA", "Taller de Matemàtiques", "Taller de Matemáticas", 2, "Matemàtiques", ESO},
        {"RLL", "Reforç de Llengua", "Refuerzo de Lengua", 2, "Valencià", ESO},
        {"RMA", "Reforç de Matemàtiques", "Refuerzo de Matemáticas", 2, "Matemàtiques", ESO},
        {"PRB", "Programació i Robòtica", "Programación y Robótica", 2, "Tecnologia", ESO},
        {"CCL", "Cultura Clàssica", "Cultura Clásica", 2, "Llatí i Grec", E3 | E4},
        {"IAE", "Emprenedoria", "Emprendimiento", 2, "Economia", E3 | E4 | B1},
        {"IAU", "Imatge i Comunicació", "Imagen y Comunicación", 2, "Dibuix", E3},
        {"CLA", "Comunicació Audiovisual", "Comunicación Audiovisual", 2, "Dibuix", E2 | E3 | E4},
        {"PRI", "Projecte Interdisciplinari", "Proyecto Interdisciplinar", 2, "Tecnologia", E3},
        {"ACM", "Àmbit Científic i Matemàtic", "Ámbito Científico y Matemático", 7, "Matemàtiques",
         E3 | E4},
        {"ALS", "Àmbit Lingüístic i Social", "Ámbito Lingüístico y Social", 7,
         "Geografia i Història", E3 | E4},
        {"MAA", "Matemàtiques A", "Matemáticas A", 4, "Matemàtiques", E4},
        {"MAB", "Matemàtiques B", "Matemáticas B", 4, "Matemàtiques", E4},
        {"DIG", "Digitalització", "Digitalización", 3, "Informàtica", E4},
        {"ECO", "Economia", "Economía", 3, "Economia", E4 | B1},
        {"LLA", "Llatí", "Latín", 3, "Llatí i Grec", E4 | BAC},
        {"FIL", "Filosofia", "Filosofía", 3, "Filosofia", E4 | B1},
        {"FPO", "Formació i Orientació Personal", "Formación y Orient. Personal", 2, "Orientació",
         E4},
        {"TCN", "Tecnologia", "Tecnología", 3, "Tecnologia", E4},
        {"CCI", "Cultura Científica", "Cultura Científica", 2, "Biologia i Geologia", E4 | B1},
        {"EXP", "Expressió Artística", "Expresión Artística", 3, "Dibuix", E4},
        {"ARE", "Arts Escèniques i Dansa", "Artes Escénicas y Danza", 2, "Música", E4},
        {"FIS", "Física", "Física", 4, "Física i Química", B2},
        {"QUI", "Química", "Química", 4, "Física i Química", B2},
        {"BGA", "Biologia, Geologia i CC. Amb.", "Biología, Geología y CC. Amb.", 4,
         "Biologia i Geologia", B1},
        {"BIB", "Biologia", "Biología", 4, "Biologia i Geologia", B2},
        {"GEO", "Geologia i CC. Ambientals", "Geología y CC. Ambientales", 4, "Biologia i Geologia",
         B2},
        {"DTE", "Dibuix Tècnic", "Dibujo Técnico", 4, "Dibuix", BAC},
        {"TIN", "Tecnologia i Enginyeria", "Tecnología e Ingeniería", 4, "Tecnologia", BAC},
        {"MCS", "Matemàtiques Aplicades CCSS", "Matemáticas Aplicadas CCSS", 4, "Matemàtiques",
         BAC},
        {"GRE", "Grec", "Griego", 4, "Llatí i Grec", BAC},
        {"HMC", "Història del Món Contemporani", "Historia del Mundo Contemp.", 4,
         "Geografia i Història", B1},
        {"LUN", "Literatura Universal", "Literatura Universal", 4, "Castellà", B1},
        {"EMP", "Empresa i Disseny de Models", "Empresa y Diseño de Modelos", 4, "Economia", B2},
        {"ECE", "Economia de l'Empresa", "Economía de la Empresa", 4, "Economia", B2},
        {"FAG", "Fonaments d'Administració", "Fundamentos de Administración", 4, "Economia", B2},
        {"GGR", "Geografia", "Geografía", 4, "Geografia i Història", B2},
        {"HAR", "Història de l'Art", "Historia del Arte", 4, "Geografia i Història", B2},
        {"HES", "Història d'Espanya", "Historia de España", 3, "Geografia i Història", B2},
        {"HFI", "Història de la Filosofia", "Historia de la Filosofía", 3, "Filosofia", B2},
        {"PSI", "Psicologia", "Psicología", 2, "Filosofia", B2},
        {"ANA", "Anatomia Aplicada", "Anatomía Aplicada", 2, "Biologia i Geologia", B1},
        {"CAU", "Cultura Audiovisual", "Cultura Audiovisual", 4, "Dibuix", BAC},
        {"DAR", "Dibuix Artístic", "Dibujo Artístico", 4, "Dibuix", BAC},
        {"VOL", "Volum", "Volumen", 4, "Dibuix", B1},
        {"PAR", "Projectes Artístics", "Proyectos Artísticos", 4, "Dibuix", B1},
        {"DIS", "Disseny", "Diseño", 4, "Dibuix", B2},
        {"TEG", "Tècniques Graficoplàstiques", "Técnicas Graficoplásticas", 4, "Dibuix", B2},
        {"FAR", "Fonaments Artístics", "Fundamentos Artísticos", 4, "Dibuix", B2},
        {"AES", "Arts Escèniques", "Artes Escénicas", 4, "Música", BAC},
        {"AMU", "Anàlisi Musical", "Análisis Musical", 4, "Música", BAC},
        {"LPM", "Llenguatge i Pràctica Musical", "Lenguaje y Práctica Musical", 4, "Música", B1},
        {"CTV", "Coral i Tècnica Vocal", "Coral y Técnica Vocal", 2, "Música", BAC},
        {"HMD", "Història de la Música i Dansa", "Historia de la Música y Danza", 4, "Música", B2},
        {"LDR", "Literatura Dramàtica", "Literatura Dramática", 4, "Castellà", B2},
        {"EST", "Estadística", "Estadística", 2, "Matemàtiques", BAC},
        {"CGE", "Ciències Generals", "Ciencias Generales", 4, "Biologia i Geologia", B2},
        {"TIC", "Tecnologies de la Informació", "Tecnologías de la Información", 2, "Informàtica",
         BAC},
        {"ROB", "Robòtica", "Robótica", 2, "Tecnologia", B1},
        {"PRG", "Programació", "Programación", 2, "Informàtica", BAC},
        {"CTS", "Ciència, Tecnologia i Societat", "Ciencia, Tecnología y Sociedad", 2,
         "Física i Química", B1},
        {"RAN", "Reforç d'Anglés", "Refuerzo de Inglés", 2, "Anglés", ESO},
        {"TLL", "Taller de Lectura", "Taller de Lectura", 2, "Castellà", ESO},
        {"TTE", "Taller de Teatre", "Taller de Teatro", 2, "Castellà", ESO},
        {"ESC", "Escacs", "Ajedrez", 1, "Matemàtiques", E1 | E2},
        {"CUV", "Cultura Valenciana", "Cultura Valenciana", 2, "Valencià", ESO},
        {"PIC", "Projecte d'Investigació", "Proyecto de Investigación", 2, "Biologia i Geologia",
         ESO | B1},
        {"ECS", "Educació per a la Ciutadania", "Educación para la Ciudadanía", 1, "Filosofia",
         ESO},
        {"HVS", "Hàbits de Vida Saludable", "Hábitos de Vida Saludable", 1, "Educació Física", ESO},
        {"ACT", "Activitat Física i Esport", "Actividad Física y Deporte", 2, "Educació Física",
         TOTS},
        {"CDI", "Competència Digital", "Competencia Digital", 2, "Informàtica", ESO},
        {"COM", "Comunicació Oral en Anglés", "Comunicación Oral en Inglés", 2, "Anglés", TOTS},
        {"IGU", "Igualtat i Convivència", "Igualdad y Convivencia", 1, "Orientació", ESO},
        {"MED", "Mediació Escolar", "Mediación Escolar", 1, "Orientació", ESO},
        {"TCI", "Taller de Ciències", "Taller de Ciencias", 2, "Física i Química", ESO},
        {"HPV", "Història del País Valencià", "Historia del País Valenciano", 2,
         "Geografia i Història", ESO | B1},
        {"PAT", "Patrimoni Cultural", "Patrimonio Cultural", 2, "Geografia i Història",
         E3 | E4 | BAC},
        {"FOT", "Fotografia", "Fotografía", 2, "Dibuix", E3 | E4 | BAC},
        {"CIN", "Cinema i Audiovisual", "Cine y Audiovisual", 2, "Dibuix", E3 | E4 | B1},
        {"DAN", "Dansa", "Danza", 2, "Educació Física", ESO},
        {"HOR", "Hort Escolar", "Huerto Escolar", 2, "Biologia i Geologia", E1 | E2 | E3},
        {"LSE", "Llengua de Signes", "Lengua de Signos", 2, "Castellà", TOTS},
        {"XIN", "Xinés", "Chino", 2, "Anglés", TOTS},
        {"MAC", "Matemàtiques Aplicades", "Matemáticas Aplicadas", 4, "Matemàtiques", E3 | E4},
        {"MAP", "Matemàtiques Acadèmiques", "Matemáticas Académicas", 4, "Matemàtiques", E3 | E4},
        {"REP", "Programa de Reforç", "Programa de Refuerzo", 3, "Orientació", ESO},
        {"ELE", "Electrotècnia", "Electrotecnia", 4, "Tecnologia", B2},
        {"SOC", "Sociologia", "Sociología", 2, "Filosofia", BAC},
        {"ANT", "Antropologia", "Antropología", 2, "Filosofia", B2},
        {"MUN", "Món Actual", "Mundo Actual", 2, "Geografia i Història", B1},
        {"DEB", "Debat i Oratòria", "Debate y Oratoria", 2, "Castellà", BAC},
        {"EMO", "Educació Emocional", "Educación Emocional", 1, "Orientació", ESO},
        {"ORP", "Orientació Professional", "Orientación Profesional", 1, "Orientació", E4 | BAC},
        {"PAU", "Preparació de les Proves PAU", "Preparación de las Pruebas PAU", 2, "Matemàtiques",
         B2},
    };
    return materias;
}

const std::vector<PlanCurso>& Cursos() {
    static const std::vector<PlanCurso> cursos = {
        {"1",
         "ESO",
         "Primer d'ESO",
         8,
         {"VAL", "CAS", "ING", "MAT", "BIO", "GEH", "EFI", "MUS", "EPV", "TUT"},
         {{"FRA", "REL"}, {"TMA", "ATE"}, {"ORA", "REL"}, {"FRA", "ATE"}, {"RLL", "REL"}}},
        {"2",
         "ESO",
         "Segon d'ESO",
         8,
         {"VAL", "CAS", "ING", "MAT", "FIQ", "GEH", "EFI", "MUS", "TEC", "EVC", "TUT"},
         {{"FRA", "REL"}, {"TMA", "ATE"}, {"CLA", "REL"}, {"FRA", "ATE"}}},
        {"3",
         "ESO",
         "Tercer d'ESO",
         7,
         {"VAL", "CAS", "ING", "MAT", "BIO", "FIQ", "GEH", "EFI", "TEC", "TUT"},
         {{"FRA", "REL"}, {"CCL", "ATE"}, {"PRB", "REL"}, {"IAE", "ATE"}}},
        {"4",
         "ESO",
         "Quart d'ESO",
         7,
         {"VAL", "CAS", "ING", "MAT", "GEH", "EFI", "TUT"},
         {{"BIO", "FIQ", "DIG", "REL"},
          {"ECO", "LLA", "FIL", "ATE"},
          {"TCN", "EXP", "DIG", "REL"},
          {"BIO", "FIQ", "CCI", "ATE"}}},
        {"1",
         "BAC",
         "Primer de Batxillerat",
         5,
         {"VAL", "CAS", "ING", "FIL", "EFI", "TUT"},
         {{"MAT", "FIQ", "BGA", "ANA"},
          {"MAT", "FIQ", "TIN", "TIC"},
          {"MCS", "ECO", "HMC", "CTS"},
          {"LLA", "GRE", "HMC", "LUN"},
          {"DAR", "CAU", "PAR", "CTV"}}},
        {"2",
         "BAC",
         "Segon de Batxillerat",
         5,
         {"VAL", "CAS", "ING", "HES", "HFI", "TUT"},
         {{"MAT", "FIS", "QUI", "EST"},
          {"MAT", "BIB", "QUI", "PSI"},
          {"MCS", "EMP", "GGR", "PSI"},
          {"LLA", "GRE", "HAR", "PSI"},
          {"DIS", "FAR", "CAU", "CTV"}}},
    };
    return cursos;
}

const std::vector<Tarea>& Tareas() {
    static const std::vector<Tarea> tareas = {
        {kTareaDocencia, "Docència directa amb alumnes", "Docencia directa con alumnos"},
        {"GUA", "Guàrdia", "Guardia"},
        {"GBI", "Guàrdia de biblioteca", "Guardia de biblioteca"},
        {"GPA", "Guàrdia de pati", "Guardia de patio"},
        {"RDP", "Reunió de departament", "Reunión de departamento"},
        {"ATF", "Atenció a famílies", "Atención a familias"},
        {"CTIC", "Coordinació TIC", "Coordinación TIC"},
        {"JDEP", "Cap de departament", "Jefatura de departamento"},
        {"CPL", "Coordinació de plurilingüisme", "Coordinación de plurilingüismo"},
    };
    return tareas;
}

const std::vector<Centro>& Centros() {
    static const std::vector<Centro> centros = {
        {46019871,
         "IES Riu Verd",
         "C/ de la Séquia, 12",
         "Alzira",
         "46600",
         "962401234",
         {{"08:00", "08:55"},
          {"08:55", "09:50"},
          {"09:50", "10:45"},
          {"11:15", "12:10"},
          {"12:10", "13:05"},
          {"13:05", "14:00"},
          {"14:00", "14:55"}}},
        {46019883,
         "Secció de l'IES Riu Verd",
         "Av. dels Tarongers, 3",
         "Carcaixent",
         "46740",
         "962435678",
         {{"08:30", "09:25"},
          {"09:25", "10:20"},
          {"10:20", "11:15"},
          {"11:45", "12:40"},
          {"12:40", "13:35"},
          {"13:35", "14:30"},
          {"14:30", "15:25"}}},
    };
    return centros;
}

const std::vector<const char*>& DepartamentosSinClases() {
    static const std::vector<const char*> d = {"Orientació", "Orientació", "Religió"};
    return d;
}

const std::vector<const char*>& NombresHombre() {
    static const std::vector<const char*> n = {
        "Ramón",    "Josep",  "Vicent",  "Joan",    "José María", "Jesús",  "Andrés",
        "Tomàs",    "Martí",  "Adrián",  "Òscar",   "Pau",        "Álvaro", "Xavier",
        "Salvador", "Iñaki",  "Nicolás", "Joaquín", "Hèctor",     "Rubén",  "Sergi",
        "Iván",     "Víctor", "Jordi",   "Agustí",  "Julián",     "Ferran"};
    return n;
}

const std::vector<const char*>& NombresMujer() {
    static const std::vector<const char*> n = {
        "Àngels",       "María José", "Mònica",    "Lucía", "Núria",  "Inés",   "Amparo",
        "Maria Dolors", "Begoña",     "Mercè",     "Sofía", "Raquel", "Anna",   "Verònica",
        "Carmen",       "Noèlia",     "Elena",     "Pilar", "Rocío",  "Neus",   "Marta",
        "Ángela",       "Laia",       "Estefanía", "Empar", "Irene",  "Fàtima", "Consuelo"};
    return n;
}

const std::vector<const char*>& Apellidos() {
    static const std::vector<const char*> a = {
        "García", "Martínez",  "López",   "Sánchez",  "Pérez",     "Gómez",    "Ferrer",
        "Martí",  "Fernández", "Navarro", "Ruiz",     "Hernández", "Peñalver", "Soler",
        "Vidal",  "Castelló",  "Roig",    "Alcañiz",  "Gonzàlvez", "Llorens",  "Ibáñez",
        "Mompó",  "Sanchis",   "Tormo",   "Albiñana", "Muñoz",     "Ortí",     "Boix",
        "Císcar", "Bataller",  "Jiménez", "Esteve",   "Climent",   "Ródenas",  "Mas",
        "Cerdà",  "Giménez",   "Pastor",  "Bellver",  "Mañez",     "Domènech", "Ramírez",
        "Crespo", "Ruíz",      "Sòria",   "Chulià",   "Alfonso",   "Úbeda"};
    return a;
}

const std::vector<const char*>& Calles() {
    static const std::vector<const char*> c = {
        "C/ Major",          "C/ de Sant Josep", "Av. de la Constitució", "C/ del Pintor Sorolla",
        "Pl. de l'Església", "C/ de Colón",      "C/ de la Mar",          "Av. del País Valencià",
        "C/ dels Horts",     "C/ de Cervantes",  "Camí Vell de Xàtiva",   "C/ Reina Sofía"};
    return c;
}

const std::vector<const char*>& Localidades() {
    static const std::vector<const char*> l = {
        "Alzira",  "Carcaixent",      "Algemesí", "Benifaió", "Guadassuar",
        "Alberic", "La Pobla Llarga", "Sueca",    "Corbera",  "Polinyà de Xúquer"};
    return l;
}

const std::vector<const char*>& Observaciones() {
    static const std::vector<const char*> o = {
        "Alumne amb necessitats educatives específiques. Adaptació curricular en Matemàtiques.",
        "Exempt d'Educació Física per lesió; presenta certificat mèdic.",
        "Al·lèrgia als fruits secs. Porta medicació a la motxilla.",
        "Família monoparental: contactar sempre amb la mare.",
        "Viene de un centro de Cuenca; se incorporó en el segundo trimestre.",
        "Autorizado a salir solo del centro a la hora del recreo.",
        "Ha canviat de domicili durant el curs.",
        "Seguimiento del Departamento de Orientación por absentismo.",
    };
    return o;
}

}  // namespace brisolt::muestra
