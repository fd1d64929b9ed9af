#include "skin/tool_image_list.h"

#include "skin/custom_button.h"
#include "skin/theme_pictures.h"

#include <QPainter>

#include <algorithm>

ToolImageList::ToolImageList(int width, int height) : m_width(std::max(width, 1)), m_height(std::max(height, 1)) {}

int ToolImageList::AddMasked(const QImage& picture, QRgb key)
{
    if (picture.isNull() || picture.width() < m_width)
        return -1;
    const int first = Count();
    const QImage keyed = MaskedImage(picture, key);
    for (int x = 0; x + m_width <= picture.width(); x += m_width) {
        // Shorter pictures leave the rest of the slot transparent; taller ones are cut.
        QImage slot(m_width, m_height, QImage::Format_ARGB32);
        slot.fill(Qt::transparent);
        QPainter p(&slot);
        p.drawImage(0, 0, keyed, x, 0, m_width, std::min(m_height, keyed.height()));
        p.end();
        m_images.push_back({slot, QImage()});
    }
    return first;
}

int ToolImageList::Add(const QImage& picture)
{
    if (picture.isNull())
        return -1;
    return AddMasked(picture, picture.pixel(0, 0));
}

QImage ToolImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_images[std::size_t(index)].normal;
}

void ToolImageList::Draw(QPainter& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const Entry& e = m_images[std::size_t(index)];
    if (!enabled && e.greyed.isNull())
        e.greyed = GreyedImage(e.normal);
    canvas.drawImage(x, y, enabled ? e.normal : e.greyed);
}
