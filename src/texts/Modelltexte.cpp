#include "texts/Modelltexte.h"

namespace kw {

namespace {

Modelltexte Deutsch()
{
    Modelltexte t;
    t.Knopf = "Kesselmodell …";
    t.Titel = "Kesselmodell";
    t.Leistung = "Heizleistung des Elements [W]:";
    t.Leistung_Hinweis = "Einmal eintragen; leer oder 0: %1 W angenommen, bis Sude gelernt sind.";
    t.Uebernehmen = "Übernehmen";
    t.Gelernt = "Aus den Sudjournalen gelernt";
    t.Heizrate = "Heizrate bei voller Leistung [K/min]:";
    t.Verlust = "Wärmeverlust [1/h]:";
    t.Totzeit = "Totzeit Heizung → Fühler [s]:";
    t.Abweichung = "Abweichung des Modells RMS / max [K]:";
    t.Sude = "Sude:";
    t.Antwortzeit = "Antwortzeit auf einen Ruf [s]:";
    t.Herkunft_Gelernt = "Gelernt aus %1 Sud(en); nach jedem Sud neu berechnet.";
    t.Herkunft_Standard = "Noch nichts gelernt: Werte aus Sudgröße (%1 l) und Heizleistung.";
    t.Ohne_Wirkung = "Nicht verwendet – die Heizung hat die Temperatur nie erhöht (Heizelement prüfen!): %1";
    t.Zuruecksetzen = "ZURÜCKSETZEN";
    t.Frage_Zuruecksetzen = "Die gelernten Werte löschen? Die bisherigen Sudjournale zählen danach nicht mehr.";
    t.Schliessen = "SCHLIESSEN";
    t.F_Leistung = "Die Heizleistung muss zwischen 0 und 100000 W liegen.";
    t.F_Speichern = "Das Kesselmodell konnte nicht gespeichert werden: %1";
    t.F_Lernen = "Das Kesselmodell konnte nach dem Sud nicht neu gelernt werden: %1";
    t.Sim_Modell = "mit Kesselmodell";
    t.P_Titel = "PROBELAUF – %1";
    t.P_Laeuft = "Probelauf läuft …";
    t.P_Nr = "Nr";
    t.P_Phase = "Phase";
    t.P_Art = "Art";
    t.P_Soll = "Soll °C";
    t.P_Geplant_Start = "geplant\nStart";
    t.P_Geplant_Ende = "geplant\nEnde";
    t.P_Geplant_Min = "geplant\nMin";
    t.P_Voraus_Start = "voraus\nStart";
    t.P_Voraus_Ende = "voraus\nEnde";
    t.P_Voraus_Min = "voraus\nMin";
    t.P_Max = "max °C";
    t.P_Ueber = "über K";
    t.P_kWh = "kWh";
    t.P_Hinweis = "Hinweis";
    t.P_Aufheizen = "Aufheizen";
    t.P_Halten = "Halten";
    t.P_Kuehlen = "Kühlen";
    t.P_Kopf_Gelernt = "Kesselmodell gelernt aus %1 Sud(en): Heizrate %2 K/min, Verlust %3 1/h, Totzeit %4 s, "
                       "Abweichung %5 K (RMS), %6 K (max).";
    t.P_Kopf_Standard = "Kesselmodell aus Sudgröße und Heizleistung (%1): Heizrate %2 K/min, Verlust %3 1/h, "
                        "Totzeit %4 s.";
    t.P_Kopf_Start = "Start bei %1 °C, Rufe quittiert nach %2 s.";
    t.P_Nicht_Verwendet = "%1 nicht verwendet: %2";
    t.P_Kein_Journal = "noch kein Sudjournal";
    t.P_Kein_Verwendbares = "kein verwendbares Sudjournal";
    t.P_Grund_Ohne_Wirkung = "die Heizung hat die Temperatur nie erhöht (Heizelement defekt?)";
    t.P_Grund_Simulation = "Probesud in der Simulation";
    t.P_Grund_Keine_Messwerte = "keine Messwerte";
    t.P_Endet_Nie = "endet nie: %1";
    t.P_Ruf = "Ruf";
    t.P_Ohne_Wirkung = "Heizung ohne Wirkung ×%1";
    t.P_Gesamt = "Gesamt %1 h:min, %2 kWh (geplant %3 h:min Rastzeit)";
    t.P_Gesamt_Endlos = "Gesamt nicht bestimmbar: Phase %1 „%2“ endet nie";
    t.P_Gesamt_Nicht = "Gesamt nicht bestimmbar: das Programm ist nicht gelaufen";
    return t;
}

Modelltexte Englisch()
{
    Modelltexte t;
    t.Knopf = "Kettle model …";
    t.Titel = "Kettle model";
    t.Leistung = "Heating element power [W]:";
    t.Leistung_Hinweis = "Enter once; empty or 0: %1 W assumed until brews have been learned.";
    t.Uebernehmen = "Apply";
    t.Gelernt = "Learned from the brew journals";
    t.Heizrate = "Heating rate at full power [K/min]:";
    t.Verlust = "Heat loss [1/h]:";
    t.Totzeit = "Dead time heating → sensor [s]:";
    t.Abweichung = "Deviation of the model RMS / max [K]:";
    t.Sude = "Brews:";
    t.Antwortzeit = "Answer time to a call [s]:";
    t.Herkunft_Gelernt = "Learned from %1 brew(s); recomputed after every brew.";
    t.Herkunft_Standard = "Nothing learned yet: values from batch size (%1 l) and element power.";
    t.Ohne_Wirkung = "Not used – the heating never raised the temperature (check the element!): %1";
    t.Zuruecksetzen = "RESET";
    t.Frage_Zuruecksetzen = "Delete the learned values? The brew journals so far will no longer count.";
    t.Schliessen = "CLOSE";
    t.F_Leistung = "The element power must lie between 0 and 100000 W.";
    t.F_Speichern = "The kettle model could not be saved: %1";
    t.F_Lernen = "The kettle model could not be learned anew after the brew: %1";
    t.Sim_Modell = "with kettle model";
    t.P_Titel = "DRY RUN – %1";
    t.P_Laeuft = "Dry run in progress …";
    t.P_Nr = "No";
    t.P_Phase = "Phase";
    t.P_Art = "Kind";
    t.P_Soll = "Target °C";
    t.P_Geplant_Start = "planned\nstart";
    t.P_Geplant_Ende = "planned\nend";
    t.P_Geplant_Min = "planned\nmin";
    t.P_Voraus_Start = "predicted\nstart";
    t.P_Voraus_Ende = "predicted\nend";
    t.P_Voraus_Min = "predicted\nmin";
    t.P_Max = "max °C";
    t.P_Ueber = "over K";
    t.P_kWh = "kWh";
    t.P_Hinweis = "Note";
    t.P_Aufheizen = "Heat up";
    t.P_Halten = "Hold";
    t.P_Kuehlen = "Cool";
    t.P_Kopf_Gelernt = "Kettle model learned from %1 brew(s): heating rate %2 K/min, loss %3 1/h, dead time %4 s, "
                       "deviation %5 K (RMS), %6 K (max).";
    t.P_Kopf_Standard = "Kettle model from batch size and element power (%1): heating rate %2 K/min, loss %3 1/h, "
                        "dead time %4 s.";
    t.P_Kopf_Start = "Start at %1 °C, calls acknowledged after %2 s.";
    t.P_Nicht_Verwendet = "%1 not used: %2";
    t.P_Kein_Journal = "no brew journal yet";
    t.P_Kein_Verwendbares = "no usable brew journal";
    t.P_Grund_Ohne_Wirkung = "the heating never raised the temperature (element broken?)";
    t.P_Grund_Simulation = "a rehearsal in simulation";
    t.P_Grund_Keine_Messwerte = "no readings";
    t.P_Endet_Nie = "never ends: %1";
    t.P_Ruf = "Call";
    t.P_Ohne_Wirkung = "Heating without effect ×%1";
    t.P_Gesamt = "Total %1 h:min, %2 kWh (planned %3 h:min of rests)";
    t.P_Gesamt_Endlos = "Total not known: phase %1 “%2” never ends";
    t.P_Gesamt_Nicht = "Total not known: the program did not run";
    return t;
}

Modelltexte Portugiesisch()
{
    Modelltexte t;
    t.Knopf = "Modelo da panela …";
    t.Titel = "Modelo da panela";
    t.Leistung = "Potência da resistência [W]:";
    t.Leistung_Hinweis = "Introduzir uma vez; vazio ou 0: assume-se %1 W até haver brassagens aprendidas.";
    t.Uebernehmen = "Aplicar";
    t.Gelernt = "Aprendido dos diários de brassagem";
    t.Heizrate = "Taxa de aquecimento à potência máxima [K/min]:";
    t.Verlust = "Perda de calor [1/h]:";
    t.Totzeit = "Tempo morto aquecimento → sensor [s]:";
    t.Abweichung = "Desvio do modelo RMS / máx. [K]:";
    t.Sude = "Brassagens:";
    t.Antwortzeit = "Tempo de resposta a uma chamada [s]:";
    t.Herkunft_Gelernt = "Aprendido de %1 brassagem(ns); recalculado após cada brassagem.";
    t.Herkunft_Standard = "Nada aprendido ainda: valores do volume (%1 l) e da potência.";
    t.Ohne_Wirkung = "Não utilizado – o aquecimento nunca subiu a temperatura (verificar a resistência!): %1";
    t.Zuruecksetzen = "REPOR";
    t.Frage_Zuruecksetzen = "Apagar os valores aprendidos? Os diários de brassagem até agora deixam de contar.";
    t.Schliessen = "FECHAR";
    t.F_Leistung = "A potência tem de estar entre 0 e 100000 W.";
    t.F_Speichern = "Não foi possível guardar o modelo da panela: %1";
    t.F_Lernen = "Não foi possível aprender de novo o modelo da panela após a brassagem: %1";
    t.Sim_Modell = "com modelo da panela";
    t.P_Titel = "ENSAIO – %1";
    t.P_Laeuft = "Ensaio em curso …";
    t.P_Nr = "N.º";
    t.P_Phase = "Fase";
    t.P_Art = "Tipo";
    t.P_Soll = "Alvo °C";
    t.P_Geplant_Start = "previsto\ninício";
    t.P_Geplant_Ende = "previsto\nfim";
    t.P_Geplant_Min = "previsto\nmin";
    t.P_Voraus_Start = "calculado\ninício";
    t.P_Voraus_Ende = "calculado\nfim";
    t.P_Voraus_Min = "calculado\nmin";
    t.P_Max = "máx. °C";
    t.P_Ueber = "acima K";
    t.P_kWh = "kWh";
    t.P_Hinweis = "Nota";
    t.P_Aufheizen = "Aquecer";
    t.P_Halten = "Manter";
    t.P_Kuehlen = "Arrefecer";
    t.P_Kopf_Gelernt = "Modelo da panela aprendido de %1 brassagem(ns): aquecimento %2 K/min, perda %3 1/h, "
                       "tempo morto %4 s, desvio %5 K (RMS), %6 K (máx.).";
    t.P_Kopf_Standard = "Modelo da panela a partir do volume e da potência (%1): aquecimento %2 K/min, perda %3 1/h, "
                        "tempo morto %4 s.";
    t.P_Kopf_Start = "Início a %1 °C, chamadas confirmadas após %2 s.";
    t.P_Nicht_Verwendet = "%1 não utilizado: %2";
    t.P_Kein_Journal = "ainda sem diário de brassagem";
    t.P_Kein_Verwendbares = "nenhum diário de brassagem utilizável";
    t.P_Grund_Ohne_Wirkung = "o aquecimento nunca subiu a temperatura (resistência avariada?)";
    t.P_Grund_Simulation = "ensaio em simulação";
    t.P_Grund_Keine_Messwerte = "sem medições";
    t.P_Endet_Nie = "nunca termina: %1";
    t.P_Ruf = "Chamada";
    t.P_Ohne_Wirkung = "Aquecimento sem efeito ×%1";
    t.P_Gesamt = "Total %1 h:min, %2 kWh (previsto %3 h:min de patamares)";
    t.P_Gesamt_Endlos = "Total indeterminado: a fase %1 «%2» nunca termina";
    t.P_Gesamt_Nicht = "Total indeterminado: o programa não correu";
    return t;
}

Modelltexte Tschechisch()
{
    Modelltexte t;
    t.Knopf = "Model kotle …";
    t.Titel = "Model kotle";
    t.Leistung = "Výkon topného tělesa [W]:";
    t.Leistung_Hinweis = "Zadejte jednou; prázdné nebo 0: předpokládá se %1 W, dokud nejsou naučeny várky.";
    t.Uebernehmen = "Převzít";
    t.Gelernt = "Naučeno z deníků várek";
    t.Heizrate = "Rychlost ohřevu při plném výkonu [K/min]:";
    t.Verlust = "Tepelná ztráta [1/h]:";
    t.Totzeit = "Dopravní zpoždění ohřev → čidlo [s]:";
    t.Abweichung = "Odchylka modelu RMS / max [K]:";
    t.Sude = "Várky:";
    t.Antwortzeit = "Doba odezvy na volání [s]:";
    t.Herkunft_Gelernt = "Naučeno z %1 várek; přepočítáno po každé várce.";
    t.Herkunft_Standard = "Zatím nic naučeno: hodnoty z objemu várky (%1 l) a výkonu.";
    t.Ohne_Wirkung = "Nepoužito – ohřev nikdy nezvýšil teplotu (zkontrolujte topné těleso!): %1";
    t.Zuruecksetzen = "VYNULOVAT";
    t.Frage_Zuruecksetzen = "Smazat naučené hodnoty? Dosavadní deníky várek se pak již nepočítají.";
    t.Schliessen = "ZAVŘÍT";
    t.F_Leistung = "Výkon musí být mezi 0 a 100000 W.";
    t.F_Speichern = "Model kotle nelze uložit: %1";
    t.F_Lernen = "Model kotle se po várce nepodařilo znovu naučit: %1";
    t.Sim_Modell = "s modelem kotle";
    t.P_Titel = "ZKUŠEBNÍ BĚH – %1";
    t.P_Laeuft = "Zkušební běh probíhá …";
    t.P_Nr = "Č.";
    t.P_Phase = "Fáze";
    t.P_Art = "Druh";
    t.P_Soll = "Cíl °C";
    t.P_Geplant_Start = "plán\nstart";
    t.P_Geplant_Ende = "plán\nkonec";
    t.P_Geplant_Min = "plán\nmin";
    t.P_Voraus_Start = "odhad\nstart";
    t.P_Voraus_Ende = "odhad\nkonec";
    t.P_Voraus_Min = "odhad\nmin";
    t.P_Max = "max °C";
    t.P_Ueber = "nad K";
    t.P_kWh = "kWh";
    t.P_Hinweis = "Poznámka";
    t.P_Aufheizen = "Ohřev";
    t.P_Halten = "Výdrž";
    t.P_Kuehlen = "Chlazení";
    t.P_Kopf_Gelernt = "Model kotle naučený z %1 várek: ohřev %2 K/min, ztráta %3 1/h, zpoždění %4 s, "
                       "odchylka %5 K (RMS), %6 K (max).";
    t.P_Kopf_Standard = "Model kotle z objemu várky a výkonu (%1): ohřev %2 K/min, ztráta %3 1/h, zpoždění %4 s.";
    t.P_Kopf_Start = "Start při %1 °C, volání potvrzena po %2 s.";
    t.P_Nicht_Verwendet = "%1 nepoužito: %2";
    t.P_Kein_Journal = "zatím žádný deník várky";
    t.P_Kein_Verwendbares = "žádný použitelný deník várky";
    t.P_Grund_Ohne_Wirkung = "ohřev nikdy nezvýšil teplotu (vadné topné těleso?)";
    t.P_Grund_Simulation = "zkušební várka v simulaci";
    t.P_Grund_Keine_Messwerte = "žádné naměřené hodnoty";
    t.P_Endet_Nie = "nikdy neskončí: %1";
    t.P_Ruf = "Volání";
    t.P_Ohne_Wirkung = "Ohřev bez účinku ×%1";
    t.P_Gesamt = "Celkem %1 h:min, %2 kWh (plán %3 h:min prodlev)";
    t.P_Gesamt_Endlos = "Celkem nelze určit: fáze %1 „%2“ nikdy neskončí";
    t.P_Gesamt_Nicht = "Celkem nelze určit: program neproběhl";
    return t;
}

Modelltexte Polnisch()
{
    Modelltexte t;
    t.Knopf = "Model kotła …";
    t.Titel = "Model kotła";
    t.Leistung = "Moc grzałki [W]:";
    t.Leistung_Hinweis = "Wpisać raz; puste lub 0: przyjęto %1 W, dopóki warki nie zostaną nauczone.";
    t.Uebernehmen = "Zastosuj";
    t.Gelernt = "Nauczone z dzienników warek";
    t.Heizrate = "Szybkość grzania przy pełnej mocy [K/min]:";
    t.Verlust = "Strata ciepła [1/h]:";
    t.Totzeit = "Czas martwy grzanie → czujnik [s]:";
    t.Abweichung = "Odchyłka modelu RMS / maks. [K]:";
    t.Sude = "Warki:";
    t.Antwortzeit = "Czas odpowiedzi na wezwanie [s]:";
    t.Herkunft_Gelernt = "Nauczone z %1 warek; przeliczane po każdej warce.";
    t.Herkunft_Standard = "Jeszcze nic nie nauczono: wartości z wielkości warki (%1 l) i mocy.";
    t.Ohne_Wirkung = "Nie użyto – grzanie nigdy nie podniosło temperatury (sprawdzić grzałkę!): %1";
    t.Zuruecksetzen = "RESETUJ";
    t.Frage_Zuruecksetzen = "Usunąć nauczone wartości? Dotychczasowe dzienniki warek przestaną się liczyć.";
    t.Schliessen = "ZAMKNIJ";
    t.F_Leistung = "Moc musi wynosić od 0 do 100000 W.";
    t.F_Speichern = "Nie można zapisać modelu kotła: %1";
    t.F_Lernen = "Po warce nie udało się ponownie nauczyć modelu kotła: %1";
    t.Sim_Modell = "z modelem kotła";
    t.P_Titel = "PRÓBA – %1";
    t.P_Laeuft = "Próba w toku …";
    t.P_Nr = "Nr";
    t.P_Phase = "Faza";
    t.P_Art = "Rodzaj";
    t.P_Soll = "Cel °C";
    t.P_Geplant_Start = "plan\nstart";
    t.P_Geplant_Ende = "plan\nkoniec";
    t.P_Geplant_Min = "plan\nmin";
    t.P_Voraus_Start = "prognoza\nstart";
    t.P_Voraus_Ende = "prognoza\nkoniec";
    t.P_Voraus_Min = "prognoza\nmin";
    t.P_Max = "maks. °C";
    t.P_Ueber = "ponad K";
    t.P_kWh = "kWh";
    t.P_Hinweis = "Uwaga";
    t.P_Aufheizen = "Grzanie";
    t.P_Halten = "Przerwa";
    t.P_Kuehlen = "Chłodzenie";
    t.P_Kopf_Gelernt = "Model kotła nauczony z %1 warek: grzanie %2 K/min, strata %3 1/h, czas martwy %4 s, "
                       "odchyłka %5 K (RMS), %6 K (maks.).";
    t.P_Kopf_Standard = "Model kotła z wielkości warki i mocy (%1): grzanie %2 K/min, strata %3 1/h, "
                        "czas martwy %4 s.";
    t.P_Kopf_Start = "Start przy %1 °C, wezwania potwierdzane po %2 s.";
    t.P_Nicht_Verwendet = "%1 nie użyto: %2";
    t.P_Kein_Journal = "jeszcze brak dziennika warki";
    t.P_Kein_Verwendbares = "brak użytecznego dziennika warki";
    t.P_Grund_Ohne_Wirkung = "grzanie nigdy nie podniosło temperatury (uszkodzona grzałka?)";
    t.P_Grund_Simulation = "próba w symulacji";
    t.P_Grund_Keine_Messwerte = "brak pomiarów";
    t.P_Endet_Nie = "nigdy się nie kończy: %1";
    t.P_Ruf = "Wezwanie";
    t.P_Ohne_Wirkung = "Grzanie bez efektu ×%1";
    t.P_Gesamt = "Razem %1 h:min, %2 kWh (plan %3 h:min przerw)";
    t.P_Gesamt_Endlos = "Razem nieznane: faza %1 „%2” nigdy się nie kończy";
    t.P_Gesamt_Nicht = "Razem nieznane: program nie został uruchomiony";
    return t;
}

} // namespace

const Modelltexte& Modelltexte_Fuer(Sprache sprache)
{
    static const Modelltexte de = Deutsch(), en = Englisch(), pt = Portugiesisch(), cs = Tschechisch(),
                             pl = Polnisch();
    switch (sprache) {
    case Sprache::Englisch: return en;
    case Sprache::Portugiesisch: return pt;
    case Sprache::Tschechisch: return cs;
    case Sprache::Polnisch: return pl;
    case Sprache::Deutsch: break;
    }
    return de;
}

} // namespace kw
