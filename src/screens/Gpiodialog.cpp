#include "screens/Gpiodialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "hardware/Zusatzeinstellungen.h"
#include "texts/Geraetetexte.h"

namespace kw {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

Gpiodialog::Gpiodialog(const Gpioeinstellungen& e, const Systemaufrufe& sys, Sprache sprache, QWidget* eltern)
    : QDialog(eltern), m_sprache(sprache), m_chips(Gpiochips_Auflisten(sys))
{
    const Geraetetexte& t = Geraetetexte_Fuer(sprache);
    setObjectName(QString::fromLatin1(Name));
    setWindowTitle(q(t.Gpio_Titel));

    auto* haupt = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_chip = new QComboBox(this);
    m_chip->setObjectName(QStringLiteral("Chip"));
    m_chip->setEditable(true);
    for (auto& c : m_chips)
        m_chip->addItem(q(c.label.empty() ? c.name : c.label));
    m_chip->setCurrentText(q(e.chip));
    m_chip->setMinimumWidth(220);
    form->addRow(q(t.Chip), m_chip);
    haupt->addLayout(form);

    m_liste = new QLabel(this);
    m_liste->setObjectName(QStringLiteral("Chipliste"));
    m_liste->setTextInteractionFlags(Qt::TextSelectableByMouse);
    haupt->addWidget(m_liste);

    auto* leitungen = new QGroupBox(q(t.Leitung_Hinweis), this);
    auto* fl = new QFormLayout(leitungen);
    for (int bit = 0; bit < Ausgangsanzahl; ++bit) {
        auto* f = new QLineEdit(leitungen);
        f->setObjectName(QStringLiteral("Leitung_%1").arg(QString::fromLatin1(Ausgangsschluessel(bit))));
        f->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), f));
        f->setMaximumWidth(80);
        if (const auto& l = e.leitung[static_cast<std::size_t>(bit)])
            f->setText(QString::number(*l));
        m_leitung[static_cast<std::size_t>(bit)] = f;
        fl->addRow(q(t.Ausgaenge[static_cast<std::size_t>(bit)]) + QStringLiteral(":"), f);
        connect(f, &QLineEdit::textChanged, this, &Gpiodialog::pruefen);
    }
    haupt->addWidget(leitungen);

    m_aktiv = new QButtonGroup(this);
    auto* niedrig = new QRadioButton(q(t.Aktiv_Niedrig), this);
    niedrig->setObjectName(QStringLiteral("Aktiv_Niedrig"));
    auto* hoch = new QRadioButton(q(t.Aktiv_Hoch), this);
    hoch->setObjectName(QStringLiteral("Aktiv_Hoch"));
    m_aktiv->addButton(niedrig, 1);
    m_aktiv->addButton(hoch, 2);
    (e.aktivNiedrig ? niedrig : hoch)->setChecked(true);
    haupt->addWidget(niedrig);
    haupt->addWidget(hoch);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Pruefung"));
    m_status->setStyleSheet(QStringLiteral("color: #a04000;"));
    m_status->setWordWrap(true);
    haupt->addWidget(m_status);

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    knoepfe->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    knoepfe->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Abbrechen"));
    knoepfe->button(QDialogButtonBox::Cancel)->setText(q(t.Abbrechen));
    haupt->addWidget(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_chip, &QComboBox::currentTextChanged, this, &Gpiodialog::pruefen);

    chipsZeigen();
    pruefen();
}

void Gpiodialog::chipsZeigen()
{
    const Geraetetexte& t = Geraetetexte_Fuer(m_sprache);
    if (m_chips.empty()) {
        m_liste->setText(q(t.Keine_Chips));
        return;
    }
    QStringList zeilen{q(t.Gefundene_Chips)};
    for (auto& c : m_chips)
        zeilen << q(t.Chipzeile)
                      .arg(q(c.pfad), q(c.label))
                      .arg(c.leitungen)
                      .arg(c.leitungen > 0 ? static_cast<int>(c.leitungen) - 1 : 0);
    m_liste->setText(zeilen.join(QStringLiteral("\n")));
}

Gpioeinstellungen Gpiodialog::einstellungen() const
{
    Gpioeinstellungen e;
    e.chip = m_chip->currentText().trimmed().toStdString();
    for (int bit = 0; bit < Ausgangsanzahl; ++bit)
        e.leitung[static_cast<std::size_t>(bit)] =
            Leitung_Lesen(m_leitung[static_cast<std::size_t>(bit)]->text().toStdString(), nullptr);
    e.aktivNiedrig = m_aktiv->checkedId() != 2;
    return e;
}

QString Gpiodialog::pruefung() const
{
    const Geraetetexte& t = Geraetetexte_Fuer(m_sprache);
    const Gpioeinstellungen e = einstellungen();
    const auto chip = Gpiochip_Finden(m_chips, e.chip);
    if (!chip)
        return {};
    QStringList fehlt;
    for (int bit = 0; bit < Ausgangsanzahl; ++bit)
        if (const auto& l = e.leitung[static_cast<std::size_t>(bit)]; l && *l >= chip->leitungen)
            fehlt << q(t.Ausgaenge[static_cast<std::size_t>(bit)]) + QStringLiteral(": ")
                         + q(t.Leitung_Fehlt).arg(*l);
    return fehlt.join(QStringLiteral("\n"));
}

void Gpiodialog::pruefen()
{
    m_status->setText(pruefung());
}

} // namespace kw
