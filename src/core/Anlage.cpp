#include "core/Anlage.h"

namespace kw {

void Anlage::laden(Laufzeitpunkt now)
{
    Anzahl_Phasen_Text.clear();
    Startzeit_Phase = Laufzeitpunkt{};
    Endzeit_Phase = Laufzeitpunkt{};
    Akt_Phase = 0;

    Blinktakt = false;
    Brauen_Gestartet = false;
    Ablaufschritt = 0;
    Simulation = Manuell = Start_ab_Phase = 0;
    Sim_Modell = 0;
    Fortsetzung.reset();
    Fortsetzung_Laeuft = false;
    Man_Heizung_Ein = Man_Kuehlung_Ein = Man_Ruehrwerk_Ein = 0;
    Man_Extra1_Ein = Man_Extra2_Ein = Man_Extra3_Ein = Man_Extra4_Ein = 0;

    Signal_Dauer = 0;
    Gradient_Zeitpunkt = now;

    Aus_Heizung = Ruehrwerk_Ein = Aus_Ruehrwerk = Aus_Kuehlung = 0;
    Aus_Extra1 = Aus_Extra2 = Aus_Extra3 = Aus_Extra4 = 0;
    Aus_Signal = 0;
    Ruf_Signal = false;
    Sensor_Alarm = USB_Alarm = false;
    Konfig_Geladen = Init_Fertig = false;
    Messzeitpunkt.reset();
    Heizsperre = Sperrgrund::Keiner;
    Sperrwarnung_Gegeben = Heizung_Ohne_Wirkung = Wirkung_Laeuft = false;

    Schnittstelle = 1;
    Konfiguration_Bestaetigt = false;
}

} // namespace kw
