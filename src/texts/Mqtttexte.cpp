#include "texts/Mqtttexte.h"

namespace kw {

namespace {

Mqtttexte Deutsch()
{
    Mqtttexte t;
    t.Knopf = "MQTT-Verbindung …";
    t.Titel = "MQTT / Home Assistant";
    t.Ein = "MQTT ein";
    t.Verbindung = "Broker";
    t.Host = "Host:";
    t.Port = "Port:";
    t.Tls = "TLS (verschlüsselt)";
    t.Ca_Datei = "CA-Datei:";
    t.Zertifikat = "Client-Zertifikat:";
    t.Schluessel = "Client-Schlüssel:";
    t.Waehlen = "Datei wählen";
    t.Anmeldung = "Anmeldung";
    t.Benutzer = "Benutzer:";
    t.Passwort = "Passwort:";
    t.Themen = "Themen";
    t.Praefix = "Themen-Präfix:";
    t.Client_Id = "Client-ID:";
    t.Vorgabe = "Vorgabe: %1";
    t.Befehle = "Fernbefehle erlauben (QUITTIEREN, PAUSE/Freigabe, STOP)";
    t.Befehle_Hinweis = "Vom Netz wird nie ein Ausgang eingeschaltet oder ein Ablauf gestartet.";
    t.Zustand = "Verbindung: %1";
    t.Ok = "OK";
    t.Abbrechen = "Abbrechen";
    t.Status_Aus = "aus";
    t.Status_Verbinde = "verbinde …";
    t.Status_Verbunden = "verbunden";
    t.Status_Getrennt = "getrennt";
    t.Status_Abgewiesen = "abgewiesen";
    t.Anzeige = "MQTT: %1";
    t.Fernbefehl = "Fernbefehl %1 um %2 (%3)";
    t.F_Anmeldung = "Der MQTT-Broker %1 hat die Anmeldung abgewiesen: Benutzer oder Passwort falsch.\n%2";
    t.F_Zertifikat = "Keine TLS-Verbindung zum MQTT-Broker %1: das Zertifikat wurde nicht anerkannt (CA-Datei prüfen).\n%2";
    t.F_Abgelehnt = "Der MQTT-Broker %1 hat die Verbindung abgelehnt.\n%2";
    t.F_Host = "Bitte einen Host angeben (ohne Leerzeichen).";
    t.F_Port = "Der Port muss zwischen 1 und 65535 liegen.";
    t.F_Praefix = "Das Themen-Präfix darf weder „+“ noch „#“ enthalten und nicht mit „/“ beginnen.";
    t.F_Ca = "Für TLS wird eine CA-Datei gebraucht.";
    t.F_Schluessel = "Client-Zertifikat und Schlüssel nur zusammen angeben.";
    t.F_Speichern = "Die MQTT-Einstellungen konnten nicht gespeichert werden: %1";
    return t;
}

Mqtttexte Englisch()
{
    Mqtttexte t;
    t.Knopf = "MQTT link …";
    t.Titel = "MQTT / Home Assistant";
    t.Ein = "MQTT on";
    t.Verbindung = "Broker";
    t.Host = "Host:";
    t.Port = "Port:";
    t.Tls = "TLS (encrypted)";
    t.Ca_Datei = "CA file:";
    t.Zertifikat = "Client certificate:";
    t.Schluessel = "Client key:";
    t.Waehlen = "Choose file";
    t.Anmeldung = "Login";
    t.Benutzer = "User:";
    t.Passwort = "Password:";
    t.Themen = "Topics";
    t.Praefix = "Topic prefix:";
    t.Client_Id = "Client id:";
    t.Vorgabe = "Default: %1";
    t.Befehle = "Allow remote commands (QUITTIEREN, PAUSE/release, STOP)";
    t.Befehle_Hinweis = "The network never switches an output on or starts a run.";
    t.Zustand = "Connection: %1";
    t.Ok = "OK";
    t.Abbrechen = "Cancel";
    t.Status_Aus = "off";
    t.Status_Verbinde = "connecting …";
    t.Status_Verbunden = "connected";
    t.Status_Getrennt = "disconnected";
    t.Status_Abgewiesen = "refused";
    t.Anzeige = "MQTT: %1";
    t.Fernbefehl = "Remote command %1 at %2 (%3)";
    t.F_Anmeldung = "The MQTT broker %1 refused the login: wrong user name or password.\n%2";
    t.F_Zertifikat = "No TLS connection to the MQTT broker %1: the certificate was not accepted (check the CA file).\n%2";
    t.F_Abgelehnt = "The MQTT broker %1 refused the connection.\n%2";
    t.F_Host = "Please give a host (without blanks).";
    t.F_Port = "The port must lie between 1 and 65535.";
    t.F_Praefix = "The topic prefix must hold neither \"+\" nor \"#\" and must not begin with \"/\".";
    t.F_Ca = "TLS needs a CA file.";
    t.F_Schluessel = "Give client certificate and key together.";
    t.F_Speichern = "The MQTT settings could not be saved: %1";
    return t;
}

Mqtttexte Portugiesisch()
{
    Mqtttexte t;
    t.Knopf = "Ligação MQTT …";
    t.Titel = "MQTT / Home Assistant";
    t.Ein = "MQTT ligado";
    t.Verbindung = "Broker";
    t.Host = "Host:";
    t.Port = "Porta:";
    t.Tls = "TLS (cifrado)";
    t.Ca_Datei = "Ficheiro CA:";
    t.Zertifikat = "Certificado do cliente:";
    t.Schluessel = "Chave do cliente:";
    t.Waehlen = "Escolher ficheiro";
    t.Anmeldung = "Autenticação";
    t.Benutzer = "Utilizador:";
    t.Passwort = "Palavra-passe:";
    t.Themen = "Tópicos";
    t.Praefix = "Prefixo dos tópicos:";
    t.Client_Id = "ID do cliente:";
    t.Vorgabe = "Predefinido: %1";
    t.Befehle = "Permitir comandos remotos (QUITTIEREN, PAUSA/libertar, STOP)";
    t.Befehle_Hinweis = "A rede nunca liga uma saída nem inicia um processo.";
    t.Zustand = "Ligação: %1";
    t.Ok = "OK";
    t.Abbrechen = "Cancelar";
    t.Status_Aus = "desligado";
    t.Status_Verbinde = "a ligar …";
    t.Status_Verbunden = "ligado";
    t.Status_Getrennt = "sem ligação";
    t.Status_Abgewiesen = "recusado";
    t.Anzeige = "MQTT: %1";
    t.Fernbefehl = "Comando remoto %1 às %2 (%3)";
    t.F_Anmeldung = "O broker MQTT %1 recusou a autenticação: utilizador ou palavra-passe errados.\n%2";
    t.F_Zertifikat = "Sem ligação TLS ao broker MQTT %1: o certificado não foi aceite (verifique o ficheiro CA).\n%2";
    t.F_Abgelehnt = "O broker MQTT %1 recusou a ligação.\n%2";
    t.F_Host = "Indique um host (sem espaços).";
    t.F_Port = "A porta tem de estar entre 1 e 65535.";
    t.F_Praefix = "O prefixo não pode conter \"+\" nem \"#\" nem começar por \"/\".";
    t.F_Ca = "O TLS precisa de um ficheiro CA.";
    t.F_Schluessel = "Indique certificado e chave do cliente em conjunto.";
    t.F_Speichern = "Não foi possível guardar as definições MQTT: %1";
    return t;
}

Mqtttexte Tschechisch()
{
    Mqtttexte t;
    t.Knopf = "Spojení MQTT …";
    t.Titel = "MQTT / Home Assistant";
    t.Ein = "MQTT zapnuto";
    t.Verbindung = "Broker";
    t.Host = "Host:";
    t.Port = "Port:";
    t.Tls = "TLS (šifrováno)";
    t.Ca_Datei = "Soubor CA:";
    t.Zertifikat = "Certifikát klienta:";
    t.Schluessel = "Klíč klienta:";
    t.Waehlen = "Vybrat soubor";
    t.Anmeldung = "Přihlášení";
    t.Benutzer = "Uživatel:";
    t.Passwort = "Heslo:";
    t.Themen = "Témata";
    t.Praefix = "Předpona témat:";
    t.Client_Id = "ID klienta:";
    t.Vorgabe = "Výchozí: %1";
    t.Befehle = "Povolit dálkové příkazy (QUITTIEREN, PAUZA/uvolnění, STOP)";
    t.Befehle_Hinweis = "Ze sítě se nikdy nezapne výstup ani nespustí proces.";
    t.Zustand = "Spojení: %1";
    t.Ok = "OK";
    t.Abbrechen = "Zrušit";
    t.Status_Aus = "vypnuto";
    t.Status_Verbinde = "připojuji …";
    t.Status_Verbunden = "připojeno";
    t.Status_Getrennt = "odpojeno";
    t.Status_Abgewiesen = "odmítnuto";
    t.Anzeige = "MQTT: %1";
    t.Fernbefehl = "Dálkový příkaz %1 v %2 (%3)";
    t.F_Anmeldung = "MQTT broker %1 odmítl přihlášení: špatný uživatel nebo heslo.\n%2";
    t.F_Zertifikat = "Žádné TLS spojení s MQTT brokerem %1: certifikát nebyl uznán (zkontrolujte soubor CA).\n%2";
    t.F_Abgelehnt = "MQTT broker %1 odmítl spojení.\n%2";
    t.F_Host = "Zadejte host (bez mezer).";
    t.F_Port = "Port musí být mezi 1 a 65535.";
    t.F_Praefix = "Předpona nesmí obsahovat „+“ ani „#“ a nesmí začínat „/“.";
    t.F_Ca = "TLS potřebuje soubor CA.";
    t.F_Schluessel = "Certifikát a klíč klienta zadejte společně.";
    t.F_Speichern = "Nastavení MQTT nelze uložit: %1";
    return t;
}

Mqtttexte Polnisch()
{
    Mqtttexte t;
    t.Knopf = "Połączenie MQTT …";
    t.Titel = "MQTT / Home Assistant";
    t.Ein = "MQTT włączone";
    t.Verbindung = "Broker";
    t.Host = "Host:";
    t.Port = "Port:";
    t.Tls = "TLS (szyfrowane)";
    t.Ca_Datei = "Plik CA:";
    t.Zertifikat = "Certyfikat klienta:";
    t.Schluessel = "Klucz klienta:";
    t.Waehlen = "Wybierz plik";
    t.Anmeldung = "Logowanie";
    t.Benutzer = "Użytkownik:";
    t.Passwort = "Hasło:";
    t.Themen = "Tematy";
    t.Praefix = "Prefiks tematów:";
    t.Client_Id = "ID klienta:";
    t.Vorgabe = "Domyślnie: %1";
    t.Befehle = "Zezwól na polecenia zdalne (QUITTIEREN, PAUZA/zwolnienie, STOP)";
    t.Befehle_Hinweis = "Z sieci nigdy nie włącza się wyjścia ani nie uruchamia procesu.";
    t.Zustand = "Połączenie: %1";
    t.Ok = "OK";
    t.Abbrechen = "Anuluj";
    t.Status_Aus = "wyłączone";
    t.Status_Verbinde = "łączenie …";
    t.Status_Verbunden = "połączono";
    t.Status_Getrennt = "rozłączono";
    t.Status_Abgewiesen = "odrzucono";
    t.Anzeige = "MQTT: %1";
    t.Fernbefehl = "Polecenie zdalne %1 o %2 (%3)";
    t.F_Anmeldung = "Broker MQTT %1 odrzucił logowanie: błędny użytkownik lub hasło.\n%2";
    t.F_Zertifikat = "Brak połączenia TLS z brokerem MQTT %1: certyfikat nie został uznany (sprawdź plik CA).\n%2";
    t.F_Abgelehnt = "Broker MQTT %1 odrzucił połączenie.\n%2";
    t.F_Host = "Podaj host (bez spacji).";
    t.F_Port = "Port musi leżeć między 1 a 65535.";
    t.F_Praefix = "Prefiks nie może zawierać „+” ani „#” ani zaczynać się od „/”.";
    t.F_Ca = "TLS wymaga pliku CA.";
    t.F_Schluessel = "Certyfikat i klucz klienta podaj razem.";
    t.F_Speichern = "Nie można zapisać ustawień MQTT: %1";
    return t;
}

} // namespace

const Mqtttexte& Mqtttexte_Fuer(Sprache sprache)
{
    static const Mqtttexte de = Deutsch(), en = Englisch(), pt = Portugiesisch(), cz = Tschechisch(), pl = Polnisch();
    switch (sprache) {
    case Sprache::Englisch: return en;
    case Sprache::Portugiesisch: return pt;
    case Sprache::Tschechisch: return cz;
    case Sprache::Polnisch: return pl;
    case Sprache::Deutsch: break;
    }
    return de;
}

} // namespace kw
