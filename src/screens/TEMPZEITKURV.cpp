#include "screens/TEMPZEITKURV.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "journal/Journal_Lesen.h"
#include "screens/Anwendung.h"
#include "texts/Journaltexte.h"
#include "screens/Hilfsfelder.h"

namespace kw {

namespace {

// Icons of the two buttons, drawn by us: a small chart, and an arrow back.
QIcon Symbol_LOG()
{
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 2, 0, 38);
    g.setColorAt(0, QColor(220, 40, 30));
    g.setColorAt(1, QColor(30, 60, 210));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(g);
    p.drawRect(QRectF(2.5, 2.5, 35, 35));
    p.setPen(QPen(Qt::white, 2.5));
    p.drawPolyline(QPolygonF({{5, 32}, {13, 22}, {20, 24}, {28, 12}, {35, 10}}));
    p.setPen(QPen(QColor(0, 255, 0), 2));
    p.drawPolyline(QPolygonF({{5, 28}, {14, 18}, {22, 18}, {35, 8}}));
    return QIcon(pm);
}

QIcon Symbol_Zurueck()
{
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 90, 60));
    p.drawPolygon(QPolygonF({{4, 20}, {20, 6}, {20, 14}, {36, 14}, {36, 26}, {20, 26}, {20, 34}}));
    return QIcon(pm);
}

QImage Hintergrund(int breite, int hoehe)
{
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    QPainter p(&bild);
    QLinearGradient verlauf(0, 0, 0, hoehe);
    verlauf.setColorAt(0, QColor(255, 0, 0));
    verlauf.setColorAt(1, QColor(0, 0, 255));
    p.fillRect(bild.rect(), verlauf);
    return bild;
}

} // namespace

Kurvenflaeche::Kurvenflaeche(QWidget* eltern)
    : QWidget(eltern), m_bild(Hintergrund(Breite_px, Hoehe_px))
{
    setObjectName(QStringLiteral("BG"));
    setFixedSize(Breite_px, Hoehe_px);
    setCursor(Qt::CrossCursor);
}

void Kurvenflaeche::Zeichnen(const HisKurve& kurve)
{
    QPainter p(&m_bild);
    auto reihe = [&](const std::array<std::int16_t, His_Proben>& werte, const QColor& farbe) {
        p.setPen(QPen(farbe, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // sample i (1..200) at x = i
        for (int i = 1; i < His_Proben; ++i) {
            const KurvenPunkt a = Kurve_Zu_Pixel(i, werte[static_cast<std::size_t>(i - 1)], width(), height());
            const KurvenPunkt b = Kurve_Zu_Pixel(i + 1, werte[static_cast<std::size_t>(i)], width(), height());
            p.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
        }
    };
    reihe(kurve.His_Ist, QColor(255, 255, 255));
    reihe(kurve.His_SollAkt, QColor(0, 255, 0));
    reihe(kurve.His_Soll, QColor(0, 0, 0));
    p.end();
    update();
}

void Kurvenflaeche::Leeren()
{
    m_bild = Hintergrund(Breite_px, Hoehe_px);
    update();
}

void Kurvenflaeche::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_bild);
}

void Kurvenflaeche::mousePressEvent(QMouseEvent* e)
{
    Q_EMIT gedrueckt(e->position());
}

TEMPZEITKURV::TEMPZEITKURV(Anwendung& app) : QWidget(nullptr), m_app(app)
{
    setWindowTitle(QStringLiteral("KESSELWERK"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_BG = new Kurvenflaeche(this);
    connect(m_BG, &Kurvenflaeche::gedrueckt, this, &TEMPZEITKURV::BG_Gedrueckt);

    auto* log = new QPushButton(this);
    log->setObjectName(QStringLiteral("LOG"));
    log->setIcon(Symbol_LOG());
    log->setIconSize(QSize(40, 40));
    log->setFixedSize(56, 56);
    log->setToolTip(QStringLiteral("LOG"));
    connect(log, &QPushButton::clicked, this, &TEMPZEITKURV::LOG_Klick);

    auto* zurueck = new QPushButton(this);
    zurueck->setObjectName(QStringLiteral("CommandButton1"));
    zurueck->setIcon(Symbol_Zurueck());
    zurueck->setIconSize(QSize(40, 40));
    zurueck->setFixedSize(56, 56);
    zurueck->setToolTip(QStringLiteral("Grundbild"));
    connect(zurueck, &QPushButton::clicked, this, [this] { hilfen::Zeigen(m_app, "Grundbild"); });

    auto* sud = new QPushButton(this);
    sud->setObjectName(QStringLiteral("SUDJOURNAL"));
    sud->setFixedWidth(56);
    sud->setMinimumHeight(40);
    const auto sud_beschriften = [this, sud] {
        const Journaltexte& t = Journaltexte_Fuer(m_app.texte.aktuell);
        sud->setText(QStringLiteral("CSV"));
        sud->setToolTip(QString::fromStdString(t.SUDJOURNAL));
        sud->setAccessibleName(QString::fromStdString(t.SUDJOURNAL));
    };
    sud_beschriften();
    connect(&app, &Anwendung::spracheGeaendert, this, sud_beschriften);
    connect(sud, &QPushButton::clicked, this, &TEMPZEITKURV::SUDJOURNAL_Klick);

    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(log);
    knoepfe->addWidget(sud);
    knoepfe->addWidget(zurueck);
    knoepfe->addStretch(1);
    auto* haupt = new QHBoxLayout(this);
    haupt->addWidget(m_BG);
    haupt->addLayout(knoepfe);
    haupt->setSizeConstraint(QLayout::SetFixedSize);

    m_journalwahl = [this](QWidget* eltern, const QString& verzeichnis) {
        return QFileDialog::getOpenFileName(
            eltern, QString::fromStdString(Journaltexte_Fuer(m_app.texte.aktuell).Journal_Waehlen), verzeichnis,
            QStringLiteral("*.csv"));
    };

    // Load: the history file of the beer name in effect now, and the sampling clock.
    m_HisDatei = Historie_Pfad(app.anlage.Programmpfad, app.anlage.Programm.Biersorte);
    m_Timer1.setInterval(5000);
    connect(&m_Timer1, &QTimer::timeout, this, &TEMPZEITKURV::Historie_Schreiben);
    m_Timer1.start();
}

void TEMPZEITKURV::Historie_Schreiben()
{
    // The file follows the beer name as it is now, not the one at load.
    const std::string& name = m_app.anlage.Programm.Biersorte;
    if (!Historie_Name_Erlaubt(name)) {
        // The recipe's rule and message; said once until the name is usable again.
        if (!m_NameAbgelehnt)
            m_app.meldungsanzeige().zeige(
                QString::fromStdString(m_app.texte.dateien().Name_Ungueltig).arg(QString::fromStdString(name)),
                QString(), QMessageBox::Warning);
        m_NameAbgelehnt = true;
        return;
    }
    m_NameAbgelehnt = false;
    const std::filesystem::path datei = Historie_Pfad(m_app.anlage.Programmpfad, name);
    const Anzeige& z = m_app.anzeige;
    const std::string zeile = kw::Historie_Zeile(Zeitstempel_Text(m_app.jetzt()), z.Anzeige_TempIst,
                                                 z.Anzeige_TempSollAct, z.Anzeige_TempSoll);
    // A sample that cannot be written is lost; a box every 5 s would bury the brewer.
    (void)kw::Historie_Schreiben(datei, zeile);
}

bool TEMPZEITKURV::Historie_Neu()
{
    return kw::Historie_Neu(m_HisDatei);
}

void TEMPZEITKURV::LOG_Klick()
{
    const QString verzeichnis = QString::fromStdString(m_app.anlage.Programmpfad);
    if (m_dateiwahl) {
        LOG_Gewaehlt(m_dateiwahl(this, verzeichnis));
        return;
    }
    // The open dialog CD, owned by the screen and opened without an event loop
    // of its own, so that the program's end may close it at any moment.
    if (!m_CD) {
        m_CD = new QFileDialog(this, QStringLiteral("Kesselwerk"), verzeichnis, QStringLiteral("*.His"));
        m_CD->setObjectName(QStringLiteral("CD"));
        m_CD->setFileMode(QFileDialog::ExistingFile);
        connect(m_CD, &QFileDialog::finished, this, [this](int ergebnis) {
            const QStringList namen = m_CD->selectedFiles();
            if (!m_app.beendet())
                LOG_Gewaehlt(ergebnis == QDialog::Accepted && !namen.isEmpty() ? namen.front() : QString());
        });
    }
    if (m_CD->isVisible()) {
        m_CD->raise();
        return;
    }
    m_CD->setDirectory(verzeichnis);
    m_CD->open();
}

void TEMPZEITKURV::LOG_Gewaehlt(const QString& name)
{
    // A cancelled dialog names no file: nothing to refuse.
    if (!name.isEmpty()) {
        if (Endung_His(name.toStdString()))
            m_HisAuswahl = name;
        else
            m_app.meldungsanzeige().zeige(QStringLiteral("Invalid file extension !"), QString(),
                                          QMessageBox::Critical);
    }
    Kurve_Zeichnen();
}

void TEMPZEITKURV::Kurve_Zeichnen()
{
    m_kurve = Kurve_Lesen(m_HisAuswahl.toStdString());
    if (!m_kurve.geoeffnet)
        return;
    m_BG->Zeichnen(m_kurve);
}

void TEMPZEITKURV::BG_Gedrueckt(QPointF punkt_px)
{
    const KurvenPunkt k = Pixel_Zu_Kurve(punkt_px.x(), punkt_px.y(), m_BG->width(), m_BG->height());
    m_app.meldungsanzeige().zeige(QString::fromStdString(
        Punkt_Text(static_cast<float>(k.x), static_cast<float>(k.y), m_app.anlage.Dezimaltrenner)));
}

void TEMPZEITKURV::SUDJOURNAL_Klick()
{
    const QString name = m_journalwahl(this, QString::fromStdString(m_app.journal().Ordner()));
    if (!name.isEmpty() && !m_app.beendet()) // the program may have ended while the chooser was open
        Journal_Zeichnen(name);
}

void TEMPZEITKURV::Journal_Zeichnen(const QString& pfad)
{
    const journal::Journalinhalt j = journal::Journal_Lesen(pfad.toStdString());
    if (!j.gelesen) {
        m_app.meldungsanzeige().zeige(QString::fromStdString(j.fehler), QString(), QMessageBox::Warning);
        return;
    }
    m_kurve = journal::Kurve_Aus_Journal(j);
    m_BG->Leeren();
    m_BG->Zeichnen(m_kurve);
}

} // namespace kw
