// The skinned window frame: frameless host, sizes, border, round-corner mask,
// activation, FormPanel, resize zone.

#include "skin/image_panel.h"
#include "skin/menus/popup_menu.h"
#include "skin/skin_form.h"
#include "skin/theme_pictures.h"
#include "skin_test_pictures.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <tuple>
#include <vector>

using skin_test::PixelsAt;

namespace {

struct Framed {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    TskForm* frame = nullptr;
    std::vector<QString> errors;

    explicit Framed(TskUIStyle style, QSize size = {320, 200},
                    TFormBorderStyle border = TFormBorderStyle::bsDialog)
    {
        host->setWindowTitle("Rotation setting");
        host->resize(size);
        frame = new TskForm(host.get(), border);
        frame->SetErrorBox([this](QWidget*, const QString& text) { errors.push_back(text); });
        frame->SetUIStyle(style);
    }
    QImage Grab() { return host->grab().toImage(); }
};

}  // namespace

TEST(SkinFormHost, BecomesFramelessWithLimitsAndCaption)
{
    QWidget host;
    host.setWindowTitle("Select  Device");
    host.resize(300, 200);
    auto* frame = new TskForm(&host, TFormBorderStyle::bsDialog);
    EXPECT_TRUE(host.windowFlags() & Qt::FramelessWindowHint);
    // Navy's title bar asks for more than 125.
    EXPECT_EQ((std::tuple{frame->Caption(), host.minimumSize(), host.maximumSize(), GetSkinFormStyle(&host)}),
              std::tuple(QString("Select  Device"), QSize(130, 50), GetWorkAreaRect().size(), TskUIStyle::Navy));

    frame->SetUIStyle(TskUIStyle::Crystal);
    EXPECT_EQ((std::tuple{host.minimumWidth(), GetSkinFormStyle(frame)}), std::tuple(270, TskUIStyle::Crystal));
    frame->SetCaption("Import Plt");
    EXPECT_EQ(host.windowTitle(), QString("Import Plt"));

    const auto childCount = host.children().size();
    try {
        TskForm second(&host);
        ADD_FAILURE() << "a second frame was made";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Sorry, You can create only one TskForm component in one form!");
    }
    EXPECT_EQ(host.children().size(), childCount);
    EXPECT_EQ(FindSkinFormFrame(&host), frame);

    // Framing a shown window keeps everything shown.
    QWidget shown;
    shown.show();
    auto* shownFrame = new TskForm(&shown);
    EXPECT_TRUE(shown.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(shown.isVisible() && shownFrame->isVisible() && shownFrame->TitleBar().isVisible());
}

TEST(SkinFormSize, WidthAndHeightSizeTheHostAroundTheBorder)
{
    Framed f(TskUIStyle::Crystal);
    ASSERT_EQ(f.frame->BorderWidth(), 1);
    f.frame->SetHeight(431);
    f.frame->SetWidth(300);
    EXPECT_EQ(f.host->size(), QSize(302, 432));
    EXPECT_EQ((std::vector<QRect>{f.frame->geometry(), f.frame->TitleBar().geometry(), f.frame->ClientArea()}),
              (std::vector<QRect>{{1, 0, 300, 431}, {0, 0, 300, 33}, {0, 33, 300, 398}}));
    f.frame->SetTitleBarVisible(false);
    EXPECT_EQ((std::vector<QRect>{f.frame->geometry(), f.frame->ClientArea()}),
              (std::vector<QRect>{{1, 1, 300, 430}, {0, 0, 300, 430}}));

    // A wider border keeps the frame's size and grows the host.
    f.frame->SetTitleBarVisible(true);
    f.frame->SetBorderWidth(3);
    EXPECT_EQ((std::tuple{f.frame->size(), f.host->size()}), std::tuple(QSize(300, 431), QSize(306, 434)));

    // A new look keeps the frame's size too (Azure's border is 3 wide), however often it is set.
    f.frame->SetBorderWidth(1);
    const QSize before = f.frame->size();
    f.frame->SetUIStyle(TskUIStyle::Azure);
    f.frame->SetUIStyle(TskUIStyle::Azure);
    EXPECT_EQ((std::tuple{f.frame->BorderWidth(), f.frame->size()}), std::tuple(3, before));
    f.frame->SetTitleBarVisible(false);
    const QSize hidden = f.frame->size();
    f.frame->SetUIStyle(TskUIStyle::Navy);
    EXPECT_EQ(f.frame->size(), hidden);

    // Height itself follows the stored formula: value + BW + BW / 2.
    f.frame->SetTitleBarVisible(true);
    f.frame->SetUIStyle(TskUIStyle::Azure);
    f.frame->SetHeight(200);
    EXPECT_EQ(f.host->height(), 204);
}

TEST(SkinFormBorder, StripsInBorderColourAndBackgroundByLook)
{
    Framed f(TskUIStyle::Crystal);
    f.frame->SetTitleBarVisible(false);
    f.frame->SetBorderColor(RGBColor(200, 0, 0));
    QImage img = f.Grab();
    const int w = img.width();
    const int h = img.height();
    const QColor border(200, 0, 0);
    EXPECT_EQ(PixelsAt(img, {{0, h / 2}, {w - 1, h / 2}, {w / 2, h - 1}, {w / 2, 0}, {w / 2, h / 2}}),
              (std::vector<QColor>{border, border, border, border, ToQColor(GetThemeColor(TskUIStyle::Crystal, 3))}));

    // Pearl tiles its background picture.
    f.frame->SetUIStyle(TskUIStyle::Pearl);
    img = f.Grab();
    const QImage tile = ThemeImage("PEARL_FORM_BACKGROUND");
    ASSERT_FALSE(tile.isNull());
    const QPoint origin = f.frame->geometry().topLeft();
    for (QPoint p : {QPoint(0, 0), QPoint(3, 5), QPoint(17, 42)})
        EXPECT_EQ(img.pixel(origin + p), tile.pixel(p.x() % tile.width(), p.y() % tile.height()));

    // Custom keeps the frame's own colours and reads no theme.
    f.frame->SetUIStyle(TskUIStyle::Crystal);
    f.frame->SetBorderWidth(2);
    f.frame->SetBorderColor(RGBColor(0, 0, 255));
    f.frame->SetColor(RGBColor(10, 200, 10));
    f.frame->SetUIStyle(TskUIStyle::Custom);
    EXPECT_EQ(f.frame->BorderWidth(), 2);
    img = f.Grab();
    EXPECT_EQ(PixelsAt(img, {{1, img.height() / 2}, {img.width() / 2, img.height() / 2}}),
              (std::vector<QColor>{QColor(0, 0, 255), QColor(10, 200, 10)}));
}

TEST(SkinFormMask, DeactivateAndActivateRepaintTheTitleBarMaskFollowsResizeWithTheThemeRadius)
{
    Framed f(TskUIStyle::Crystal);
    f.host->show();
    QCoreApplication::processEvents();
    const QImage active = f.Grab();
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(f.host.get(), &deactivate);
    EXPECT_FALSE(f.frame->TitleBar().FormActive());
    EXPECT_NE(f.Grab(), active);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.host.get(), &activate);
    EXPECT_TRUE(f.frame->TitleBar().FormActive());
    EXPECT_EQ(f.Grab(), active);

    // Top corners cut, bottom corners square.
    auto expectRounded = [&](QSize size) {
        const QRegion mask = f.host->mask();
        const int r = size.width() - 1, b = size.height() - 1;
        EXPECT_EQ(mask.boundingRect(), QRect(QPoint(0, 0), size));
        std::vector<bool> inside;
        for (QPoint p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b), QPoint(r / 2, 0), QPoint(0, 11)})
            inside.push_back(mask.contains(p));
        EXPECT_EQ(inside, (std::vector<bool>{false, false, true, true, true, true}));
    };
    expectRounded(f.host->size());
    f.host->resize(400, 260);
    QCoreApplication::processEvents();
    expectRounded(QSize(400, 260));

    // Navy's radius is 0: no mask at all.
    f.frame->SetUIStyle(TskUIStyle::Navy);
    EXPECT_TRUE(f.host->mask().isEmpty());
    f.host->resize(380, 240);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.host->mask().isEmpty());
}

TEST(SkinFormPanel, FillsTheClientAreaAndRefusesTheFrame)
{
    Framed f(TskUIStyle::Pearl);
    f.frame->SetFormPanel(f.frame);
    EXPECT_EQ(f.errors, std::vector<QString>{"Sorry, you can't select the Form assign to FormPanel property"});
    EXPECT_EQ(f.frame->FormPanel(), nullptr);

    auto* panel = new TskImagePanel(f.frame);
    panel->SetCaption("Panel1");
    f.frame->SetFormPanel(panel);
    EXPECT_EQ(panel->Caption(), QString());
    EXPECT_EQ(panel->geometry(), f.frame->ClientArea());
    f.host->resize(360, 280);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->geometry(), f.frame->ClientArea());
    EXPECT_EQ(panel->geometry().bottom(), f.frame->height() - 1);
    f.frame->SetTitleBarVisible(false);
    EXPECT_EQ(panel->geometry(), QRect(QPoint(0, 0), f.frame->size()));

    delete panel;
    EXPECT_EQ(f.frame->FormPanel(), nullptr);
}

TEST(SkinFormResize, ZoneAlongTheEdgesItsPointersAndTheDraggedGeometry)
{
    struct Case {
        QPoint at;
        Qt::Edges edges;
        Qt::CursorShape cursor;
    };
    const QSize s(300, 200);
    const Case cases[] = {
        {{0, 0}, Qt::TopEdge | Qt::LeftEdge, Qt::SizeFDiagCursor},
        {{299, 2}, Qt::TopEdge | Qt::RightEdge, Qt::SizeBDiagCursor},
        {{299, 199}, Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor},
        {{4, 196}, Qt::BottomEdge | Qt::LeftEdge, Qt::SizeBDiagCursor},
        {{4, 100}, Qt::LeftEdge, Qt::SizeHorCursor},
        {{5, 100}, {}, Qt::ArrowCursor},
        {{150, 4}, Qt::TopEdge, Qt::SizeVerCursor},
        {{296, 100}, Qt::RightEdge, Qt::SizeHorCursor},
        {{295, 100}, {}, Qt::ArrowCursor},
        {{150, 196}, Qt::BottomEdge, Qt::SizeVerCursor},
        {{150, 100}, {}, Qt::ArrowCursor},
    };
    for (const Case& c : cases)
        EXPECT_EQ((std::tuple{FormResizeEdgesAt(c.at, s), ResizeCursorFor(c.edges)}), std::tuple(c.edges, c.cursor))
            << c.at.x() << "," << c.at.y();

    // Dragged edges keep the opposite edges and the limits.
    const QRect start(100, 100, 300, 200);
    const QSize min(125, 50);
    const QSize max(1000, 800);
    EXPECT_EQ(ResizedGeometry(start, Qt::RightEdge | Qt::BottomEdge, {40, 30}, min, max), QRect(100, 100, 340, 230));
    EXPECT_EQ(ResizedGeometry(start, Qt::LeftEdge | Qt::TopEdge, {-20, 10}, min, max), QRect(80, 110, 320, 190));
    // Shrunk past the minimum: the left edge stops where the width is 125.
    EXPECT_EQ(ResizedGeometry(start, Qt::LeftEdge, {250, 0}, min, max), QRect(275, 100, 125, 200));
    EXPECT_EQ(ResizedGeometry(start, Qt::BottomEdge, {0, 900}, min, max), QRect(100, 100, 300, 800));
}

TEST(SkinFormResize, SizeableHostFollowsADragWithoutAWindowManager)
{
    Framed sizeable(TskUIStyle::Navy, {320, 200}, TFormBorderStyle::bsSizeable);
    QWidget& host = *sizeable.host;
    host.move(50, 60);
    host.show();
    QCoreApplication::processEvents();
    const QRect before = host.geometry();
    // A press on the frame 2 pixels from the right edge, dragged 30 right and 20 down.
    TskForm& frame = *sizeable.frame;
    const QPoint at = frame.mapFrom(&host, QPoint(host.width() - 2, 100));
    auto send = [&](QEvent::Type type, QPoint delta, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at + delta), QPointF(QPoint(700, 400) + delta), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &e);
    };
    send(QEvent::MouseMove, {}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(frame.cursor().shape(), Qt::SizeHorCursor);
    send(QEvent::MouseButtonPress, {}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(frame.Resizing());
    send(QEvent::MouseMove, {30, 20}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {30, 20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(host.geometry(), QRect(before.topLeft(), before.size() + QSize(30, 0)));
    EXPECT_FALSE(frame.Resizing());
    EXPECT_EQ(frame.width(), host.width() - 2 * frame.BorderWidth()) << "the frame follows its host";

    // A dialog host is offered no zone.
    Framed dialog(TskUIStyle::Navy, {320, 200}, TFormBorderStyle::bsDialog);
    dialog.host->show();
    EXPECT_FALSE(dialog.frame->StartResizeAt({0, 100}, {0, 100}));
    EXPECT_FALSE(dialog.frame->Resizing());
}

TEST(SkinFormMouse, ClicksOnTheFreeAreaAndThePopupMenu)
{
    Framed f(TskUIStyle::Crystal);
    f.host->show();
    TskForm& frame = *f.frame;
    QSignalSpy downs(&frame, &TskForm::OnMouseDown);
    QSignalSpy ups(&frame, &TskForm::OnMouseUp);
    QSignalSpy clicks(&frame, &TskForm::OnClick);
    const QPoint inside = frame.ClientArea().center();
    QTest::mouseClick(&frame, Qt::LeftButton, {}, inside);
    EXPECT_EQ((std::tuple{downs.count(), ups.count(), clicks.count()}), std::tuple(1, 1, 1));
    EXPECT_EQ(downs.at(0).at(1).toPoint(), inside);
    QTest::mousePress(&frame, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(&frame, Qt::LeftButton, {}, QPoint(-30, -30));  // released outside: no click
    EXPECT_EQ(clicks.count(), 1);

    TskPopupMenu menu(f.host.get());
    menu.addAction("Edit");
    frame.SetPopupMenu(&menu);
    QContextMenuEvent e(QContextMenuEvent::Mouse, inside, frame.mapToGlobal(inside));
    QCoreApplication::sendEvent(&frame, &e);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST(SkinFormMaximised, CountersBelongToEachFrameAndUnmaximisingRestoresTheCreationBounds)
{
    QWidget a;
    a.setGeometry(60, 70, 300, 220);
    a.setWindowState(Qt::WindowMaximized);
    auto* frameA = new TskForm(&a);
    QWidget b;
    b.setWindowState(Qt::WindowMaximized);
    auto* frameB = new TskForm(&b);
    for (int i = 0; i < 2; ++i) {
        QResizeEvent e(a.size(), a.size());
        QCoreApplication::sendEvent(&a, &e);
    }
    EXPECT_EQ((std::tuple{frameA->MaximizedSizeCount(), frameB->MaximizedSizeCount()}), std::tuple(2, 0));
    a.setWindowState(Qt::WindowNoState);
    QResizeEvent e(a.size(), a.size());
    QCoreApplication::sendEvent(&a, &e);
    EXPECT_EQ(a.geometry(), QRect(60, 70, 300, 220));
}
