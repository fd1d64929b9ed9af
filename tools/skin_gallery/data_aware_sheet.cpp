// The data-aware controls over a small SQLite file, in a framed window of each
// of the five looks: a navigator, a grid and bound edits, saved as one sheet
// (controls/data_aware.png).

#include "gallery.h"
#include "dataset/data_source.h"
#include "dataset/sql_data_set.h"
#include "dataset/sqlite_connection.h"
#include "skin/data_aware/db_check_box.h"
#include "skin/data_aware/db_combo_box.h"
#include "skin/data_aware/db_edit.h"
#include "skin/data_aware/db_grid.h"
#include "skin/data_aware/db_image.h"
#include "skin/data_aware/db_list_box.h"
#include "skin/data_aware/db_lookup_combo_box.h"
#include "skin/data_aware/db_memo.h"
#include "skin/data_aware/db_navigator.h"
#include "skin/data_aware/db_radio_group.h"
#include "skin/skin_form.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<QWidget> BuildWindow(TskUIStyle style, const QString& caption, TDataSource* source)
{
    auto host = std::make_unique<QWidget>();
    host->resize(470, 400);
    auto* frame = new TskForm(host.get(), TFormBorderStyle::bsDialog);
    frame->SetUIStyle(style);
    frame->SetCaption(caption);
    QWidget* f = frame;
    const int top = frame->ClientArea().top() + 8;
    const int left = frame->ClientArea().left() + 8;
    auto bind = [&](auto* control, const char* field, QRect where) {
        control->setGeometry(where.translated(left, top));
        control->SetDataSource(source);
        if constexpr (requires { control->SetDataField(field); })
            control->SetDataField(field);
        return control;
    };
    auto label = [&](const char* text, int y) { (new QLabel(text, f))->move(left, top + y + 3); };

    bind(new TskDBNavigator(f), nullptr, QRect(0, 0, 250, 30));
    bind(new TskDBGrid(f), nullptr, QRect(0, 36, 450, 110))->SetUIStyle(style);
    label("Title", 154);
    bind(new TskDBEdit(f), "title", QRect(50, 154, 150, 21));
    label("Speed", 180);
    bind(new TskDBEdit(f), "speed", QRect(50, 180, 80, 21));
    label("Laser", 206);
    bind(new TskDBLookupComboBox(f), "laserName", QRect(50, 206, 150, 21));
    bind(new TskDBCheckBox(f), "looped", QRect(215, 154, 100, 21))->SetCaption("Looped");
    auto* state = new TskDBCheckBox(f);
    state->SetCaption("State (grey)");
    state->SetValueChecked("on");
    state->SetValueUnchecked("off");
    bind(state, "state", QRect(215, 176, 110, 21));
    auto* mode = new TskDBRadioGroup(f);
    mode->SetCaption("Mode");
    mode->SetItems({"Red", "Green", "Blue"});
    mode->SetValues({"r", "", "b"});
    bind(mode, "mode", QRect(330, 150, 120, 76));
    bind(new TskDBMemo(f), "notes", QRect(0, 234, 450, 44));
    label("Mode", 288);
    auto* modeBox = new TskDBComboBox(f);
    modeBox->SetItems({"r", "Green", "b"});
    bind(modeBox, "mode", QRect(50, 288, 100, 21));
    auto* modeList = new TskDBListBox(f);
    modeList->SetItems({"r", "Green", "b"});
    bind(modeList, "mode", QRect(160, 288, 100, 50));
    bind(new TskDBImage(f), "picture", QRect(270, 288, 80, 50));
    bind(new TskDBImage(f), "notes", QRect(360, 288, 90, 50));  // text, not a picture: shows its label
    return host;
}

QByteArray BeamPicture()
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
    return png;
}

}  // namespace

void WriteDataAwareSheet(GalleryReport& report)
{
    QTemporaryDir dir;
    SqliteConnection db(dir.filePath("shows.db"));
    const char* setup[] = {
        "CREATE TABLE shows (id INTEGER PRIMARY KEY, title VARCHAR(20) NOT NULL, speed REAL, looped BOOLEAN, "
        "mode TEXT, state VARCHAR(10), notes MEMO, picture BLOB, laser INTEGER)",
        "INSERT INTO shows (title, speed, looped, mode, state, notes, laser) VALUES "
        "('Opening', 1.5, 1, 'r', 'ON', 'first line', 1), ('Finale', 2.25, 0, 'Green', 'maybe', NULL, 2), "
        "('Encore', NULL, NULL, NULL, NULL, NULL, 3)",
        "CREATE TABLE lasers (code INTEGER PRIMARY KEY, name VARCHAR(20))",
        "INSERT INTO lasers VALUES (1, 'Stage left'), (2, 'Stage right'), (3, 'Ceiling')"};
    for (const char* sql : setup)
        if (!db.Exec(sql))
            return report.Fault("data-aware sheet: " + db.Error());
    TSqlDataSet lasers(db.Database());
    lasers.SetTableName("lasers");
    TSqlDataSet shows(db.Database());
    shows.SetTableName("shows");
    shows.AddLookupField("laserName", "laser", &lasers, "code", "name");
    if (!lasers.Open() || !shows.Open())
        return report.Fault("data-aware sheet: " + shows.LastError());
    TDataSource source(&shows);
    shows.FindField("speed")->SetDisplayFormat("0.00");
    shows.Next();  // "Finale": its state "maybe" shows grey
    shows.Edit();
    shows.FindField("picture")->SetValue(BeamPicture());
    shows.Post();

    std::vector<std::unique_ptr<QWidget>> windows;
    for (const GalleryLook& look : kGalleryLooks) {
        QString name = look.name;
        name[0] = name[0].toUpper();
        windows.push_back(BuildWindow(look.style, "Shows (" + name + ")", &source));
        windows.back()->show();
    }
    for (const auto& w : windows)
        if (!QTest::qWaitForWindowExposed(w.get()))
            report.Fault("a data-aware window was never shown");
    QCoreApplication::processEvents();
    const QSize size = windows.front()->size();
    QImage sheet(size.width() * 2 + 10, (size.height() + 10) * 3, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < windows.size(); ++i)
        painter.drawPixmap(int(i % 2) * (size.width() + 10), int(i / 2) * (size.height() + 10), windows[i]->grab());
    painter.end();
    windows.clear();
    report.Save(sheet, "controls/data_aware.png");
}
