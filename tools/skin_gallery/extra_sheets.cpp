// The dialogs, tab and page controls, pickers, item views, side channel and
// main menu in every look under extras/, plus a small window built as a
// program would build one.

#include "gallery.h"
#include "skin/button.h"
#include "skin/pickers/color_box.h"
#include "skin/pickers/font_combo_box.h"
#include "skin/item_views.h"
#include "skin/menus/main_menu.h"
#include "skin/menus/menu_bar.h"
#include "skin/side_channel.h"
#include "skin/dialogs/skin_dialogs.h"
#include "skin/skin_form.h"
#include "skin/tab_control.h"
#include "skin/theme_pictures.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPainter>

#include <functional>
#include <vector>

namespace {

// A fixed set of families so the pictures do not depend on the machine.
class GalleryFonts : public FontCatalog {
public:
    std::vector<FontFamilyInfo> Families() const override
    {
        return {{"DejaVu Sans", true, false, false, true, {}},
                {"DejaVu Sans Mono", true, true, false, true, {}},
                {"Fixed", false, true, false, true, {10, 13, 20}},
                {"Liberation Serif", true, false, false, true, {}}};
    }
};

QPixmap Shot(QWidget& w)
{
    w.show();
    QCoreApplication::processEvents();
    return w.grab();
}

QImage Compose(const std::vector<QPixmap>& parts, const QColor& back, int gap = 8)
{
    int width = gap;
    int height = 0;
    for (const QPixmap& p : parts) {
        width += p.width() + gap;
        height = std::max(height, p.height());
    }
    QImage sheet(width, height + 2 * gap, QImage::Format_RGB32);
    sheet.fill(back);
    QPainter painter(&sheet);
    int x = gap;
    for (const QPixmap& p : parts) {
        painter.drawPixmap(x, gap, p);
        x += p.width() + gap;
    }
    return sheet;
}

QFont GalleryFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

// A plain host carrying the look's form colour.
std::unique_ptr<QWidget> Host(TskUIStyle style, QSize size)
{
    auto host = std::make_unique<QWidget>();
    host->setFont(GalleryFont());
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, ToQColor(GetThemeColor(style, 3)));
    host->setPalette(pal);
    host->setAutoFillBackground(true);
    host->resize(size);
    return host;
}

std::vector<QPixmap> Dialogs(TskUIStyle style)
{
    std::vector<QPixmap> shots;
    TskMessageDialog msg;
    msg.SetFont(GalleryFont());
    msg.SetUIStyle(style);
    msg.SetCaption("Delete section");
    msg.SetText("The section \"Opening\" is used by two sequences. Delete it anyway?");
    msg.SetIconType(TskIconType::skWarning);
    msg.SetButtonCount(3);
    msg.SetButtonCaption(1, "Yes");
    msg.SetButtonCaption(2, "No");
    msg.SetButtonCaption(3, "Cancel");
    SkinDialogForm m = msg.BuildForm();
    shots.push_back(Shot(*m.dialog));
    TskInputDialog input;
    input.SetFont(GalleryFont());
    input.SetUIStyle(style);
    input.SetCaption("New section");
    input.SetPromptText("Section name:");
    input.SetValueText("Finale");
    SkinDialogForm i = input.BuildForm();
    shots.push_back(Shot(*i.dialog));
    TskPasswordDialog pass;
    pass.SetFont(GalleryFont());
    pass.SetUIStyle(style);
    pass.SetCaption("Log in");
    pass.SetItem1Text("operator");
    pass.SetItem2Text("secret");
    SkinDialogForm p = pass.BuildForm();
    shots.push_back(Shot(*p.dialog));
    TskMessageDialog info;
    info.SetFont(GalleryFont());
    info.SetUIStyle(style);
    info.SetText("Saved.");
    for (TskIconType icon : {TskIconType::skStop, TskIconType::skInformation, TskIconType::skHelp}) {
        info.SetIconType(icon);
        SkinDialogForm f = info.BuildForm();
        shots.push_back(Shot(*f.dialog));
    }
    return shots;
}

std::vector<QPixmap> Tabs(TskUIStyle style)
{
    std::vector<QPixmap> shots;
    auto host = Host(style, QSize(540, 140));
    auto* tabs = new TskTabControl(host.get());
    tabs->SetUIStyle(style);
    tabs->setGeometry(8, 8, 250, 120);
    tabs->SetTabs({"Drawing", "ILDA", "Text"});
    tabs->SetTabIndex(1);
    auto* pages = new TskPageControl(host.get());
    pages->SetUIStyle(style);
    pages->setGeometry(270, 8, 260, 120);
    const char* captions[] = {"Pictures", "Sound", "Output"};
    for (const char* c : captions)
        pages->NewPage()->SetCaption(c);
    auto* play = new TskButton(pages->GetPage(0));
    play->SetUIStyle(style);
    play->SetCaption("Play");
    play->move(12, 14);
    pages->SetActivePageIndex(0);
    shots.push_back(Shot(*host));
    return shots;
}

std::vector<QPixmap> Pickers(TskUIStyle style)
{
    std::vector<QPixmap> shots;
    auto fonts = std::make_shared<GalleryFonts>();
    auto host = Host(style, QSize(560, 150));
    auto* font = new TskFontComboBox(host.get(), fonts);
    font->SetUIStyle(style);
    font->setGeometry(8, 8, 160, 21);
    font->SetFontName("DejaVu Sans");
    font->SetUseFonts(true);
    auto* size = new TskFontSizeComboBox(host.get(), fonts);
    size->SetUIStyle(style);
    size->setGeometry(176, 8, 60, 21);
    size->SetFontName("DejaVu Sans");
    size->SetFontSize(12);
    auto* colour = new TskColorBox(host.get());
    colour->SetUIStyle(style);
    colour->setGeometry(244, 8, 150, 21);
    colour->SetStyle(cbStandardColors | cbExtendedColors | cbCustomColor | cbPrettyNames);
    colour->SetSelected(0x00C0C0C0);
    // The dropped lists, drawn by their item painters.
    auto list = [&host](QComboBox& box, QRect where) {
        auto* view = new QListView(host.get());
        view->setModel(box.model());
        view->setItemDelegate(box.itemDelegate());
        view->setHorizontalScrollBarPolicy(box.view()->horizontalScrollBarPolicy());
        view->setGeometry(where);
        view->setCurrentIndex(box.model()->index(1, 0));
    };
    list(*font, QRect(8, 36, 160, 80));
    list(*size, QRect(176, 36, 60, 100));
    list(*colour, QRect(244, 36, 150, 110));
    auto* system = new TskColorBox(host.get());
    system->SetUIStyle(style);
    system->setGeometry(402, 8, 150, 21);
    system->SetStyle(cbSystemColors | cbIncludeNone | cbIncludeDefault | cbPrettyNames);
    system->SetSelected(clNone);
    host->show();
    QCoreApplication::processEvents();
    if (QWidget* focused = host->focusWidget())
        focused->clearFocus();
    shots.push_back(Shot(*host));
    return shots;
}

std::vector<QPixmap> Views(TskUIStyle style)
{
    std::vector<QPixmap> shots;
    auto host = Host(style, QSize(470, 110));
    auto* frame = new TskForm(host.get(), TFormBorderStyle::bsDialog);
    frame->SetUIStyle(style);
    frame->TitleBar().hide();
    frame->SetTitleBarVisible(false);
    auto* list = new TskListView(frame);
    list->setGeometry(8, 8, 160, 90);
    list->setHeaderLabels({"File", "Time"});
    list->setColumnWidth(0, 90);
    for (auto row : {QStringList{"star.ddr", "300"}, QStringList{"wave.sec", "120"}, QStringList{"logo.ild", "45"}})
        new QTreeWidgetItem(list, row);
    list->setCurrentItem(list->topLevelItem(1));
    auto* tree = new TskTreeView(frame);
    tree->setGeometry(176, 8, 140, 90);
    auto* shows = new QTreeWidgetItem(tree, QStringList{"Shows"});
    new QTreeWidgetItem(shows, QStringList{"Opening"});
    new QTreeWidgetItem(shows, QStringList{"Finale"});
    new QTreeWidgetItem(tree, QStringList{"Sections"});
    tree->expandAll();
    auto* checks = new TskCheckListBox(frame);
    checks->setGeometry(324, 8, 130, 90);
    checks->AddItem("Loop", true);
    checks->AddItem("Mute");
    checks->AddItem("Blank", true);
    checks->AddItem("Fade");
    shots.push_back(Shot(*host));
    return shots;
}

std::vector<QPixmap> SideChannels(TskUIStyle style)
{
    std::vector<QPixmap> shots;
    for (bool open : {false, true}) {
        auto host = Host(style, QSize(220, 160));
        auto* frame = new TskForm(host.get(), TFormBorderStyle::bsDialog);
        frame->SetUIStyle(style);
        frame->SetCaption(open ? "Side channel open" : "Side channel closed");
        auto* panel = new QWidget(frame);
        frame->SetFormPanel(panel);
        auto* sc = new TskSideChannel(panel);
        sc->SetCaption("Sections");
        auto* list = new TskCheckListBox(&sc->Content());
        list->setGeometry(4, 4, 130, 90);
        list->AddItem("Opening", true);
        list->AddItem("Finale");
        sc->SetQuickMove(true);
        sc->SetOpenWidth(170);
        if (open)
            sc->SetStayOn(true);
        shots.push_back(Shot(*host));
    }
    return shots;
}

std::vector<QPixmap> MainMenus(TskUIStyle style)
{
    std::vector<QPixmap> shots;
    auto host = Host(style, QSize(300, 120));
    auto* frame = new TskForm(host.get(), TFormBorderStyle::bsDialog);
    frame->SetUIStyle(style);
    frame->SetCaption("Show editor");
    TskMainMenu menu(host.get());
    TskPopupMenu* file = menu.AddMenu("&File");
    menu.AddMenu("&Edit");
    menu.AddMenu("&Play")->menuAction()->setEnabled(false);
    menu.AddMenu("&Help");
    file->addAction("&Open...")->setShortcut(QKeySequence("Ctrl+O"));
    QAction* save = file->addAction("&Save");
    save->setShortcut(QKeySequence("Ctrl+S"));
    file->addSeparator();
    QAction* loop = file->addAction("Loop");
    loop->setCheckable(true);
    loop->setChecked(true);
    file->addAction("Export")->setEnabled(false);
    file->addAction("E&xit");
    shots.push_back(Shot(*host));
    file->setActiveAction(save);
    file->resize(file->sizeHint());
    shots.push_back(file->grab());
    return shots;
}

// A window put together as a program would: a frame with a main menu, a
// page control of three pages, a font box, a colour box, a list view and a
// side channel.
QPixmap NewUserWindow(TskUIStyle style)
{
    QWidget window;
    window.setFont(GalleryFont());
    window.resize(560, 340);
    auto* frame = new TskForm(&window, TFormBorderStyle::bsSizeable);
    frame->SetUIStyle(style);
    frame->SetCaption("Laser show");
    TskMainMenu menu(&window);
    menu.AddMenu("&File")->addAction("&Open...");
    menu.AddMenu("&Edit")->addAction("&Undo");
    menu.AddMenu("&Help")->addAction("&About");
    auto* body = new QWidget(frame);
    frame->SetFormPanel(body);
    auto* side = new TskSideChannel(body);
    side->SetCaption("Library");
    side->SetQuickMove(true);
    side->SetOpenWidth(180);
    auto* library = new TskListView(&side->Content());
    library->setGeometry(4, 4, 150, 200);
    library->setHeaderLabels({"Name"});
    for (const char* n : {"star.ddr", "wave.sec", "logo.ild"})
        new QTreeWidgetItem(library, QStringList{n});
    side->SetStayOn(true);
    auto* pages = new TskPageControl(body);
    pages->SetUIStyle(style);
    pages->setGeometry(200, 8, 340, 220);
    for (const char* c : {"Text", "Colours", "Output"})
        pages->NewPage()->SetCaption(c);
    pages->SetActivePageIndex(0);
    auto* fontBox = new TskFontComboBox(pages->GetPage(0), std::make_shared<GalleryFonts>());
    fontBox->SetUIStyle(style);
    fontBox->setGeometry(12, 12, 170, 21);
    fontBox->SetFontName("DejaVu Sans");
    auto* colourBox = new TskColorBox(pages->GetPage(0));
    colourBox->SetUIStyle(style);
    colourBox->setGeometry(12, 44, 170, 21);
    colourBox->SetStyle(cbStandardColors | cbCustomColor | cbPrettyNames);
    colourBox->SetSelected(0x0000FF);
    auto* list = new TskListView(pages->GetPage(0));
    list->setGeometry(12, 76, 300, 100);
    list->setHeaderLabels({"Frame", "Points"});
    for (int i = 1; i <= 4; ++i)
        new QTreeWidgetItem(list, QStringList{QString("Frame %1").arg(i), QString::number(i * 120)});
    return Shot(window);
}

}  // namespace

void WriteExtraSheets(GalleryReport& report)
{
    struct Row {
        const char* name;
        std::function<std::vector<QPixmap>(TskUIStyle)> make;
    };
    const Row rows[] = {{"dialogs", Dialogs},          {"tab_controls", Tabs}, {"pickers", Pickers},
                        {"item_views", Views},         {"side_channel", SideChannels},
                        {"main_menu", MainMenus}};
    for (const GalleryLook& look : kGalleryLooks) {
        const QColor back = ToQColor(GetThemeColor(look.style, 3));
        for (const Row& row : rows) {
            const std::vector<QPixmap> parts = row.make(look.style);
            for (const QPixmap& p : parts)
                if (p.isNull())
                    report.Fault(QString("%1 in %2 drew nothing").arg(row.name, look.name));
            report.Save(Compose(parts, back), QString("extras/%1_%2.png").arg(row.name, look.name));
        }
        const QImage window = NewUserWindow(look.style).toImage();
        int magenta = 0;
        for (int y = 0; y < window.height(); ++y)
            for (int x = 0; x < window.width(); ++x)
                magenta += window.pixel(x, y) == qRgb(255, 0, 255) ? 1 : 0;
        if (magenta != 0)
            report.Fault(QString("the new user's window in %1 shows its key colour").arg(look.name));
        report.Save(window, QString("extras/new_user_window_%1.png").arg(look.name));
    }
}
