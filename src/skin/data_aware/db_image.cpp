#include "skin/data_aware/db_image.h"

#include "skin/skin_drawing.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

TskDBImage::TskDBImage(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_borderColor = GetBorderColor(parent);
    resize(105, 105);
    m_dataLink.OnDataChange = [this] { DataChange(); };
    m_dataLink.OnUpdateData = [this] { return UpdateData(); };
}

void TskDBImage::SetBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TskDBImage::SetColor(TColor color)
{
    m_color = color;
    update();
}

void TskDBImage::SetAutoDisplay(bool on)
{
    m_autoDisplay = on;
    if (on)
        LoadPicture();
}

void TskDBImage::SetCenter(bool on)
{
    m_center = on;
    update();
}

void TskDBImage::SetStretch(bool on)
{
    m_stretch = on;
    update();
}

void TskDBImage::ApplyContainerStyle(TskUIStyle style)
{
    if (ThemeColorsApply(style))
        SetBorderColor(GetThemeColor(style, 8));
}

void TskDBImage::DataChange()
{
    m_picture = QImage();
    m_loaded = false;
    if (m_autoDisplay)
        LoadPicture();
    update();
}

void TskDBImage::LoadPicture()
{
    const TField* field = Field();
    if (m_loaded || !field)
        return;
    m_picture = QImage();
    const QByteArray bytes = field->AsBytes();
    // Bytes that are no picture leave it null: the label shows instead.
    if (!bytes.isEmpty() && !m_picture.loadFromData(bytes))
        m_picture = QImage();
    m_loaded = true;
    update();
}

bool TskDBImage::UpdateData()
{
    TField* field = Field();
    if (!field)
        return true;
    if (m_picture.isNull())
        return field->Clear();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_picture.save(&buffer, "PNG");
    return field->SetValue(png);
}

void TskDBImage::CopyToClipboard() const
{
    if (!m_picture.isNull())
        QGuiApplication::clipboard()->setImage(m_picture);
}

void TskDBImage::CutToClipboard()
{
    if (m_picture.isNull() || !m_dataLink.EditField())
        return;
    CopyToClipboard();
    m_picture = QImage();
    m_dataLink.Modified();
    update();
}

void TskDBImage::PasteFromClipboard()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull() || !m_dataLink.EditField())
        return;
    m_picture = image;
    m_loaded = true;
    m_dataLink.Modified();
    update();
}

void TskDBImage::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
    } else if (event->matches(QKeySequence::Cut)) {
        CutToClipboard();
    } else if (event->matches(QKeySequence::Paste)) {
        PasteFromClipboard();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        LoadPicture();
    } else if (event->key() == Qt::Key_Escape) {
        m_dataLink.Reset();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TskDBImage::mouseDoubleClickEvent(QMouseEvent*)
{
    LoadPicture();
}

void TskDBImage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TskDBImage::focusOutEvent(QFocusEvent* event)
{
    m_dataLink.UpdateRecord();
    QWidget::focusOutEvent(event);
    update();
}

void TskDBImage::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.fillRect(rect(), ToQColor(m_color));
    const QRect client = rect().adjusted(2, 2, -2, -2);
    if (m_loaded && !m_picture.isNull()) {
        QRect target(QPoint(0, 0), m_picture.size());
        if (m_stretch)
            target = client;
        else if (m_center)
            target.moveCenter(client.center());
        else
            target.moveTopLeft(client.topLeft());
        canvas.save();
        canvas.setClipRect(client);
        canvas.drawImage(target, m_picture);
        canvas.restore();
    } else {
        const QString label = Field() ? Field()->DisplayLabel() : objectName();
        canvas.setPen(palette().color(QPalette::WindowText));
        canvas.drawText(client, Qt::AlignCenter, QStringLiteral("(") + label + QStringLiteral(")"));
    }
    if (hasFocus()) {
        canvas.setPen(Qt::black);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(client.adjusted(0, 0, -1, -1));
    }
    DrawControlBorder(canvas, rect(), m_borderColor, m_color);
}
