// The data-aware controls over a small database, in a framed window of each
// of the five looks: a navigator, a grid and bound edits, saved as one sheet
// (<build>/tests/gallery/controls/data_aware.png, or under $ZARN_SCREENSHOT_DIR
// when run on a real X server) for a person to review.

#include "db_test_database.h"
#include "skin/data_aware/db_check_box.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_image.h"
#include "skin/data_aware/db_list_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_lookup_combo_box.h"
#include "skin/data_aware/db_memo.h"
#include "skin/data_aware/db_navigator.h"
#include "skin/data_aware/db_radio_group.h"
#include "skin/skin_form.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTest>

namespace {

QString SheetDir()
{
    QString dir = qEnvironmentVariable("ZARN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = qEnvironmentVariable("ZARN_GALLERY_DIR", QCoreApplication::applicationDirPath() + "/gallery/controls");
    QDir().mkpath(dir);
    return dir;
}

struct Window {
    std::unique_ptr<QWidget> host;
    TskForm* frame = nullptr;
};

Window BuildWindow(TskUIStyle style, const QString& caption, TDataSource* source, TDataSource* laserSource)
{
    Window w;
    w.host = std::make_unique<QWidget>();
    w.host->resize(470, 400);
    w.frame = new TskForm(w.host.get(), TFormBorderStyle::bsDialog);
    w.frame->SetUIStyle(style);
    w.frame->SetCaption(caption);
    QWidget* f = w.frame;
    const int top = w.frame->ClientArea().top() + 8;
    const int left = w.frame->ClientArea().left() + 8;

    auto* nav = new TskDBNavigator(f);
    nav->move(left, top);
    nav->SetDataSource(source);

    auto* grid = new TskDBGrid(f);
    grid->SetUIStyle(style);
    grid->setGeometry(left, top + 36, 450, 110);
    grid->SetDataSource(source);

    auto label = [&](const QString& text, int y) {
        auto* l = new QLabel(text, f);
        l->move(left, y + 3);
    };
    label("Title", top + 154);
    auto* title = new TskDBEdit(f);
    title->setGeometry(left + 50, top + 154, 150, 21);
    title->SetDataSource(source);
    title->SetDataField("title");
    label("Speed", top + 180);
    auto* speed = new TskDBEdit(f);
    speed->setGeometry(left + 50, top + 180, 80, 21);
    speed->SetDataSource(source);
    speed->SetDataField("speed");
    label("Laser", top + 206);
    auto* laser = new TskDBLookupComboBox(f);
    laser->setGeometry(left + 50, top + 206, 150, 21);
    laser->SetDataSource(source);
    laser->SetDataField("laserName");

    auto* looped = new TskDBCheckBox(f);
    looped->SetCaption("Looped");
    looped->move(left + 215, top + 154);
    looped->SetDataSource(source);
    looped->SetDataField("looped");
    auto* state = new TskDBCheckBox(f);
    state->SetCaption("State (grey)");
    state->resize(110, state->height());
    state->move(left + 215, top + 176);
    state->SetValueChecked("on");
    state->SetValueUnchecked("off");
    state->SetDataSource(source);
    state->SetDataField("state");

    auto* mode = new TskDBRadioGroup(f);
    mode->SetCaption("Mode");
    mode->setGeometry(left + 330, top + 150, 120, 76);
    mode->SetItems({"Red", "Green", "Blue"});
    mode->SetValues({"r", "", "b"});
    mode->SetDataSource(source);
    mode->SetDataField("mode");

    auto* notes = new TskDBMemo(f);
    notes->setGeometry(left, top + 234, 450, 44);
    notes->SetDataSource(source);
    notes->SetDataField("notes");
    (void)laserSource;

    label("Mode", top + 288);
    auto* modeBox = new TskDBComboBox(f);
    modeBox->setGeometry(left + 50, top + 288, 100, 21);
    modeBox->SetItems({"r", "Green", "b"});
    modeBox->SetDataSource(source);
    modeBox->SetDataField("mode");
    auto* modeList = new TskDBListBox(f);
    modeList->setGeometry(left + 160, top + 288, 100, 50);
    modeList->SetItems({"r", "Green", "b"});
    modeList->SetDataSource(source);
    modeList->SetDataField("mode");
    auto* picture = new TskDBImage(f);
    picture->setGeometry(left + 270, top + 288, 80, 50);
    picture->SetDataSource(source);
    picture->SetDataField("picture");
    auto* none = new TskDBImage(f);
    none->setGeometry(left + 360, top + 288, 90, 50);
    none->SetDataSource(source);
    none->SetDataField("notes");  // text, not a picture: shows its label
    return w;
}

}  // namespace

TEST(DataAwareGallery, NavigatorGridAndBoundEditsInFiveLooks)
{
    DbFixture f;
    f.db->Exec("CREATE TABLE lasers (code INTEGER PRIMARY KEY, name VARCHAR(20))");
    f.db->Exec("INSERT INTO lasers VALUES (1, 'Stage left'), (2, 'Stage right'), (3, 'Ceiling')");
    f.db->Exec("ALTER TABLE shows ADD COLUMN laser INTEGER");
    f.db->Exec("UPDATE shows SET laser = id");
    TSqlDataSet lasers(f.db->Database());
    lasers.SetTableName("lasers");
    ASSERT_TRUE(lasers.Open());
    TDataSource laserSource(&lasers);
    f.set->AddLookupField("laserName", "laser", &lasers, "code", "name");
    ASSERT_TRUE(f.set->Open());
    f.set->FindField("speed")->SetDisplayFormat("0.00");
    {
        QImage beam(60, 40, QImage::Format_RGB32);
        beam.fill(Qt::black);
        QPainter p(&beam);
        p.setPen(QPen(Qt::green, 3));
        p.drawLine(5, 35, 55, 5);
        p.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        beam.save(&buffer, "PNG");
        f.set->Next();
        f.set->Edit();
        f.set->FindField("picture")->SetValue(png);
        ASSERT_TRUE(f.set->Post());
        f.set->First();
    }
    f.set->Next();  // "Finale": its state "maybe" shows grey

    struct Look {
        TskUIStyle style;
        const char* caption;
    };
    const Look looks[] = {{TskUIStyle::Pearl, "Shows (Pearl)"},
                          {TskUIStyle::Azure, "Shows (Azure)"},
                          {TskUIStyle::Navy, "Shows (Navy)"},
                          {TskUIStyle::Ivory, "Shows (Ivory)"},
                          {TskUIStyle::Crystal, "Shows (Crystal)"}};
    std::vector<Window> windows;
    for (const Look& look : looks) {
        windows.push_back(BuildWindow(look.style, look.caption, f.source.get(), &laserSource));
        windows.back().host->show();
    }
    for (const Window& w : windows)
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.host.get()));
    QCoreApplication::processEvents();

    const QSize size = windows.front().host->size();
    QImage sheet(size.width() * 2 + 10, (size.height() + 10) * 3, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (size_t i = 0; i < windows.size(); ++i) {
        const QImage shot = windows[i].host->grab().toImage();
        painter.drawImage(QPoint(int(i % 2) * (size.width() + 10), int(i / 2) * (size.height() + 10)), shot);
        // The grid's current row is on "Finale" and its title cell holds text.
        EXPECT_FALSE(shot.isNull());
    }
    painter.end();
    const QString file = QDir(SheetDir()).filePath("data_aware.png");
    ASSERT_TRUE(sheet.save(file)) << file.toStdString();
    windows.clear();
}
