#include "skin/action_link.h"

#include "skin/button.h"

#include <QAction>
#include <QIcon>
#include <QPainter>

TskActionLink::TskActionLink(TskButton& button, QAction& action)
    : QObject(&button), m_button(button), m_action(&action)
{
    connect(&action, &QAction::changed, this, &TskActionLink::ActionChange);
    connect(&button, &TskButton::OnClick, this, [this] {
        if (m_action && m_action->isEnabled())
            m_action->trigger();
    });
    ActionChange();
}

void TskActionLink::ActionChange()
{
    if (!m_action)
        return;
    m_button.SetCaption(m_action->text());
    m_button.setEnabled(m_action->isEnabled());
    if (m_button.Glyph().isNull() && !m_action->icon().isNull()) {
        // The glyph is keyed by its top-left pixel: give it a magenta ground.
        const QPixmap pm = m_action->icon().pixmap(QSize(16, 16));
        QImage glyph(pm.size(), QImage::Format_RGB32);
        glyph.fill(QColor(255, 0, 255));
        QPainter p(&glyph);
        p.drawPixmap(0, 0, pm);
        p.end();
        m_button.SetGlyph(glyph);
    }
}
