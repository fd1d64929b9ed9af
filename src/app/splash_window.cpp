#include "app/splash_window.h"

#include "model/show_folders.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

TForm14::TForm14(const QString& picturePath)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setFixedSize(400, 300);
    m_image1 = new QLabel(this);
    m_image1->setGeometry(0, 0, 400, 300);
    m_image1->setScaledContents(true);
    if (IsRegularFile(picturePath)) {
        QPixmap picture;
        if (picture.load(picturePath)) {
            m_image1->setPixmap(picture);
            m_hasPicture = true;
        }
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm14::ShowAndPaint()
{
    show();
    repaint();
    QApplication::processEvents();
}
