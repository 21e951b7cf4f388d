#include "texts/Importtexte.h"

namespace kw {

namespace {

Importtexte Deutsch()
{
    Importtexte t;
    t.Knopf_Import = "IMPORT";
    t.Dateidialog_Titel = "IMPORT: Rezept aus BeerXML oder BeerJSON";
    t.Filter_Rezepte = "BeerXML, BeerJSON (*.xml *.json)";
    t.Pruefung_Titel = "IMPORT: Rezept prüfen";
    t.Datei = "Datei: %1";
    t.Rezeptwahl = "Rezept (%1 in der Datei):";
    t.Phasen = "Phasen, die entstehen";
    t.Spalte_Nr = "Nr.";
    t.Spalte_Art = "Art";
    t.Spalte_Ziel = "Ziel °C";
    t.Spalte_Minuten = "Min.";
    t.Spalte_Ruf = "Ruf";
    t.Spalte_Ruftext = "Ruftext";
    t.Spalte_Titel = "Titel";
    t.Braudaten = "Brau-Protokoll";
    t.Braudaten_Bleiben = "Nur ein Maischprofil: Biersorte und Brau-Protokoll bleiben, wie sie sind.";
    t.Warnungen = "Warnungen";
    t.Keine_Warnungen = "Keine Warnungen.";
    t.Ruehrwerk = "Rührwerk für alle Phasen";
    t.Abbrechen = "Abbrechen";
    t.Nichts_Geaendert = "Es wurde nichts geändert.";
    t.Einmaischen = "Einmaischen";
    t.Aufheizen_Auf = "Aufheizen auf %1 °C";
    t.Abkuehlen_Auf = "Abkühlen auf %1 °C";
    t.Ruf_Dekoktion = "Dekoktion ziehen%1, kochen und zurückgeben";
    t.Menge_Klammer = " (%1 l)";
    t.Ruf_Ende = "Maischen beendet";
    t.F_Lesen = "Die Datei %1 kann nicht gelesen werden (%2).";
    t.F_Zu_Gross = "Die Datei %1 ist mit %2 MB zu groß für ein Rezept (höchstens %3 MB).";
    t.F_Kein_Format = "Die Datei ist weder BeerXML noch BeerJSON.";
    t.F_Xml = "Die Datei ist kein gültiges BeerXML: Fehler in Zeile %1, Spalte %2 (%3).";
    t.F_Json = "Die Datei ist kein gültiges BeerJSON: Fehler bei Zeichen %1 (%2).";
    t.F_Entities = "Die Datei erklärt eigene XML-Entities; solche Dateien werden zum Schutz nicht gelesen.";
    t.F_Zu_Viele = "Die Datei enthält mehr als %1 Einträge oder ist zu tief verschachtelt; das ist kein Rezept.";
    t.F_Kein_Rezept = "Die Datei enthält kein Rezept und kein Maischprofil.";
    t.F_Keine_Maische = "Das Rezept „%1“ enthält keine Maischschritte.";
    t.F_Temperatur = "Schritt %1 „%2“ hat keine brauchbare Temperatur: %3.";
    t.F_Zeit = "Schritt %1 „%2“ hat keine brauchbare Zeit: %3.";
    t.G_Fehlt = "sie fehlt";
    t.G_Einheit = "die Einheit „%1“ ist unbekannt";
    t.G_Keine_Zahl = "„%1“ ist keine Zahl";
    t.G_Bereich = "%1 %4 liegt nicht zwischen %2 und %3 %4";
    t.F_Zu_Viele_Phasen = "Das Maischprogramm bräuchte %1 Phasen für %2 Maischschritte; es sind höchstens 20 Phasen möglich.";
    t.F_Rezept_Fehlt = "Die Datei enthält kein Rezept „%1“; sie enthält: %2.";
    t.W_Titel_Gekuerzt = "Phase %1: Titel „%2“ auf 20 Zeichen gekürzt („%3“).";
    t.W_Dekoktion = "Schritt %1 „%2“ ist eine Dekoktion, die der Kessel nicht selbst ausführen kann: Phase %3 ruft zu Beginn, die Dekoktion zu ziehen%4, und hält dann %5 °C für %6 min.";
    t.W_Weggelassen = "Schritt %1 „%2“ (%3) ist kein Maischschritt und wurde weggelassen%4.";
    t.W_Nachguss = "; %1 l Nachguss ins Brau-Protokoll";
    t.W_Gerundet_Temp = "%1: %2 °C auf %3 °C gerundet.";
    t.W_Gerundet_Zeit = "Schritt %1 „%2“: %3 min auf %4 min gerundet.";
    t.W_Endtemperatur = "Schritt %1 „%2“: Endtemperatur %3 °C nicht übernommen; der Kessel hält %4 °C.";
    t.W_Rampen = "Rampenzeiten nicht übernommen: der Kessel heizt, so schnell er kann, und jede Rast zählt ab Erreichen ihrer Temperatur.";
    t.W_Infusion = "Schritt %1 „%2“: die Zugabe von %3 l Wasser%4 entfällt, der Kessel heizt selbst; die Menge zählt zum Hauptguss.";
    t.W_Infusion_Temp = " (%1 °C)";
    t.W_Abkuehlen = "Schritt %1 „%2“ liegt mit %3 °C unter der vorigen Temperatur (%4 °C): Phase %5 wartet, bis die Maische so weit abgekühlt ist (der Kessel kühlt nicht selbst).";
    t.W_Zutaten = "%1 Zutaten, das Brau-Protokoll fasst vier: übernommen die vier schwersten, weggelassen: %2.";
    t.W_Hopfen = "Nicht im Brau-Protokoll (dort nur die Kochgaben mit der längsten und der kürzesten Zeit): %1.";
    t.W_Art_Unbekannt = "Schritt %1 „%2“: unbekannte Art „%3“, als Rast übernommen.";
    t.W_Version = "BeerJSON-Version %1 ist unbekannt; gelesen wie Version 1.0.";
    t.W_Unbrauchbar = "%1: „%2“ ist nicht verwertbar und wurde nicht übernommen.";
    t.W_Name_Datei = "Der Name „%1“ taugt nicht als Dateiname; übernommen als „%2“.";
    t.W_Name_Fehlt = "Das Rezept hat keinen Namen; übernommen als „%1“.";
    t.W_Notizen = "Notizen auf %1 Zeichen gekürzt (mehr hält die Rezeptdatei nicht).";
    t.W_Kein_Ruehrwerk = "Rührimpuls und Rührpause fehlen: bitte im Editor eintragen, sonst startet das Programm nicht.";
    t.W_Nur_Maische = "Die Datei enthält nur ein Maischprofil: übernommen wird nur das Maischprogramm.";
    t.W_Einmaischtemperatur = "Keine Einmaischtemperatur angegeben: Phase 1 heizt auf die Temperatur des ersten Schritts (%1 °C).";
    t.W_Kodierung = "Die Datei ist nicht in UTF-8, wie sie angibt; gelesen als Windows-1252.";
    t.W_Schritt = "Schritt %1 „%2“";
    t.W_Strike = "Einmaischtemperatur";
    t.W_Datei_Da = "Die Datei %1 gab es schon; sie wurde aktualisiert.";
    return t;
}

Importtexte Englisch()
{
    Importtexte t;
    t.Knopf_Import = "IMPORT";
    t.Dateidialog_Titel = "IMPORT: recipe from BeerXML or BeerJSON";
    t.Filter_Rezepte = "BeerXML, BeerJSON (*.xml *.json)";
    t.Pruefung_Titel = "IMPORT: check the recipe";
    t.Datei = "File: %1";
    t.Rezeptwahl = "Recipe (%1 in the file):";
    t.Phasen = "Steps that will result";
    t.Spalte_Nr = "No.";
    t.Spalte_Art = "Kind";
    t.Spalte_Ziel = "Target °C";
    t.Spalte_Minuten = "Min.";
    t.Spalte_Ruf = "Call";
    t.Spalte_Ruftext = "Call text";
    t.Spalte_Titel = "Title";
    t.Braudaten = "Brew protocol";
    t.Braudaten_Bleiben = "A mash profile only: beer name and brew protocol stay as they are.";
    t.Warnungen = "Warnings";
    t.Keine_Warnungen = "No warnings.";
    t.Ruehrwerk = "Stirrer for all steps";
    t.Abbrechen = "Cancel";
    t.Nichts_Geaendert = "Nothing was changed.";
    t.Einmaischen = "Mash in";
    t.Aufheizen_Auf = "Heat up to %1 °C";
    t.Abkuehlen_Auf = "Cool down to %1 °C";
    t.Ruf_Dekoktion = "Pull the decoction%1, boil it and return it";
    t.Menge_Klammer = " (%1 l)";
    t.Ruf_Ende = "Mash finished";
    t.F_Lesen = "The file %1 cannot be read (%2).";
    t.F_Zu_Gross = "The file %1 is too large for a recipe at %2 MB (at most %3 MB).";
    t.F_Kein_Format = "The file is neither BeerXML nor BeerJSON.";
    t.F_Xml = "The file is no valid BeerXML: error in line %1, column %2 (%3).";
    t.F_Json = "The file is no valid BeerJSON: error at character %1 (%2).";
    t.F_Entities = "The file declares XML entities of its own; such files are not read, for safety.";
    t.F_Zu_Viele = "The file holds more than %1 entries or is nested too deeply; it is no recipe.";
    t.F_Kein_Rezept = "The file holds no recipe and no mash profile.";
    t.F_Keine_Maische = "The recipe \"%1\" has no mash steps.";
    t.F_Temperatur = "Step %1 \"%2\" has no usable temperature: %3.";
    t.F_Zeit = "Step %1 \"%2\" has no usable time: %3.";
    t.G_Fehlt = "it is missing";
    t.G_Einheit = "the unit \"%1\" is unknown";
    t.G_Keine_Zahl = "\"%1\" is no number";
    t.G_Bereich = "%1 %4 is not between %2 and %3 %4";
    t.F_Zu_Viele_Phasen = "The mash program would need %1 steps for %2 mash steps; at most 20 steps are possible.";
    t.F_Rezept_Fehlt = "The file holds no recipe \"%1\"; it holds: %2.";
    t.W_Titel_Gekuerzt = "Step %1: title \"%2\" cut to 20 characters (\"%3\").";
    t.W_Dekoktion = "Step %1 \"%2\" is a decoction, which the kettle cannot do by itself: step %3 calls at its start to pull the decoction%4 and then holds %5 °C for %6 min.";
    t.W_Weggelassen = "Step %1 \"%2\" (%3) is no mash step and was left out%4.";
    t.W_Nachguss = "; %1 l sparge water into the brew protocol";
    t.W_Gerundet_Temp = "%1: %2 °C rounded to %3 °C.";
    t.W_Gerundet_Zeit = "Step %1 \"%2\": %3 min rounded to %4 min.";
    t.W_Endtemperatur = "Step %1 \"%2\": end temperature %3 °C not taken; the kettle holds %4 °C.";
    t.W_Rampen = "Ramp times not taken: the kettle heats as fast as it can, and each rest counts from reaching its temperature.";
    t.W_Infusion = "Step %1 \"%2\": the addition of %3 l of water%4 is dropped, the kettle heats by itself; the amount counts towards the mash water.";
    t.W_Infusion_Temp = " (%1 °C)";
    t.W_Abkuehlen = "Step %1 \"%2\" at %3 °C lies below the previous temperature (%4 °C): step %5 waits until the mash has cooled that far (the kettle does not cool by itself).";
    t.W_Zutaten = "%1 ingredients, the brew protocol holds four: the four heaviest are taken, left out: %2.";
    t.W_Hopfen = "Not in the brew protocol (it holds only the boil additions with the longest and the shortest time): %1.";
    t.W_Art_Unbekannt = "Step %1 \"%2\": unknown kind \"%3\", taken as a rest.";
    t.W_Version = "BeerJSON version %1 is unknown; read as version 1.0.";
    t.W_Unbrauchbar = "%1: \"%2\" cannot be used and was not taken.";
    t.W_Name_Datei = "The name \"%1\" cannot be a file name; taken as \"%2\".";
    t.W_Name_Fehlt = "The recipe has no name; taken as \"%1\".";
    t.W_Notizen = "Notes cut to %1 characters (the recipe file holds no more).";
    t.W_Kein_Ruehrwerk = "Stirrer pulse and pause are missing: enter them in the editor, or the program will not start.";
    t.W_Nur_Maische = "The file holds a mash profile only: only the mash program is taken.";
    t.W_Einmaischtemperatur = "No strike temperature given: step 1 heats up to the temperature of the first mash step (%1 °C).";
    t.W_Kodierung = "The file is not UTF-8 as it says; read as Windows-1252.";
    t.W_Schritt = "Step %1 \"%2\"";
    t.W_Strike = "Strike temperature";
    t.W_Datei_Da = "The file %1 existed already; it was updated.";
    return t;
}

Importtexte Portugiesisch()
{
    Importtexte t;
    t.Knopf_Import = "IMPORTAR";
    t.Dateidialog_Titel = "IMPORTAR: receita de BeerXML ou BeerJSON";
    t.Filter_Rezepte = "BeerXML, BeerJSON (*.xml *.json)";
    t.Pruefung_Titel = "IMPORTAR: verificar a receita";
    t.Datei = "Arquivo: %1";
    t.Rezeptwahl = "Receita (%1 no arquivo):";
    t.Phasen = "Fases resultantes";
    t.Spalte_Nr = "N.º";
    t.Spalte_Art = "Tipo";
    t.Spalte_Ziel = "Alvo °C";
    t.Spalte_Minuten = "Min.";
    t.Spalte_Ruf = "Chamada";
    t.Spalte_Ruftext = "Texto da chamada";
    t.Spalte_Titel = "Título";
    t.Braudaten = "Protocolo de brassagem";
    t.Braudaten_Bleiben = "Só um perfil de mostura: nome da cerveja e protocolo ficam como estão.";
    t.Warnungen = "Avisos";
    t.Keine_Warnungen = "Nenhum aviso.";
    t.Ruehrwerk = "Agitador para todas as fases";
    t.Abbrechen = "Cancelar";
    t.Nichts_Geaendert = "Nada foi alterado.";
    t.Einmaischen = "Empastagem";
    t.Aufheizen_Auf = "Aquecer até %1 °C";
    t.Abkuehlen_Auf = "Arrefecer até %1 °C";
    t.Ruf_Dekoktion = "Retirar a decocção%1, ferver e devolver";
    t.Menge_Klammer = " (%1 l)";
    t.Ruf_Ende = "Mostura terminada";
    t.F_Lesen = "O arquivo %1 não pode ser lido (%2).";
    t.F_Zu_Gross = "O arquivo %1, com %2 MB, é grande demais para uma receita (no máximo %3 MB).";
    t.F_Kein_Format = "O arquivo não é BeerXML nem BeerJSON.";
    t.F_Xml = "O arquivo não é BeerXML válido: erro na linha %1, coluna %2 (%3).";
    t.F_Json = "O arquivo não é BeerJSON válido: erro no caractere %1 (%2).";
    t.F_Entities = "O arquivo declara entidades XML próprias; por segurança, tais arquivos não são lidos.";
    t.F_Zu_Viele = "O arquivo contém mais de %1 entradas ou está aninhado demais; não é uma receita.";
    t.F_Kein_Rezept = "O arquivo não contém receita nem perfil de mostura.";
    t.F_Keine_Maische = "A receita “%1” não tem passos de mostura.";
    t.F_Temperatur = "O passo %1 “%2” não tem temperatura utilizável: %3.";
    t.F_Zeit = "O passo %1 “%2” não tem tempo utilizável: %3.";
    t.G_Fehlt = "está em falta";
    t.G_Einheit = "a unidade “%1” é desconhecida";
    t.G_Keine_Zahl = "“%1” não é um número";
    t.G_Bereich = "%1 %4 não está entre %2 e %3 %4";
    t.F_Zu_Viele_Phasen = "O programa precisaria de %1 fases para %2 passos de mostura; são possíveis no máximo 20 fases.";
    t.F_Rezept_Fehlt = "O arquivo não contém a receita “%1”; contém: %2.";
    t.W_Titel_Gekuerzt = "Fase %1: título “%2” cortado para 20 caracteres (“%3”).";
    t.W_Dekoktion = "O passo %1 “%2” é uma decocção, que a panela não faz sozinha: a fase %3 chama no início para retirar a decocção%4 e depois mantém %5 °C por %6 min.";
    t.W_Weggelassen = "O passo %1 “%2” (%3) não é um passo de mostura e foi omitido%4.";
    t.W_Nachguss = "; %1 l de água de lavagem no protocolo";
    t.W_Gerundet_Temp = "%1: %2 °C arredondado para %3 °C.";
    t.W_Gerundet_Zeit = "Passo %1 “%2”: %3 min arredondado para %4 min.";
    t.W_Endtemperatur = "Passo %1 “%2”: temperatura final %3 °C não adotada; a panela mantém %4 °C.";
    t.W_Rampen = "Tempos de rampa não adotados: a panela aquece o mais rápido possível e cada pausa conta a partir de atingir a sua temperatura.";
    t.W_Infusion = "Passo %1 “%2”: a adição de %3 l de água%4 é omitida, a panela aquece sozinha; a quantidade conta para a água de mostura.";
    t.W_Infusion_Temp = " (%1 °C)";
    t.W_Abkuehlen = "O passo %1 “%2”, com %3 °C, fica abaixo da temperatura anterior (%4 °C): a fase %5 espera até a mostura arrefecer (a panela não arrefece sozinha).";
    t.W_Zutaten = "%1 ingredientes, o protocolo comporta quatro: adotados os quatro mais pesados, omitidos: %2.";
    t.W_Hopfen = "Fora do protocolo (só as adições de fervura com o tempo mais longo e o mais curto): %1.";
    t.W_Art_Unbekannt = "Passo %1 “%2”: tipo desconhecido “%3”, adotado como pausa.";
    t.W_Version = "A versão %1 de BeerJSON é desconhecida; lida como versão 1.0.";
    t.W_Unbrauchbar = "%1: “%2” não é utilizável e não foi adotado.";
    t.W_Name_Datei = "O nome “%1” não serve como nome de arquivo; adotado como “%2”.";
    t.W_Name_Fehlt = "A receita não tem nome; adotada como “%1”.";
    t.W_Notizen = "Notas cortadas para %1 caracteres (o arquivo de receita não comporta mais).";
    t.W_Kein_Ruehrwerk = "Faltam impulso e pausa do agitador: preencha no editor, senão o programa não arranca.";
    t.W_Nur_Maische = "O arquivo contém só um perfil de mostura: é adotado só o programa de mostura.";
    t.W_Einmaischtemperatur = "Sem temperatura de empastagem: a fase 1 aquece até a temperatura do primeiro passo (%1 °C).";
    t.W_Kodierung = "O arquivo não está em UTF-8 como declara; lido como Windows-1252.";
    t.W_Schritt = "Passo %1 “%2”";
    t.W_Strike = "Temperatura de empastagem";
    t.W_Datei_Da = "O arquivo %1 já existia; foi atualizado.";
    return t;
}

Importtexte Tschechisch()
{
    Importtexte t;
    t.Knopf_Import = "IMPORT";
    t.Dateidialog_Titel = "IMPORT: recept z BeerXML nebo BeerJSON";
    t.Filter_Rezepte = "BeerXML, BeerJSON (*.xml *.json)";
    t.Pruefung_Titel = "IMPORT: kontrola receptu";
    t.Datei = "Soubor: %1";
    t.Rezeptwahl = "Recept (%1 v souboru):";
    t.Phasen = "Vzniklé fáze";
    t.Spalte_Nr = "Č.";
    t.Spalte_Art = "Druh";
    t.Spalte_Ziel = "Cíl °C";
    t.Spalte_Minuten = "Min.";
    t.Spalte_Ruf = "Volání";
    t.Spalte_Ruftext = "Text volání";
    t.Spalte_Titel = "Název";
    t.Braudaten = "Varní protokol";
    t.Braudaten_Bleiben = "Jen rmutovací profil: druh piva a varní protokol zůstávají beze změny.";
    t.Warnungen = "Upozornění";
    t.Keine_Warnungen = "Žádná upozornění.";
    t.Ruehrwerk = "Míchadlo pro všechny fáze";
    t.Abbrechen = "Zrušit";
    t.Nichts_Geaendert = "Nic nebylo změněno.";
    t.Einmaischen = "Vystírání";
    t.Aufheizen_Auf = "Ohřev na %1 °C";
    t.Abkuehlen_Auf = "Chlazení na %1 °C";
    t.Ruf_Dekoktion = "Odebrat dekokci%1, povařit a vrátit";
    t.Menge_Klammer = " (%1 l)";
    t.Ruf_Ende = "Rmutování skončeno";
    t.F_Lesen = "Soubor %1 nelze přečíst (%2).";
    t.F_Zu_Gross = "Soubor %1 je s %2 MB na recept příliš velký (nejvýše %3 MB).";
    t.F_Kein_Format = "Soubor není BeerXML ani BeerJSON.";
    t.F_Xml = "Soubor není platný BeerXML: chyba na řádku %1, ve sloupci %2 (%3).";
    t.F_Json = "Soubor není platný BeerJSON: chyba u znaku %1 (%2).";
    t.F_Entities = "Soubor deklaruje vlastní XML entity; takové soubory se z bezpečnostních důvodů nečtou.";
    t.F_Zu_Viele = "Soubor obsahuje více než %1 položek nebo je příliš hluboce vnořen; není to recept.";
    t.F_Kein_Rezept = "Soubor neobsahuje recept ani rmutovací profil.";
    t.F_Keine_Maische = "Recept „%1“ nemá žádné kroky rmutování.";
    t.F_Temperatur = "Krok %1 „%2“ nemá použitelnou teplotu: %3.";
    t.F_Zeit = "Krok %1 „%2“ nemá použitelný čas: %3.";
    t.G_Fehlt = "chybí";
    t.G_Einheit = "jednotka „%1“ je neznámá";
    t.G_Keine_Zahl = "„%1“ není číslo";
    t.G_Bereich = "%1 %4 neleží mezi %2 a %3 %4";
    t.F_Zu_Viele_Phasen = "Rmutovací program by potřeboval %1 fází pro %2 kroků rmutování; možných je nejvýše 20 fází.";
    t.F_Rezept_Fehlt = "Soubor neobsahuje recept „%1“; obsahuje: %2.";
    t.W_Titel_Gekuerzt = "Fáze %1: název „%2“ zkrácen na 20 znaků („%3“).";
    t.W_Dekoktion = "Krok %1 „%2“ je dekokce, kterou kotel sám neprovede: fáze %3 na začátku volá k odebrání dekokce%4 a pak drží %5 °C po %6 min.";
    t.W_Weggelassen = "Krok %1 „%2“ (%3) není krok rmutování a byl vynechán%4.";
    t.W_Nachguss = "; %1 l vody na vyslazování do protokolu";
    t.W_Gerundet_Temp = "%1: %2 °C zaokrouhleno na %3 °C.";
    t.W_Gerundet_Zeit = "Krok %1 „%2“: %3 min zaokrouhleno na %4 min.";
    t.W_Endtemperatur = "Krok %1 „%2“: koncová teplota %3 °C nepřevzata; kotel drží %4 °C.";
    t.W_Rampen = "Časy náběhu nepřevzaty: kotel hřeje, jak nejrychleji umí, a každá prodleva se počítá od dosažení její teploty.";
    t.W_Infusion = "Krok %1 „%2“: přídavek %3 l vody%4 odpadá, kotel hřeje sám; množství se počítá do vystírací vody.";
    t.W_Infusion_Temp = " (%1 °C)";
    t.W_Abkuehlen = "Krok %1 „%2“ s %3 °C leží pod předchozí teplotou (%4 °C): fáze %5 čeká, až rmut vychladne (kotel sám nechladí).";
    t.W_Zutaten = "%1 surovin, protokol pojme čtyři: převzaty čtyři nejtěžší, vynechány: %2.";
    t.W_Hopfen = "Není v protokolu (jen dávky při chmelovaru s nejdelší a nejkratší dobou): %1.";
    t.W_Art_Unbekannt = "Krok %1 „%2“: neznámý druh „%3“, převzat jako prodleva.";
    t.W_Version = "Verze BeerJSON %1 je neznámá; čteno jako verze 1.0.";
    t.W_Unbrauchbar = "%1: „%2“ nelze použít a nebylo převzato.";
    t.W_Name_Datei = "Název „%1“ nelze použít jako název souboru; převzat jako „%2“.";
    t.W_Name_Fehlt = "Recept nemá název; převzat jako „%1“.";
    t.W_Notizen = "Poznámky zkráceny na %1 znaků (víc soubor receptu neudrží).";
    t.W_Kein_Ruehrwerk = "Chybí impuls a pauza míchadla: doplňte je v editoru, jinak program nezačne.";
    t.W_Nur_Maische = "Soubor obsahuje jen rmutovací profil: převezme se jen rmutovací program.";
    t.W_Einmaischtemperatur = "Teplota vystírání není uvedena: fáze 1 hřeje na teplotu prvního kroku (%1 °C).";
    t.W_Kodierung = "Soubor není v UTF-8, jak uvádí; čten jako Windows-1252.";
    t.W_Schritt = "Krok %1 „%2“";
    t.W_Strike = "Teplota vystírání";
    t.W_Datei_Da = "Soubor %1 již existoval; byl aktualizován.";
    return t;
}

Importtexte Polnisch()
{
    Importtexte t;
    t.Knopf_Import = "IMPORT";
    t.Dateidialog_Titel = "IMPORT: receptura z BeerXML lub BeerJSON";
    t.Filter_Rezepte = "BeerXML, BeerJSON (*.xml *.json)";
    t.Pruefung_Titel = "IMPORT: sprawdzenie receptury";
    t.Datei = "Plik: %1";
    t.Rezeptwahl = "Receptura (%1 w pliku):";
    t.Phasen = "Powstałe fazy";
    t.Spalte_Nr = "Nr";
    t.Spalte_Art = "Rodzaj";
    t.Spalte_Ziel = "Cel °C";
    t.Spalte_Minuten = "Min.";
    t.Spalte_Ruf = "Wezwanie";
    t.Spalte_Ruftext = "Tekst wezwania";
    t.Spalte_Titel = "Nazwa";
    t.Braudaten = "Protokół warzenia";
    t.Braudaten_Bleiben = "Tylko profil zacierania: nazwa piwa i protokół pozostają bez zmian.";
    t.Warnungen = "Ostrzeżenia";
    t.Keine_Warnungen = "Brak ostrzeżeń.";
    t.Ruehrwerk = "Mieszadło dla wszystkich faz";
    t.Abbrechen = "Anuluj";
    t.Nichts_Geaendert = "Nic nie zostało zmienione.";
    t.Einmaischen = "Zasyp słodu";
    t.Aufheizen_Auf = "Grzanie do %1 °C";
    t.Abkuehlen_Auf = "Chłodzenie do %1 °C";
    t.Ruf_Dekoktion = "Pobrać dekokt%1, zagotować i zawrócić";
    t.Menge_Klammer = " (%1 l)";
    t.Ruf_Ende = "Zacieranie zakończone";
    t.F_Lesen = "Nie można odczytać pliku %1 (%2).";
    t.F_Zu_Gross = "Plik %1 ma %2 MB i jest za duży na recepturę (najwyżej %3 MB).";
    t.F_Kein_Format = "Plik nie jest ani BeerXML, ani BeerJSON.";
    t.F_Xml = "Plik nie jest poprawnym BeerXML: błąd w wierszu %1, kolumnie %2 (%3).";
    t.F_Json = "Plik nie jest poprawnym BeerJSON: błąd przy znaku %1 (%2).";
    t.F_Entities = "Plik deklaruje własne encje XML; ze względów bezpieczeństwa takie pliki nie są czytane.";
    t.F_Zu_Viele = "Plik zawiera ponad %1 wpisów lub jest zbyt głęboko zagnieżdżony; to nie jest receptura.";
    t.F_Kein_Rezept = "Plik nie zawiera receptury ani profilu zacierania.";
    t.F_Keine_Maische = "Receptura „%1” nie ma kroków zacierania.";
    t.F_Temperatur = "Krok %1 „%2” nie ma użytecznej temperatury: %3.";
    t.F_Zeit = "Krok %1 „%2” nie ma użytecznego czasu: %3.";
    t.G_Fehlt = "brak wartości";
    t.G_Einheit = "jednostka „%1” jest nieznana";
    t.G_Keine_Zahl = "„%1” nie jest liczbą";
    t.G_Bereich = "%1 %4 nie leży między %2 a %3 %4";
    t.F_Zu_Viele_Phasen = "Program zacierania potrzebowałby %1 faz dla %2 kroków zacierania; możliwe jest najwyżej 20 faz.";
    t.F_Rezept_Fehlt = "Plik nie zawiera receptury „%1”; zawiera: %2.";
    t.W_Titel_Gekuerzt = "Faza %1: nazwa „%2” skrócona do 20 znaków („%3”).";
    t.W_Dekoktion = "Krok %1 „%2” to dekokcja, której kocioł nie wykona sam: faza %3 wzywa na początku do pobrania dekoktu%4, a potem utrzymuje %5 °C przez %6 min.";
    t.W_Weggelassen = "Krok %1 „%2” (%3) nie jest krokiem zacierania i został pominięty%4.";
    t.W_Nachguss = "; %1 l wody do wysładzania w protokole";
    t.W_Gerundet_Temp = "%1: %2 °C zaokrąglono do %3 °C.";
    t.W_Gerundet_Zeit = "Krok %1 „%2”: %3 min zaokrąglono do %4 min.";
    t.W_Endtemperatur = "Krok %1 „%2”: temperatura końcowa %3 °C nie przejęta; kocioł utrzymuje %4 °C.";
    t.W_Rampen = "Czasy narastania nie przejęte: kocioł grzeje najszybciej, jak może, a każda przerwa liczy się od osiągnięcia jej temperatury.";
    t.W_Infusion = "Krok %1 „%2”: dodanie %3 l wody%4 odpada, kocioł grzeje sam; ilość wlicza się do wody zaciernej.";
    t.W_Infusion_Temp = " (%1 °C)";
    t.W_Abkuehlen = "Krok %1 „%2” z %3 °C leży poniżej poprzedniej temperatury (%4 °C): faza %5 czeka, aż zacier ostygnie (kocioł sam nie chłodzi).";
    t.W_Zutaten = "%1 składników, protokół mieści cztery: przejęto cztery najcięższe, pominięto: %2.";
    t.W_Hopfen = "Poza protokołem (tylko dawki do gotowania o najdłuższym i najkrótszym czasie): %1.";
    t.W_Art_Unbekannt = "Krok %1 „%2”: nieznany rodzaj „%3”, przejęty jako przerwa.";
    t.W_Version = "Wersja BeerJSON %1 jest nieznana; czytana jak wersja 1.0.";
    t.W_Unbrauchbar = "%1: „%2” nie nadaje się do użycia i nie został przejęty.";
    t.W_Name_Datei = "Nazwa „%1” nie nadaje się na nazwę pliku; przejęto jako „%2”.";
    t.W_Name_Fehlt = "Receptura nie ma nazwy; przejęto jako „%1”.";
    t.W_Notizen = "Notatki skrócone do %1 znaków (plik receptury więcej nie pomieści).";
    t.W_Kein_Ruehrwerk = "Brak impulsu i przerwy mieszadła: proszę wpisać w edytorze, inaczej program nie wystartuje.";
    t.W_Nur_Maische = "Plik zawiera tylko profil zacierania: przejmowany jest tylko program zacierania.";
    t.W_Einmaischtemperatur = "Brak temperatury zasypu: faza 1 grzeje do temperatury pierwszego kroku (%1 °C).";
    t.W_Kodierung = "Plik nie jest w UTF-8, jak deklaruje; przeczytany jako Windows-1252.";
    t.W_Schritt = "Krok %1 „%2”";
    t.W_Strike = "Temperatura zasypu";
    t.W_Datei_Da = "Plik %1 już istniał; został zaktualizowany.";
    return t;
}

}  // namespace

const Importtexte& Importtexte_Fuer(Sprache sprache)
{
    static const Importtexte de = Deutsch(), en = Englisch(), pt = Portugiesisch(),
                             cz = Tschechisch(), pl = Polnisch();
    switch (sprache) {
    case Sprache::Englisch: return en;
    case Sprache::Portugiesisch: return pt;
    case Sprache::Tschechisch: return cz;
    case Sprache::Polnisch: return pl;
    case Sprache::Deutsch: break;
    }
    return de;
}

std::string Einsetzen(const std::string& muster, const std::vector<std::string>& werte)
{
    std::string r;
    r.reserve(muster.size() + 32);
    for (std::size_t i = 0; i < muster.size(); ++i) {
        const char c = muster[i];
        if (c == '%' && i + 1 < muster.size() && muster[i + 1] >= '1' && muster[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(muster[i + 1] - '1');
            if (n < werte.size()) {
                r += werte[n];
                ++i;
                continue;
            }
        }
        r += c;
    }
    return r;
}

std::string Einsetzen(const std::string& muster, std::initializer_list<std::string> werte)
{
    return Einsetzen(muster, std::vector<std::string>(werte));
}

}  // namespace kw
