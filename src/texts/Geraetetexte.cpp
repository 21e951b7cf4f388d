#include "texts/Geraetetexte.h"

namespace kw {

namespace {

const Geraetetexte deutsch{
    .GPIO_Einstellen = "GPIO-Leitungen …",
    .Tipp_GPIO = "Relais an GPIO-Leitungen (Raspberry Pi und andere): Chip und Leitungen über \"GPIO-Leitungen …\".",
    .Tipp_HID = "USB-HID-Relaiskarte 16c0:05df (\"USBRelay1/2/4/8\"): Relais n für Ausgang n.",
    .Gpio_Titel = "GPIO-Ausgänge",
    .Chip = "Chip (Label oder Pfad):",
    .Gefundene_Chips = "Gefundene Chips:",
    .Keine_Chips = "Keine GPIO-Chips gefunden (Gruppe \"gpio\"?).",
    .Chipzeile = "%1  \"%2\"  %3 Leitungen (0 bis %4)",
    .Leitung_Hinweis = "Leitungsnummer je Ausgang, leer = nicht verdrahtet",
    .Aktiv_Niedrig = "Relais zieht bei 0 an (active-low, die meisten Relaiskarten)",
    .Aktiv_Hoch = "Relais zieht bei 1 an (active-high, SSR)",
    .Ausgaenge = {"Heizung", "Rührwerk", "Kühlung", "Extra 1", "Extra 2", "Extra 3", "Extra 4", "Signal"},
    .Leitung_Fehlt = "Leitung %1 gibt es auf diesem Chip nicht",
    .Abbrechen = "Abbrechen",
    .Sensorquelle = "Temperatursensor",
    .Quelle_DigiTemp = "DigiTemp (seriell)",
    .Quelle_Einwire = "1-Wire (Kernel)",
    .Sensor_Waehlen = "1-Wire-Sensor …",
    .Einwire_Titel = "1-Wire-Sensoren",
    .Keine_Sensoren = "Keine Sensoren unter %1 gefunden (Overlay w1-gpio geladen?).",
    .Kein_Wert = "kein Wert",
    .Neu_Lesen = "Neu lesen",
    .Sensor_Fehlt = "Kein 1-Wire-Sensor gewählt.",
    .Ini_Fehler = "Kesselwerk.ini: %1",
};

const Geraetetexte englisch{
    .GPIO_Einstellen = "GPIO lines …",
    .Tipp_GPIO = "Relays on GPIO lines (Raspberry Pi and others): chip and lines through \"GPIO lines …\".",
    .Tipp_HID = "USB HID relay board 16c0:05df (\"USBRelay1/2/4/8\"): relay n for output n.",
    .Gpio_Titel = "GPIO outputs",
    .Chip = "Chip (label or path):",
    .Gefundene_Chips = "Chips found:",
    .Keine_Chips = "No GPIO chips found (group \"gpio\"?).",
    .Chipzeile = "%1  \"%2\"  %3 lines (0 to %4)",
    .Leitung_Hinweis = "Line offset per output, empty = not wired",
    .Aktiv_Niedrig = "Relay pulls in at 0 (active-low, most relay boards)",
    .Aktiv_Hoch = "Relay pulls in at 1 (active-high, SSR)",
    .Ausgaenge = {"Heating", "Stirrer", "Cooling", "Extra 1", "Extra 2", "Extra 3", "Extra 4", "Signal"},
    .Leitung_Fehlt = "line %1 does not exist on this chip",
    .Abbrechen = "Cancel",
    .Sensorquelle = "Temperature sensor",
    .Quelle_DigiTemp = "DigiTemp (serial)",
    .Quelle_Einwire = "1-Wire (Kernel)",
    .Sensor_Waehlen = "1-Wire sensor …",
    .Einwire_Titel = "1-Wire sensors",
    .Keine_Sensoren = "No sensors found under %1 (overlay w1-gpio loaded?).",
    .Kein_Wert = "no reading",
    .Neu_Lesen = "Read again",
    .Sensor_Fehlt = "No 1-Wire sensor chosen.",
    .Ini_Fehler = "Kesselwerk.ini: %1",
};

const Geraetetexte polnisch{
    .GPIO_Einstellen = "Linie GPIO …",
    .Tipp_GPIO = "Przekaźniki na liniach GPIO (Raspberry Pi i inne): układ i linie przez \"Linie GPIO …\".",
    .Tipp_HID = "Karta przekaźników USB HID 16c0:05df (\"USBRelay1/2/4/8\"): przekaźnik n dla wyjścia n.",
    .Gpio_Titel = "Wyjścia GPIO",
    .Chip = "Układ (etykieta lub ścieżka):",
    .Gefundene_Chips = "Znalezione układy:",
    .Keine_Chips = "Nie znaleziono układów GPIO (grupa \"gpio\"?).",
    .Chipzeile = "%1  \"%2\"  %3 linii (0 do %4)",
    .Leitung_Hinweis = "Numer linii dla wyjścia, puste = niepodłączone",
    .Aktiv_Niedrig = "Przekaźnik załącza przy 0 (active-low, większość kart)",
    .Aktiv_Hoch = "Przekaźnik załącza przy 1 (active-high, SSR)",
    .Ausgaenge = {"Grzanie", "Mieszadło", "Chłodzenie", "Extra 1", "Extra 2", "Extra 3", "Extra 4", "Sygnał"},
    .Leitung_Fehlt = "linii %1 nie ma w tym układzie",
    .Abbrechen = "Anuluj",
    .Sensorquelle = "Czujnik temperatury",
    .Quelle_DigiTemp = "DigiTemp (szeregowy)",
    .Quelle_Einwire = "1-Wire (Kernel)",
    .Sensor_Waehlen = "Czujnik 1-Wire …",
    .Einwire_Titel = "Czujniki 1-Wire",
    .Keine_Sensoren = "Nie znaleziono czujników w %1 (nakładka w1-gpio załadowana?).",
    .Kein_Wert = "brak odczytu",
    .Neu_Lesen = "Odczytaj ponownie",
    .Sensor_Fehlt = "Nie wybrano czujnika 1-Wire.",
    .Ini_Fehler = "Kesselwerk.ini: %1",
};

const Geraetetexte portugiesisch{
    .GPIO_Einstellen = "Linhas GPIO …",
    .Tipp_GPIO = "Relés em linhas GPIO (Raspberry Pi e outros): chip e linhas em \"Linhas GPIO …\".",
    .Tipp_HID = "Placa de relés USB HID 16c0:05df (\"USBRelay1/2/4/8\"): relé n para a saída n.",
    .Gpio_Titel = "Saídas GPIO",
    .Chip = "Chip (rótulo ou caminho):",
    .Gefundene_Chips = "Chips encontrados:",
    .Keine_Chips = "Nenhum chip GPIO encontrado (grupo \"gpio\"?).",
    .Chipzeile = "%1  \"%2\"  %3 linhas (0 a %4)",
    .Leitung_Hinweis = "Número da linha por saída, vazio = não ligado",
    .Aktiv_Niedrig = "O relé liga em 0 (active-low, a maioria das placas)",
    .Aktiv_Hoch = "O relé liga em 1 (active-high, SSR)",
    .Ausgaenge = {"Aquecimento", "Agitador", "Arrefecimento", "Extra 1", "Extra 2", "Extra 3", "Extra 4", "Sinal"},
    .Leitung_Fehlt = "a linha %1 não existe neste chip",
    .Abbrechen = "Cancelar",
    .Sensorquelle = "Sensor de temperatura",
    .Quelle_DigiTemp = "DigiTemp (série)",
    .Quelle_Einwire = "1-Wire (Kernel)",
    .Sensor_Waehlen = "Sensor 1-Wire …",
    .Einwire_Titel = "Sensores 1-Wire",
    .Keine_Sensoren = "Nenhum sensor encontrado em %1 (overlay w1-gpio carregado?).",
    .Kein_Wert = "sem leitura",
    .Neu_Lesen = "Ler novamente",
    .Sensor_Fehlt = "Nenhum sensor 1-Wire escolhido.",
    .Ini_Fehler = "Kesselwerk.ini: %1",
};

const Geraetetexte tschechisch{
    .GPIO_Einstellen = "Linky GPIO …",
    .Tipp_GPIO = "Relé na linkách GPIO (Raspberry Pi a další): čip a linky přes \"Linky GPIO …\".",
    .Tipp_HID = "Reléová karta USB HID 16c0:05df (\"USBRelay1/2/4/8\"): relé n pro výstup n.",
    .Gpio_Titel = "Výstupy GPIO",
    .Chip = "Čip (popisek nebo cesta):",
    .Gefundene_Chips = "Nalezené čipy:",
    .Keine_Chips = "Nenalezeny žádné čipy GPIO (skupina \"gpio\"?).",
    .Chipzeile = "%1  \"%2\"  %3 linek (0 až %4)",
    .Leitung_Hinweis = "Číslo linky pro výstup, prázdné = nezapojeno",
    .Aktiv_Niedrig = "Relé spíná při 0 (active-low, většina reléových karet)",
    .Aktiv_Hoch = "Relé spíná při 1 (active-high, SSR)",
    .Ausgaenge = {"Topení", "Míchadlo", "Chlazení", "Extra 1", "Extra 2", "Extra 3", "Extra 4", "Signál"},
    .Leitung_Fehlt = "linka %1 na tomto čipu není",
    .Abbrechen = "Zrušit",
    .Sensorquelle = "Teplotní čidlo",
    .Quelle_DigiTemp = "DigiTemp (sériový)",
    .Quelle_Einwire = "1-Wire (Kernel)",
    .Sensor_Waehlen = "Čidlo 1-Wire …",
    .Einwire_Titel = "Čidla 1-Wire",
    .Keine_Sensoren = "V %1 nenalezena žádná čidla (overlay w1-gpio načten?).",
    .Kein_Wert = "bez hodnoty",
    .Neu_Lesen = "Načíst znovu",
    .Sensor_Fehlt = "Není zvoleno čidlo 1-Wire.",
    .Ini_Fehler = "Kesselwerk.ini: %1",
};

} // namespace

const Geraetetexte& Geraetetexte_Fuer(Sprache sprache)
{
    switch (sprache) {
    case Sprache::Englisch: return englisch;
    case Sprache::Polnisch: return polnisch;
    case Sprache::Portugiesisch: return portugiesisch;
    case Sprache::Tschechisch: return tschechisch;
    default: return deutsch;
    }
}

} // namespace kw
