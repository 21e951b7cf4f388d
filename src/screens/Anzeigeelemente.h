#pragma once
// The main screen's pictures: lamps, temperature columns, the kettle with its
// stirrer, flame and steam clouds.

#include <QColor>
#include <QLabel>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include "core/Anzeige.h"
#include "texts/Texte.h"

class QPainter;

namespace kw {

// A round lamp: green, grey or red.
class Lampenfeld : public QWidget {
    Q_OBJECT
public:
    explicit Lampenfeld(QWidget* parent = nullptr);
    void setLampe(Lampe l);
    Lampe lampe() const { return m_lampe; }
    // Tells its state without colour: the accessible description reads the
    // language's "ein" or "aus" (green and red are on, grey is off).
    void setTexte(const Texte* texte);
    void Zustand_Beschreiben();
    QColor farbe() const;
    QSize sizeHint() const override { return {22, 22}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Lampe m_lampe = Lampe::Grau;
    const Texte* m_texte = nullptr;
};

// A lamp's caption: where its column is too narrow, cut with "…" instead of
// widening the screen (its text stays whole).
class Lampentext : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
};

// A vertical temperature scale 0..100 °C with a filled column up to the value.
class Temperaturbalken : public QWidget {
    Q_OBJECT
public:
    explicit Temperaturbalken(QColor farbe, QWidget* parent = nullptr);
    void setWert(float grad);
    float wert() const { return m_wert; }
    // Only the marker line, no column (the simulation slider's marker).
    void setNurMarke(bool nurMarke) { m_nurMarke = nurMarke; update(); }
    static constexpr float Skala_Max = 100.0f;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_farbe;
    float m_wert = 0.0f;
    bool m_nurMarke = false;
};

// The flame under the kettle.
class Flammenbild : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override;
};

// One steam cloud; its size follows the actual temperature.
class Wolkenbild : public QWidget {
    Q_OBJECT
public:
    // Height of the cloud's centre in the cloud area, 0 top .. 1 bottom.
    explicit Wolkenbild(double hoehenlage, QWidget* parent = nullptr)
        : QWidget(parent), m_hoehenlage(hoehenlage) {}
    // The two geometry values of the display state; drawn as a cloud of
    // breite/10 by hoehe/20 pixels.
    void setGroesse(float breite, float hoehe);
    QSize wolkengroesse() const { return m_groesse; }
    // Drawn this much smaller in a shrunk kettle picture.
    void setMassstab(double f)
    {
        if (f != m_massstab) {
            m_massstab = f;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double m_hoehenlage;
    QSize m_groesse;
    // The outline for the size and place drawn last: the clouds take turns twice a second.
    QPainterPath m_umriss;
    QSize m_umriss_groesse, m_umriss_flaeche;
    double m_massstab = 1.0, m_umriss_massstab = 1.0;
};

// The kettle picture: kettle, stirrer, flame and steam clouds as children.
class Kesselbild : public QWidget {
    Q_OBJECT
public:
    explicit Kesselbild(QWidget* parent = nullptr);
    QSize sizeHint() const override { return m_klein ? QSize(160, 140) : QSize(250, 300); }
    QSize minimumSizeHint() const override { return m_klein ? QSize(110, 96) : QSize(220, 260); }
    // Small displays: the picture may shrink to a third.
    void setKlein(bool klein)
    {
        m_klein = klein;
        updateGeometry();
    }

    Flammenbild* feuer;
    Wolkenbild* wolke_gross;
    Wolkenbild* wolke_mittel;
    Wolkenbild* wolke_klein;
    Lampenfeld* ruehr1;   // stirrer blades: the stirrer output lamps
    Lampenfeld* ruehr2;

    // Draws the kettle at the picture's size (into its cache).
    void zeichnen(QPainter& p) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void anordnen();
    double massstab() const;
    // The picture drawn once per size and pixel ratio; the clouds above it take
    // turns twice a second and each turn repaints what lies beneath.
    QPixmap m_bild;
    bool m_klein = false;
};

} // namespace kw
