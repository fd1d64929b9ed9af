// Every skinned control in every look and state, a sheet per look and a strip
// per control under controls/, and every button icon in icons.png.
// To add a control, add a row to Controls().

#include "gallery.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/check_group.h"
#include "skin/grids/draw_grid.h"
#include "skin/combo_box.h"
#include "skin/edit.h"
#include "skin/group_box.h"
#include "skin/image_button.h"
#include "skin/icons.h"
#include "skin/image_panel.h"
#include "skin/list_box.h"
#include "skin/memo.h"
#include "skin/menus/popup_menu.h"
#include "skin/progress_bar.h"
#include "skin/radio_button.h"
#include "skin/radio_group.h"
#include "skin/grids/string_grid.h"
#include "skin/scroll_bar.h"
#include "skin/skin_form.h"
#include "skin/theme_pictures.h"
#include "skin/themes.h"
#include "skin/title_bar.h"
#include "skin/tool_bar.h"
#include "skin/track_bar.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <functional>
#include <vector>

namespace {

// The pointer over a control and its left button pressed, as the window
// system would deliver them.
void Enter(QWidget& w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(w.mapTo(w.window(), QPoint(2, 2))), QPointF(w.mapToGlobal(QPoint(2, 2))));
    QCoreApplication::sendEvent(&w, &e);
}

void Press(QWidget& w)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(w.mapTo(w.window(), QPoint(2, 2))),
                  QPointF(w.mapToGlobal(QPoint(2, 2))), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

// A state a control is shown in; `apply` returns false where the state
// means nothing for that control (the cell stays empty).
struct GalleryState {
    const char* name;
    std::function<bool(QWidget&)> apply;
};

const std::vector<GalleryState>& States()
{
    static const std::vector<GalleryState> states = {
        {"normal", [](QWidget&) { return true; }},
        {"hover", [](QWidget& w) { Enter(w); return true; }},
        {"pressed", [](QWidget& w) { Enter(w); Press(w); return true; }},
        {"focused",
         [](QWidget& w) {
             if (w.focusPolicy() == Qt::NoFocus)
                 return false;
             w.setFocus();
             return true;
         }},
        {"disabled", [](QWidget& w) { w.setEnabled(false); return true; }},
        {"checked",
         [](QWidget& w) {
             auto* ex = dynamic_cast<TskCustomButtonEx*>(&w);
             if (!ex)
                 return false;
             ex->SetChecked(true);
             return true;
         }},
        {"checked, disabled",
         [](QWidget& w) {
             auto* ex = dynamic_cast<TskCustomButtonEx*>(&w);
             if (!ex)
                 return false;
             ex->SetChecked(true);
             w.setEnabled(false);
             return true;
         }},
    };
    return states;
}

// One control of the gallery: builds an instance on `form` in `style`.
struct GalleryControl {
    const char* name;
    QSize cell;
    std::function<QWidget*(QWidget& form, TskUIStyle style)> make;
};

QImage OpenGlyph()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setPen(QColor(120, 80, 0));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
    return img;
}

const std::vector<GalleryControl>& Controls()
{
    static const std::vector<GalleryControl> controls = {
        {"button", {96, 34},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* b = new TskButton(&form);
             b->SetUIStyle(style);
             b->SetCaption("&Play");
             return b;
         }},
        {"button_glyph", {96, 34},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* b = new TskButton(&form);
             b->SetUIStyle(style);
             b->SetCaption("Open");
             b->SetGlyph(OpenGlyph());
             return b;
         }},
        {"check_box", {96, 24},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* c = new TskCheckBox(&form);
             c->SetUIStyle(style);
             c->SetCaption("Loop");
             return c;
         }},
        {"radio_button", {96, 24},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* r = new TskRadioButton(&form);
             r->SetUIStyle(style);
             r->SetCaption("Chanel1");
             return r;
         }},
        {"image_button", {96, 30},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* b = new TskImageButton(&form);
             const QString prefix = ThemeStylePrefix(style);
             b->SetAutoSize(true);
             b->SetPicNormal(ThemeImage(prefix + "_SCROLLBAR_TOPBUTTON_NORMAL"));
             b->SetPicMouseOn(ThemeImage(prefix + "_SCROLLBAR_TOPBUTTON_MOUSEON"));
             b->SetPicMouseDown(ThemeImage(prefix + "_SCROLLBAR_TOPBUTTON_MOUSEDOWN"));
             return b;
         }},
        {"image_panel", {96, 30},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* p = new TskImagePanel(&form);
             p->resize(90, 26);
             p->SetDrawStyle(TskDrawStyle::skStretch);
             p->SetPicture(ThemeImage(ThemeStylePrefix(style) + "_TITLE_CLIENT"));
             p->SetFontColor(style == TskUIStyle::Pearl ? clBlack : clWhite);
             p->SetCaption("Panel");
             return p;
         }},
        {"progress_bar", {160, 16},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* bar = new TskProgressBar(&form);
             bar->SetUIStyle(style);
             bar->SetPosition(62);
             return bar;
         }},
        {"edit", {96, 24},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* e = new TskEdit(&form);
             e->resize(90, 21);
             e->SetText("NewSection");
             e->ApplyContainerStyle(style);
             return e;
         }},
        {"memo", {120, 70},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             // The memo with its external vertical bar, as the Play window has it.
             auto* cell = new QWidget(&form);
             cell->resize(114, 64);
             auto* m = new TskMemo(cell);
             m->resize(114, 64);
             m->SetWordWrap(false);
             m->SetLines({"Text", "a longer second line of text", "3", "4", "5", "6"});
             m->ApplyContainerStyle(style);
             auto* bar = new TskScrollBar(cell);
             bar->SetUIStyle(style);
             m->SetVScrollBar(bar);
             return cell;
         }},
        {"list_box", {120, 70},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* l = new TskListBox(&form);
             l->resize(114, 64);
             l->SetItemHeight(11);
             for (int i = 0; i < 8; ++i)
                 l->AddItem(QString("Usb-%1").arg(i));
             l->SetItemIndex(1);
             l->ApplyContainerStyle(style);
             return l;
         }},
        {"combo_box", {120, 26},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* c = new TskComboBox(&form);
             c->resize(114, 21);
             c->SetItems({"Usb-2", "Usb-5"});
             c->SetItemIndex(0);
             c->SetUIStyle(style);
             return c;
         }},
        {"popup_menu", {140, 130},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             // The menu is a window of its own: show its picture, one item selected.
             TskPopupMenu menu(&form);
             menu.SetUIStyle(style);
             menu.addAction("Edit");
             menu.addSeparator();
             QAction* refresh = menu.addAction("refresh");
             QAction* loop = menu.addAction("Loop");
             loop->setCheckable(true);
             loop->setChecked(true);
             menu.addAction("Delete")->setEnabled(false);
             menu.setActiveAction(refresh);
             menu.resize(menu.sizeHint());
             auto* shot = new QLabel(&form);
             shot->setPixmap(menu.grab());
             shot->resize(std::min(menu.width(), 136), std::min(menu.height(), 126));
             return shot;
         }},
        {"group_box", {140, 80},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* g = new TskGroupBox(&form);
             g->resize(132, 72);
             g->SetCaption("Play Mode");
             auto* a = new TskRadioButton(g);
             auto* b = new TskRadioButton(g);
             a->SetCaption("Once");
             b->SetCaption("Loop");
             a->SetChecked(true);
             const QRect client = g->GetClient();
             a->move(client.left() + 5, client.top() + 6);
             b->move(client.left() + 5, client.top() + 30);
             g->ApplyContainerStyle(style);
             g->UpdateUIStyle(style);
             return g;
         }},
        {"string_grid", {150, 72},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* g = new TskStringGrid(&form);
             g->SetUIStyle(style);
             g->resize(146, 68);
             g->SetColCount(2);
             g->SetFixedCols(0);
             g->SetRowCount(3);
             g->SetDefaultRowHeight(20);
             g->SetColWidths(0, 90);
             g->SetColWidths(1, 50);
             g->SetRows(0, {"file name", "play_time"});
             g->SetRows(1, {"star.ddr", "300"});
             g->SetRows(2, {"wave.sec", "120"});
             return g;
         }},
        {"draw_grid", {150, 72},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* g = new TskDrawGrid(&form);
             g->SetUIStyle(style);
             g->resize(146, 68);
             g->SetColCount(4);
             g->SetRowCount(64);
             g->SetFixedCols(0);
             g->SetFixedRows(0);
             g->SetDefaultColWidth(30);
             g->SetDefaultRowHeight(15);
             QObject::connect(g, &TskCustomGrid::OnDrawCell,
                              [](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState) {
                                  canvas.fillRect(rect.adjusted(2, 2, -2, -2),
                                                  QColor::fromHsv((col * 64 + row) * 359 / 255, 220, 230));
                              });
             return g;
         }},
        {"radio_group", {150, 92},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* g = new TskRadioGroup(&form);
             g->resize(146, 88);
             g->SetUIStyle(style);
             g->SetCaption("Play Mode");
             g->SetItems({"Drawing", "ILDA image", "Text"});
             g->SetItemIndex(0);
             return g;
         }},
        {"check_group", {150, 72},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* g = new TskCheckGroup(&form);
             g->resize(146, 68);
             g->SetUIStyle(style);
             g->SetCaption("Options");
             g->SetItems({"Loop", "Mute", "Blank", "Fade"});
             g->SetColumns(2);
             g->SetChecked(1, true);
             return g;
         }},
        {"track_bar", {130, 26},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* t = new TskTrackBar(&form);
             t->SetUIStyle(style);
             t->resize(124, t->height());
             t->SetMax(40);
             t->SetPosition(14);
             return t;
         }},
        {"scroll_bar", {130, 24},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* s = new TskScrollBar(&form);
             s->SetUIStyle(style);
             s->SetOrientation(TskProgressBarOrientation::skHorizontal);
             s->resize(124, s->height());
             s->SetLargeChange(30);
             s->SetPosition(40);
             return s;
         }},
        {"tool_bar", {130, 42},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             auto* bar = new TskToolBar(&form);
             bar->SetUIStyle(style);
             bar->SetButtonWidth(37);
             bar->SetButtonHeight(36);
             QImage strip(32, 16, QImage::Format_RGB32);
             strip.fill(QColor(255, 0, 255));
             QPainter p(&strip);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0, 140, 0));
             p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
             p.setBrush(QColor(0, 60, 170));
             p.drawEllipse(QRect(18, 2, 12, 12));
             p.end();
             ToolImageList images(16, 16);
             images.Add(strip);
             bar->SetImages(images);
             bar->AddButton(TToolButtonStyle::tbsButton, 0);
             bar->AddButton(TToolButtonStyle::tbsSeparator);
             bar->AddButton(TToolButtonStyle::tbsCheck, 1)->SetDown(true);
             bar->AddButton(TToolButtonStyle::tbsCheck, 1);
             bar->resize(37 * 3 + TskToolBar::kSeparatorWidth, 38);
             return bar;
         }},
        {"framed_window", {284, 104},
         [](QWidget& form, TskUIStyle style) -> QWidget* {
             // The frame's host is a plain child here: no window flags change,
             // but the border, title bar and corner mask show as on a window.
             auto* host = new QWidget(&form);
             host->resize(280, 100);
             auto* frame = new TskForm(host, TFormBorderStyle::bsDialog);
             frame->SetUIStyle(style);
             frame->SetCaption("Rotation setting");
             TskTitleBarButtons& buttons = frame->TitleBar().Buttons();
             buttons.Clear();
             buttons.Add(TskTitleBarBtnType::skControlBox);
             buttons.Add(TskTitleBarBtnType::skClose);
             buttons.Add(TskTitleBarBtnType::skMin);
             return host;
         }},
    };
    return controls;
}

constexpr int kLabelWidth = 100;
constexpr int kHeaderHeight = 20;

}  // namespace

void WriteControlSheets(GalleryReport& report)
{
    const auto& states = States();
    const auto& controls = Controls();
    for (const GalleryLook& look : kGalleryLooks) {
        QWidget form;
        QFont font = form.font();
        font.setPixelSize(11);
        form.setFont(font);
        QPalette pal = form.palette();
        pal.setColor(QPalette::Window, ToQColor(GetThemeColor(look.style, 3)));
        form.setPalette(pal);
        form.setAutoFillBackground(true);

        int width = kLabelWidth;
        std::vector<int> columnX;
        int maxCell = 0;
        for (const auto& c : controls)
            maxCell = std::max(maxCell, c.cell.width());
        for (size_t s = 0; s < states.size(); ++s) {
            columnX.push_back(width);
            auto* header = new QLabel(states[s].name, &form);
            header->setGeometry(width, 2, maxCell, kHeaderHeight - 4);
            width += maxCell + 8;
        }
        int y = kHeaderHeight;
        struct Row {
            const GalleryControl* control;
            int top;
            std::vector<QWidget*> cells;
        };
        std::vector<Row> rows;
        for (const auto& control : controls) {
            auto* label = new QLabel(control.name, &form);
            label->setGeometry(4, y, kLabelWidth - 8, control.cell.height());
            Row row{&control, y, {}};
            for (size_t s = 0; s < states.size(); ++s) {
                QWidget* w = control.make(form, look.style);
                w->move(columnX[s] + 2, y + 2);
                row.cells.push_back(w);
            }
            rows.push_back(std::move(row));
            y += control.cell.height() + 6;
        }
        form.resize(width, y);
        form.show();
        form.activateWindow();
        QCoreApplication::processEvents();
        if (QWidget* focused = form.focusWidget())
            focused->clearFocus();  // activation focuses the first control; only the focused column should show it
        // Each cell is captured right after its state is set: focus moves on
        // and radio buttons of one row uncheck each other as later cells change.
        QImage sheet = form.grab().toImage();
        QPainter sheetPainter(&sheet);
        for (Row& row : rows) {
            for (size_t s = 0; s < states.size(); ++s) {
                QWidget* cell = row.cells[s];
                const QRect area = cell->geometry();
                if (!states[s].apply(*cell))
                    cell->hide();
                QCoreApplication::processEvents();
                sheetPainter.drawImage(area.topLeft(), form.grab(area).toImage());
            }
        }
        sheetPainter.end();
        report.Save(sheet, QString("controls/sheet_%1.png").arg(look.name));
        for (const Row& row : rows) {
            const QImage strip = sheet.copy(0, row.top, width, row.control->cell.height() + 4);
            report.Save(strip, QString("controls/%1_%2.png").arg(row.control->name, look.name));
            // The normal cell must show something besides the form colour:
            // a blank one means a picture failed to load.
            const QWidget* normal = row.cells[0];
            const QImage cell = sheet.copy(normal->geometry());
            const QColor background = ToQColor(GetThemeColor(look.style, 3));
            int drawn = 0;
            for (int py = 0; py < cell.height(); ++py)
                for (int px = 0; px < cell.width(); ++px)
                    drawn += cell.pixelColor(px, py) != background ? 1 : 0;
            if (drawn <= cell.width() * cell.height() / 20)
                report.Fault(QString("%1 in %2 is blank").arg(row.control->name, look.name));
        }
    }
}

void WriteIconSheet(GalleryReport& report)
{
    const std::vector<QString> names = SkinIconNames();
    constexpr int kCellW = 190;
    constexpr int kCellH = 52;
    constexpr int kColumns = 5;
    const int rows = (int(names.size()) + 1 + kColumns - 1) / kColumns;  // one cell more: a placeholder
    QImage sheet(kCellW * kColumns, kCellH * rows, QImage::Format_RGB32);
    sheet.fill(QColor(239, 240, 241));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (int i = 0; i <= int(names.size()); ++i) {
        const bool placeholder = i == int(names.size());
        const QString name = placeholder ? QStringLiteral("(unknown name)") : names[std::size_t(i)];
        const QIcon icon = SkinIcon(placeholder ? QStringLiteral("no-such-icon") : name);
        const QPoint at((i % kColumns) * kCellW, (i / kColumns) * kCellH);
        // The 22 px icon, enabled and disabled, then the 44 px one at its pixels.
        p.drawPixmap(at + QPoint(4, 4), icon.pixmap(22, 22));
        p.drawPixmap(at + QPoint(30, 4), icon.pixmap(QSize(22, 22), QIcon::Disabled));
        p.drawPixmap(QRect(at + QPoint(58, 4), QSize(44, 44)), icon.pixmap(44, 44));
        p.setPen(Qt::black);
        p.drawText(QRect(at + QPoint(106, 4), QSize(kCellW - 108, 44)), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWrapAnywhere, name);
    }
    p.end();
    report.Save(sheet, "icons.png");
}
