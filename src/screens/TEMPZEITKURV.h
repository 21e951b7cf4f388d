#pragma once
// Temperature-time curve: appends a history sample every 5 s while loaded and
// draws the first 200 samples of a chosen history file.

#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>

#include "aids/Historie.h"

class QFileDialog;

namespace kw {

class Anwendung;

// The drawing area BG: a canvas that keeps what was drawn on it (each load
// draws over the earlier ones), shown over the red-to-blue background.
class Kurvenflaeche : public QWidget {
    Q_OBJECT
public:
    static constexpr int Breite_px = 809;  // 12135 x 7575 twips
    static constexpr int Hoehe_px = 505;

    explicit Kurvenflaeche(QWidget* eltern);

    // Draws the three series as polylines in the user scale.
    void Zeichnen(const HisKurve& kurve);
    // Back to the bare background.
    void Leeren();
    const QImage& bild() const { return m_bild; }

Q_SIGNALS:
    void gedrueckt(QPointF punkt_px);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QImage m_bild;
};

class TEMPZEITKURV : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* Name = "TEMPZEITKURV";

    explicit TEMPZEITKURV(Anwendung& app);

    // Tests put their own choice in place of the open-file dialog CD.
    using Dateiwahl = std::function<QString(QWidget* eltern, const QString& verzeichnis)>;
    void setzeDateiwahl(Dateiwahl wahl) { m_dateiwahl = std::move(wahl); }

    // Reads HisAuswahl and draws it; a file that cannot be opened draws nothing.
    void Kurve_Zeichnen();
    // "SUDJOURNAL": the whole run of a brew journal, on a fresh background.
    void Journal_Zeichnen(const QString& pfad);
    void setzeJournalwahl(Dateiwahl wahl) { m_journalwahl = std::move(wahl); }
    // Empties the history file fixed at load (HisDatei).
    bool Historie_Neu();

    const std::filesystem::path& HisDatei() const { return m_HisDatei; }
    const QString& HisAuswahl() const { return m_HisAuswahl; }
    const HisKurve& kurve() const { return m_kurve; }
    const QImage& bild() const { return m_BG->bild(); }
    QTimer& Timer1() { return m_Timer1; }

public Q_SLOTS:
    // One sample of the main screen's temperatures into the file of the current beer name.
    void Historie_Schreiben();

private:
    void LOG_Klick();
    void SUDJOURNAL_Klick();
    void LOG_Gewaehlt(const QString& name);  // empty: cancelled
    void BG_Gedrueckt(QPointF punkt_px);

    Anwendung& m_app;
    Kurvenflaeche* m_BG = nullptr;
    QTimer m_Timer1;
    Dateiwahl m_dateiwahl;
    Dateiwahl m_journalwahl;
    QPointer<QFileDialog> m_CD;
    std::filesystem::path m_HisDatei;
    bool m_NameAbgelehnt = false;  // the beer name's refusal is on screen or was shown
    QString m_HisAuswahl;
    HisKurve m_kurve;
};

} // namespace kw
