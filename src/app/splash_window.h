#pragma once
// The splash window shown while the other windows are created: borderless,
// 400 x 300, centred, one picture filling it. The picture is "Start1.bmp" in
// the current folder; without it the window stays blank.

#include <QString>
#include <QWidget>

class QLabel;

class TForm14 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Loads `picturePath` when it is a regular file.
    explicit TForm14(const QString& picturePath = QStringLiteral("Start1.bmp"));

    /// Whether a picture was loaded.
    bool HasPicture() const { return m_hasPicture; }

    /// Shows the window and paints it before returning, for a start-up that keeps the event loop busy.
    void ShowAndPaint();

private:
    QLabel* m_image1 = nullptr;
    bool m_hasPicture = false;
};
