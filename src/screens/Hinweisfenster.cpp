#include "screens/Hinweisfenster.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw {

Hinweisfenster::Hinweisfenster(const QString& titel, const char* textname, const QString& text,
                               int textZugabe_pt)
    : QWidget(nullptr), m_text(new QLabel(text)), m_knoepfe(new QHBoxLayout)
{
    setWindowTitle(titel);
    m_text->setObjectName(QString::fromLatin1(textname));
    m_text->setWordWrap(true);
    m_text->setMinimumSize(380, 80);
    m_text->setAlignment(Qt::AlignCenter);
    QFont f = m_text->font();
    f.setPointSizeF(f.pointSizeF() + textZugabe_pt);
    f.setBold(true);
    m_text->setFont(f);

    auto* l = new QVBoxLayout(this);
    l->addWidget(m_text, 1);
    l->addLayout(m_knoepfe);
}

QPushButton* Hinweisfenster::knopf(const char* name, const QString& text)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(44);   // a fingertip on a touch display
    m_knoepfe->addWidget(b);
    return b;
}

} // namespace kw
