#include "sequencer/file_window.h"
#include "skin/window_frame.h"

#include "model/drawing_file.h"
#include "model/show_folders.h"
#include "player/drawing_preview.h"
#include "player/drawing_thumbnail.h"
#include "player/folder_tree.h"
#include "player/ilda_preview.h"
#include "player/show_file_list.h"
#include "shell/dialogs.h"
#include "shell/window_registry.h"
#include "skin/button.h"
#include "skin/check_box.h"
#include "skin/edit.h"
#include "skin/eliding_label.h"
#include "skin/icons.h"
#include "skin/list_box.h"
#include "skin/skin_form.h"

#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>

#include <exception>

namespace {

constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 640;
constexpr int kMargin = 8;
constexpr TColor kFrameColor = 14609391;
constexpr int kListWidth = 170;
constexpr int kListHeight = 250;
constexpr int kRowHeight = 26;
constexpr int kColumn2 = 186;
constexpr int kColumn3 = 364;
constexpr int kColumn4 = 572;
constexpr int kConvertButtons = kColumn4 + kListWidth + 8;
constexpr int kBlockWidth = 214;

constexpr char kWindowTitle[] = "FILE";

void SetUpFrame(TskForm& frame)
{
    SetUpWindowFrame(frame, TskUIStyle::Ivory, kFrameColor, QString::fromLatin1(kWindowTitle));
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = 160)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, width, 16);
    return label;
}

// The operator's answers, as the conversions ask for them.
class DialogPrompter final : public ConversionPrompter {
public:
    DialogPrompter(Dialogs& dialogs, QWidget* parent) : m_dialogs(dialogs), m_parent(parent) {}
    bool ConfirmReplace(const QString& question) override
    {
        return m_dialogs.Question(m_parent, QString::fromLatin1(kWindowTitle), question) == Dialogs::Answer::Yes;
    }
    void ShowMessage(const QString& text) override
    {
        m_dialogs.Message(m_parent, QString::fromLatin1(kWindowTitle), text);
    }

private:
    Dialogs& m_dialogs;
    QWidget* m_parent;
};

}  // namespace

TForm9::TForm9(WindowRegistry& windows, std::unique_ptr<TickSource> clock)
    : QWidget(nullptr, Qt::Window), m_windows(windows),
      m_ildaPreview(std::make_unique<IldaPreviewAnimator>(std::move(clock)))
{
    BuildControls();
    const QString root = m_windows.ProgramFolder();
    const ShowFolders folders(root);
    m_fileListBox1->SetDirectory(folders.FolderPath(ShowFolder::Drawing));
    m_fileListBox2->SetDirectory(folders.FolderPath(ShowFolder::Section));
    m_fileListBox3->SetDirectory(folders.FolderPath(ShowFolder::IldaImage));
    RevealIldaFolder();
    for (ShowFileList* list : {m_fileListBox1, m_fileListBox2, m_fileListBox3}) {
        if (list->ItemIndex() < 0 && list->Count() > 0)
            list->SetItemIndex(0);
    }
    connect(m_ildaPreview.get(), &IldaPreviewAnimator::FramePainted, this, &TForm9::ShowIldaFrame);
}

TForm9::~TForm9()
{
    m_ildaPreview->Stop();
}

void TForm9::BuildControls()
{
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(12);
    setFont(face);
    m_skForm1 = new TskForm(this, TFormBorderStyle::bsSingle);
    m_skForm1->setObjectName(QStringLiteral("skForm1"));
    SetUpFrame(*m_skForm1);
    setFixedSize(kWindowWidth, kWindowHeight);
    QWidget* frame = m_skForm1;
    const int top = m_skForm1->TitleBar().height() + 6;
    const int listTop = top + 18;
    const int findTop = listTop + kListHeight + 4;
    const int previewTop = findTop + kRowHeight + 8;

    auto button = [&](const char* name, const QString& caption, int x, int y, int width, auto handler) {
        auto* b = new TskButton(frame);
        b->setObjectName(QLatin1String(name));
        b->SetUIStyle(TskUIStyle::Ivory);
        b->SetCaption(caption);
        b->setGeometry(x, y, width, kRowHeight);
        connect(b, &TskButton::OnClick, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return b;
    };
    auto fileList = [&](const char* name, const QString& mask, int x, int y, int height) {
        auto* list = new ShowFileList(frame);
        list->setObjectName(QLatin1String(name));
        list->SetMask(mask);
        list->setGeometry(x, y, kListWidth, height);
        connect(list, &ShowFileList::FileDeleteAttempted, this,
                [this, list](ShowFileList::DeleteOutcome outcome, const QString& failure) {
                    Guarded([&] { FileListDeleted(list, outcome, failure); });
                });
        return list;
    };
    // A preview picture at x with its "Points" caption and count to the right.
    auto preview = [&](const char* imageName, const char* countName, int x, PreviewBox*& image, QLabel*& count) {
        image = new PreviewBox(frame);
        image->setObjectName(QLatin1String(imageName));
        image->move(x, previewTop);
        const QByteArray caption = QByteArray(countName) + "Caption";
        AddLabel(frame, caption.constData(), QStringLiteral("Points"), x + kPreviewSize + 6, previewTop, 40);
        // A count wider than its room is cut with "...", never plainly into another number.
        count = AddElidingLabel(frame, countName, QStringLiteral("0"), x + kPreviewSize + 6, previewTop + 16, 40);
    };
    auto edit = [&](const char* name, const QString& text, int x, int y, int width) {
        auto* e = new TskEdit(frame);
        e->setObjectName(QLatin1String(name));
        e->setText(text);
        e->setGeometry(x, y, width, 22);
        return e;
    };

    auto findButton = [&](const char* name, int x, int y, int width, auto handler) {
        TskButton* b = button(name, QStringLiteral("Find"), x, y, width, handler);
        b->SetGlyph(SkinIcon(QStringLiteral("edit-find")).pixmap(16, 16).toImage());
        return b;
    };

    // Drawings.
    AddLabel(frame, "Label2", QStringLiteral("\\Drawing"), kMargin, top);
    m_fileListBox1 = fileList("FileListBox1", QStringLiteral("*.ddr"), kMargin, listTop, kListHeight);
    findButton("skButton1", kMargin, findTop, 80, &TForm9::skButton1Click);
    preview("Image2", "Label29", kMargin, m_image2, m_label29);

    // Sections.
    AddLabel(frame, "Label1", QStringLiteral("..\\Section"), kColumn2, top);
    m_fileListBox2 = fileList("FileListBox2", QStringLiteral("*.sec"), kColumn2, listTop, kListHeight);
    findButton("skButton2", kColumn2, findTop, 80, &TForm9::skButton2Click);
    m_skCheckBox2 = new TskCheckBox(frame);
    m_skCheckBox2->setObjectName(QStringLiteral("skCheckBox2"));
    m_skCheckBox2->SetUIStyle(TskUIStyle::Azure);
    m_skCheckBox2->SetCaption(QStringLiteral("Auto refresh file list"));
    m_skCheckBox2->SetTransparent(true);
    m_skCheckBox2->setGeometry(kColumn2, previewTop, kListWidth, 17);
    connect(m_skCheckBox2, &TskCheckBox::OnClick, this, [this] { Guarded([this] { skCheckBox2Click(); }); });

    // ILDA images: a folder tree above the list.
    AddLabel(frame, "Label32", QStringLiteral("\\ILDAimage"), kColumn3, top);
    m_directoryListBox1 = new FolderTree(frame);
    m_directoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_directoryListBox1->setGeometry(kColumn3, listTop, 200, 104);
    connect(m_directoryListBox1, &FolderTree::FolderChosen, this,
            [this](const QString& folder) { Guarded([&] { DirectoryListBox1Change(folder); }); });
    m_fileListBox3 = fileList("FileListBox3", QStringLiteral("*.ild"), kColumn3, listTop + 108, kListHeight - 108);
    m_fileListBox3->SetListedOffThread(true);
    m_fileListBox3->resize(200, kListHeight - 108);
    findButton("skButton3", kColumn3, findTop, 80, &TForm9::skButton3Click);
    preview("Image3", "Label6", kColumn3, m_image3, m_label6);
    m_skCheckBox1 = new TskCheckBox(frame);
    m_skCheckBox1->setObjectName(QStringLiteral("skCheckBox1"));
    m_skCheckBox1->SetUIStyle(TskUIStyle::Crystal);
    m_skCheckBox1->SetCaption(QStringLiteral("Preview ild "));
    m_skCheckBox1->SetTransparent(true);
    m_skCheckBox1->setGeometry(kColumn3, previewTop + kPreviewSize + 6, 120, 17);
    connect(m_skCheckBox1, &TskCheckBox::OnClick, this, [this] { Guarded([this] { skCheckBox1Click(); }); });

    // The convert list and its commands.
    AddLabel(frame, "Label3", QStringLiteral("Convert list"), kColumn4, top);
    m_listBox1 = new TskListBox(frame);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->setGeometry(kColumn4, listTop, kListWidth, kListHeight);
    m_listBox1->installEventFilter(this);
    int row = 0;
    auto command = [&](const char* name, const QString& caption, const char* icon, auto handler) {
        TskButton* b = button(name, caption, kConvertButtons, listTop + row++ * (kRowHeight + 4), 112, handler);
        b->SetGlyph(SkinIcon(QLatin1String(icon)).pixmap(16, 16).toImage());
        return b;
    };
    command("BitBtn2", QStringLiteral("Add         "), "list-add", &TForm9::BitBtn2Click);
    command("BitBtn15", QStringLiteral("Insert    "), "go-next", &TForm9::BitBtn15Click);
    command("BitBtn1", QStringLiteral("Remove  "), "list-remove", &TForm9::BitBtn1Click);
    command("skButton5", QStringLiteral("Move up    "), "go-up", &TForm9::skButton5Click);
    command("skButton6", QStringLiteral("Move down"), "go-down", &TForm9::skButton6Click);
    preview("Image1", "Label11", kColumn4, m_image1, m_label11);
    connect(m_listBox1, &TskListBox::OnClick, this, [this] { Guarded([this] { ListBox1Click(); }); });
    connect(m_listBox1, &TskListBox::OnDblClick, this, [this] { Guarded([this] { ListBox1DblClick(); }); });
    connect(m_fileListBox1, &TskListBox::OnClick, this, [this] { Guarded([this] { FileListBox1Change(); }); });
    connect(m_fileListBox1, &TskListBox::OnDblClick, this, [this] { Guarded([this] { BitBtn2Click(); }); });
    connect(m_fileListBox3, &TskListBox::OnClick, this, [this] { Guarded([this] { FileListBox3Change(); }); });

    // The output settings.
    TskButton* settings = button("skButton10", QString(), kConvertButtons, listTop + 5 * (kRowHeight + 4) + 10, 44,
                                 &TForm9::skButton10Click);
    settings->resize(44, 40);
    settings->SetGlyph(SkinIcon(QStringLiteral("zarn-output-settings")).pixmap(32, 32).toImage());
    settings->setToolTip(QStringLiteral("Output settings"));

    // The four conversions, one block each.
    const int convertTop = previewTop + kPreviewSize + 34;
    auto block = [&](int k) { return kMargin + k * kBlockWidth; };
    AddLabel(frame, "Label4", QStringLiteral("Section name"), block(0), convertTop + 3, 84);
    m_skEdit1 = edit("skEdit1", QStringLiteral("NewSection"), block(0) + 86, convertTop, 114);
    AddLabel(frame, "Label5", QStringLiteral("Play_Time"), block(0), convertTop + 29, 84);
    m_skEdit2 = edit("skEdit2", QStringLiteral("50"), block(0) + 86, convertTop + 26, 50);
    button("skButton4", QStringLiteral("List convert to section"), block(0), convertTop + 54, 200, &TForm9::skButton4Click);

    AddLabel(frame, "Label7", QStringLiteral("ILD FileName"), block(1), convertTop + 3, 84);
    m_skEdit3 = edit("skEdit3", QStringLiteral("NewImage"), block(1) + 86, convertTop, 114);
    button("skButton9", QStringLiteral("List convert to ILD file"), block(1), convertTop + 54, 200, &TForm9::skButton9Click);

    AddLabel(frame, "Label8", QStringLiteral("ILD file name"), block(2), convertTop + 3, 84);
    m_skEdit6 = edit("skEdit6", QStringLiteral("NewImage"), block(2) + 86, convertTop, 114);
    button("skButton8", QStringLiteral("Section convert to ILD file"), block(2), convertTop + 54, 200, &TForm9::skButton8Click);

    AddLabel(frame, "Label9", QStringLiteral("Section name"), block(3), convertTop + 3, 84);
    m_skEdit4 = edit("skEdit4", QStringLiteral("NewSection"), block(3) + 86, convertTop, 114);
    AddLabel(frame, "Label10", QStringLiteral("Play_Time"), block(3), convertTop + 29, 84);
    m_skEdit5 = edit("skEdit5", QStringLiteral("2"), block(3) + 86, convertTop + 26, 50);
    button("skButton7", QStringLiteral("ILD file convert to section"), block(3), convertTop + 54, 200, &TForm9::skButton7Click);

    m_label18 = AddElidingLabel(frame, "Label18", QStringLiteral("ready"), kMargin, kWindowHeight - 28, 500);
}

void TForm9::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        m_windows.Dialog().Message(this, QString::fromLatin1(kWindowTitle), QString::fromLocal8Bit(error.what()));
    }
}

ConversionFolders TForm9::Folders() const
{
    return {m_fileListBox1->Directory(), m_fileListBox2->Directory(), m_fileListBox3->Directory()};
}

bool TForm9::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Guarded([this] { FormActivate(); });
    if (event->type() == QEvent::Show)
        RevealIldaFolder();
    return QWidget::event(event);
}

bool TForm9::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listBox1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Guarded([this] { ListBox1KeyDown(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm9::DirectoryListBox1Change(const QString& folder)
{
    // Listed off the GUI thread: a folder on a mount that never answers leaves
    // the window answering, its list empty. The latest choice wins.
    if (QDir::cleanPath(folder) == m_fileListBox3->Directory() && !m_fileListBox3->ListingPending())
        return;
    m_fileListBox3->ListOffThread(folder, [this](const QString&) {
        Guarded([this] {
            if (m_fileListBox3->Count() > 0)
                m_fileListBox3->SetItemIndex(0);
            RevealIldaFolder();
            if (m_skCheckBox1->Checked())
                LoadIldaPreview();
        });
    });
}

void TForm9::RevealIldaFolder()
{
    m_directoryListBox1->Reveal(m_fileListBox3->Directory());
}

// ---- previews -------------------------------------------------------------

void TForm9::LoadDrawingPreview()
{
    // A file that is gone shows the previous drawing again.
    const QString path = m_fileListBox1->SelectedPath();
    if (m_fileListBox1->ItemIndex() < 0 || !IsRegularFile(path))
        return;
    ShowDrawingThumbnail(ReadDrawingThumbnail(path), *m_image2, *m_label29, *m_label18);
}

void TForm9::LoadConvertPreview()
{
    const int index = m_listBox1->ItemIndex();
    if (index < 0)
        return;
    const QString path = m_fileListBox1->PathOf(m_listBox1->Item(index));
    if (!IsRegularFile(path))
        return;
    ShowDrawingThumbnail(ReadDrawingThumbnail(path), *m_image1, *m_label11, *m_label18);
}

void TForm9::LoadIldaPreview()
{
    if (m_fileListBox3->ItemIndex() < 0 || m_fileListBox3->Count() == 0)
        return;
    const QString message = m_ildaPreview->LoadFile(m_fileListBox3->SelectedPath());
    if (!message.isEmpty())
        m_windows.Dialog().Message(this, QString::fromLatin1(kWindowTitle), message);
}

void TForm9::ShowIldaFrame(const QImage& picture, int pointCount)
{
    m_image3->SetPicture(picture);
    m_label6->setText(QString::number(pointCount));
}

void TForm9::RefreshFileLists()
{
    m_fileListBox1->RefreshKeepingSelection();
    // The image folder may be on a mount that never answers: listed off the GUI thread.
    m_fileListBox3->RefreshOffThread([this] {
        Guarded([this] {
            if (m_fileListBox3->Count() > 0)
                m_ildaPreview->LoadFile(m_fileListBox3->SelectedPath());
        });
    });
    m_fileListBox2->RefreshKeepingSelection();
    if (m_fileListBox1->Count() > 0)
        LoadDrawingPreview();
}

// ---- handlers -------------------------------------------------------------

void TForm9::FormActivate()
{
    m_ildaPreview->Start();
    if (m_skCheckBox2->Checked())
        RefreshFileLists();
}

void TForm9::skCheckBox2Click()
{
    if (m_skCheckBox2->Checked())
        RefreshFileLists();
}

void TForm9::FileListBox1Change()
{
    LoadDrawingPreview();
}

void TForm9::FileListBox3Change()
{
    if (m_skCheckBox1->Checked())
        LoadIldaPreview();
}

void TForm9::skCheckBox1Click()
{
    m_ildaPreview->SetActive(m_skCheckBox1->Checked());
    if (m_skCheckBox1->Checked())
        LoadIldaPreview();
}

void TForm9::ListBox1Click()
{
    LoadConvertPreview();
}

void TForm9::skButton1Click()
{
    const FindTexts texts{QStringLiteral("Find drawing"), QStringLiteral("drawing name"), QStringLiteral("drawing1"),
                          QStringLiteral(".ddr"), QStringLiteral("This drawing have not been found!")};
    const FindOutcome outcome = FindInList(*m_fileListBox1, m_windows.Dialog(), texts);
    if (outcome == FindOutcome::Found)
        LoadDrawingPreview();
    else if (outcome == FindOutcome::NotFound)
        m_label18->setText(texts.notFound);
}

void TForm9::skButton2Click()
{
    const FindTexts texts{QStringLiteral("Find section"), QStringLiteral("section name"), QStringLiteral("Section1"),
                          QStringLiteral(".sec"), QStringLiteral("This section have not been found!")};
    if (FindInList(*m_fileListBox2, m_windows.Dialog(), texts) == FindOutcome::NotFound)
        m_label18->setText(texts.notFound);
}

void TForm9::skButton3Click()
{
    const FindTexts texts{QStringLiteral("Find ILDAimage"), QStringLiteral("Image name"), QStringLiteral("Image1"),
                          QStringLiteral(".ild"), QStringLiteral("This ILDAimage have not been found!")};
    const FindOutcome outcome = FindInList(*m_fileListBox3, m_windows.Dialog(), texts);
    if (outcome == FindOutcome::Found && m_skCheckBox1->Checked())
        LoadIldaPreview();
    else if (outcome == FindOutcome::NotFound)
        m_label18->setText(texts.notFound);
}

void TForm9::FileListDeleted(ShowFileList* list, ShowFileList::DeleteOutcome result, const QString& failure)
{
    if (result == ShowFileList::DeleteOutcome::Failed) {
        m_windows.Dialog().Message(this, QString::fromLatin1(kWindowTitle), failure);
        return;
    }
    if (list == m_fileListBox1 && result == ShowFileList::DeleteOutcome::Deleted)
        LoadDrawingPreview();
    if (list == m_fileListBox3) {
        if (result == ShowFileList::DeleteOutcome::Deleted && m_skCheckBox1->Checked())
            LoadIldaPreview();
        if (result == ShowFileList::DeleteOutcome::DeletedLast && m_skCheckBox1->Checked()) {
            // Unticked from code: the animation stops, the last frame stays painted.
            m_skCheckBox1->SetChecked(false);
            m_ildaPreview->SetActive(false);
        }
    }
}

bool TForm9::RemoveConvertEntry()
{
    const int index = m_listBox1->ItemIndex();
    if (index < 0)
        return false;
    if (m_listBox1->Count() == 1) {
        m_listBox1->DeleteItem(index);
        return false;
    }
    const QString neighbour = m_listBox1->Item(index + 1 < m_listBox1->Count() ? index + 1 : index - 1);
    m_listBox1->DeleteItem(index);
    m_listBox1->SetItemIndex(m_listBox1->IndexOf(neighbour));
    return true;
}

void TForm9::ListBox1KeyDown()
{
    RemoveConvertEntry();
}

void TForm9::BitBtn1Click()
{
    if (RemoveConvertEntry() && m_listBox1->ItemIndex() >= 0)
        LoadConvertPreview();
}

void TForm9::ListBox1DblClick()
{
    const int index = m_listBox1->ItemIndex();
    if (index < 0)
        return;
    if (m_listBox1->Count() == 1) {
        m_listBox1->DeleteItem(index);
        return;
    }
    m_listBox1->DeleteItem(index);
    m_listBox1->SetItemIndex(std::min(index, m_listBox1->Count() - 1));
    LoadConvertPreview();
}

void TForm9::BitBtn2Click()
{
    if (m_fileListBox1->ItemIndex() < 0)
        return;
    m_listBox1->SetItemIndex(m_listBox1->AddItem(m_fileListBox1->SelectedText()));
    LoadConvertPreview();
}

void TForm9::BitBtn15Click()
{
    if (m_fileListBox1->ItemIndex() < 0)
        return;
    const QString name = m_fileListBox1->SelectedText();
    if (m_listBox1->Count() > 0) {
        if (m_listBox1->ItemIndex() < 0)
            m_listBox1->SetItemIndex(0);
        const int selected = m_listBox1->ItemIndex();
        m_listBox1->InsertItem(selected, name);
        // The selection stays on the entry that was selected, now one lower.
        m_listBox1->SetItemIndex(selected + 1);
    } else {
        m_listBox1->SetItemIndex(m_listBox1->AddItem(name));
    }
    LoadConvertPreview();
}

void TForm9::skButton5Click()
{
    const int index = m_listBox1->ItemIndex();
    if (index < 1)
        return;
    const QString moved = m_listBox1->Item(index);
    m_listBox1->DeleteItem(index);
    m_listBox1->InsertItem(index - 1, moved);
    m_listBox1->SetItemIndex(index - 1);
}

void TForm9::skButton6Click()
{
    const int index = m_listBox1->ItemIndex();
    if (index < 0 || index + 1 >= m_listBox1->Count())
        return;
    const QString moved = m_listBox1->Item(index);
    m_listBox1->DeleteItem(index);
    m_listBox1->InsertItem(index + 1, moved);
    m_listBox1->SetItemIndex(index + 1);
}

void TForm9::skButton4Click()
{
    DialogPrompter prompter(m_windows.Dialog(), this);
    const ConversionResult result =
        WriteListAsSection(Folders(), m_listBox1->Items(), m_skEdit1->text(), m_skEdit2->text(), prompter);
    if (result.status == ConversionStatus::Written) {
        m_fileListBox2->Reread();
        m_fileListBox2->SelectByText(result.fileName);
    }
}

void TForm9::ShowWrittenIlda(const QString& fileName)
{
    m_fileListBox3->ListOffThread(m_fileListBox3->Directory(), [this, fileName](const QString&) {
        Guarded([&] {
            m_fileListBox3->SelectByText(fileName);
            if (m_skCheckBox1->Checked())
                LoadIldaPreview();
        });
    });
}

void TForm9::skButton9Click()
{
    DialogPrompter prompter(m_windows.Dialog(), this);
    const ConversionResult result = ConvertListToIlda(Folders(), m_listBox1->Items(), m_skEdit3->text(), prompter);
    if (result.status == ConversionStatus::Written)
        ShowWrittenIlda(result.fileName);
}

void TForm9::skButton8Click()
{
    if (m_fileListBox2->ItemIndex() < 0)
        return;
    DialogPrompter prompter(m_windows.Dialog(), this);
    const ConversionResult result = ConvertSectionToIlda(Folders(), m_windows.ProgramFolder(),
                                                         m_fileListBox2->SelectedPath(), m_skEdit6->text(), prompter);
    if (result.status == ConversionStatus::SourceMissing) {
        m_fileListBox2->RefreshKeepingSelection();
    } else if (result.status == ConversionStatus::Written) {
        ShowWrittenIlda(result.fileName);
    }
}

void TForm9::skButton7Click()
{
    if (m_fileListBox3->ItemIndex() < 0)
        return;
    DialogPrompter prompter(m_windows.Dialog(), this);
    const ConversionResult result = WriteIldFramesAsSection(Folders(), m_fileListBox3->SelectedPath(), m_skEdit4->text(),
                                                         m_skEdit5->text(), prompter);
    if (result.status == ConversionStatus::SourceMissing) {
        m_fileListBox3->RefreshOffThread();
        return;
    }
    if (result.status == ConversionStatus::Written) {
        m_fileListBox2->Reread();
        m_fileListBox2->SelectByText(result.fileName);
    }
    // Drawings written before a failure are listed too.
    if (result.status == ConversionStatus::Written || result.status == ConversionStatus::Failed)
        m_fileListBox1->RefreshKeepingSelection();
}

void TForm9::skButton10Click()
{
    // The settings window's class lives in a library above this one: find it among the windows.
    for (QWidget* window : m_windows.Windows()) {
        if (qstrcmp(window->metaObject()->className(), "TForm13") == 0) {
            window->show();
            window->raise();
            window->activateWindow();
        }
    }
}
